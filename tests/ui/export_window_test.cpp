// The picture outside the window, through the window: the save dialog's formats with the
// extension rule of the chosen filter and the filter remembered, printing (the print dialog
// answered by the test and the printer writing a PDF file), and the clipboard entries.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "window_fixture.h"

namespace {

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

int PdfPages(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return int(QString::fromLatin1(pdf).count(page));
}

// Answers the picture dialog with a filter and a name, and notes the filter it opened with.
void AnswerPictureDialog(WindowFixture& w, const QString& filter, const QString& name,
                         QString* openedWith = nullptr) {
    w->modalHook = [=](QDialog& dialog) {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        if (!files) return int(QDialog::Rejected);
        if (openedWith) *openedWith = files->selectedNameFilter();
        if (name.isEmpty()) return int(QDialog::Rejected);
        files->selectNameFilter(filter);
        files->selectFile(name);
        return int(QDialog::Accepted);
    };
}

}  // namespace

class ExportWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void savesEachFormat_data();
    void savesEachFormat();
    void lastFilterIsRemembered();
    void scaleChoice_data();
    void scaleChoice();
    void printWritesOnePageThroughTheDialog();
    void cancelledPrintPrintsNothing();
    void printOnWhiteIsOnByDefaultAndRemembered();
    void ctrlPOpensThePrintDialog();
    void copyShortcutsFromAnyFocus_data();
    void copyShortcutsFromAnyFocus();
};

void ExportWindowTest::savesEachFormat_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("png") << "Рисунок PNG (*.png)"
                         << "pic"
                         << "pic.png" << QByteArray("\x89PNG");
    QTest::newRow("png kept") << "Рисунок PNG (*.png)"
                              << "pic.png"
                              << "pic.png" << QByteArray("\x89PNG");
    QTest::newRow("png upper case") << "Рисунок PNG (*.png)"
                                    << "pic.PNG"
                                    << "pic.PNG.png" << QByteArray("\x89PNG");
    QTest::newRow("svg") << "Рисунок SVG (*.svg)"
                         << "pic"
                         << "pic.svg" << QByteArray("<?xml");
    QTest::newRow("pdf") << "Рисунок PDF (*.pdf)"
                         << "pic.pdf"
                         << "pic.pdf" << QByteArray("%PDF");
    // A typed extension of a known format picks the format, whatever the filter.
    QTest::newRow("bmp filter, png name") << "Рисунок BMP (*.bmp)"
                                          << "pic.png"
                                          << "pic.png" << QByteArray("\x89PNG");
    QTest::newRow("png filter, pdf name") << "Рисунок PNG (*.png)"
                                          << "pic.pdf"
                                          << "pic.pdf" << QByteArray("%PDF");
    QTest::newRow("bmp filter, other extension") << "Рисунок BMP (*.bmp)"
                                                 << "pic.jpg"
                                                 << "pic.jpg.bmp" << QByteArray("BM");
}

void ExportWindowTest::savesEachFormat() {
    QFETCH(QString, filter);
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(QByteArray, start);
    QTemporaryDir dir;
    WindowFixture w;
    AnswerPictureDialog(w, filter, dir.filePath(chosen));
    w.ui.mnuFunctionSaveGr->trigger();
    QCOMPARE(w.messages.size(), size_t(0));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{written});
    const QByteArray bytes = FileBytes(dir.filePath(written));
    QVERIFY(bytes.startsWith(start));
    if (start == "\x89PNG") {
        QCOMPARE(QImage::fromData(bytes, "PNG").convertToFormat(QImage::Format_RGB32),
                 w->ShownPicture().convertToFormat(QImage::Format_RGB32));
    }
    if (start == "%PDF") QCOMPARE(PdfPages(bytes), 1);
    // The axis labels, on by default, go into the vector picture as text.
    if (start == "<?xml") QVERIFY(bytes.contains("<text"));
    if (start == "<?xml") {
        const QSize size = w.Picture().size();
        QVERIFY(bytes.contains(QStringLiteral("viewBox=\"0 0 %1 %2\"")
                                   .arg(size.width())
                                   .arg(size.height())
                                   .toLatin1()));
    }
}

void ExportWindowTest::scaleChoice_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("scale");
    QTest::addColumn<QString>("written");
    QTest::newRow("png at 2") << "Рисунок PNG (*.png)" << 2 << "pic.png";
    QTest::newRow("bmp at 4") << "Рисунок BMP (*.bmp)" << 4 << "pic.bmp";
    QTest::newRow("svg keeps its size") << "Рисунок SVG (*.svg)" << 3 << "pic.svg";
    QTest::newRow("png at 1, as shown") << "Рисунок PNG (*.png)" << 1 << "pic.png";
}

