// The main window's controls found by their object names.
#include "form_controls.h"

#include <QTextBlock>

FormControls::FormControls(QObject& form) {
    central = Find<QWidget>(form, "central");
    txtFunctionText = Find<QComboBox>(form, "txtFunctionText");
    grpStatic2 = Find<QGroupBox>(form, "grpStatic2");
    btnStart = Find<QToolButton>(form, "btnStart");
    txtResult = Find<QLineEdit>(form, "txtResult");
    btnHome = Find<QToolButton>(form, "btnHome");
    btnMPlus = Find<QToolButton>(form, "btnMPlus");
    btnMMinus = Find<QToolButton>(form, "btnMMinus");
    btnOptim = Find<QToolButton>(form, "btnOptim");
    btnDefault = Find<QToolButton>(form, "btnDefault");
    btnMove = Find<QToolButton>(form, "btnMove");
    btnRect = Find<QToolButton>(form, "btnRect");
    txtXNow = Find<QLineEdit>(form, "txtXNow");
    txtYNow = Find<QLineEdit>(form, "txtYNow");
    Image = Find<PictureWidget>(form, "Image");
    memoGenHelp = Find<QPlainTextEdit>(form, "memoGenHelp");
    grpStatic3 = Find<QGroupBox>(form, "grpStatic3");
    txtX = Find<QLineEdit>(form, "txtX");
    txtY = Find<QLineEdit>(form, "txtY");
    txtXm = Find<QLineEdit>(form, "txtXm");
    txtYm = Find<QLineEdit>(form, "txtYm");
    txtTochn = Find<QLineEdit>(form, "txtTochn");
    txtBkColor = Find<QLineEdit>(form, "txtBkColor");
    txtLineColor = Find<QLineEdit>(form, "txtLineColor");
    rbtLines = Find<QRadioButton>(form, "rbtLines");
    rbtPixels = Find<QRadioButton>(form, "rbtPixels");
    cbxKill = Find<QCheckBox>(form, "cbxKill");
    cbxSetka = Find<QCheckBox>(form, "cbxSetka");
    cbxOci = Find<QCheckBox>(form, "cbxOci");
    pgPages = Find<QTabWidget>(form, "pgPages");
    grpStatic = Find<QGroupBox>(form, "grpStatic");
    cbxBorderX = Find<QCheckBox>(form, "cbxBorderX");
    Label1 = Find<QLabel>(form, "Label1");
    txtX0 = Find<QLineEdit>(form, "txtX0");
    Label2 = Find<QLabel>(form, "Label2");
    txtXk = Find<QLineEdit>(form, "txtXk");
    Label3 = Find<QLabel>(form, "Label3");
    txtN0 = Find<QLineEdit>(form, "txtN0");
    Label4 = Find<QLabel>(form, "Label4");
    txtNk = Find<QLineEdit>(form, "txtNk");
    Label6 = Find<QLabel>(form, "Label6");
    txtA0 = Find<QLineEdit>(form, "txtA0");
    Label5 = Find<QLabel>(form, "Label5");
    txtC = Find<QLineEdit>(form, "txtC");
    btnLoadFunction = Find<QToolButton>(form, "btnLoadFunction");
    btnSaveFunction = Find<QToolButton>(form, "btnSaveFunction");
    btnSaveGraphic = Find<QToolButton>(form, "btnSaveGraphic");
    mnuSaveSc = Find<QToolButton>(form, "mnuSaveSc");
    txtXfunc = Find<QLineEdit>(form, "txtXfunc");
    btnCalcFunc = Find<QToolButton>(form, "btnCalcFunc");
    txtXProiz = Find<QLineEdit>(form, "txtXProiz");
    btnCalcProiz = Find<QToolButton>(form, "btnCalcProiz");
    txtX0int = Find<QLineEdit>(form, "txtX0int");
    txtXkint = Find<QLineEdit>(form, "txtXkint");
    btnCalcInt = Find<QToolButton>(form, "btnCalcInt");
    txtFuncResult = Find<QLineEdit>(form, "txtFuncResult");
    mnuFunction = Find<QMenu>(form, "mnuFunction");
    mnuFunctionOpen = Find<QAction>(form, "mnuFunctionOpen");
    mnuFunctionSave = Find<QAction>(form, "mnuFunctionSave");
    mnuFunctionSaveGr = Find<QAction>(form, "mnuFunctionSaveGr");
    mnuFunctionSaveLog = Find<QAction>(form, "mnuFunctionSaveLog");
    mnuFunctionPrint = Find<QAction>(form, "mnuFunctionPrint");
    mnuFunctionExit = Find<QAction>(form, "mnuFunctionExit");
    mnuEdit = Find<QMenu>(form, "mnuEdit");
    mnuEditCopyPicture = Find<QAction>(form, "mnuEditCopyPicture");
    mnuEditCopyResult = Find<QAction>(form, "mnuEditCopyResult");
    mnuHelp = Find<QMenu>(form, "mnuHelp");
    mnuHelpHelp = Find<QAction>(form, "mnuHelpHelp");
    mnuHelpAbout = Find<QAction>(form, "mnuHelpAbout");
    exitShortcut = Find<QShortcut>(form, "exitShortcut");
    tableWindow = Find<TableWindow>(form, "TableWindow");
    mnuTable = Find<QMenu>(form, "mnuTable");
    mnuTableOpen = Find<QAction>(form, "mnuTableOpen");
    mnuView = Find<QMenu>(form, "mnuView");
    mnuViewLabels = Find<QAction>(form, "mnuViewLabels");
    mnuViewBreakPoles = Find<QAction>(form, "mnuViewBreakPoles");
    mnuViewSmooth = Find<QAction>(form, "mnuViewSmooth");
    mnuViewTrace = Find<QAction>(form, "mnuViewTrace");
    mnuViewBack = Find<QAction>(form, "mnuViewBack");
    mnuViewForward = Find<QAction>(form, "mnuViewForward");
    overlay = Find<PictureOverlay>(form, "PictureOverlay");
    ColorDialog = Find<QColorDialog>(form, "ColorDialog");
    SaveDialog = Find<QFileDialog>(form, "SaveDialog");
    OpenDialog = Find<QFileDialog>(form, "OpenDialog");
    SavePictureDialog = Find<QFileDialog>(form, "SavePictureDialog");
    SaveDialog1 = Find<QFileDialog>(form, "SaveDialog1");
    AboutBoxForm = Find<QDialog>(form, "AboutBoxForm", false);
    parameterFields = {txtX, txtY, txtXm, txtYm, txtTochn, txtX0, txtXk, txtN0, txtNk, txtA0, txtC};
}

QStringList FormControls::ScenarioLines() const {
    QStringList lines;
    for (QTextBlock block = memoGenHelp->document()->begin(); block.isValid();
         block = block.next()) {
        lines << block.text();
    }
    if (lines.size() == 1 && lines.front().isEmpty()) lines.clear();
    return lines;
}
