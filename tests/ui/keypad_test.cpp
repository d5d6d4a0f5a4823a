// Expression entry: the keypad's 33 buttons, insertion at the caret or over the selection
// whatever has the focus, the run button's enabling, and Ctrl+X cutting in text fields while
// closing the program elsewhere.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QSignalBlocker>
#include <QToolButton>

#include "test_classes.h"
#include "window_fixture.h"

namespace {

// Sets the expression text as the program does when it loads a file or lays the window out:
// the whole text at once, without the box's change signal.
void SetAsProgram(WindowFixture& w, const QString& text) {
    const QSignalBlocker blocker(w.ui.txtFunctionText);
    w.ui.txtFunctionText->setEditText(text);
}

}  // namespace

class KeypadTest : public QObject {
    Q_OBJECT

  private slots:
    void keys_data();
    void keys();
    void insertion_data();
    void insertion();
    void focusStaysInParameterField();
    void runButtonEnabling();
    void programTextChangesNothing();
    void rowChoiceEnables();
    void ctrlX_data();
    void ctrlX();
};

void KeypadTest::keys_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("inserts");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("size");
    const QColor black(Qt::black), red(Qt::red), blue(Qt::blue), green(0, 0x80, 0),
        navy(0, 0, 0x80);
    auto row = [](const char* name, int left, int top, int width, const char* text,
                  const char* hint, QColor colour, int size) {
        QTest::newRow(name) << QString::fromLatin1(name) << QRect(left, top, width, 25)
                            << QString::fromUtf8(text) << QString::fromUtf8(hint) << colour << size;
    };
    row("btn7", 8, 16, 25, "7", "", black, 21);
    row("btn8", 32, 16, 25, "8", "", black, 21);
    row("btn9", 56, 16, 25, "9", "", black, 21);
    row("btnX", 80, 16, 41, "x", "Переменная X", red, 13);
    row("btnPlus", 136, 16, 33, "+", "Операция сложения", blue, 21);
    row("btnMinus", 168, 16, 33, "-", "Операция вычитания", blue, 21);
    row("btn4", 8, 40, 25, "4", "", black, 21);
    row("btn5", 32, 40, 25, "5", "", black, 21);
    row("btn6", 56, 40, 25, "6", "", black, 21);
    row("btnA", 80, 40, 41, "a", "Результат последнего вычисления", red, 16);
    row("btnUmnog", 136, 40, 33, "*", "Умножение", blue, 21);
    row("btnDelenie", 168, 40, 33, "/", "Деление", blue, 21);
    row("btn1", 8, 64, 25, "1", "", black, 21);
    row("btn2", 32, 64, 25, "2", "", black, 21);
    row("btn3", 56, 64, 25, "3", "", black, 21);
    row("btnN", 80, 64, 41, "n", "Натуральный индекс последовательности", red, 16);
    row("btnStepen", 136, 64, 33, "^", "Возведение в степень", blue, 21);
    row("btnKoren", 168, 64, 33, "sqrt", "Функция извлечения корня", blue, 21);
    row("btn0", 8, 88, 49, "0", "", black, 21);
    row("btnTchk", 56, 88, 25, ".", "", black, 21);
    row("btnC", 80, 88, 41, "c", "Константа", red, 16);
    row("btnLn", 136, 88, 33, "ln", "Натуральный логарифм", blue, 21);
    row("btnExp", 168, 88, 33, "exp", "Экспонента", blue, 21);
    row("btnSin", 8, 120, 57, "sin", "Синус угла в радианах", green, 21);
    row("btnCos", 64, 120, 57, "cos", "Косинус угла в радианах", green, 21);
    row("SpeedButton3", 136, 120, 33, "(", "Открыть скобку", black, 21);
    row("SpeedButton4", 168, 120, 33, ")", "Закрыть скобку", black, 21);
    row("btnTg", 8, 144, 57, "tg", "Тангенс угла в радианах", green, 21);
    row("btnCtg", 64, 144, 57, "ctg", "Котангенс угла в радианах", green, 21);
    row("SpeedButton1", 136, 144, 65, "p", "Число пи (3.1415...)", navy, 21);
    row("btnAbs", 8, 168, 57, "abs", "Модуль числа", green, 21);
    row("btnFact", 64, 168, 57, "fact", "Факториал (только для натуральных чисел)", green, 21);
    row("SpeedButton2", 136, 168, 65, "e", "Число e (2.71828...)", navy, 21);
}

