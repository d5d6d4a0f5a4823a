// Runs the window tests of the file commands, help and About, and of opening files from
// outside.
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

std::unique_ptr<QObject> MakeFilesWindowTest();
std::unique_ptr<QObject> MakeDesktopWindowTest();

int main(int argc, char* argv[]) {
    // The user's settings (the picture dialog's last filter) stay out of the tests.
    QStandardPaths::setTestModeEnabled(true);
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvik"));
    const std::unique_ptr<QObject> test = MakeFilesWindowTest();
    const std::unique_ptr<QObject> desktop = MakeDesktopWindowTest();
    const int failed = QTest::qExec(test.get(), argc, argv);
    return QTest::qExec(desktop.get(), argc, argv) + failed;
}
