// Steering the picture with real events: wheel zoom about the pointer, dragging, the two-click
// move beside the drag, the keys of the focused picture, trace, breaks at poles and labels
// through the "Вид" menu, the view history, and the settings kept.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QSettings>
#include <QToolButton>
#include <QWheelEvent>
#include <cmath>
#include <set>

#include "engine/number_text.h"
#include "messages/messages.h"
#include "test_classes.h"
#include "ui/picture_overlay.h"
#include "ui/picture_widget.h"
#include "window_fixture.h"

namespace {

QString Shown(ExtendedReal value) {
    return QString::fromStdString(RealDisplayText(value, 5));
}

void Wheel(QWidget* picture, QPoint at, int angle, Qt::KeyboardModifiers keys = {}) {
    QWheelEvent event(QPointF(at), QPointF(picture->mapToGlobal(at)), QPoint(), QPoint(0, angle),
                      Qt::NoButton, keys, Qt::NoScrollPhase, false);
    QApplication::sendEvent(picture, &event);
}

// A move with the button held, as the mouse sends it while dragging.
void DragTo(QWidget* picture, QPoint at, Qt::MouseButton button) {
    QMouseEvent event(QEvent::MouseMove, QPointF(at), QPointF(picture->mapToGlobal(at)),
                      Qt::NoButton, button, Qt::NoModifier);
    QApplication::sendEvent(picture, &event);
}

// Lets the pending redraw run: its timer fires, then the background work it started ends.
void Settle() {
    for (int k = 0; k < 3; ++k) QApplication::processEvents();
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (const auto* form = qobject_cast<GeneralForm*>(widget)) {
            QVERIFY(QTest::qWaitFor(
                [form] { return !form->WorkRunning() && !form->PointsRunning(); }, 60000));
        }
    }
}

QImage PictureOf(WindowFixture& w, const QString& expression) {
    w.Run(expression);
    Settle();
    return w.Picture();
}

}  // namespace

class ViewWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void wheelKeepsThePointUnderThePointer_data();
    void wheelKeepsThePointUnderThePointer();
    void fastWheelLeavesOneRedraw();
    void wheelNotchesMakeOneStep();
    void dragMovesByTheDragVector_data();
    void dragMovesByTheDragVector();
    void twoClickMoveStillWorks();
    void dragEndsAMoveBegunBefore();
    void keysPanAndZoomTheFocusedPicture();
    void traceShowsTheValue();
    void breaksAtPoles();
    void smoothingRedrawsAndIsRemembered();
    void labelsOverlayAndExport();
    void historyStepsBackAndForward();
    void readOutHoldsLongValues();
};

void ViewWindowTest::wheelKeepsThePointUnderThePointer_data() {
    QTest::addColumn<int>("notches");
    QTest::addColumn<int>("angle");
    QTest::addColumn<int>("keys");
    QTest::addColumn<double>("factorX");
    QTest::addColumn<double>("factorY");
    const double quarter = std::exp2(-0.25);
    QTest::newRow("one notch") << 1 << 120 << 0 << quarter << quarter;
    QTest::newRow("four notches") << 4 << 120 << 0 << 0.5 << 0.5;
    QTest::newRow("one notch out") << 1 << -120 << 0 << 1 / quarter << 1 / quarter;
    QTest::newRow("touchpad halves") << 2 << 60 << 0 << quarter << quarter;
    QTest::newRow("ctrl: x only") << 4 << 120 << int(Qt::ControlModifier) << 0.5 << 1.0;
    QTest::newRow("shift: y only") << 4 << 120 << int(Qt::ShiftModifier) << 1.0 << 0.5;
}

