// Runs the window tests of the file commands, help and About.
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

std::unique_ptr<QObject> MakeFilesWindowTest();

int main(int argc, char* argv[]) {
    // The user's settings (the picture dialog's last filter) stay out of the tests.
    QStandardPaths::setTestModeEnabled(true);
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvik"));
    const std::unique_ptr<QObject> test = MakeFilesWindowTest();
    return QTest::qExec(test.get(), argc, argv);
}
