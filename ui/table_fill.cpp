// The table window's fills on a thread of their own, results back as queued calls.
#include "ui/table_fill.h"

#include <algorithm>
#include <chrono>

namespace {

constexpr auto kProgressDelay = std::chrono::milliseconds(TableFiller::kProgressDelayMs);
constexpr auto kProgressRefresh = std::chrono::milliseconds(100);

int64_t ExpectedSteps(const TableFillJob& job) {
    if (!job.Sequence) {
        return job.Range.Count * std::max<int64_t>(int64_t(job.Columns.size()), 1);
    }
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
        job.Rows = job.Columns.empty() ? FunctionRows(job.JobEngine, job.Range, &control)
                                       : FunctionColumns(job.Columns, job.Range, &control);
        job.Stopped = control.Stopped();
        if (job.Stopped) job.Rows = TableRows();
    }
}

void TableFiller::Start(std::shared_ptr<TableFillJob> job) {
    Launch([job = std::move(job)](const std::shared_ptr<Ticket>& ticket) {
        RunJob(*ticket, *job);
        const uint64_t id = ticket->id;
        ticket->Post<TableFiller>([id, job](TableFiller& filler) {
            if (filler.FinishOf(id)) emit filler.finished(job);
        });
    });
}

// Runs on the fill's own thread: nothing here touches the filler but through Post.
void TableFiller::RunJob(Ticket& ticket, TableFillJob& job) {
    const int64_t expected = std::max<int64_t>(ExpectedSteps(job), 1);
    const auto start = std::chrono::steady_clock::now();
    auto lastShown = start;
    SampleControl control;
    control.Threads = DefaultThreadCount();
    control.Stop = &ticket.stop;
    control.Progress = [&](int64_t done) {
        const auto now = std::chrono::steady_clock::now();
        if (now - start < kProgressDelay || now - lastShown < kProgressRefresh) return;
        lastShown = now;
        const int percent = static_cast<int>(std::clamp<int64_t>(done * 100 / expected, 0, 99));
        const uint64_t id = ticket.id;
        ticket.Post<TableFiller>([id, percent](TableFiller& filler) {
            if (filler.ProgressOf(id)) emit filler.progress(percent);
        });
    };
    RunTableFill(job, control);
}
