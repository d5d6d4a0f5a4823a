// The table window's wiring: the menu entry, the tables filled in the background from the last
// run expression and the fields, copying and CSV, the picture mode redrawing the main picture, a
// table of 100000 rows, and a long fill's progress, stop and cancellation.
#include "ui/table_window.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "test_classes.h"
#include "ui/plot_job.h"
#include "window_fixture.h"

namespace {

// The table window's controls, found by their object names.
struct TableControls {
    explicit TableControls(TableWindow& table)
        : rbtSequence(Find<QRadioButton>(table, "rbtSequence")),
          rbtFunctionTable(Find<QRadioButton>(table, "rbtFunctionTable")),
          txtSeqX(Find<QLineEdit>(table, "txtSeqX")),
          txtTableX0(Find<QLineEdit>(table, "txtTableX0")),
          txtTableXk(Find<QLineEdit>(table, "txtTableXk")),
          txtTableStep(Find<QLineEdit>(table, "txtTableStep")),
          btnTableFill(Find<QPushButton>(table, "btnTableFill")),
          lblFillStatus(Find<QLabel>(table, "lblFillStatus")),
          tblRows(Find<QTableView>(table, "tblRows")),
          lblLastTerm(Find<QLabel>(table, "lblLastTerm")),
          lblLastDifference(Find<QLabel>(table, "lblLastDifference")),
          lblBehaviour(Find<QLabel>(table, "lblBehaviour")),
          btnTableCopy(Find<QPushButton>(table, "btnTableCopy")),
          btnTableSaveCsv(Find<QPushButton>(table, "btnTableSaveCsv")),
          cbxPictureMode(Find<QComboBox>(table, "cbxPictureMode")) {}

    QRadioButton* rbtSequence;
    QRadioButton* rbtFunctionTable;
    QLineEdit* txtSeqX;
    QLineEdit* txtTableX0;
    QLineEdit* txtTableXk;
    QLineEdit* txtTableStep;
    QPushButton* btnTableFill;
    QLabel* lblFillStatus;
    QTableView* tblRows;
    QLabel* lblLastTerm;
    QLabel* lblLastDifference;
    QLabel* lblBehaviour;
    QPushButton* btnTableCopy;
    QPushButton* btnTableSaveCsv;
    QComboBox* cbxPictureMode;

    QAbstractItemModel* model() const { return tblRows->model(); }

  private:
    template <typename T>
    static T* Find(QObject& table, const char* name) {
        T* found = table.findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr) qFatal("no control named %s", name);
        return found;
    }
};

// Waits until the table's fill has delivered its rows.
void Filled(TableWindow& table) {
    if (!QTest::qWaitFor([&table] { return !table.Filling(); }, 60000)) {
        qWarning("the table fill did not finish");
    }
}

}  // namespace

class TableWindowTest : public QObject {
    Q_OBJECT

  private:
    static constexpr int kLongIndex = 100000;

    static QString Cell(const TableControls& table, int row, int column) {
        return table.model()->index(row, column).data().toString();
    }

    // Runs an expression from the main window's box while the table window is the active one
    // (the fixture's typing goes to the active window's focus).
    static void RunInMainWindow(WindowFixture& w, const QString& expression) {
        w.ui.txtFunctionText->setEditText(expression);
        QTest::keyClick(w.ui.txtFunctionText, Qt::Key_Return);
        w.Settle();
    }

    // A sequence of kLongIndex terms opened in the table window.
    static void OpenWithSequence(WindowFixture& w, TableWindow& window) {
        w.EnterField(w.ui.txtNk, QString::number(kLongIndex));
        w.Run(QStringLiteral("a+sin(n)/n"));
        w.ui.mnuTableOpen->trigger();
        Filled(window);
    }

    // A function table of 10001 rows, each a walk of kLongIndex steps: seconds of work.
    static void StartLongFill(const TableControls& table) {
        table.rbtFunctionTable->setChecked(true);
        table.txtTableX0->setText(QStringLiteral("0"));
        table.txtTableXk->setText(QStringLiteral("1"));
        table.txtTableStep->setText(QStringLiteral("0.0001"));
        QTest::mouseClick(table.btnTableFill, Qt::LeftButton);
    }

