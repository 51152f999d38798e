#include "paymentterms.h"

#include "codelists.h"

#include <QRegularExpression>

namespace paymentterms {

namespace {

// The method named by the first word the terms hold; a transfer when
// they name none.
QString methodOf(const QString &terms)
{
    struct Word
    {
        QRegularExpression pattern;
        QString method;
    };
    // Compiled once: every bill the window lists reads its client's terms.
    static const QList<Word> words = [] {
        static const struct
        {
            const char *pattern;
            const char *method;
        } given[] = {
            {"\\bRI\\.?BA\\b|RICEVUTA BANCARIA", "MP12"},
            {"\\bSDD\\b|\\bRID\\b|ADDEBITO|DOMICILIAZIONE", "MP19"},
            {"CONTANT", "MP01"},
            {"ASSEGNO CIRCOLARE", "MP03"},
            {"ASSEGNO", "MP02"},
            {"\\bCARTA\\b|BANCOMAT|\\bPOS\\b", "MP08"},
            {"PAGOPA", "MP23"},
            {"BOLLETTINO", "MP18"},
            {"BONIFICO|\\bB\\.?B\\.?\\b", "MP05"},
        };
        QList<Word> compiled;
        for (const auto &word : given)
            compiled << Word{QRegularExpression(QLatin1String(word.pattern)), QLatin1String(word.method)};
        return compiled;
    }();
    for (const Word &word : words)
        if (word.pattern.match(terms).hasMatch())
            return word.method;
    return QStringLiteral("MP05");
}

}

bool Terms::toOfficeAccount() const
{
    return method == QLatin1String("MP05") || method == QLatin1String("MP19");
}

Terms of(const QString &given, const QDate &billDate, qint64 payableCents)
{
    const QString terms = given.toUpper();
    Terms read;
    read.method = methodOf(terms);
    // The days of each term: "30/60/90", "30-60 GG", "60 GIORNI".
    QList<int> days;
    static const QRegularExpression number(QStringLiteral("\\b(\\d{1,3})\\b"));
    for (auto found = number.globalMatch(terms); found.hasNext();) {
        const int value = found.next().captured(1).toInt();
        if (value > 0 && value <= 365)
            days << value;
    }
    static const QRegularExpression monthEnd(QStringLiteral("\\bF\\.?\\s?M\\.?\\b|FINE MESE"));
    const bool toMonthEnd = monthEnd.match(terms).hasMatch();
    read.dueAtOnce = days.isEmpty();
    if (days.isEmpty())
        days << 0;
    const qint64 each = payableCents / days.size();
    for (int i = 0; i < days.size(); ++i) {
        QDate due = billDate.addDays(days.at(i));
        if (toMonthEnd)
            due = QDate(due.year(), due.month(), due.daysInMonth());
        read.instalments << Instalment{due, i + 1 < days.size() ? each : payableCents - each * (days.size() - 1)};
    }
    return read;
}

QString methodText(const QString &method)
{
    for (const codelists::Code &code : codelists::of(QStringLiteral("ModalitaPagamentoType")))
        if (code.code == method)
            return code.description;
    return method;
}

}
