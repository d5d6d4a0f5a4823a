// Tarvik: the application titled "Tarvik" in the chosen language, the main window, the hidden
// About box, the window shown maximised, and the message loop.
#include <QApplication>

#include "files/file_access.h"
#include "ui/general_form.h"
#include "ui/language.h"

int main(int argc, char* argv[]) {
    IgnoreFileSizeSignal();
    QApplication app(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    SetUpLanguage(app);
    GeneralForm form;
    form.CreateAboutBox();
    form.ShowMaximised();
    return app.exec();
}