  private slots:
    void menuEntryOpensTheSequenceOfTheLastRun() {
        WindowFixture w;
        w.Run(QStringLiteral("a+n*x"));
        w.ui.mnuTableOpen->trigger();
        TableWindow& window = *w.ui.tableWindow;
        const TableControls table(window);
        QVERIFY(window.isVisible());
        QCOMPARE(window.windowTitle(), QStringLiteral("Таблица"));
        Filled(window);
        // At x = 0 every term is a0 = 1; at x = 1 the terms are 1 + n(n+1)/2.
        QCOMPARE(table.model()->rowCount(), 100);
        QCOMPARE(Cell(table, 99, 1), QStringLiteral("1"));
        table.txtSeqX->setText(QStringLiteral("1"));
        QTest::mouseClick(table.btnTableFill, Qt::LeftButton);
        Filled(window);
        QCOMPARE(Cell(table, 0, 0), QStringLiteral("1"));
        QCOMPARE(Cell(table, 0, 1), QStringLiteral("2"));
        QCOMPARE(Cell(table, 99, 0), QStringLiteral("100"));
        QCOMPARE(Cell(table, 99, 1), QStringLiteral("5051"));
        QCOMPARE(table.lblLastTerm->text(), QStringLiteral("Последний член: 5051"));
        QCOMPARE(table.lblLastDifference->text(), QStringLiteral("Последняя разность: 100"));
        QCOMPARE(table.lblBehaviour->text(), QStringLiteral("Расходится к +∞"));
        // A new run refills the open window.
        RunInMainWindow(w, QStringLiteral("a*0+x"));
        Filled(window);
        QCOMPARE(Cell(table, 99, 1), QStringLiteral("1"));
        QCOMPARE(table.lblBehaviour->text(), QStringLiteral("Сходится к 1"));
        // A short fill shows no progress.
        QVERIFY(table.lblFillStatus->text().isEmpty());
        QCOMPARE(table.btnTableFill->text(), QStringLiteral("Заполнить"));
    }

    void functionTableAndItsRefusals() {
        WindowFixture w;
        w.Run(QStringLiteral("1/x"));
        w.ui.mnuTableOpen->trigger();
        TableWindow& window = *w.ui.tableWindow;
        const TableControls table(window);
        Filled(window);
        table.rbtFunctionTable->setChecked(true);
        table.txtTableX0->setText(QStringLiteral("-1"));
        table.txtTableXk->setText(QStringLiteral("1"));
        table.txtTableStep->setText(QStringLiteral("0.5"));
        QTest::keyClick(table.txtTableStep, Qt::Key_Return);
        Filled(window);
        QCOMPARE(table.model()->rowCount(), 5);
        QCOMPARE(Cell(table, 1, 0), QStringLiteral("-0.5"));
        QCOMPARE(Cell(table, 1, 1), QStringLiteral("-2"));
        QCOMPARE(Cell(table, 2, 1), QStringLiteral("ОШИБКА: Деление на ноль"));
        QVERIFY(!table.lblBehaviour->isVisible());
        table.txtTableStep->setText(QStringLiteral("0"));
        QTest::mouseClick(table.btnTableFill, Qt::LeftButton);
        QVERIFY(!window.Filling());
        QCOMPARE(w.messages.size(), size_t(1));
        QCOMPARE(w.messages.back().text, QStringLiteral("Шаг должен быть больше нуля"));
        QCOMPARE(table.model()->rowCount(), 5);
        table.rbtSequence->setChecked(true);
        table.txtSeqX->setText(QStringLiteral("1,5"));
        QTest::mouseClick(table.btnTableFill, Qt::LeftButton);
        QVERIFY(!window.Filling());
        QCOMPARE(w.messages.back().text, QStringLiteral("Введите правильное значение аргумента"));
    }

