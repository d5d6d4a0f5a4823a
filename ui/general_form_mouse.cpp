// The mouse tools over the picture: moving the view by two clicks, zooming into a dragged
// rectangle, and the read-out of the world coordinates under the pointer.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

#include "engine/number_text.h"
#include "ui/general_form.h"
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
    // The band is drawn on the picture as it stands: a plot in flight is dropped first.
    CancelWork();
    ++view_.ToolClickCount;
    view_.MarkX = view_.RubberEndX = x;
    view_.MarkY = view_.RubberEndY = y;
}

void GeneralForm::ImageMouseMove(int x, int y) {
    if (btnRect->isChecked() && view_.ToolClickCount == 1) {
        // Drawing the band twice in XOR restores the picture: the old band goes, the new comes.
        Canvas& c = canvas();
        c.SetPenMode(PenMode::Xor);
        c.SetPenColour(kGreen);
        c.Rectangle(view_.MarkX, view_.MarkY, view_.RubberEndX, view_.RubberEndY);
        view_.RubberEndX = x;
        view_.RubberEndY = y;
        c.Rectangle(view_.MarkX, view_.MarkY, x, y);
        Image->update();
    }
    if (mnuViewTrace->isChecked()) {
        ShowTrace(x);
        return;
    }
    txtXNow->setText(QString::fromStdString(RealDisplayText(ColumnToWorldX(view_, x), 5)));
    txtYNow->setText(QString::fromStdString(RealDisplayText(RowToWorldY(view_, y), 5)));
}

void GeneralForm::FormMouseMove() {
    txtXNow->clear();
    txtYNow->clear();
}

void GeneralForm::ImageMouseUp(Qt::MouseButton button, int x, int y) {
    cbxKill->setChecked(true);
    if (button == Qt::RightButton) {
        if (btnMove->isChecked()) view_.ToolClickCount = 0;
        PlotPicture();
        return;
    }
    if (btnMove->isChecked()) {
        ++view_.ToolClickCount;
        if (view_.ToolClickCount == 1) {
            view_.MarkX = x;
            view_.MarkY = y;
            CancelWork();
            Canvas& c = canvas();
            c.SetBrushColour(kWhite);
            c.SetPenColour(kWhite);
            c.Ellipse(x - 2, y - 2, x + 2, y + 2);
            Image->update();
            return;
        }
        if (view_.ToolClickCount == 2) {
            view_.ViewOriginX -= (x - view_.MarkX) * view_.PixelSizeX;
            view_.ViewOriginY += (y - view_.MarkY) * view_.PixelSizeY;
            view_.ToolClickCount = view_.MarkX = view_.MarkY = 0;
            ShowParameters();
            PlotPicture();
            return;
        }
    }
    if (!btnRect->isChecked() || view_.ToolClickCount != 1) return;
    if (x == view_.MarkX || y == view_.MarkY) {
        // A rectangle without area: the gesture ends and the band stays.
        view_.ToolClickCount = view_.MarkX = view_.MarkY = 0;
        return;
    }
    const ExtendedReal x1 = ColumnToWorldX(view_, view_.MarkX);
    const ExtendedReal y1 = RowToWorldY(view_, view_.MarkY);
    const ExtendedReal x2 = ColumnToWorldX(view_, x);
    const ExtendedReal y2 = RowToWorldY(view_, y);
    view_.ViewOriginX = std::min(x1, x2);
    view_.ViewOriginY = std::max(y1, y2);
    view_.PixelSizeX = (std::max(x1, x2) - std::min(x1, x2)) / canvas().Width();
    view_.PixelSizeY = (std::max(y1, y2) - std::min(y1, y2)) / canvas().Height();
    view_.PixelSizeX = ClampPixelSize(view_.PixelSizeX);
    view_.PixelSizeY = ClampPixelSize(view_.PixelSizeY);
    view_.ToolClickCount = view_.MarkX = view_.MarkY = 0;
    ShowParameters();
    btnStartClick();
}
