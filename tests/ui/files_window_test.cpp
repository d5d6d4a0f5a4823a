// The file commands through the window: the function file saved and loaded with its dialogs
// (then run and centred), refusals that leave the window as it was, the picture and scenario
// exports, the forwarding buttons and shortcuts, the help page and the About box.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <functional>

#include "engine/engine_state.h"
#include "files/function_file.h"
#include "ui/about_box.h"
#include "ui/picture_widget.h"
#include "view/scale_commands.h"
#include "window_fixture.h"

// Records the addresses the desktop services are asked to open.
class UrlRecorder : public QObject {
    Q_OBJECT

  public:
    QList<QUrl> opened;

  public slots:
    void open(const QUrl& url) { opened << url; }
};

namespace {

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Answers the next file dialog with `name` (or cancels it when `name` is empty) and notes which
// dialog it was.
void AnswerFileDialog(WindowFixture& w, const QString& name, QString* dialogName = nullptr,
                      QString* folder = nullptr) {
    w->modalHook = [name, dialogName, folder](QDialog& dialog) {
        if (dialogName) *dialogName = dialog.objectName();
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        if (folder && files) *folder = files->directory().absolutePath();
        if (name.isEmpty() || !files) return int(QDialog::Rejected);
        files->selectFile(name);
        return int(QDialog::Accepted);
    };
}

// Everything of the window that a refused command must leave as it was.
struct WindowSnapshot {
    QString expression;
    QStringList fields;
    bool bounded = false;
    QString log;
    QImage picture;
    ViewState view;
    Engine engine;

    explicit WindowSnapshot(WindowFixture& w)
        : expression(w.ui.txtFunctionText->currentText()),
          bounded(w.ui.cbxBorderX->isChecked()),
          log(w.ui.memoGenHelp->toPlainText()),
          picture(w.Picture()),
          view(w->view()),
          engine(w->engine()) {
        for (QLineEdit* field : w.ui.parameterFields) fields << field->text();
    }

    bool operator==(const WindowSnapshot& other) const {
        return expression == other.expression && fields == other.fields &&
               bounded == other.bounded && log == other.log && picture == other.picture &&
               view.PixelSizeX == other.view.PixelSizeX &&
               view.PixelSizeY == other.view.PixelSizeY &&
               view.SamplesPerPixel == other.view.SamplesPerPixel &&
               view.ArgumentFrom == other.view.ArgumentFrom &&
               view.ArgumentTo == other.view.ArgumentTo &&
               view.ViewOriginX == other.view.ViewOriginX &&
               view.ViewOriginY == other.view.ViewOriginY &&
               engine.IndexFrom == other.engine.IndexFrom &&
               engine.IndexTo == other.engine.IndexTo && engine.ValueA == other.engine.ValueA &&
               engine.ConstantC == other.engine.ConstantC;
    }
};

const QByteArray kDefaultSinx =
    "sinx\r\n0.0500000000\r\n0.0500000000\r\n1\r\n1\r\n100\r\n1.0000000000\r\n1.0000000000\r\n"
    "0\r\n";

}  // namespace

class FilesWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void saveWritesTheFunctionFile_data();
    void saveWritesTheFunctionFile();
    void saveDialogOpensInTheExamplesFolder();
    void completionListClosesWithTheDialog();
    void cancelledSaveWritesNothing();
    void loadRestoresRunsAndCentres();
    void loadAppliesTheBoundsAsAPair();
    void loadOfAnUnboundedFileClearsTheBox();
    void loadDrawsWhatTheCompanionDraws_data();
    void loadDrawsWhatTheCompanionDraws();
    void refusedLoadChangesNothing_data();
    void refusedLoadChangesNothing();
    void failedSaveIsReported();
    void pictureExport_data();
    void pictureExport();
    void scenarioExport_data();
    void scenarioExport();
    void exportFailureIsReported();
    void pictureDialogPreviewsTheSelectedFile();
    void forwardingButtonsAndShortcuts_data();
    void forwardingButtonsAndShortcuts();
    void helpOpensTheIndexBesideTheProgram();
    void helpRefusalOpensTheProgramWindow();
    void aboutBox();

  private:
    QTemporaryDir dir_;
};

