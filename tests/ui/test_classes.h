// Factories of the window test classes (each defined with its tests).
#pragma once

#include <QObject>
#include <memory>

std::unique_ptr<QObject> MakeStartupTest();
std::unique_ptr<QObject> MakeFieldsTest();
std::unique_ptr<QObject> MakeRunTest();
std::unique_ptr<QObject> MakeResizeTest();
std::unique_ptr<QObject> MakeKeypadTest();
std::unique_ptr<QObject> MakeScaleCalcTest();
std::unique_ptr<QObject> MakeMouseTest();
std::unique_ptr<QObject> MakeWorkTest();
std::unique_ptr<QObject> MakeViewWindowTest();
std::unique_ptr<QObject> MakeBuildErrorTest();
std::unique_ptr<QObject> MakeCurvesTest();
std::unique_ptr<QObject> MakeFilesWindowTest();
std::unique_ptr<QObject> MakeDesktopWindowTest();
std::unique_ptr<QObject> MakeTableWindowTest();
std::unique_ptr<QObject> MakeExportWindowTest();
std::unique_ptr<QObject> MakeHelpWindowTest();
std::unique_ptr<QObject> MakeHelpLanguageTest();
std::unique_ptr<QObject> MakeLanguageTest();
std::unique_ptr<QObject> MakeWindowShapeTest();
std::unique_ptr<QObject> MakePointsTest();
