// The shipped help pages: the index exists, every page declares UTF-8 and is valid UTF-8, and
// every link between pages (and to the style sheet) leads to a file of the help folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

QByteArray Page(const QString& name) {
    QFile file(QStringLiteral(TARVIK_HELP_DIR "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(HelpPages, EveryPageIsUtf8AndEveryLinkResolves) {
    const QDir folder(QStringLiteral(TARVIK_HELP_DIR));
    const QStringList pages = folder.entryList({"*.htm"}, QDir::Files);
    ASSERT_TRUE(pages.contains("index.htm"));
    ASSERT_GE(pages.size(), 8);
    const QRegularExpression link(QStringLiteral(R"((?:href|src)="([^"#:]+)(?:#[^"]*)?")"));
    QStringList reached = {"index.htm"};
    for (const QString& name : pages) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = Page(name);
        EXPECT_TRUE(bytes.contains("<meta charset=\"utf-8\">"));
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString text = decoder.decode(bytes);
        EXPECT_FALSE(decoder.hasError());
        for (auto match = link.globalMatch(text); match.hasNext();) {
            const QString target = match.next().captured(1);
            EXPECT_TRUE(folder.exists(target)) << target.toStdString();
            reached << target;
        }
    }
    // No page is left without a way to it.
    for (const QString& name : pages) EXPECT_TRUE(reached.contains(name)) << name.toStdString();
}

}  // namespace
