// Tarvik: the application titled "Tarvik" in the chosen language, the main window, the hidden
// About box, the window shown maximised, and the message loop.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "files/file_access.h"
#include "messages/language_choice.h"
#include "ui/general_form.h"
#include "ui/language.h"
#include "ui/plot_job.h"

namespace {

constexpr int kCloseWaitMs = 300;

}  // namespace

int main(int argc, char* argv[]) {
    IgnoreFileSizeSignal();
    DisableRegexpJit();
    QApplication app(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    SetUpLanguage(app);
    GeneralForm form;
    form.CreateAboutBox();
    form.ShowMaximised();
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