void ViewWindowTest::wheelKeepsThePointUnderThePointer() {
    QFETCH(int, notches);
    QFETCH(int, angle);
    QFETCH(int, keys);
    QFETCH(double, factorX);
    QFETCH(double, factorY);
    WindowFixture w;
    const QPoint at(57, 83);
    const ViewState before = w->view();
    const ExtendedReal wx = ColumnToWorldX(before, at.x());
    const ExtendedReal wy = RowToWorldY(before, at.y());
    const QStringList log = w.ui.ScenarioLines();
    for (int k = 0; k < notches; ++k) {
        Wheel(w.ui.Image, at, angle, Qt::KeyboardModifiers(keys));
        Settle();
    }
    const ViewState& view = w->view();
    QVERIFY(std::abs(double(view.PixelSizeX / before.PixelSizeX) - factorX) < 1e-12);
    QVERIFY(std::abs(double(view.PixelSizeY / before.PixelSizeY) - factorY) < 1e-12);
    QCOMPARE(WorldXToColumn(view, wx), at.x());
    QCOMPARE(WorldYToRow(view, wy), at.y());
    // The fields are rewritten; no run is logged.
    QCOMPARE(w.ui.txtXm->text(), Shown(view.PixelSizeX));
    QCOMPARE(w.ui.txtX->text(), Shown(view.ViewOriginX));
    QCOMPARE(w.ui.ScenarioLines(), log);
}

void ViewWindowTest::fastWheelLeavesOneRedraw() {
    WindowFixture w;
    QTest::mouseClick(w.ui.Image, Qt::RightButton, {}, QPoint(5, 5));
    Settle();
    const ViewState start = w->view();
    const QImage before = w.Picture();
    for (int k = 0; k < 8; ++k) Wheel(w.ui.Image, QPoint(40 + k, 60), 120);
    // The view follows every event; the picture is drawn once, after them.
    QVERIFY(w->view().PixelSizeX < start.PixelSizeX / 3);
    QCOMPARE(w.Picture(), before);
    Settle();
    QVERIFY(w.Picture() != before);
    // One redraw, one step of the history.
    QTest::keyClick(&w.form(), Qt::Key_Left, Qt::AltModifier);
    Settle();
    QCOMPARE(w->view().PixelSizeX, start.PixelSizeX);
    QCOMPARE(w->view().ViewOriginX, start.ViewOriginX);
}

void ViewWindowTest::dragMovesByTheDragVector_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("rectangleTool");
    QTest::newRow("left, move tool") << int(Qt::LeftButton) << false;
    QTest::newRow("middle, move tool") << int(Qt::MiddleButton) << false;
    QTest::newRow("middle, rectangle tool") << int(Qt::MiddleButton) << true;
}

void ViewWindowTest::dragMovesByTheDragVector() {
    QFETCH(int, button);
    QFETCH(bool, rectangleTool);
    WindowFixture w;
    if (rectangleTool) QTest::mouseClick(w.ui.btnRect, Qt::LeftButton);
    const auto b = Qt::MouseButton(button);
    const ViewState before = w->view();
    const QImage picture = w.Picture();
    QTest::mousePress(w.ui.Image, b, {}, QPoint(100, 100));
    DragTo(w.ui.Image, QPoint(102, 101), b);  // within the threshold: not yet a drag
    QCOMPARE(w->view().ViewOriginX, before.ViewOriginX);
    DragTo(w.ui.Image, QPoint(130, 90), b);
    // The picture follows at once, before any redraw.
    QCOMPARE(w.Picture().pixel(60, 50), picture.pixel(30, 60));
    DragTo(w.ui.Image, QPoint(160, 70), b);
    QTest::mouseRelease(w.ui.Image, b, {}, QPoint(150, 80));
    Settle();
    const ViewState& view = w->view();
    QCOMPARE(view.ViewOriginX, before.ViewOriginX - 50 * before.PixelSizeX);
    QCOMPARE(view.ViewOriginY, before.ViewOriginY + (-20) * before.PixelSizeY);
    QCOMPARE(view.PixelSizeX, before.PixelSizeX);
    // No click of the tools was counted.
    QCOMPARE(w.ui.Image->tools().ToolClickCount, 0);
    QCOMPARE(w.ui.txtX->text(), Shown(view.ViewOriginX));
}