void FilesWindowTest::saveWritesTheFunctionFile_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("bounded");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("default state") << "graph"
                                   << "graph.tvk" << false << kDefaultSinx;
    QTest::newRow("extension kept") << "graph.tvk"
                                    << "graph.tvk" << false << kDefaultSinx;
    QTest::newRow("other case") << "graph.TVK"
                                << "graph.TVK.tvk" << false << kDefaultSinx;
    QTest::newRow("bounded")
        << "bounded"
        << "bounded.tvk" << true
        << QByteArray(kDefaultSinx).replace(kDefaultSinx.size() - 3, 3, "1\r\n-1\r\n1\r\n");
}

void FilesWindowTest::saveWritesTheFunctionFile() {
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(bool, bounded);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    WindowFixture w;
    w.ui.txtFunctionText->setEditText("sinx");
    if (bounded) w.ui.cbxBorderX->click();
    AnswerFileDialog(w, dir.filePath(chosen));
    w.ui.mnuFunctionSave->trigger();
    QCOMPARE(FileBytes(dir.filePath(written)), bytes);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{written});
    QVERIFY(w.messages.empty());
}

// The completion list of the dialog's name field goes with the dialog.
void FilesWindowTest::completionListClosesWithTheDialog() {
    WindowFixture w;
    QWidget* list = nullptr;
    const QString example = w->programFolder() + "Examples/chislo_e_predel.tvk";
    w->modalHook = [&list, example](QDialog& dialog) {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
            if (edit->completer() && !list) {
                list = edit->completer()->popup();
                list->show();
            }
        }
        files->selectFile(example);
        return int(QDialog::Accepted);
    };
    w.ui.mnuFunctionOpen->trigger();
    QVERIFY(list);
    QVERIFY(!list->isVisible());
}

void FilesWindowTest::saveDialogOpensInTheExamplesFolder() {
    // On first use; then every dialog starts in the folder used last.
    QSettings(QStringLiteral("Tarvik"), QStringLiteral("Tarvik")).remove("dialogs/lastFolder");
    WindowFixture w;
    QString dialogName, folder;
    AnswerFileDialog(w, {}, &dialogName, &folder);
    w.ui.mnuFunctionSave->trigger();
    QCOMPARE(dialogName, "SaveDialog");
    QCOMPARE(folder + "/", w->programFolder() + "Examples/");
    QCOMPARE(w.ui.SaveDialog->nameFilters(), QStringList{"Файлы функций tvk (*.tvk)"});
    AnswerFileDialog(w, {}, &dialogName, &folder);
    w.ui.mnuFunctionOpen->trigger();
    QCOMPARE(dialogName, "OpenDialog");
    QCOMPARE(folder + "/", w->programFolder() + "Examples/");
    QCOMPARE(w.ui.OpenDialog->nameFilters(),
             QStringList({"Файлы функций (*.tvk)", "Все файлы (*.*)"}));
    QTemporaryDir dir;
    AnswerFileDialog(w, dir.filePath("pic"));
    w.ui.mnuFunctionSaveGr->trigger();
    for (QAction* command : {w.ui.mnuFunctionOpen, w.ui.mnuFunctionSave, w.ui.mnuFunctionSaveLog,
                             w.ui.mnuFunctionSaveGr}) {
        AnswerFileDialog(w, {}, &dialogName, &folder);
        command->trigger();
        QCOMPARE(folder, QDir(dir.path()).absolutePath());
    }
}

void FilesWindowTest::cancelledSaveWritesNothing() {
    QTemporaryDir dir;
    WindowFixture w;
    AnswerFileDialog(w, {});
    for (QAction* action : {w.ui.mnuFunctionSave, w.ui.mnuFunctionSaveGr, w.ui.mnuFunctionSaveLog})
        action->trigger();
    QVERIFY(QDir(dir.path()).isEmpty());
    QVERIFY(w.messages.empty());
}

