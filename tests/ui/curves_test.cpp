// Several curves through the window: every kind of redraw keeps the whole set, the curve list
// and its buttons, the colours of appended curves and the legend are wired.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <cmath>
#include <functional>

#include "document/curve_set.h"
#include "engine/number_text.h"
#include "test_classes.h"
#include "ui/picture_overlay.h"
#include "ui/widget_factory.h"
#include "view/vector_surface.h"
#include "window_fixture.h"

namespace {

int Count(const QImage& picture, Colour colour) {
    const QRgb wanted = ToQColor(colour).rgb();
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            count += (picture.pixel(x, y) | 0xFF000000u) == wanted;
    return count;
}

QString Shown(ExtendedReal value) {
    return QString::fromStdString(RealDisplayText(value, 5));
}

Colour FromQColor(const QColor& colour) {
    return Colour(colour.red()) | Colour(colour.green()) << 8 | Colour(colour.blue()) << 16;
}

// sinx, then cosx*2 with "Новый" cleared: two curves in two colours.
void RunTwo(WindowFixture& w) {
    w.Run("sinx");
    w.ui.cbxKill->setChecked(false);
    w.Run("cosx*2");
}

void Wheel(QWidget* picture, QPoint at, int angle) {
    QWheelEvent event(QPointF(at), QPointF(picture->mapToGlobal(at)), QPoint(), QPoint(0, angle),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(picture, &event);
}

using Redraw = std::function<void(WindowFixture&)>;
// Whether the document holds what a control was just set to.
using Holds = std::function<bool(const PlotDocument&)>;

// The colour dialog's answer for the next modal loop.
void AnswerColour(WindowFixture& w, const QColor& chosen) {
    w->modalHook = [chosen](QDialog& dialog) {
        auto* colours = qobject_cast<QColorDialog*>(&dialog);
        if (colours == nullptr) return int(QDialog::Rejected);
        colours->setCurrentColor(chosen);
        return int(QDialog::Accepted);
    };
}

const Curve& Second(const PlotDocument& document) {
    return document.Curves.At(1);
}

// The first curve is as RunTwo made it.
bool FirstUntouched(const PlotDocument& document) {
    const Curve& first = document.Curves.At(0);
    return first.LineColour == kCurvePalette[0] && first.Lines && !first.BoundArgument &&
           first.Built->ConstantC == 1 && first.Built->IndexTo == 100;
}

}  // namespace

Q_DECLARE_METATYPE(Redraw)
Q_DECLARE_METATYPE(Holds)

class CurvesTest : public QObject {
    Q_OBJECT

  private slots:
    void redrawKeepsEveryCurve_data();
    void redrawKeepsEveryCurve();
    void newTickedKeepsOnlyTheNewCurve();
    void listSelectsRemovesAndHides();
    void legendFollowsTheMenu();
    void setFileSavesAndOpens();
    void traceStepsBetweenCurves();
    void swatchClickRecolours();
    void controlsWriteIntoTheDocument_data();
    void controlsWriteIntoTheDocument();
};

void CurvesTest::redrawKeepsEveryCurve_data() {
    QTest::addColumn<Redraw>("redraw");
    const auto click = [](const char* name) {
        return Redraw([name](WindowFixture& w) {
            QTest::mouseClick(w->findChild<QToolButton*>(name), Qt::LeftButton);
        });
    };
    QTest::newRow("zoom in") << click("btnMPlus");
    QTest::newRow("zoom out") << click("btnMMinus");
    QTest::newRow("centre") << click("btnHome");
    QTest::newRow("equal scales") << click("btnOptim");
    QTest::newRow("default scale") << click("btnDefault");
    QTest::newRow("wheel") << Redraw([](WindowFixture& w) { Wheel(w.ui.Image, {40, 40}, 120); });
    QTest::newRow("arrow key") << Redraw([](WindowFixture& w) {
        w.ui.Image->setFocus();
        QTest::keyClick(w.ui.Image, Qt::Key_Left);
    });
    QTest::newRow("history") << Redraw([](WindowFixture& w) {
        QTest::mouseClick(w.ui.btnMPlus, Qt::LeftButton);
        w.Settle();
        QTest::keyClick(&w.form(), Qt::Key_Left, Qt::AltModifier);
    });
    QTest::newRow("right click") << Redraw([](WindowFixture& w) {
        QTest::mouseClick(w.ui.Image, Qt::RightButton, {}, QPoint(30, 30));
    });
    QTest::newRow("resize") << Redraw(
        [](WindowFixture& w) { w->resize(w->width() - 40, w->height() - 30); });
}

void CurvesTest::redrawKeepsEveryCurve() {
    QFETCH(Redraw, redraw);
    WindowFixture w;
    RunTwo(w);
    QCOMPARE(w->document().Curves.Size(), size_t(2));
    QVERIFY(Count(w.Picture(), kCurvePalette[0]) > 0);
    QVERIFY(Count(w.Picture(), kCurvePalette[1]) > 0);
    redraw(w);
    const QImage after = w.Picture();
    QCOMPARE(w->document().Curves.Size(), size_t(2));
    QVERIFY(Count(after, kCurvePalette[0]) > 0);
    QVERIFY(Count(after, kCurvePalette[1]) > 0);
    QVERIFY(!w.ui.cbxKill->isChecked());
}

void CurvesTest::newTickedKeepsOnlyTheNewCurve() {
    WindowFixture w;
    RunTwo(w);
    // The appended curve took the palette's next colour, and the field shows it.
    QCOMPARE(ui::ColourOf(w.ui.txtLineColor), kCurvePalette[1]);
    w.ui.cbxKill->setChecked(true);
    w.Run("x");
    QCOMPARE(w->document().Curves.Size(), size_t(1));
    QCOMPARE(w->document().Curves.At(0).Expression, std::string("x"));
    // An expression without x adds nothing when "Новый" is clear.
    w.ui.cbxKill->setChecked(false);
    w.Run("2+2");
    QCOMPARE(w->document().Curves.Size(), size_t(1));
    QCOMPARE(w.ui.txtResult->text(), QStringLiteral("4"));
}

void CurvesTest::listSelectsRemovesAndHides() {
    WindowFixture w;
    RunTwo(w);
    auto* list = w->findChild<QListWidget*>("lstCurves");
    QVERIFY(list != nullptr);
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(1)->text(), QStringLiteral("cosx*2"));
    QCOMPARE(list->currentRow(), 1);
    list->setCurrentRow(0);
    QCOMPARE(w.ui.txtFunctionText->currentText(), QStringLiteral("sinx"));
    QCOMPARE(ui::ColourOf(w.ui.txtLineColor), kCurvePalette[0]);

