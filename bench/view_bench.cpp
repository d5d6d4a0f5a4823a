// Plotting speed on a full-HD picture: "sinx" at 1 and 10 samples per pixel, the recurrence
// "a+n*x" over n = 1..100000 (reported per tree walk), the integral of "sinx*lnx" over 1..2, the
// redraw with and without axis labels, and the window's redraw rate under wheel (with one curve
// and with four) and drag.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QThread>
#include <QToolButton>
#include <QWheelEvent>

#include "bench/bench_application.h"
#include "calc/calculations.h"
#include "engine/tree_builder.h"
#include "ui/general_form.h"
#include "ui/picture_widget.h"
#include "view/axis_label_painter.h"
#include "view/drawing.h"
#include "view/scale_commands.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

struct Plot {
    Canvas canvas{kWidth, kHeight};
    Engine engine;
    ViewState view;
    DrawOptions options;

    explicit Plot(const char* text) {
        CentreView(view, kWidth, kHeight);
        BuildExpression(engine, text);
    }
};

// The whole redraw: background, grid, axes and the curve.
void PlotSine(benchmark::State& state) {
    Plot plot("sinx");
    plot.view.SamplesPerPixel = int32_t(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlotCurve(plot.canvas, plot.engine, plot.view, plot.options));
    }
}
BENCHMARK(PlotSine)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// A background that is not black: the flood fill after the clearing walks the whole picture.
void PlotSineOnGrey(benchmark::State& state) {
    Plot plot("sinx");
    plot.options.BackgroundColour = 0x404040;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlotCurve(plot.canvas, plot.engine, plot.view, plot.options));
    }
}
BENCHMARK(PlotSineOnGrey)->Unit(benchmark::kMillisecond);

void PlotRecurrence(benchmark::State& state) {
    Plot plot("a+n*x");
    plot.engine.IndexFrom = 1;
    plot.engine.IndexTo = 100000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlotCurve(plot.canvas, plot.engine, plot.view, plot.options));
    }
    // One walk per index per sample; a plot takes W + 2 samples at most.
    const double walks = double(kWidth + 2) * plot.engine.IndexTo;
    // Shown in seconds per walk (for example "12n" is 12 ns).
    state.counters["per_walk"] =
        benchmark::Counter(walks * double(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(PlotRecurrence)->Unit(benchmark::kMillisecond)->Iterations(2);

void IntegralSineLog(benchmark::State& state) {
    Engine engine;
    BuildExpression(engine, "sinx*lnx");
    for (auto _ : state) benchmark::DoNotOptimize(CalculateIntegral(engine, "1", "2"));
}
BENCHMARK(IntegralSineLog)->Unit(benchmark::kMillisecond);

// --- Numbers on the axes and steering the window ---

// The same "sinx" redraw at 1920 x 1080 without and with the axis labels painted over it, side
// by side: the labels may cost at most 1 ms more.
void RedrawSineLabels(benchmark::State& state) {
    BenchApplication();
    Plot plot("sinx");
    const bool labels = state.range(0) != 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlotCurve(plot.canvas, plot.engine, plot.view, plot.options));
        if (labels) DrawAxisLabels(plot.canvas, plot.view, plot.options.BackgroundColour);
    }
    state.SetLabel(labels ? "with labels" : "without labels");
}
BENCHMARK(RedrawSineLabels)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same redraw without and with breaks at poles: the sign changes of the curve are looked
// into by bisection.
void RedrawSineBreaks(benchmark::State& state) {
    Plot plot("sinx");
    plot.options.BreakPoles = state.range(0) != 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlotCurve(plot.canvas, plot.engine, plot.view, plot.options));
    }
    state.SetLabel(plot.options.BreakPoles ? "breaks on" : "breaks off");
}
BENCHMARK(RedrawSineBreaks)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The labels alone, as the window's overlay paints them on every repaint.
void AxisLabelsOnly(benchmark::State& state) {
    BenchApplication();
    Plot plot("sinx");
    QImage target(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&target);
        PaintAxisLabels(painter, plot.view, kWidth, kHeight, kBlack);
    }
}
BENCHMARK(AxisLabelsOnly)->Unit(benchmark::kMillisecond);