void FilesWindowTest::loadRestoresRunsAndCentres() {
    QTemporaryDir dir;
    WindowFixture w;
    const QString path = dir.filePath("saved.tvk");
    WriteFile(path,
              "a*x^2\r\n0.0200000000\r\n0.1000000000\r\n3\r\n2\r\n7\r\n1.5000000000\r\n"
              "-2.0000000000\r\n1\r\n-0.5\r\n4e0\r\n");
    const int logLines = w.ui.ScenarioLines().size();
    AnswerFileDialog(w, path);
    w.ui.mnuFunctionOpen->trigger();
    w.Settle();

    QVERIFY(w.messages.empty());
    QCOMPARE(w.ui.txtFunctionText->currentText(), "a*x^2");
    QVERIFY(w.ui.cbxBorderX->isChecked());
    QVERIFY(w.ui.txtX0->isEnabled());
    QCOMPARE(w->view().PixelSizeX, 0.02L);
    QCOMPARE(w->view().PixelSizeY, 0.1L);
    QCOMPARE(w->view().SamplesPerPixel, 3);
    QCOMPARE(w->engine().IndexFrom, 2);
    QCOMPARE(w->engine().IndexTo, 7);
    QCOMPARE(w->engine().ValueA, 1.5L);
    QCOMPARE(w->engine().ConstantC, -2.0L);
    QCOMPARE(w->view().ArgumentFrom, -0.5L);
    QCOMPARE(w->view().ArgumentTo, 4.0L);
    // The run logged the expression; the centre command put x = 0, y = 0 in the middle.
    QCOMPARE(w.ui.ScenarioLines().mid(logLines),
             QStringList({QString(65, '*'), "a*x^2", "График построен"}));
    QCOMPARE(w.ui.txtFunctionText->itemText(w.ui.txtFunctionText->count() - 1), "a*x^2");
    ViewState centred = w->view();
    CentreView(centred, w.ui.Image->canvas().Width(), w.ui.Image->canvas().Height());
    QCOMPARE(w->view().ViewOriginX, centred.ViewOriginX);
    QCOMPARE(w->view().ViewOriginY, centred.ViewOriginY);
    QStringList fields;
    for (QLineEdit* field : w.ui.parameterFields) fields << field->text();
    QCOMPARE(fields.mid(2), QStringList({"0.02", "0.1", "3", "-0.5", "4", "2", "7", "1.5", "-2"}));
}

void FilesWindowTest::loadAppliesTheBoundsAsAPair() {
    QTemporaryDir dir;
    WindowFixture w;
    const QString path = dir.filePath("bounds.tvk");
    QByteArray bytes = kDefaultSinx;
    WriteFile(path, bytes.replace(bytes.size() - 3, 3, "1\r\n2\r\n5\r\n"));
    AnswerFileDialog(w, path);
    w.ui.mnuFunctionOpen->trigger();
    QVERIFY(w.messages.empty());
    QCOMPARE(w->view().ArgumentFrom, 2.0L);
    QCOMPARE(w->view().ArgumentTo, 5.0L);
    QCOMPARE(w.ui.txtX0->text(), "2");
    QCOMPARE(w.ui.txtXk->text(), "5");
}

void FilesWindowTest::loadOfAnUnboundedFileClearsTheBox() {
    QTemporaryDir dir;
    WindowFixture w;
    w.ui.cbxBorderX->click();
    WriteFile(dir.filePath("free.tvk"), kDefaultSinx);
    AnswerFileDialog(w, dir.filePath("free.tvk"));
    w.ui.mnuFunctionOpen->trigger();
    QVERIFY(!w.ui.cbxBorderX->isChecked());
    QVERIFY(!w.ui.txtX0->isEnabled());
    QVERIFY(!w.ui.txtXk->isEnabled());
}

// The window and tarvik-cli render --load share the loader: the same example gives the same
// picture at the same size.
void FilesWindowTest::loadDrawsWhatTheCompanionDraws_data() {
    QTest::addColumn<QString>("example");
    QTest::newRow("function") << "sinusoida.tvk";
    QTest::newRow("bounded") << "polukrug.tvk";
    QTest::newRow("sequence over x with c") << "logisticheskoe_otobrazhenie.tvk";
    QTest::newRow("scales of ten decimals") << "zatuhayushie_kolebaniya.tvk";
}

void FilesWindowTest::loadDrawsWhatTheCompanionDraws() {
    QFETCH(QString, example);
    QTemporaryDir dir;
    WindowFixture w;
    // The companion draws no points of interest.
    QAction* points = w->findChild<QAction*>(QStringLiteral("mnuViewPoints"));
    QVERIFY(points != nullptr);
    points->setChecked(false);
    const QString path = w->programFolder() + "Examples/" + example;
    QVERIFY(QFile::exists(path));
    AnswerFileDialog(w, path);
    w.ui.mnuFunctionOpen->trigger();
    QVERIFY(w.messages.empty());
    const QImage shown = w.Picture();
    const QString picture = dir.filePath("cli.bmp");
    QProcess cli;
    cli.start(QStringLiteral(TARVIK_CLI_PATH),
              {"render", "--load", path, "-o", picture, "--size",
               QStringLiteral("%1x%2").arg(shown.width()).arg(shown.height())});
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 0);
    QCOMPARE(QImage(picture).convertToFormat(QImage::Format_RGB32),
             shown.convertToFormat(QImage::Format_RGB32));
    points->setChecked(true);
}

