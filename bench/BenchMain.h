#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <memory>

// Whether the compiler optimised this program: figures from an unoptimised build say nothing about the
// program a school runs.
#ifdef __OPTIMIZE__
constexpr bool kOptimisedBuild = true;
#else
constexpr bool kOptimisedBuild = false;
#endif

// Says what the benchmarks were built as; false (with a message) when the build is not optimised and the
// caller did not ask for it with --allow-debug, which is taken out of the arguments.
inline bool checkBuildType(int &argc, char **argv) {
    bool allowDebug = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--allow-debug") == 0) {
            allowDebug = true;
            for (int j = i; j < argc - 1; ++j)
                argv[j] = argv[j + 1];
            --argc;
            break;
        }
    }
    std::printf("Build type: %s (%s)\n", LORVANTO_BUILD_TYPE,
                kOptimisedBuild ? "optimised" : "not optimised");
    std::fflush(stdout);
    if (!kOptimisedBuild && !allowDebug) {
        std::fprintf(stderr, "This build is not optimised, so its figures mean nothing; build with "
                             "-DCMAKE_BUILD_TYPE=Release, or run with --allow-debug.\n");
        return false;
    }
    return true;
}

// The main of every benchmark program: a Qt application (with windows, drawn off screen, when the benchmarks
// need them) around Google Benchmark.
inline int runBenchmarks(int argc, char **argv, bool withWindows) {
    if (!checkBuildType(argc, argv))
        return 2;
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
