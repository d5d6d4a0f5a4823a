// The window among the desktop's programs: a file named on the command line opened after the
// start-up picture, a dropped file, the last files (function files and curve sets alike), and
// tarvik --help and --version without a display.
#include <QAction>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>

#include "window_fixture.h"

namespace {

QByteArray FunctionBytes(const char* expression) {
    return QByteArray(expression) +
           "\r\n0.0500000000\r\n0.0500000000\r\n1\r\n1\r\n100\r\n1.0000000000\r\n1.0000000000\r\n"
           "0\r\n";
}

QString WriteFunction(const QTemporaryDir& dir, const QString& name, const char* expression) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(FunctionBytes(expression));
    return path;
}

const QByteArray kSetBytes =
    "{\"format\": \"tarvik-curves\", \"version\": 1, \"curves\": [\n"
    "  {\"expression\": \"sinx\"},\n"
    "  {\"expression\": \"cosx\", \"colour\": \"#ff0000\"}]}\n";

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    return path;
}

// Drops `path` on the window; whether the window took the drag.
bool Drop(WindowFixture& w, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w.form(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w.form(), &drop);
    return true;
}

// The entries of "Последние файлы" as the menu shows them when it opens.
QStringList RecentEntries(WindowFixture& w) {
    auto* menu = w->findChild<QMenu*>(QStringLiteral("mnuFunctionRecent"));
    if (menu == nullptr) return {QStringLiteral("<no menu>")};
    emit menu->aboutToShow();
    QStringList texts;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator()) texts << action->text();
    }
    return texts;
}

QAction* RecentAction(WindowFixture& w, const char* name) {
    return w->findChild<QAction*>(QString::fromLatin1(name));
}

void ClearRecent() {
    QSettings(kApplicationTitle, kApplicationTitle).remove(QStringLiteral("files/recent"));
}

}  // namespace

class DesktopWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { ClearRecent(); }
    void fileFromOutsideOpensAfterTheStartUpPicture();
    void missingFileFromOutsideIsReported();
    void droppedFileIsOpened();
    void recentFilesListTheLastEight();
    void goneRecentFileIsDroppedWithAMessage();
    void setFromOutside_data();
    void setFromOutside();
    void refusedSetFromOutside_data();
    void refusedSetFromOutside();
    void helpAndVersionNeedNoDisplay();
    void decimalCommaReadsAndShowsTheComma();
};

void DesktopWindowTest::fileFromOutsideOpensAfterTheStartUpPicture() {
    QTemporaryDir dir;
    const QString path = WriteFunction(dir, "cos.tvk", "cosx");
    WindowFixture w;
    w->OpenAtStart(path);
    QTRY_COMPARE(w.ui.txtFunctionText->currentText(), QStringLiteral("cosx"));
    w.Settle();
    // The start-up example ran first, then the file's expression.
    const QString log = w.ui.memoGenHelp->toPlainText();
    QCOMPARE(log.count(QStringLiteral(
                 "*****************************************************************")),
             2);
    QVERIFY(log.trimmed().endsWith(QStringLiteral("График построен")));
    QVERIFY(w.messages.empty());
}

void DesktopWindowTest::missingFileFromOutsideIsReported() {
    QTemporaryDir dir;
    WindowFixture w;
    w.Settle();
    const QString example = w.ui.txtFunctionText->currentText();
    w->OpenAtStart(dir.filePath("missing.tvk"));
    QTRY_COMPARE(w.messages.size(), size_t(1));
    QCOMPARE(w.messages[0].icon, QMessageBox::Critical);
    QCOMPARE(w.messages[0].text, QStringLiteral("File not found."));
    QCOMPARE(w.ui.txtFunctionText->currentText(), example);
    QCOMPARE(RecentEntries(w), QStringList{"Очистить список"});
}

void DesktopWindowTest::droppedFileIsOpened() {
    QTemporaryDir dir;
    const QString path = WriteFunction(dir, "drop.tvk", "x^2");
    const QString other = dir.filePath("notes.txt");
    WindowFixture w;
    w.Settle();
    for (const QString& file : {other, path}) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(&w.form(), &enter);
        QCOMPARE(enter.isAccepted(), file == path);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&w.form(), &drop);
    }
    QTRY_COMPARE(w.ui.txtFunctionText->currentText(), QStringLiteral("x^2"));
    QVERIFY(w.messages.empty());
}

