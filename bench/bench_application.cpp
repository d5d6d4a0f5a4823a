// The one application object of the benchmarks that need fonts or widgets.
#include "bench/bench_application.h"

#include <QApplication>

QApplication& BenchApplication() {
    static int argc = 1;
    static char name[] = "tarvik_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* const app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}
