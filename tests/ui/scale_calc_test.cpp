// The five scale buttons (fields show the new values, the picture is redrawn or not) and the
// calculations of the "Функция" page (results, tooltips, refusals and focus, Enter keys).
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QToolButton>

#include "engine/number_text.h"
#include "test_classes.h"
#include "ui/picture_widget.h"
#include "window_fixture.h"

class ScaleCalcTest : public QObject {
    Q_OBJECT

  private slots:
    void scaleButtons_data();
    void scaleButtons();
    void zoomInBelowTheBound();
    void centreOnThePicture();
    void lastRunIsDrawn();
    void calculation_data();
    void calculation();
    void refusal_data();
    void refusal();
    void enterClicksItsButton_data();
    void enterClicksItsButton();
    void sequenceValueKeepsA0();
    void typedExpressionIsNotUsed();
};

void ScaleCalcTest::scaleButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("sx");  // state before: pixel sizes and origin (field texts)
    QTest::addColumn<QString>("sy");
    QTest::addColumn<QString>("ox");
    QTest::addColumn<QString>("oy");
    QTest::addColumn<QStringList>("after");  // txtX, txtY, txtXm, txtYm
    QTest::addColumn<bool>("redrawn");
    QTest::newRow("zoom in") << "btnMPlus"
                             << "0.05"
                             << "0.05"
                             << "-10"
                             << "6" << QStringList{"-5", "3", "0.025", "0.025"} << true;
    QTest::newRow("zoom out") << "btnMMinus"
                              << "0.05"
                              << "0.05"
                              << "-10"
                              << "6" << QStringList{"-20", "12", "0.1", "0.1"} << true;
    QTest::newRow("zoom out at the upper bound")
        << "btnMMinus"
        << "1"
        << "100000"
        << "-10"
        << "6" << QStringList{"-10", "6", "1", "100000"} << false;
    QTest::newRow("equal scales") << "btnOptim"
                                  << "0.01"
                                  << "0.03"
                                  << "-3"
                                  << "3" << QStringList{"-6", "2", "0.02", "0.02"} << true;
    QTest::newRow("default scale") << "btnDefault"
                                   << "0.1"
                                   << "0.1"
                                   << "-10"
                                   << "5" << QStringList{"-5", "2.5", "0.05", "0.05"} << true;
}

void ScaleCalcTest::scaleButtons() {
    QFETCH(QString, button);
    QFETCH(QString, sx);
    QFETCH(QString, sy);
    QFETCH(QString, ox);
    QFETCH(QString, oy);
    QFETCH(QStringList, after);
    QFETCH(bool, redrawn);
    WindowFixture w;
    w.ui.txtXm->setText(sx);
    w.ui.txtYm->setText(sy);
    w.ui.txtX->setText(ox);
    w.ui.txtY->setText(oy);
    w.Run("sinx");
    w.ui.cbxKill->setChecked(false);
    const QImage before = w.Picture();
    const int lines = w.ui.ScenarioLines().size();
    QTest::mouseClick(w->findChild<QToolButton*>(button), Qt::LeftButton);
    QCOMPARE(
        QStringList({w.ui.txtX->text(), w.ui.txtY->text(), w.ui.txtXm->text(), w.ui.txtYm->text()}),
        after);
    QCOMPARE(w.Picture() != before, redrawn);
    // The redraw clears the picture by itself: "Новый" stays as the user left it.
    QVERIFY(!w.ui.cbxKill->isChecked());
    QCOMPARE(w.ui.ScenarioLines().size(), lines);
}

void ScaleCalcTest::zoomInBelowTheBound() {
    WindowFixture w;
    // A line whose offset shows the change of the row scale.
    w.Run("x*10000+1");
    w.SetParameter(w.ui.txtXm, "0.000015");
    w.ui.btnHome->click();
    QImage before = w.Picture();
    w.ui.btnMPlus->click();
    QCOMPARE(w->view().PixelSizeX, 0.0000075L);
    QCOMPARE(w.ui.txtXm->text(), QStringLiteral("0.00001"));
    QVERIFY(w.Picture() != before);
    before = w.Picture();
    w.ui.txtXm->setText("typed");
    w.ui.btnMPlus->click();  // only clamps
    QCOMPARE(w->view().PixelSizeX, kMinPixelSize);
    QCOMPARE(w.ui.txtXm->text(), QStringLiteral("typed"));
    QCOMPARE(w.Picture(), before);
    w.ui.btnMPlus->click();  // nothing
    QCOMPARE(w->view().PixelSizeX, kMinPixelSize);
    QCOMPARE(w.Picture(), before);
}

void ScaleCalcTest::centreOnThePicture() {
    WindowFixture w;
    w.ui.txtX->setText("3");
    w.ui.txtY->setText("-4");
    w.ui.btnStart->click();
    QCOMPARE(w.ui.txtX->text(), QStringLiteral("3"));
    w.ui.btnHome->click();
    const ExtendedReal ox = -w.ui.Image->canvas().Width() * 0.05L / 2;
    const ExtendedReal oy = w.ui.Image->canvas().Height() * 0.05L / 2;
    QCOMPARE(w.ui.txtX->text(), QString::fromStdString(RealDisplayText(ox, 5)));
    QCOMPARE(w.ui.txtY->text(), QString::fromStdString(RealDisplayText(oy, 5)));
}

