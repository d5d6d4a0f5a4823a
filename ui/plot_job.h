// Background work of the window: a job runs its plot steps (or an integral) on a thread of its
// own, with its own copies of the engine and the picture, the samples computed on every core.
// The window's thread gets the progress and the result through queued calls; a cancelled job
// delivers nothing, and a stopped one delivers what it has done.
#pragma once

#include <QImage>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calc/calculations.h"
#include "document/plot_document.h"
#include "document/run_command.h"
#include "engine/engine_state.h"
#include "ui/background_runner.h"
#include "view/canvas.h"
#include "view/drawing.h"
#include "view/sequence_pictures.h"
#include "view/view_state.h"

// One plot of a job: the plot of a run (the document drawn, then the outcome BeginRun left
// completed) or a redraw of the document.
struct PlotStep {
    bool Run = false;
    // A snapshot of the window's document: the job draws this and nothing else.
    PlotDocument Document;
    // A run that adds no curve (an expression without x over the curves) draws its tree over
    // the document with these options.
    bool DrawRunOver = false;
    DrawOptions Options;
    RunOutcome Outcome;
    bool GraphBuilt = false;  // a redraw of an expression with x
    // A redraw for the marks over the curves (the tangent, the shading) leaves the result field.
    bool KeepResult = false;
    bool Overflow = false;  // a redraw whose drawing raised
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

class WorkRunner : public BackgroundRunner {
    Q_OBJECT

  public:
    using BackgroundRunner::BackgroundRunner;

    // Cancels the work in flight and starts `job` on `threads` threads.
    void Start(std::shared_ptr<WorkJob> job, int threads);

  signals:
    // The share done, and for a plot the picture drawn so far.
    void progress(int percent, const QImage& preview);
    void finished(std::shared_ptr<WorkJob> job);

  private:
    static void RunJob(Ticket& ticket, WorkJob& job, int threads);
};
