// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QStandardPaths>
#include <QtGlobal>
#include <benchmark/benchmark.h>

namespace wrenfold::bench {

/// The body of a benchmark program that needs a Qt application object: windows are drawn
/// offscreen unless a platform is named, and nothing touches the user's own folders.
template <typename Application> int runBenchmarks(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace wrenfold::bench
