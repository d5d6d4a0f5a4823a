// Start-up and the main window: the controls of the layout with their places, texts, hints and
// states, the menu, the dialogs, the message boxes, and what the first showing does.
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <set>

#include "engine/number_text.h"
#include "form_controls.h"
#include "test_classes.h"
#include "tests/support/process_maps.h"
#include "ui/language.h"
#include "ui/picture_widget.h"
#include "window_fixture.h"

namespace {

QString TextOf(const QWidget* widget) {
    if (auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
    if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    if (auto* combo = qobject_cast<const QComboBox*>(widget)) return combo->currentText();
    if (auto* memo = qobject_cast<const QPlainTextEdit*>(widget)) return memo->toPlainText();
    return QString();
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

  private slots:
    void layoutControls_data();
    void layoutControls();
    void startingStates();
    void flatButtonsNeverTakeFocus();
    void menuEntries_data();
    void menuEntries();
    void menuOrder();
    void shortcutsFromAField_data();
    void shortcutsFromAField();
    void dialogFilters_data();
    void dialogFilters();
    void errorReportFullStop_data();
    void errorReportFullStop();
    void informationBox();
    void firstShowing();
    void twoStartsCanDiffer();
    void noWritableExecutableMemory();
};

void StartupTest::layoutControls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");  // width -1: a label sized by its text
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<bool>("enabled");
    auto row = [](const char* name, QRect place, const char* text, const char* hint,
                  bool enabled = true) {
        QTest::newRow(name) << QString::fromLatin1(name) << place << QString::fromUtf8(text)
                            << QString::fromUtf8(hint) << enabled;
    };
    // Top strip and picture.
    row("txtFunctionText", {0, 0, 513, 21}, "sinx", "Введите выражение или функцию");
    row("grpStatic2", {0, 21, 217, 49}, "", "");
    row("btnStart", {5, 10, 206, 33}, "Выполнить", "Обработать выражение", false);
    row("txtResult", {304, 24, 210, 21}, "", "Результат обработки выражения ");
    row("btnHome", {305, 48, 32, 32}, "", "Отобразить по центру");
    row("btnMPlus", {337, 48, 32, 32}, "", "Увеличить график");
    row("btnMMinus", {369, 48, 32, 32}, "", "Уменьшить график");
    row("btnOptim", {401, 48, 32, 32}, "", "Сравнять масштабы по X и Y");
    row("btnDefault", {433, 48, 32, 32}, "", "Масштаб по умолчанию");
    row("btnMove", {473, 48, 32, 32}, "", "Переместить относительно точки");
    row("btnRect", {505, 48, 32, 32}, "", "Увеличить заданный прямоугольник");
    // The read-outs are wide enough for a signed value with 8 + 5 digits.
    row("txtXNow", {544, 53, 100, 21}, "", "Координата курсора по X");
    row("txtYNow", {646, 53, 100, 21}, "", "Координата курсора по Y");
    row("Image", {304, 85, 241, 225}, "", "");
    row("memoGenHelp", {0, 325, 297, 17}, "", "Текущий сценарий");
    // View column.
    row("grpStatic3", {224, 21, 73, 297}, "", "");
    row("txtX", {8, 16, 57, 21}, "-20", "Начальная координата по оси X");
    row("txtY", {8, 40, 57, 21}, "10", "Начальная координата по оси Y");
    row("txtXm", {8, 64, 57, 21}, "0.05", "Размер одного пиксела по оси X");
    row("txtYm", {8, 88, 57, 21}, "0.05", "Размер одного пиксела по оси Y");
    row("txtTochn", {8, 112, 57, 21}, "1", "Количество вычислений на один пиксель экрана");
    row("txtBkColor", {8, 136, 57, 21}, "", "Цвет заднего фона");
    row("txtLineColor", {8, 160, 57, 21}, "", "Цвет графика");
    row("rbtLines", {8, 184, 57, 17}, "Линии", "Построение графика линиями от точки к точке");
    row("rbtPixels", {8, 200, 57, 17}, "Точки",
        "График будет показан точками (рекомендуется большое количество вычислений на один "
        "пиксель)");
    row("cbxKill", {8, 224, 57, 17}, "Новый", "Уничтожить старый график и построить новый");
    row("cbxSetka", {8, 240, 57, 17}, "Сетка", "Вывести на экран координатную сетку");
    row("cbxOci", {8, 256, 57, 17}, "Оси XY", "Показать оси XY");
    // Pages.
    row("pgPages", {0, 77, 217, 241}, "", "");
    row("grpStatic", {1, 4, 208, 201}, "", "");
    row("cbxBorderX", {8, 8, 193, 17},
        "Ограничить значения аргумента:", "Аргумент изменяется в заданных пределах");
    row("Label1", {8, 32, -1, -1}, "x = ", "", false);
    row("txtX0", {40, 30, 65, 21}, "-1", "Начальное значение X", false);
    row("Label2", {112, 32, -1, -1}, "до", "", false);
    row("txtXk", {136, 30, 65, 21}, "1", "Конечное значение X", false);
    row("Label3", {8, 56, -1, -1}, "n = ", "");
    row("txtN0", {40, 54, 65, 21}, "1", "Начальное значение индекса n");
    row("Label4", {112, 56, -1, -1}, "до", "");
    row("txtNk", {136, 54, 65, 21}, "100", "Конечное значение индекса n");
    row("Label6", {8, 88, -1, -1}, "a = ", "");
    row("txtA0", {40, 86, 65, 21}, "1", "Начальное значение a");
    row("Label5", {112, 88, -1, -1}, "c = ", "");
    row("txtC", {136, 86, 65, 21}, "", "Значение константы c");
    row("btnLoadFunction", {8, 112, 193, 25}, "Загрузить функцию...", "Загрузить функцию из файла");
    row("btnSaveFunction", {8, 136, 193, 25}, "Сохранить функцию...", "Сохранить функцию в файл");
    row("btnSaveGraphic", {8, 160, 193, 25}, "Сохранить график...",
        "Сохранить график функции в bmp-файле");
    row("mnuSaveSc", {8, 184, 193, 25}, "Сохранить сценарий...",
        "Сохранить текущий сценарий в текстовом файле");
    row("Label8", {24, 8, -1, -1}, "Значение функции  в точке:", "");
    row("Label7", {8, 24, -1, -1}, "x =", "");
    row("txtXfunc", {32, 24, 65, 21}, "0", "Значение аргумента");
    row("btnCalcFunc", {120, 22, 81, 25}, "f(x)", "Вычислить значение функции");
    row("Label9", {8, 56, -1, -1}, "Значение производной  в точке:", "");
    row("Label10", {8, 72, -1, -1}, "x =", "");
    row("txtXProiz", {32, 72, 65, 21}, "0", "Значение аргумента");
    row("btnCalcProiz", {120, 70, 81, 25}, "f'(x)",
        "Вычислить значение производной функции в данной точке");
    row("Label11", {31, 104, -1, -1}, "Определенный интеграл:", "");
    row("Label12", {8, 120, -1, -1}, "x0=", "");
    row("txtX0int", {32, 120, 65, 21}, "0", "Нижний предел интегрирования");
    row("Label13", {112, 120, -1, -1}, "xk=", "");
    row("txtXkint", {136, 120, 65, 21}, "1", "Верхний предел интегрирования");
    row("btnCalcInt", {8, 144, 193, 25}, "проинтегрировать", "Вычислить значение интеграла");
    row("txtFuncResult", {8, 180, 193, 21}, "", "Результат");
}

void StartupTest::layoutControls() {
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(QString, text);
    QFETCH(QString, hint);
    QFETCH(bool, enabled);
    // The layout as built, before the first showing lays the window out.
    GeneralForm form;
    auto* widget = form.findChild<QWidget*>(name);
    QVERIFY2(widget, qPrintable(name));
    if (place.width() < 0) {
        QCOMPARE(widget->pos(), place.topLeft());
    } else {
        QCOMPARE(widget->geometry(), place);
    }
    QCOMPARE(TextOf(widget), text);
    QCOMPARE(widget->toolTip(), hint);
    QCOMPARE(widget->isEnabled(), enabled);
}

void StartupTest::startingStates() {
    GeneralForm form;
    const FormControls ui(form);
    QCOMPARE(form.windowTitle(), QStringLiteral("Tarvik 1.0"));
    QVERIFY(ui.rbtLines->isChecked());
    QVERIFY(!ui.rbtPixels->isChecked());
    QVERIFY(ui.cbxKill->isChecked());
    QVERIFY(ui.cbxSetka->isChecked());
    QVERIFY(ui.cbxOci->isChecked());
    QVERIFY(!ui.cbxBorderX->isChecked());
    QVERIFY(ui.btnMove->isChecked());
    QVERIFY(!ui.btnRect->isChecked());
    QCOMPARE(ui.pgPages->currentIndex(), 1);
    QCOMPARE(ui.pgPages->tabText(0), QStringLiteral("Выражение"));
    QCOMPARE(ui.pgPages->tabText(1), QStringLiteral("Параметры"));
    QCOMPARE(ui.pgPages->tabText(2), QStringLiteral("Функция"));
    QCOMPARE(ui.txtFunctionText->count(), 0);
    QCOMPARE(ui.txtFunctionText->maxVisibleItems(), 10);
    QCOMPARE(ui.txtFunctionText->lineEdit()->palette().color(QPalette::Base), QColor(Qt::black));
    QCOMPARE(ui.txtFunctionText->lineEdit()->palette().color(QPalette::Text), QColor(Qt::yellow));
    QVERIFY(ui.txtFunctionText->font().bold());
    QCOMPARE(ui.txtBkColor->palette().color(QPalette::Base), QColor(Qt::black));
    QCOMPARE(ui.txtLineColor->palette().color(QPalette::Base), QColor(Qt::yellow));
    for (QLineEdit* grey : {ui.txtResult, ui.txtFuncResult}) {
        QCOMPARE(grey->palette().color(QPalette::Base), QColor(0x80, 0x80, 0x80));
        QCOMPARE(grey->palette().color(QPalette::Text), QColor(Qt::white));
        QVERIFY(grey->font().bold());
    }
    QVERIFY(ui.txtResult->isReadOnly());
    QVERIFY(ui.txtBkColor->isReadOnly());
    QVERIFY(ui.memoGenHelp->isReadOnly());
    QCOMPARE(ui.Image->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(ui.txtBkColor->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(form.exampleExpressions(),
             QStringList({"sinx", "sincostgx", "sinx/x", "sin(10/x)", "x^lnx", "sinx*lnx", "x^x",
                          "x^(1/x)", "sinx+x", "sinx^cosx"}));
    QCOMPARE(form.programFolder(), QCoreApplication::applicationDirPath() + "/");
    QCOMPARE(form.view().PixelSizeX, 0.05L);
    QCOMPARE(form.engine().ValueA, 1.0L);
    QCOMPARE(form.engine().IndexTo, 100);
}

void StartupTest::flatButtonsNeverTakeFocus() {
    GeneralForm form;
    const FormControls ui(form);
    const QList<QToolButton*> buttons = form.findChildren<QToolButton*>();
    // 7 view buttons, the run button, 4 file buttons, 3 calculations, 33 keys.
    int flat = 0;
    for (QToolButton* button : buttons) {
        // Qt's own buttons: the tabs' scrolling, the menu's overflow, the dialogs' tool bars.
        if (button->objectName().startsWith("qt_") ||
            qobject_cast<QTabBar*>(button->parentWidget()) || button->window() != &form) {
            continue;
        }
        ++flat;
        QVERIFY2(button->autoRaise(), qPrintable(button->objectName()));
        // A click takes no focus; the run button is one stop of the Tab order.
        const Qt::FocusPolicy policy = button == ui.btnStart ? Qt::TabFocus : Qt::NoFocus;
        QVERIFY2(button->focusPolicy() == policy, qPrintable(button->objectName()));
    }
    QCOMPARE(flat, 48);
    for (QToolButton* pictured : {ui.btnHome, ui.btnMPlus, ui.btnMMinus, ui.btnOptim, ui.btnDefault,
                                  ui.btnMove, ui.btnRect}) {
        QVERIFY(!pictured->icon().isNull());
        QCOMPARE(pictured->iconSize(), QSize(16, 16));
    }
    QCOMPARE(ui.btnStart->iconSize(), QSize(32, 32));
    QVERIFY(!ui.btnStart->icon().isNull());
    QVERIFY(!ui.btnLoadFunction->icon().isNull());
    // The tool pair is exclusive.
    ui.btnRect->click();
    QVERIFY(ui.btnRect->isChecked());
    QVERIFY(!ui.btnMove->isChecked());
    ui.btnRect->click();
    QVERIFY(ui.btnRect->isChecked());
    ui.btnMove->click();
    QVERIFY(ui.btnMove->isChecked());
    QVERIFY(!ui.btnRect->isChecked());
}

void StartupTest::menuEntries_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("pictured");
    QTest::newRow("open") << "mnuFunctionOpen"
                          << "&Загрузить функцию..." << QKeySequence(Qt::Key_F3) << true;
    QTest::newRow("save") << "mnuFunctionSave"
                          << "&Сохранить функцию..." << QKeySequence(Qt::Key_F2) << true;
    QTest::newRow("picture") << "mnuFunctionSaveGr"
                             << "Сохранить &график..." << QKeySequence(Qt::CTRL | Qt::Key_S)
                             << true;
    QTest::newRow("log") << "mnuFunctionSaveLog"
                         << "Сохранить сценарий..." << QKeySequence() << true;
    QTest::newRow("print") << "mnuFunctionPrint"
                           << "&Печать…" << QKeySequence(Qt::CTRL | Qt::Key_P) << false;
    QTest::newRow("exit") << "mnuFunctionExit"
                          << "&Выход" << QKeySequence(Qt::CTRL | Qt::Key_X) << false;
    QTest::newRow("copy picture") << "mnuEditCopyPicture"
                                  << "Копировать рисунок"
                                  << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C) << false;
    QTest::newRow("copy result") << "mnuEditCopyResult"
                                 << "Копировать результат"
                                 << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R) << false;
    QTest::newRow("help") << "mnuHelpHelp"
                          << "&Справка" << QKeySequence(Qt::Key_F1) << true;
    QTest::newRow("about") << "mnuHelpAbout"
                           << "&О программе..." << QKeySequence() << false;
}

