#include "dialect.h"

#include "schema.h"
#include "sqltext.h"
#include "storeerror.h"
#include "valueconversion.h"

#include <QDate>
#include <QList>
#include <QRegularExpression>
#include <optional>

namespace {

// A piece of the statement: a view of the text as written, or what the
// translation puts in its place.
struct Token
{
    enum Kind { Space, String, Word, DateLiteral, Symbol };
    Kind kind;
    QStringView written;
    QString replacement;
    bool replaced = false;

    QStringView text() const { return replaced ? QStringView(replacement) : written; }
    void setText(const QString &text)
    {
        replacement = text;
        replaced = true;
    }
};

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Reads a run delimited by `close`, where a doubled `close` stands for itself.
qsizetype delimitedEnd(const QString &sql, qsizetype start, QChar close, bool doubledEscapes)
{
    qsizetype i = start + 1;
    while (i < sql.size()) {
        if (sql.at(i) == close) {
            if (doubledEscapes && i + 1 < sql.size() && sql.at(i + 1) == close) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    throw StoreError(QStringLiteral("istruzione SQL non terminata: manca %1").arg(close));
}

QList<Token> tokenize(const QString &sql)
{
    QList<Token> tokens;
    tokens.reserve(sql.size() / 3);
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql.at(i);
        qsizetype end = i + 1;
        Token::Kind kind = Token::Symbol;
        if (c.isSpace()) {
            while (end < sql.size() && sql.at(end).isSpace())
                ++end;
            kind = Token::Space;
        } else if (c == QLatin1Char('\'')) {
            end = delimitedEnd(sql, i, c, true);
            kind = Token::String;
        } else if (c == QLatin1Char('#')) {
            end = delimitedEnd(sql, i, c, false);
            kind = Token::DateLiteral;
        } else if (c == QLatin1Char('[')) {
            end = delimitedEnd(sql, i, QLatin1Char(']'), false);
            kind = Token::Word;
        } else if (isWordChar(c)) {
            while (end < sql.size() && isWordChar(sql.at(end)))
                ++end;
            kind = Token::Word;
        } else if (end < sql.size()) {
            const QStringView pair = QStringView(sql).mid(i, 2);
            static const QStringList pairs{">=", "<=", "<>", "!=", "==", "||"};
            if (pairs.contains(pair))
                end = i + 2;
        }
        tokens.append({kind, QStringView(sql).mid(i, end - i), {}, false});
        i = end;
    }
    return tokens;
}

bool isWord(const Token &t, const char *word)
{
    return t.kind == Token::Word && t.text().compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool isSymbol(const Token &t, const char *symbol)
{
    return t.kind == Token::Symbol && t.text() == QLatin1String(symbol);
}

bool isComparison(const Token &t)
{
    static const QStringList ops{"=", "==", "<", ">", "<=", ">=", "<>", "!="};
    return t.kind == Token::Symbol && ops.contains(t.text());
}

QString unquoted(QStringView literal)
{
    return literal.mid(1, literal.size() - 2).toString().replace(QLatin1String("''"), QLatin1String("'"));
}

// A LIKE pattern read as an exact text: Jet's escapes "[%]", "[_]" and "[["
// + "]" stand for the character itself; none when the pattern has a real
// wildcard.
std::optional<QString> exactText(const QString &pattern)
{
    QString text;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        const bool escape = c == QLatin1Char('[') && i + 2 < pattern.size() && pattern.at(i + 2) == QLatin1Char(']')
            && QStringView(u"%_[").contains(pattern.at(i + 1));
        if (escape) {
            text += pattern.at(i + 1);
            i += 2;
        } else if (c == QLatin1Char('%') || c == QLatin1Char('_')) {
            return std::nullopt;
        } else {
            text += c;
        }
    }
    return text;
}

// Against a number column SQLite compares a numeric-looking text as the
// number it reads ('05' = 5), where LIKE compares text ('05' is not '5'):
// only a text that reads back the same either way may become an equality.
bool sameAsNumberOrText(const QString &text)
{
    static const QRegularExpression numeric(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?\\s*$"));
    static const QRegularExpression canonicalInteger(QStringLiteral("^-?(0|[1-9]\\d{0,17})$"));
    return !numeric.match(text).hasMatch() || canonicalInteger.match(text).hasMatch();
}

class Translator
{
public:
    Translator(const QString &sql, const dialect::Spelling &spelling)
        : m_sql(sql), m_tokens(tokenize(m_sql)), m_spelling(spelling)
    {}

    QByteArray run()
    {
        endAtFirstSemicolon();
        if (m_spelling.server)
            numberParameters();
        for (qsizetype i = 0; i < m_tokens.size(); ++i)
            rewrite(i);
        QString out;
        out.reserve(m_sql.size() + 64);
        for (const auto &t : m_tokens)
            out += t.text();
        return out.toUtf8();
    }

private:
    qsizetype nextSignificant(qsizetype i) const
    {
        for (++i; i < m_tokens.size(); ++i)
            if (m_tokens[i].kind != Token::Space && !m_tokens[i].text().isEmpty())
                return i;
        return -1;
    }

    qsizetype previousSignificant(qsizetype i) const
    {
        for (--i; i >= 0; --i)
            if (m_tokens[i].kind != Token::Space && !m_tokens[i].text().isEmpty())
                return i;
        return -1;
    }

    qsizetype matchingClose(qsizetype open) const
    {
        int depth = 0;
        for (qsizetype i = open; i < m_tokens.size(); ++i) {
            if (isSymbol(m_tokens[i], "("))
                ++depth;
            else if (isSymbol(m_tokens[i], ")") && --depth == 0)
                return i;
        }
        throw StoreError(QStringLiteral("parentesi non chiusa nell'istruzione SQL"));
    }

    void endAtFirstSemicolon()
    {
        for (qsizetype i = 0; i < m_tokens.size(); ++i) {
            if (!isSymbol(m_tokens[i], ";"))
                continue;
            if (nextSignificant(i) >= 0)
                throw StoreError(QStringLiteral("una sola istruzione per comando"));
            m_tokens.resize(i);
            return;
        }
    }

    // "?" and SQLite's "?N" become "$n", in order.
    void numberParameters()
    {
        int count = 0;
        for (qsizetype i = 0; i < m_tokens.size(); ++i) {
            if (!isSymbol(m_tokens[i], "?"))
                continue;
            const bool numbered = i + 1 < m_tokens.size() && m_tokens[i + 1].kind == Token::Word
                && m_tokens[i + 1].text().front().isDigit();
            if (numbered) {
                count = qMax(count, m_tokens[i + 1].text().toInt());
                m_tokens[i].setText(QLatin1Char('$') + m_tokens[i + 1].text().toString());
                m_tokens[i + 1].setText(QString());
            } else {
                m_tokens[i].setText(QStringLiteral("$%1").arg(++count));
            }
        }
    }

    bool followedByParenthesis(qsizetype i) const
    {
        const qsizetype next = nextSignificant(i);
        return next >= 0 && isSymbol(m_tokens[next], "(");
    }

    void rewrite(qsizetype i)
    {
        Token &t = m_tokens[i];
        if (t.kind == Token::DateLiteral) {
            const QStringView written = t.text();
            const auto date = parseMonthFirstDate(written.mid(1, written.size() - 2).toString());
            if (!date)
                throw StoreError(QStringLiteral("%1 non è una data valida").arg(written));
            t.kind = Token::String;
            t.setText(quotedText(QString::fromLatin1(isoDate(*date))));
        } else if (t.kind == Token::Word && t.text().startsWith(QLatin1Char('['))) {
            const QString name = t.text().mid(1, t.text().size() - 2).toString();
            t.setText(quotedIdentifier(m_spelling.server ? name.toLower() : name));
        } else if (isSymbol(t, "&")) {
            t.setText(QStringLiteral("||"));
        } else if (isSymbol(t, "*")) {
            const qsizetype before = previousSignificant(i);
            if (before >= 0 && isWord(m_tokens[before], "DELETE"))
                t.setText(QString());
        } else if (isWord(t, "ISNULL") && followedByParenthesis(i)) {
            const qsizetype close = matchingClose(nextSignificant(i));
            t.setText(QString());
            m_tokens[close].setText(QStringLiteral(" IS NULL)"));
        } else if (isWord(t, "LEFT") && followedByParenthesis(i)) {
            t.setText(QLatin1String(m_spelling.left));
        } else if (isWord(t, "CDATE") && followedByParenthesis(i)) {
            t.setText(QLatin1String(m_spelling.cdate));
            m_cdateCloses.append(matchingClose(nextSignificant(i)));
        } else if (isComparison(t)) {
            compareQuotedDateAsDate(i);
        } else if (isWord(t, "LIKE")) {
            exactLikeAsEquality(i);
        } else if (isWord(t, "WITH")) {
            indexHint(i);
        } else if (m_spelling.server) {
            serverWords(i);
        }
    }

    void serverWords(qsizetype i)
    {
        const dialect::Spelling::Server &server = *m_spelling.server;
        Token &t = m_tokens[i];
        const qsizetype next = nextSignificant(i);
        if (isWord(t, "IS") && next >= 0 && !isWord(m_tokens[next], "NULL")) {
            // SQLite's IS compares any two values, NULL as one of them.
            const qsizetype after = nextSignificant(next);
            if (!isWord(m_tokens[next], "NOT")) {
                t.setText(QLatin1String(server.sameAs));
            } else if (after >= 0 && !isWord(m_tokens[after], "NULL")) {
                t.setText(QLatin1String(server.differentFrom));
                m_tokens[next].setText(QString());
            }
        } else if (isWord(t, "BINARY") && isWord(m_tokens[previousSignificant(i)], "COLLATE")) {
            t.setText(QLatin1String(server.binary));
        } else if (isWord(t, "REPLACE") && followedByParenthesis(i)) {
            t.setText(QLatin1String(server.replace));
        } else if (isWord(t, "CAST") && followedByParenthesis(i)) {
            // CAST ( x AS INTEGER ): the last two words before the close.
            const qsizetype close = matchingClose(next);
            const qsizetype type = previousSignificant(close);
            const qsizetype as = previousSignificant(type);
            if (!isWord(m_tokens[type], "INTEGER") || !isWord(m_tokens[as], "AS"))
                return;
            t.setText(QLatin1String(server.integerOf));
            m_tokens[type].setText(QString());
            m_tokens[as].setText(QString());
        }
    }

    // "WITH ( INDEX ( name ) )": six significant tokens after WITH.
    void indexHint(qsizetype with)
    {
        QList<qsizetype> parts;
        for (qsizetype i = nextSignificant(with); i >= 0 && parts.size() < 6; i = nextSignificant(i))
            parts << i;
        const auto is = [&](int part, const char *symbol) { return isSymbol(m_tokens[parts[part]], symbol); };
        if (parts.size() < 6 || !is(0, "(") || !isWord(m_tokens[parts[1]], "INDEX") || !is(2, "(")
            || m_tokens[parts[3]].kind != Token::Word || !is(4, ")") || !is(5, ")"))
            return;
        const QString index = m_tokens[parts[3]].text().toString();
        for (qsizetype i = with + 1; i <= parts.last(); ++i)
            m_tokens[i].setText(QString());
        m_tokens[with].setText(m_spelling.indexHint(index));
    }

    bool isDateOperand(qsizetype i) const
    {
        if (i < 0)
            return false;
        const Token &t = m_tokens[i];
        if (t.kind == Token::Word)
            return schema::typeOfColumn(t.text().toString().remove(QLatin1Char('"'))) == ColumnType::Date;
        return isSymbol(t, ")") && m_cdateCloses.contains(i);
    }

    void compareQuotedDateAsDate(qsizetype op)
    {
        const qsizetype value = nextSignificant(op);
        if (value < 0 || m_tokens[value].kind != Token::String || !isDateOperand(previousSignificant(op)))
            return;
        const QString text = unquoted(m_tokens[value].text());
        if (const auto date = parseDayFirstDate(text); date && text.contains(QLatin1Char('/')))
            m_tokens[value].setText(quotedText(QString::fromLatin1(isoDate(*date))));
    }

    void exactLikeAsEquality(qsizetype like)
    {
        const qsizetype before = previousSignificant(like);
        const qsizetype value = nextSignificant(like);
        if (value < 0)
            return;
        const bool negated = before >= 0 && isWord(m_tokens[before], "NOT");
        Token &pattern = m_tokens[value];
        if (!negated && pattern.kind == Token::String) {
            const auto text = exactText(unquoted(pattern.text()));
            if (text && sameAsNumberOrText(*text)) {
                m_tokens[like].setText(QStringLiteral("="));
                if (m_spelling.server && !fitsColumn(before, *text))
                    pattern.setText(QStringLiteral("NULL"));
                else
                    pattern.setText(quotedText(*text) + QLatin1Char(' ') + QLatin1String(m_spelling.exactMatch));
                return;
            }
        } else if (!negated && pattern.kind == Token::Word && pattern.text().front().isDigit()) {
            m_tokens[like].setText(QStringLiteral("="));
            return;
        }
        if (m_spelling.server)
            foldBothSides(negated ? previousSignificant(before) : before, value);
    }

    // Whether a column of numbers or dates can hold the text: the server
    // refuses to compare them otherwise, where the file finds no row.
    bool fitsColumn(qsizetype column, const QString &text) const
    {
        if (column < 0 || m_tokens[column].kind != Token::Word)
            return true;
        switch (schema::typeOfColumn(m_tokens[column].text().toString().remove(QLatin1Char('"')))) {
        case ColumnType::Integer:
        case ColumnType::Money: {
            static const QRegularExpression integer(QStringLiteral("^-?\\d{1,18}$"));
            return integer.match(text).hasMatch();
        }
        case ColumnType::Number: {
            bool number = false;
            text.toDouble(&number);
            return number;
        }
        case ColumnType::Date:
            return QDate::fromString(text, Qt::ISODate).isValid();
        default:
            return true;
        }
    }

    // x LIKE p as fold(x) LIKE fold(p): the left side a (qualified) name or
    // a call, the right one token.
    void foldBothSides(qsizetype leftEnd, qsizetype right)
    {
        if (leftEnd < 0)
            return;
        qsizetype leftStart = leftEnd;
        if (isSymbol(m_tokens[leftEnd], ")")) {
            leftStart = matchingOpen(leftEnd);
            const qsizetype name = previousSignificant(leftStart);
            if (name >= 0 && m_tokens[name].kind == Token::Word)
                leftStart = name;
        } else {
            while (leftStart >= 2 && isSymbol(m_tokens[leftStart - 1], ".") && m_tokens[leftStart - 2].kind == Token::Word)
                leftStart -= 2;
        }
        const QString fold = QLatin1String(m_spelling.server->fold);
        m_tokens[leftStart].setText(fold + QStringLiteral("((") + m_tokens[leftStart].text().toString());
        // Byte for byte on the folded texts: LIKE refuses the collation of
        // the columns.
        m_tokens[leftEnd].setText(m_tokens[leftEnd].text().toString() + QStringLiteral(")::text) COLLATE ")
                                  + QLatin1String(m_spelling.server->binary));
        m_tokens[right].setText(fold + QLatin1Char('(') + m_tokens[right].text().toString() + QStringLiteral(") ESCAPE ''"));
    }

    qsizetype matchingOpen(qsizetype close) const
    {
        int depth = 0;
        for (qsizetype i = close; i >= 0; --i) {
            if (isSymbol(m_tokens[i], ")"))
                ++depth;
            else if (isSymbol(m_tokens[i], "(") && --depth == 0)
                return i;
        }
        throw StoreError(QStringLiteral("parentesi non aperta nell'istruzione SQL"));
    }

    const QString m_sql; // the tokens are views of it
    QList<Token> m_tokens;
    QList<qsizetype> m_cdateCloses;
    const dialect::Spelling &m_spelling;
};

}

QByteArray dialect::translate(const QString &jetSql, const Spelling &spelling)
{
    return Translator(jetSql, spelling).run();
}
