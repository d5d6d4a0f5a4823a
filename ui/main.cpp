// Tarvik: the application titled "Tarvik" in the chosen language, the main window, the hidden
// About box, the window shown maximised with the file named on the command line opened after
// the start-up picture, and the message loop.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "files/file_access.h"
#include "messages/language_choice.h"
#include "ui/general_form.h"
#include "ui/language.h"
#include "ui/plot_job.h"
#include "ui/start_options.h"

namespace {

constexpr int kCloseWaitMs = 300;

// --help, --version and wrong options are answered before any window, so they need no display.
std::optional<int> AnswerWithoutWindow(int argc, char* argv[]) {
    if (!HasOptions(argc, argv)) return std::nullopt;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(kApplicationTitle);
    QCoreApplication::setApplicationVersion(QStringLiteral(TARVIK_VERSION));
    SetUpLanguage(app);
    return ReadStartOptions(QCoreApplication::arguments()).ExitCode;
}

}  // namespace

int main(int argc, char* argv[]) {
    IgnoreFileSizeSignal();
    DisableRegexpJit();
    if (const std::optional<int> answered = AnswerWithoutWindow(argc, argv)) return *answered;
    QApplication app(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    QApplication::setApplicationVersion(QStringLiteral(TARVIK_VERSION));
    SetUpLanguage(app);
    const StartOptions options = ReadStartOptions(QCoreApplication::arguments());
    if (options.ExitCode) return *options.ExitCode;
    GeneralForm form;
    form.CreateAboutBox();
    form.ShowMaximised();
    if (!options.File.isEmpty()) form.OpenAtStart(options.File);
    const int code = app.exec();
    // Work still running when the window closes is dropped; a sample that takes long to compute
    // does not hold the program.
    form.CancelWork();
    if (!WaitForWorkThreads(kCloseWaitMs)) {
        std::fflush(nullptr);
        std::_Exit(code);
    }
    return code;
}
