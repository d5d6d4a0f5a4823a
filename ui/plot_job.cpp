// The window's background work: one thread per job, the samples on every core, results back to
// the window's thread as queued calls into the runner.
#include "ui/plot_job.h"

#include <algorithm>
#include <atomic>
#include <chrono>

namespace {

constexpr auto kProgressDelay = std::chrono::milliseconds(WorkRunner::kProgressDelayMs);
constexpr auto kProgressRefresh = std::chrono::milliseconds(100);

int Percent(int64_t done, int64_t expected) {
    if (expected <= 0) return 0;
    return static_cast<int>(std::clamp<int64_t>(done * 100 / expected, 0, 99));
}

}  // namespace

void WorkRunner::Start(std::shared_ptr<WorkJob> job, int threads) {
    Launch([job = std::move(job),
            threads = std::max(threads, 1)](const std::shared_ptr<Ticket>& ticket) {
        RunJob(*ticket, *job, threads);
        const uint64_t id = ticket->id;
        ticket->Post<WorkRunner>([id, job](WorkRunner& runner) {
            if (runner.FinishOf(id)) emit runner.finished(job);
        });
    });
}

// Runs on the job's own thread: nothing here touches the runner but through Post.
namespace {

// The plot of a run: the document in its picture mode, then the run's outcome line.
void RunStep(WorkJob& job, PlotStep& step, const SampleControl& control) {
    FinishDocumentRun(job.JobEngine, step.Document, step.DrawRunOver, step.Options, job.Picture,
                      step.Outcome, control, &step.Drawn);
}

}  // namespace

void WorkRunner::RunJob(Ticket& ticket, WorkJob& job, int threads) {
    SampleControl control;
    control.Threads = threads;
    control.Stop = &ticket.stop;
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
        const uint64_t id = ticket.id;
        ticket.Post<WorkRunner>([id, percent, preview](WorkRunner& runner) {
            if (runner.ProgressOf(id)) emit runner.progress(percent, preview);
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
            expected = ExpectedSamples(step.Document, job.Picture.Width());
            if (step.Run) {
                RunStep(job, step, control);
            } else {
                try {
                    const PictureOutcome drawn = DrawDocument(job.Picture, step.Document, control);
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
}
