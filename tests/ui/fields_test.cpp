// The parameter fields: the exit rules on leaving a field, the run's reading of every field,
// the colour fields with their shared dialog, the check boxes that switch other controls, and
// the tab order.
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QToolButton>

#include "engine/number_text.h"
#include "test_classes.h"
#include "ui/picture_widget.h"
#include "window_fixture.h"

class FieldsTest : public QObject {
    Q_OBJECT

  private slots:
    void exitRule_data();
    void exitRule();
    void sequenceBoundsUpperFirst();
    void noExitWhenAnotherWindowIsActivated();
    void runReadsDisabledBounds();
    void colourDialogConfirmed();
    void colourDialogCancelled();
    void killBoxSwitchesGridAndAxes();
    void borderBoxSwitchesBounds();
    void tabFollowsTheLayout();
};

void FieldsTest::tabFollowsTheLayout() {
    WindowFixture w;
    w.ui.txtFunctionText->setFocus(Qt::TabFocusReason);
    QStringList walked;
    for (int k = 0; k < 14; ++k) {
        walked << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    // The radio buttons are one stop: the checked one.
    QCOMPARE(walked, QStringList({"txtFunctionText", "btnStart", "txtX", "txtY", "txtXm", "txtYm",
                                  "txtTochn", "txtBkColor", "txtLineColor", "rbtLines", "cbxKill",
                                  "cbxSetka", "cbxOci", "qt_tabwidget_tabbar"}));
    QCOMPARE(w.ui.txtXNow->focusPolicy(), Qt::NoFocus);
    QCOMPARE(w.ui.txtYNow->focusPolicy(), Qt::NoFocus);
}

void FieldsTest::exitRule_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");  // the field's text after leaving it
    QTest::addColumn<QString>("value");  // the value in the form ShowParameters writes
    // Pixel sizes: bounds 0.00001 and 100000 included.
    QTest::newRow("xm taken") << "txtXm"
                              << "0.05"
                              << "0.05"
                              << "0.05";
    QTest::newRow("xm too small") << "txtXm"
                                  << "0.000001"
                                  << "0.05"
                                  << "0.05";
    QTest::newRow("xm too large") << "txtXm"
                                  << "200000"
                                  << "0.05"
                                  << "0.05";
    QTest::newRow("xm lower bound") << "txtXm"
                                    << "0.00001"
                                    << "0.00001"
                                    << "0.00001";
    QTest::newRow("ym upper bound") << "txtYm"
                                    << "100000"
                                    << "100000"
                                    << "100000";
    QTest::newRow("ym as exponent") << "txtYm"
                                    << "2e-2"
                                    << "2e-2"
                                    << "0.02";
    // Samples per pixel: a positive integer text.
    QTest::newRow("tochn zero") << "txtTochn"
                                << "0"
                                << "1"
                                << "1";
    QTest::newRow("tochn negative") << "txtTochn"
                                    << "-3"
                                    << "1"
                                    << "1";
    QTest::newRow("tochn fraction") << "txtTochn"
                                    << "2.5"
                                    << "1"
                                    << "1";
    QTest::newRow("tochn taken") << "txtTochn"
                                 << "4"
                                 << "4"
                                 << "4";
    // Index range 1..100 held.
    QTest::newRow("n0 zero") << "txtN0"
                             << "0"
                             << "0"
                             << "0";
    QTest::newRow("n0 at upper") << "txtN0"
                                 << "100"
                                 << "1"
                                 << "1";
    QTest::newRow("nk max") << "txtNk"
                            << "100000"
                            << "100000"
                            << "100000";
    QTest::newRow("nk above max") << "txtNk"
                                  << "100001"
                                  << "100"
                                  << "100";
    QTest::newRow("nk at lower") << "txtNk"
                                 << "1"
                                 << "100"
                                 << "100";
    QTest::newRow("nk hexadecimal") << "txtNk"
                                    << "$1F"
                                    << "$1F"
                                    << "31";
    QTest::newRow("nk negative hexadecimal") << "txtNk"
                                             << "-$1F"
                                             << "100"
                                             << "100";
    // Real texts.
    QTest::newRow("comma") << "txtA0"
                           << "1,5"
                           << "1"
                           << "1";
    QTest::newRow("exponent") << "txtA0"
                              << "1.5e3"
                              << "1.5e3"
                              << "1500";
    QTest::newRow("plus point") << "txtA0"
                                << "+.5"
                                << "+.5"
                                << "0.5";
    QTest::newRow("trailing point") << "txtA0"
                                    << "-7."
                                    << "-7."
                                    << "-7";
    QTest::newRow("leading blank") << "txtA0"
                                   << " 12"
                                   << " 12"
                                   << "12";
    QTest::newRow("trailing blank") << "txtA0"
                                    << "12 "
                                    << "1"
                                    << "1";
    QTest::newRow("lone point") << "txtA0"
                                << "."
                                << "."
                                << "0";
    QTest::newRow("emptied c") << "txtC"
                               << ""
                               << "1"
                               << "1";
    QTest::newRow("letters in c") << "txtC"
                                  << "abc"
                                  << "1"
                                  << "1";
    QTest::newRow("c negative") << "txtC"
                                << "-2.25"
                                << "-2.25"
                                << "-2.25";
}

