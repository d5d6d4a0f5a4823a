// The mouse tools over the picture: moving the view by two clicks, zooming into a dragged
// rectangle, and the read-out of the world coordinates under the pointer (or of the curve,
// with the trace on); the arithmetic of both tools is the view's (view/scale_commands.h). Then
// the steering of the picture: wheel zoom about the pointer, dragging the picture, and the keys
// of the picture when it has the focus. The wheel, the drag and the keys change the view at once
// and leave one redraw pending, so a fast wheel or drag never builds a backlog.
#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <cmath>

#include "engine/evaluator.h"
#include "engine/number_text.h"
#include "messages/messages.h"
#include "ui/general_form.h"
#include "ui/picture_overlay.h"
#include "ui/picture_widget.h"
#include "ui/utf8_text.h"
#include "ui/widget_factory.h"
#include "view/scale_commands.h"
#include "view/vector_surface.h"

namespace {

// A press followed by more movement than this, before the release, is a drag.
constexpr int kDragThreshold = 3;
// Wheel notches closer together than this are one step of the view history.
constexpr qint64 kWheelStepMs = 500;

bool IsDragButton(Qt::MouseButton button, bool moveTool) {
    return button == Qt::MiddleButton || (button == Qt::LeftButton && moveTool);
}

}  // namespace

void GeneralForm::btnMoveClick() {
    // A gesture half done with either tool ends here, its mark taken off the picture.
    EndGesture(true);
    btnMove->setChecked(true);
    Image->setCursor(Qt::PointingHandCursor);
}

void GeneralForm::btnRectClick() {
    EndGesture(true);
    btnRect->setChecked(true);
    Image->setCursor(Qt::CrossCursor);
}

void GeneralForm::EndGesture(bool takeMarkOff) {
    if (takeMarkOff) {
        Image->CancelToolGesture();
    } else {
        Image->EndToolGesture();
    }
    // Esc stays for the work while it runs.
    stopShortcut_->setEnabled(WorkRunning());
}

void GeneralForm::EscapePressed() {
    if (WorkRunning()) StopWork();
    if (Image->ToolGesturePending()) EndGesture(true);
}

void GeneralForm::ImageMouseDown(Qt::MouseButton button, int x, int y) {
    if (button == Qt::LeftButton) PickPoint(x, y);
    if (button == Qt::RightButton || !btnRect->isChecked()) return;
    StartRectangle(x, y);
}

void GeneralForm::StartRectangle(int x, int y) {
    // The band is drawn on the picture as it stands: a plot in flight is dropped first.
    CancelWork();
    Image->StartBand(x, y);
    stopShortcut_->setEnabled(true);
}

void GeneralForm::ImageMouseMove(int x, int y) {
    PictureWidget::ToolGesture& gesture = Image->tools();
    if (btnRect->isChecked() && gesture.ToolClickCount == 1) {
        // Drawing the band twice in XOR restores the picture: the old band goes, the new comes.
        Canvas& c = canvas();
        c.SetPenMode(PenMode::Xor);
        c.SetPenColour(kGreen);
        Image->DrawBand(gesture.MarkX, gesture.MarkY, gesture.RubberEndX, gesture.RubberEndY);
        gesture.RubberEndX = x;
        gesture.RubberEndY = y;
        Image->DrawBand(gesture.MarkX, gesture.MarkY, x, y);
        Image->update();
    }
    ShowPointer(x, y);
    ShowPointTip(x, y);
}

void GeneralForm::ShowPointer(int x, int y) {
    if (mnuViewTrace->isChecked()) {
        ShowTrace(x);
        return;
    }
    txtXNow->setText(QString::fromStdString(RealDisplayText(ColumnToWorldX(document_.View, x), 5)));
    txtYNow->setText(QString::fromStdString(RealDisplayText(RowToWorldY(document_.View, y), 5)));
}