// Lets the redraw an event brought run to its end: the coalescing timer starts the background
// work, and the window's thread sleeps until the finished picture is delivered.
void WaitForPicture(GeneralForm& form) {
    for (int pass = 0; pass < 10 && !form.WorkRunning(); ++pass) QApplication::processEvents();
    while (form.WorkRunning()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// The main window, shown offscreen with the picture at 1920 x 1080 and "sinx" run; with more
// curves, "sin(x+1)", "sin(x+2)", ... run after it with "Новый" cleared.
struct SteeredWindow {
    // The application comes before the window.
    QApplication& application = BenchApplication();
    GeneralForm form;

    explicit SteeredWindow(int curves = 1) {
        form.modalHook = [](QDialog&) { return int(QDialog::Rejected); };
        form.messageHook = [](QMessageBox&) {};
        // The layout gives the picture the window's size less 327 by 145 pixels.
        form.resize(kWidth + 327, kHeight + 145);
        form.show();
        for (int k = 0; k < 100 && form.layoutWidth() != form.width(); ++k) {
            QApplication::processEvents();
            QThread::msleep(10);
        }
        // Typed and run with Enter, then centred, as a user does.
        for (int k = 0; k < curves; ++k) {
            Run(k == 0 ? QStringLiteral("sinx") : QStringLiteral("sin(x+%1)").arg(k));
            form.findChild<QCheckBox*>(QStringLiteral("cbxKill"))->setChecked(false);
        }
        form.findChild<QToolButton*>(QStringLiteral("btnHome"))->click();
        QApplication::processEvents();
        WaitForPicture(form);
    }

    void Run(const QString& expression) {
        auto* box = form.findChild<QComboBox*>(QStringLiteral("txtFunctionText"));
        box->setEditText(expression);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(box, &enter);
        WaitForPicture(form);
    }

    PictureWidget* Picture() { return form.findChild<PictureWidget*>(QStringLiteral("Image")); }
};

// Redraws per second while the wheel turns: one notch in or out per step, each step waiting
// until the picture it brings is delivered. With one curve the window must keep at least 30 per
// second, with four at least 60 (one and four side by side).
void WheelRedrawRate(benchmark::State& state) {
    const int curves = int(state.range(0));
    SteeredWindow window(curves);
    QWidget* picture = window.Picture();
    int step = 0;
    for (auto _ : state) {
        const int angle = (step++ / 8) % 2 == 0 ? 120 : -120;
        const QPoint at(700 + step % 5, 400);
        QWheelEvent event(QPointF(at), QPointF(picture->mapToGlobal(at)), QPoint(),
                          QPoint(0, angle), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(picture, &event);
        WaitForPicture(window.form);
    }
    state.counters["redraws_per_s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["target_per_s"] = curves > 1 ? 60 : 30;
    state.counters["curves"] = double(window.form.document().Curves.Size());
    state.counters["picture_w"] = window.Picture()->canvas().Width();
    state.counters["picture_h"] = window.Picture()->canvas().Height();
}
BENCHMARK(WheelRedrawRate)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

// Redraws per second while the picture is dragged with the middle button.
void DragRedrawRate(benchmark::State& state) {
    SteeredWindow window;
    QWidget* picture = window.Picture();
    const QPoint press(900, 500);
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(press), QPointF(picture->mapToGlobal(press)),
                     Qt::MiddleButton, Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(picture, &down);
    int step = 0;
    for (auto _ : state) {
        ++step;
        const QPoint at(press.x() + 10 * ((step / 20) % 2 == 0 ? step % 20 : 20 - step % 20),
                        press.y() + (step % 7));
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(picture->mapToGlobal(at)),
                         Qt::NoButton, Qt::MiddleButton, Qt::NoModifier);
        QApplication::sendEvent(picture, &move);
        WaitForPicture(window.form);
    }
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(press), QPointF(picture->mapToGlobal(press)),
                   Qt::MiddleButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(picture, &up);
    state.counters["redraws_per_s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["target_per_s"] = 30;
}
BENCHMARK(DragRedrawRate)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