void ViewWindowTest::twoClickMoveStillWorks() {
    WindowFixture w;
    const ViewState before = w->view();
    // A little jitter between press and release is no drag.
    QTest::mousePress(w.ui.Image, Qt::LeftButton, {}, QPoint(100, 100));
    DragTo(w.ui.Image, QPoint(101, 102), Qt::LeftButton);
    QTest::mouseRelease(w.ui.Image, Qt::LeftButton, {}, QPoint(101, 102));
    QCOMPARE(w.ui.Image->tools().ToolClickCount, 1);
    QTest::mouseClick(w.ui.Image, Qt::LeftButton, {}, QPoint(151, 82));
    Settle();
    QCOMPARE(w.ui.Image->tools().ToolClickCount, 0);
    QCOMPARE(w->view().ViewOriginX, before.ViewOriginX - 50 * before.PixelSizeX);
    QCOMPARE(w->view().ViewOriginY, before.ViewOriginY + (-20) * before.PixelSizeY);
}

void ViewWindowTest::dragEndsAMoveBegunBefore() {
    WindowFixture w;
    QTest::mouseClick(w.ui.Image, Qt::LeftButton, {}, QPoint(100, 100));
    QCOMPARE(w.ui.Image->tools().ToolClickCount, 1);
    QTest::mousePress(w.ui.Image, Qt::LeftButton, {}, QPoint(50, 50));
    DragTo(w.ui.Image, QPoint(70, 50), Qt::LeftButton);
    QTest::mouseRelease(w.ui.Image, Qt::LeftButton, {}, QPoint(70, 50));
    QCOMPARE(w.ui.Image->tools().ToolClickCount, 0);
}

void ViewWindowTest::keysPanAndZoomTheFocusedPicture() {
    WindowFixture w;
    w.ClickFocus(w.ui.txtX);
    // The click that gives the picture the focus still runs the field's exit rule.
    QTest::keyClicks(w.ui.txtX, QStringLiteral("abc"));
    QTest::mouseClick(w.ui.Image, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.ui.Image));
    QCOMPARE(w.ui.txtX->text(), Shown(w->view().ViewOriginX));
    const ViewState before = w->view();
    const int tenthX = w.ui.Image->width() / 10;
    const int tenthY = w.ui.Image->height() / 10;
    QTest::keyClick(w.ui.Image, Qt::Key_Right);
    QCOMPARE(w->view().ViewOriginX, before.ViewOriginX + tenthX * before.PixelSizeX);
    QTest::keyClick(w.ui.Image, Qt::Key_Left);
    QTest::keyClick(w.ui.Image, Qt::Key_Up);
    QCOMPARE(w->view().ViewOriginY, before.ViewOriginY + tenthY * before.PixelSizeY);
    QTest::keyClick(w.ui.Image, Qt::Key_Down);
    const QPoint centre(w.ui.Image->width() / 2, w.ui.Image->height() / 2);
    const ExtendedReal cx = ColumnToWorldX(w->view(), centre.x());
    QTest::keyClick(w.ui.Image, Qt::Key_Plus);
    QVERIFY(std::abs(double(w->view().PixelSizeX / before.PixelSizeX) - 0.5) < 1e-12);
    QCOMPARE(WorldXToColumn(w->view(), cx), centre.x());
    QTest::keyClick(w.ui.Image, Qt::Key_Minus);
    QVERIFY(std::abs(double(w->view().PixelSizeX / before.PixelSizeX) - 1) < 1e-12);
    Settle();
    QCOMPARE(w.ui.txtXm->text(), Shown(w->view().PixelSizeX));
}

