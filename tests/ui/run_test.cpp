// The run command: history, log lines, caption, result field, the value outcome becoming the
// new a0, errors, the empty expression, and the keys that start a run.
#include <QCheckBox>
#include <QComboBox>
#include <QToolButton>

#include "test_classes.h"
#include "ui/picture_widget.h"
#include "window_fixture.h"

namespace {

const QString kSeparator(65, QLatin1Char('*'));

}  // namespace

class RunTest : public QObject {
    Q_OBJECT

  private slots:
    void outcome_data();
    void outcome();
    void recurrenceContinues();
    void historyInFirstRunOrder();
    void failedBuildKeepsCaptionAndPicture();
    void emptyExpression();
    void enterKeys_data();
    void enterKeys();
    void overflowIsReported();
};

void RunTest::outcome_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("outcome");  // last log line and result text
    QTest::addColumn<bool>("captioned");   // the build succeeded
    QTest::addColumn<QString>("a0");       // txtA0 afterwards
    QTest::newRow("graph") << "sinx"
                           << "График построен" << true << "1";
    QTest::newRow("value") << "2+2"
                           << "4" << true << "4";
    QTest::newRow("pi") << "p"
                        << "3.1415926536" << true << "3.1415926536";
    QTest::newRow("evaluation error")
        << "ln(0)"
        << "ОШИБКА: Натуральный логарифм от неположительного числа" << true << "1";
    QTest::newRow("brackets") << "(sinx"
                              << "ОШИБКА: Скобки поставлены некорректно" << false << "1";
    QTest::newRow("division") << "1/0"
                              << "ОШИБКА: Деление на ноль" << true << "1";
}

void RunTest::outcome() {
    QFETCH(QString, expression);
    QFETCH(QString, outcome);
    QFETCH(bool, captioned);
    QFETCH(QString, a0);
    WindowFixture w;
    const QString before = w->windowTitle();
    w.Run(expression);
    const QStringList lines = w.ui.ScenarioLines();
    QCOMPARE(lines.mid(3), QStringList({kSeparator, expression, outcome}));
    QCOMPARE(w.ui.txtResult->text(), outcome);
    QCOMPARE(w.ui.txtResult->toolTip(), "Результат обработки выражения " + expression);
    QCOMPARE(w->windowTitle(),
             captioned ? QStringLiteral("Tarvik 1.0  \"%1\"").arg(expression) : before);
    QCOMPARE(w.ui.txtA0->text(), a0);
    QVERIFY(w.messages.empty());
}

void RunTest::recurrenceContinues() {
    WindowFixture w;
    for (const char* expected : {"2", "3", "4"}) {
        w.Run("a+1");
        QCOMPARE(w.ui.txtResult->text(), QString::fromLatin1(expected));
        QCOMPARE(w.ui.txtA0->text(), QString::fromLatin1(expected));
        QCOMPARE(w.ui.ScenarioLines().last(), QString::fromLatin1(expected));
    }
    QCOMPARE(w->engine().ValueA, 4.0L);
    // A graph run leaves a0 alone.
    w.Run("x+a");
    QCOMPARE(w.ui.txtA0->text(), QStringLiteral("4"));
}

void RunTest::historyInFirstRunOrder() {
    WindowFixture w;
    const QString example = w.ui.txtFunctionText->itemText(0);
    for (const char* expression : {"sinx", "x^2", "sinx", "Sinx", " sinx", "x^2"}) {
        w.Run(QString::fromLatin1(expression));
    }
    QStringList items;
    for (int i = 0; i < w.ui.txtFunctionText->count(); ++i)
        items << w.ui.txtFunctionText->itemText(i);
    QStringList expected = {example};
    for (const char* e : {"sinx", "x^2", "Sinx", " sinx"}) {
        if (!expected.contains(QString::fromLatin1(e))) expected << QString::fromLatin1(e);
    }
    QCOMPARE(items, expected);
    // The box keeps the text as typed, with the caret where it was.
    QCOMPARE(w.ui.txtFunctionText->currentText(), QStringLiteral("x^2"));
    QCOMPARE(w.ui.txtFunctionText->lineEdit()->cursorPosition(), 3);
}