void FilesWindowTest::refusedLoadChangesNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");  // written first unless empty
    QTest::addColumn<QString>("message");
    QTest::newRow("missing file") << "missing.tvk" << QByteArray() << "File not found.";
    QTest::newRow("missing folder") << "none/missing.tvk" << QByteArray() << "Invalid filename.";
    QTest::newRow("joined text") << "bad.tvk" << QByteArray("cosx\r\n0.1\r\n0.05x\r\n")
                                 << "Invalid numeric input in line 3.";
    QTest::newRow("control byte") << "nul.tvk" << QByteArray("cos\x02x\r\n0.1\r\n")
                                  << "Invalid character in line 1.";
    QTest::newRow("long line") << "long.tvk" << QByteArray(70000, 'x').append("\r\n")
                               << "Line 1 is too long.";
    QTest::newRow("zero scale")
        << "zero.tvk" << QByteArray(kDefaultSinx).replace("0.0500000000\r\n1\r\n", "0\r\n1\r\n")
        << "Value out of range in line 3.";
    QTest::newRow("truncated") << "short.tvk" << QByteArray("cosx\r\n0.1\r\n")
                               << "Missing value in line 3.";
    QTest::newRow("bounds reversed")
        << "reversed.tvk"
        << QByteArray(kDefaultSinx).replace(kDefaultSinx.size() - 3, 3, "1\r\n5\r\n2\r\n")
        << "Argument bounds out of order in lines 10 and 11.";
}

void FilesWindowTest::refusedLoadChangesNothing() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (!bytes.isEmpty()) WriteFile(path, bytes);
    WindowFixture w;
    w.TypeInto(w.ui.txtFunctionText->lineEdit(), "typed but not run");
    const WindowSnapshot before(w);
    AnswerFileDialog(w, path);
    w.ui.mnuFunctionOpen->trigger();
    QCOMPARE(w.messages.size(), size_t(1));
    QCOMPARE(w.messages[0].icon, QMessageBox::Critical);
    QCOMPARE(w.messages[0].caption, "Tarvik");
    QCOMPARE(w.messages[0].text, message);
    QVERIFY(WindowSnapshot(w) == before);
    if (!bytes.isEmpty()) QCOMPARE(FileBytes(path), bytes);
}

void FilesWindowTest::failedSaveIsReported() {
    QTemporaryDir dir;
    WindowFixture w;
    QDir(dir.path()).mkdir("taken.tvk");
    AnswerFileDialog(w, dir.filePath("none/graph"));
    w.ui.mnuFunctionSave->trigger();
    AnswerFileDialog(w, dir.filePath("taken"));
    w.ui.mnuFunctionSave->trigger();
    QCOMPARE(w.messages.size(), size_t(2));
    QCOMPARE(w.messages[0].text, "Invalid filename.");
    QCOMPARE(w.messages[1].text, "File access denied.");
}

void FilesWindowTest::pictureExport_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("no extension") << "pic"
                                  << "pic.bmp";
    QTest::newRow("extension") << "pic.bmp"
                               << "pic.bmp";
    QTest::newRow("upper case") << "pic.BMP"
                                << "pic.BMP.bmp";
}

void FilesWindowTest::pictureExport() {
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QTemporaryDir dir;
    WindowFixture w;
    QString dialogName;
    AnswerFileDialog(w, dir.filePath(chosen), &dialogName);
    w.ui.mnuFunctionSaveGr->trigger();
    QCOMPARE(dialogName, "SavePictureDialog");
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{written});
    const QByteArray bytes = FileBytes(dir.filePath(written));
    QCOMPARE(bytes.left(2), QByteArray("BM"));
    QCOMPARE(int(bytes[28]), 24);
    const QImage saved = QImage::fromData(bytes, "BMP");
    // The picture as the window shows it, labels included.
    const QImage shown = w->ShownPicture();
    QCOMPARE(saved.size(), shown.size());
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32),
             shown.convertToFormat(QImage::Format_RGB32));
}

void FilesWindowTest::scenarioExport_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("empty");
    QTest::newRow("no extension") << "log"
                                  << "log.txt" << false;
    QTest::newRow("upper case") << "log.TXT"
                                << "log.TXT.txt" << false;
    QTest::newRow("extension") << "log.txt"
                               << "log.txt" << false;
    QTest::newRow("empty log") << "log"
                               << "log.txt" << true;
}

