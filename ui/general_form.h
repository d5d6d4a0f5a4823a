// The main window: every control under its own object name, the menu and the dialogs, all
// private. Its handlers read the controls, call one helper, and write the controls back; no
// handler calls another (the event filter only maps Qt's events onto handlers and helpers).
// The shared work lives in a few helpers: run the expression (RunExpressionCommand), redraw the
// last expression (RedrawPicture), centre the view (CentrePicture) and apply the exit rule of a
// field (ApplyExitRule), in general_form_run.cpp; the background work and what it shows, in
// general_form_work.cpp. The files call each other without a loop, the handler files calling
// down into those two: scale buttons, calculations, the run button and the event filter, which
// hands the picture's events to the steering (general_form_commands.cpp),
// mouse tools and the steering of the picture (general_form_mouse.cpp), the "Вид" menu
// (general_form_view.cpp), keypad (keypad.cpp), file commands (general_form_files.cpp), printing
// and the clipboard (general_form_export.cpp), the table window (general_form_table.cpp); menu,
// dialogs and message boxes in general_form_menu.cpp, construction in general_form.cpp.
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "document/plot_document.h"
#include "engine/engine_state.h"
#include "tarvik_version.h"
#include "ui/dialogs.h"
#include "view/canvas.h"
#include "view/drawing.h"
#include "view/view_history.h"
#include "view/view_state.h"

class QAction;
class QCheckBox;
class QDragEnterEvent;
class QDropEvent;
class QColorDialog;
class QComboBox;
class QDialog;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QMenu;
class QPlainTextEdit;
class QRadioButton;
class QShortcut;
class QTabWidget;
class QToolButton;
class QUrl;
class QWidget;
class PictureWidget;
class PictureOverlay;
class PointsRunner;
class QTimer;
class TableWindow;
class WorkRunner;
struct CalcOutcome;
struct FunctionFile;
struct PlotStep;
struct PointsJob;
struct RunOutcome;
struct WorkJob;

inline const QString kWindowCaption = QStringLiteral(TARVIK_NAME_AND_VERSION);

class GeneralForm : public QMainWindow {
    Q_OBJECT

  public:
    explicit GeneralForm(QWidget* parent = nullptr);
    ~GeneralForm() override;

    // Creates the About box, hidden (defined with the file commands).
    void CreateAboutBox();
    // Shows the window maximised; the first layout follows from the resize it brings.
    void ShowMaximised();
    // Opens a function file named from outside (the command line) once the start-up picture
    // is there (general_form_desktop.cpp).
    void OpenAtStart(const QString& path);

  private:
    // Message boxes and modal dialogs, shared with the table window, the help entry and the
    // language menu.
    Dialogs dialogs_{*this};

  public:
    Dialogs& dialogs() { return dialogs_; }
    void InformationBox(const QString& text) { dialogs_.InformationBox(text); }
    void GeneralErrorReport(const QString& text) { dialogs_.GeneralErrorReport(text); }
    int ExecModal(QDialog& dialog) { return dialogs_.ExecModal(dialog); }
    void ExecMessage(QMessageBox& box) { dialogs_.ExecMessage(box); }

    // Tests replace the modal loops (the hooks of the window's Dialogs): the hook gets the
    // dialog (or box) ready to be shown and returns the dialog's result.
    std::function<int(QDialog&)>& modalHook = dialogs_.modalHook;
    std::function<void(QMessageBox&)>& messageHook = dialogs_.messageHook;
    // Tests replace the desktop's browser: the hook gets the address and tells whether a
    // browser took it.
    std::function<bool(const QUrl&)> browserHook;

    // State that no control shows in full, read-only.
    const Engine& engine() const { return document_.RunEngine; }
    const ViewState& view() const { return document_.View; }
    // The curves, the view and the frame the picture is drawn from.
    const PlotDocument& document() const { return document_; }
    const QStringList& exampleExpressions() const { return ExampleExpressions; }
    const QString& programFolder() const { return ProgramFolder; }
    int32_t resizeCount() const { return ResizeCount; }
    int32_t layoutWidth() const { return LayoutWidth; }
    // The picture as the window shows it: the canvas with the labels when they are on.
    QImage ShownPicture() const;
    // The picture at `scale` device pixels to a logical pixel: the one shown when the canvas
    // has that scale, otherwise drawn again at the window's picture size.
    QImage RasterPicture(int scale) const;

