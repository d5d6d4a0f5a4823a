// The main menu with its shortcuts, the dialogs owned by the window, the message boxes and the
// Exit shortcut that gives way to the text fields' own Ctrl+X, and Ctrl+Q.
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTextEdit>

#include "files/file_errors.h"
#include "files/picture_export.h"
#include "messages/language_choice.h"
#include "messages/messages.h"
#include "ui/general_form.h"
#include "ui/help_window.h"
#include "ui/icons.h"
#include "ui/language.h"

namespace {

QAction* MakeAction(QObject* parent, const char* name, const QString& text,
                    const QKeySequence& shortcut, const QIcon& picture) {
    auto* action = new QAction(picture, text, parent);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    return action;
}

QFileDialog* MakeFileDialog(QWidget* parent, const char* name, QFileDialog::AcceptMode mode,
                            const QStringList& filters) {
    auto* dialog = new QFileDialog(parent);
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    dialog->setNameFilters(filters);
    return dialog;
}

}  // namespace

void GeneralForm::createActions() {
    mnuFunctionOpen = MakeAction(this, "mnuFunctionOpen", tr("&Загрузить функцию..."),
                                 QKeySequence(Qt::Key_F3), icons::Open());
    connect(mnuFunctionOpen, &QAction::triggered, this, &GeneralForm::mnuFunctionOpenClick);
    mnuFunctionSave = MakeAction(this, "mnuFunctionSave", tr("&Сохранить функцию..."),
                                 QKeySequence(Qt::Key_F2), icons::Save());
    connect(mnuFunctionSave, &QAction::triggered, this, &GeneralForm::mnuFunctionSaveClick);
    mnuFunctionSaveGr = MakeAction(this, "mnuFunctionSaveGr", tr("Сохранить &график..."),
                                   QKeySequence(Qt::CTRL | Qt::Key_S), icons::SavePicture());
    connect(mnuFunctionSaveGr, &QAction::triggered, this, &GeneralForm::mnuFunctionSaveGrClick);
    mnuFunctionSaveLog =
        MakeAction(this, "mnuFunctionSaveLog", tr("Сохранить сценарий..."), {}, icons::SaveLog());
    connect(mnuFunctionSaveLog, &QAction::triggered, this, &GeneralForm::mnuFunctionSaveLogClick);
    mnuFunctionPrint = MakeAction(this, "mnuFunctionPrint", tr("&Печать…"),
                                  QKeySequence(Qt::CTRL | Qt::Key_P), QIcon());
    connect(mnuFunctionPrint, &QAction::triggered, this, &GeneralForm::mnuFunctionPrintClick);
    createPrintChoice();
    mnuEditCopyPicture = MakeAction(this, "mnuEditCopyPicture", tr("Копировать рисунок"),
                                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), QIcon());
    connect(mnuEditCopyPicture, &QAction::triggered, this, &GeneralForm::mnuEditCopyPictureClick);
    mnuEditCopyResult = MakeAction(this, "mnuEditCopyResult", tr("Копировать результат"),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), QIcon());
    connect(mnuEditCopyResult, &QAction::triggered, this, &GeneralForm::mnuEditCopyResultClick);
    mnuFunctionExit = MakeAction(this, "mnuFunctionExit", tr("&Выход"),
                                 QKeySequence(Qt::CTRL | Qt::Key_X), QIcon());
    // The entry shows Ctrl+X, but the key itself goes through exitShortcut, which leaves it to
    // a text field that has the focus.
    mnuFunctionExit->setShortcutContext(Qt::WidgetShortcut);
    connect(mnuFunctionExit, &QAction::triggered, this, &GeneralForm::mnuFunctionExitClick);
    mnuHelpHelp =
        MakeAction(this, "mnuHelpHelp", tr("&Справка"), QKeySequence(Qt::Key_F1), icons::Help());
    connect(mnuHelpHelp, &QAction::triggered, this, &GeneralForm::mnuHelpHelpClick);
    mnuHelpAbout = MakeAction(this, "mnuHelpAbout", tr("&О программе..."), {}, QIcon());
    connect(mnuHelpAbout, &QAction::triggered, this, &GeneralForm::mnuHelpAboutClick);
    // Window-wide shortcuts work while the menu is closed.
    for (QAction* action : {mnuFunctionOpen, mnuFunctionSave, mnuFunctionSaveGr, mnuFunctionPrint,
                            mnuEditCopyPicture, mnuEditCopyResult, mnuHelpHelp}) {
        addAction(action);
    }
}

