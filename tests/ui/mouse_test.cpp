// The mouse tools with real mouse events on the picture: the move tool's mark and move, the
// right-button cancel, the rectangle zoom with its rubber band, clamping and run, the end of
// a gesture half done by a tool change, a redraw, a run or Esc, the cursors, and the coordinate
// read-out.
#include <QCheckBox>
#include <QGroupBox>
#include <QToolButton>

#include "engine/number_text.h"
#include "test_classes.h"
#include "ui/picture_widget.h"
#include "window_fixture.h"

namespace {

QString Shown(ExtendedReal value) {
    return QString::fromStdString(RealDisplayText(value, 5));
}

}  // namespace

class MouseTest : public QObject {
    Q_OBJECT

  private slots:
    void toolButtonsAndCursors();
    void moveByTwoClicks_data();
    void moveByTwoClicks();
    void rightButtonCancelsMark();
    void rectangleZoom_data();
    void rectangleZoom();
    void rectangleWithoutArea();
    void narrowRectangleIsClamped();
    void rubberBandErasesItself();
    void switchingToolsMidGesture();
    void everyPairOfTools_data();
    void everyPairOfTools();
    void pendingClickEndsWithItsMark_data();
    void pendingClickEndsWithItsMark();
    void readOut_data();
    void readOut();
    void readOutEmptiedOnFreeArea();
};

