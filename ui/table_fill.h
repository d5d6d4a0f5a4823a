// The filling of the table window's tables in the background: a job walks the sequence or
// computes the function table on a thread of its own, with its own copy of the engine. The
// window's thread gets the progress and the rows through queued calls; a cancelled fill delivers
// nothing, and a stopped one delivers no rows, only that it stopped.
#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <memory>

#include "calc/sequence_behaviour.h"
#include "calc/sequence_table.h"
#include "engine/engine_state.h"

struct TableFillJob {
    // The sequence at X, or the function table over Range.
    bool Sequence = true;
    Engine JobEngine;
    ExtendedReal X = 0;
    TableRange Range;
    // Filled by the job: the rows, the sequence's summary, and whether a stop ended it (the rows
    // are then left empty).
    TableRows Rows;
    SequenceEnd Summary;
    bool Stopped = false;
};

// Computes the rows of `job` on the calling thread under `control`.
void RunTableFill(TableFillJob& job, const SampleControl& control);

class TableFiller : public QObject {
    Q_OBJECT

  public:
    // A fill that lasts longer than this shows its progress.
    static constexpr int kProgressDelayMs = 300;

    explicit TableFiller(QObject* parent = nullptr);
    ~TableFiller() override;

    // Cancels the fill in flight and starts `job`.
    void Start(std::shared_ptr<TableFillJob> job);
    // Ends the fill early; it delivers that it stopped.
    void Stop();
    // Ends the fill; nothing of it is delivered.
    void Cancel();
    bool Running() const { return current_ != nullptr; }
    bool ProgressShown() const { return progressShown_; }

  signals:
    void progressStarted();
    void progress(int percent);
    void finished(std::shared_ptr<TableFillJob> job);
    // The progress display ends: the fill finished, stopped or was cancelled.
    void progressEnded();

  private:
    struct Shared;
    static void RunJob(const std::shared_ptr<Shared>& shared);
    void ShowProgress();
    void EndProgress();
    void Progressed(uint64_t id, int percent);
    void Delivered(uint64_t id, std::shared_ptr<TableFillJob> job);

    std::shared_ptr<Shared> current_;
    uint64_t nextId_ = 1;
    QTimer progressTimer_;
    bool progressShown_ = false;
};
