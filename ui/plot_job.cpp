// The window's background work: one thread per job, the samples on every core, results back to
// the window's thread as queued calls into the runner.
#include "ui/plot_job.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

constexpr auto kProgressDelay = std::chrono::milliseconds(WorkRunner::kProgressDelayMs);
constexpr auto kProgressRefresh = std::chrono::milliseconds(100);

// Job threads are detached: closing the window never waits for a sample being computed. They
// are counted so that the program and the tests can wait for them. The count outlives every
// thread (it is never destroyed), and a thread's last use of it is under its lock.
struct LiveThreads {
    std::mutex mutex;
    std::condition_variable changed;
    int count = 0;
};

LiveThreads& Live() {
    static LiveThreads* const live = new LiveThreads;
    return *live;
}

void ThreadStarted() {
    const std::lock_guard<std::mutex> lock(Live().mutex);
    ++Live().count;
}

void ThreadEnded() {
    LiveThreads& live = Live();
    const std::lock_guard<std::mutex> lock(live.mutex);
    --live.count;
    live.changed.notify_all();
}

int Percent(int64_t done, int64_t expected) {
    if (expected <= 0) return 0;
    return static_cast<int>(std::clamp<int64_t>(done * 100 / expected, 0, 99));
}

}  // namespace

void WorkThreadStarted() {
    ThreadStarted();
}

void WorkThreadEnded() {
    ThreadEnded();
}

bool WaitForWorkThreads(int milliseconds) {
    LiveThreads& live = Live();
    std::unique_lock<std::mutex> lock(live.mutex);
    return live.changed.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                 [&live] { return live.count == 0; });
}

struct WorkRunner::Shared {
    uint64_t id = 0;
    int threads = 1;
    std::shared_ptr<WorkJob> job;
    std::atomic<bool> stop{false};
    std::mutex mailbox;
    WorkRunner* receiver = nullptr;  // none once the job is cancelled

    template <class Call>
    void Post(Call call) {
        const std::lock_guard<std::mutex> lock(mailbox);
        if (receiver == nullptr) return;
        WorkRunner* const to = receiver;
        QMetaObject::invokeMethod(
            to, [to, call = std::move(call)]() mutable { call(*to); }, Qt::QueuedConnection);
    }
};

WorkRunner::WorkRunner(QObject* parent) : QObject(parent) {
    progressTimer_.setSingleShot(true);
    progressTimer_.setInterval(kProgressDelayMs);
    connect(&progressTimer_, &QTimer::timeout, this, &WorkRunner::ShowProgress);
}

WorkRunner::~WorkRunner() {
    blockSignals(true);
    Cancel();
}

void WorkRunner::Start(std::shared_ptr<WorkJob> job, int threads) {
    Cancel();
    auto shared = std::make_shared<Shared>();
    shared->id = nextId_++;
    shared->threads = std::max(threads, 1);
    shared->job = std::move(job);
    shared->receiver = this;
    current_ = shared;
    progressTimer_.start();
    ThreadStarted();
    std::thread([shared] {
        RunJob(shared);
        ThreadEnded();
    }).detach();
}

void WorkRunner::Stop() {
    if (current_) current_->stop = true;
}

void WorkRunner::Cancel() {
    if (!current_) return;
    {
        const std::lock_guard<std::mutex> lock(current_->mailbox);
        current_->receiver = nullptr;
    }
    current_->stop = true;
    current_.reset();
    EndProgress();
}

void WorkRunner::ShowProgress() {
    if (!current_ || progressShown_) return;
    progressShown_ = true;
    emit progressStarted();
}

void WorkRunner::EndProgress() {
    progressTimer_.stop();
    if (!progressShown_) return;
    progressShown_ = false;
    emit progressEnded();
}

void WorkRunner::Progressed(uint64_t id, int percent, const QImage& preview) {
    if (!current_ || current_->id != id) return;
    ShowProgress();
    emit progress(percent, preview);
}

void WorkRunner::Delivered(uint64_t id, std::shared_ptr<WorkJob> job) {
    if (!current_ || current_->id != id) return;
    current_.reset();
    EndProgress();
    emit finished(std::move(job));
}

// Runs on the job's own thread: nothing here touches the runner but through Post.
namespace {

// The plot of a run. With a sequence picture chosen, the run's own plot (which gives its outcome
// line) goes to a scratch copy, and the chosen picture to the job's picture.
void RunStep(WorkJob& job, PlotStep& step, const SampleControl& control) {
    if (step.Mode == PictureMode::Graph) {
        FinishRun(job.JobEngine, step.View, job.Picture, step.Options, step.Outcome, control);
        return;
    }
    Canvas scratch = job.Picture;
    FinishRun(job.JobEngine, step.View, scratch, step.Options, step.Outcome, control);
    if (step.Outcome.Overflow || control.Stopped()) return;
    try {
        step.Drawn = DrawPicture(job.Picture, job.JobEngine, step.View, step.Options, step.Mode,
                                 step.SequenceX, control);
    } catch (const DrawingOverflow&) {
        step.Outcome.Overflow = true;
    }
}

}  // namespace

void WorkRunner::RunJob(const std::shared_ptr<Shared>& shared) {
    WorkJob& job = *shared->job;
    SampleControl control;
    control.Threads = shared->threads;
    control.Stop = &shared->stop;
    const auto start = std::chrono::steady_clock::now();
    auto lastShown = start;
    int64_t expected = 1;
    control.Progress = [&](int64_t done) {
        const auto now = std::chrono::steady_clock::now();
        if (now - start < kProgressDelay || now - lastShown < kProgressRefresh) return;
        lastShown = now;
        const int percent = Percent(done, expected);
        // Shares the picture's pixels; the next drawing here copies them first.
        const QImage preview = job.Integral ? QImage() : job.Picture.Image();
        const uint64_t id = shared->id;
        shared->Post([id, percent, preview](WorkRunner& runner) {
            runner.Progressed(id, percent, preview);
        });
    };

    if (job.Integral) {
        expected = kIntegralStripCount + 1;
        job.IntegralOutcome = CalculateIntegral(job.JobEngine, job.From, job.To, control);
        // A stop that comes after the last sample leaves the result standing.
        job.Stopped = control.Stopped() && job.IntegralOutcome.Empty();
    } else {
        for (PlotStep& step : job.Steps) {
            if (control.Stopped()) {
                job.Stopped = true;
                break;
            }
            expected = int64_t{std::max(job.Picture.Width(), 1)} *
                       std::max<int32_t>(step.View.SamplesPerPixel, 1);
            if (step.Run) {
                RunStep(job, step, control);
            } else {
                try {
                    const PictureOutcome drawn =
                        DrawPicture(job.Picture, job.JobEngine, step.View, step.Options, step.Mode,
                                    step.SequenceX, control);
                    step.GraphBuilt = drawn.UsesX;
                    step.Drawn = drawn;
                } catch (const DrawingOverflow&) {
                    step.Overflow = true;
                }
            }
            ++job.StepsDone;
            if (control.Stopped()) {
                job.Stopped = true;
                break;
            }
        }
    }
    std::shared_ptr<WorkJob> done = shared->job;
    const uint64_t id = shared->id;
    shared->Post([id, done](WorkRunner& runner) { runner.Delivered(id, done); });
}