    // Hiding a curve redraws without it.
    list->item(1)->setCheckState(Qt::Unchecked);
    QCOMPARE(Count(w.Picture(), kCurvePalette[1]), 0);
    list->item(1)->setCheckState(Qt::Checked);
    QVERIFY(Count(w.Picture(), kCurvePalette[1]) > 0);

    // The selected curve replaced by what the fields hold, then moved down.
    w.TypeInto(w.ui.txtFunctionText->lineEdit(), QStringLiteral("x/2"));
    QTest::mouseClick(w->findChild<QPushButton*>("btnCurveReplace"), Qt::LeftButton);
    QCOMPARE(list->item(0)->text(), QStringLiteral("x/2"));
    QTest::mouseClick(w->findChild<QPushButton*>("btnCurveDown"), Qt::LeftButton);
    QCOMPARE(list->item(1)->text(), QStringLiteral("x/2"));
    QCOMPARE(list->currentRow(), 1);

    // Delete removes the selected curve; the button clears all.
    w.ui.pgPages->setCurrentIndex(3);
    w.ClickFocus(list->viewport());
    list->setCurrentRow(1);
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(list->count(), 1);
    QCOMPARE(w->document().Curves.At(0).Expression, std::string("cosx*2"));
    QTest::mouseClick(w->findChild<QPushButton*>("btnCurveClear"), Qt::LeftButton);
    QCOMPARE(list->count(), 0);
    QCOMPARE(Count(w.Picture(), kCurvePalette[1]), 0);
}

void CurvesTest::legendFollowsTheMenu() {
    WindowFixture w;
    w.Run("sinx");
    auto* legend = w->findChild<QAction*>("mnuViewLegend");
    QVERIFY(legend != nullptr);
    QVERIFY(!legend->isChecked());
    const QImage one = w.Picture();
    w.ui.cbxKill->setChecked(false);
    w.Run("cosx*2");
    QVERIFY(legend->isChecked());
    QVERIFY(w->document().Legend);
    const QImage with = w.Picture();
    legend->trigger();
    QVERIFY(!legend->isChecked());
    const QImage without = w.Picture();
    // The legend sits in the top-right corner.
    const QRect corner(with.width() * 3 / 4, 0, with.width() / 4, 40);
    QVERIFY(with.copy(corner) != without.copy(corner));
    QCOMPARE(with.copy(0, 0, with.width() / 2, with.height()),
             without.copy(0, 0, with.width() / 2, with.height()));
    // The choice is kept in the settings: the other tests start without one.
    QSettings(QStringLiteral("Tarvik"), QStringLiteral("Tarvik"))
        .remove(QStringLiteral("view/legend"));
    QVERIFY(one.size() == with.size());
}

