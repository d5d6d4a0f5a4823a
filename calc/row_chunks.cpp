// The chunked row work on worker threads, finished chunks gathered into an ordered prefix.
#include "calc/row_chunks.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Rows between two looks at the stop: a row may walk a long sequence.
constexpr int64_t kBatch = 32;
// The first chunk is small, so that a stop or a short table is served soon; chunks then grow
// at most twofold each towards about kChunkNanoseconds of work.
constexpr int64_t kFirstChunk = 4;
constexpr int64_t kLargestChunk = 8192;
constexpr double kChunkNanoseconds = 2e6;
constexpr auto kWaitSlice = std::chrono::milliseconds(20);

// The size of the next chunk after one of `rows` rows took `nanoseconds`.
int64_t NextChunkSize(int64_t rows, double nanoseconds) {
    const double perRow = std::max(nanoseconds / double(rows), 1.0);
    const double grown = std::min(2.0 * double(rows), double(kLargestChunk));
    return static_cast<int64_t>(std::clamp(kChunkNanoseconds / perRow, 1.0, grown));
}

// Runs the rows begin .. end - 1 in batches; false when `abandon` said to stop before the end.
template <typename Abandon>
bool RunChunk(const RowWork& work, int64_t begin, int64_t end, const Abandon& abandon) {
    for (int64_t row = begin; row < end; row += kBatch) {
        if (abandon()) return false;
        work(row, std::min(end, row + kBatch));
    }
    return true;
}

double NanosecondsSince(std::chrono::steady_clock::time_point start) {
    return static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                   std::chrono::steady_clock::now() - start)
                                   .count());
}

int64_t RunOnCaller(int64_t count, const SampleControl& control, const RowWorkMaker& makeWork) {
    const RowWork work = makeWork();
    const auto stopped = [&control] { return control.Stopped(); };
    int64_t done = 0;
    int64_t size = kFirstChunk;
    while (done < count && !control.Stopped()) {
        if (control.Progress) control.Progress(done);
        const int64_t end = std::min(count, done + size);
        const auto start = std::chrono::steady_clock::now();
        if (!RunChunk(work, done, end, stopped)) break;
        size = NextChunkSize(end - done, NanosecondsSince(start));
        done = end;
    }
    return done;
}

// The shared state of a run on workers.
class ChunkRun {
  public:
    ChunkRun(int64_t count, const SampleControl& control, const RowWorkMaker& makeWork)
        : count_(count), control_(control), makeWork_(makeWork) {}

    int64_t Run(int threads) {
        std::vector<std::thread> workers;
        workers.reserve(size_t(threads));
        for (int i = 0; i < threads; ++i) workers.emplace_back([this] { Work(); });
        Watch();
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            quit_ = true;
        }
        for (std::thread& worker : workers) worker.join();
        return prefix_;
    }

  private:
    // On the caller's thread: the progress of the prefix, until the end or a stop.
    void Watch() {
        if (control_.Progress) control_.Progress(0);
        int64_t reported = 0;
        std::unique_lock<std::mutex> lock(mutex_);
        while (prefix_ < count_ && !control_.Stopped()) {
            prefixMoved_.wait_for(lock, kWaitSlice);
            const int64_t prefix = prefix_;
            if (!control_.Progress || prefix == reported || prefix >= count_) continue;
            reported = prefix;
            lock.unlock();
            control_.Progress(prefix);
            lock.lock();
        }
    }

    void Work() {
        const RowWork work = makeWork_();
        const auto abandon = [this] { return control_.Stopped(); };
        std::unique_lock<std::mutex> lock(mutex_);
        while (!quit_ && next_ < count_ && !control_.Stopped()) {
            const int64_t begin = next_;
            const int64_t end = std::min(count_, begin + chunkSize_);
            next_ = end;
            lock.unlock();
            const auto start = std::chrono::steady_clock::now();
            const bool finished = RunChunk(work, begin, end, abandon);
            const double nanoseconds = NanosecondsSince(start);
            lock.lock();
            // A chunk cut short by a stop is dropped: the prefix ends before it.
            if (!finished) return;
            chunkSize_ = NextChunkSize(end - begin, nanoseconds);
            Finished(begin, end);
        }
    }

    // Adds a finished chunk and moves the prefix over every chunk that now joins it. Caller
    // holds mutex_.
    void Finished(int64_t begin, int64_t end) {
        pending_.emplace(begin, end);
        bool moved = false;
        for (auto first = pending_.begin(); first != pending_.end() && first->first == prefix_;
             first = pending_.erase(first)) {
            prefix_ = first->second;
            moved = true;
        }
        if (moved) prefixMoved_.notify_one();
    }

    const int64_t count_;
    const SampleControl& control_;
    const RowWorkMaker& makeWork_;
    std::mutex mutex_;
    std::condition_variable prefixMoved_;
    int64_t next_ = 0;  // the first row not handed out
    int64_t chunkSize_ = kFirstChunk;
    int64_t prefix_ = 0;                  // rows 0 .. prefix_ - 1 are done
    std::map<int64_t, int64_t> pending_;  // finished chunks past the prefix: begin -> end
    bool quit_ = false;                   // the caller is done watching
};

}  // namespace

int64_t RunRowChunks(int64_t count, const SampleControl& control, const RowWorkMaker& makeWork) {
    if (count <= 0) return 0;
    const int threads = static_cast<int>(std::min<int64_t>(std::max(1, control.Threads), count));
    if (threads == 1) return RunOnCaller(count, control, makeWork);
    return ChunkRun(count, control, makeWork).Run(threads);
}
