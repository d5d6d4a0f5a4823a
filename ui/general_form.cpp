// The main window's construction: the controls with their names, positions, texts, hints,
// colours and fonts, the event filters that map Qt's events onto the handlers, and FormCreate.
#include "ui/general_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include "messages/language_choice.h"
#include "ui/icons.h"
#include "ui/picture_widget.h"
#include "ui/widget_factory.h"
#include "ui/window_geometry.h"

namespace {

const QString kNormalGeometryKey = QStringLiteral("window/normalGeometry");

QSettings WindowSettings() {
    return QSettings(kApplicationTitle, kApplicationTitle);
}

}  // namespace

GeneralForm::GeneralForm(QWidget* parent) : QMainWindow(parent) {
    // The controls and dialogs use regular expressions (validators, filters): they stay
    // interpreted, so that no writable and executable page is mapped for them.
    DisableRegexpJit();
    setObjectName(QStringLiteral("GeneralForm"));
    setWindowTitle(kWindowCaption);
    setWindowIcon(icons::Program());
    setFont(ui::SansFont(11));
    createControls();
    createDialogs();
    createActions();
    createMenus();
    createRecentMenu();
    createTableWindow();
    createShortcuts();
    installFilters();
    SetUpWork();
    createViewControls();
    createDecimalCommaToggle();
    FormCreate();
    // Below the designed size (or the reach of the wide read-outs) controls would be cut off.
    setMinimumSize(SmallestWindowSize(txtYNow->geometry().right()));
}

GeneralForm::~GeneralForm() {
    // Destroying the controls moves the focus out of the expression box, whose signals would
    // then reach the handlers of this half-destroyed window.
    for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

Canvas& GeneralForm::canvas() {
    return Image->canvas();
}

void GeneralForm::FormCreate() {
    ExampleExpressions = {"sinx",     "sincostgx", "sinx/x",  "sin(10/x)", "x^lnx",
                          "sinx*lnx", "x^x",       "x^(1/x)", "sinx+x",    "sinx^cosx"};
    ProgramFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    document_.RunEngine.ConstantC = 1;
    document_.RunEngine.ValueA = 1;
    document_.View.ArgumentFrom = -1;
    document_.View.ArgumentTo = 1;
    document_.View.PixelSizeX = kDefaultPixelSize;
    document_.View.PixelSizeY = kDefaultPixelSize;
    document_.RunEngine.IndexFrom = 1;
    document_.RunEngine.IndexTo = 100;
    document_.View.SamplesPerPixel = 1;
    // The designed outer size, then the height set to nothing: the resize that the showing
    // brings is then handled as the first one.
    setGeometry(205, 140, 635, 420);
    resize(width(), 0);
    LayoutWidth = 0;
    LayoutHeight = 0;
    ResizeCount = 0;
}

void GeneralForm::ShowMaximised() {
    // Un-maximised, the window comes back where it was last left, or at 80% of the screen in
    // its middle, its frame on the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect remembered = WindowSettings().value(kNormalGeometryKey).toRect();
        setGeometry(RestoredWindowGeometry(remembered, screen->availableGeometry(), minimumSize()));
    }
    showMaximized();
}

void GeneralForm::closeEvent(QCloseEvent* event) {
    // The place the window takes when it is not maximised, for the next start.
    const QRect normal = isMaximized() || isFullScreen() ? normalGeometry() : geometry();
    if (normal.isValid()) WindowSettings().setValue(kNormalGeometryKey, normal);
    QMainWindow::closeEvent(event);
}

void GeneralForm::createControls() {
    central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    central->setMouseTracking(true);
    setCentralWidget(central);
    createTopStrip();
    createViewColumn();
    createPages();
}