void FilesWindowTest::scenarioExport() {
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(bool, empty);
    QTemporaryDir dir;
    WindowFixture w;
    w.Run("2+2");
    if (empty) w.ui.memoGenHelp->clear();
    QString dialogName;
    AnswerFileDialog(w, dir.filePath(chosen), &dialogName);
    w.ui.mnuFunctionSaveLog->trigger();
    QCOMPARE(dialogName, "SaveDialog1");
    QByteArray expected;
    for (const QString& line : w.ui.ScenarioLines()) expected += line.toUtf8() + "\r\n";
    QCOMPARE(FileBytes(dir.filePath(written)), expected);
    QVERIFY(empty ? expected.isEmpty() : expected.endsWith("2+2\r\n4\r\n"));
}

void FilesWindowTest::exportFailureIsReported() {
    QTemporaryDir dir;
    WindowFixture w;
    AnswerFileDialog(w, dir.filePath("none/pic"));
    w.ui.mnuFunctionSaveGr->trigger();
    AnswerFileDialog(w, dir.filePath("none/log"));
    w.ui.mnuFunctionSaveLog->trigger();
    QCOMPARE(w.messages.size(), size_t(2));
    QCOMPARE(w.messages[0].text, "Cannot create file " + dir.filePath("none/pic.bmp") + ".");
    QCOMPARE(w.messages[1].text, "Cannot create file " + dir.filePath("none/log.txt") + ".");
}

void FilesWindowTest::pictureDialogPreviewsTheSelectedFile() {
    QTemporaryDir dir;
    QImage picture(64, 32, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(dir.filePath("old.bmp"), "BMP"));
    WriteFile(dir.filePath("notes.txt"), "not a picture");
    WindowFixture w;
    QPixmap previewOfPicture, previewOfText;
    bool previewShown = false;
    w->modalHook = [&](QDialog& dialog) {
        auto& files = static_cast<QFileDialog&>(dialog);
        auto* preview = dialog.findChild<QLabel*>("PicturePreview");
        if (!preview) return int(QDialog::Rejected);
        dialog.show();
        previewShown = preview->isVisible();
        emit files.currentChanged(dir.filePath("old.bmp"));
        previewOfPicture = preview->pixmap();
        emit files.currentChanged(dir.filePath("notes.txt"));
        previewOfText = preview->pixmap();
        dialog.hide();
        return int(QDialog::Rejected);
    };
    w.ui.mnuFunctionSaveGr->trigger();
    QVERIFY(previewShown);
    QCOMPARE(previewOfPicture.size(), QSize(160, 80));
    QCOMPARE(previewOfPicture.toImage().pixelColor(80, 40), QColor(Qt::red));
    QVERIFY(previewOfText.isNull());
}

void FilesWindowTest::forwardingButtonsAndShortcuts_data() {
    QTest::addColumn<QString>("button");  // a flat button, or empty for the key
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("load button") << "btnLoadFunction" << QKeySequence() << "OpenDialog";
    QTest::newRow("save button") << "btnSaveFunction" << QKeySequence() << "SaveDialog";
    QTest::newRow("picture button") << "btnSaveGraphic" << QKeySequence() << "SavePictureDialog";
    QTest::newRow("scenario button") << "mnuSaveSc" << QKeySequence() << "SaveDialog1";
    QTest::newRow("F3") << QString() << QKeySequence(Qt::Key_F3) << "OpenDialog";
    QTest::newRow("F2") << QString() << QKeySequence(Qt::Key_F2) << "SaveDialog";
    QTest::newRow("Ctrl+S") << QString() << QKeySequence(Qt::CTRL | Qt::Key_S)
                            << "SavePictureDialog";
}

void FilesWindowTest::forwardingButtonsAndShortcuts() {
    QFETCH(QString, button);
    QFETCH(QKeySequence, key);
    QFETCH(QString, dialog);
    WindowFixture w;
    QString shown;
    AnswerFileDialog(w, {}, &shown);
    if (!button.isEmpty()) {
        auto* flat = w->findChild<QToolButton*>(button);
        QVERIFY(flat);
        w.ui.pgPages->setCurrentIndex(w.ui.pgPages->indexOf(flat->parentWidget()));
        QTest::mouseClick(flat, Qt::LeftButton);
    } else {
        QTest::keySequence(w.form().windowHandle(), key);
    }
    QCOMPARE(shown, dialog);
}

