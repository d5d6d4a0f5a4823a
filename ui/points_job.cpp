// The points of interest on a thread of their own, the markers back as a queued call.
#include "ui/points_job.h"

#include <algorithm>

#include "calc/sample_stream.h"

namespace {

void Collect(PointsJob& job, const PointsResult& found, Colour colour) {
    for (const PointOfInterest& point : found.Points) job.Markers.push_back({point, colour});
    for (size_t group = 0; group < found.MoreThanLimit.size(); ++group) {
        job.MoreThanLimit[group] = job.MoreThanLimit[group] || found.MoreThanLimit[group];
    }
    job.Stopped = job.Stopped || found.Stopped;
}

// The request narrowed to the bounds of the curves it reads.
PointsRequest Within(PointsRequest request, const PointsJob::Source& curve) {
    if (curve.Bound) {
        request.From = std::max(request.From, std::min(curve.BoundFrom, curve.BoundTo));
        request.To = std::min(request.To, std::max(curve.BoundFrom, curve.BoundTo));
    }
    return request;
}

}  // namespace

void RunPointsJob(PointsJob& job, const PointsControl& control) {
    PointsRequest own = job.Request;
    own.Wanted[static_cast<size_t>(PointGroup::Intersections)] = false;
    for (const PointsJob::Source& curve : job.Curves) {
        if (control.Stopped()) break;
        const PointsRequest request = Within(own, curve);
        if (!UsableInterval(request)) continue;
        Collect(job, FindPoints(*curve.Built, request, control), curve.CurveColour);
    }
    if (job.Request.Wants(PointGroup::Intersections) && job.Selected &&
        *job.Selected < job.Curves.size()) {
        const PointsJob::Source& selected = job.Curves[*job.Selected];
        for (size_t i = 0; i < job.Curves.size() && !control.Stopped(); ++i) {
            if (i == *job.Selected) continue;
            const PointsRequest request = Within(Within(job.Request, selected), job.Curves[i]);
            if (!UsableInterval(request)) continue;
            // The circle takes the colour of the curve first in the list of the two, so that
            // the picture of two curves does not depend on which one is selected.
            const Colour colour = job.Curves[std::min(i, *job.Selected)].CurveColour;
            Collect(job, FindIntersections(*selected.Built, *job.Curves[i].Built, request, control),
                    colour);
        }
    }
    job.Stopped = job.Stopped || control.Stopped();
    std::stable_sort(job.Markers.begin(), job.Markers.end(),
                     [](const PointMarker& a, const PointMarker& b) {
                         if (a.Point.X != b.Point.X) return a.Point.X < b.Point.X;
                         return a.Point.Kind < b.Point.Kind;
                     });
}

void PointsRunner::Start(std::shared_ptr<PointsJob> job) {
    Launch([job = std::move(job)](const std::shared_ptr<Ticket>& ticket) {
        PointsControl control;
        control.Stop = &ticket->stop;
        control.Threads = DefaultThreadCount();
        RunPointsJob(*job, control);
        const uint64_t id = ticket->id;
        ticket->Post<PointsRunner>([id, job](PointsRunner& runner) {
            if (runner.FinishOf(id)) emit runner.finished(job);
        });
    });
}