void GeneralForm::ShowTrace(int x) {
    traceColumn_ = x;
    const ExtendedReal wx = ColumnToWorldX(document_.View, x);
    txtXNow->setText(QString::fromStdString(RealDisplayText(wx, 5)));
    // The selected curve as the picture draws it; with no curve, the last build.
    const PlotDocument& document = document_;
    const Curve* curve = document.Curves.SelectedCurve();
    if (curve != nullptr && curve->Built == nullptr) curve = nullptr;
    if (curve == nullptr && document_.RunEngine.LastBuildError != kNoError) {
        txtYNow->clear();
        overlay->SetTrace(std::nullopt);
        return;
    }
    Engine engine = curve != nullptr ? *curve->Built : document_.RunEngine;
    engine.EngineError = kNoError;
    ExtendedReal value = 0;
    const bool ok = EvaluateSequence(engine, wx, value) && engine.EngineError == kNoError;
    // Among several curves the read-out names the one it is on.
    const QString name =
        curve != nullptr && document.Curves.Size() > 1 ? FromUtf8(curve->Expression) : QString();
    txtYNow->setToolTip(name);
    if (!ok) {
        txtYNow->setText(QString::fromStdString(FailureText(engine.EngineError)));
        overlay->SetTrace(std::nullopt);
        return;
    }
    txtYNow->setText(QString::fromStdString(RealDisplayText(value, 5)));
    const ExtendedReal row = (document_.View.ViewOriginY - value) / document_.View.PixelSizeY;
    if (row >= 0 && row < Image->height()) {
        overlay->SetTrace(QPoint(x, static_cast<int>(std::lround(row))), name,
                          curve != nullptr ? curve->LineColour : kWhite);
    } else {
        overlay->SetTrace(std::nullopt);
    }
}

bool GeneralForm::TraceNextCurve(bool forward) {
    const CurveSet& set = document_.Curves;
    if (!mnuViewTrace->isChecked() || set.VisibleCount() < 2) return false;
    const size_t count = set.Size();
    std::optional<size_t> next;
    if (forward) {
        for (size_t at = set.Selected() ? *set.Selected() + 1 : 0; at < count && !next; ++at) {
            if (set.At(at).Visible) next = at;
        }
    } else {
        for (size_t at = set.Selected().value_or(count); at-- > 0 && !next;) {
            if (set.At(at).Visible) next = at;
        }
    }
    if (next) {
        lstCurves->setCurrentRow(static_cast<int>(*next));
        if (traceColumn_ >= 0) ShowTrace(traceColumn_);
    }
    return true;
}

void GeneralForm::FormMouseMove() {
    txtXNow->clear();
    txtYNow->clear();
}

void GeneralForm::ImageMouseUp(Qt::MouseButton button, int x, int y) {
    PictureWidget::ToolGesture& gesture = Image->tools();
    if (button == Qt::RightButton) {
        if (btnMove->isChecked()) EndGesture(false);
        PlotPicture();
        return;
    }
    if (btnMove->isChecked()) {
        ++gesture.ToolClickCount;
        if (gesture.ToolClickCount == 1) {
            gesture.MarkX = x;
            gesture.MarkY = y;
            CancelWork();
            Image->KeepUnmarked();
            stopShortcut_->setEnabled(true);
            Canvas& c = canvas();
            c.SetBrushColour(kWhite);
            c.SetPenColour(kWhite);
            Image->DrawDot(x, y);
            Image->update();
            return;
        }
        if (gesture.ToolClickCount == 2) {
            MoveByClicks(document_.View, gesture.MarkX, gesture.MarkY, x, y);
            EndGesture(false);
            ShowParameters();
            PlotPicture();
            return;
        }
    }
    if (!btnRect->isChecked() || gesture.ToolClickCount != 1) return;
    // A rectangle without area ends the gesture and the band stays.
    const bool zoomed = ZoomToRectangle(document_.View, gesture.MarkX, gesture.MarkY, x, y,
                                        canvas().LogicalWidth(), canvas().LogicalHeight());
    EndGesture(false);
    if (!zoomed) return;
    ShowParameters();
    RunExpressionCommand(true);
}

// --- Wheel, drag and keys ---

void GeneralForm::ScheduleRedraw() {
    if (!redrawTimer_->isActive()) redrawTimer_->start();
}