void FieldsTest::exitRule() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, value);
    WindowFixture w;
    QLineEdit* edit = w.Field(qPrintable(field));
    w.EnterField(edit, typed);
    QCOMPARE(edit->text(), shown);
    const size_t index = std::find(w.ui.parameterFields.begin(), w.ui.parameterFields.end(), edit) -
                         w.ui.parameterFields.begin();
    const ParameterField which = static_cast<ParameterField>(index);
    QCOMPARE(QString::fromStdString(ShowParameterText(w->view(), w->engine(), which)), value);
    // Nothing is redrawn or logged by leaving a field.
    QCOMPARE(w.ui.ScenarioLines().size(), 3);
}

void FieldsTest::sequenceBoundsUpperFirst() {
    WindowFixture w;
    w.EnterField(w.ui.txtN0, "200");
    QCOMPARE(w.ui.txtN0->text(), QStringLiteral("1"));
    w.EnterField(w.ui.txtNk, "300");
    w.EnterField(w.ui.txtN0, "200");
    QCOMPARE(w->engine().IndexFrom, 200);
    QCOMPARE(w->engine().IndexTo, 300);
    QCOMPARE(w.ui.txtN0->text(), QStringLiteral("200"));
}

void FieldsTest::noExitWhenAnotherWindowIsActivated() {
    WindowFixture w;
    w.TypeInto(w.ui.txtXm, "0.000001");
    QWidget other;
    other.setGeometry(10, 10, 100, 100);
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QCOMPARE(w.ui.txtXm->text(), QStringLiteral("0.000001"));
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.form()));
    QCOMPARE(w.ui.txtXm->text(), QStringLiteral("0.000001"));
    // Leaving it for another control of the window applies the rule.
    w.ClickFocus(w.ui.txtY);
    QCOMPARE(w.ui.txtXm->text(), QStringLiteral("0.05"));
}

void FieldsTest::runReadsDisabledBounds() {
    WindowFixture w;
    QVERIFY(!w.ui.txtX0->isEnabled());
    // A disabled field cannot be typed into; the program may still put text there (a file
    // load does), and the run reads it.
    w.ui.txtX0->setText("x");
    w.ui.txtXk->setText("5");
    QTest::mouseClick(w.ui.btnStart, Qt::LeftButton);
    QCOMPARE(w.ui.txtX0->text(), QStringLiteral("-1"));
    QCOMPARE(w.ui.txtXk->text(), QStringLiteral("5"));
    QCOMPARE(w->view().ArgumentTo, 5.0L);
    // A field holding an invalid text when the run starts is rewritten before the run.
    w.ui.txtTochn->setText("0");
    QTest::mouseClick(w.ui.btnStart, Qt::LeftButton);
    QCOMPARE(w.ui.txtTochn->text(), QStringLiteral("1"));
}