void GeneralForm::createTopStrip() {
    txtFunctionText = ui::Make<QComboBox>(central, "txtFunctionText", {0, 0, 513, 21});
    txtFunctionText->setEditable(true);
    txtFunctionText->setInsertPolicy(QComboBox::NoInsert);
    txtFunctionText->setMaxVisibleItems(10);
    txtFunctionText->setCompleter(nullptr);
    txtFunctionText->setDuplicatesEnabled(false);
    txtFunctionText->setToolTip(tr("Введите выражение или функцию"));
    ui::SetColours(txtFunctionText, Qt::black, Qt::yellow);
    ui::SetColours(txtFunctionText->lineEdit(), Qt::black, Qt::yellow);
    QFont bold = font();
    bold.setBold(true);
    txtFunctionText->setFont(bold);
    SetExpressionText(QStringLiteral("sinx"));

    grpStatic2 = ui::Make<QGroupBox>(central, "grpStatic2", {0, 21, 217, 49});
    btnStart = ui::MakeFlat(grpStatic2, "btnStart", {5, 10, 206, 33}, tr("Обработать выражение"),
                            icons::Run(), 32);
    btnStart->setText(tr("Выполнить"));
    btnStart->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    btnStart->setEnabled(false);

    txtResult = ui::MakeField(central, "txtResult", {304, 24, 210, 21}, QString(),
                              tr("Результат обработки выражения "));
    txtResult->setReadOnly(true);
    ui::SetColours(txtResult, QColor(0x80, 0x80, 0x80), Qt::white);
    txtResult->setFont(bold);

    const QString hints[] = {tr("Отобразить по центру"),
                             tr("Увеличить график"),
                             tr("Уменьшить график"),
                             tr("Сравнять масштабы по X и Y"),
                             tr("Масштаб по умолчанию"),
                             tr("Переместить относительно точки"),
                             tr("Увеличить заданный прямоугольник")};
    const char* names[] = {"btnHome",    "btnMPlus", "btnMMinus", "btnOptim",
                           "btnDefault", "btnMove",  "btnRect"};
    const QIcon pictures[] = {icons::Centre(),      icons::ZoomIn(),       icons::ZoomOut(),
                              icons::EqualScales(), icons::DefaultScale(), icons::Move(),
                              icons::Rectangle()};
    const int lefts[] = {305, 337, 369, 401, 433, 473, 505};
    QToolButton** targets[] = {&btnHome,    &btnMPlus, &btnMMinus, &btnOptim,
                               &btnDefault, &btnMove,  &btnRect};
    for (int i = 0; i < 7; ++i) {
        *targets[i] =
            ui::MakeFlat(central, names[i], {lefts[i], 48, 32, 32}, hints[i], pictures[i], 16);
    }
    btnMove->setCheckable(true);
    btnRect->setCheckable(true);
    btnMove->setAutoExclusive(true);
    btnRect->setAutoExclusive(true);
    btnMove->setChecked(true);

    txtXNow = ui::MakeField(central, "txtXNow", {544, 53, 41, 21}, QString(),
                            tr("Координата курсора по X"));
    txtYNow = ui::MakeField(central, "txtYNow", {584, 53, 41, 21}, QString(),
                            tr("Координата курсора по Y"));

    Image = ui::Make<PictureWidget>(central, "Image", {304, 85, 241, 225});
    Image->setCursor(Qt::PointingHandCursor);
    Image->FitCanvas();

    memoGenHelp = ui::Make<QPlainTextEdit>(central, "memoGenHelp", {0, 325, 297, 17});
    memoGenHelp->setReadOnly(true);
    memoGenHelp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoGenHelp->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memoGenHelp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memoGenHelp->setToolTip(tr("Текущий сценарий"));
}

void GeneralForm::createViewColumn() {
    grpStatic3 = ui::Make<QGroupBox>(central, "grpStatic3", {224, 21, 73, 297});
    struct FieldRow {
        QLineEdit** target;
        const char* name;
        int top;
        const char* text;
        const char* hint;
    };
    const FieldRow rows[] = {
        {&txtX, "txtX", 16, "-20", QT_TR_NOOP("Начальная координата по оси X")},
        {&txtY, "txtY", 40, "10", QT_TR_NOOP("Начальная координата по оси Y")},
        {&txtXm, "txtXm", 64, "0.05", QT_TR_NOOP("Размер одного пиксела по оси X")},
        {&txtYm, "txtYm", 88, "0.05", QT_TR_NOOP("Размер одного пиксела по оси Y")},
        {&txtTochn, "txtTochn", 112, "1",
         QT_TR_NOOP("Количество вычислений на один пиксель экрана")},
        {&txtBkColor, "txtBkColor", 136, "", QT_TR_NOOP("Цвет заднего фона")},
        {&txtLineColor, "txtLineColor", 160, "", QT_TR_NOOP("Цвет графика")},
    };
    for (const FieldRow& row : rows) {
        *row.target =
            ui::MakeField(grpStatic3, row.name, {8, row.top, 57, 21}, tr(row.text), tr(row.hint));
    }
    for (QLineEdit* colour : {txtBkColor, txtLineColor}) {
        colour->setReadOnly(true);
        colour->setCursor(Qt::PointingHandCursor);
    }
    ui::SetColours(txtBkColor, Qt::black, Qt::black);
    ui::SetColours(txtLineColor, Qt::yellow, Qt::yellow);

    rbtLines = ui::Make<QRadioButton>(grpStatic3, "rbtLines", {8, 184, 57, 17});
    rbtLines->setText(tr("Линии"));
    rbtLines->setToolTip(tr("Построение графика линиями от точки к точке"));
    rbtLines->setChecked(true);
    rbtPixels = ui::Make<QRadioButton>(grpStatic3, "rbtPixels", {8, 200, 57, 17});
    rbtPixels->setText(tr("Точки"));
    rbtPixels->setToolTip(
        tr("График будет показан точками (рекомендуется большое количество вычислений на один "
           "пиксель)"));
    cbxKill = ui::MakeCheck(grpStatic3, "cbxKill", {8, 224, 57, 17}, tr("Новый"),
                            tr("Уничтожить старый график и построить новый"), true);
    cbxSetka = ui::MakeCheck(grpStatic3, "cbxSetka", {8, 240, 57, 17}, tr("Сетка"),
                             tr("Вывести на экран координатную сетку"), true);
    cbxOci = ui::MakeCheck(grpStatic3, "cbxOci", {8, 256, 57, 17}, tr("Оси XY"),
                           tr("Показать оси XY"), true);
}

