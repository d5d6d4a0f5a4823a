// The points of interest through the window: searched after a plot and drawn into the picture,
// the tooltip over a marker and the click that takes its x, the intersections of two curves,
// the toggle under "Вид" with its setting, and the tangent and the shaded integral. What the points
// are is the core tests' concern.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QSettings>
#include <QTest>
#include <QToolButton>
#include <algorithm>

#include "test_classes.h"
#include "ui/picture_widget.h"
#include "view/canvas.h"
#include "window_fixture.h"

namespace {

QAction* PointsToggle(WindowFixture& w) {
    return w->findChild<QAction*>(QStringLiteral("mnuViewPoints"));
}

const PointMarker* Find(const GeneralForm& form, PointKind kind) {
    const std::vector<PointMarker>& points = form.document().Points;
    const auto at = std::find_if(points.begin(), points.end(), [kind](const PointMarker& marker) {
        return marker.Point.Kind == kind;
    });
    return at == points.end() ? nullptr : &*at;
}

// The picture as the window's document draws it, with or without its points.
QImage Drawn(WindowFixture& w, bool points) {
    PlotDocument document = w->document();
    if (!points) document.Points.clear();
    Canvas canvas(w.ui.Image->canvas().Width(), w.ui.Image->canvas().Height());
    DrawDocument(canvas, document);
    return canvas.Image();
}

QString Number(ExtendedReal value, int32_t digits = kAllDigits) {
    return QString::fromStdString(PointNumberText(value, digits));
}

}  // namespace

class PointsTest : public QObject {
    Q_OBJECT

  private slots:
    void searchedAfterThePlotAndDrawnIntoThePicture();
    void tooltipAndClickOverAMarker();
    void intersectionsOfTheSelectedCurve();
    void toggleDropsAndBringsBackThePoints();
    void tangentAndShadedIntegralUntilTheNextRun();
};

void PointsTest::searchedAfterThePlotAndDrawnIntoThePicture() {
    WindowFixture w;
    QAction* toggle = PointsToggle(w);
    QVERIFY(toggle != nullptr);
    QVERIFY(toggle->isChecked());
    w.Run(QStringLiteral("x^3-3*x"));
    for (const PointKind kind :
         {PointKind::Zero, PointKind::Minimum, PointKind::Maximum, PointKind::Inflection}) {
        QVERIFY(Find(w.form(), kind) != nullptr);
    }
    QVERIFY(Find(w.form(), PointKind::Intersection) == nullptr);
    const Colour curve = w->document().Curves.At(0).LineColour;
    for (const PointMarker& marker : w->document().Points) QCOMPARE(marker.MarkerColour, curve);
    // The circles are in the picture the window shows, and so in every output drawn from the
    // document.
    const QImage shown = w.ui.Image->canvas().Image();
    QCOMPARE(shown, Drawn(w, true));
    QVERIFY(shown != Drawn(w, false));
    // A new plot drops the old points before it starts, and brings its own.
    w.Run(QStringLiteral("x^2+1"));
    QVERIFY(Find(w.form(), PointKind::Minimum) != nullptr);
    QVERIFY(Find(w.form(), PointKind::Zero) == nullptr);
}

void PointsTest::tooltipAndClickOverAMarker() {
    WindowFixture w;
    w.Run(QStringLiteral("x^3-3*x"));
    const PointMarker* maximum = Find(w.form(), PointKind::Maximum);
    QVERIFY(maximum != nullptr);
    const PointOfInterest point = maximum->Point;
    const MarkerPixel place = MarkerPlace(w->view(), point);
    const QString tip = QStringLiteral("Максимум: x = %1, y = %2")
                            .arg(Number(point.X, point.Digits), Number(point.Y));
    QTest::mouseMove(w.ui.Image, QPoint(place.Column + 1, place.Row - 1));
    QCOMPARE(w.ui.Image->toolTip(), tip);
    // Away from every marker the tooltip goes.
    QTest::mouseMove(w.ui.Image, QPoint(place.Column + 30, place.Row + 3));
    QVERIFY(w.ui.Image->toolTip().isEmpty());
    // A click on it, with the rectangle tool as with the move tool, takes its x.
    for (QToolButton* tool : {w.ui.btnRect, w.ui.btnMove}) {
        tool->click();
        w.ui.txtXfunc->clear();
        QTest::mouseClick(w.ui.Image, Qt::LeftButton, {}, QPoint(place.Column, place.Row));
        QCOMPARE(w.ui.txtXfunc->text(), Number(point.X, point.Digits));
        QCOMPARE(w.ui.txtXProiz->text(), Number(point.X, point.Digits));
        QCOMPARE(w.ui.Image->toolTip(), tip);
        w.Settle();
    }
    // A zero is named as such, on the axis.
    const PointMarker* zero = Find(w.form(), PointKind::Zero);
    QVERIFY(zero != nullptr);
    const MarkerPixel axis = MarkerPlace(w->view(), zero->Point);
    QCOMPARE(axis.Row, WorldYToRow(w->view(), 0));
    QTest::mouseMove(w.ui.Image, QPoint(axis.Column, axis.Row));
    QVERIFY2(w.ui.Image->toolTip().startsWith(QStringLiteral("Нуль: x = ")),
             qPrintable(w.ui.Image->toolTip()));
}

