// Resizing: the five layout rules, the picture's size after each layout, the run and centring
// that follow, the sizes that lay nothing out, and a0 kept across a layout.
#include <QComboBox>
#include <QPlainTextEdit>

#include "engine/number_text.h"
#include "test_classes.h"
#include "ui/picture_widget.h"
#include "window_fixture.h"

namespace {

// Resizes and waits for the layout's run and redraw to finish. The layout rules are looked at
// below the window's smallest size as well.
void ResizeTo(GeneralForm& form, int width, int height) {
    form.setMinimumSize(0, 0);
    form.resize(width, height);
    QTRY_COMPARE(form.size(), QSize(width, height));
    QTRY_VERIFY(!form.WorkRunning());
}

}  // namespace

class ResizeTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void layoutRules_data();
    void layoutRules();
    void heightAloneLaysOut();
    void sameSizeDoesNothing();
    void valueKeptAcrossLayout();
};

void ResizeTest::init() {}

void ResizeTest::layoutRules_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("box");  // expected widths and heights, -1: left as before
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("memo");
    QTest::addColumn<int>("pictureW");
    QTest::addColumn<int>("pictureH");
    QTest::newRow("designed") << QSize(635, 420) << 610 << 306 << 35 << 308 << 275;
    QTest::newRow("wide") << QSize(700, 500) << 675 << 371 << 115 << 373 << 355;
    QTest::newRow("just above the limits") << QSize(330, 386) << 305 << 1 << 1 << 3 << 241;
    QTest::newRow("narrow and low") << QSize(329, 385) << 304 << -1 << -1 << 2 << 240;
}

void ResizeTest::layoutRules() {
    QFETCH(QSize, size);
    QFETCH(int, box);
    QFETCH(int, result);
    QFETCH(int, memo);
    QFETCH(int, pictureW);
    QFETCH(int, pictureH);
    WindowFixture w;
    // The rules hold below the window's smallest size too (a window manager may ignore it).
    w->setMinimumSize(0, 0);
    w->showNormal();
    ResizeTo(w.form(), 700, 600);
    const int resultBefore = w.ui.txtResult->width();
    const int memoBefore = w.ui.memoGenHelp->height();
    const int runs = w.ui.ScenarioLines().size();
    ResizeTo(w.form(), size.width(), size.height());
    QCOMPARE(w.ui.txtFunctionText->width(), box);
    QCOMPARE(w.ui.txtResult->width(), result < 0 ? resultBefore : result);
    QCOMPARE(w.ui.memoGenHelp->height(), memo < 0 ? memoBefore : memo);
    QCOMPARE(w.ui.Image->size(), QSize(pictureW, pictureH));
    QCOMPARE(w.ui.Image->canvas().Width(), pictureW);
    QCOMPARE(w.ui.Image->canvas().Height(), pictureH);
    // Positions stay; one run was logged; the view is centred on the new picture.
    QCOMPARE(w.ui.Image->pos(), QPoint(304, 85));
    QCOMPARE(w.ui.ScenarioLines().size(), runs + 3);
    QCOMPARE(w->view().ViewOriginX, -pictureW * w->view().PixelSizeX / 2);
    QCOMPARE(w->view().ViewOriginY, pictureH * w->view().PixelSizeY / 2);
    QCOMPARE(w->layoutWidth(), size.width());
}

void ResizeTest::heightAloneLaysOut() {
    WindowFixture w;
    w->showNormal();
    ResizeTo(w.form(), 700, 600);
    const int runs = w.ui.ScenarioLines().size();
    ResizeTo(w.form(), 700, 500);
    QCOMPARE(w.ui.Image->height(), 355);
    QCOMPARE(w.ui.Image->canvas().Height(), 355);
    QCOMPARE(w.ui.ScenarioLines().size(), runs + 3);
}

void ResizeTest::sameSizeDoesNothing() {
    WindowFixture w;
    w->showNormal();
    ResizeTo(w.form(), 700, 600);
    const int runs = w.ui.ScenarioLines().size();
    const int count = w->resizeCount();
    const QImage picture = w.Picture();
    ResizeTo(w.form(), 701, 600);
    ResizeTo(w.form(), 700, 600);
    QCOMPARE(w.ui.ScenarioLines().size(), runs + 6);
    // A resize check at the size of the last layout runs nothing.
    QResizeEvent same(w->size(), w->size());
    QApplication::sendEvent(&w.form(), &same);
    QCOMPARE(w.ui.ScenarioLines().size(), runs + 6);
    QCOMPARE(w->resizeCount(), count + 3);
    QCOMPARE(w.Picture(), picture);
}

void ResizeTest::valueKeptAcrossLayout() {
    WindowFixture w;
    w.Run("a+1");
    QCOMPARE(w.ui.txtA0->text(), QStringLiteral("2"));
    w->showNormal();
    ResizeTo(w.form(), 650, 450);
    // The layout's run computed 3, shown in the result and the log; a0 is back at 2.
    QCOMPARE(w.ui.txtResult->text(), QStringLiteral("3"));
    QCOMPARE(w.ui.ScenarioLines().last(), QStringLiteral("3"));
    QCOMPARE(w->engine().ValueA, 2.0L);
    QCOMPARE(w.ui.txtA0->text(), QStringLiteral("2"));
}

std::unique_ptr<QObject> MakeResizeTest() {
    return std::make_unique<ResizeTest>();
}

#include "resize_test.moc"
