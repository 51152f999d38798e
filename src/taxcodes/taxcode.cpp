#include "taxcode.h"

#include "vatnumber.h"

#include <algorithm>

namespace taxcode {

namespace {

const QString Months = QStringLiteral("ABCDEHLMPRST");
// The letters that stand for 0..9 where a digit was replaced (omocodia).
constexpr char16_t DigitLetters[] = u"LMNPQRSTUV";

// 0..9 for a digit or the letter standing for it, -1 for anything else.
int digitOf(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - '0';
    const char16_t *found = std::char_traits<char16_t>::find(DigitLetters, 10, c.unicode());
    return found ? int(found - DigitLetters) : -1;
}
// Positions of the digits: year, day, place.
constexpr int DigitPositions[] = {6, 7, 9, 10, 12, 13, 14};

// Values of a character in an odd (1st, 3rd, ...) position: 0/A, 1/B, ...
constexpr int OddValues[26] = {1, 0, 5, 7, 9, 13, 15, 17, 19, 21, 2, 4, 18, 20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};

QChar checkLetter(const QString &first15)
{
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        const QChar c = first15.at(i);
        const int index = c.unicode() <= '9' ? c.unicode() - '0' : c.unicode() - 'A';
        sum += i % 2 == 0 ? OddValues[index] : index;
    }
    return QChar('A' + sum % 26);
}

// The code with its replaced digits read back.
QString withDigits(QString code)
{
    for (int position : DigitPositions) {
        code[position] = QChar('0' + digitOf(code.at(position)));
    }
    return code;
}

int twoDigits(const QString &text, int position)
{
    return (text.at(position).unicode() - '0') * 10 + text.at(position + 1).unicode() - '0';
}

bool isLetter(QChar c)
{
    return c >= u'A' && c <= u'Z';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool allDigits(const QString &text)
{
    return std::all_of(text.begin(), text.end(), isDigit);
}

// Six letters, year, month letter, day, place letter and digits, check
// letter; each digit may stand as its letter (omocodia).
bool hasShape(const QString &code)
{
    for (int i = 0; i < 16; ++i) {
        const QChar c = code.at(i);
        const bool digitPlace = std::find(std::begin(DigitPositions), std::end(DigitPositions), i) != std::end(DigitPositions);
        if (digitPlace ? digitOf(c) < 0 : !isLetter(c))
            return false;
    }
    return true;
}

}

CodeCheck check(const QString &code, std::optional<Birth> *birth)
{
    const QString text = normalizedCode(code);
    if (text.size() == 11 && allDigits(text))
        return vatnumber::check(text);
    if (text.size() != 16) {
        const bool foreign = text.size() > 2 && isLetter(text.at(0)) && isLetter(text.at(1)) && isDigit(text.at(2));
        if (foreign && !text.startsWith(QLatin1String("IT")))
            return CodeCheck::notCheckable(QStringLiteral("codice estero (%1)").arg(text.left(2)));
        return CodeCheck::invalid(QStringLiteral("lunghezza errata: %1 caratteri invece di 16").arg(text.size()));
    }
    if (!hasShape(text))
        return CodeCheck::invalid(QStringLiteral("struttura errata: sei lettere, anno, mese, giorno, comune, controllo"));
    const QChar expected = checkLetter(text);
    if (text.at(15) != expected)
        return CodeCheck::invalid(QStringLiteral("carattere di controllo errato: atteso %1").arg(expected));
    const QString plain = withDigits(text);
    const int month = int(Months.indexOf(plain.at(8))) + 1;
    if (month == 0)
        return CodeCheck::invalid(QStringLiteral("lettera del mese errata: %1").arg(plain.at(8)));
    int day = twoDigits(plain, 9);
    const QChar sex = day > 40 ? u'F' : u'M';
    if (day > 40)
        day -= 40;
    if (day < 1 || day > 31)
        return CodeCheck::invalid(QStringLiteral("giorno di nascita errato: %1").arg(plain.mid(9, 2)));
    // Two digits of the year: a year still to come is of the last century.
    const int shortYear = twoDigits(plain, 6);
    // Read once: asking the clock reads the time zone, dearer than the check.
    static const int thisYear = QDate::currentDate().year();
    int year = thisYear / 100 * 100 + shortYear;
    if (year > thisYear)
        year -= 100;
    const QDate date(year, month, day);
    if (!date.isValid())
        return CodeCheck::invalid(QStringLiteral("data di nascita inesistente: %1/%2/%3")
                                      .arg(day, 2, 10, QLatin1Char('0'))
                                      .arg(month, 2, 10, QLatin1Char('0'))
                                      .arg(year));
    const QString placeCode = plain.mid(11, 4);
    const auto place = territory::placeOf(placeCode, date);
    if (!place)
        return CodeCheck::invalid(QStringLiteral("codice del luogo di nascita inesistente: %1").arg(placeCode));
    if (birth)
        *birth = Birth{date, sex, placeCode, place};
    return CodeCheck::valid();
}

}
