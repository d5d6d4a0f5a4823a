// The filling of the table window's tables in the background: a job walks the sequence or
// computes the function table on a thread of its own, with its own copy of the engine. The
// window's thread gets the progress and the rows through queued calls; a cancelled fill delivers
// nothing, and a stopped one delivers no rows, only that it stopped.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "calc/sequence_behaviour.h"
#include "calc/sequence_table.h"
#include "engine/engine_state.h"
#include "ui/background_runner.h"

struct TableFillJob {
    // The sequence at X, or the function table over Range: of JobEngine alone, or with Columns
    // set, one value column for each.
    bool Sequence = true;
    Engine JobEngine;
    std::vector<ColumnSource> Columns;
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

class TableFiller : public BackgroundRunner {
    Q_OBJECT

  public:
    using BackgroundRunner::BackgroundRunner;

    // Cancels the fill in flight and starts `job`; a stopped fill delivers that it stopped.
    void Start(std::shared_ptr<TableFillJob> job);

  signals:
    void progress(int percent);
    void finished(std::shared_ptr<TableFillJob> job);

  private:
    static void RunJob(Ticket& ticket, TableFillJob& job);
};