void GeneralForm::createMenus() {
    mnuFunction = menuBar()->addMenu(tr("&Файл"));
    mnuFunction->setObjectName(QStringLiteral("mnuFunction"));
    mnuFunction->addAction(mnuFunctionOpen);
    mnuFunction->addAction(mnuFunctionSave);
    mnuFunction->addAction(mnuFunctionOpenSet);
    mnuFunction->addAction(mnuFunctionSaveSet);
    mnuFunction->addSeparator()->setObjectName(QStringLiteral("mnuFunctionLine1"));
    mnuFunction->addAction(mnuFunctionSaveGr);
    mnuFunction->addAction(mnuFunctionSaveLog);
    mnuFunction->addAction(mnuFunctionPrint);
    mnuFunction->addAction(mnuFunctionPrintOnWhite);
    mnuFunction->addSeparator()->setObjectName(QStringLiteral("mnuFunctionLine2"));
    mnuFunction->addAction(mnuFunctionExit);
    // Alt+П belongs to "Помощь".
    mnuEdit = menuBar()->addMenu(tr("П&равка"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuEdit->addAction(mnuEditCopyPicture);
    mnuEdit->addAction(mnuEditCopyResult);
    mnuHelp = menuBar()->addMenu(tr("&Помощь"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelp->addAction(mnuHelpHelp);
    mnuHelp->addAction(mnuHelpAbout);
    AddHelpWindowEntry(*this, ProgramFolder, *mnuHelp, mnuHelpAbout);
    AddLanguageMenu(dialogs_, *mnuHelp, mnuHelpAbout);
    menuBar()->setObjectName(QStringLiteral("MainMenu"));
}

void GeneralForm::createDialogs() {
    ColorDialog = new QColorDialog(this);
    ColorDialog->setObjectName(QStringLiteral("ColorDialog"));
    SaveDialog = MakeFileDialog(this, "SaveDialog", QFileDialog::AcceptSave,
                                {tr("Файлы функций tvk (*.tvk)")});
    // The filter's description does not show its pattern.
    SaveDialog->setOption(QFileDialog::HideNameFilterDetails);
    OpenDialog = MakeFileDialog(this, "OpenDialog", QFileDialog::AcceptOpen,
                                {tr("Файлы функций (*.tvk)"), tr("Все файлы (*.*)")});
    QStringList pictureFilters;
    for (const PictureFormatInfo& format : PictureFormats())
        pictureFilters << QString::fromStdString(PictureFilter(format.Format));
    SavePictureDialog =
        MakeFileDialog(this, "SavePictureDialog", QFileDialog::AcceptSave, pictureFilters);
    SaveDialog1 = MakeFileDialog(this, "SaveDialog1", QFileDialog::AcceptSave,
                                 {tr("Текстовые документы (*.txt)"), tr("Все файлы (*.*)")});
}

void GeneralForm::createShortcuts() {
    exitShortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_X), this);
    exitShortcut->setObjectName(QStringLiteral("exitShortcut"));
    exitShortcut->setContext(Qt::WindowShortcut);
    connect(exitShortcut, &QShortcut::activated, this, &GeneralForm::ExitShortcutActivated);
    // The desktop's usual quit key, which no field uses.
    quitShortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    quitShortcut->setObjectName(QStringLiteral("quitShortcut"));
    quitShortcut->setContext(Qt::WindowShortcut);
    connect(quitShortcut, &QShortcut::activated, this, &GeneralForm::mnuFunctionExitClick);
}

bool GeneralForm::IsTextField(const QWidget* widget) const {
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget) ||
           qobject_cast<const QTextEdit*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) ||
           (qobject_cast<const QComboBox*>(widget) &&
            static_cast<const QComboBox*>(widget)->isEditable());
}

void GeneralForm::ExitShortcutActivated() {
    // An editable field takes Ctrl+X itself (it cuts); a read-only one gets here and must not
    // close the program either.
    if (IsTextField(QApplication::focusWidget())) return;
    close();
}

void GeneralForm::mnuFunctionExitClick() {
    close();
}
