// The table window's fills on a thread of their own, results back as queued calls.
#include "ui/table_fill.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "ui/plot_job.h"

namespace {

constexpr auto kProgressDelay = std::chrono::milliseconds(TableFiller::kProgressDelayMs);
constexpr auto kProgressRefresh = std::chrono::milliseconds(100);

int64_t ExpectedSteps(const TableFillJob& job) {
    if (!job.Sequence) return job.Range.Count;
    return int64_t{job.JobEngine.IndexTo} - job.JobEngine.IndexFrom + 1;
}

}  // namespace

void RunTableFill(TableFillJob& job, const SampleControl& control) {
    if (job.Sequence) {
        const TermList terms = ComputeTerms(job.JobEngine, job.X, &control);
        if (control.Stopped()) {
            job.Stopped = true;
            return;
        }
        job.Rows = SequenceRows(terms);
        job.Summary = SequenceSummary(terms);
    } else {
        job.Rows = FunctionRows(job.JobEngine, job.Range, &control);
        job.Stopped = control.Stopped();
        if (job.Stopped) job.Rows = TableRows();
    }
}

struct TableFiller::Shared {
    uint64_t id = 0;
    std::shared_ptr<TableFillJob> job;
    std::atomic<bool> stop{false};
    std::mutex mailbox;
    TableFiller* receiver = nullptr;  // none once the fill is cancelled

    template <class Call>
    void Post(Call call) {
        const std::lock_guard<std::mutex> lock(mailbox);
        if (receiver == nullptr) return;
        TableFiller* const to = receiver;
        QMetaObject::invokeMethod(
            to, [to, call = std::move(call)]() mutable { call(*to); }, Qt::QueuedConnection);
    }
};

TableFiller::TableFiller(QObject* parent) : QObject(parent) {
    progressTimer_.setSingleShot(true);
    progressTimer_.setInterval(kProgressDelayMs);
    connect(&progressTimer_, &QTimer::timeout, this, &TableFiller::ShowProgress);
}

TableFiller::~TableFiller() {
    blockSignals(true);
    Cancel();
}

void TableFiller::Start(std::shared_ptr<TableFillJob> job) {
    Cancel();
    auto shared = std::make_shared<Shared>();
    shared->id = nextId_++;
    shared->job = std::move(job);
    shared->receiver = this;
    current_ = shared;
    progressTimer_.start();
    // Counted with the plot's threads, so that closing the program waits for it (briefly).
    WorkThreadStarted();
    std::thread([shared] {
        RunJob(shared);
        WorkThreadEnded();
    }).detach();
}

void TableFiller::Stop() {
    if (current_) current_->stop = true;
}

void TableFiller::Cancel() {
    if (!current_) return;
    {
        const std::lock_guard<std::mutex> lock(current_->mailbox);
        current_->receiver = nullptr;
    }
    current_->stop = true;
    current_.reset();
    EndProgress();
}

void TableFiller::ShowProgress() {
    if (!current_ || progressShown_) return;
    progressShown_ = true;
    emit progressStarted();
}

void TableFiller::EndProgress() {
    progressTimer_.stop();
    if (!progressShown_) return;
    progressShown_ = false;
    emit progressEnded();
}

void TableFiller::Progressed(uint64_t id, int percent) {
    if (!current_ || current_->id != id) return;
    ShowProgress();
    emit progress(percent);
}

void TableFiller::Delivered(uint64_t id, std::shared_ptr<TableFillJob> job) {
    if (!current_ || current_->id != id) return;
    current_.reset();
    EndProgress();
    emit finished(std::move(job));
}

// Runs on the fill's own thread: nothing here touches the filler but through Post.
void TableFiller::RunJob(const std::shared_ptr<Shared>& shared) {
    TableFillJob& job = *shared->job;
    const int64_t expected = std::max<int64_t>(ExpectedSteps(job), 1);
    const auto start = std::chrono::steady_clock::now();
    auto lastShown = start;
    SampleControl control;
    control.Stop = &shared->stop;
    control.Progress = [&](int64_t done) {
        const auto now = std::chrono::steady_clock::now();
        if (now - start < kProgressDelay || now - lastShown < kProgressRefresh) return;
        lastShown = now;
        const int percent = static_cast<int>(std::clamp<int64_t>(done * 100 / expected, 0, 99));
        const uint64_t id = shared->id;
        shared->Post([id, percent](TableFiller& filler) { filler.Progressed(id, percent); });
    };
    RunTableFill(job, control);
    std::shared_ptr<TableFillJob> done = shared->job;
    const uint64_t id = shared->id;
    shared->Post([id, done](TableFiller& filler) { filler.Delivered(id, done); });
}
