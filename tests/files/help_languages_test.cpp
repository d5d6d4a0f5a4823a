// The Russian and the English help pages: every page has its counterpart with the same sections,
// tables, lists, examples and links; every local link of either set leads to an existing file
// (and anchor), links between English pages stay in the English folder, and an English page
// holds Russian only where it quotes the Russian interface.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>

namespace {

const QString kHelpRoot = QStringLiteral(TARVIK_HELP_DIR);

QString ReadPage(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(file.readAll());
    return decoder.hasError() ? QString() : text;
}

QStringList Pages(const QDir& folder) {
    return folder.entryList({"*.htm"}, QDir::Files, QDir::Name);
}

// Every href and src value of a page, in order.
QStringList Links(const QString& page) {
    static const QRegularExpression link(QStringLiteral(R"re(\b(?:href|src)\s*=\s*"([^"]*)")re"));
    QStringList links;
    for (auto match = link.globalMatch(page); match.hasNext();) links << match.next().captured(1);
    return links;
}

bool HasAnchor(const QString& page, const QString& anchor) {
    const QRegularExpression target(
        QStringLiteral(R"(\b(?:id|name)\s*=\s*"%1")").arg(QRegularExpression::escape(anchor)));
    return page.contains(target);
}

bool Inside(const QString& path, const QDir& folder) {
    return path.startsWith(folder.absolutePath() + QLatin1Char('/'));
}

// What is wrong with the local links of one set of pages (the pages of `set`, a folder at or
// under the help root `root`): a missing file or anchor, a page outside the set, a file outside
// the help. Files that are not pages (the style sheet) may be shared from the root. Addresses
// with a scheme (the web) are not checked. `reached` collects the pages linked to.
QStringList LinkProblems(const QDir& set, const QDir& root, QStringList* reached = nullptr) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    QStringList problems;
    for (const QString& name : Pages(set)) {
        const QString page = ReadPage(set.filePath(name));
        for (const QString& link : Links(page)) {
            if (link.contains(scheme)) continue;
            const auto say = [&](const char* what) {
                problems << name + QStringLiteral(": ") + link + QStringLiteral(": ") + what;
            };
            const QString file = link.section(QLatin1Char('#'), 0, 0);
            const QString anchor = link.section(QLatin1Char('#'), 1);
            const QString target =
                QDir::cleanPath(file.isEmpty() ? set.filePath(name) : set.filePath(file));
            const bool isPage = target.endsWith(QLatin1String(".htm"));
            if (!Inside(target, root) || (isPage && !Inside(target, set))) {
                say("leads out of its folder");
            } else if (!QFileInfo(target).isFile()) {
                say("no such file");
            } else if (!anchor.isEmpty() && !HasAnchor(ReadPage(target), anchor)) {
                say("no such anchor");
            } else if (reached && isPage) {
                *reached << QDir(set).relativeFilePath(target);
            }
        }
    }
    return problems;
}

// ---- The link check itself, on a made-up help folder ----

struct LinkCase {
    const char* name;
    const char* link;  // in en/b.htm
    bool sound;
};

class LinkCheck : public testing::TestWithParam<LinkCase> {};

TEST_P(LinkCheck, FindsWhatIsWrong) {
    const QTemporaryDir scratch;
    const QDir top(scratch.path());
    ASSERT_TRUE(top.mkpath("help/en"));
    const QDir root(top.filePath("help"));
    const QDir set(root.filePath("en"));
    const auto write = [](const QString& path, const QString& body) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(body.toUtf8());
    };
    write(top.filePath("outside.css"), "p {}");
    write(root.filePath("style.css"), "p {}");
    write(root.filePath("a.htm"), "<p id=\"top\">Russian</p>");
    write(set.filePath("a.htm"), "<p id=\"top\">English</p>");
    write(set.filePath("b.htm"), QStringLiteral("<a name=\"here\"></a><a href=\"%1\">link</a>")
                                     .arg(QString::fromUtf8(GetParam().link)));
    const QStringList problems = LinkProblems(set, root);
    EXPECT_EQ(problems.isEmpty(), GetParam().sound) << problems.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Links, LinkCheck,
    testing::Values(LinkCase{"SharedStyleSheet", "../style.css", true},
                    LinkCase{"PageOfTheSet", "a.htm", true},
                    LinkCase{"AnchorById", "a.htm#top", true},
                    LinkCase{"AnchorOnThePage", "#here", true},
                    LinkCase{"WebAddress", "https://example.org/x.htm", true},
                    LinkCase{"MissingAnchor", "a.htm#nowhere", false},
                    LinkCase{"MissingAnchorOnThePage", "#nowhere", false},
                    LinkCase{"MissingPage", "missing.htm", false},
                    LinkCase{"MissingStyleSheet", "style.css", false},
                    LinkCase{"PageOfTheOtherSet", "../a.htm", false},
                    LinkCase{"FileOutsideTheHelp", "../../outside.css", false}),
    [](const testing::TestParamInfo<LinkCase>& info) { return std::string(info.param.name); });

// ---- The shipped pages ----

struct HelpSet {
    const char* folder;  // under the help root
    const char* language;
};

class HelpSetPages : public testing::TestWithParam<HelpSet> {};

TEST_P(HelpSetPages, DeclareTheirLanguageAndEveryLinkResolves) {
    const QDir root(kHelpRoot);
    const QDir set(QDir::cleanPath(root.filePath(QString::fromLatin1(GetParam().folder))));
    const QStringList pages = Pages(set);
    ASSERT_TRUE(pages.contains("index.htm"));
    ASSERT_GE(pages.size(), 8);
    const QString language = QStringLiteral("<html lang=\"%1\">").arg(GetParam().language);
    const QString styleSheet = QDir(set).relativeFilePath(root.filePath("style.css"));
    for (const QString& name : pages) {
        SCOPED_TRACE(name.toStdString());
        const QString page = ReadPage(set.filePath(name));
        ASSERT_FALSE(page.isEmpty()) << "missing or not UTF-8";
        EXPECT_TRUE(page.contains(language));
        EXPECT_TRUE(page.contains("<meta charset=\"utf-8\">"));
        EXPECT_TRUE(Links(page).contains(styleSheet));
    }
    QStringList reached = {"index.htm"};
    const QStringList problems = LinkProblems(set, root, &reached);
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
    // No page is left without a way to it.
    for (const QString& name : pages) EXPECT_TRUE(reached.contains(name)) << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Languages, HelpSetPages,
                         testing::Values(HelpSet{".", "ru"}, HelpSet{"en", "en"}),
                         [](const testing::TestParamInfo<HelpSet>& info) {
                             return std::string(info.param.language);
                         });

// How many times each element of the page's structure occurs.
QList<int> Structure(const QString& page) {
    static const QStringList tags = {"h1", "h2", "h3", "p",  "table", "tr", "th",
                                     "td", "ul", "ol", "li", "pre",   "div"};
    QList<int> counts;
    for (const QString& tag : tags)
        counts << page.count(QRegularExpression(QStringLiteral("<%1[ >]").arg(tag)));
    return counts;
}

// The texts shown as code (expressions, file names), in order.
QStringList CodeTexts(const QString& page) {
    static const QRegularExpression code(QStringLiteral("<code>(.*?)</code>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    QStringList texts;
    for (auto match = code.globalMatch(page); match.hasNext();) texts << match.next().captured(1);
    return texts;
}

// Cyrillic letters left once the quotes of the Russian interface are taken out: bracketed
// originals, «…» quotes and keys.
QString CyrillicOutsideQuotes(QString page) {
    static const QRegularExpression quoted(
        QStringLiteral(R"(\([^()]*\)|«[^»]*»|<kbd>[^<]*</kbd>)"));
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]+"));
    page.remove(quoted);
    QStringList words;
    for (auto match = cyrillic.globalMatch(page); match.hasNext();)
        words << match.next().captured(0);
    return words.join(QLatin1Char(' '));
}

TEST(HelpTranslation, EveryPageHasItsCounterpartWithTheSameContents) {
    const QDir russian(kHelpRoot);
    const QDir english(russian.filePath("en"));
    const QStringList pages = Pages(russian);
    ASSERT_GE(pages.size(), 8);
    EXPECT_EQ(Pages(english), pages);
    for (const QString& name : pages) {
        SCOPED_TRACE(name.toStdString());
        const QString original = ReadPage(russian.filePath(name));
        const QString translation = ReadPage(english.filePath(name));
        ASSERT_FALSE(translation.isEmpty());
        EXPECT_EQ(Structure(translation), Structure(original));
        EXPECT_EQ(CodeTexts(translation), CodeTexts(original));
        // The same links, the style sheet shared from the folder above.
        QStringList links = Links(translation);
        links.replaceInStrings(QRegularExpression("^\\.\\./style\\.css$"), "style.css");
        EXPECT_EQ(links, Links(original));
        EXPECT_EQ(CyrillicOutsideQuotes(translation).toStdString(), "");
        EXPECT_FALSE(CyrillicOutsideQuotes(original).isEmpty());
    }
}

}  // namespace