void GeneralForm::createPages() {
    pgPages = ui::Make<QTabWidget>(central, "pgPages", {0, 77, 217, 241});
    // A click on a tab takes the focus, as a page control does: a field on the page being
    // hidden is left for the tabs, not for whatever control follows it.
    pgPages->tabBar()->setFocusPolicy(Qt::StrongFocus);
    // Qt's tabs are wider than the designed ones; narrower padding keeps all three visible.
    pgPages->tabBar()->setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 2px 5px; border: 1px solid palette(mid); border-bottom: none;"
        " background: palette(button); margin-right: 1px; margin-top: 2px; }"
        "QTabBar::tab:selected { background: palette(window); margin-top: 0px;"
        " padding-bottom: 4px; font-weight: bold; }"));
    auto* expression = new QWidget;
    expression->setObjectName(QStringLiteral("pgExpression"));
    auto* parameters = new QWidget;
    parameters->setObjectName(QStringLiteral("pgParameters"));
    auto* function = new QWidget;
    function->setObjectName(QStringLiteral("pgFunction"));
    pgPages->addTab(expression, tr("Выражение"));
    pgPages->addTab(parameters, tr("Параметры"));
    pgPages->addTab(function, tr("Функция"));
    auto* curves = new QWidget;
    curves->setObjectName(QStringLiteral("pgCurves"));
    pgPages->addTab(curves, tr("Кривые"));
    grpStatic = ui::Make<QGroupBox>(expression, "grpStatic", {1, 4, 208, 201});
    createKeypad(grpStatic);
    createParametersPage(parameters);
    createFunctionPage(function);
    createCurvesPage(curves);
    pgPages->setCurrentIndex(1);
}

