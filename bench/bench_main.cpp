// SPDX-License-Identifier: GPL-3.0-or-later
// The benchmark program. Painting needs a QGuiApplication (fonts, image formats), on the
// offscreen platform so that it runs without a display. After the usual output comes the
// table of targets, each figure beside its baseline.
#include "targets.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TargetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