void StartupTest::menuEntries() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QKeySequence, shortcut);
    QFETCH(bool, pictured);
    GeneralForm form;
    auto* action = form.findChild<QAction*>(name);
    QVERIFY(action);
    QCOMPARE(action->text(), text);
    QCOMPARE(action->shortcut(), shortcut);
    QCOMPARE(!action->icon().isNull(), pictured);
}

void StartupTest::menuOrder() {
    GeneralForm form;
    const FormControls ui(form);
    QCOMPARE(ui.mnuFunction->title(), QStringLiteral("&Файл"));
    QCOMPARE(ui.mnuHelp->title(), QStringLiteral("&Помощь"));
    const QList<QAction*> file = ui.mnuFunction->actions();
    QCOMPARE(file.size(), 12);
    QCOMPARE(file[0], ui.mnuFunctionOpen);
    QCOMPARE(file[1], ui.mnuFunctionSave);
    // The curve set's entries and the last files follow the function's.
    QCOMPARE(file[2], form.findChild<QAction*>("mnuFunctionOpenSet"));
    QCOMPARE(file[3], form.findChild<QAction*>("mnuFunctionSaveSet"));
    QCOMPARE(file[4], form.findChild<QMenu*>("mnuFunctionRecent")->menuAction());
    QVERIFY(file[5]->isSeparator());
    QCOMPARE(file[6], ui.mnuFunctionSaveGr);
    QCOMPARE(file[7], ui.mnuFunctionSaveLog);
    QCOMPARE(file[8], ui.mnuFunctionPrint);
    QCOMPARE(file[9], form.findChild<QAction*>("mnuFunctionPrintOnWhite"));
    QVERIFY(file[10]->isSeparator());
    QCOMPARE(file[11], ui.mnuFunctionExit);
    QCOMPARE(ui.mnuEdit->title(), QStringLiteral("П&равка"));
    QCOMPARE(ui.mnuEdit->actions(), QList<QAction*>({ui.mnuEditCopyPicture, ui.mnuEditCopyResult}));
    // Help, the program's own help window, the language, About.
    QCOMPARE(
        ui.mnuHelp->actions(),
        QList<QAction*>({ui.mnuHelpHelp, form.findChild<QAction*>("mnuHelpWindow"),
                         form.findChild<QMenu*>("mnuLanguage")->menuAction(), ui.mnuHelpAbout}));
    // The edit menu stands between the file and help menus, the table and view menus
    // before help.
    const QList<QAction*> bar = form.menuBar()->actions();
    QCOMPARE(bar.size(), 5);
    QCOMPARE(bar[0]->menu(), ui.mnuFunction);
    QCOMPARE(bar[1]->menu(), ui.mnuEdit);
    QCOMPARE(bar[2]->menu()->title(), QStringLiteral("&Таблица"));
    QCOMPARE(bar[3]->menu(), ui.mnuView);
    QCOMPARE(bar[4]->menu(), ui.mnuHelp);
}