void DesktopWindowTest::recentFilesListTheLastEight() {
    QTemporaryDir dir;
    WindowFixture w;
    w.Settle();
    QCOMPARE(RecentEntries(w), QStringList{"Очистить список"});
    QVERIFY(!RecentAction(w, "mnuFunctionRecentClear")->isEnabled());
    for (int k = 1; k <= 9; ++k) {
        w->OpenAtStart(WriteFunction(dir, QStringLiteral("f%1.tvk").arg(k), "sinx"));
        w.Settle();
    }
    // Opening one again brings it to the top.
    w->OpenAtStart(dir.filePath("f5.tvk"));
    w.Settle();
    QCOMPARE(RecentEntries(w),
             (QStringList{"&1 f5.tvk", "&2 f9.tvk", "&3 f8.tvk", "&4 f7.tvk", "&5 f6.tvk",
                          "&6 f4.tvk", "&7 f3.tvk", "&8 f2.tvk", "Очистить список"}));
    WriteFunction(dir, "f2.tvk", "cosx");
    RecentAction(w, "mnuFunctionRecent8")->trigger();
    w.Settle();
    QCOMPARE(w.ui.txtFunctionText->currentText(), QStringLiteral("cosx"));
    QCOMPARE(RecentEntries(w).front(), QStringLiteral("&1 f2.tvk"));
    RecentAction(w, "mnuFunctionRecentClear")->trigger();
    QCOMPARE(RecentEntries(w), QStringList{"Очистить список"});
    // A window started later sees the same list.
    w->OpenAtStart(dir.filePath("f1.tvk"));
    w.Settle();
    WindowFixture later;
    QCOMPARE(RecentEntries(later), (QStringList{"&1 f1.tvk", "Очистить список"}));
}

void DesktopWindowTest::goneRecentFileIsDroppedWithAMessage() {
    QTemporaryDir dir;
    const QString kept = WriteFunction(dir, "kept.tvk", "sinx");
    const QString gone = WriteFunction(dir, "gone.tvk", "cosx");
    WindowFixture w;
    w->OpenAtStart(kept);
    w.Settle();
    w->OpenAtStart(gone);
    w.Settle();
    QVERIFY(QFile::remove(gone));
    RecentEntries(w);
    RecentAction(w, "mnuFunctionRecent1")->trigger();
    QCOMPARE(w.messages.size(), size_t(1));
    QCOMPARE(w.messages[0].icon, QMessageBox::Information);
    QVERIFY(w.messages[0].text.contains(gone));
    QCOMPARE(RecentEntries(w), (QStringList{"&1 kept.tvk", "Очистить список"}));
}

void DesktopWindowTest::setFromOutside_data() {
    QTest::addColumn<QString>("route");
    QTest::newRow("command line") << "argv";
    QTest::newRow("drop") << "drop";
    QTest::newRow("recent files") << "recent";
}

// A curve set from outside is opened as "Открыть набор кривых…" opens it: its curves become the
// window's set, and it heads the last files.
void DesktopWindowTest::setFromOutside() {
    QFETCH(QString, route);
    QTemporaryDir dir;
    const QString path = WriteFile(dir, "pair.tvkset", kSetBytes);
    WindowFixture w;
    w.Settle();
    if (route == "argv") {
        w->OpenAtStart(path);
    } else if (route == "drop") {
        QVERIFY(Drop(w, path));
    } else {
        w->OpenAtStart(path);
        QTRY_COMPARE(w->document().Curves.Size(), size_t(2));
        w.Run(QStringLiteral("x"));
        w.ui.cbxKill->setChecked(true);
        w.Run(QStringLiteral("x^3"));
        QCOMPARE(RecentEntries(w).front(), QStringLiteral("&1 pair.tvkset"));
        // The set is no longer what the file holds: "Новый" started another.
        QCOMPARE(w->document().Curves.Size(), size_t(1));
        RecentAction(w, "mnuFunctionRecent1")->trigger();
    }
    QTRY_COMPARE(w->document().Curves.Size(), size_t(2));
    w.Settle();
    QCOMPARE(w->document().Curves.Curves()[0].Expression, std::string("sinx"));
    QCOMPARE(w->document().Curves.Curves()[1].Expression, std::string("cosx"));
    QCOMPARE(w->document().Curves.Curves()[1].LineColour, Colour(0x0000FF));
    QCOMPARE(RecentEntries(w).front(), QStringLiteral("&1 pair.tvkset"));
    QVERIFY(w.messages.empty());
}

void DesktopWindowTest::refusedSetFromOutside_data() {
    QTest::addColumn<QString>("route");
    QTest::addColumn<QByteArray>("bytes");  // empty: no file
    QTest::addColumn<QString>("message");   // what the box says, in part
    QTest::newRow("missing, command line") << "argv" << QByteArray() << "File not found.";
    QTest::newRow("missing, drop") << "drop" << QByteArray() << "File not found.";
    QTest::newRow("damaged, command line")
        << "argv" << QByteArray("{\"format\": \"tarvik-curves\",\n  \"version\" 1}") << "2";
    QTest::newRow("not a set, drop") << "drop" << QByteArray("[1, 2]") << "";
}

