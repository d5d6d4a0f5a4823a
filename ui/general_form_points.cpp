// The points of interest in the window ("Вид → Особые точки"): after each plot of the graph they
// are searched in the background for the visible curves over the visible range, then drawn over
// the picture as circles; the pointer over one shows its kind and coordinates, and a click puts
// its x into the calculation fields. The table window lists them.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QToolTip>

#include "ui/general_form.h"
#include "ui/picture_widget.h"
#include "ui/points_job.h"
#include "ui/points_page.h"
#include "ui/table_window.h"
#include "ui/utf8_text.h"

namespace {

const QString kPointsKey = QStringLiteral("view/points");

}  // namespace

QString GeneralForm::PointKindText(PointKind kind) {
    return ::PointKindText(kind);
}

void GeneralForm::createPointsControls(QMenu& view) {
    const QSettings settings(kApplicationTitle, kApplicationTitle);
    mnuViewPoints = new QAction(tr("Особые точки"), this);
    mnuViewPoints->setObjectName(QStringLiteral("mnuViewPoints"));
    mnuViewPoints->setCheckable(true);
    mnuViewPoints->setChecked(settings.value(kPointsKey, true).toBool());
    connect(mnuViewPoints, &QAction::toggled, this, &GeneralForm::mnuViewPointsClick);
    view.addAction(mnuViewPoints);
    points_ = new PointsRunner(this);
    connect(points_, &PointsRunner::finished, this, &GeneralForm::PointsDelivered);
}

void GeneralForm::mnuViewPointsClick() {
    QSettings settings(kApplicationTitle, kApplicationTitle);
    settings.setValue(kPointsKey, mnuViewPoints->isChecked());
    if (mnuViewPoints->isChecked()) {
        StartPoints();
    } else if (!document_.Points.empty()) {
        // The circles are part of the picture: it is drawn again without them.
        RedrawPicture();
    } else {
        DropPoints();
    }
}

bool GeneralForm::PointsRunning() const {
    return points_->Running();
}

void GeneralForm::DropPoints() {
    points_->Cancel();
    document_.Points.clear();
    if (tableWindow != nullptr) tableWindow->ShowPoints({}, {});
}

void GeneralForm::StartPoints() {
    DropPoints();
    if (!mnuViewPoints->isChecked() || document_.Mode != PictureMode::Graph) return;
    auto job = std::make_shared<PointsJob>();
    const CurveSet& curves = document_.Curves;
    for (size_t i = 0; i < curves.Size(); ++i) {
        const Curve& curve = curves.At(i);
        if (!curve.Visible || !curve.UsesX() || curve.Built->LastBuildError != kNoError) continue;
        if (curves.Selected() == i) job->Selected = job->Curves.size();
        job->Curves.push_back({curve.Built, curve.LineColour, curve.BoundArgument,
                               curve.ArgumentFrom, curve.ArgumentTo});
    }
    if (job->Curves.empty()) return;
    const int width = Image->canvas().Width();
    job->Request.From = ColumnToWorldX(document_.View, 0);
    job->Request.To = ColumnToWorldX(document_.View, width);
    job->Request.Samples = std::max(width, 2);
    job->Request.Wanted.fill(true);
    points_->Start(std::move(job));
}

void GeneralForm::PointsDelivered(const std::shared_ptr<PointsJob>& job) {
    if (job->Stopped) return;
    document_.Points = job->Markers;
    DrawPointMarkers(canvas(), document_.View, document_.Points);
    Image->update();
    if (tableWindow != nullptr) tableWindow->ShowPoints(document_.Points, job->MoreThanLimit);
    emit pointsShown();
}

QString GeneralForm::PointTipText(const PointOfInterest& point) const {
    return tr("%1: x = %2, y = %3")
        .arg(PointKindText(point.Kind), Displayed(PointNumberText(point.X, point.Digits)),
             Displayed(PointNumberText(point.Y)));
}

void GeneralForm::ShowPointTip(int x, int y) {
    const auto found = MarkerAt(document_.View, document_.Points, x, y);
    const QString text = found ? PointTipText(document_.Points[*found].Point) : QString();
    if (text == Image->toolTip()) return;
    Image->setToolTip(text);
    if (text.isEmpty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(Image->mapToGlobal(QPoint(x, y)), text, Image);
    }
}

void GeneralForm::PickPoint(int x, int y) {
    const auto found = MarkerAt(document_.View, document_.Points, x, y);
    if (!found) return;
    const PointOfInterest& point = document_.Points[*found].Point;
    const QString text = Displayed(PointNumberText(point.X, point.Digits));
    txtXfunc->setText(text);
    txtXProiz->setText(text);
    ShowPointTip(x, y);
}
