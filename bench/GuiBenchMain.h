#pragma once

#include "platform/ConnectionPool.h"

#include <QApplication>

#include <benchmark/benchmark.h>

// The main of a benchmark program that needs the application object of the
// windows (offscreen unless told otherwise): runs the benchmarks the command
// line names and closes the pooled connections while Qt is still there (a
// generated server kept in a static outlives the application object).
inline int RunGuiBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VornTanorEditor"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ConnectionPool::instance().closeAll();
    return 0;
}