void ViewWindowTest::traceShowsTheValue() {
    WindowFixture w;
    w.Run(QStringLiteral("x*x-3"));
    Settle();
    QTest::mouseClick(w.ui.Image, Qt::RightButton, {}, QPoint(5, 5));
    QTest::keyClick(w.ui.Image, Qt::Key_T);
    QVERIFY(w.ui.mnuViewTrace->isChecked());
    const QPoint at(w.ui.Image->width() / 2 + 20, 40);
    QTest::mouseMove(w.ui.Image, at);
    const ExtendedReal x = ColumnToWorldX(w->view(), at.x());
    QCOMPARE(w.ui.txtXNow->text(), Shown(x));
    QCOMPARE(w.ui.txtYNow->text(), Shown(x * x - 3));
    QVERIFY(w.ui.overlay->Trace().has_value());
    QCOMPARE(w.ui.overlay->Trace()->x(), at.x());
    QCOMPARE(w.ui.overlay->Trace()->y(), WorldYToRow(w->view(), x * x - 3));
    // Where the value fails, the error text.
    w.Run(QStringLiteral("ln(x)"));
    Settle();
    QTest::mouseMove(w.ui.Image, QPoint(10, 40));
    QCOMPARE(w.ui.txtYNow->text(), QString::fromStdString(FailureText(kErrLnNonPositive)));
    QVERIFY(!w.ui.overlay->Trace().has_value());
    // Off again: the plain read-out.
    w.ui.mnuViewTrace->trigger();
    QTest::mouseMove(w.ui.Image, QPoint(11, 40));
    QCOMPARE(w.ui.txtYNow->text(), Shown(RowToWorldY(w->view(), 40)));
}

void ViewWindowTest::breaksAtPoles() {
    WindowFixture w;
    QVERIFY(w.ui.mnuViewBreakPoles->isChecked());
    w.EnterField(w.ui.txtX, QStringLiteral("-7.4863"));
    for (const char* text : {"1/x", "tgx", "1/(x*x-4)"}) {
        w.ui.mnuViewBreakPoles->setChecked(true);
        const QImage broken = PictureOf(w, QString::fromUtf8(text));
        w.ui.mnuViewBreakPoles->setChecked(false);
        Settle();
        QVERIFY2(w.Picture() != broken, text);
    }
    for (const char* text : {"sinx", "x^3", "exp(x)", "sqrtx", "ln(x)", "1/(x*x+1)"}) {
        w.ui.mnuViewBreakPoles->setChecked(true);
        const QImage on = PictureOf(w, QString::fromUtf8(text));
        w.ui.mnuViewBreakPoles->setChecked(false);
        Settle();
        QVERIFY2(w.Picture() == on, text);
    }
    QCOMPARE(QSettings(QStringLiteral("Tarvik"), QStringLiteral("Tarvik"))
                 .value(QStringLiteral("view/breakPoles"))
                 .toBool(),
             false);
    w.ui.mnuViewBreakPoles->setChecked(true);
}

void ViewWindowTest::smoothingRedrawsAndIsRemembered() {
    const auto colours = [](const QImage& image) {
        std::set<QRgb> seen;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) seen.insert(image.pixel(x, y));
        return seen.size();
    };
    const auto remembered = [] {
        return QSettings(QStringLiteral("Tarvik"), QStringLiteral("Tarvik"))
            .value(QStringLiteral("view/smoothing"))
            .toBool();
    };
    WindowFixture w;
    QVERIFY(!w.ui.mnuViewSmooth->isChecked());
    const QImage plain = PictureOf(w, QStringLiteral("sinx"));
    w.ui.mnuViewSmooth->setChecked(true);
    Settle();
    const QImage smooth = w.Picture();
    // The curve's edges take shades between its colour and the background's.
    QVERIFY2(colours(smooth) > colours(plain) + 3,
             qPrintable(QStringLiteral("%1 %2").arg(colours(smooth)).arg(colours(plain))));
    QVERIFY(remembered());
    // The picture as shown (and so every raster export) is the smooth one.
    QVERIFY(colours(w->ShownPicture()) > colours(plain));
    w.ui.mnuViewSmooth->setChecked(false);
    Settle();
    QCOMPARE(w.Picture(), plain);
    QVERIFY(!remembered());
}

void ViewWindowTest::labelsOverlayAndExport() {
    WindowFixture w;
    QVERIFY(w.ui.mnuViewLabels->isChecked());
    QVERIFY(w.ui.overlay->LabelsShown());
    const QImage canvas = w.Picture();
    // The canvas stays as drawn; what the window shows carries the labels.
    QVERIFY(w->ShownPicture() != canvas);
    w.ui.mnuViewLabels->setChecked(false);
    QVERIFY(!w.ui.overlay->LabelsShown());
    QCOMPARE(w.Picture(), canvas);
    QCOMPARE(w->ShownPicture(), canvas);
    QCOMPARE(QSettings(QStringLiteral("Tarvik"), QStringLiteral("Tarvik"))
                 .value(QStringLiteral("view/labels"))
                 .toBool(),
             false);
    w.ui.mnuViewLabels->setChecked(true);
    QVERIFY(w.ui.overlay->LabelsShown());
}