// The dialog's "Масштаб" draws the raster files at that many pixels to the picture's pixel,
// remembered for the next time; the vector files keep the picture's size.
void ExportWindowTest::scaleChoice() {
    QFETCH(QString, filter);
    QFETCH(int, scale);
    QFETCH(QString, written);
    QTemporaryDir dir;
    WindowFixture w;
    w.Run(QStringLiteral("sinx"));
    int openedWith = 0;
    w->modalHook = [&](QDialog& dialog) {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        auto* choice =
            files ? files->findChild<QComboBox*>(QStringLiteral("PictureScale")) : nullptr;
        if (!choice) return int(QDialog::Rejected);
        openedWith = choice->currentData().toInt();
        choice->setCurrentIndex(choice->findData(scale));
        files->selectNameFilter(filter);
        files->selectFile(dir.filePath(QStringLiteral("pic")));
        return int(QDialog::Accepted);
    };
    w.ui.mnuFunctionSaveGr->trigger();
    QCOMPARE(w.messages.size(), size_t(0));
    const QByteArray bytes = FileBytes(dir.filePath(written));
    const QSize size = w.Picture().size();
    if (written.endsWith(".svg")) {
        QVERIFY(bytes.contains(QStringLiteral("viewBox=\"0 0 %1 %2\"")
                                   .arg(size.width())
                                   .arg(size.height())
                                   .toLatin1()));
    } else {
        const QImage saved = QImage::fromData(bytes).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(saved.size(), size * scale);
        const QImage shown = w->ShownPicture().convertToFormat(QImage::Format_RGB32);
        if (scale == 1) {
            QCOMPARE(saved, shown);
        } else {
            QVERIFY(saved != shown.scaled(saved.size()));
        }
    }
    // The next dialog opens with the scale chosen.
    w.ui.mnuFunctionSaveGr->trigger();
    QCOMPARE(openedWith, scale);
    w->modalHook = [](QDialog&) { return int(QDialog::Rejected); };
    // Back to 1 for the tests after this one.
    QSettings(QStringLiteral("Tarvik"), QStringLiteral("Tarvik"))
        .setValue(QStringLiteral("pictureExport/scale"), 1);
}

void ExportWindowTest::lastFilterIsRemembered() {
    QTemporaryDir dir;
    {
        WindowFixture w;
        AnswerPictureDialog(w, QStringLiteral("Рисунок SVG (*.svg)"), dir.filePath("a"));
        w.ui.mnuFunctionSaveGr->trigger();
    }
    WindowFixture w;
    QString openedWith;
    AnswerPictureDialog(w, {}, {}, &openedWith);
    w.ui.mnuFunctionSaveGr->trigger();
    QCOMPARE(openedWith, QStringLiteral("Рисунок SVG (*.svg)"));
    AnswerPictureDialog(w, QStringLiteral("Рисунок PDF (*.pdf)"), dir.filePath("b"));
    w.ui.mnuFunctionSaveGr->trigger();
    AnswerPictureDialog(w, {}, {}, &openedWith);
    w.ui.mnuFunctionSaveGr->trigger();
    QCOMPARE(openedWith, QStringLiteral("Рисунок PDF (*.pdf)"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"a.svg", "b.pdf"}));
}

void ExportWindowTest::printWritesOnePageThroughTheDialog() {
    QTemporaryDir dir;
    const QString output = dir.filePath("printed.pdf");
    WindowFixture w;
    w.Run(QStringLiteral("sinx"));
    QString shown;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    w->modalHook = [&](QDialog& dialog) {
        shown = dialog.objectName();
        auto* print = qobject_cast<QPrintDialog*>(&dialog);
        if (!print) return int(QDialog::Rejected);
        orientation = print->printer()->pageLayout().orientation();
        print->printer()->setOutputFormat(QPrinter::PdfFormat);
        print->printer()->setOutputFileName(output);
        return int(QDialog::Accepted);
    };
    w.ui.mnuFunctionPrint->trigger();
    QCOMPARE(shown, QStringLiteral("PrintDialog"));
    // The dialog offers the page turned as the picture is.
    const QSize picture = w.Picture().size();
    QCOMPARE(orientation,
             picture.width() > picture.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    // The page's title is the expression of the picture, which the caption holds.
    QVERIFY(w->windowTitle().endsWith(QStringLiteral("  \"sinx\"")));
    const QByteArray pdf = FileBytes(output);
    QVERIFY(pdf.startsWith("%PDF"));
    QCOMPARE(PdfPages(pdf), 1);
}

void ExportWindowTest::cancelledPrintPrintsNothing() {
    QTemporaryDir dir;
    WindowFixture w;
    w->modalHook = [&](QDialog& dialog) {
        if (auto* print = qobject_cast<QPrintDialog*>(&dialog)) {
            print->printer()->setOutputFormat(QPrinter::PdfFormat);
            print->printer()->setOutputFileName(dir.filePath("never.pdf"));
        }
        return int(QDialog::Rejected);
    };
    w.ui.mnuFunctionPrint->trigger();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{});
}

