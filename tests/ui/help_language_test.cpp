// The help in the interface language: under English, F1, "&Справка" and the entry of the
// program's own help window open the English index beside the program, links stay among the
// English pages, the pages of both languages take the shared style sheet, and the Russian index
// stands in when the English pages are missing.
#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>

#include "ui/help_window.h"
#include "ui/language.h"
#include "window_fixture.h"

namespace {

// Stands in for the desktop's browser: takes every address and notes it.
class BrowserStandIn : public QObject {
    Q_OBJECT

  public:
    QList<QUrl> asked;

  public slots:
    void open(const QUrl& url) { asked << url; }
};

QString HelpFolder() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/help/");
}

QUrl EnglishPage(const QString& name) {
    return QUrl::fromLocalFile(HelpFolder() + QStringLiteral("en/") + name);
}

// Clicks the link to `target` on the browser's page.
void ClickLink(QTextBrowser& browser, const QString& target) {
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != target) continue;
            QTextCursor cursor(browser.document());
            cursor.setPosition(fragment.position() + fragment.length() / 2);
            browser.ensureCursorVisible();
            const QPoint middle = browser.cursorRect(cursor).center();
            QTest::mouseClick(browser.viewport(), Qt::LeftButton, {}, middle);
            return;
        }
    }
    QFAIL(qPrintable("no link to " + target));
}

// The colour of the page's first top heading.
QColor HeadingColour(const QTextDocument& page) {
    for (QTextBlock block = page.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 1 && block.begin() != block.end())
            return block.begin().fragment().charFormat().foreground().color();
    }
    return {};
}

}  // namespace

class HelpLanguageTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup();
    void indexForLanguage_data();
    void indexForLanguage();
    void englishHelpFromTheWindow_data();
    void englishHelpFromTheWindow();
    void pagesInTheHelpWindow_data();
    void pagesInTheHelpWindow();
};

void HelpLanguageTest::cleanup() {
    QSettings(QStringLiteral("Tarvik"), QStringLiteral("Tarvik"))
        .remove(QStringLiteral("interface/language"));
}

void HelpLanguageTest::indexForLanguage_data() {
    QTest::addColumn<Language>("language");
    QTest::addColumn<bool>("englishPages");
    QTest::addColumn<QString>("index");
    QTest::newRow("English") << Language::English << true << "help/en/index.htm";
    QTest::newRow("English, no English pages") << Language::English << false << "help/index.htm";
    QTest::newRow("Russian") << Language::Russian << true << "help/index.htm";
    QTest::newRow("Russian, no English pages") << Language::Russian << false << "help/index.htm";
}

void HelpLanguageTest::indexForLanguage() {
    QFETCH(Language, language);
    QFETCH(bool, englishPages);
    QFETCH(QString, index);
    const QTemporaryDir program;
    const QDir folder(program.path());
    QVERIFY(folder.mkpath("help/en"));
    QStringList pages = {"help/index.htm"};
    if (englishPages) pages << "help/en/index.htm";
    for (const QString& page : pages) {
        QFile file(folder.filePath(page));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(HelpIndexUrl(program.path() + '/', language),
             QUrl::fromLocalFile(folder.filePath(index)));
}

void HelpLanguageTest::englishHelpFromTheWindow_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("browserTakesIt");
    QTest::addColumn<bool>("helpWindow");
    QTest::newRow("F1, browser") << "F1" << true << false;
    QTest::newRow("F1, no browser") << "F1" << false << true;
    QTest::newRow("menu, browser") << "mnuHelpHelp" << true << false;
    QTest::newRow("menu, no browser") << "mnuHelpHelp" << false << true;
    QTest::newRow("help window entry") << "mnuHelpWindow" << true << true;
}

void HelpLanguageTest::englishHelpFromTheWindow() {
    QFETCH(QString, action);
    QFETCH(bool, browserTakesIt);
    QFETCH(bool, helpWindow);
    StoreLanguage(Language::English);
    WindowFixture w;
    // A handler whose slot does not exist makes the desktop refuse, as one without a browser.
    BrowserStandIn browser;
    QDesktopServices::setUrlHandler("file", &browser, browserTakesIt ? "open" : "noSuchSlot");
    const auto unset = qScopeGuard([] { QDesktopServices::unsetUrlHandler("file"); });
    if (action == "F1") {
        QTest::keyClick(w.form().windowHandle(), Qt::Key_F1);
    } else {
        auto* entry = w->findChild<QAction*>(action);
        QVERIFY(entry);
        entry->trigger();
    }
    const QUrl index = EnglishPage("index.htm");
    QCOMPARE(browser.asked, helpWindow ? QList<QUrl>{} : QList<QUrl>{index});
    QVERIFY(w.messages.empty());
    auto* help = w->findChild<HelpWindow*>();
    QCOMPARE(help && help->isVisible(), helpWindow);
    if (!helpWindow) return;
    auto* pages = help->findChild<QTextBrowser*>("helpBrowser");
    QCOMPARE(pages->source(), index);
    QVERIFY(pages->toPlainText().contains("First steps"));
    // A link of the English index leads to the English page beside it.
    QVERIFY(QTest::qWaitForWindowExposed(help));
    ClickLink(*pages, "syntax.htm");
    QCOMPARE(pages->source(), EnglishPage("syntax.htm"));
    QVERIFY(pages->toPlainText().contains("Order of operations"));
    QVERIFY(browser.asked.isEmpty());
}

void HelpLanguageTest::pagesInTheHelpWindow_data() {
    QTest::addColumn<QString>("page");
    for (const QString set : {"", "en/"}) {
        const QStringList pages = QDir(HelpFolder() + set).entryList({"*.htm"}, QDir::Files);
        QVERIFY(pages.size() >= 8);
        for (const QString& page : pages) QTest::newRow(qPrintable(set + page)) << set + page;
    }
}

void HelpLanguageTest::pagesInTheHelpWindow() {
    QFETCH(QString, page);
    const QUrl address = QUrl::fromLocalFile(HelpFolder() + page);
    HelpWindow help;
    help.OpenHome(address);
    auto* browser = help.findChild<QTextBrowser*>("helpBrowser");
    QCOMPARE(browser->source(), address);
    QVERIFY(browser->documentTitle().startsWith(QStringLiteral("Tarvik — ")));
    // The heading colour comes from the style sheet that both sets share.
    QCOMPARE(HeadingColour(*browser->document()), QColor(0xa0, 0x00, 0x00));
}

std::unique_ptr<QObject> MakeHelpLanguageTest() {
    return std::make_unique<HelpLanguageTest>();
}

#include "help_language_test.moc"
