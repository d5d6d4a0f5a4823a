// Runs the window test classes; a first argument naming one class runs only that class (each
// class is its own CTest test), the remaining arguments go to QTest.
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <map>
#include <memory>

#include "test_classes.h"

int main(int argc, char* argv[]) {
    // The user's settings (the picture dialog's last filter, the language) stay out of the
    // tests.
    QStandardPaths::setTestModeEnabled(true);
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvik"));
    const std::map<QString, std::function<std::unique_ptr<QObject>()>> classes = {
        {"StartupTest", [] { return MakeStartupTest(); }},
        {"FieldsTest", [] { return MakeFieldsTest(); }},
        {"RunTest", [] { return MakeRunTest(); }},
        {"ResizeTest", [] { return MakeResizeTest(); }},
        {"KeypadTest", [] { return MakeKeypadTest(); }},
        {"ScaleCalcTest", [] { return MakeScaleCalcTest(); }},
        {"MouseTest", [] { return MakeMouseTest(); }},
        {"WorkTest", [] { return MakeWorkTest(); }},
        {"ViewWindowTest", [] { return MakeViewWindowTest(); }},
        {"BuildErrorTest", [] { return MakeBuildErrorTest(); }},
        {"CurvesTest", [] { return MakeCurvesTest(); }},
        {"FilesWindowTest", [] { return MakeFilesWindowTest(); }},
        {"DesktopWindowTest", [] { return MakeDesktopWindowTest(); }},
        {"TableWindowTest", [] { return MakeTableWindowTest(); }},
        {"ExportWindowTest", [] { return MakeExportWindowTest(); }},
        {"HelpWindowTest", [] { return MakeHelpWindowTest(); }},
        {"HelpLanguageTest", [] { return MakeHelpLanguageTest(); }},
        {"LanguageTest", [] { return MakeLanguageTest(); }},
        {"WindowShapeTest", [] { return MakeWindowShapeTest(); }},
        {"PointsTest", [] { return MakePointsTest(); }},
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
