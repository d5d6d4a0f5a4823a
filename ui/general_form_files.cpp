// File commands, help and About: the function file, the picture and scenario exports, the help
// page and the About box. Until they are written the menu entries do nothing and the flat
// buttons forward to their menu entries.
#include <QAction>
#include <QDialog>

#include "ui/general_form.h"

void GeneralForm::CreateAboutBox() {
    AboutBoxForm = new QDialog(this);
    AboutBoxForm->setObjectName(QStringLiteral("AboutBoxForm"));
    AboutBoxForm->setModal(true);
    AboutBoxForm->hide();
}

void GeneralForm::mnuFunctionOpenClick() {}
void GeneralForm::mnuFunctionSaveClick() {}
void GeneralForm::mnuFunctionSaveGrClick() {}
void GeneralForm::mnuFunctionSaveLogClick() {}
void GeneralForm::btnLoadFunctionClick() {
    mnuFunctionOpen->trigger();
}
void GeneralForm::btnSaveFunctionClick() {
    mnuFunctionSave->trigger();
}
void GeneralForm::btnSaveGraphicClick() {
    mnuFunctionSaveGr->trigger();
}
void GeneralForm::mnuSaveScClick() {
    mnuFunctionSaveLog->trigger();
}
void GeneralForm::mnuHelpHelpClick() {}
void GeneralForm::mnuHelpAboutClick() {}
