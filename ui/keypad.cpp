// The expression keypad: 33 flat buttons built from one table, each inserting its text into
// the expression box at its caret or over its selection, whatever control has the focus.
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QToolButton>

#include "ui/general_form.h"
#include "ui/widget_factory.h"

namespace {

enum class Face { Digit, Operator, Variable, Function, Bracket, Constant, VariableX };

struct KeyRow {
    const char* name;
    int left, top, width;
    const char* text;
    const char* hint;
    Face face;
};

// Font size 21 except the variables (16) and "x" (13, the window's sans face).
constexpr KeyRow kKeys[] = {
    {"btn7", 8, 16, 25, "7", "", Face::Digit},
    {"btn8", 32, 16, 25, "8", "", Face::Digit},
    {"btn9", 56, 16, 25, "9", "", Face::Digit},
    {"btnX", 80, 16, 41, "x", QT_TRANSLATE_NOOP("Keypad", "Переменная X"), Face::VariableX},
    {"btnPlus", 136, 16, 33, "+", QT_TRANSLATE_NOOP("Keypad", "Операция сложения"), Face::Operator},
    {"btnMinus", 168, 16, 33, "-", QT_TRANSLATE_NOOP("Keypad", "Операция вычитания"),
     Face::Operator},
    {"btn4", 8, 40, 25, "4", "", Face::Digit},
    {"btn5", 32, 40, 25, "5", "", Face::Digit},
    {"btn6", 56, 40, 25, "6", "", Face::Digit},
    {"btnA", 80, 40, 41, "a", QT_TRANSLATE_NOOP("Keypad", "Результат последнего вычисления"),
     Face::Variable},
    {"btnUmnog", 136, 40, 33, "*", QT_TRANSLATE_NOOP("Keypad", "Умножение"), Face::Operator},
    {"btnDelenie", 168, 40, 33, "/", QT_TRANSLATE_NOOP("Keypad", "Деление"), Face::Operator},
    {"btn1", 8, 64, 25, "1", "", Face::Digit},
    {"btn2", 32, 64, 25, "2", "", Face::Digit},
    {"btn3", 56, 64, 25, "3", "", Face::Digit},
    {"btnN", 80, 64, 41, "n", QT_TRANSLATE_NOOP("Keypad", "Натуральный индекс последовательности"),
     Face::Variable},
    {"btnStepen", 136, 64, 33, "^", QT_TRANSLATE_NOOP("Keypad", "Возведение в степень"),
     Face::Operator},
    {"btnKoren", 168, 64, 33, "sqrt", QT_TRANSLATE_NOOP("Keypad", "Функция извлечения корня"),
     Face::Operator},
    {"btn0", 8, 88, 49, "0", "", Face::Digit},
    {"btnTchk", 56, 88, 25, ".", "", Face::Digit},
    {"btnC", 80, 88, 41, "c", QT_TRANSLATE_NOOP("Keypad", "Константа"), Face::Variable},
    {"btnLn", 136, 88, 33, "ln", QT_TRANSLATE_NOOP("Keypad", "Натуральный логарифм"),
     Face::Operator},
    {"btnExp", 168, 88, 33, "exp", QT_TRANSLATE_NOOP("Keypad", "Экспонента"), Face::Operator},
    {"btnSin", 8, 120, 57, "sin", QT_TRANSLATE_NOOP("Keypad", "Синус угла в радианах"),
     Face::Function},
    {"btnCos", 64, 120, 57, "cos", QT_TRANSLATE_NOOP("Keypad", "Косинус угла в радианах"),
     Face::Function},
    {"SpeedButton3", 136, 120, 33, "(", QT_TRANSLATE_NOOP("Keypad", "Открыть скобку"),
     Face::Bracket},
    {"SpeedButton4", 168, 120, 33, ")", QT_TRANSLATE_NOOP("Keypad", "Закрыть скобку"),
     Face::Bracket},
    {"btnTg", 8, 144, 57, "tg", QT_TRANSLATE_NOOP("Keypad", "Тангенс угла в радианах"),
     Face::Function},
    {"btnCtg", 64, 144, 57, "ctg", QT_TRANSLATE_NOOP("Keypad", "Котангенс угла в радианах"),
     Face::Function},
    {"SpeedButton1", 136, 144, 65, "p", QT_TRANSLATE_NOOP("Keypad", "Число пи (3.1415...)"),
     Face::Constant},
    {"btnAbs", 8, 168, 57, "abs", QT_TRANSLATE_NOOP("Keypad", "Модуль числа"), Face::Function},
    {"btnFact", 64, 168, 57, "fact",
     QT_TRANSLATE_NOOP("Keypad", "Факториал (только для натуральных чисел)"), Face::Function},
    {"SpeedButton2", 136, 168, 65, "e", QT_TRANSLATE_NOOP("Keypad", "Число e (2.71828...)"),
     Face::Constant},
};
static_assert(std::size(kKeys) == 33);

QColor FaceColour(Face face) {
    switch (face) {
        case Face::Digit:
        case Face::Bracket:
            return Qt::black;
        case Face::Operator:
            return Qt::blue;
        case Face::Variable:
        case Face::VariableX:
            return Qt::red;
        case Face::Function:
            return QColor(0, 0x80, 0);
        case Face::Constant:
            return QColor(0, 0, 0x80);
    }
    return Qt::black;
}

QFont FaceFont(Face face) {
    if (face == Face::VariableX) return ui::BoldFont(ui::SansFont(13), 13);
    const int size = face == Face::Variable ? 16 : 21;
    return ui::BoldFont(ui::SerifFont(size), size);
}

}  // namespace

void GeneralForm::createKeypad(QWidget* parent) {
    for (const KeyRow& key : kKeys) {
        QToolButton* button =
            ui::MakeFlat(parent, key.name, {key.left, key.top, key.width, 25},
                         QCoreApplication::translate("Keypad", key.hint), QIcon(), 0);
        const QString text = QString::fromUtf8(key.text);
        button->setText(text);
        button->setFont(FaceFont(key.face));
        ui::SetButtonTextColour(button, FaceColour(key.face));
        connect(button, &QToolButton::clicked, this, [this, text] { InsertIntoExpression(text); });
    }
}

void GeneralForm::InsertIntoExpression(const QString& text) {
    QLineEdit* edit = txtFunctionText->lineEdit();
    // Qt drops a line edit's selection when it loses the focus; the box's selection and caret
    // were kept then and are put back before inserting.
    if (!edit->hasFocus() && savedCursor_ >= 0 && savedText_ == edit->text()) {
        if (savedSelectionLength_ > 0) {
            edit->setSelection(savedSelectionStart_, savedSelectionLength_);
        } else {
            edit->setCursorPosition(savedCursor_);
        }
    }
    edit->insert(text);
    if (!edit->hasFocus()) {
        savedText_ = edit->text();
        savedCursor_ = edit->cursorPosition();
        savedSelectionStart_ = -1;
        savedSelectionLength_ = 0;
    }
}