    // Background work (general_form_work.cpp): plots and the integral run off the window's
    // thread; the last request wins.
    bool WorkRunning() const;
    // Esc, and the run button while it reads "Остановить": the work ends, keeping what it drew.
    void StopWork();
    // Drops the work in flight: nothing of it reaches the picture or the fields.
    void CancelWork();

    // The points of interest (general_form_points.cpp): searched in the background after each
    // plot of the graph while "Особые точки" is on.
    bool PointsRunning() const;
    // The kind of a point as the tooltips and the points table name it.
    static QString PointKindText(PointKind kind);

  signals:
    // Background work has finished, been stopped or cancelled, and the window shows its outcome.
    void workFinished();
    // The points of interest of the picture have been drawn.
    void pointsShown();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // A function file dropped on the window is opened (general_form_desktop.cpp).
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private slots:
    // The run button: stops the work while it shows its progress, runs otherwise.
    void btnStartClick();
    void txtFunctionTextChange();
    // Parameter fields (their exit rules are applied by the event filter).
    void txtBkColorClick();
    void txtLineColorClick();
    void cbxKillClick();
    void cbxBorderXClick();
    // Scale commands.
    void btnHomeClick();
    void btnMPlusClick();
    void btnMMinusClick();
    void btnOptimClick();
    void btnDefaultClick();
    // Calculations.
    void btnCalcFuncClick();
    void btnCalcProizClick();
    void btnCalcIntClick();
    // Mouse tools.
    void btnMoveClick();
    void btnRectClick();
    void ImageMouseDown(Qt::MouseButton button, int x, int y);
    void ImageMouseMove(int x, int y);
    void ImageMouseUp(Qt::MouseButton button, int x, int y);
    void FormMouseMove();
    // Menu.
    void mnuFunctionExitClick();
    // File commands, help and About (general_form_files.cpp).
    void mnuFunctionOpenClick();
    void mnuFunctionSaveClick();
    void mnuFunctionSaveGrClick();
    void mnuFunctionSaveLogClick();
    void btnLoadFunctionClick();
    void btnSaveFunctionClick();
    void btnSaveGraphicClick();
    void mnuSaveScClick();
    void mnuHelpHelpClick();
    void mnuHelpAboutClick();
    // The table window (general_form_table.cpp).
    void mnuTableOpenClick();
    // Printing and the clipboard (general_form_export.cpp).
    void mnuFunctionPrintClick();
    // The white paper choice, remembered (general_form_export.cpp).
    void createPrintChoice();
    void mnuEditCopyPictureClick();
    void mnuEditCopyResultClick();
    // The "Вид" menu (general_form_view.cpp).
    void mnuViewLabelsClick();
    void mnuViewBreakPolesClick();
    void mnuViewSmoothClick();
    void mnuViewTraceClick();
    void mnuViewBackClick();
    void mnuViewForwardClick();
    void mnuViewLegendClick();
    void mnuViewPointsClick();
    void mnuViewTangentClick();
    // The curve list (general_form_curves.cpp).
    void lstCurvesCurrentRowChanged(int row);
    void lstCurvesItemChanged();
    void btnCurveReplaceClick();
    void btnCurveColourClick();
    void btnCurveRemoveClick();
    void btnCurveClearClick();
    void btnCurveUpClick();
    void btnCurveDownClick();
    void mnuFunctionSaveSetClick();
    void mnuFunctionOpenSetClick();

  private:
    // Requests made while a batch is open go into one job, started when the outermost closes
    // (a layout's run and centring).
    class WorkBatch {
      public:
        explicit WorkBatch(GeneralForm& form);
        ~WorkBatch();
        WorkBatch(const WorkBatch&) = delete;
        WorkBatch& operator=(const WorkBatch&) = delete;

      private:
        GeneralForm& form_;
    };

