#pragma once

#include <QApplication>
#include <benchmark/benchmark.h>

// The benchmarks' main: widgets off screen, the generated data made before
// the first measurement.
template<typename Prepare>
int runBenchmarks(int argc, char **argv, Prepare prepare, benchmark::BenchmarkReporter *reporter = nullptr)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    prepare();
    benchmark::RunSpecifiedBenchmarks(reporter);
    benchmark::Shutdown();
    return 0;
}
