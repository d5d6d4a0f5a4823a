// Runs the window tests of a screen with two device pixels to a logical pixel: Qt scales the
// whole application by 2 over an offscreen screen of 1600 x 1200 pixels (800 x 600 logical, the
// size the other window tests get), with the user's settings kept in a folder of their own.
#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

std::unique_ptr<QObject> MakeHighDensityTest();

int main(int argc, char* argv[]) {
    const QTemporaryDir settings;
    const QString screen = settings.filePath(QStringLiteral("screen.json"));
    QFile config(screen);
    if (!config.open(QIODevice::WriteOnly) ||
        config.write(
            R"({"windowFrameMargins": false, "screens": [{"name": "OffscreenScreen", "x": 0, "y": 0,
                         "width": 1600, "height": 1200, "logicalDpi": 96,
                         "logicalBaseDpi": 96, "dpr": 1}]})") < 0) {
        return 1;
    }
    config.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screen).toLocal8Bit());
    qputenv("QT_SCALE_FACTOR", "2");
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvik"));
    const std::unique_ptr<QObject> test = MakeHighDensityTest();
    return QTest::qExec(test.get(), argc, argv);
}
