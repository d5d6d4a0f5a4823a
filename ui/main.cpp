// Tarvik: the application titled "Tarvik", the main window, the hidden About box, the window
// shown maximised, and the message loop.
#include <QApplication>

#include "files/file_access.h"
#include "ui/general_form.h"

int main(int argc, char* argv[]) {
    IgnoreFileSizeSignal();
    QApplication app(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    GeneralForm form;
    form.CreateAboutBox();
    form.ShowMaximised();
    return app.exec();
}