void StartupTest::shortcutsFromAField_data() {
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("action");
    QTest::newRow("F3") << QKeySequence(Qt::Key_F3) << "mnuFunctionOpen";
    QTest::newRow("F2") << QKeySequence(Qt::Key_F2) << "mnuFunctionSave";
    QTest::newRow("Ctrl+S") << QKeySequence(Qt::CTRL | Qt::Key_S) << "mnuFunctionSaveGr";
}

void StartupTest::shortcutsFromAField() {
    QFETCH(QKeySequence, keys);
    QFETCH(QString, action);
    WindowFixture w;
    int dialogs = 0;
    w->modalHook = [&dialogs](QDialog&) {
        ++dialogs;
        return int(QDialog::Rejected);
    };
    QSignalSpy triggered(w->findChild<QAction*>(action), &QAction::triggered);
    w.ClickFocus(w.ui.txtXm);
    QTest::keySequence(QApplication::focusWidget(), keys);
    QCOMPARE(triggered.count(), 1);
    QCOMPARE(dialogs, 1);
    QVERIFY(w->isVisible());
}

void StartupTest::dialogFilters_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("filters");
    QTest::addColumn<bool>("save");
    QTest::newRow("function save")
        << "SaveDialog" << QStringList{"Файлы функций tvk (*.tvk)"} << true;
    QTest::newRow("function open")
        << "OpenDialog" << QStringList{"Файлы функций (*.tvk)", "Все файлы (*.*)"} << false;
    QTest::newRow("picture") << "SavePictureDialog"
                             << QStringList{"Рисунок BMP (*.bmp)", "Рисунок PNG (*.png)",
                                            "Рисунок SVG (*.svg)", "Рисунок PDF (*.pdf)"}
                             << true;
    QTest::newRow("log") << "SaveDialog1"
                         << QStringList{"Текстовые документы (*.txt)", "Все файлы (*.*)"} << true;
}

