// The chunked, ordered sample computation shared by the plot and the integral.
#include "calc/sample_stream.h"

#include <algorithm>
#include <chrono>

#include "engine/evaluator.h"

namespace {

// Samples evaluated in one call: several at once for the evaluator, few enough that a stop or
// the end of the stream is noticed soon.
constexpr int32_t kBatch = 32;
constexpr int32_t kLargestChunk = 2048;
// A chunk should take about this long, so that claims are rare and progress stays fine.
constexpr double kChunkNanoseconds = 4e6;
constexpr auto kWaitSlice = std::chrono::milliseconds(20);
constexpr int kChunksPerWorker = 4;

}  // namespace

int DefaultThreadCount() {
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

SampleStream::SampleStream(Engine& engine, const AbscissaRow& row, const SampleControl& control)
    : engine_(engine), control_(control), row_(row) {
    const int threads = std::max(1, control.Threads);
    ring_.resize(threads == 1 ? 1 : static_cast<size_t>(threads * kChunksPerWorker));
    for (Chunk& chunk : ring_) {
        chunk.x.resize(kLargestChunk);
        chunk.values.resize(kLargestChunk);
        chunk.ok = std::make_unique<bool[]>(kLargestChunk);
    }
    if (threads == 1) return;
    workerSource_.emplace(engine);
    workers_.reserve(static_cast<size_t>(threads));
    for (int i = 0; i < threads; ++i) workers_.emplace_back([this] { Work(); });
}

SampleStream::~SampleStream() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    abandon_.store(true, std::memory_order_relaxed);
    workReady_.notify_all();
    for (std::thread& worker : workers_) worker.join();
}

bool SampleStream::ClaimLocked(Chunk& chunk) {
    const int32_t size = chunkSize_.load(std::memory_order_relaxed);
    chunk.count = 0;
    chunk.ready = false;
    while (chunk.count < size && row_.Next(chunk.x[static_cast<size_t>(chunk.count)])) {
        ++chunk.count;
    }
    if (chunk.count == 0) rowEnded_ = true;
    return chunk.count > 0;
}

void SampleStream::Evaluate(Engine& engine, Chunk& chunk) {
    const auto start = std::chrono::steady_clock::now();
    for (int32_t done = 0; done < chunk.count; done += kBatch) {
        if (control_.Stopped() || abandon_.load(std::memory_order_relaxed)) return;
        const int32_t count = std::min(kBatch, chunk.count - done);
        EvaluateSamples(engine, chunk.x.data() + done, count, chunk.values.data() + done,
                        chunk.ok.get() + done);
    }
    const double elapsed = static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                                   std::chrono::steady_clock::now() - start)
                                                   .count());
    const double perSample = std::max(elapsed / chunk.count, 1.0);
    // Grows at most twofold per chunk, so that a stream starts with small chunks.
    const double grown = std::min(2.0 * chunk.count, double(kLargestChunk));
    const double wanted = std::clamp(kChunkNanoseconds / perSample, 1.0, grown);
    chunkSize_.store(static_cast<int32_t>(wanted), std::memory_order_relaxed);
}

void SampleStream::Work() {
    Engine engine = *workerSource_;
    const int64_t ring = static_cast<int64_t>(ring_.size());
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        while (!quit_ && !rowEnded_ && claimed_ >= consumed_ + ring) {
            workReady_.wait_for(lock, kWaitSlice);
            if (control_.Stopped()) return;
        }
        if (quit_ || rowEnded_ || control_.Stopped()) return;
        Chunk& chunk = ring_[static_cast<size_t>(claimed_ % ring)];
        if (!ClaimLocked(chunk)) {
            chunkReady_.notify_all();
            return;
        }
        ++claimed_;
        lock.unlock();
        Evaluate(engine, chunk);
        lock.lock();
        chunk.ready = true;
        chunkReady_.notify_all();
    }
}

// Moves the reader to the next chunk in order; false at the end or on a stop.
bool SampleStream::Refill() {
    if (control_.Progress && read_ > 0) control_.Progress(read_);
    if (control_.Stopped()) return false;
    position_ = 0;
    if (workers_.empty()) {
        Chunk& chunk = ring_.front();
        current_ = nullptr;
        if (!ClaimLocked(chunk)) return false;
        Evaluate(engine_, chunk);
        current_ = &chunk;
        return !control_.Stopped();
    }
    const int64_t ring = static_cast<int64_t>(ring_.size());
    std::unique_lock<std::mutex> lock(mutex_);
    if (current_ != nullptr) {
        current_ = nullptr;
        ++consumed_;
        workReady_.notify_all();
    }
    for (;;) {
        if (control_.Stopped()) return false;
        if (consumed_ < claimed_) {
            Chunk& chunk = ring_[static_cast<size_t>(consumed_ % ring)];
            if (chunk.ready) {
                current_ = &chunk;
                return true;
            }
        } else if (rowEnded_) {
            return false;
        }
        chunkReady_.wait_for(lock, kWaitSlice);
    }
}

bool SampleStream::Next(ExtendedReal& x, ExtendedReal& value, bool& ok) {
    if (current_ == nullptr || position_ >= current_->count) {
        if (!Refill()) return false;
    }
    if (control_.Stopped()) return false;
    const size_t i = static_cast<size_t>(position_++);
    x = current_->x[i];
    value = current_->values[i];
    ok = current_->ok[i];
    ++read_;
    return true;
}

bool SampleStream::Stuck() const {
    return row_.Stuck();
}