    // Several visible curves: a value column for each, headed by its expression, and the copy
    // carries them all; the sequence stays that of the selected curve.
    void functionTableHasAColumnPerVisibleCurve() {
        WindowFixture w;
        w.Run(QStringLiteral("1/x"));
        w.ui.cbxKill->setChecked(false);
        w.Run(QStringLiteral("x*x"));
        w.ui.mnuTableOpen->trigger();
        TableWindow& window = *w.ui.tableWindow;
        const TableControls table(window);
        Filled(window);
        // The sequence is the selected curve's: x*x at x = 0 (1/x would fail there).
        QCOMPARE(table.model()->columnCount(), 2);
        QCOMPARE(Cell(table, 1, 1), QStringLiteral("0"));
        table.rbtFunctionTable->setChecked(true);
        table.txtTableX0->setText(QStringLiteral("-1"));
        table.txtTableXk->setText(QStringLiteral("1"));
        table.txtTableStep->setText(QStringLiteral("0.5"));
        QTest::mouseClick(table.btnTableFill, Qt::LeftButton);
        Filled(window);
        QCOMPARE(table.model()->columnCount(), 3);
        QCOMPARE(table.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("1/x"));
        QCOMPARE(table.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("x*x"));
        QCOMPARE(Cell(table, 1, 1), QStringLiteral("-2"));
        QCOMPARE(Cell(table, 1, 2), QStringLiteral("0.25"));
        table.tblRows->selectRow(2);
        QApplication::clipboard()->clear();
        QTest::mouseClick(table.btnTableCopy, Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("0\tОШИБКА: Деление на ноль\t0\n"));
        // A curve hidden in the list leaves the table with the other's column.
        auto* list = w->findChild<QListWidget*>("lstCurves");
        list->item(0)->setCheckState(Qt::Unchecked);
        Filled(window);
        QCOMPARE(table.model()->columnCount(), 2);
        QCOMPARE(Cell(table, 1, 1), QStringLiteral("0.25"));
    }