void FilesWindowTest::helpOpensTheIndexBesideTheProgram() {
    WindowFixture w;
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("file", &recorder, "open");
    const QString elsewhere = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    QTest::keyClick(w.form().windowHandle(), Qt::Key_F1);
    w.ui.mnuHelpHelp->trigger();
    QDir::setCurrent(elsewhere);
    QDesktopServices::unsetUrlHandler("file");
    const QUrl index =
        QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/help/index.htm");
    QCOMPARE(recorder.opened, QList<QUrl>({index, index}));
    QVERIFY(w.messages.empty());
}

void FilesWindowTest::helpRefusalOpensTheProgramWindow() {
    WindowFixture w;
    UrlRecorder recorder;
    // A handler that cannot be called makes the opening fail: the program's own help window
    // shows the index instead, without an error box.
    QDesktopServices::setUrlHandler("file", &recorder, "noSuchSlot");
    w.ui.mnuHelpHelp->trigger();
    QDesktopServices::unsetUrlHandler("file");
    QVERIFY(w.messages.empty());
    auto* help = w->findChild<QWidget*>("HelpWindow");
    QVERIFY(help && help->isVisible());
    auto* browser = help->findChild<QTextBrowser*>("helpBrowser");
    QVERIFY(browser);
    QVERIFY(browser->source().toLocalFile().endsWith("help/index.htm"));
}

void FilesWindowTest::aboutBox() {
    WindowFixture w;
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("file", &recorder, "open");
    bool closedByLink = false;
    bool closedByOk = false;
    int result = -1;
    AboutBox* seen = nullptr;
    w->modalHook = [&](QDialog& dialog) {
        seen = qobject_cast<AboutBox*>(&dialog);
        if (!seen) return int(QDialog::Rejected);
        dialog.show();
        QTest::mouseClick(seen->OKButton, Qt::LeftButton);
        closedByOk = !dialog.isVisible();
        result = dialog.result();
        dialog.show();
        QTest::mouseClick(seen->lblLink, Qt::LeftButton);
        closedByLink = !dialog.isVisible();
        return result;
    };
    w.ui.mnuHelpAbout->trigger();
    QDesktopServices::unsetUrlHandler("file");
    QVERIFY(seen);
    QCOMPARE(seen->windowTitle(), "About Tarvik 1.0");
    QCOMPARE(seen->size(), QSize(298, 190));
    QCOMPARE(seen->Panel1->geometry(), QRect(8, 8, 281, 137));
    QCOMPARE(seen->ProgramIcon->geometry(), QRect(8, 8, 33, 33));
    QCOMPARE(seen->Image1->geometry(), QRect(8, 40, 41, 33));
    QCOMPARE(seen->lblTitle->text(), "Tarvik 1.0");
    QVERIFY(seen->lblTitle->font().bold() && seen->lblTitle->font().italic());
    QCOMPARE(seen->lblTitle->palette().color(QPalette::WindowText), QColor(Qt::red));
    QCOMPARE(seen->lblTitle->pos(), QPoint(80, 8));
    QCOMPARE(seen->Label1->pos(), QPoint(64, 48));
    QCOMPARE(seen->Label2->pos(), QPoint(64, 72));
    // The version from the build, the licence, and no web address left.
    QCOMPARE(seen->Label2->text(), QStringLiteral("Версия " TARVIK_VERSION " — декабрь 2026 г."));
    QCOMPARE(seen->lblLicence->text(), QStringLiteral("Лицензия: все права защищены"));
    for (const QLabel* label : seen->findChildren<QLabel*>()) {
        QVERIFY2(!label->text().contains(QStringLiteral("http")), qPrintable(label->text()));
        QVERIFY2(seen->Panel1->rect().contains(label->geometry()), qPrintable(label->objectName()));
    }
    QVERIFY(seen->lblLink->font().underline());
    QCOMPARE(seen->lblLink->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(seen->OKButton->isDefault());
    QCOMPARE(seen->OKButton->geometry(), QRect(215, 156, 75, 25));
    // The link opens the local help index, as F1 does.
    const QUrl index =
        QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/help/index.htm");
    QCOMPARE(recorder.opened, QList<QUrl>{index});
    QVERIFY(closedByLink);
    QVERIFY(closedByOk);
    QCOMPARE(result, int(QDialog::Accepted));
}

std::unique_ptr<QObject> MakeFilesWindowTest() {
    return std::make_unique<FilesWindowTest>();
}

#include "files_window_test.moc"