    // Construction (general_form.cpp).
    void FormCreate();
    void createControls();
    void createTopStrip();
    void createViewColumn();
    void createPages();
    void createParametersPage(QWidget* page);
    void createFunctionPage(QWidget* page);
    void createKeypad(QWidget* parent);
    void installFilters();
    Canvas& canvas();
    // Menu and dialogs (general_form_menu.cpp).
    void createActions();
    void createMenus();
    void createDialogs();
    void createShortcuts();
    bool IsTextField(const QWidget* widget) const;
    void ExitShortcutActivated();

    // The shared helpers (general_form_run.cpp).
    // The run command: the expression box's text is built, logged and plotted. A run that
    // follows a change of the view (a layout, the rectangle zoom) renews the selected curve
    // instead of adding one.
    void RunExpressionCommand(bool viewRun = false);
    // Redraws the last built expression into the picture (the scale commands' last two steps).
    void RedrawPicture();
    // Centres the view on the world origin and redraws when it moved.
    void CentrePicture();
    // Takes a field's text into the state, or writes the state's text back into the field.
    void ApplyExitRule(ParameterField field);
    // Writes every parameter field from the state.
    void ShowParameters();
    // Sets the whole expression text as the program does (no change handler, no history).
    void SetExpressionText(const QString& text);
    // The run button is enabled for a text to run, and while the work it started shows its
    // progress.
    void UpdateRunButton();
    // Ticks or clears cbxBorderX (its dependants follow) and applies the bounds' exit rules.
    void SetBorderX(bool checked);
    // After a failed build, the expression box selects where the reading stopped.
    void SelectBuildError(const RunOutcome& outcome);
    void FormCanResize();
    void PickColour(QLineEdit* field);
    void InsertIntoExpression(const QString& text);
    // Plots the last built tree and shows the picture (no field is written; with `keepResult`
    // the result field keeps its text too).
    void PlotPicture(bool keepResult = false);
    QLineEdit* FieldEdit(ParameterField field) const;
    // The drawing options as the controls hold them now.
    DrawOptions CurrentDrawOptions() const;
    // Mouse tools (general_form_mouse.cpp): the rectangle tool's press, the read-out of the
    // pointer, and the trace.
    void StartRectangle(int x, int y);
    // Ends the tools' gesture, taking its mark off the picture when asked: a tool change, a
    // redraw, a run and Esc end a gesture half done.
    void EndGesture(bool takeMarkOff);
    // Esc: stops the work in flight and cancels a gesture half done.
    void EscapePressed();
    void ShowPointer(int x, int y);
    void ShowTrace(int x);
    // While tracing among two or more visible curves: selects the previous or next visible one
    // (none past either end) and traces it; false when the keys keep their steering.
    bool TraceNextCurve(bool forward);
    // File commands (general_form_files.cpp), each shared by a menu entry and a flat button.
    void LoadFunctionCommand();
    void SaveFunctionCommand();
    void SavePictureCommand();
    void SaveScenarioCommand();
    void ApplyLoadedFunction(const FunctionFile& file);
    // Opening from outside and the last files (general_form_desktop.cpp): a file opened as the
    // load opens it (false when refused, with the report shown); a file opened or saved goes to
    // the top of the list.
    bool OpenFunctionFile(const QString& path);
    // A curve-set file opened as "Открыть набор кривых…" opens it; false (after the message)
    // when it cannot be read or is refused, the window left as it was.
    bool OpenSetFile(const QString& path);
    // A file from outside (the command line, a drop, the recent files): a set by its
    // extension, otherwise a function file.
    bool OpenFile(const QString& path);
    void RememberFile(const QString& path);
    void createRecentMenu();
    void FillRecentMenu();
    void mnuFunctionRecentClick(const QString& path);
    // The decimal comma, a choice under "Вид" (general_form_desktop.cpp): texts typed into the
    // expression box and the number fields as the engine reads them, and the program's numbers
    // as the fields and results show them. Files keep the point.
    void createDecimalCommaToggle();
    void mnuViewDecimalCommaClick(bool checked);
    std::string Entered(const QString& text) const;
    QString Displayed(const std::string& text) const;
    // The picture drawn again from the last built expression onto any surface, as a redraw
    // would draw it (general_form_export.cpp).
    std::function<void(DrawSurface&)> VectorPicture() const;
    // The expression of the picture: the one the last run built, else the expression box's.
    QString PictureExpression() const;
    // The scenario log as lines.
    QStringList ScenarioLines() const;
    // The table window (general_form_table.cpp): created with the window; after a run its
    // table is brought up to date. The picture chosen there is drawn by the background work.
    void createTableWindow();
    void createPictureModeMenu(QMenu& view);
    void AfterRunForTable();
    // The table window filled from the document and the last build as they stand.
    void FillTable();
    // The curve list and the document (general_form_curves.cpp).
    void createCurvesPage(QWidget* page);
    // Puts the curve of a successful build into the set; false when it adds none (an
    // expression without x with "Новый" clear).
    bool AddRunCurve(const RunOutcome& outcome, bool viewRun);
    // The list shows the set; the selected row is the selected curve.
    void RefreshCurveList();
    // The fields, the expression box and the engine take the selected curve's.
    void ShowSelectedCurve();
    // The "Функция" page says which expression its calculations use.
    void ShowCalculationExpression(const QString& expression);
    // After an edit of the list: the list and the picture follow.
    void CurvesChanged();
    void SetLineColourField(Colour colour);
    // The controls write into the document as they change: the frame's check boxes, the
    // selected curve's mode and bound (general_form_curves.cpp).
    void ConnectDocumentControls();
    // A colour field took a colour: the background's, or the selected curve's.
    void ColourFieldChanged(const QLineEdit* field);
    // The fields' parameters and argument bound changed: the selected curve takes them.
    void RunParametersChanged();
    // The table window chose another picture or sequence argument.
    void TablePictureChanged();
    // The legend as chosen, or by the number of visible curves, into the document and the menu.
    void ShowLegendChoice();
    // Background work (general_form_work.cpp).
    void SetUpWork();
    void QueueStep(PlotStep step);
    void QueueRun(const RunOutcome& begun, bool drawRunOver);
    void SubmitWork();
    void WorkStarted();
    void WorkProgress(int percent, const QImage& preview);
    void WorkEnded();
    void WorkDelivered(const std::shared_ptr<WorkJob>& job);
    void ApplySteps(const WorkJob& job);
    // The integral between two limit texts: refusals and equal limits answer at once, the rest
    // is background work.
    void StartIntegral(const std::string& from, const std::string& to);
    void ShowCalcOutcome(const CalcOutcome& outcome);
    // The "Вид" menu, its settings and the steering of the picture by wheel, drag and keys
    // (general_form_view.cpp).
    void createViewControls();
    // Called whenever the picture has been drawn: the overlay follows the view and the view
    // history notes it.
    void AfterPictureShown();
    bool ImageViewEvent(QEvent* event);
    void ScheduleRedraw();
    void StepHistory(bool back);
    void SaveViewSettings() const;
    // The points of interest (general_form_points.cpp): the toggle, the search after a plot,
    // dropping them before the picture changes, the markers drawn when they arrive, and the
    // tooltip and the click over a marker.
    void createPointsControls(QMenu& view);
    void StartPoints();
    void DropPoints();
    void PointsDelivered(const std::shared_ptr<PointsJob>& job);
    QString PointTipText(const PointOfInterest& point) const;
    void ShowPointTip(int x, int y);
    void PickPoint(int x, int y);
    // The tangent and the shaded integral (general_form_tangent.cpp).
    void createTangentControls(QMenu& view);
    QString TangentEquation(ExtendedReal slope, ExtendedReal offset) const;
    // After an integral over these limit texts: its area is shaded until the next run.
    void ShadeIntegral(const std::string& from, const std::string& to);

