// The help: the desktop's browser first, the program's own help window when no browser takes
// the page (no error box), the menu entry that always opens that window, links with back,
// forward and home, and find-in-page.
#include "ui/help_window.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>

#include "ui/about_box.h"
#include "ui/language.h"
#include "window_fixture.h"

namespace {

void WritePage(const QString& path, const QString& body) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>%1</body></html>")
                   .arg(body)
                   .toUtf8());
}

// Clicks the link to `target` on the browser's page.
void ClickLink(QTextBrowser& browser, const QString& target) {
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != target) continue;
            QTextCursor cursor(browser.document());
            cursor.setPosition(fragment.position() + fragment.length() / 2);
            const QPoint middle = browser.cursorRect(cursor).center();
            QTest::mouseClick(browser.viewport(), Qt::LeftButton, {}, middle);
            return;
        }
    }
    QFAIL(qPrintable("no link to " + target));
}

QString FileName(const QUrl& url) {
    return QFileInfo(url.toLocalFile()).fileName();
}

HelpWindow* ShownHelp(WindowFixture& w) {
    auto* help = w->findChild<HelpWindow*>();
    return help && help->isVisible() ? help : nullptr;
}

}  // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void cleanupTestCase();
    void browserFirstThenTheProgramWindow_data();
    void browserFirstThenTheProgramWindow();
    void entryAlwaysOpensTheProgramWindow();
    void desktopRefusalFallsBack();
    void aboutLinkWithoutBrowserShowsTheProgramHelp();
    void linksBackForwardAndHome();
    void missingIndexIsSaid();
    void findInPage_data();
    void findInPage();
    void findBarKeys();

  private:
    QTemporaryDir pages_;
};

void HelpWindowTest::initTestCase() {
    // The Russian interface and its help, whatever the system's language.
    StoreLanguage(Language::Russian);
    WritePage(pages_.filePath("index.htm"),
              "<h1>Start</h1><p><a href=\"second.htm\">second</a></p>");
    WritePage(pages_.filePath("second.htm"),
              "<p><a href=\"third.htm\">third</a> <a href=\"index.htm\">start</a></p>");
    WritePage(pages_.filePath("third.htm"), "<p>alpha beta gamma beta delta</p>");
}

void HelpWindowTest::cleanupTestCase() {
    QSettings(QStringLiteral("Tarvik"), QStringLiteral("Tarvik"))
        .remove(QStringLiteral("interface/language"));
}

void HelpWindowTest::browserFirstThenTheProgramWindow_data() {
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<bool>("browserTakesIt");
    QTest::newRow("F1, browser") << true << true;
    QTest::newRow("F1, no browser") << true << false;
    QTest::newRow("menu, browser") << false << true;
    QTest::newRow("menu, no browser") << false << false;
}

void HelpWindowTest::browserFirstThenTheProgramWindow() {
    QFETCH(bool, byKey);
    QFETCH(bool, browserTakesIt);
    WindowFixture w;
    QList<QUrl> asked;
    w->browserHook = [&](const QUrl& url) {
        asked << url;
        return browserTakesIt;
    };
    if (byKey)
        QTest::keyClick(w.form().windowHandle(), Qt::Key_F1);
    else
        w.ui.mnuHelpHelp->trigger();
    const QUrl index =
        QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/help/index.htm");
    QCOMPARE(asked, QList<QUrl>{index});
    QVERIFY(w.messages.empty());
    HelpWindow* help = ShownHelp(w);
    QCOMPARE(help != nullptr, !browserTakesIt);
    if (!help) return;
    QCOMPARE(help->windowTitle(), QStringLiteral("Справка — Tarvik"));
    auto* browser = help->findChild<QTextBrowser*>("helpBrowser");
    QCOMPARE(browser->source(), index);
    QVERIFY(browser->toPlainText().contains(QStringLiteral("Содержание")));
}

