// The main window's controls, menus and dialogs as the tests reach them: each found by its object
// name, as a user's tools would find it, never through the window's members.
#pragma once

#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QShortcut>
#include <QStringList>
#include <QTabWidget>
#include <QToolButton>
#include <array>

#include "ui/picture_overlay.h"
#include "ui/picture_widget.h"
#include "ui/table_window.h"

struct FormControls {
    // Finds every control below `form`; a control that is missing stops the test run.
    explicit FormControls(QObject& form);

    QWidget* central = nullptr;
    QComboBox* txtFunctionText = nullptr;
    QGroupBox* grpStatic2 = nullptr;
    QToolButton* btnStart = nullptr;
    QLineEdit* txtResult = nullptr;
    QToolButton* btnHome = nullptr;
    QToolButton* btnMPlus = nullptr;
    QToolButton* btnMMinus = nullptr;
    QToolButton* btnOptim = nullptr;
    QToolButton* btnDefault = nullptr;
    QToolButton* btnMove = nullptr;
    QToolButton* btnRect = nullptr;
    QLineEdit* txtXNow = nullptr;
    QLineEdit* txtYNow = nullptr;
    PictureWidget* Image = nullptr;
    QPlainTextEdit* memoGenHelp = nullptr;
    QGroupBox* grpStatic3 = nullptr;
    QLineEdit* txtX = nullptr;
    QLineEdit* txtY = nullptr;
    QLineEdit* txtXm = nullptr;
    QLineEdit* txtYm = nullptr;
    QLineEdit* txtTochn = nullptr;
    QLineEdit* txtBkColor = nullptr;
    QLineEdit* txtLineColor = nullptr;
    QRadioButton* rbtLines = nullptr;
    QRadioButton* rbtPixels = nullptr;
    QCheckBox* cbxKill = nullptr;
    QCheckBox* cbxSetka = nullptr;
    QCheckBox* cbxOci = nullptr;
    QTabWidget* pgPages = nullptr;
    QGroupBox* grpStatic = nullptr;
    QCheckBox* cbxBorderX = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtX0 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtXk = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtN0 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txtNk = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* txtA0 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* txtC = nullptr;
    QToolButton* btnLoadFunction = nullptr;
    QToolButton* btnSaveFunction = nullptr;
    QToolButton* btnSaveGraphic = nullptr;
    QToolButton* mnuSaveSc = nullptr;
    QLineEdit* txtXfunc = nullptr;
    QToolButton* btnCalcFunc = nullptr;
    QLineEdit* txtXProiz = nullptr;
    QToolButton* btnCalcProiz = nullptr;
    QLineEdit* txtX0int = nullptr;
    QLineEdit* txtXkint = nullptr;
    QToolButton* btnCalcInt = nullptr;
    QLineEdit* txtFuncResult = nullptr;
    QMenu* mnuFunction = nullptr;
    QAction* mnuFunctionOpen = nullptr;
    QAction* mnuFunctionSave = nullptr;
    QAction* mnuFunctionSaveGr = nullptr;
    QAction* mnuFunctionSaveLog = nullptr;
    QAction* mnuFunctionPrint = nullptr;
    QAction* mnuFunctionExit = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuEditCopyPicture = nullptr;
    QAction* mnuEditCopyResult = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpHelp = nullptr;
    QAction* mnuHelpAbout = nullptr;
    QShortcut* exitShortcut = nullptr;
    TableWindow* tableWindow = nullptr;
    QMenu* mnuTable = nullptr;
    QAction* mnuTableOpen = nullptr;
    QMenu* mnuView = nullptr;
    QAction* mnuViewLabels = nullptr;
    QAction* mnuViewBreakPoles = nullptr;
    QAction* mnuViewSmooth = nullptr;
    QAction* mnuViewTrace = nullptr;
    QAction* mnuViewBack = nullptr;
    QAction* mnuViewForward = nullptr;
    PictureOverlay* overlay = nullptr;
    QColorDialog* ColorDialog = nullptr;
    QFileDialog* SaveDialog = nullptr;
    QFileDialog* OpenDialog = nullptr;
    QFileDialog* SavePictureDialog = nullptr;
    QFileDialog* SaveDialog1 = nullptr;
    QDialog* AboutBoxForm = nullptr;

    // The eleven parameter fields in the order the window writes them.
    std::array<QLineEdit*, 11> parameterFields{};
    // The scenario log as lines.
    QStringList ScenarioLines() const;

  private:
    template <typename T>
    static T* Find(QObject& form, const char* name, bool required = true) {
        T* found = form.findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr && required) qFatal("no control named %s", name);
        return found;
    }
};
