#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <memory>

// The main of every benchmark program: a Qt application (with windows, drawn off screen, when the benchmarks
// need them) around Google Benchmark.
inline int runBenchmarks(int argc, char **argv, bool withWindows) {
    std::unique_ptr<QCoreApplication> app;
    if (withWindows) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
