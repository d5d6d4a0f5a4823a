// Runs the window tests of the help window, the interface language and the window's shape; a
// first argument naming one class runs only that class (each class is its own CTest test).
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <map>
#include <memory>

std::unique_ptr<QObject> MakeHelpWindowTest();
std::unique_ptr<QObject> MakeHelpLanguageTest();
std::unique_ptr<QObject> MakeLanguageTest();
std::unique_ptr<QObject> MakeWindowShapeTest();

int main(int argc, char* argv[]) {
    // The user's settings (the language choice among them) stay out of the tests.
    QStandardPaths::setTestModeEnabled(true);
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvik"));
    const std::map<QString, std::function<std::unique_ptr<QObject>()>> classes = {
        {"HelpWindowTest", [] { return MakeHelpWindowTest(); }},
        {"HelpLanguageTest", [] { return MakeHelpLanguageTest(); }},
        {"LanguageTest", [] { return MakeLanguageTest(); }},
        {"WindowShapeTest", [] { return MakeWindowShapeTest(); }},
    };
    QStringList args = app.arguments();
    QString only;
    if (args.size() > 1 && classes.count(args.at(1))) {
        only = args.at(1);
        args.removeAt(1);
    }
    int failures = 0;
    for (const auto& [name, make] : classes) {
        if (!only.isEmpty() && name != only) continue;
        const std::unique_ptr<QObject> test = make();
        failures += QTest::qExec(test.get(), args);
    }
    return failures == 0 ? 0 : 1;
}
