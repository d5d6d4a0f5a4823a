// Runs the window tests of the file commands, help and About.
#include <QApplication>
#include <QTest>
#include <memory>

std::unique_ptr<QObject> MakeFilesWindowTest();

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvik"));
    const std::unique_ptr<QObject> test = MakeFilesWindowTest();
    return QTest::qExec(test.get(), argc, argv);
}