void HelpWindowTest::entryAlwaysOpensTheProgramWindow() {
    WindowFixture w;
    int asked = 0;
    w->browserHook = [&](const QUrl&) {
        ++asked;
        return true;
    };
    auto* entry = w->findChild<QAction*>("mnuHelpWindow");
    QVERIFY(entry);
    QCOMPARE(entry->text(), QStringLiteral("Справка в окне программы"));
    // Right after "&Справка".
    const QList<QAction*> entries = w.ui.mnuHelp->actions();
    QCOMPARE(entries.indexOf(entry), entries.indexOf(w.ui.mnuHelpHelp) + 1);
    entry->trigger();
    HelpWindow* help = ShownHelp(w);
    QVERIFY(help);
    QCOMPARE(asked, 0);
    // A second opening brings back the same window at the index.
    auto* browser = help->findChild<QTextBrowser*>("helpBrowser");
    browser->setSource(QUrl::fromLocalFile(pages_.filePath("third.htm")));
    help->close();
    entry->trigger();
    QCOMPARE(w->findChildren<HelpWindow*>().size(), 1);
    QVERIFY(help->isVisible());
    QCOMPARE(FileName(browser->source()), QStringLiteral("index.htm"));
    QVERIFY(w.messages.empty());
}

void HelpWindowTest::desktopRefusalFallsBack() {
    WindowFixture w;
    // Without the test's hook the desktop services are asked; a handler that cannot be called
    // makes them refuse, as a desktop without a browser does.
    QObject handler;
    QDesktopServices::setUrlHandler("file", &handler, "noSuchSlot");
    w.ui.mnuHelpHelp->trigger();
    QDesktopServices::unsetUrlHandler("file");
    QVERIFY(w.messages.empty());
    QVERIFY(ShownHelp(w));
}

void HelpWindowTest::aboutLinkWithoutBrowserShowsTheProgramHelp() {
    WindowFixture w;
    QList<QUrl> asked;
    w->browserHook = [&](const QUrl& url) {
        asked << url;
        return false;
    };
    w->modalHook = [](QDialog& dialog) {
        if (auto* about = qobject_cast<AboutBox*>(&dialog)) about->lblLinkClick();
        return int(QDialog::Accepted);
    };
    w.ui.mnuHelpAbout->trigger();
    QCOMPARE(asked.size(), 1);
    QVERIFY(w.messages.empty());
    HelpWindow* help = ShownHelp(w);
    QVERIFY(help);
    QCOMPARE(help->findChild<QTextBrowser*>("helpBrowser")->source(), asked.front());
}

void HelpWindowTest::linksBackForwardAndHome() {
    HelpWindow help;
    help.OpenHome(QUrl::fromLocalFile(pages_.filePath("index.htm")));
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    auto* browser = help.findChild<QTextBrowser*>("helpBrowser");
    auto* back = help.findChild<QToolButton*>("btnHelpBack");
    auto* forward = help.findChild<QToolButton*>("btnHelpForward");
    auto* home = help.findChild<QToolButton*>("btnHelpHome");
    QVERIFY(browser && back && forward && home);
    const auto page = [&] { return FileName(browser->source()); };
    QVERIFY(!back->isEnabled() && !forward->isEnabled());

    ClickLink(*browser, "second.htm");
    QCOMPARE(page(), QStringLiteral("second.htm"));
    ClickLink(*browser, "third.htm");
    QCOMPARE(page(), QStringLiteral("third.htm"));
    QVERIFY(back->isEnabled() && !forward->isEnabled());

    // Each step: the button, the page it leads to, then whether back and forward are enabled.
    const struct {
        QToolButton* button;
        const char* page;
        bool backEnabled, forwardEnabled;
    } steps[] = {
        {back, "second.htm", true, true},    {back, "index.htm", false, true},
        {forward, "second.htm", true, true}, {forward, "third.htm", true, false},
        {home, "index.htm", true, false},    {back, "third.htm", true, true},
    };
    for (const auto& step : steps) {
        QTest::mouseClick(step.button, Qt::LeftButton);
        QCOMPARE(page(), QString::fromLatin1(step.page));
        QCOMPARE(back->isEnabled(), step.backEnabled);
        QCOMPARE(forward->isEnabled(), step.forwardEnabled);
    }
}

