// The window's shape: the name and version in the captions, the smallest size that keeps every
// control whole, and the place the window takes when it is not maximised (80% of the screen,
// or where it was last left).
#include <QScreen>
#include <QSettings>
#include <QToolButton>
#include <string>

#include "document/run_command.h"
#include "messages/messages.h"
#include "ui/about_box.h"
#include "ui/picture_widget.h"
#include "ui/window_geometry.h"
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
    void normalSize_data();
    void normalSize();
    void restoredGeometry_data();
    void restoredGeometry();
    void unmaximisedFrameOnScreen();
    void normalGeometryIsRemembered();
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

void WindowShapeTest::normalSize_data() {
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QSize>("size");
    QTest::newRow("full HD") << QRect(0, 0, 1920, 1080) << QSize(1536, 864);
    QTest::newRow("panel at the top") << QRect(0, 40, 1366, 728) << QSize(1092, 582);
    // Never below the smallest window (756 x 420 here).
    QTest::newRow("small screen") << QRect(0, 0, 800, 600) << QSize(756, 480);
    QTest::newRow("tiny screen") << QRect(0, 0, 640, 480) << QSize(756, 420);
}

void WindowShapeTest::normalSize() {
    QFETCH(QRect, available);
    QFETCH(QSize, size);
    QCOMPARE(NormalWindowSize(available, QSize(756, 420)), size);
}

void WindowShapeTest::restoredGeometry_data() {
    QTest::addColumn<QRect>("remembered");
    QTest::addColumn<QRect>("restored");
    const QRect centred(192, 108, 1536, 864);
    QTest::newRow("nothing remembered") << QRect() << centred;
    QTest::newRow("a place on the screen") << QRect(100, 80, 900, 600) << QRect(100, 80, 900, 600);
    QTest::newRow("reaching past the right edge")
        << QRect(1200, 80, 900, 600) << QRect(1200, 80, 900, 600);
    QTest::newRow("title bar above the screen") << QRect(100, 10, 900, 600) << centred;
    QTest::newRow("on a screen that has gone") << QRect(2500, 80, 900, 600) << centred;
    QTest::newRow("below the smallest") << QRect(100, 80, 700, 600) << centred;
}

void WindowShapeTest::restoredGeometry() {
    QFETCH(QRect, remembered);
    QFETCH(QRect, restored);
    QCOMPARE(RestoredWindowGeometry(remembered, QRect(0, 0, 1920, 1080), QSize(756, 420)),
             restored);
}

void WindowShapeTest::unmaximisedFrameOnScreen() {
    WindowFixture w;
    QVERIFY(w->isMaximized());
    const QRect screen = w->screen()->availableGeometry();
    w->showNormal();
    const QSize normal = NormalWindowSize(screen, w->minimumSize());
    QTRY_COMPARE(w->size(), normal);
    QCOMPARE(w->geometry(), NormalWindowGeometry(screen, normal));
    QVERIFY(screen.contains(w->frameGeometry()));
    QVERIFY(w->frameGeometry().top() >= screen.top());
}

void WindowShapeTest::normalGeometryIsRemembered() {
    const QString key = QStringLiteral("window/normalGeometry");
    QSettings(QStringLiteral("Tarvik"), QStringLiteral("Tarvik")).remove(key);
    const QRect left(40, 50, 760, 450);
    {
        WindowFixture w;
        w->showNormal();
        w->setGeometry(left);
        QTRY_COMPARE(w->geometry(), left);
        w->showMaximized();
        QTRY_VERIFY(w->isMaximized());
        // Closed maximised, the window keeps the place it had before.
        w->close();
    }
    WindowFixture w;
    QVERIFY(w->isMaximized());
    w->showNormal();
    QTRY_COMPARE(w->geometry(), left);
    QSettings(QStringLiteral("Tarvik"), QStringLiteral("Tarvik")).remove(key);
}

std::unique_ptr<QObject> MakeWindowShapeTest() {
    return std::make_unique<WindowShapeTest>();
}

#include "window_shape_test.moc"
