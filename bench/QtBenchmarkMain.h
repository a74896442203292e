#pragma once
// The entry point of the benchmarks that draw: a QApplication on the offscreen platform (unless
// QT_QPA_PLATFORM says otherwise), then Google Benchmark. `before` runs once the application
// exists, for example to paint as the program does before it measures.

#include <QApplication>

#include <benchmark/benchmark.h>

#include <functional>

inline int RunQtBenchmarks(int argc, char** argv, const std::function<void()>& before = {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (before)
        before();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