void HelpWindowTest::missingIndexIsSaid() {
    HelpWindow help;
    const QString missing = pages_.filePath("nowhere/index.htm");
    help.OpenHome(QUrl::fromLocalFile(missing));
    auto* browser = help.findChild<QTextBrowser*>("helpBrowser");
    QCOMPARE(browser->toPlainText(), QStringLiteral("Страница справки не найдена: ") + missing);
}

void HelpWindowTest::findInPage_data() {
    // The page: "alpha beta gamma beta delta"; the searches in turn, and where each leaves the
    // selection (-1: not found, the selection kept).
    QTest::addColumn<QStringList>("searches");
    QTest::addColumn<QList<int>>("starts");
    QTest::newRow("forward, wrapping")
        << QStringList{"beta", "beta", "beta"} << QList<int>{6, 17, 6};
    QTest::newRow("backward from the start wraps to the end")
        << QStringList{"<beta", "<beta"} << QList<int>{17, 6};
    QTest::newRow("any letter case") << QStringList{"GAMMA"} << QList<int>{11};
    QTest::newRow("missing keeps the selection")
        << QStringList{"delta", "omega", "<beta"} << QList<int>{22, -1, 17};
    QTest::newRow("empty") << QStringList{""} << QList<int>{-1};
}

void HelpWindowTest::findInPage() {
    QFETCH(QStringList, searches);
    QFETCH(QList<int>, starts);
    HelpWindow help;
    help.OpenHome(QUrl::fromLocalFile(pages_.filePath("third.htm")));
    auto* browser = help.findChild<QTextBrowser*>("helpBrowser");
    int kept = browser->textCursor().selectionStart();
    for (int i = 0; i < searches.size(); ++i) {
        const bool backwards = searches[i].startsWith('<');
        const QString text = backwards ? searches[i].mid(1) : searches[i];
        const bool found = help.FindInPage(text, backwards);
        QCOMPARE(found, starts[i] >= 0);
        const QTextCursor cursor = browser->textCursor();
        if (found) {
            QCOMPARE(cursor.selectionStart(), starts[i]);
            QCOMPARE(cursor.selectedText().toLower(), text.toLower());
            kept = cursor.selectionStart();
        } else {
            QCOMPARE(cursor.selectionStart(), kept);
        }
    }
}

void HelpWindowTest::findBarKeys() {
    HelpWindow help;
    help.OpenHome(QUrl::fromLocalFile(pages_.filePath("third.htm")));
    help.show();
    help.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&help));
    auto* browser = help.findChild<QTextBrowser*>("helpBrowser");
    auto* bar = help.findChild<QWidget*>("helpFindBar");
    auto* field = help.findChild<QLineEdit*>("helpFindText");
    auto* status = help.findChild<QLabel*>("lblHelpFindStatus");
    QVERIFY(!bar->isVisible());
    QTest::keyClick(&help, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(bar->isVisible());
    QCOMPARE(QApplication::focusWidget(), field);
    const auto start = [&] { return browser->textCursor().selectionStart(); };
    // Typing finds as it goes; Enter finds the next, Shift+Enter the one before.
    QTest::keyClicks(field, "bet");
    QCOMPARE(start(), 6);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(start(), 17);
    QTest::keyClick(field, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(start(), 6);
    QTest::keyClicks(field, "x");
    QCOMPARE(status->text(), QStringLiteral("Не найдено"));
    QCOMPARE(start(), 6);
    QTest::keyClick(field, Qt::Key_Backspace);
    QCOMPARE(status->text(), QString());
    QTest::keyClick(field, Qt::Key_Escape);
    QVERIFY(!bar->isVisible());
}

std::unique_ptr<QObject> MakeHelpWindowTest() {
    return std::make_unique<HelpWindowTest>();
}

#include "help_window_test.moc"
