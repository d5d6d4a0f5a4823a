// The window's share of the points of a 100-step recurrence on a 1920-sample view: handing the
// search to its thread, then drawing the circles it delivers into a 1920 x 1080 picture. The
// search itself runs on its own thread meanwhile and is timed beside it, so the one run shows
// both: the window's share is held to 50 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <memory>

#include "bench_application.h"
#include "engine/tree_builder.h"
#include "ui/points_job.h"
#include "view/canvas.h"
#include "view/scale_commands.h"

namespace {

std::shared_ptr<const Engine> Recurrence() {
    auto engine = std::make_shared<Engine>();
    engine->ValueA = 0;
    engine->IndexFrom = 1;
    engine->IndexTo = 100;
    BuildExpression(*engine, "a+sin(x+n)/n");
    return engine;
}

std::shared_ptr<PointsJob> Job(const std::shared_ptr<const Engine>& engine) {
    auto job = std::make_shared<PointsJob>();
    job->Curves.push_back({engine, kYellow});
    job->Selected = 0;
    job->Request.From = -20;
    job->Request.To = 20;
    job->Request.Samples = 1920;
    job->Request.Wanted.fill(true);
    return job;
}

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration span) {
    return std::chrono::duration<double>(span).count();
}

// The time on the window's thread: the start and the drawing of what comes back.
void WindowShare(benchmark::State& state) {
    BenchApplication();
    const std::shared_ptr<const Engine> engine = Recurrence();
    ViewState view;
    Canvas picture(1920, 1080);
    CentreView(view, 1920, 1080);
    view.PixelSizeX = 40.0L / 1920;
    view.ViewOriginX = -20;
    PointsRunner runner;
    std::shared_ptr<PointsJob> delivered;
    QObject::connect(&runner, &PointsRunner::finished,
                     [&delivered](std::shared_ptr<PointsJob> job) { delivered = std::move(job); });
    double background = 0;
    size_t found = 0;
    for (auto _ : state) {
        delivered.reset();
        const auto start = Clock::now();
        runner.Start(Job(engine));
        const auto started = Clock::now();
        while (!delivered) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const auto arrived = Clock::now();
        DrawPointMarkers(picture, view, delivered->Markers);
        const auto drawn = Clock::now();
        found = delivered->Markers.size();
        background += Seconds(arrived - started);
        state.SetIterationTime(Seconds(started - start) + Seconds(drawn - arrived));
    }
    state.counters["points"] = double(found);
    state.counters["background_ms"] =
        1000 * background / double(std::max<int64_t>(state.iterations(), 1));
    state.counters["target_ms"] = 50;
}
BENCHMARK(WindowShare)
    ->Name("Window/points_recurrence")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
