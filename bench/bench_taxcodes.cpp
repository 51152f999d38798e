// The offline checks of the client window and of velmora-cli codice, on
// 10,000 generated tax codes (valid, omocodic, and with a wrong check letter).
#include "taxcodes/iban.h"
#include "taxcodes/taxcode.h"
#include "taxcodes/vatnumber.h"

#include <QCoreApplication>
#include <QStringList>
#include <benchmark/benchmark.h>

namespace {

QChar checkLetter(const QString &first15)
{
    static const int odd[26] = {1, 0, 5, 7, 9, 13, 15, 17, 19, 21, 2, 4, 18, 20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        const QChar c = first15.at(i);
        const int v = c.isDigit() ? c.digitValue() : c.unicode() - 'A';
        sum += i % 2 == 0 ? odd[v] : v;
    }
    return QChar('A' + sum % 26);
}

const QStringList &codes()
{
    static const QStringList all = [] {
        const char *places[] = {"H501", "F205", "A345", "L219", "Z404", "A012", "M432", "B626"};
        QStringList list;
        for (int i = 0; i < 10000; ++i) {
            QString code = QStringLiteral("RSSMRA%1%2%3%4")
                               .arg(40 + i % 60)
                               .arg(QChar("ABCDEHLMPRST"[i % 12]))
                               .arg(1 + i % 28 + (i % 2 ? 40 : 0), 2, 10, QLatin1Char('0'))
                               .arg(QLatin1String(places[i % 8]));
            if (i % 10 == 0)
                code[14] = QChar("LMNPQRSTUV"[code.at(14).digitValue()]);
            code += checkLetter(code);
            if (i % 7 == 0)
                code[15] = code.at(15) == u'A' ? u'B' : u'A';
            list << code;
        }
        return list;
    }();
    return all;
}

void TaxCodeCheck(benchmark::State &state)
{
    codes();
    taxcode::check(codes().first()); // the shipped lists read once, as at the first use
    for (auto _ : state) {
        int valid = 0;
        for (const QString &code : codes()) {
            std::optional<taxcode::Birth> birth;
            valid += taxcode::check(code, &birth).isValid();
        }
        state.counters["valid"] = valid;
    }
}

void VatNumberCheck(benchmark::State &state)
{
    QStringList numbers;
    for (int i = 0; i < 10000; ++i)
        numbers << QStringLiteral("0123456%1").arg(i % 1000 + 1, 4, 10, QLatin1Char('0'));
    for (auto _ : state)
        for (const QString &number : numbers)
            benchmark::DoNotOptimize(vatnumber::check(number));
}

}

BENCHMARK(TaxCodeCheck)->Unit(benchmark::kMillisecond);
BENCHMARK(VatNumberCheck)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
