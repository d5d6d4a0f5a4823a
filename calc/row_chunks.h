// Work over numbered rows 0 .. count - 1 whose results do not depend on one another (a function
// table, the samples of the points of interest), split into chunks handed out in order. With
// one thread everything runs on the caller's thread; otherwise workers evaluate the chunks, each
// with work of its own made on its own thread, and the caller's thread watches the stop and
// reports the finished prefix of the rows.
#pragma once

#include <cstdint>
#include <functional>

#include "calc/sample_stream.h"

// What one worker does with the rows begin .. end - 1. The rows it writes are its own: no two
// calls ever share a row.
using RowWork = std::function<void(int64_t begin, int64_t end)>;
// Makes a worker's work (its own copies of the engines it evaluates with); called on the
// thread that runs the work.
using RowWorkMaker = std::function<RowWork()>;

// Runs the work over the rows until all are done or the control stops. Returns the number of
// rows of the finished prefix: `count` unless stopped, and every row before it done in full.
// The control's progress is called on the caller's thread only, with the rows of the finished
// prefix: 0 first, then rising, always below `count`.
int64_t RunRowChunks(int64_t count, const SampleControl& control, const RowWorkMaker& makeWork);
