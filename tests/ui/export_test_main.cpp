// Runs the window tests of the picture formats, printing and the clipboard, with the user's
// settings kept in a folder of their own.
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

std::unique_ptr<QObject> MakeExportWindowTest();

int main(int argc, char* argv[]) {
    QStandardPaths::setTestModeEnabled(true);
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvik"));
    const std::unique_ptr<QObject> test = MakeExportWindowTest();
    return QTest::qExec(test.get(), argc, argv);
}
