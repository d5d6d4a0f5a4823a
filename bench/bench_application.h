// The one application object of the benchmarks that need fonts or widgets.
#pragma once

class QApplication;

// Made on first use (offscreen) and never destroyed: the process ends with it still alive, so
// no window object outlives the application at exit.
QApplication& BenchApplication();