    void copiesSelectedRowsAndSavesCsv() {
        WindowFixture w;
        w.EnterField(w.ui.txtNk, QStringLiteral("4"));
        w.Run(QStringLiteral("a*n+x"));
        w.ui.mnuTableOpen->trigger();
        TableWindow& window = *w.ui.tableWindow;
        const TableControls table(window);
        Filled(window);
        table.tblRows->selectRow(3);
        table.tblRows->selectionModel()->select(
            table.model()->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QApplication::clipboard()->clear();
        QTest::mouseClick(table.btnTableCopy, Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("2\t2\n4\t24\n"));
        // Ctrl+C in the table does the same.
        table.tblRows->selectRow(2);
        QApplication::clipboard()->clear();
        window.activateWindow();
        table.tblRows->setFocus();
        QTest::keyClick(table.tblRows, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("3\t6\n"));

        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("terms"));
        w->modalHook = [name](QDialog& dialog) {
            static_cast<QFileDialog&>(dialog).selectFile(name);
            return int(QDialog::Accepted);
        };
        QTest::mouseClick(table.btnTableSaveCsv, Qt::LeftButton);
        QFile file(name + QStringLiteral(".csv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("n,a_n\r\n1,1\r\n2,2\r\n3,6\r\n4,24\r\n"));
    }

    // The points page lists the main window's points of interest, copies and saves them.
    void pointsPageListsCopiesAndSaves() {
        WindowFixture w;
        w.Run(QStringLiteral("x^2-1"));
        w.ui.mnuTableOpen->trigger();
        TableWindow& window = *w.ui.tableWindow;
        auto* points = window.findChild<QTableWidget*>(QStringLiteral("tblPoints"));
        auto* status = window.findChild<QLabel*>(QStringLiteral("lblPointsStatus"));
        auto* copy = window.findChild<QPushButton*>(QStringLiteral("btnPointsCopy"));
        auto* save = window.findChild<QPushButton*>(QStringLiteral("btnPointsSaveCsv"));
        QVERIFY(points != nullptr && status != nullptr && copy != nullptr && save != nullptr);
        const std::vector<PointMarker>& found = w->document().Points;
        QCOMPARE(points->rowCount(), 3);
        QCOMPARE(int(found.size()), 3);
        const QStringList kinds = {QStringLiteral("Нуль"), QStringLiteral("Минимум"),
                                   QStringLiteral("Нуль")};
        QStringList lines;
        for (int row = 0; row < 3; ++row) {
            const PointOfInterest& point = found[size_t(row)].Point;
            const QString x = QString::fromStdString(PointNumberText(point.X, point.Digits));
            const QString y = QString::fromStdString(PointNumberText(point.Y));
            QCOMPARE(points->item(row, 0)->text(), kinds[row]);
            QCOMPARE(points->item(row, 1)->text(), x);
            QCOMPARE(points->item(row, 2)->text(), y);
            lines << kinds[row] + '\t' + x + '\t' + y + '\n';
        }
        QCOMPARE(status->text(), QStringLiteral("Точек: 3"));
        points->selectRow(2);
        points->selectionModel()->select(points->model()->index(0, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QApplication::clipboard()->clear();
        QTest::mouseClick(copy, Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(), lines[0] + lines[2]);

        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("points"));
        w->modalHook = [name](QDialog& dialog) {
            static_cast<QFileDialog&>(dialog).selectFile(name);
            return int(QDialog::Accepted);
        };
        QTest::mouseClick(save, Qt::LeftButton);
        QFile file(name + QStringLiteral(".csv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString csv = QStringLiteral("Точка,x,y\r\n");
        for (const QString& line : lines)
            csv += QString(line).replace('\t', ',').replace("\n", "\r\n");
        QCOMPARE(QString::fromUtf8(file.readAll()), csv);
        // A run that finds nothing empties the list.
        RunInMainWindow(w, QStringLiteral("exp(x)"));
        w.Settle();
        QCOMPARE(points->rowCount(), 0);
        QCOMPARE(status->text(), QStringLiteral("Точек: 0"));
    }

    void pictureModeRedrawsTheMainPicture() {
        WindowFixture w;
        w.Run(QStringLiteral("a/2+1"));  // a0 becomes 1.5
        const QImage graph = w.Picture();
        TableWindow& window = *w.ui.tableWindow;
        const TableControls table(window);
        table.cbxPictureMode->setCurrentIndex(1);
        QCOMPARE(window.Mode(), PictureMode::Terms);
        const QImage terms = w.Picture();
        QVERIFY(terms != graph);
        table.cbxPictureMode->setCurrentIndex(2);
        const QImage cobweb = w.Picture();
        QVERIFY(cobweb != terms && cobweb != graph);
        QVERIFY(w.messages.empty());
        // The scale commands redraw the chosen picture.
        QTest::mouseClick(w.ui.btnMPlus, Qt::LeftButton);
        QVERIFY(w.Picture() != cobweb);
        QTest::mouseClick(w.ui.btnMMinus, Qt::LeftButton);
        QCOMPARE(w.Picture(), cobweb);
        // A run of an expression with n: the message, and the background only.
        w.Run(QStringLiteral("a+1/n"));
        QCOMPARE(w.messages.size(), size_t(1));
        QCOMPARE(w.messages.back().text,
                 QStringLiteral("Паутина строится только для выражений без n"));
        table.cbxPictureMode->setCurrentIndex(0);
        QCOMPARE(window.Mode(), PictureMode::Graph);
    }

    // "Вид → Рисунок" shows and sets the same choice; closing the table window returns to the
    // graph; the window opens clear of the main window's menu.
    void pictureModeInTheViewMenu() {
        WindowFixture w;
        w.Run(QStringLiteral("a/2+1"));
        TableWindow& window = *w.ui.tableWindow;
        const TableControls table(window);
        auto* menu = w->findChild<QMenu*>(QStringLiteral("mnuViewPicture"));
        QVERIFY(menu);
        const QList<QAction*> modes = menu->actions();
        QCOMPARE(modes.size(), 3);
        QCOMPARE(modes[2]->text(), QStringLiteral("Паутина"));
        QVERIFY(modes[0]->isChecked());
        const QImage graph = w.Picture();
        modes[2]->trigger();
        QCOMPARE(window.Mode(), PictureMode::Cobweb);
        QCOMPARE(table.cbxPictureMode->currentIndex(), 2);
        QVERIFY(w.Picture() != graph);
        table.cbxPictureMode->setCurrentIndex(1);
        QVERIFY(modes[1]->isChecked() && !modes[2]->isChecked());
        const QImage terms = w.Picture();
        w.ui.mnuTableOpen->trigger();
        QVERIFY(window.isVisible());
        QVERIFY(window.frameGeometry().top() >=
                w->menuBar()->mapToGlobal(QPoint(0, 0)).y() + w->menuBar()->height());
        window.close();
        QCOMPARE(window.Mode(), PictureMode::Graph);
        QVERIFY(modes[0]->isChecked());
        QVERIFY(w.Picture() != terms);
    }

    void hundredThousandRows() {
        WindowFixture w;
        w.EnterField(w.ui.txtNk, QStringLiteral("100000"));
        w.Run(QStringLiteral("a+x"));
        TableWindow& window = *w.ui.tableWindow;
        const TableControls table(window);
        table.txtSeqX->setText(QStringLiteral("0.5"));
        w.ui.mnuTableOpen->trigger();
        Filled(window);
        QCOMPARE(table.model()->rowCount(), 100000);
        QCOMPARE(Cell(table, 99999, 0), QStringLiteral("100000"));
        QCOMPARE(Cell(table, 99999, 1), QStringLiteral("50001"));
        table.tblRows->scrollToBottom();
        QVERIFY(table.tblRows->rowAt(table.tblRows->viewport()->height() - 1) > 99000);
    }

    // A long fill shows its progress and is stopped by Esc or by the button; the table keeps the
    // rows it had, and says the fill stopped.
    void longFillShowsProgressAndStops_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Esc") << true;
        QTest::newRow("button") << false;
    }
    void longFillShowsProgressAndStops() {
        QFETCH(bool, escape);
        WindowFixture w;
        TableWindow& window = *w.ui.tableWindow;
        const TableControls table(window);
        OpenWithSequence(w, window);
        StartLongFill(table);
        QVERIFY(QTest::qWaitFor(
            [&] { return table.lblFillStatus->text().startsWith("Заполнение таблицы… "); }, 10000));
        QVERIFY(table.lblFillStatus->text().endsWith(QStringLiteral("%")));
        QCOMPARE(table.btnTableFill->text(), QStringLiteral("Остановить"));
        QVERIFY(window.Filling());
        if (escape) {
            QTest::keyClick(&window, Qt::Key_Escape);
        } else {
            QTest::mouseClick(table.btnTableFill, Qt::LeftButton);
        }
        Filled(window);
        QCOMPARE(table.lblFillStatus->text(), QStringLiteral("Заполнение прервано"));
        QCOMPARE(table.btnTableFill->text(), QStringLiteral("Заполнить"));
        // The sequence's rows stay: nothing half-made reaches the table.
        QCOMPARE(table.model()->rowCount(), kLongIndex);
        QCOMPARE(table.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("n"));
        // Esc with nothing filling changes nothing.
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.Filling());
        QCOMPARE(table.lblFillStatus->text(), QStringLiteral("Заполнение прервано"));
    }

    // A new fill during a fill, a run in the main window during a fill, and closing the table
    // window during a fill: the fill in flight is cancelled and never writes to the table.
    void fillInFlightIsCancelled_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("new fill") << 0;
        QTest::newRow("new run") << 1;
        QTest::newRow("window closed") << 2;
    }
    void fillInFlightIsCancelled() {
        QFETCH(int, how);
        WindowFixture w;
        TableWindow& window = *w.ui.tableWindow;
        const TableControls table(window);
        OpenWithSequence(w, window);
        StartLongFill(table);
        QVERIFY(QTest::qWaitFor([&] { return !table.lblFillStatus->text().isEmpty(); }, 10000));
        int rows = kLongIndex;
        switch (how) {
            case 0:  // the last fill wins
                table.txtTableStep->setText(QStringLiteral("0.5"));
                QTest::keyClick(table.txtTableStep, Qt::Key_Return);
                rows = 3;
                break;
            case 1:  // the run refills the open window from the new expression
                RunInMainWindow(w, QStringLiteral("x*2"));
                rows = 10001;
                break;
            default:
                window.close();
                QVERIFY(!window.Filling());
                break;
        }
        Filled(window);
        QVERIFY(WaitForWorkThreads(10000));
        QTest::qWait(50);
        QCOMPARE(table.model()->rowCount(), rows);
        QVERIFY(table.lblFillStatus->text().isEmpty());
        QCOMPARE(table.btnTableFill->text(), QStringLiteral("Заполнить"));
        if (how == 1) QCOMPARE(Cell(table, 1, 1), QStringLiteral("0.0002"));
    }

    // Closing the program during a fill: the window goes, and the fill's thread with it.
    void programClosedDuringFill() {
        auto w = std::make_unique<WindowFixture>();
        TableWindow& window = *w->ui.tableWindow;
        const TableControls table(window);
        OpenWithSequence(*w, window);
        StartLongFill(table);
        QVERIFY(QTest::qWaitFor([&] { return !table.lblFillStatus->text().isEmpty(); }, 10000));
        QVERIFY(window.Filling());
        w->form().close();
        w.reset();
        // The fill of seconds ends at its next row once the window is gone.
        QVERIFY(WaitForWorkThreads(2000));
    }
};

std::unique_ptr<QObject> MakeTableWindowTest() {
    return std::make_unique<TableWindowTest>();
}

#include "table_window_test.moc"