void CurvesTest::setFileSavesAndOpens() {
    const QTemporaryDir dir;
    WindowFixture w;
    RunTwo(w);
    const QImage saved = w.Picture();
    w->modalHook = [&](QDialog& dialog) {
        auto& files = static_cast<QFileDialog&>(dialog);
        files.selectFile(dir.filePath(QStringLiteral("pair")));
        return int(QDialog::Accepted);
    };
    w->findChild<QAction*>("mnuFunctionSaveSet")->trigger();
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("pair.tvkset"))));

    w.ui.cbxKill->setChecked(true);
    w.Run("x");
    QCOMPARE(w->document().Curves.Size(), size_t(1));
    w->modalHook = [&](QDialog& dialog) {
        static_cast<QFileDialog&>(dialog).selectFile(dir.filePath(QStringLiteral("pair.tvkset")));
        return int(QDialog::Accepted);
    };
    w->findChild<QAction*>("mnuFunctionOpenSet")->trigger();
    QCOMPARE(w->document().Curves.Size(), size_t(2));
    QCOMPARE(w.Picture(), saved);
    QCOMPARE(w.ui.txtFunctionText->currentText(), QStringLiteral("sinx"));

    // A damaged set is refused with where it broke, and the curves stay.
    QFile damaged(dir.filePath(QStringLiteral("bad.tvkset")));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("{\"format\": \"tarvik-curves\",\n  \"version\" 1}");
    damaged.close();
    w->modalHook = [&](QDialog& dialog) {
        static_cast<QFileDialog&>(dialog).selectFile(damaged.fileName());
        return int(QDialog::Accepted);
    };
    w->findChild<QAction*>("mnuFunctionOpenSet")->trigger();
    QCOMPARE(w->document().Curves.Size(), size_t(2));
    QVERIFY(!w.messages.empty());
    QVERIFY(w.messages.back().text.contains(QStringLiteral("2")));
}

void CurvesTest::traceStepsBetweenCurves() {
    WindowFixture w;
    RunTwo(w);
    w.ui.cbxKill->setChecked(false);
    w.Run("x/4");
    auto* list = w->findChild<QListWidget*>("lstCurves");
    // The middle curve hidden: the steps pass over it.
    list->item(1)->setCheckState(Qt::Unchecked);
    w.Settle();
    QTest::mouseClick(w.ui.Image, Qt::RightButton, {}, QPoint(5, 5));
    QTest::keyClick(w.ui.Image, Qt::Key_T);
    const QPoint at(w.ui.Image->width() / 2 + 30, 40);
    QTest::mouseMove(w.ui.Image, at);
    const ExtendedReal x = ColumnToWorldX(w->view(), at.x());
    // The trace is on the selected curve, and says which it is.
    QCOMPARE(list->currentRow(), 2);
    QCOMPARE(w.ui.txtYNow->text(), Shown(x / 4));
    QCOMPARE(w.ui.overlay->TraceLabel(), QStringLiteral("x/4"));
    const ViewState before = w->view();
    QTest::keyClick(w.ui.Image, Qt::Key_Up);
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(w.ui.txtYNow->text(), Shown(std::sin(x)));
    QCOMPARE(w.ui.overlay->TraceLabel(), QStringLiteral("sinx"));
    QVERIFY(w.ui.overlay->Trace().has_value());
    QCOMPARE(w.ui.overlay->Trace()->y(), WorldYToRow(w->view(), std::sin(x)));
    // No curve before the first: the key stays with the trace, the view does not move.
    QTest::keyClick(w.ui.Image, Qt::Key_Up);
    QCOMPARE(list->currentRow(), 0);
    QTest::keyClick(w.ui.Image, Qt::Key_Down);
    QCOMPARE(list->currentRow(), 2);
    QCOMPARE(w.ui.txtYNow->text(), Shown(x / 4));
    QVERIFY(w->view().ViewOriginY == before.ViewOriginY);
    // With one visible curve the keys steer the picture again.
    list->item(0)->setCheckState(Qt::Unchecked);
    w.Settle();
    QTest::keyClick(w.ui.Image, Qt::Key_Up);
    QCOMPARE(list->currentRow(), 2);
    QVERIFY(w->view().ViewOriginY != before.ViewOriginY);
}