    // --- Controls (object names equal the member names) ---
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
    QGroupBox* grpStatic = nullptr;  // the keypad
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

    // Menu.
    QMenu* mnuFunction = nullptr;
    QAction* mnuFunctionOpen = nullptr;
    QAction* mnuFunctionSave = nullptr;
    QAction* mnuFunctionSaveGr = nullptr;
    QAction* mnuFunctionSaveLog = nullptr;
    QAction* mnuFunctionPrint = nullptr;
    QAction* mnuFunctionPrintOnWhite = nullptr;
    QAction* mnuFunctionExit = nullptr;
    QMenu* mnuFunctionRecent = nullptr;
    QAction* mnuViewDecimalComma = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuEditCopyPicture = nullptr;
    QAction* mnuEditCopyResult = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpHelp = nullptr;
    QAction* mnuHelpAbout = nullptr;
    QShortcut* exitShortcut = nullptr;
    QShortcut* quitShortcut = nullptr;
    // The table window and its menu (general_form_table.cpp).
    TableWindow* tableWindow = nullptr;
    QMenu* mnuTable = nullptr;
    QAction* mnuTableOpen = nullptr;
    QMenu* mnuViewPicture = nullptr;
    bool tablePlaced_ = false;
    // The "Функция" page: the expression its calculations use.
    QLabel* lblFuncExpression = nullptr;