void GeneralForm::createParametersPage(QWidget* page) {
    cbxBorderX =
        ui::MakeCheck(page, "cbxBorderX", {8, 8, 193, 17}, tr("Ограничить значения аргумента:"),
                      tr("Аргумент изменяется в заданных пределах"), false);
    struct LabelRow {
        QLabel** target;
        const char* name;
        int left, top;
        const char* text;
    };
    const LabelRow labels[] = {
        {&Label1, "Label1", 8, 32, "x = "}, {&Label2, "Label2", 112, 32, QT_TR_NOOP("до")},
        {&Label3, "Label3", 8, 56, "n = "}, {&Label4, "Label4", 112, 56, QT_TR_NOOP("до")},
        {&Label6, "Label6", 8, 88, "a = "}, {&Label5, "Label5", 112, 88, "c = "},
    };
    for (const LabelRow& row : labels) {
        *row.target = ui::MakeLabel(page, row.name, {row.left, row.top}, tr(row.text),
                                    ui::BoldFont(font(), font().pixelSize()));
    }
    struct FieldRow {
        QLineEdit** target;
        const char* name;
        int left, top;
        const char* text;
        const char* hint;
    };
    const FieldRow fields[] = {
        {&txtX0, "txtX0", 40, 30, "-1", QT_TR_NOOP("Начальное значение X")},
        {&txtXk, "txtXk", 136, 30, "1", QT_TR_NOOP("Конечное значение X")},
        {&txtN0, "txtN0", 40, 54, "1", QT_TR_NOOP("Начальное значение индекса n")},
        {&txtNk, "txtNk", 136, 54, "100", QT_TR_NOOP("Конечное значение индекса n")},
        {&txtA0, "txtA0", 40, 86, "1", QT_TR_NOOP("Начальное значение a")},
        {&txtC, "txtC", 136, 86, "", QT_TR_NOOP("Значение константы c")},
    };
    for (const FieldRow& row : fields) {
        *row.target =
            ui::MakeField(page, row.name, {row.left, row.top, 65, 21}, tr(row.text), tr(row.hint));
    }
    for (QWidget* bound : std::initializer_list<QWidget*>{Label1, txtX0, Label2, txtXk}) {
        bound->setEnabled(false);
    }
    struct FileRow {
        QToolButton** target;
        const char* name;
        int top;
        const char* text;
        const char* hint;
        QIcon picture;
    };
    const FileRow files[] = {
        {&btnLoadFunction, "btnLoadFunction", 112, QT_TR_NOOP("Загрузить функцию..."),
         QT_TR_NOOP("Загрузить функцию из файла"), icons::Open()},
        {&btnSaveFunction, "btnSaveFunction", 136, QT_TR_NOOP("Сохранить функцию..."),
         QT_TR_NOOP("Сохранить функцию в файл"), icons::Save()},
        {&btnSaveGraphic, "btnSaveGraphic", 160, QT_TR_NOOP("Сохранить график..."),
         QT_TR_NOOP("Сохранить график функции в bmp-файле"), icons::SavePicture()},
        {&mnuSaveSc, "mnuSaveSc", 184, QT_TR_NOOP("Сохранить сценарий..."),
         QT_TR_NOOP("Сохранить текущий сценарий в текстовом файле"), icons::SaveLog()},
    };
    for (const FileRow& row : files) {
        *row.target =
            ui::MakeFlat(page, row.name, {8, row.top, 193, 25}, tr(row.hint), row.picture, 16);
        (*row.target)->setText(tr(row.text));
        (*row.target)->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
}

void GeneralForm::createFunctionPage(QWidget* page) {
    const QFont bold = ui::BoldFont(font(), font().pixelSize());
    const QFont bold13 = ui::BoldFont(font(), 13);
    ui::MakeLabel(page, "Label8", {24, 8}, tr("Значение функции  в точке:"), bold);
    ui::MakeLabel(page, "Label7", {8, 24}, QStringLiteral("x ="), bold13);
    ui::MakeLabel(page, "Label9", {8, 56}, tr("Значение производной  в точке:"), bold);
    ui::MakeLabel(page, "Label10", {8, 72}, QStringLiteral("x ="), bold13);
    ui::MakeLabel(page, "Label11", {31, 104}, tr("Определенный интеграл:"), bold);
    ui::MakeLabel(page, "Label12", {8, 120}, QStringLiteral("x0="), bold13);
    ui::MakeLabel(page, "Label13", {112, 120}, QStringLiteral("xk="), bold13);

    txtXfunc = ui::MakeField(page, "txtXfunc", {32, 24, 65, 21}, QStringLiteral("0"),
                             tr("Значение аргумента"));
    txtXProiz = ui::MakeField(page, "txtXProiz", {32, 72, 65, 21}, QStringLiteral("0"),
                              tr("Значение аргумента"));
    txtX0int = ui::MakeField(page, "txtX0int", {32, 120, 65, 21}, QStringLiteral("0"),
                             tr("Нижний предел интегрирования"));
    txtXkint = ui::MakeField(page, "txtXkint", {136, 120, 65, 21}, QStringLiteral("1"),
                             tr("Верхний предел интегрирования"));
    // The calculations use the expression of the last run, which need not be the one in the
    // box: the page says which.
    lblFuncExpression = ui::MakeLabel(page, "lblFuncExpression", {8, 203}, QString(), font());
    lblFuncExpression->setFixedWidth(193);
    lblFuncExpression->setToolTip(tr("Выражение, с которым ведутся вычисления"));

    QFont calcFont = ui::SerifFont(16);
    calcFont.setBold(true);
    calcFont.setItalic(true);
    struct ButtonRow {
        QToolButton** target;
        const char* name;
        QRect place;
        const char* text;
        const char* hint;
    };
    const ButtonRow buttons[] = {
        {&btnCalcFunc,
         "btnCalcFunc",
         {120, 22, 81, 25},
         "f(x)",
         QT_TR_NOOP("Вычислить значение функции")},
        {&btnCalcProiz,
         "btnCalcProiz",
         {120, 70, 81, 25},
         "f'(x)",
         QT_TR_NOOP("Вычислить значение производной функции в данной точке")},
        {&btnCalcInt,
         "btnCalcInt",
         {8, 144, 193, 25},
         QT_TR_NOOP("проинтегрировать"),
         QT_TR_NOOP("Вычислить значение интеграла")},
    };
    for (const ButtonRow& row : buttons) {
        *row.target = ui::MakeFlat(page, row.name, row.place, tr(row.hint), QIcon(), 0);
        (*row.target)->setText(tr(row.text));
        (*row.target)->setFont(calcFont);
        ui::SetButtonTextColour(*row.target, Qt::red);
    }

    txtFuncResult =
        ui::MakeField(page, "txtFuncResult", {8, 180, 193, 21}, QString(), tr("Результат"));
    ui::SetColours(txtFuncResult, QColor(0x80, 0x80, 0x80), Qt::white);
    txtFuncResult->setFont(bold);
}

void GeneralForm::installFilters() {
    parameterFields = {txtX, txtY, txtXm, txtYm, txtTochn, txtX0, txtXk, txtN0, txtNk, txtA0, txtC};
    for (QLineEdit* field : parameterFields) field->installEventFilter(this);
    for (QLineEdit* field :
         {txtBkColor, txtLineColor, txtResult, txtXfunc, txtXProiz, txtX0int, txtXkint}) {
        field->installEventFilter(this);
    }
    txtFunctionText->installEventFilter(this);
    central->installEventFilter(this);

    // Tab follows the layout: the expression, the run button (reached by Tab only, so that a
    // click never takes the focus from a field being edited), the view column from the top,
    // then the pages. The pointer read-outs only show.
    btnStart->setFocusPolicy(Qt::TabFocus);
    txtXNow->setFocusPolicy(Qt::NoFocus);
    txtYNow->setFocusPolicy(Qt::NoFocus);
    const std::initializer_list<QWidget*> tabOrder = {
        txtFunctionText, btnStart,     txtX,     txtY,    txtXm,    txtYm,  txtTochn,
        txtBkColor,      txtLineColor, rbtLines, cbxKill, cbxSetka, cbxOci, pgPages};
    const QWidget* previous = nullptr;
    for (QWidget* next : tabOrder) {
        if (previous) setTabOrder(const_cast<QWidget*>(previous), next);
        previous = next;
    }

    connect(btnStart, &QToolButton::clicked, this, &GeneralForm::btnStartClick);
    connect(txtFunctionText, &QComboBox::editTextChanged, this,
            &GeneralForm::txtFunctionTextChange);
    connect(txtFunctionText, &QComboBox::activated, this, &GeneralForm::txtFunctionTextChange);
    connect(txtResult, &QLineEdit::textChanged, this, &GeneralForm::txtFunctionTextChange);
    connect(cbxKill, &QCheckBox::toggled, this, &GeneralForm::cbxKillClick);
    connect(cbxBorderX, &QCheckBox::toggled, this, &GeneralForm::cbxBorderXClick);
    ConnectDocumentControls();
    connect(btnHome, &QToolButton::clicked, this, &GeneralForm::btnHomeClick);
    connect(btnMPlus, &QToolButton::clicked, this, &GeneralForm::btnMPlusClick);
    connect(btnMMinus, &QToolButton::clicked, this, &GeneralForm::btnMMinusClick);
    connect(btnOptim, &QToolButton::clicked, this, &GeneralForm::btnOptimClick);
    connect(btnDefault, &QToolButton::clicked, this, &GeneralForm::btnDefaultClick);
    connect(btnMove, &QToolButton::clicked, this, &GeneralForm::btnMoveClick);
    connect(btnRect, &QToolButton::clicked, this, &GeneralForm::btnRectClick);
    connect(btnCalcFunc, &QToolButton::clicked, this, &GeneralForm::btnCalcFuncClick);
    connect(btnCalcProiz, &QToolButton::clicked, this, &GeneralForm::btnCalcProizClick);
    connect(btnCalcInt, &QToolButton::clicked, this, &GeneralForm::btnCalcIntClick);
    connect(btnLoadFunction, &QToolButton::clicked, this, &GeneralForm::btnLoadFunctionClick);
    connect(btnSaveFunction, &QToolButton::clicked, this, &GeneralForm::btnSaveFunctionClick);
    connect(btnSaveGraphic, &QToolButton::clicked, this, &GeneralForm::btnSaveGraphicClick);
    connect(mnuSaveSc, &QToolButton::clicked, this, &GeneralForm::mnuSaveScClick);
    connect(Image, &PictureWidget::mouseDown, this, &GeneralForm::ImageMouseDown);
    connect(Image, &PictureWidget::mouseMove, this, &GeneralForm::ImageMouseMove);
    connect(Image, &PictureWidget::mouseUp, this, &GeneralForm::ImageMouseUp);
}