void ScaleCalcTest::lastRunIsDrawn() {
    WindowFixture w;
    w.Run("x");
    w.ui.btnHome->click();
    const QImage line = w.Picture();
    w.TypeInto(w.ui.txtFunctionText->lineEdit(), "0-x");
    w.ui.btnHome->click();
    QCOMPARE(w.Picture(), line);
    QCOMPARE(w->windowTitle(), QStringLiteral("Tarvik 1.0  \"x\""));
}

void ScaleCalcTest::calculation_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("first");   // txtXfunc / txtXProiz / txtX0int
    QTest::addColumn<QString>("second");  // txtXkint
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("hint");
    QTest::newRow("value at 1") << "sinx"
                                << "btnCalcFunc"
                                << "1"
                                << ""
                                << "0.8414709848"
                                << "Значение функции в точке 1";
    QTest::newRow("value at 0") << "sinx"
                                << "btnCalcFunc"
                                << "0"
                                << ""
                                << "0"
                                << "Значение функции в точке 0";
    QTest::newRow("argument as typed") << "sinx"
                                       << "btnCalcFunc"
                                       << " 2"
                                       << ""
                                       << "0.9092974268"
                                       << "Значение функции в точке  2";
    QTest::newRow("negative zero") << "x"
                                   << "btnCalcFunc"
                                   << "-0.00000000001"
                                   << ""
                                   << "-0"
                                   << "Значение функции в точке -0.00000000001";
    QTest::newRow("value error") << "ln(x)"
                                 << "btnCalcFunc"
                                 << "0"
                                 << ""
                                 << "ОШИБКА: Натуральный логарифм от неположительного числа"
                                 << "ОШИБКА: Натуральный логарифм от неположительного числа";
    QTest::newRow("derivative at 0") << "sinx"
                                     << "btnCalcProiz"
                                     << "0"
                                     << ""
                                     << "1"
                                     << "Значение производной функции в точке 0";
    QTest::newRow("derivative at 1") << "sinx"
                                     << "btnCalcProiz"
                                     << "1"
                                     << ""
                                     << "0.5403023059"
                                     << "Значение производной функции в точке 1";
    QTest::newRow("integral sinx") << "sinx"
                                   << "btnCalcInt"
                                   << "0"
                                   << "1"
                                   << "0.4597"
                                   << "";
    QTest::newRow("integral constant") << "1"
                                       << "btnCalcInt"
                                       << "0"
                                       << "1"
                                       << "1"
                                       << "";
    QTest::newRow("integral x") << "x"
                                << "btnCalcInt"
                                << "0"
                                << "1"
                                << "0.5"
                                << "";
    QTest::newRow("integral x to 10") << "x"
                                      << "btnCalcInt"
                                      << "0"
                                      << "10"
                                      << "50.0015"
                                      << "";
    QTest::newRow("integral reversed") << "x"
                                       << "btnCalcInt"
                                       << "1"
                                       << "0"
                                       << "0.5"
                                       << "";
    QTest::newRow("integral negative zero") << "0-x"
                                            << "btnCalcInt"
                                            << "0"
                                            << "0.001"
                                            << "-0"
                                            << "";
    QTest::newRow("integral equal limits") << "ln(x-5)"
                                           << "btnCalcInt"
                                           << "2"
                                           << "2.0"
                                           << "0"
                                           << "";
}

void ScaleCalcTest::calculation() {
    QFETCH(QString, expression);
    QFETCH(QString, button);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, result);
    QFETCH(QString, hint);
    WindowFixture w;
    w.Run(expression);
    w.ui.pgPages->setCurrentIndex(2);
    QLineEdit* firstField = button == "btnCalcFunc"    ? w.ui.txtXfunc
                            : button == "btnCalcProiz" ? w.ui.txtXProiz
                                                       : w.ui.txtX0int;
    w.TypeInto(firstField, first);
    if (button == "btnCalcInt") w.TypeInto(w.ui.txtXkint, second);
    const QString a0 = w.ui.txtA0->text();
    QTest::mouseClick(w->findChild<QToolButton*>(button), Qt::LeftButton);
    w.Settle();
    QCOMPARE(w.ui.txtFuncResult->text(), result);
    if (hint.isEmpty()) {
        QVERIFY(w.ui.txtFuncResult->toolTip().startsWith("Значение определенного интеграла "));
    } else {
        QCOMPARE(w.ui.txtFuncResult->toolTip(), hint);
    }
    QVERIFY(w.messages.empty());
    QCOMPARE(w.ui.txtA0->text(), a0);
    QCOMPARE(w.ui.ScenarioLines().size(), 6);  // the calculations log nothing
}

