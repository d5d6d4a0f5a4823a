// The table window's wiring: the menu entry, the tables filled from the last run expression and
// the fields, copying and CSV, the picture mode redrawing the main picture, and a table of
// 100000 rows.
#include "ui/table_window.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "ui/table_model.h"
#include "window_fixture.h"

class TableWindowTest : public QObject {
    Q_OBJECT

  private:
    static QString Cell(TableWindow& table, int row, int column) {
        return table.model->index(row, column).data().toString();
    }

  private slots:
    void menuEntryOpensTheSequenceOfTheLastRun() {
        WindowFixture w;
        w.Run(QStringLiteral("a+n*x"));
        w.ui.mnuTableOpen->trigger();
        TableWindow& table = *w.ui.tableWindow;
        QVERIFY(table.isVisible());
        QCOMPARE(table.windowTitle(), QStringLiteral("Таблица"));
        // At x = 0 every term is a0 = 1; at x = 1 the terms are 1 + n(n+1)/2.
        QCOMPARE(table.model->rowCount(), 100);
        QCOMPARE(Cell(table, 99, 1), QStringLiteral("1"));
        table.txtSeqX->setText(QStringLiteral("1"));
        QTest::mouseClick(table.btnTableFill, Qt::LeftButton);
        QCOMPARE(Cell(table, 0, 0), QStringLiteral("1"));
        QCOMPARE(Cell(table, 0, 1), QStringLiteral("2"));
        QCOMPARE(Cell(table, 99, 0), QStringLiteral("100"));
        QCOMPARE(Cell(table, 99, 1), QStringLiteral("5051"));
        QCOMPARE(table.lblLastTerm->text(), QStringLiteral("Последний член: 5051"));
        QCOMPARE(table.lblLastDifference->text(), QStringLiteral("Последняя разность: 100"));
        QCOMPARE(table.lblBehaviour->text(), QStringLiteral("Расходится к +∞"));
        // A new run refills the open window.
        w.Run(QStringLiteral("a*0+x"));
        QCOMPARE(Cell(table, 99, 1), QStringLiteral("1"));
        QCOMPARE(table.lblBehaviour->text(), QStringLiteral("Сходится к 1"));
    }

    void functionTableAndItsRefusals() {
        WindowFixture w;
        w.Run(QStringLiteral("1/x"));
        w.ui.mnuTableOpen->trigger();
        TableWindow& table = *w.ui.tableWindow;
        table.rbtFunctionTable->setChecked(true);
        table.txtTableX0->setText(QStringLiteral("-1"));
        table.txtTableXk->setText(QStringLiteral("1"));
        table.txtTableStep->setText(QStringLiteral("0.5"));
        QTest::keyClick(table.txtTableStep, Qt::Key_Return);
        QCOMPARE(table.model->rowCount(), 5);
        QCOMPARE(Cell(table, 1, 0), QStringLiteral("-0.5"));
        QCOMPARE(Cell(table, 1, 1), QStringLiteral("-2"));
        QCOMPARE(Cell(table, 2, 1), QStringLiteral("ОШИБКА: Деление на ноль"));
        QVERIFY(!table.lblBehaviour->isVisible());
        table.txtTableStep->setText(QStringLiteral("0"));
        QTest::mouseClick(table.btnTableFill, Qt::LeftButton);
        QCOMPARE(w.messages.size(), size_t(1));
        QCOMPARE(w.messages.back().text, QStringLiteral("Шаг должен быть больше нуля"));
        QCOMPARE(table.model->rowCount(), 5);
        table.rbtSequence->setChecked(true);
        table.txtSeqX->setText(QStringLiteral("1,5"));
        QTest::mouseClick(table.btnTableFill, Qt::LeftButton);
        QCOMPARE(w.messages.back().text, QStringLiteral("Введите правильное значение аргумента"));
    }

    void copiesSelectedRowsAndSavesCsv() {
        WindowFixture w;
        w.EnterField(w.ui.txtNk, QStringLiteral("4"));
        w.Run(QStringLiteral("a*n+x"));
        w.ui.mnuTableOpen->trigger();
        TableWindow& table = *w.ui.tableWindow;
        table.tblRows->selectRow(3);
        table.tblRows->selectionModel()->select(
            table.model->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QApplication::clipboard()->clear();
        QTest::mouseClick(table.btnTableCopy, Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("2\t2\n4\t24\n"));
        // Ctrl+C in the table does the same.
        table.tblRows->selectRow(2);
        QApplication::clipboard()->clear();
        table.activateWindow();
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

    void pictureModeRedrawsTheMainPicture() {
        WindowFixture w;
        w.Run(QStringLiteral("a/2+1"));  // a0 becomes 1.5
        const QImage graph = w.Picture();
        TableWindow& table = *w.ui.tableWindow;
        table.cbxPictureMode->setCurrentIndex(1);
        QCOMPARE(table.Mode(), PictureMode::Terms);
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
        QCOMPARE(table.Mode(), PictureMode::Graph);
    }

    void hundredThousandRows() {
        WindowFixture w;
        w.EnterField(w.ui.txtNk, QStringLiteral("100000"));
        w.Run(QStringLiteral("a+x"));
        w.ui.tableWindow->txtSeqX->setText(QStringLiteral("0.5"));
        w.ui.mnuTableOpen->trigger();
        TableWindow& table = *w.ui.tableWindow;
        QCOMPARE(table.model->rowCount(), 100000);
        QCOMPARE(Cell(table, 99999, 0), QStringLiteral("100000"));
        QCOMPARE(Cell(table, 99999, 1), QStringLiteral("50001"));
        table.tblRows->scrollToBottom();
        QVERIFY(table.tblRows->rowAt(table.tblRows->viewport()->height() - 1) > 99000);
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvik"));
    TableWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "table_window_test.moc"