void MouseTest::toolButtonsAndCursors() {
    WindowFixture w;
    QCOMPARE(w.ui.Image->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(w.ui.btnRect, Qt::LeftButton);
    QVERIFY(w.ui.btnRect->isChecked() && !w.ui.btnMove->isChecked());
    QCOMPARE(w.ui.Image->cursor().shape(), Qt::CrossCursor);
    QTest::mouseClick(w.ui.btnRect, Qt::LeftButton);
    QVERIFY(w.ui.btnRect->isChecked());
    QCOMPARE(w.ui.Image->cursor().shape(), Qt::CrossCursor);
    QTest::mouseClick(w.ui.btnMove, Qt::LeftButton);
    QVERIFY(w.ui.btnMove->isChecked() && !w.ui.btnRect->isChecked());
    QCOMPARE(w.ui.Image->cursor().shape(), Qt::PointingHandCursor);
}

void MouseTest::moveByTwoClicks_data() {
    QTest::addColumn<QPoint>("first");
    QTest::addColumn<QPoint>("second");
    QTest::addColumn<int>("button");
    QTest::newRow("right and up") << QPoint(100, 100) << QPoint(150, 80) << int(Qt::LeftButton);
    QTest::newRow("middle button") << QPoint(100, 100) << QPoint(40, 130) << int(Qt::MiddleButton);
}

void MouseTest::moveByTwoClicks() {
    QFETCH(QPoint, first);
    QFETCH(QPoint, second);
    QFETCH(int, button);
    WindowFixture w;
    w.Run("sinx");
    const ViewState start = w->view();
    const QImage before = w.Picture();
    w.ui.cbxKill->setChecked(false);
    QTest::mouseClick(w.ui.Image, Qt::MouseButton(button), {}, first);
    QCOMPARE(w.ui.Image->tools().ToolClickCount, 1);
    QCOMPARE(w.ui.Image->canvas().Pixel(first.x(), first.y()), kWhite);  // the mark
    QCOMPARE(w.ui.txtX->text(), Shown(start.ViewOriginX));
    QTest::mouseClick(w.ui.Image, Qt::MouseButton(button), {}, second);
    QCOMPARE(w.ui.Image->tools().ToolClickCount, 0);
    const ExtendedReal ox = start.ViewOriginX - (second.x() - first.x()) * start.PixelSizeX;
    const ExtendedReal oy = start.ViewOriginY + (second.y() - first.y()) * start.PixelSizeY;
    QCOMPARE(w->view().ViewOriginX, ox);
    QCOMPARE(w->view().ViewOriginY, oy);
    QCOMPARE(w.ui.txtX->text(), Shown(ox));
    QCOMPARE(w.ui.txtY->text(), Shown(oy));
    QCOMPARE(w->view().PixelSizeX, start.PixelSizeX);
    // The redraw clears the picture by itself: "Новый" stays as the user left it.
    QVERIFY(!w.ui.cbxKill->isChecked());
    // The picture moved with the view: a pixel under the first click is now under the second.
    const QImage after = w.Picture();
    const QPoint shift = second - first;
    int same = 0, total = 0;
    for (int y = 20; y < after.height() - 20; y += 7) {
        for (int x = 20; x < after.width() - 20; x += 7) {
            const QPoint to(x + shift.x(), y + shift.y());
            if (!after.rect().contains(to)) continue;
            ++total;
            same += before.pixel(x, y) == after.pixel(to);
        }
    }
    QVERIFY2(same > total * 95 / 100, qPrintable(QString("%1 of %2").arg(same).arg(total)));
}

void MouseTest::rightButtonCancelsMark() {
    WindowFixture w;
    const QImage before = w.Picture();
    QTest::mouseClick(w.ui.Image, Qt::LeftButton, {}, QPoint(60, 60));
    QVERIFY(w.Picture() != before);
    QTest::mouseClick(w.ui.Image, Qt::RightButton, {}, QPoint(90, 90));
    QCOMPARE(w.ui.Image->tools().ToolClickCount, 0);
    QCOMPARE(w.Picture(), before);  // redrawn: the mark is gone
    // The next two clicks move again.
    QTest::mouseClick(w.ui.Image, Qt::LeftButton, {}, QPoint(60, 60));
    QTest::mouseClick(w.ui.Image, Qt::LeftButton, {}, QPoint(70, 60));
    QCOMPARE(w.ui.Image->tools().ToolClickCount, 0);
    QVERIFY(w.Picture() != before);
}

void MouseTest::rectangleZoom_data() {
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("release");
    QTest::newRow("down and right") << QPoint(10, 10) << QPoint(110, 60);
    QTest::newRow("up and left") << QPoint(110, 60) << QPoint(10, 10);
    QTest::newRow("down and left") << QPoint(110, 10) << QPoint(10, 60);
}

void MouseTest::rectangleZoom() {
    QFETCH(QPoint, press);
    QFETCH(QPoint, release);
    WindowFixture w;
    const ViewState start = w->view();
    const int width = w.ui.Image->canvas().Width();
    const int height = w.ui.Image->canvas().Height();
    const int lines = w.ui.ScenarioLines().size();
    QTest::mouseClick(w.ui.btnRect, Qt::LeftButton);
    QTest::mousePress(w.ui.Image, Qt::LeftButton, {}, press);
    QTest::mouseMove(w.ui.Image, (press + release) / 2);
    QTest::mouseMove(w.ui.Image, release);
    QTest::mouseRelease(w.ui.Image, Qt::LeftButton, {}, release);
    w.Settle();
    // The world point under the upper-left corner becomes the origin; each axis is stretched
    // to the picture; the run then reads the five-decimal texts back.
    const ExtendedReal left = start.ViewOriginX + 10 * start.PixelSizeX;
    const ExtendedReal top = start.ViewOriginY - 10 * start.PixelSizeY;
    const ExtendedReal sx = 100 * start.PixelSizeX / width;
    const ExtendedReal sy = 50 * start.PixelSizeY / height;
    QCOMPARE(w.ui.txtX->text(), Shown(left));
    QCOMPARE(w.ui.txtY->text(), Shown(top));
    QCOMPARE(w.ui.txtXm->text(), Shown(sx));
    QCOMPARE(w.ui.txtYm->text(), Shown(sy));
    ExtendedReal shown = 0;
    QVERIFY(NumberSyntax(Shown(sx).toStdString(), shown));
    QCOMPARE(w->view().PixelSizeX, shown);
    QCOMPARE(w.ui.Image->tools().ToolClickCount, 0);
    QCOMPARE(w.ui.ScenarioLines().size(), lines + 3);
}

void MouseTest::rectangleWithoutArea() {
    WindowFixture w;
    const ViewState start = w->view();
    QTest::mouseClick(w.ui.btnRect, Qt::LeftButton);
    const QImage before = w.Picture();
    QTest::mousePress(w.ui.Image, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(w.ui.Image, QPoint(80, 50));
    QVERIFY(w.Picture() != before);
    QTest::mouseMove(w.ui.Image, QPoint(20, 70));
    const QImage band = w.Picture();
    QTest::mouseRelease(w.ui.Image, Qt::LeftButton, {}, QPoint(20, 70));
    QCOMPARE(w.ui.Image->tools().ToolClickCount, 0);
    QCOMPARE(w.ui.Image->tools().MarkX, 0);
    QCOMPARE(w->view().ViewOriginX, start.ViewOriginX);
    QCOMPARE(w->view().ViewOriginY, start.ViewOriginY);
    QCOMPARE(w->view().PixelSizeX, start.PixelSizeX);
    QCOMPARE(w->view().PixelSizeY, start.PixelSizeY);
    // Nothing is redrawn and nothing run.
    QCOMPARE(w.Picture(), band);
    QCOMPARE(w.ui.ScenarioLines().size(), 3);
    // The next drag starts a new gesture.
    QTest::mousePress(w.ui.Image, Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(w.ui.Image->tools().ToolClickCount, 1);
}

void MouseTest::narrowRectangleIsClamped() {
    WindowFixture w;
    w.EnterField(w.ui.txtXm, "0.001");
    QTest::mouseClick(w.ui.btnStart, Qt::LeftButton);
    QTest::mouseClick(w.ui.btnRect, Qt::LeftButton);
    QTest::mousePress(w.ui.Image, Qt::LeftButton, {}, QPoint(30, 30));
    QTest::mouseMove(w.ui.Image, QPoint(31, 90));
    QTest::mouseRelease(w.ui.Image, Qt::LeftButton, {}, QPoint(31, 90));
    QCOMPARE(w.ui.txtXm->text(), QStringLiteral("0.00001"));
    QCOMPARE(w->view().PixelSizeX, kMinPixelSize);
}

void MouseTest::rubberBandErasesItself() {
    WindowFixture w;
    QTest::mouseClick(w.ui.btnRect, Qt::LeftButton);
    const QImage before = w.Picture();
    QTest::mousePress(w.ui.Image, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(w.ui.Image, QPoint(80, 70));
    const QImage big = w.Picture();
    QTest::mouseMove(w.ui.Image, QPoint(40, 30));
    const QImage small = w.Picture();
    // The right edge of the first band is gone; the second band is drawn.
    for (int y = 12; y < 68; y += 5) QCOMPARE(small.pixel(79, y), before.pixel(79, y));
    QVERIFY(big.pixel(79, 40) != before.pixel(79, 40));
    int changed = 0;
    for (int x = 10; x < 40; ++x) changed += small.pixel(x, 10) != before.pixel(x, 10);
    QVERIFY(changed > 20);
    // Outside both bands nothing was touched.
    QCOMPARE(small.copy(100, 100, 50, 50), before.copy(100, 100, 50, 50));
    QTest::mouseRelease(w.ui.Image, Qt::RightButton, {}, QPoint(40, 30));
}

void MouseTest::switchingToolsMidGesture() {
    // A tool change ends the gesture of the tool left, and its mark goes with it.
    WindowFixture w;
    const ViewState start = w->view();
    const QImage clean = w.Picture();
    QTest::mouseClick(w.ui.Image, Qt::LeftButton, {}, QPoint(50, 50));  // mark: count 1
    QVERIFY(w.Picture() != clean);
    QTest::mouseClick(w.ui.btnRect, Qt::LeftButton);
    QCOMPARE(w.ui.Image->tools().ToolClickCount, 0);
    QCOMPARE(w.Picture(), clean);
    QTest::mousePress(w.ui.Image, Qt::LeftButton, {}, QPoint(60, 60));
    QTest::mouseMove(w.ui.Image, QPoint(120, 100));
    QVERIFY(w.Picture() != clean);  // the band
    QTest::mouseClick(w.ui.btnMove, Qt::LeftButton);
    QCOMPARE(w.ui.Image->tools().ToolClickCount, 0);
    QCOMPARE(w.Picture(), clean);
    // The release of the abandoned drag is no gesture of the move tool's.
    QTest::mouseRelease(w.ui.Image, Qt::LeftButton, {}, QPoint(120, 100));
    QCOMPARE(w->view().PixelSizeX, start.PixelSizeX);
    QTest::mouseClick(w.ui.btnMove, Qt::LeftButton);
    QTest::mouseClick(w.ui.Image, Qt::LeftButton, {}, QPoint(70, 70));
    QTest::mouseClick(w.ui.Image, Qt::LeftButton, {}, QPoint(80, 70));
    QCOMPARE(w->view().ViewOriginX, start.ViewOriginX - 10 * start.PixelSizeX);
}

namespace {

enum class Tool { Move, Rect };

void Choose(WindowFixture& w, Tool tool) {
    QTest::mouseClick(tool == Tool::Move ? w.ui.btnMove : w.ui.btnRect, Qt::LeftButton);
}

}  // namespace

void MouseTest::everyPairOfTools_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    for (const Tool a : {Tool::Move, Tool::Rect}) {
        for (const Tool b : {Tool::Move, Tool::Rect}) {
            const QByteArray name = QByteArray(a == Tool::Move ? "move" : "rect") + " then " +
                                    (b == Tool::Move ? "move" : "rect");
            QTest::newRow(name.constData()) << int(a) << int(b);
        }
    }
}

// One click with a tool, then the other tool (or the same one again) chosen: its gesture
// starts clean and completes.
void MouseTest::everyPairOfTools() {
    QFETCH(int, first);
    QFETCH(int, second);
    WindowFixture w;
    w.Run("sinx");
    const QImage clean = w.Picture();
    Choose(w, Tool(first));
    QTest::mouseClick(w.ui.Image, Qt::LeftButton, {}, QPoint(40, 40));
    Choose(w, Tool(second));
    QCOMPARE(w.ui.Image->tools().ToolClickCount, 0);
    QCOMPARE(w.Picture(), clean);
    const ViewState start = w->view();
    if (Tool(second) == Tool::Move) {
        QTest::mouseClick(w.ui.Image, Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseClick(w.ui.Image, Qt::LeftButton, {}, QPoint(130, 90));
        w.Settle();
        QCOMPARE(w->view().ViewOriginX, start.ViewOriginX - 30 * start.PixelSizeX);
        QCOMPARE(w->view().ViewOriginY, start.ViewOriginY - 10 * start.PixelSizeY);
        return;
    }
    QTest::mousePress(w.ui.Image, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(w.ui.Image, QPoint(60, 40));
    // The band is a green frame; its inside keeps the picture (the background's brush in XOR),
    // not a block inverted by the white brush of a mark.
    const QImage band = w.ui.Image->canvas().Image();
    QVERIFY(band.pixel(10, 25) != clean.pixel(10, 25));
    QCOMPARE(band.copy(12, 12, 45, 25), clean.copy(12, 12, 45, 25));
    QTest::mouseMove(w.ui.Image, QPoint(110, 60));
    QTest::mouseRelease(w.ui.Image, Qt::LeftButton, {}, QPoint(110, 60));
    w.Settle();
    QCOMPARE(w.ui.txtXm->text(), Shown(100 * start.PixelSizeX / w.ui.Image->canvas().Width()));
    QCOMPARE(w.ui.Image->tools().ToolClickCount, 0);
}

// The first click of the move tool ends when its mark is wiped: by a redraw, a run or Esc.
void MouseTest::pendingClickEndsWithItsMark_data() {
    QTest::addColumn<QString>("action");
    QTest::newRow("redraw") << "redraw";
    QTest::newRow("run") << "run";
    QTest::newRow("escape") << "escape";
}

void MouseTest::pendingClickEndsWithItsMark() {
    QFETCH(QString, action);
    WindowFixture w;
    w.Run("sinx");
    const QImage clean = w.Picture();
    QTest::mouseClick(w.ui.Image, Qt::LeftButton, {}, QPoint(50, 50));
    QCOMPARE(w.ui.Image->tools().ToolClickCount, 1);
    if (action == "redraw") QTest::mouseClick(w.ui.btnHome, Qt::LeftButton);
    if (action == "redraw") QTest::mouseClick(w.ui.btnMPlus, Qt::LeftButton);
    if (action == "run") QTest::mouseClick(w.ui.btnStart, Qt::LeftButton);
    if (action == "escape") QTest::keyClick(w.ui.Image, Qt::Key_Escape);
    const QImage wiped = w.Picture();
    QCOMPARE(w.ui.Image->tools().ToolClickCount, 0);
    if (action != "redraw") QCOMPARE(wiped, clean);
    // The next click is a first click again: it marks, the view stays.
    const ViewState start = w->view();
    QTest::mouseClick(w.ui.Image, Qt::LeftButton, {}, QPoint(90, 60));
    QCOMPARE(w.ui.Image->tools().ToolClickCount, 1);
    QCOMPARE(w->view().ViewOriginX, start.ViewOriginX);
    QCOMPARE(w->view().ViewOriginY, start.ViewOriginY);
}

void MouseTest::readOut_data() {
    QTest::addColumn<QPoint>("at");
    QTest::newRow("left edge") << QPoint(0, 3);  // QTest takes (0, 0) for the centre
    QTest::newRow("inside") << QPoint(123, 45);
    QTest::newRow("far") << QPoint(200, 150);
}

void MouseTest::readOut() {
    QFETCH(QPoint, at);
    WindowFixture w;
    QTest::mouseMove(w.ui.Image, at);
    const ViewState& view = w->view();
    QCOMPARE(w.ui.txtXNow->text(), Shown(view.ViewOriginX + at.x() * view.PixelSizeX));
    QCOMPARE(w.ui.txtYNow->text(), Shown(view.ViewOriginY - at.y() * view.PixelSizeY));
}

void MouseTest::readOutEmptiedOnFreeArea() {
    WindowFixture w;
    QTest::mouseMove(w.ui.Image, QPoint(40, 40));
    QVERIFY(!w.ui.txtXNow->text().isEmpty());
    // Leaving the picture for another control empties the read-out as well.
    QTest::mouseMove(w.ui.txtX, QPoint(5, 5));
    QCOMPARE(w.ui.txtXNow->text(), QString());
    QCOMPARE(w.ui.txtYNow->text(), QString());
    QTest::mouseMove(w.ui.Image, QPoint(40, 40));
    QVERIFY(!w.ui.txtXNow->text().isEmpty());
    // Between the view column and the picture lies the window's free area.
    QVERIFY(!w.ui.central->childAt(QPoint(300, 200)));
    QTest::mouseMove(w.ui.central, QPoint(300, 200));
    QCOMPARE(w.ui.txtXNow->text(), QString());
    QCOMPARE(w.ui.txtYNow->text(), QString());
}

std::unique_ptr<QObject> MakeMouseTest() {
    return std::make_unique<MouseTest>();
}

#include "mouse_test.moc"
