// The points of interest of the window's picture in the background: a job finds the zeros,
// extrema and inflections of every visible curve in the visible range, and the intersections of
// the selected curve with each other one, on a thread of its own (the samples of each search on
// every core). The curves' engines are shared
// and never changed; each search evaluates copies of its own. The window's thread gets the
// markers through a queued call; a cancelled job delivers nothing.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "calc/points_of_interest.h"
#include "engine/engine_state.h"
#include "ui/background_runner.h"
#include "view/plot_marks.h"

struct PointsJob {
    struct Source {
        std::shared_ptr<const Engine> Built;
        Colour CurveColour = kYellow;
        // A curve drawn over its argument bound only is searched there only.
        bool Bound = false;
        ExtendedReal BoundFrom = 0;
        ExtendedReal BoundTo = 0;
    };
    std::vector<Source> Curves;
    // The curve whose intersections with the others are looked for.
    std::optional<size_t> Selected;
    PointsRequest Request;
    // Filled by the job: the markers sorted by x, the groups cut at the limit, and whether a
    // stop ended the search.
    std::vector<PointMarker> Markers;
    std::array<bool, kPointGroups> MoreThanLimit{};
    bool Stopped = false;
};

// Finds the points of `job` on the calling thread.
void RunPointsJob(PointsJob& job, const PointsControl& control);

class PointsRunner : public BackgroundRunner {
    Q_OBJECT

  public:
    using BackgroundRunner::BackgroundRunner;

    // Cancels the search in flight and starts `job`.
    void Start(std::shared_ptr<PointsJob> job);

  signals:
    void finished(std::shared_ptr<PointsJob> job);
};