    // The "Вид" menu (general_form_view.cpp).
    QMenu* mnuView = nullptr;
    QAction* mnuViewLabels = nullptr;
    QAction* mnuViewBreakPoles = nullptr;
    QAction* mnuViewSmooth = nullptr;
    QAction* mnuViewTrace = nullptr;
    QAction* mnuViewBack = nullptr;
    QAction* mnuViewForward = nullptr;
    QAction* mnuViewLegend = nullptr;
    QAction* mnuViewPoints = nullptr;
    QAction* mnuViewTangent = nullptr;
    PointsRunner* points_ = nullptr;
    // The curve list page.
    QListWidget* lstCurves = nullptr;
    QPushButton* btnCurveReplace = nullptr;
    QPushButton* btnCurveColour = nullptr;
    QPushButton* btnCurveRemove = nullptr;
    QPushButton* btnCurveClear = nullptr;
    QPushButton* btnCurveUp = nullptr;
    QPushButton* btnCurveDown = nullptr;
    QAction* mnuFunctionOpenSet = nullptr;
    QAction* mnuFunctionSaveSet = nullptr;
    QFileDialog* SetSaveDialog = nullptr;
    QFileDialog* SetOpenDialog = nullptr;
    // Labels and the trace cross over the picture; the column the trace was last shown at.
    PictureOverlay* overlay = nullptr;
    int traceColumn_ = -1;

    // Dialogs owned by the window.
    QColorDialog* ColorDialog = nullptr;
    QFileDialog* SaveDialog = nullptr;
    QFileDialog* OpenDialog = nullptr;
    QFileDialog* SavePictureDialog = nullptr;
    QFileDialog* SaveDialog1 = nullptr;
    QDialog* AboutBoxForm = nullptr;

    // The parameter fields in ShowParameters order.
    std::array<QLineEdit*, 11> parameterFields{};

    // Start-up and layout state.
    QStringList ExampleExpressions;
    QString ProgramFolder;
    int32_t ResizeCount = 0;
    int32_t LayoutWidth = 0;
    int32_t LayoutHeight = 0;

    QTimer* redrawTimer_ = nullptr;
    // The legend as the user switched it; unset, it follows the number of visible curves.
    std::optional<bool> legendChoice_;
    ViewHistory history_;
    // Wheel notches less than kWheelStepMs apart make one step of the history.
    QElapsedTimer lastWheel_;
    bool wheelPending_ = false;    // the redraw to come shows a wheel zoom
    bool wheelMerges_ = false;     // ... that continues the wheel step shown last
    bool wheelStepShown_ = false;  // the history's current view is a wheel step

    // The picture's document, with the run of the fields.
    PlotDocument document_;
    QColor lastConfirmedColour_;
    // Selection of the expression box kept while another control has the focus.
    int savedSelectionStart_ = -1;
    int savedSelectionLength_ = 0;
    int savedCursor_ = -1;
    QString savedText_;
    // Background work.
    WorkRunner* work_ = nullptr;
    std::shared_ptr<WorkJob> pendingWork_;
    int workBatchDepth_ = 0;
    bool integralRunning_ = false;
    QString resultBeforeProgress_;
    QShortcut* stopShortcut_ = nullptr;
    Qt::CursorShape pictureCursor_ = Qt::ArrowCursor;
};
