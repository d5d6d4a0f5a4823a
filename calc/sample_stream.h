// Samples of the last built tree along a row of abscissae, computed on worker threads. The
// abscissae are made by repeated addition, so they are produced in order, a chunk at a time,
// under the claim of that chunk; each worker evaluates its chunks with its own copy of the
// engine. The reader takes the samples in order from the completed prefix of chunks; a bounded
// ring of chunks keeps memory small however many samples the row holds.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "engine/engine_state.h"

// The abscissae x1 = start + step, x2 = x1 + step, ... in order. The row ends after `budget`
// values, after the first value above `limit`, or where the step no longer moves the abscissa
// (for the first value too when `stuckEndsFirst` is set, which then counts as Stuck()).
class AbscissaRow {
  public:
    AbscissaRow(ExtendedReal start, ExtendedReal step, int64_t budget, ExtendedReal limit,
                bool stuckEndsFirst = false)
        : x_(start), step_(step), budget_(budget), limit_(limit), stuckEndsFirst_(stuckEndsFirst) {}

    bool Next(ExtendedReal& x) {
        if (taken_ >= budget_ || (taken_ > 0 && x_ > limit_)) return false;
        const ExtendedReal next = x_ + step_;
        if (next == x_ && (taken_ > 0 || stuckEndsFirst_)) {
            stuck_ = true;
            return false;
        }
        x_ = next;
        ++taken_;
        x = x_;
        return true;
    }
    bool Stuck() const { return stuck_; }

  private:
    ExtendedReal x_;
    const ExtendedReal step_;
    const int64_t budget_;
    const ExtendedReal limit_;
    const bool stuckEndsFirst_;
    int64_t taken_ = 0;
    bool stuck_ = false;
};

// How a long computation is driven: the threads it may use (1: everything on the calling
// thread), a flag that ends it early, and a hook the reading thread calls between chunks with
// the number of samples read so far.
struct SampleControl {
    int Threads = 1;
    const std::atomic<bool>* Stop = nullptr;
    std::function<void(int64_t)> Progress;

    bool Stopped() const { return Stop != nullptr && Stop->load(std::memory_order_relaxed); }
};

// The machine's cores, at least 1.
int DefaultThreadCount();

class SampleStream {
  public:
    // With one thread the samples are evaluated on the reader's thread with `engine` itself;
    // otherwise each worker evaluates with its own copy of it.
    SampleStream(Engine& engine, const AbscissaRow& row, const SampleControl& control);
    ~SampleStream();
    SampleStream(const SampleStream&) = delete;
    SampleStream& operator=(const SampleStream&) = delete;

    // The next sample in order; false at the end of the row or once the control stops.
    bool Next(ExtendedReal& x, ExtendedReal& value, bool& ok);
    // Whether the row ended because the step no longer moved the abscissa (after Next failed).
    bool Stuck() const;
    int64_t Read() const { return read_; }

  private:
    struct Chunk {
        std::vector<ExtendedReal> x;
        std::vector<ExtendedReal> values;
        std::unique_ptr<bool[]> ok;
        int32_t count = 0;
        bool ready = false;
    };

    // Fills `chunk` with the next abscissae; false when the row has ended. Caller holds mutex_.
    bool ClaimLocked(Chunk& chunk);
    void Evaluate(Engine& engine, Chunk& chunk);
    void Work();
    bool Refill();

    Engine& engine_;
    // What the workers copy their engines from: taken before they start, so that the reader may
    // go on evaluating with engine_ (a point between samples) while they work.
    std::optional<Engine> workerSource_;
    const SampleControl& control_;
    AbscissaRow row_;
    std::vector<Chunk> ring_;
    std::mutex mutex_;
    std::condition_variable workReady_;
    std::condition_variable chunkReady_;
    int64_t claimed_ = 0;   // chunks handed out
    int64_t consumed_ = 0;  // chunks the reader has finished with
    bool rowEnded_ = false;
    bool quit_ = false;
    std::atomic<bool> abandon_{false};  // quit_, read without the lock
    std::atomic<int32_t> chunkSize_{4};
    std::vector<std::thread> workers_;
    // The reader's position in the chunk it reads.
    Chunk* current_ = nullptr;
    int32_t position_ = 0;
    int64_t read_ = 0;
};