void ExportWindowTest::printOnWhiteIsOnByDefaultAndRemembered() {
    const QString key = QStringLiteral("print/onWhite");
    QSettings(QStringLiteral("Tarvik"), QStringLiteral("Tarvik")).remove(key);
    QTemporaryDir dir;
    // Each showing answers with the box's state and then sets it to `next`; a cancelled
    // dialog keeps nothing.
    const auto answer = [&](WindowFixture& w, bool next, bool accept, bool& seen) {
        w->modalHook = [&, next, accept](QDialog& dialog) {
            auto* box = dialog.findChild<QCheckBox*>(QStringLiteral("cbxPrintOnWhite"));
            auto* print = qobject_cast<QPrintDialog*>(&dialog);
            if (!box || !print) return int(QDialog::Rejected);
            seen = box->isChecked();
            box->setChecked(next);
            print->printer()->setOutputFormat(QPrinter::PdfFormat);
            print->printer()->setOutputFileName(dir.filePath("printed.pdf"));
            return int(accept ? QDialog::Accepted : QDialog::Rejected);
        };
        w.ui.mnuFunctionPrint->trigger();
    };
    bool first = false;
    bool afterCancel = false;
    bool afterOff = true;
    {
        WindowFixture w;
        answer(w, true, true, first);
        answer(w, false, false, afterCancel);
    }
    bool menuAfterOff = true;
    bool offeredFromMenu = false;
    {
        WindowFixture w;
        auto* entry = w->findChild<QAction*>(QStringLiteral("mnuFunctionPrintOnWhite"));
        QVERIFY(entry && entry->isChecked());
        bool offered = false;
        answer(w, false, true, offered);
        // The menu entry beside "Печать…" holds the same choice.
        menuAfterOff = entry->isChecked();
        answer(w, true, true, afterOff);
        entry->setChecked(false);
        answer(w, true, false, offeredFromMenu);
        entry->setChecked(true);
    }
    QVERIFY(!menuAfterOff);
    QVERIFY(!offeredFromMenu);
    QSettings(QStringLiteral("Tarvik"), QStringLiteral("Tarvik")).remove(key);
    QVERIFY(first);
    QVERIFY(afterCancel);
    QVERIFY(!afterOff);
    QVERIFY(QFile::exists(dir.filePath("printed.pdf")));
}

void ExportWindowTest::ctrlPOpensThePrintDialog() {
    WindowFixture w;
    QString shown;
    w->modalHook = [&](QDialog& dialog) {
        shown = dialog.objectName();
        return int(QDialog::Rejected);
    };
    QTest::keySequence(w.form().windowHandle(), QKeySequence(Qt::CTRL | Qt::Key_P));
    QCOMPARE(shown, QStringLiteral("PrintDialog"));
}

void ExportWindowTest::copyShortcutsFromAnyFocus_data() {
    QTest::addColumn<QString>("focus");
    QTest::newRow("expression box") << "txtFunctionText";
    QTest::newRow("parameter field") << "txtX";
    QTest::newRow("result field") << "txtResult";
    QTest::newRow("scenario") << "memoGenHelp";
}

void ExportWindowTest::copyShortcutsFromAnyFocus() {
    QFETCH(QString, focus);
    WindowFixture w;
    w.Run(QStringLiteral("sinx"));
    auto* target = w->findChild<QWidget*>(focus);
    QVERIFY(target);
    w.ClickFocus(target);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("before"));
    QTest::keySequence(w.form().windowHandle(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    const QImage copied = clipboard->image();
    QVERIFY(!copied.isNull());
    QCOMPARE(copied.convertToFormat(QImage::Format_RGB32),
             w->ShownPicture().convertToFormat(QImage::Format_RGB32));
    QTest::keySequence(w.form().windowHandle(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    QCOMPARE(clipboard->text(), QStringLiteral("График построен"));
    QCOMPARE(w.ui.txtResult->text(), QStringLiteral("График построен"));
}

std::unique_ptr<QObject> MakeExportWindowTest() {
    return std::make_unique<ExportWindowTest>();
}

#include "export_window_test.moc"