void ViewWindowTest::historyStepsBackAndForward() {
    WindowFixture w;
    QTest::mouseClick(w.ui.Image, Qt::RightButton, {}, QPoint(5, 5));
    const ViewState start = w->view();
    QTest::mouseClick(w.ui.btnMPlus, Qt::LeftButton);
    // The history keeps the views the picture has shown: the zoom's redraw is let finish.
    Settle();
    const ViewState zoomed = w->view();
    Wheel(w.ui.Image, QPoint(30, 30), -120);
    Settle();
    QTest::keyClick(&w.form(), Qt::Key_Left, Qt::AltModifier);
    Settle();
    QCOMPARE(w->view().PixelSizeX, zoomed.PixelSizeX);
    QCOMPARE(w->view().ViewOriginX, zoomed.ViewOriginX);
    QTest::keyClick(&w.form(), Qt::Key_Left, Qt::AltModifier);
    Settle();
    QCOMPARE(w->view().PixelSizeX, start.PixelSizeX);
    QCOMPARE(w->view().ViewOriginY, start.ViewOriginY);
    QCOMPARE(w.ui.txtXm->text(), Shown(start.PixelSizeX));
    QTest::keyClick(&w.form(), Qt::Key_Right, Qt::AltModifier);
    Settle();
    QCOMPARE(w->view().PixelSizeX, zoomed.PixelSizeX);
    QVERIFY(w.ui.mnuViewForward->isEnabled());
    // A run that changes the view fields is a step too, and drops the steps forward.
    w.EnterField(w.ui.txtXm, QStringLiteral("0.1"));
    w.Run(QStringLiteral("sinx"));
    Settle();
    QCOMPARE(w->view().PixelSizeX, 0.1L);
    QVERIFY(!w.ui.mnuViewForward->isEnabled());
    QTest::keyClick(&w.form(), Qt::Key_Left, Qt::AltModifier);
    Settle();
    QCOMPARE(w->view().PixelSizeX, zoomed.PixelSizeX);
}

// Notches less than half a second apart are one step back, even across their redraws.
void ViewWindowTest::wheelNotchesMakeOneStep() {
    WindowFixture w;
    const ViewState start = w->view();
    for (int k = 0; k < 4; ++k) {
        Wheel(w.ui.Image, QPoint(30, 30), 120);
        Settle();
    }
    QVERIFY(w->view().PixelSizeX < start.PixelSizeX);
    QTest::keyClick(&w.form(), Qt::Key_Left, Qt::AltModifier);
    Settle();
    QCOMPARE(w->view().PixelSizeX, start.PixelSizeX);
    QCOMPARE(w->view().ViewOriginX, start.ViewOriginX);
    // After a pause the next notch is a step of its own.
    Wheel(w.ui.Image, QPoint(30, 30), 120);
    Settle();
    const ViewState first = w->view();
    QTest::qWait(600);
    Wheel(w.ui.Image, QPoint(30, 30), 120);
    Settle();
    QTest::keyClick(&w.form(), Qt::Key_Left, Qt::AltModifier);
    Settle();
    QCOMPARE(w->view().PixelSizeX, first.PixelSizeX);
}

void ViewWindowTest::readOutHoldsLongValues() {
    WindowFixture w;
    for (QLineEdit* field : {w.ui.txtXNow, w.ui.txtYNow}) {
        const int room = field->contentsRect().width() - 2 * field->textMargins().left() - 4;
        QVERIFY(field->fontMetrics().horizontalAdvance(QStringLiteral("-12345678.12345")) <= room);
    }
}

std::unique_ptr<QObject> MakeViewWindowTest() {
    return std::make_unique<ViewWindowTest>();
}

#include "view_window_test.moc"