void FieldsTest::colourDialogConfirmed() {
    WindowFixture w;
    QList<QColor> offered;
    w->modalHook = [&offered](QDialog& dialog) {
        auto& colours = static_cast<QColorDialog&>(dialog);
        offered << colours.currentColor();
        colours.setCurrentColor(QColor(0, 0, 255));
        return int(QDialog::Accepted);
    };
    w.ClickFocus(w.ui.txtX);
    QTest::mouseClick(w.ui.txtBkColor, Qt::LeftButton);
    QCOMPARE(w.ui.txtBkColor->palette().color(QPalette::Base), QColor(0, 0, 255));
    QCOMPARE(w.ui.txtLineColor->palette().color(QPalette::Base), QColor(Qt::yellow));
    QCOMPARE(QApplication::focusWidget(), w.ui.txtFunctionText);
    // The dialog starts on the clicked swatch's colour.
    QTest::mouseClick(w.ui.txtLineColor, Qt::LeftButton);
    QCOMPARE(offered, QList<QColor>({QColor(Qt::black), QColor(Qt::yellow)}));
    // Not redrawn by the click; the next drawing uses the new background.
    const QPoint corner(1, 1);
    QVERIFY(w.ui.Image->canvas().Image().pixelColor(corner) != QColor(0, 0, 255));
    QTest::mouseClick(w.ui.btnStart, Qt::LeftButton);
    w.Settle();
    QCOMPARE(w.ui.Image->canvas().Image().pixelColor(corner), QColor(0, 0, 255));
}

void FieldsTest::colourDialogCancelled() {
    WindowFixture w;
    int shown = 0;
    w->modalHook = [&shown](QDialog& dialog) {
        ++shown;
        static_cast<QColorDialog&>(dialog).setCurrentColor(Qt::red);
        return int(QDialog::Rejected);
    };
    w.ClickFocus(w.ui.txtX);
    QTest::mouseClick(w.ui.txtLineColor, Qt::LeftButton);
    QCOMPARE(shown, 1);
    QCOMPARE(w.ui.txtBkColor->palette().color(QPalette::Base), QColor(Qt::black));
    QCOMPARE(w.ui.txtLineColor->palette().color(QPalette::Base), QColor(Qt::yellow));
    QCOMPARE(QApplication::focusWidget(), w.ui.txtFunctionText);
}

void FieldsTest::killBoxSwitchesGridAndAxes() {
    WindowFixture w;
    w.ui.cbxOci->setChecked(false);
    QTest::mouseClick(w.ui.cbxKill, Qt::LeftButton);
    QVERIFY(!w.ui.cbxKill->isChecked());
    QVERIFY(!w.ui.cbxSetka->isEnabled());
    QVERIFY(!w.ui.cbxOci->isEnabled());
    QVERIFY(w.ui.cbxSetka->isChecked());
    QVERIFY(!w.ui.cbxOci->isChecked());
    QTest::mouseClick(w.ui.cbxKill, Qt::LeftButton);
    QVERIFY(w.ui.cbxSetka->isEnabled());
    QVERIFY(w.ui.cbxOci->isEnabled());
    QVERIFY(w.ui.cbxSetka->isChecked());
    QVERIFY(!w.ui.cbxOci->isChecked());
    // A change made by the program switches them too; a scale command leaves the box alone.
    w.ui.cbxKill->setChecked(false);
    QVERIFY(!w.ui.cbxSetka->isEnabled());
    QTest::mouseClick(w.ui.btnHome, Qt::LeftButton);
    QVERIFY(!w.ui.cbxKill->isChecked());
    w.ui.cbxKill->setChecked(true);
    QVERIFY(w.ui.cbxSetka->isEnabled());
}

void FieldsTest::borderBoxSwitchesBounds() {
    WindowFixture w;
    const QList<QWidget*> bounds = {w.ui.txtX0, w.ui.txtXk, w.ui.Label1, w.ui.Label2};
    for (QWidget* bound : bounds) QVERIFY(!bound->isEnabled());
    w.ui.pgPages->setCurrentIndex(1);
    QTest::mouseClick(w.ui.cbxBorderX, Qt::LeftButton);
    for (QWidget* bound : bounds) QVERIFY(bound->isEnabled());
    QTest::mouseClick(w.ui.cbxBorderX, Qt::LeftButton);
    for (QWidget* bound : bounds) QVERIFY(!bound->isEnabled());
}

std::unique_ptr<QObject> MakeFieldsTest() {
    return std::make_unique<FieldsTest>();
}

#include "fields_test.moc"
