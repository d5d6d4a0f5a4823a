// Background work through the window: a long plot shows its progress and stops on Esc or the run
// button keeping what it drew; a run, a redraw or a layout during a plot replaces it; the
// integral stops the same way; closing the window ends the work at once; and the window's
// thread keeps answering while a plot runs.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>

#include "test_classes.h"
#include "ui/picture_widget.h"
#include "ui/plot_job.h"
#include "window_fixture.h"

namespace {

const QString kSeparator(65, QLatin1Char('*'));
const QString kPlotStoppedText = QStringLiteral("Построение прервано");
// Enough samples per pixel that the plot takes hours: only a stop ends it.
const QString kEndlessSamples = QStringLiteral("2000000");

// Starts a plot that does not end by itself and waits until it shows its progress.
void StartEndlessPlot(WindowFixture& w, const QString& expression) {
    w.ui.txtTochn->setText(kEndlessSamples);
    w.TypeInto(w.ui.txtFunctionText->lineEdit(), expression);
    QTest::keyClick(w.ui.txtFunctionText, Qt::Key_Return);
    QVERIFY(w->WorkRunning());
    QTRY_COMPARE_WITH_TIMEOUT(w.ui.btnStart->text(), QStringLiteral("Остановить"), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(w.ui.txtResult->text().startsWith("Построение графика… "), 5000);
    QVERIFY(w.ui.txtResult->text().endsWith('%'));
    QCOMPARE(w.ui.Image->cursor().shape(), Qt::BusyCursor);
}

}  // namespace

class WorkTest : public QObject {
    Q_OBJECT

  private slots:
    void shortRunShowsNoProgress();
    void stopKeepsWhatWasDrawn_data();
    void stopKeepsWhatWasDrawn();
    void runDuringRunWins();
    void redrawDuringRunWins();
    void resizeDuringRunLaysOut();
    void integralStops();
    void markDuringPlotCancelsIt();
    void closeDuringPlotEndsTheWork();
    void windowAnswersDuringPlot();
};

void WorkTest::shortRunShowsNoProgress() {
    WindowFixture w;
    w.Run("2+2");
    QSignalSpy progress(w.ui.txtResult, &QLineEdit::textChanged);
    w.Run("sinx");
    // The only change of the result field is the outcome.
    QCOMPARE(progress.size(), 1);
    QCOMPARE(w.ui.txtResult->text(), QStringLiteral("График построен"));
    QCOMPARE(w.ui.btnStart->text(), QStringLiteral("Выполнить"));
    QVERIFY(!w->WorkRunning());
}

void WorkTest::stopKeepsWhatWasDrawn_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("Esc") << true;
    QTest::newRow("run button") << false;
}

void WorkTest::stopKeepsWhatWasDrawn() {
    QFETCH(bool, escape);
    WindowFixture w;
    w.Run("x*0+1");
    const QImage before = w.Picture();
    const Qt::CursorShape toolCursor = w.ui.Image->cursor().shape();
    StartEndlessPlot(w, "sinx");
    if (escape) {
        QTest::keyClick(&w.form(), Qt::Key_Escape);
    } else {
        QTest::mouseClick(w.ui.btnStart, Qt::LeftButton);
    }
    w.Settle();
    QCOMPARE(w.ui.txtResult->text(), kPlotStoppedText);
    QCOMPARE(w.ui.ScenarioLines().mid(w.ui.ScenarioLines().size() - 3),
             QStringList({kSeparator, "sinx", kPlotStoppedText}));
    QCOMPARE(w.ui.btnStart->text(), QStringLiteral("Выполнить"));
    QCOMPARE(w.ui.Image->cursor().shape(), toolCursor);
    // The stopped plot cleared the picture and drew part of the curve.
    QVERIFY(w.Picture() != before);
    // Esc with nothing running changes nothing.
    const QStringList lines = w.ui.ScenarioLines();
    QTest::keyClick(&w.form(), Qt::Key_Escape);
    QCOMPARE(w.ui.ScenarioLines(), lines);
}

void WorkTest::runDuringRunWins() {
    WindowFixture w;
    StartEndlessPlot(w, "sinx");
    w.ui.txtTochn->setText("1");
    w.Run("x*0+1");
    QCOMPARE(w.ui.txtResult->text(), QStringLiteral("График построен"));
    // The first run has no outcome line: it never reported.
    QCOMPARE(w.ui.ScenarioLines().mid(w.ui.ScenarioLines().size() - 5),
             QStringList({kSeparator, "sinx", kSeparator, "x*0+1", "График построен"}));
    const QImage picture = w.Picture();
    w.Run("x*0+1");
    QCOMPARE(w.Picture(), picture);
}