void KeypadTest::keys() {
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(QString, inserts);
    QFETCH(QString, hint);
    QFETCH(QColor, colour);
    QFETCH(int, size);
    WindowFixture w;
    auto* key = w.ui.grpStatic->findChild<QToolButton*>(name);
    QVERIFY(key);
    QCOMPARE(key->geometry(), place);
    QCOMPARE(key->text(), inserts);
    QCOMPARE(key->toolTip(), hint);
    QCOMPARE(key->palette().color(QPalette::ButtonText), colour);
    QCOMPARE(key->font().pixelSize(), size);
    QVERIFY(key->font().bold());
    QCOMPARE(key->focusPolicy(), Qt::NoFocus);
    // Into an emptied box, from the keypad page.
    w.ui.pgPages->setCurrentIndex(0);
    w.TypeInto(w.ui.txtFunctionText->lineEdit(), "");
    QVERIFY(!w.ui.btnStart->isEnabled());
    QTest::mouseClick(key, Qt::LeftButton);
    QCOMPARE(w.ui.txtFunctionText->currentText(), inserts);
    QVERIFY(w.ui.btnStart->isEnabled());
}

void KeypadTest::insertion_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");  // -1: no selection, the caret at selLength
    QTest::addColumn<int>("selLength");
    QTest::addColumn<bool>("focusElsewhere");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("caret");
    QTest::newRow("over the whole text") << "x" << 0 << 1 << false << "btnSin"
                                         << "sin" << 3;
    QTest::newRow("bracket at the caret") << "sinx" << -1 << 3 << false << "SpeedButton3"
                                          << "sin(x" << 4;
    QTest::newRow("at the end") << "sinx" << -1 << 4 << false << "btnPlus"
                                << "sinx+" << 5;
    QTest::newRow("at the start") << "x" << -1 << 0 << false << "btnKoren"
                                  << "sqrtx" << 4;
    QTest::newRow("caret kept while away") << "sinx" << -1 << 3 << true << "SpeedButton3"
                                           << "sin(x" << 4;
    QTest::newRow("selection kept while away") << "sinx" << 3 << 1 << true << "btnCos"
                                               << "sincos" << 6;
}

void KeypadTest::insertion() {
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(bool, focusElsewhere);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QFETCH(int, caret);
    WindowFixture w;
    QLineEdit* edit = w.ui.txtFunctionText->lineEdit();
    w.TypeInto(edit, text);
    if (selStart < 0) {
        edit->setCursorPosition(selLength);
    } else {
        edit->setSelection(selStart, selLength);
    }
    w.ui.pgPages->setCurrentIndex(0);
    if (focusElsewhere) w.ClickFocus(w.ui.txtXm);
    QWidget* focus = QApplication::focusWidget();
    QTest::mouseClick(w.ui.grpStatic->findChild<QToolButton*>(key), Qt::LeftButton);
    QCOMPARE(w.ui.txtFunctionText->currentText(), expected);
    QCOMPARE(edit->cursorPosition(), caret);
    QVERIFY(!edit->hasSelectedText());
    QCOMPARE(QApplication::focusWidget(), focus);
}

void KeypadTest::focusStaysInParameterField() {
    WindowFixture w;
    w.TypeInto(w.ui.txtFunctionText->lineEdit(), "sinx");
    w.ui.pgPages->setCurrentIndex(0);
    w.TypeInto(w.ui.txtXm, "0.0");
    QTest::mouseClick(w.ui.grpStatic->findChild<QToolButton*>("btnKoren"), Qt::LeftButton);
    QCOMPARE(w.ui.txtFunctionText->currentText(), QStringLiteral("sinxsqrt"));
    QTest::keyClicks(QApplication::focusWidget(), "2");
    QCOMPARE(w.ui.txtXm->text(), QStringLiteral("0.02"));
    QCOMPARE(w.ui.txtFunctionText->currentText(), QStringLiteral("sinxsqrt"));
}