// A set that cannot be read or is refused gives the message box and leaves the start-up state.
void DesktopWindowTest::refusedSetFromOutside() {
    QFETCH(QString, route);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path =
        bytes.isEmpty() ? dir.filePath("gone.tvkset") : WriteFile(dir, "bad.tvkset", bytes);
    WindowFixture w;
    w.Settle();
    const QString example = w.ui.txtFunctionText->currentText();
    const size_t curves = w->document().Curves.Size();
    const QImage picture = w.Picture();
    if (route == "argv") {
        w->OpenAtStart(path);
    } else {
        QVERIFY(Drop(w, path));
    }
    QTRY_COMPARE(w.messages.size(), size_t(1));
    QCOMPARE(w.messages[0].icon, QMessageBox::Critical);
    QVERIFY2(w.messages[0].text.contains(message), qPrintable(w.messages[0].text));
    QCOMPARE(w.ui.txtFunctionText->currentText(), example);
    QCOMPARE(w->document().Curves.Size(), curves);
    QCOMPARE(w.Picture(), picture);
    QCOMPARE(RecentEntries(w), QStringList{"Очистить список"});
}

// Without any display (no platform, no DISPLAY), as in a terminal over ssh.
void DesktopWindowTest::helpAndVersionNeedNoDisplay() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name :
         {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    const struct {
        QStringList arguments;
        int exitCode;
        const char* out;  // what standard output holds
        const char* err;  // what standard error holds
    } rows[] = {
        {{"--help"}, 0, "[ФАЙЛ]", ""},
        {{"-h"}, 0, "--version", ""},
        {{"--version"}, 0, "Tarvik " TARVIK_VERSION "\n", ""},
        {{"--bogus"}, 2, "", "tarvik --help"},
        {{"--version", "a.tvk", "b.tvk"}, 0, "Tarvik", ""},
    };
    for (const auto& row : rows) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(TARVIK_PROGRAM_PATH), row.arguments);
        QVERIFY(process.waitForFinished(30000));
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        const QString err = QString::fromUtf8(process.readAllStandardError());
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), row.exitCode);
        QVERIFY2(out.contains(QString::fromUtf8(row.out)), qPrintable(out));
        QVERIFY2(err.contains(QString::fromUtf8(row.err)), qPrintable(err));
        if (row.exitCode == 0) QVERIFY2(err.isEmpty(), qPrintable(err));
    }
}

// With "Десятичная запятая" on, a comma between digits of the expression and the fields is the
// point and the fields and results show the comma; the file keeps the point, the log the
// expression as typed. Off (the default), the comma is an error again.
void DesktopWindowTest::decimalCommaReadsAndShowsTheComma() {
    QSettings(kApplicationTitle, kApplicationTitle).remove(QStringLiteral("view/decimalComma"));
    QTemporaryDir dir;
    WindowFixture w;
    w.Settle();
    auto* comma = w->findChild<QAction*>(QStringLiteral("mnuViewDecimalComma"));
    QVERIFY(comma != nullptr);
    QVERIFY(!comma->isChecked());
    comma->trigger();
    QCOMPARE(w.Field("txtXm")->text(), QStringLiteral("0,05"));
    w.Run("2,5*2");
    w.Settle();
    QCOMPARE(w.ui.txtResult->text(), QStringLiteral("5"));
    w.SetParameter(w.Field("txtC"), "0,5");
    QCOMPARE(double(w->engine().ConstantC), 0.5);
    w.Run("c/2");
    w.Settle();
    QCOMPARE(w.ui.txtResult->text(), QStringLiteral("0,25"));
    QCOMPARE(w.Field("txtA0")->text(), QStringLiteral("0,25"));
    QVERIFY(w.ui.memoGenHelp->toPlainText().contains(QStringLiteral("2,5*2")));
    const QString saved = dir.filePath("comma.tvk");
    w->modalHook = [&saved](QDialog& dialog) {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        if (files == nullptr) return int(QDialog::Rejected);
        files->selectFile(saved);
        return int(QDialog::Accepted);
    };
    w.ui.mnuFunctionSave->trigger();
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().split('\n').value(7), QByteArray("0.5000000000\r"));
    // The choice is kept for the next start.
    QVERIFY(QSettings(kApplicationTitle, kApplicationTitle)
                .value(QStringLiteral("view/decimalComma"))
                .toBool());
    comma->trigger();
    QCOMPARE(w.Field("txtC")->text(), QStringLiteral("0.5"));
    w.Run("2,5*2");
    w.Settle();
    QCOMPARE(w.ui.txtResult->text(), QStringLiteral("ОШИБКА: Выражение некорректно"));
}

std::unique_ptr<QObject> MakeDesktopWindowTest() {
    return std::make_unique<DesktopWindowTest>();
}

#include "desktop_window_test.moc"