void ScaleCalcTest::refusal_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    const QString argument = "Введите правильное значение аргумента";
    const QString limit = "Введите правильное значение предела интегрирования";
    QTest::newRow("value comma") << "sinx"
                                 << "btnCalcFunc"
                                 << "1,5"
                                 << "" << argument << "txtXfunc";
    QTest::newRow("value empty") << "sinx"
                                 << "btnCalcFunc"
                                 << ""
                                 << "" << argument << "txtXfunc";
    QTest::newRow("derivative text") << "sinx"
                                     << "btnCalcProiz"
                                     << "a"
                                     << "" << argument << "txtXProiz";
    QTest::newRow("lower limit first") << "x"
                                       << "btnCalcInt"
                                       << "z"
                                       << "" << limit << "txtX0int";
    QTest::newRow("upper limit") << "x"
                                 << "btnCalcInt"
                                 << "0"
                                 << "1,0" << limit << "txtXkint";
    QTest::newRow("sequence before limits") << "a+n"
                                            << "btnCalcInt"
                                            << ""
                                            << ""
                                            << "Невозможно интегрировать последовательности"
                                            << "txtFunctionText";
}

void ScaleCalcTest::refusal() {
    QFETCH(QString, expression);
    QFETCH(QString, button);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    WindowFixture w;
    w.Run(expression);
    w.ui.pgPages->setCurrentIndex(2);
    w.ui.txtFuncResult->setText("kept");
    QLineEdit* firstField = button == "btnCalcFunc"    ? w.ui.txtXfunc
                            : button == "btnCalcProiz" ? w.ui.txtXProiz
                                                       : w.ui.txtX0int;
    firstField->setText(first);
    w.ui.txtXkint->setText(second);
    w.ClickFocus(w.ui.txtFunctionText->lineEdit());
    QTest::mouseClick(w->findChild<QToolButton*>(button), Qt::LeftButton);
    QCOMPARE(w.messages.size(), size_t(1));
    QCOMPARE(w.messages[0].text, message);
    QCOMPARE(w.messages[0].caption, QStringLiteral("Information"));
    QCOMPARE(w.messages[0].icon, QMessageBox::Information);
    QCOMPARE(w.ui.txtFuncResult->text(), QStringLiteral("kept"));
    QWidget* expected = focus == "txtFunctionText" ? static_cast<QWidget*>(w.ui.txtFunctionText)
                                                   : w.Field(qPrintable(focus));
    QCOMPARE(QApplication::focusWidget(), expected);
}

void ScaleCalcTest::enterClicksItsButton_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("result");
    QTest::newRow("value") << "txtXfunc"
                           << "0.8414709848";
    QTest::newRow("derivative") << "txtXProiz"
                                << "0.5403023059";
    QTest::newRow("integral lower") << "txtX0int"
                                    << "0.4597";
    QTest::newRow("integral upper") << "txtXkint"
                                    << "0.4597";
}

void ScaleCalcTest::enterClicksItsButton() {
    QFETCH(QString, field);
    QFETCH(QString, result);
    WindowFixture w;
    w.Run("sinx");
    w.ui.pgPages->setCurrentIndex(2);
    w.ui.txtXfunc->setText("1");
    w.ui.txtXProiz->setText("1");
    QLineEdit* edit = w.Field(qPrintable(field));
    w.ClickFocus(edit);
    QTest::keyClick(edit, Qt::Key_Return, Qt::ControlModifier);
    w.Settle();
    QCOMPARE(w.ui.txtFuncResult->text(), result);
    QCOMPARE(QApplication::focusWidget(), edit);
}

void ScaleCalcTest::sequenceValueKeepsA0() {
    WindowFixture w;
    w.Run("a+n*x");
    w.ui.txtXfunc->setText("1");
    w.ui.btnCalcFunc->click();
    QCOMPARE(w.ui.txtFuncResult->text(), QStringLiteral("5051"));
    w.ui.txtXfunc->setText("2");
    w.ui.btnCalcFunc->click();
    QCOMPARE(w.ui.txtFuncResult->text(), QStringLiteral("10101"));
    QCOMPARE(w.ui.txtA0->text(), QStringLiteral("1"));
    QCOMPARE(w->engine().ValueA, 1.0L);
}

void ScaleCalcTest::typedExpressionIsNotUsed() {
    WindowFixture w;
    w.Run("sinx");
    w.TypeInto(w.ui.txtFunctionText, "x*100");
    // The page says which expression it computes with.
    QCOMPARE(w->findChild<QLabel*>("lblFuncExpression")->text(), QStringLiteral("f(x) = sinx"));
    w.ui.txtXfunc->setText("1");
    w.ui.txtXProiz->setText("1");
    w.ui.btnCalcFunc->click();
    QCOMPARE(w.ui.txtFuncResult->text(), QStringLiteral("0.8414709848"));
    w.ui.btnCalcProiz->click();
    QCOMPARE(w.ui.txtFuncResult->text(), QStringLiteral("0.5403023059"));
    w.ui.btnCalcInt->click();
    w.Settle();
    QCOMPARE(w.ui.txtFuncResult->text(), QStringLiteral("0.4597"));
}

std::unique_ptr<QObject> MakeScaleCalcTest() {
    return std::make_unique<ScaleCalcTest>();
}

#include "scale_calc_test.moc"