void KeypadTest::runButtonEnabling() {
    WindowFixture w;
    QLineEdit* edit = w.ui.txtFunctionText->lineEdit();
    QVERIFY(w.ui.btnStart->isEnabled());
    w.ClickFocus(edit);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QVERIFY(!w.ui.btnStart->isEnabled());
    QTest::keyClick(edit, Qt::Key_Space);  // blanks only still count as text
    QVERIFY(w.ui.btnStart->isEnabled());
    QTest::keyClick(edit, Qt::Key_Backspace);
    QVERIFY(!w.ui.btnStart->isEnabled());
    // Enter in the empty box still runs: the history gains the empty text.
    const int items = w.ui.txtFunctionText->count();
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(w.ui.txtFunctionText->count(), items + 1);
    // A change of the result field refreshes the button too.
    QTest::keyClicks(edit, "x");
    edit->clear();
    QVERIFY(!w.ui.btnStart->isEnabled());
    SetAsProgram(w, "x");
    QVERIFY(!w.ui.btnStart->isEnabled());
    w.ui.txtResult->setText("changed");
    QVERIFY(w.ui.btnStart->isEnabled());
}

void KeypadTest::programTextChangesNothing() {
    WindowFixture w;
    w.TypeInto(w.ui.txtFunctionText->lineEdit(), "");
    QVERIFY(!w.ui.btnStart->isEnabled());
    SetAsProgram(w, "sinx");
    QVERIFY(!w.ui.btnStart->isEnabled());
    QCOMPARE(w.ui.txtFunctionText->currentText(), QStringLiteral("sinx"));
    // Setting the result field to the text it holds is no change.
    SetAsProgram(w, "");
    w.ui.txtResult->setText("a");
    SetAsProgram(w, "x");
    w.ui.txtResult->setText("a");
    QVERIFY(!w.ui.btnStart->isEnabled());
}

void KeypadTest::rowChoiceEnables() {
    WindowFixture w;
    w.Run("x^2");
    w.TypeInto(w.ui.txtFunctionText->lineEdit(), "");
    QVERIFY(!w.ui.btnStart->isEnabled());
    // Choosing a row with the keyboard (Alt+Down opens the list, Enter chooses).
    QComboBox* box = w.ui.txtFunctionText;
    box->showPopup();
    QAbstractItemView* list = box->view();
    QTRY_VERIFY(list->isVisible());
    list->setCurrentIndex(box->model()->index(box->count() - 1, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_COMPARE(box->currentText(), QStringLiteral("x^2"));
    QVERIFY(w.ui.btnStart->isEnabled());
}

void KeypadTest::ctrlX_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QString>("remaining");  // text left in the field after the key
    QTest::newRow("expression box cuts") << "txtFunctionText" << false << "";
    QTest::newRow("parameter field cuts") << "txtXm" << false << "";
    QTest::newRow("read-only result keeps") << "txtResult" << false << "График построен";
    QTest::newRow("check box exits") << "cbxKill" << true << "";
    QTest::newRow("Ctrl+Q in the expression box quits") << "txtFunctionText" << true << "sinx";
    QTest::newRow("Ctrl+Q in a field quits") << "txtXm" << true << "0.05";
}

void KeypadTest::ctrlX() {
    QFETCH(QString, target);
    QFETCH(bool, closes);
    QFETCH(QString, remaining);
    WindowFixture w;
    QWidget* widget = target == "txtFunctionText" ? static_cast<QWidget*>(w.ui.txtFunctionText)
                                                  : w->findChild<QWidget*>(target);
    widget->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), widget);
    auto* edit = widget == w.ui.txtFunctionText ? w.ui.txtFunctionText->lineEdit()
                                                : qobject_cast<QLineEdit*>(widget);
    if (edit == w.ui.txtFunctionText->lineEdit()) edit->setText(QStringLiteral("sinx"));
    QString selected;
    if (edit) {
        edit->selectAll();
        selected = edit->selectedText();
    }
    const bool quitKey = QString::fromLatin1(QTest::currentDataTag()).startsWith("Ctrl+Q");
    QTest::keyClick(widget, quitKey ? Qt::Key_Q : Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(w->isVisible(), !closes);
    if (edit) {
        QCOMPARE(edit->text(), remaining);
        if (!edit->isReadOnly() && !quitKey) {
            QCOMPARE(QGuiApplication::clipboard()->text(), selected);
        }
    }
}

std::unique_ptr<QObject> MakeKeypadTest() {
    return std::make_unique<KeypadTest>();
}

#include "keypad_test.moc"
