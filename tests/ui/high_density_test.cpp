// The window on a screen of two device pixels to a logical pixel (QT_SCALE_FACTOR=2):
// the canvas holds the device pixels, the mouse tools and the read-out count logical pixels,
// and the picture files keep the logical size unless the dialog's scale asks for more.
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "engine/number_text.h"
#include "ui/picture_widget.h"
#include "view/scale_commands.h"
#include "window_fixture.h"

namespace {

QString Shown(ExtendedReal value) {
    return QString::fromStdString(RealDisplayText(value, 5));
}

bool MadeOfBlocks(const QImage& image, int scale) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != image.pixel(x - x % scale, y - y % scale)) return false;
    return true;
}

}  // namespace

class HighDensityTest : public QObject {
    Q_OBJECT

  private slots:
    void canvasHoldsTheDevicePixels();
    void labelsAreDrawnAtTheDeviceRatio();
    void bandAndZoomCountLogicalPixels();
    void readOutCountsLogicalPixels();
    void savedPictureSize_data();
    void savedPictureSize();
    void clipboardKeepsTheLogicalSize();
};

void HighDensityTest::canvasHoldsTheDevicePixels() {
    WindowFixture w;
    QCOMPARE(w.ui.Image->devicePixelRatioF(), 2.0);
    w.Run(QStringLiteral("sinx"));
    const QImage picture = w.Picture();
    const Canvas& canvas = w.ui.Image->canvas();
    QCOMPARE(canvas.Scale(), 2);
    QCOMPARE(picture.size(), w.ui.Image->size() * 2);
    QCOMPARE(canvas.LogicalWidth(), w.ui.Image->width());
    // Drawn at the device's resolution, not enlarged.
    QVERIFY(!MadeOfBlocks(picture, 2));
    // What the screen gets is the canvas, pixel for pixel.
    const QImage grabbed = w.ui.Image->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(grabbed.size(), picture.size());
    QCOMPARE(grabbed.pixel(123, 77), picture.pixel(123, 77));
    QCOMPARE(grabbed.pixel(301, 211), picture.pixel(301, 211));
}

// The axis labels (on by default) over the shown picture: text drawn at the device's pixels, so
// within the 2 x 2 blocks the labels cover wholly the colours vary.
void HighDensityTest::labelsAreDrawnAtTheDeviceRatio() {
    WindowFixture w;
    const QImage canvas = w.Picture();
    const QImage shown = w->ShownPicture().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), canvas.size());
    int covered = 0;
    int varied = 0;
    for (int y = 0; y + 1 < canvas.height(); y += 2) {
        for (int x = 0; x + 1 < canvas.width(); x += 2) {
            const QPoint block[] = {{x, y}, {x + 1, y}, {x, y + 1}, {x + 1, y + 1}};
            bool allChanged = true;
            bool uniform = true;
            for (const QPoint& p : block) {
                allChanged = allChanged && shown.pixel(p) != canvas.pixel(p);
                uniform = uniform && shown.pixel(p) == shown.pixel(block[0]);
            }
            covered += allChanged ? 1 : 0;
            varied += allChanged && !uniform ? 1 : 0;
        }
    }
    QVERIFY(covered > 20);
    QVERIFY(varied > 0);
}

void HighDensityTest::bandAndZoomCountLogicalPixels() {
    WindowFixture w;
    QTest::mouseClick(w.ui.btnRect, Qt::LeftButton);
    const QImage before = w.Picture();
    QTest::mousePress(w.ui.Image, Qt::LeftButton, {}, QPoint(30, 30));
    QTest::mouseMove(w.ui.Image, QPoint(130, 100));
    const QImage banded = w.Picture();
    // The band's left edge is logical column 30: device columns 60 and 61.
    for (const int x : {60, 61}) QVERIFY(banded.pixel(x, 120) != before.pixel(x, 120));
    QCOMPARE(banded.pixel(59, 120), before.pixel(59, 120));
    QCOMPARE(banded.copy(300, 240, 40, 40), before.copy(300, 240, 40, 40));

    ViewState expected = w->view();
    QVERIFY(ZoomToRectangle(expected, 30, 30, 130, 100, w.ui.Image->width(), w.ui.Image->height()));
    QTest::mouseRelease(w.ui.Image, Qt::LeftButton, {}, QPoint(130, 100));
    w.Settle();
    // The run reads the fields' five-decimal texts back.
    QCOMPARE(w.ui.txtX->text(), Shown(expected.ViewOriginX));
    QCOMPARE(w.ui.txtY->text(), Shown(expected.ViewOriginY));
    QCOMPARE(w.ui.txtXm->text(), Shown(expected.PixelSizeX));
    QCOMPARE(w.ui.txtYm->text(), Shown(expected.PixelSizeY));
}

void HighDensityTest::readOutCountsLogicalPixels() {
    WindowFixture w;
    const QPoint at(90, 60);
    QTest::mouseMove(w.ui.Image, at);
    const ViewState& view = w->view();
    QCOMPARE(w.ui.txtXNow->text(), Shown(view.ViewOriginX + at.x() * view.PixelSizeX));
    QCOMPARE(w.ui.txtYNow->text(), Shown(view.ViewOriginY - at.y() * view.PixelSizeY));
}

void HighDensityTest::savedPictureSize_data() {
    QTest::addColumn<int>("scale");
    QTest::newRow("logical") << 1;
    QTest::newRow("as shown") << 2;
    QTest::newRow("finer than shown") << 3;
}

void HighDensityTest::savedPictureSize() {
    QFETCH(int, scale);
    QTemporaryDir dir;
    WindowFixture w;
    const QString name = dir.filePath(QStringLiteral("pic.png"));
    w->modalHook = [&](QDialog& dialog) {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        if (!files) return int(QDialog::Rejected);
        auto* choice = files->findChild<QComboBox*>(QStringLiteral("PictureScale"));
        if (!choice) return int(QDialog::Rejected);
        choice->setCurrentIndex(choice->findData(scale));
        files->selectNameFilter(QStringLiteral("Рисунок PNG (*.png)"));
        files->selectFile(name);
        return int(QDialog::Accepted);
    };
    w.ui.mnuFunctionSaveGr->trigger();
    QCOMPARE(w.messages.size(), size_t(0));
    const QImage saved(name);
    QCOMPARE(saved.size(), w.ui.Image->size() * scale);
    if (scale == 2) {
        // The file holds the shown picture's device pixels.
        QImage shown = w->ShownPicture().convertToFormat(QImage::Format_RGB32);
        shown.setDevicePixelRatio(1);
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), shown);
    }
}

void HighDensityTest::clipboardKeepsTheLogicalSize() {
    WindowFixture w;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("before"));
    w.ui.mnuEditCopyPicture->trigger();
    QCOMPARE(clipboard->image().size(), w.ui.Image->size());
}

std::unique_ptr<QObject> MakeHighDensityTest() {
    return std::make_unique<HighDensityTest>();
}

#include "high_density_test.moc"