bool GeneralForm::ImageViewEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::Wheel: {
            // Each turn, whole notch or touchpad fraction, zooms the view at once by its own
            // factor; the redraw waits until the events queued so far are handled, so that
            // however fast the wheel turns one redraw at most is pending.
            const auto* wheel = static_cast<QWheelEvent*>(event);
            int angle = wheel->angleDelta().y();
            if (angle == 0) angle = wheel->angleDelta().x();
            const Qt::KeyboardModifiers keys = wheel->modifiers();
            const ZoomAxes axes = keys & Qt::ControlModifier ? ZoomAxes::XOnly
                                  : keys & Qt::ShiftModifier ? ZoomAxes::YOnly
                                                             : ZoomAxes::Both;
            const QPoint at = PixelAt(wheel->position());
            if (angle != 0 && ZoomAbout(document_.View, WheelFactor(angle), axes, at.x(), at.y())) {
                if (!wheelPending_) {
                    wheelMerges_ = wheelStepShown_ && lastWheel_.isValid() &&
                                   lastWheel_.elapsed() < kWheelStepMs;
                }
                wheelPending_ = true;
                lastWheel_.restart();
                ScheduleRedraw();
            }
            return true;
        }
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            PictureWidget::Drag& drag = Image->drag();
            if (drag.Button != Qt::NoButton ||
                !IsDragButton(mouse->button(), btnMove->isChecked())) {
                return false;
            }
            drag = {mouse->button(), PixelAt(mouse->position()), PixelAt(mouse->position()), false};
            // The middle button drags in every tool; its press reaches the tools only when
            // the release shows there was no drag.
            return mouse->button() == Qt::MiddleButton;
        }
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            PictureWidget::Drag& drag = Image->drag();
            if (drag.Button == Qt::NoButton || !(mouse->buttons() & drag.Button)) return false;
            const QPoint at = PixelAt(mouse->position());
            if (!drag.Moving && (at - drag.Press).manhattanLength() <= kDragThreshold) {
                return false;
            }
            if (!drag.Moving && btnMove->isChecked()) {
                // A drag ends a two-click move begun before it; its mark goes with the redraw.
                EndGesture(false);
            }
            drag.Moving = true;
            const QPoint step = at - drag.Last;
            drag.Last = at;
            if (PanBy(document_.View, step.x(), step.y())) {
                // The picture follows at once: the image shifted now, drawn anew soon.
                QImage& image = canvas().ImageForPainting();
                const QImage before = image.copy();
                QPainter painter(&image);
                painter.fillRect(image.rect(), ToQColor(document_.Frame.Background));
                painter.drawImage(step, before);
                painter.end();
                Image->update();
                overlay->SetLabels(mnuViewLabels->isChecked(), document_.View,
                                   document_.Frame.Background);
                ShowParameters();
                ScheduleRedraw();
            }
            return false;
        }
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            PictureWidget::Drag& drag = Image->drag();
            if (drag.Button == Qt::NoButton || mouse->button() != drag.Button) return false;
            const PictureWidget::Drag ended = drag;
            drag = {};
            if (!ended.Moving) {
                if (ended.Button == Qt::MiddleButton && btnRect->isChecked()) {
                    StartRectangle(ended.Press.x(), ended.Press.y());
                }
                return false;
            }
            const QPoint step = PixelAt(mouse->position()) - ended.Last;
            PanBy(document_.View, step.x(), step.y());
            redrawTimer_->stop();
            RedrawPicture();
            return true;
        }
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) return false;
            const int w = Image->width();
            const int h = Image->height();
            bool changed = false;
            switch (key->key()) {
                case Qt::Key_Left:
                    changed = PanBy(document_.View, w / 10, 0);
                    break;
                case Qt::Key_Right:
                    changed = PanBy(document_.View, -(w / 10), 0);
                    break;
                case Qt::Key_Up:
                    // While tracing among several curves, Up and Down step between them.
                    if (TraceNextCurve(false)) return true;
                    changed = PanBy(document_.View, 0, h / 10);
                    break;
                case Qt::Key_Down:
                    if (TraceNextCurve(true)) return true;
                    changed = PanBy(document_.View, 0, -(h / 10));
                    break;
                case Qt::Key_Plus:
                case Qt::Key_Equal:
                    changed = ZoomAbout(document_.View, WheelFactor(4 * kWheelNotch),
                                        ZoomAxes::Both, w / 2, h / 2);
                    break;
                case Qt::Key_Minus:
                    changed = ZoomAbout(document_.View, WheelFactor(-4 * kWheelNotch),
                                        ZoomAxes::Both, w / 2, h / 2);
                    break;
                default:
                    return false;
            }
            if (changed) ScheduleRedraw();
            return true;
        }
        case QEvent::Leave:
            traceColumn_ = -1;
            txtXNow->clear();
            txtYNow->clear();
            overlay->SetTrace(std::nullopt);
            return false;
        default:
            return false;
    }
}
