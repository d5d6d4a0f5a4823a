// Background work of the window: a job runs its plot steps (or an integral) on a thread of its
// own, with its own copies of the engine and the picture, the samples computed on every core.
// The window's thread gets the progress and the result through queued calls; a cancelled job
// delivers nothing, and a stopped one delivers what it has done.
#pragma once

#include <QImage>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calc/calculations.h"
#include "engine/engine_state.h"
#include "view/canvas.h"
#include "view/drawing.h"
#include "view/run_command.h"
#include "view/sequence_pictures.h"
#include "view/view_state.h"

// One plot of a job: the plot of a run (FinishRun completes the outcome BeginRun left) or a
// redraw of the last built tree.
struct PlotStep {
    bool Run = false;
    ViewState View;
    DrawOptions Options;
    RunOutcome Outcome;
    bool GraphBuilt = false;  // a redraw of an expression with x
    bool Overflow = false;    // a redraw whose drawing raised
    // The picture chosen in the table window, and the argument of the sequence pictures.
    PictureMode Mode = PictureMode::Graph;
    ExtendedReal SequenceX = 0;
    // What the sequence pictures report (the window words it on its own thread).
    PictureOutcome Drawn;
};

struct WorkJob {
    Engine JobEngine;
    Canvas Picture;
    std::vector<PlotStep> Steps;
    // A run's new a0 is not taken over by the window (a layout keeps a0).
    bool KeepA0 = false;
    // An integral instead of plots.
    bool Integral = false;
    std::string From;
    std::string To;
    CalcOutcome IntegralOutcome;
    // Filled by the job: the steps that ran (the last one perhaps stopped), and whether a stop
    // ended the job.
    size_t StepsDone = 0;
    bool Stopped = false;
};

class WorkRunner : public QObject {
    Q_OBJECT

  public:
    // Work that lasts longer than this shows its progress.
    static constexpr int kProgressDelayMs = 300;

    explicit WorkRunner(QObject* parent = nullptr);
    ~WorkRunner() override;

    // Cancels the work in flight and starts `job` on `threads` threads.
    void Start(std::shared_ptr<WorkJob> job, int threads);
    // Ends the work early; the job delivers what it has done.
    void Stop();
    // Ends the work; nothing of it is delivered.
    void Cancel();
    bool Running() const { return current_ != nullptr; }
    // The work has run past kProgressDelayMs and shows its progress.
    bool ProgressShown() const { return progressShown_; }

  signals:
    void progressStarted();
    // The share done, and for a plot the picture drawn so far.
    void progress(int percent, const QImage& preview);
    void finished(std::shared_ptr<WorkJob> job);
    // The progress display ends: the work finished, stopped or was cancelled.
    void progressEnded();

  private:
    struct Shared;
    static void RunJob(const std::shared_ptr<Shared>& shared);
    void ShowProgress();
    void Delivered(uint64_t id, std::shared_ptr<WorkJob> job);
    void Progressed(uint64_t id, int percent, const QImage& preview);
    void EndProgress();

    std::shared_ptr<Shared> current_;
    uint64_t nextId_ = 1;
    QTimer progressTimer_;
    bool progressShown_ = false;
};

// Waits until every job thread has ended (a cancelled job ends at its next batch of samples);
// false when some are still running after `milliseconds`.
bool WaitForWorkThreads(int milliseconds);
// Another detached thread of background work (the table window's fills) counts itself here from
// its start to its end, so that the waits above cover it too.
void WorkThreadStarted();
void WorkThreadEnded();