void WorkTest::redrawDuringRunWins() {
    WindowFixture w;
    w.ui.txtTochn->setText("1");
    w.Run("sinx");
    w.ui.btnMPlus->click();
    const QImage zoomed = w.Picture();
    w.ui.btnMMinus->click();
    w.Settle();
    StartEndlessPlot(w, "sinx");
    // The redraw reads the held samples per pixel, which the endless run left; back to 1.
    w.SetParameter(w.ui.txtTochn, "1");
    w.ui.btnMPlus->click();
    w.Settle();
    QCOMPARE(w.ui.txtResult->text(), QStringLiteral("График построен"));
    QCOMPARE(w.Picture(), zoomed);
}

void WorkTest::resizeDuringRunLaysOut() {
    WindowFixture w;
    w->showNormal();
    w->resize(800, 600);
    QTRY_COMPARE(w->size(), QSize(800, 600));
    w.Settle();
    StartEndlessPlot(w, "sinx");
    w.ui.txtTochn->setText("1");
    w->resize(820, 610);
    QTRY_COMPARE(w->size(), QSize(820, 610));
    w.Settle();
    QCOMPARE(w.ui.Image->canvas().Width(), w.ui.Image->width());
    QCOMPARE(w.ui.Image->canvas().Height(), w.ui.Image->height());
    // The layout ran and logged; the endless run never reported.
    QCOMPARE(w.ui.ScenarioLines().mid(w.ui.ScenarioLines().size() - 5),
             QStringList({kSeparator, "sinx", kSeparator, "sinx", "График построен"}));
    QCOMPARE(w.ui.txtResult->text(), QStringLiteral("График построен"));
}

void WorkTest::integralStops() {
    WindowFixture w;
    // 200 sines per sample: the integral takes a good part of a second, and is stopped at once.
    w.Run(QString("sin(").repeated(200) + "x" + QString(")").repeated(200));
    w.ui.pgPages->setCurrentIndex(2);
    w.ui.txtFuncResult->setText("before");
    w.ui.txtX0int->setText("0");
    w.ui.txtXkint->setText("1");
    w.ui.btnCalcInt->click();
    QVERIFY(w->WorkRunning());
    QTest::keyClick(&w.form(), Qt::Key_Escape);
    w.Settle();
    QCOMPARE(w.ui.txtResult->text(), QStringLiteral("Вычисление прервано"));
    QCOMPARE(w.ui.ScenarioLines().last(), QStringLiteral("Вычисление прервано"));
    QCOMPARE(w.ui.txtFuncResult->text(), QStringLiteral("before"));
    // Unstopped, the same integral shows its value and its progress while it runs.
    w.ui.btnCalcInt->click();
    QTRY_VERIFY_WITH_TIMEOUT(
        w.ui.txtResult->text().startsWith("Вычисление интеграла… ") || !w->WorkRunning(), 10000);
    w.Settle();
    QCOMPARE(w.ui.txtFuncResult->text(), QStringLiteral("0.108"));
    QCOMPARE(w.ui.txtResult->text(), QStringLiteral("Вычисление прервано"));
}

// The move tool's first click is a tool action: the plot in flight is dropped, and the mark
// stays on the picture the plot never replaced.
void WorkTest::markDuringPlotCancelsIt() {
    WindowFixture w;
    const QImage before = w.Picture();
    StartEndlessPlot(w, "sinx");
    const QStringList lines = w.ui.ScenarioLines();
    QTest::mouseClick(w.ui.Image, Qt::LeftButton, {}, QPoint(40, 30));
    QVERIFY(!w->WorkRunning());
    QTest::qWait(200);
    QCOMPARE(w.ui.ScenarioLines(), lines);
    const QImage marked = w.Picture();
    QCOMPARE(marked.pixelColor(40, 30), QColor(Qt::white));
    QCOMPARE(marked.pixelColor(100, 100), before.pixelColor(100, 100));
    QCOMPARE(w.ui.btnStart->text(), QStringLiteral("Выполнить"));
}

void WorkTest::closeDuringPlotEndsTheWork() {
    WindowFixture w;
    StartEndlessPlot(w, "sinx");
    QElapsedTimer clock;
    clock.start();
    w->close();
    QApplication::processEvents();
    w->CancelWork();
    QVERIFY(WaitForWorkThreads(500));
    QVERIFY(clock.elapsed() < 500);
}

// A 10 ms timer keeps firing while a plot runs; the longest gap between its ticks is how long
// the window's thread was held. The bound only catches a thread held for the whole plot.
void WorkTest::windowAnswersDuringPlot() {
    WindowFixture w;
    StartEndlessPlot(w, "sinx*lnx");
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 longest = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    ticker.start(10);
    QTest::qWait(1500);
    ticker.stop();
    QVERIFY(w->WorkRunning());
    qInfo("longest block of the window's thread during a plot: %lld ms", longest);
    QVERIFY2(longest < 400, qPrintable(QString::number(longest)));
    QTest::keyClick(&w.form(), Qt::Key_Escape);
    w.Settle();
    QCOMPARE(w.ui.txtResult->text(), kPlotStoppedText);
}

std::unique_ptr<QObject> MakeWorkTest() {
    return std::make_unique<WorkTest>();
}

#include "work_test.moc"