void RunTest::failedBuildKeepsCaptionAndPicture() {
    WindowFixture w;
    w.Run("x^2");
    const QImage picture = w.Picture();
    w.Run("(x");
    QCOMPARE(w->windowTitle(), QStringLiteral("Tarvik 1.0  \"x^2\""));
    QCOMPARE(w.Picture(), picture);
    // The view commands then redraw what the failed build left: the background only.
    QTest::mouseClick(w.ui.btnMPlus, Qt::LeftButton);
    QVERIFY(w.Picture() != picture);
}

void RunTest::emptyExpression() {
    WindowFixture w;
    const int items = w.ui.txtFunctionText->count();
    w.ui.txtXm->setText("bad");
    w.Run("");
    QVERIFY(!w.ui.btnStart->isEnabled());
    QCOMPARE(w.ui.ScenarioLines().size(), 3);
    QCOMPARE(w.ui.txtFunctionText->count(), items + 1);
    QCOMPARE(w.ui.txtFunctionText->itemText(items), QString());
    QCOMPARE(w.ui.txtXm->text(), QStringLiteral("0.05"));  // the fields were read and written
    QTest::keyClick(w.ui.txtFunctionText, Qt::Key_Return);
    QCOMPARE(w.ui.txtFunctionText->count(), items + 1);
    QCOMPARE(w.ui.ScenarioLines().size(), 3);
}

void RunTest::enterKeys_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("runs");
    QTest::newRow("box return") << "txtFunctionText" << int(Qt::Key_Return) << 0 << true;
    QTest::newRow("box keypad enter")
        << "txtFunctionText" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true;
    QTest::newRow("box shift return")
        << "txtFunctionText" << int(Qt::Key_Return) << int(Qt::ShiftModifier) << true;
    QTest::newRow("box other key") << "txtFunctionText" << int(Qt::Key_Home) << 0 << false;
    QTest::newRow("result return") << "txtResult" << int(Qt::Key_Return) << 0 << true;
    QTest::newRow("result other key") << "txtResult" << int(Qt::Key_A) << 0 << false;
    QTest::newRow("parameter return") << "txtXm" << int(Qt::Key_Return) << 0 << false;
    QTest::newRow("bound return") << "txtN0" << int(Qt::Key_Enter) << 0 << false;
}

void RunTest::enterKeys() {
    QFETCH(QString, target);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, runs);
    WindowFixture w;
    QWidget* widget = target == "txtFunctionText" ? static_cast<QWidget*>(w.ui.txtFunctionText)
                                                  : w.Field(qPrintable(target));
    w.ClickFocus(widget);
    const QString result = w.ui.txtResult->text();
    QTest::keyClick(widget, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    w.Settle();
    QCOMPARE(w.ui.ScenarioLines().size(), runs ? 6 : 3);
    QCOMPARE(w.ui.txtResult->text(), result);
}

void RunTest::overflowIsReported() {
    WindowFixture w;
    // The lower bound of the argument lies so far right of an origin this far left that its
    // column is beyond the range of numbers: the drawing has nothing to compute with.
    w.ui.cbxBorderX->click();
    w.SetParameter(w.ui.txtXk, "1.1e4930");
    w.SetParameter(w.ui.txtX0, "1e4930");
    w.SetParameter(w.ui.txtXm, "0.00001");
    w.SetParameter(w.ui.txtX, "-1e4930");
    w.Run("x");
    QCOMPARE(w.messages.size(), size_t(1));
    QCOMPARE(w.messages[0].text, QStringLiteral("Ошибка переполнения"));
    QCOMPARE(w.messages[0].icon, QMessageBox::Information);
    // What the run did before stays: the history and the lines logged before the plotting.
    QCOMPARE(w.ui.ScenarioLines().mid(3), QStringList({kSeparator, "x"}));
    QCOMPARE(w.ui.txtFunctionText->itemText(w.ui.txtFunctionText->count() - 1),
             QStringLiteral("x"));
}

std::unique_ptr<QObject> MakeRunTest() {
    return std::make_unique<RunTest>();
}

#include "run_test.moc"
