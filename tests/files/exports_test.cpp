// Picture and scenario export: a 24-bit BMP of the picture's size, the log as CR LF lines, the
// failure messages.
#include "files/exports.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <cstdint>

#include "file_test_support.h"

namespace {

uint32_t LittleEndian(const QByteArray& bytes, int offset, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<uint8_t>(bytes[offset + i]);
    return value;
}

QImage Picture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 0));
    image.setPixel(0, 0, qRgb(255, 255, 0));
    image.setPixel(width - 1, height - 1, qRgb(1, 2, 3));
    image.setPixel(width / 2, 0, qRgb(128, 128, 128));
    return image;
}

// Odd widths need row padding in the file; the header must still give the picture's size.
class PictureBmp : public testing::TestWithParam<QSize> {};

TEST_P(PictureBmp, HeaderSaysTwentyFourBitsAndThePictureSize) {
    const QImage picture = Picture(GetParam().width(), GetParam().height());
    const QByteArray bytes = PictureBmpBytes(picture);
    ASSERT_GE(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(LittleEndian(bytes, 2, 4), static_cast<uint32_t>(bytes.size()));
    EXPECT_EQ(LittleEndian(bytes, 18, 4), static_cast<uint32_t>(picture.width()));
    EXPECT_EQ(LittleEndian(bytes, 22, 4), static_cast<uint32_t>(picture.height()));
    EXPECT_EQ(LittleEndian(bytes, 28, 2), 24u);  // bits per pixel
    EXPECT_EQ(LittleEndian(bytes, 30, 4), 0u);   // no compression
    const int rowBytes = (picture.width() * 3 + 3) / 4 * 4;
    EXPECT_EQ(bytes.size(),
              static_cast<int>(LittleEndian(bytes, 10, 4)) + rowBytes * picture.height());

    const QImage back = QImage::fromData(bytes, "BMP");
    ASSERT_FALSE(back.isNull());
    ASSERT_EQ(back.size(), picture.size());
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            ASSERT_EQ(back.pixel(x, y) & 0xFFFFFF, picture.pixel(x, y) & 0xFFFFFF) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Sizes, PictureBmp,
                         testing::Values(QSize(1, 1), QSize(37, 21), QSize(640, 480),
                                         QSize(3, 200)));

TEST(PictureExport, WritesTheBmpBytesAndNothingForANeverDrawnPicture) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/pic.bmp";
    const QImage picture = Picture(33, 17);
    EXPECT_EQ(SavedPicture(path, picture), "");
    EXPECT_EQ(QByteArray::fromStdString(ReadBytes(path)), PictureBmpBytes(picture));

    EXPECT_EQ(SavedPicture(dir.path() + "/none.bmp", QImage()), "");
    EXPECT_EQ(FolderEntries(dir.path()), QStringList{"pic.bmp"});
}

TEST(PictureExport, MissingFolderCannotBeCreated) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/no folder/pic.bmp";
    EXPECT_EQ(SavedPicture(path, Picture(4, 4)), "Cannot create file " + path.toStdString());
}

// Scenario text: rows of the log's text and the file's bytes.
TEST(ScenarioExport, EveryLineEndsWithCrLf) {
    const struct {
        QString log;
        QByteArray bytes;
    } rows[] = {
        {"A\nB", "A\r\nB\r\n"},
        {"", ""},
        {"A\nB\n", "A\r\nB\r\n"},
        {"\n", "\r\n"},
        {"A\n\nB", "A\r\n\r\nB\r\n"},
        {"A\r\nB", "A\r\nB\r\n"},
        {QString::fromUtf8("\xd0\x93\xd1\x80\xd0\xb0\xd1\x84\xd0\xb8\xd0\xba"),  // "График"
         "\xd0\x93\xd1\x80\xd0\xb0\xd1\x84\xd0\xb8\xd0\xba\r\n"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ScenarioBytes(row.log), row.bytes) << row.log.toStdString();
}

TEST(ScenarioExport, WritesTheFileAndReplacesAnOldOne) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/log.txt";
    WriteBytes(path, "an old and longer scenario file");
    EXPECT_EQ(SavedScenario(path, "A\nB"), "");
    EXPECT_EQ(ReadBytes(path), "A\r\nB\r\n");
    EXPECT_EQ(SavedScenario(path, ""), "");
    EXPECT_EQ(ReadBytes(path), "");
    EXPECT_EQ(FolderEntries(dir.path()), QStringList{"log.txt"});
}

TEST(ScenarioExport, FolderInsteadOfFileCannotBeCreated) {
    QTemporaryDir dir;
    EXPECT_EQ(SavedScenario(dir.path(), "A"), "Cannot create file " + dir.path().toStdString());
}

}  // namespace