void CurvesTest::swatchClickRecolours() {
    WindowFixture w;
    RunTwo(w);
    w.ui.pgPages->setCurrentIndex(3);
    auto* list = w->findChild<QListWidget*>("lstCurves");
    const QColor chosen(0xD5, 0x00, 0x20);
    int dialogs = 0;
    w->modalHook = [&](QDialog& dialog) {
        ++dialogs;
        auto* colours = qobject_cast<QColorDialog*>(&dialog);
        if (colours == nullptr) return int(QDialog::Rejected);
        colours->setCurrentColor(chosen);
        return int(QDialog::Accepted);
    };
    // The swatch of the first row, found by its colour on the list.
    const QRect row = list->visualItemRect(list->item(0));
    const QImage shown = list->viewport()->grab().toImage();
    QPoint swatch(-1, -1);
    for (int x = row.left(); x <= row.right() && swatch.x() < 0; ++x) {
        const QPoint at(x, row.center().y());
        if ((shown.pixel(at) | 0xFF000000u) == ToQColor(kCurvePalette[0]).rgb()) swatch = at;
    }
    QVERIFY(swatch.x() >= 0);
    // A click on the text selects the curve and opens nothing.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(row.right() - 10, swatch.y()));
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(dialogs, 0);
    list->setCurrentRow(1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, swatch + QPoint(3, 0));
    QCOMPARE(dialogs, 1);
    QCOMPARE(list->currentRow(), 0);
    const Colour picked = FromQColor(chosen);
    QCOMPARE(w->document().Curves.At(0).LineColour, picked);
    QCOMPARE(w->document().Curves.At(1).LineColour, kCurvePalette[1]);
    QVERIFY(Count(w.Picture(), picked) > 0);
    QCOMPARE(Count(w.Picture(), kCurvePalette[0]), 0);
}

void CurvesTest::controlsWriteIntoTheDocument_data() {
    QTest::addColumn<Redraw>("change");
    QTest::addColumn<Holds>("holds");
    // The frame's boxes are open with "Новый" ticked.
    QTest::newRow("grid") << Redraw([](WindowFixture& w) {
        w.ui.cbxKill->setChecked(true);
        QTest::mouseClick(w.ui.cbxSetka, Qt::LeftButton);
    }) << Holds([](const PlotDocument& d) { return !d.Frame.Grid && d.Frame.Axes; });
    QTest::newRow("axes") << Redraw([](WindowFixture& w) {
        w.ui.cbxKill->setChecked(true);
        QTest::mouseClick(w.ui.cbxOci, Qt::LeftButton);
    }) << Holds([](const PlotDocument& d) { return d.Frame.Grid && !d.Frame.Axes; });
    QTest::newRow("points") << Redraw([](WindowFixture& w) {
        QTest::mouseClick(w.ui.rbtPixels, Qt::LeftButton);
    }) << Holds([](const PlotDocument& d) { return !Second(d).Lines; });
    QTest::newRow("argument bound")
        << Redraw([](WindowFixture& w) { QTest::mouseClick(w.ui.cbxBorderX, Qt::LeftButton); })
        << Holds([](const PlotDocument& d) { return Second(d).BoundArgument; });
    QTest::newRow("background") << Redraw([](WindowFixture& w) {
        AnswerColour(w, QColor(0x10, 0x20, 0x30));
        QTest::mouseClick(w.ui.txtBkColor, Qt::LeftButton);
    }) << Holds([](const PlotDocument& d) { return d.Frame.Background == 0x302010u; });
    QTest::newRow("line colour") << Redraw([](WindowFixture& w) {
        AnswerColour(w, QColor(0x10, 0x20, 0x30));
        QTest::mouseClick(w.ui.txtLineColor, Qt::LeftButton);
    }) << Holds([](const PlotDocument& d) { return Second(d).LineColour == 0x302010u; });
    QTest::newRow("constant c") << Redraw([](WindowFixture& w) {
        w.SetParameter(w.ui.txtC, QStringLiteral("3"));
    }) << Holds([](const PlotDocument& d) { return Second(d).Built->ConstantC == 3; });
    QTest::newRow("last index") << Redraw([](WindowFixture& w) {
        w.SetParameter(w.ui.txtNk, QStringLiteral("7"));
    }) << Holds([](const PlotDocument& d) { return Second(d).Built->IndexTo == 7; });
    QTest::newRow("break at poles")
        << Redraw([](WindowFixture& w) { w->findChild<QAction*>("mnuViewBreakPoles")->toggle(); })
        << Holds([](const PlotDocument& d) { return !d.Frame.BreakPoles; });
    QTest::newRow("picture mode") << Redraw([](WindowFixture& w) {
        w.ui.tableWindow->SetMode(PictureMode::Terms);
    }) << Holds([](const PlotDocument& d) { return d.Mode == PictureMode::Terms; });
}

// Each control writes into the document as it changes, before any redraw reads it; the curve
// not selected keeps what it had.
void CurvesTest::controlsWriteIntoTheDocument() {
    QFETCH(Redraw, change);
    QFETCH(Holds, holds);
    QSettings(kApplicationTitle, kApplicationTitle).remove(QStringLiteral("view/breakPoles"));
    WindowFixture w;
    RunTwo(w);
    QVERIFY(w->document().Frame.BreakPoles);
    QVERIFY(!holds(w->document()));
    change(w);
    QVERIFY(holds(w->document()));
    QVERIFY(FirstUntouched(w->document()));
}

std::unique_ptr<QObject> MakeCurvesTest() {
    return std::make_unique<CurvesTest>();
}

#include "curves_test.moc"
