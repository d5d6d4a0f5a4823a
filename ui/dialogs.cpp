// Modal dialogs and message boxes, through the test hooks when they are set.
#include "ui/dialogs.h"

#include <QDialog>
#include <QMessageBox>

#include "files/file_errors.h"

int Dialogs::ExecModal(QDialog& dialog) const {
    if (modalHook) return modalHook(dialog);
    return dialog.exec();
}

void Dialogs::ExecMessage(QMessageBox& box) const {
    if (messageHook) {
        messageHook(box);
        return;
    }
    box.exec();
}

void Dialogs::InformationBox(const QString& text) const {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), text, QMessageBox::Ok,
                    &owner_);
    ExecMessage(box);
}

void Dialogs::GeneralErrorReport(const QString& text) const {
    // A message that ends in a letter or digit gets its full stop, as the file layer words it.
    const QString message = QString::fromStdString(GeneralErrorReportText(text.toStdString()));
    QMessageBox box(QMessageBox::Critical, kApplicationTitle, message, QMessageBox::Ok, &owner_);
    ExecMessage(box);
}
