// The window's shape: the name and version in the captions, the smallest size that keeps every
// control whole, and the designed place the window takes when it is not maximised.
#include <QScreen>
#include <QToolButton>
#include <string>

#include "messages/messages.h"
#include "ui/about_box.h"
#include "ui/picture_widget.h"
#include "ui/window_geometry.h"
#include "view/run_command.h"
#include "window_fixture.h"

class WindowShapeTest : public QObject {
    Q_OBJECT

  private slots:
    void captionsFromTheVersion_data();
    void captionsFromTheVersion();
    void smallestSize_data();
    void smallestSize();
    void smallestForTheReach_data();
    void smallestForTheReach();
    void normalGeometry_data();
    void normalGeometry();
    void unmaximisedFrameOnScreen();
};

void WindowShapeTest::captionsFromTheVersion_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("expected");
    QTest::newRow("window") << kWindowCaption << "Tarvik 1.0";
    QTest::newRow("run core") << QString::fromStdString(std::string(kProgramCaption))
                              << "Tarvik 1.0";
    QTest::newRow("About title") << kAboutTitle << "Tarvik 1.0";
    QTest::newRow("About caption") << kAboutCaption << "About Tarvik 1.0";
    QTest::newRow("version") << QStringLiteral(TARVIK_VERSION) << "1.0";
}

void WindowShapeTest::captionsFromTheVersion() {
    QFETCH(QString, caption);
    QFETCH(QString, expected);
    QCOMPARE(caption, expected);
}

void WindowShapeTest::smallestSize_data() {
    QTest::addColumn<QSize>("asked");
    QTest::newRow("small") << QSize(400, 300);
    QTest::newRow("one short") << QSize(634, 419);
    QTest::newRow("narrow") << QSize(300, 600);
    QTest::newRow("low") << QSize(900, 200);
    QTest::newRow("designed") << QSize(635, 420);
    QTest::newRow("wide") << QSize(1200, 700);
}

void WindowShapeTest::smallestSize() {
    QFETCH(QSize, asked);
    WindowFixture w;
    w->showNormal();
    // The designed size, widened to the reach of the pointer read-outs.
    const QSize smallest = SmallestWindowSize(w.ui.txtYNow->geometry().right());
    QCOMPARE(w->minimumSize(), smallest);
    QVERIFY(smallest.width() >= 635 && smallest.height() == 420);
    const QSize got = asked.expandedTo(smallest);
    w->resize(asked);
    QTRY_COMPARE(w->size(), got);
    // The result field and the tools at the right are whole and inside the window.
    QCOMPARE(w.ui.txtResult->width(), got.width() - 329);
    for (QWidget* control :
         std::initializer_list<QWidget*>{w.ui.btnRect, w.ui.txtYNow, w.ui.txtResult}) {
        const QRect inWindow(control->mapTo(&w.form(), QPoint(0, 0)), control->size());
        QVERIFY2(w->rect().contains(inWindow), qPrintable(control->objectName()));
    }
    QCOMPARE(w.ui.Image->size(), QSize(got.width() - 327, got.height() - 145));
}

void WindowShapeTest::smallestForTheReach_data() {
    QTest::addColumn<int>("rightmost");
    QTest::addColumn<QSize>("smallest");
    QTest::newRow("nothing past the tools") << 0 << QSize(635, 420);
    QTest::newRow("the designed read-outs") << 624 << QSize(635, 420);
    QTest::newRow("one pixel further") << 625 << QSize(636, 420);
    QTest::newRow("wide read-outs") << 745 << QSize(756, 420);
}

void WindowShapeTest::smallestForTheReach() {
    QFETCH(int, rightmost);
    QFETCH(QSize, smallest);
    QCOMPARE(SmallestWindowSize(rightmost), smallest);
}

void WindowShapeTest::normalGeometry_data() {
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("placed");
    QTest::newRow("full HD") << QRect(0, 0, 1920, 1080) << QRect(642, 330, 635, 420);
    QTest::newRow("panel at the top") << QRect(0, 40, 1366, 728) << QRect(365, 194, 635, 420);
    QTest::newRow("second screen") << QRect(1920, 0, 1280, 1024) << QRect(2242, 302, 635, 420);
    // Too little room: kept clear of the top and left edges for the frame.
    QTest::newRow("just the size") << QRect(0, 0, 640, 440) << QRect(8, 32, 635, 420);
    QTest::newRow("smaller than the window") << QRect(0, 0, 600, 400) << QRect(8, 32, 635, 420);
    QTest::newRow("negative origin")
        << QRect(-1280, -200, 1280, 1024) << QRect(-957, 102, 635, 420);
}

void WindowShapeTest::normalGeometry() {
    QFETCH(QRect, available);
    QFETCH(QRect, placed);
    QCOMPARE(NormalWindowGeometry(available), placed);
}

void WindowShapeTest::unmaximisedFrameOnScreen() {
    WindowFixture w;
    QVERIFY(w->isMaximized());
    const QRect screen = w->screen()->availableGeometry();
    w->showNormal();
    QTRY_COMPARE(w->size(), w->minimumSize());
    QCOMPARE(w->geometry(), NormalWindowGeometry(screen, w->minimumSize()));
    QVERIFY(screen.contains(w->frameGeometry()));
    QVERIFY(w->frameGeometry().top() >= screen.top());
}

std::unique_ptr<QObject> MakeWindowShapeTest() {
    return std::make_unique<WindowShapeTest>();
}

#include "window_shape_test.moc"