void StartupTest::dialogFilters() {
    QFETCH(QString, name);
    QFETCH(QStringList, filters);
    QFETCH(bool, save);
    GeneralForm form;
    auto* dialog = form.findChild<QFileDialog*>(name);
    QVERIFY(dialog);
    QCOMPARE(dialog->nameFilters(), filters);
    QCOMPARE(dialog->acceptMode(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
}

void StartupTest::errorReportFullStop_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "File not found"
                            << "File not found.";
    QTest::newRow("digit") << "Error 12"
                           << "Error 12.";
    QTest::newRow("cyrillic") << "Файл не найден"
                              << "Файл не найден.";
    QTest::newRow("full stop") << "Invalid numeric input."
                               << "Invalid numeric input.";
    QTest::newRow("bracket below the point") << "(a)"
                                             << "(a)";
    QTest::newRow("exclamation") << "Stop!"
                                 << "Stop!";
    QTest::newRow("slash after the point") << "a/"
                                           << "a/.";
    QTest::newRow("empty") << ""
                           << "";
}

void StartupTest::errorReportFullStop() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    GeneralForm form;
    std::vector<ShownMessage> seen;
    form.messageHook = [&seen](QMessageBox& box) {
        seen.push_back({box.icon(), box.windowTitle(), box.text(), box.standardButtons()});
    };
    form.GeneralErrorReport(text);
    QCOMPARE(seen.size(), size_t(1));
    QCOMPARE(seen[0].text, shown);
    QCOMPARE(seen[0].caption, QStringLiteral("Tarvik"));
    QCOMPARE(seen[0].icon, QMessageBox::Critical);
    QCOMPARE(seen[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void StartupTest::informationBox() {
    GeneralForm form;
    std::vector<ShownMessage> seen;
    form.messageHook = [&seen](QMessageBox& box) {
        seen.push_back({box.icon(), box.windowTitle(), box.text(), box.standardButtons()});
    };
    form.InformationBox(QStringLiteral("Ошибка переполнения"));
    QCOMPARE(seen.size(), size_t(1));
    QCOMPARE(seen[0].text, QStringLiteral("Ошибка переполнения"));
    QCOMPARE(seen[0].caption, QStringLiteral("Information"));
    QCOMPARE(seen[0].icon, QMessageBox::Information);
    QCOMPARE(seen[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void StartupTest::firstShowing() {
    WindowFixture w;
    QVERIFY(w->isMaximized());
    QVERIFY(w.ui.AboutBoxForm);
    QVERIFY(!w.ui.AboutBoxForm->isVisible());
    const QString example = w.ui.txtFunctionText->currentText();
    QVERIFY2(w->exampleExpressions().contains(example), qPrintable(example));
    // The log holds the first layout's run only; the title names the example.
    QCOMPARE(w.ui.ScenarioLines(),
             QStringList({QString(65, QLatin1Char('*')), example, "График построен"}));
    QCOMPARE(w->windowTitle(), QStringLiteral("Tarvik 1.0  \"%1\"").arg(example));
    QVERIFY(w->windowTitle().indexOf("Tarvik") == w->windowTitle().lastIndexOf("Tarvik"));
    QCOMPARE(w.ui.txtResult->text(), QStringLiteral("График построен"));
    QVERIFY(w.ui.btnStart->isEnabled());
    QCOMPARE(w.ui.txtC->text(), QStringLiteral("1"));
    // The picture has the layout's size, and the view is centred on it.
    QCOMPARE(w.ui.Image->canvas().Width(), w.ui.Image->width());
    QCOMPARE(w.ui.Image->canvas().Height(), w.ui.Image->height());
    QCOMPARE(w.ui.Image->width(), w->width() - 327);
    QCOMPARE(w.ui.Image->height(), w->height() - 145);
    const ExtendedReal originX = -w.ui.Image->width() * 0.05L / 2;
    QCOMPARE(w.ui.txtX->text(), QString::fromStdString(RealDisplayText(originX, 5)));
    QCOMPARE(w.ui.txtFunctionText->count(), 1);
    QVERIFY(w.messages.empty());
}

// Neither the start-up (the language read from a name, the window built and run) nor a plot
// leaves a mapping that is writable and executable.
void StartupTest::noWritableExecutableMemory() {
    QVERIFY(ProcessMapsReadable());
    QCOMPARE(LanguageFor({QStringLiteral("en_GB.UTF-8")}, QString()), Language::English);
    const auto noneMapped = [] {
        const std::vector<std::string> found = WritableExecutableMappings();
        QVERIFY2(found.empty(), found.empty() ? "" : found.front().c_str());
    };
    WindowFixture w;
    noneMapped();
    w.Run(QStringLiteral("sin(10/x)*x"));
    w.Settle();
    QCOMPARE(w.ui.txtResult->text(), QStringLiteral("График построен"));
    noneMapped();
}

void StartupTest::twoStartsCanDiffer() {
    std::set<QString> seen;
    for (int i = 0; i < 25 && seen.size() < 2; ++i) {
        WindowFixture w;
        seen.insert(w.ui.txtFunctionText->currentText());
    }
    QVERIFY(seen.size() >= 2);
}

std::unique_ptr<QObject> MakeStartupTest() {
    return std::make_unique<StartupTest>();
}

#include "startup_test.moc"
