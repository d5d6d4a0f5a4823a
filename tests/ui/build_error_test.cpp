// After a failed build the expression box selects the token where the reading or the building
// stopped; the error text stays as it is, and the keypad types over the selected token.
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

#include "test_classes.h"
#include "window_fixture.h"

class BuildErrorTest : public QObject {
    Q_OBJECT

  private slots:
    void selectsWhereTheBuildStopped_data();
    void selectsWhereTheBuildStopped();
    void keypadTypesOverTheStop();
    void completeBuildSelectsNothing();
};

void BuildErrorTest::selectsWhereTheBuildStopped_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("result");
    const QString incorrect = QStringLiteral("ОШИБКА: Выражение некорректно");
    const QString brackets = QStringLiteral("ОШИБКА: Скобки поставлены некорректно");
    QTest::newRow("unknown character") << "x+2#3" << 3 << "#" << incorrect;
    QTest::newRow("implicit product") << "2x" << 1 << "x" << incorrect;
    QTest::newRow("empty operand") << "sinx*" << 4 << "*" << incorrect;
    QTest::newRow("function after a number") << "2cosx" << 1 << "cos" << incorrect;
    QTest::newRow("bracket left open") << "sin(x" << 3 << "(" << brackets;
    QTest::newRow("bracket closed too often") << "x)*(2" << 1 << ")" << brackets;
    // Cyrillic letters are one character each, as the engine reads them.
    QTest::newRow("cyrillic") << QStringLiteral("x+жx") << 2 << QStringLiteral("ж") << incorrect;
    // A character outside the basic plane is two units of the box and one character read.
    QTest::newRow("outside the basic plane")
        << QStringLiteral("x*\U0001F600") << 2 << QStringLiteral("\U0001F600") << incorrect;
}

void BuildErrorTest::selectsWhereTheBuildStopped() {
    QFETCH(QString, expression);
    QFETCH(int, start);
    QFETCH(QString, selected);
    QFETCH(QString, result);
    WindowFixture w;
    QLineEdit* edit = w.ui.txtFunctionText->lineEdit();
    // The test's keyboard types Latin letters only: the text is pasted in, Enter runs it.
    w.ClickFocus(edit);
    w.ui.txtFunctionText->setEditText(expression);
    QTest::keyClick(w.ui.txtFunctionText, Qt::Key_Return);
    w.Settle();
    QCOMPARE(edit->text(), expression);
    QCOMPARE(edit->selectionStart(), start);
    QCOMPARE(edit->selectedText(), selected);
    QCOMPARE(w.ui.txtResult->text(), result);
    QCOMPARE(w.ui.ScenarioLines().last(), result);
}

// The run button leaves the focus where it was; the keypad then replaces the selected token.
void BuildErrorTest::keypadTypesOverTheStop() {
    WindowFixture w;
    w.TypeInto(w.ui.txtFunctionText->lineEdit(), QStringLiteral("x+2#3"));
    w.ClickFocus(w.ui.txtX);
    QTest::mouseClick(w.ui.btnStart, Qt::LeftButton);
    w.Settle();
    QCOMPARE(w.ui.txtResult->text(), QStringLiteral("ОШИБКА: Выражение некорректно"));
    w.ui.pgPages->setCurrentIndex(0);
    auto* times = w->findChild<QToolButton*>(QStringLiteral("btnUmnog"));
    QVERIFY(times);
    QTest::mouseClick(times, Qt::LeftButton);
    QCOMPARE(w.ui.txtFunctionText->currentText(), QStringLiteral("x+2*3"));
    QTest::mouseClick(w.ui.btnStart, Qt::LeftButton);
    w.Settle();
    QCOMPARE(w.ui.txtResult->text(), QStringLiteral("График построен"));
}

void BuildErrorTest::completeBuildSelectsNothing() {
    WindowFixture w;
    w.Run(QStringLiteral("sinx+1"));
    QLineEdit* edit = w.ui.txtFunctionText->lineEdit();
    QVERIFY(!edit->hasSelectedText());
    QCOMPARE(edit->cursorPosition(), 6);
}

std::unique_ptr<QObject> MakeBuildErrorTest() {
    return std::make_unique<BuildErrorTest>();
}

#include "build_error_test.moc"