void PointsTest::intersectionsOfTheSelectedCurve() {
    WindowFixture w;
    w.Run(QStringLiteral("sinx"));
    w.ui.cbxKill->setChecked(false);
    w.Run(QStringLiteral("cosx"));
    const Colour selected = w->document().Curves.SelectedCurve()->LineColour;
    const Colour first = w->document().Curves.At(0).LineColour;
    QVERIFY(selected != first);
    int intersections = 0;
    bool firstCurveZeros = false;
    for (const PointMarker& marker : w->document().Points) {
        if (marker.Point.Kind == PointKind::Intersection) {
            ++intersections;
            // The colour of the curve first in the list of the two.
            QCOMPARE(marker.MarkerColour, first);
            // sin x = cos x where x = pi/4 + k pi.
            const double k = (double(marker.Point.X) - M_PI / 4) / M_PI;
            QVERIFY(std::abs(k - std::round(k)) < 1e-9);
        }
        firstCurveZeros = firstCurveZeros ||
                          (marker.Point.Kind == PointKind::Zero && marker.MarkerColour == first);
    }
    QVERIFY(intersections >= 2);
    QVERIFY(firstCurveZeros);
    // Sorted by x, as the table lists them.
    const std::vector<PointMarker>& points = w->document().Points;
    QVERIFY(std::is_sorted(
        points.begin(), points.end(),
        [](const PointMarker& a, const PointMarker& b) { return a.Point.X < b.Point.X; }));
}

void PointsTest::toggleDropsAndBringsBackThePoints() {
    WindowFixture w;
    w.Run(QStringLiteral("x^2-1"));
    QVERIFY(!w->document().Points.empty());
    QAction* toggle = PointsToggle(w);
    toggle->trigger();
    w.Settle();
    QVERIFY(w->document().Points.empty());
    QCOMPARE(w.ui.Image->canvas().Image(), Drawn(w, false));
    QCOMPARE(QSettings(QStringLiteral("Tarvik"), QStringLiteral("Tarvik"))
                 .value(QStringLiteral("view/points"))
                 .toBool(),
             false);
    // Off, a run searches nothing.
    w.Run(QStringLiteral("x^2-4"));
    QVERIFY(!w->PointsRunning());
    QVERIFY(w->document().Points.empty());
    toggle->trigger();
    w.Settle();
    QVERIFY(Find(w.form(), PointKind::Zero) != nullptr);
    QCOMPARE(w.ui.Image->canvas().Image(), Drawn(w, true));
    QVERIFY(QSettings(QStringLiteral("Tarvik"), QStringLiteral("Tarvik"))
                .value(QStringLiteral("view/points"))
                .toBool());
}

void PointsTest::tangentAndShadedIntegralUntilTheNextRun() {
    WindowFixture w;
    w.Run(QStringLiteral("x^2"));
    const QImage plain = w.Picture();
    auto* tangent = w->findChild<QAction*>(QStringLiteral("mnuViewTangent"));
    QVERIFY(tangent != nullptr);
    // The tangent of x^2 at 1: y = 2x - 1, in the selected curve's colour.
    w.ui.txtXProiz->setText(QStringLiteral("1"));
    w.ui.txtResult->setText(QStringLiteral("before"));
    const QString resultBefore = w.ui.txtResult->text();
    tangent->trigger();
    w.Settle();
    QCOMPARE(w.ui.txtFuncResult->text(), QStringLiteral("y = 2·x - 1"));
    // The redraw for the tangent leaves the result field as it was.
    QCOMPARE(w.ui.txtResult->text(), resultBefore);
    QVERIFY(w->document().Tangent.has_value());
    QCOMPARE(w->document().Tangent->LineColour, w->document().Curves.At(0).LineColour);
    const QImage withTangent = w.Picture();
    QVERIFY(withTangent != plain);
    QCOMPARE(withTangent, Drawn(w, true));
    // At -0.5: y = -x - 0.25; a positive offset keeps its plus sign (below).
    w.ui.txtXProiz->setText(QStringLiteral("-0.5"));
    tangent->trigger();
    w.Settle();
    QCOMPARE(w.ui.txtFuncResult->text(), QStringLiteral("y = -1·x - 0.25"));
    w.Run(QStringLiteral("x+1"));
    QVERIFY(!w->document().Tangent.has_value());
    w.ui.txtXProiz->setText(QStringLiteral("3"));
    tangent->trigger();
    w.Settle();
    QCOMPARE(w.ui.txtFuncResult->text(), QStringLiteral("y = 1·x + 1"));
    // A refused point is refused as the derivative refuses it, and draws nothing.
    w.ui.txtXProiz->setText(QStringLiteral("abc"));
    tangent->trigger();
    QCOMPARE(int(w.messages.size()), 1);
    w.messages.clear();

    // The integral shades its area, drawn from the document; the next run takes it away.
    w.Run(QStringLiteral("x^3"));
    const QImage bare = w.Picture();
    w.ui.txtX0int->setText(QStringLiteral("-1"));
    w.ui.txtXkint->setText(QStringLiteral("2"));
    w.ui.btnCalcInt->click();
    w.Settle();
    QVERIFY(w->document().Shading.has_value());
    QCOMPARE(w->document().Shading->Area.From, ExtendedReal(-1));
    QCOMPARE(w->document().Shading->Area.To, ExtendedReal(2));
    const QImage shaded = w.Picture();
    QVERIFY(shaded != bare);
    QCOMPARE(shaded, Drawn(w, true));
    w.Run(QStringLiteral("x^3"));
    QVERIFY(!w->document().Shading.has_value());
    QCOMPARE(w.Picture(), bare);
}

std::unique_ptr<QObject> MakePointsTest() {
    return std::make_unique<PointsTest>();
}

#include "points_test.moc"
