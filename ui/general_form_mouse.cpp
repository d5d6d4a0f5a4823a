// The mouse tools over the picture: moving the view by two clicks, zooming into a dragged
// rectangle, and the read-out of the world coordinates under the pointer (or of the curve,
// with the trace on). The arithmetic of both tools is the view's (view/scale_commands.h).
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QToolButton>
#include <cmath>

#include "engine/evaluator.h"
#include "engine/number_text.h"
#include "engine/value_a_keeper.h"
#include "ui/general_form.h"
#include "ui/picture_overlay.h"
#include "ui/picture_widget.h"
#include "view/scale_commands.h"

void GeneralForm::btnMoveClick() {
    btnMove->setChecked(true);
    Image->setCursor(Qt::PointingHandCursor);
}

void GeneralForm::btnRectClick() {
    btnRect->setChecked(true);
    Image->setCursor(Qt::CrossCursor);
}

void GeneralForm::ImageMouseDown(Qt::MouseButton button, int x, int y) {
    if (button == Qt::RightButton || !btnRect->isChecked()) return;
    StartRectangle(x, y);
}

void GeneralForm::StartRectangle(int x, int y) {
    // The band is drawn on the picture as it stands: a plot in flight is dropped first.
    CancelWork();
    Image->StartBand(x, y);
}

void GeneralForm::ImageMouseMove(int x, int y) {
    PictureWidget::ToolGesture& gesture = Image->tools();
    if (btnRect->isChecked() && gesture.ToolClickCount == 1) {
        // Drawing the band twice in XOR restores the picture: the old band goes, the new comes.
        Canvas& c = canvas();
        c.SetPenMode(PenMode::Xor);
        c.SetPenColour(kGreen);
        c.Rectangle(gesture.MarkX, gesture.MarkY, gesture.RubberEndX, gesture.RubberEndY);
        gesture.RubberEndX = x;
        gesture.RubberEndY = y;
        c.Rectangle(gesture.MarkX, gesture.MarkY, x, y);
        Image->update();
    }
    ShowPointer(x, y);
}

void GeneralForm::ShowPointer(int x, int y) {
    if (mnuViewTrace->isChecked()) {
        ShowTrace(x);
        return;
    }
    txtXNow->setText(QString::fromStdString(RealDisplayText(ColumnToWorldX(view_, x), 5)));
    txtYNow->setText(QString::fromStdString(RealDisplayText(RowToWorldY(view_, y), 5)));
}

void GeneralForm::ShowTrace(int x) {
    const ExtendedReal wx = ColumnToWorldX(view_, x);
    txtXNow->setText(QString::fromStdString(RealDisplayText(wx, 5)));
    if (engine_.LastBuildError != kNoError) {
        txtYNow->clear();
        overlay->SetTrace(std::nullopt);
        return;
    }
    engine_.EngineError = kNoError;
    ExtendedReal value = 0;
    bool ok = false;
    {
        const ValueAKeeper keeper(engine_);
        ok = EvaluateSequence(engine_, wx, value) && engine_.EngineError == kNoError;
    }
    const int32_t error = engine_.EngineError;
    engine_.EngineError = kNoError;
    if (!ok) {
        txtYNow->setText(QString::fromStdString(EngineErrorText(error)));
        overlay->SetTrace(std::nullopt);
        return;
    }
    txtYNow->setText(QString::fromStdString(RealDisplayText(value, 5)));
    const ExtendedReal row = (view_.ViewOriginY - value) / view_.PixelSizeY;
    if (row >= 0 && row < Image->height()) {
        overlay->SetTrace(QPoint(x, static_cast<int>(std::lround(row))));
    } else {
        overlay->SetTrace(std::nullopt);
    }
}

void GeneralForm::FormMouseMove() {
    txtXNow->clear();
    txtYNow->clear();
}

void GeneralForm::ImageMouseUp(Qt::MouseButton button, int x, int y) {
    PictureWidget::ToolGesture& gesture = Image->tools();
    cbxKill->setChecked(true);
    if (button == Qt::RightButton) {
        if (btnMove->isChecked()) gesture.ToolClickCount = 0;
        PlotPicture();
        return;
    }
    if (btnMove->isChecked()) {
        ++gesture.ToolClickCount;
        if (gesture.ToolClickCount == 1) {
            gesture.MarkX = x;
            gesture.MarkY = y;
            CancelWork();
            Canvas& c = canvas();
            c.SetBrushColour(kWhite);
            c.SetPenColour(kWhite);
            c.Ellipse(x - 2, y - 2, x + 2, y + 2);
            Image->update();
            return;
        }
        if (gesture.ToolClickCount == 2) {
            MoveByClicks(view_, gesture.MarkX, gesture.MarkY, x, y);
            Image->EndToolGesture();
            ShowParameters();
            PlotPicture();
            return;
        }
    }
    if (!btnRect->isChecked() || gesture.ToolClickCount != 1) return;
    // A rectangle without area ends the gesture and the band stays.
    const bool zoomed = ZoomToRectangle(view_, gesture.MarkX, gesture.MarkY, x, y, canvas().Width(),
                                        canvas().Height());
    Image->EndToolGesture();
    if (!zoomed) return;
    ShowParameters();
    RunExpressionCommand();
}
