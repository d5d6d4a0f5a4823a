// The raster formats written row by row: the same bytes as Qt's writers give for the picture
// converted whole to 24-bit colour (the way the files were first made), for pictures of every
// row padding and of several formats; and a write that fails stops the picture and the save.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <cerrno>
#include <string>

#include "file_test_support.h"
#include "files/file_access.h"
#include "files/picture_export.h"

namespace {

// What the earlier export did: the whole picture converted, then Qt's writer into a buffer.
QByteArray ConvertedWhole(const QImage& picture, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.convertToFormat(QImage::Format_RGB888).save(&buffer, format);
    return bytes;
}

// A picture of every kind of pixel: a gradient, a few pure colours, half-transparent pixels.
QImage Picture(QSize size, QImage::Format format) {
    QImage image(size, QImage::Format_ARGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            image.setPixel(
                x, y,
                qRgba((x * 37) & 255, (y * 11) & 255, (x * y) & 255, (x + y) % 3 == 0 ? 128 : 255));
        }
    }
    image.setPixel(0, 0, qRgb(255, 255, 0));
    return image.convertToFormat(format);
}

struct StreamRow {
    const char* name;
    QSize size;
    QImage::Format format;
    int dotsPerMeter;  // 0: the picture's own
};

class PictureStream : public testing::TestWithParam<StreamRow> {};

TEST_P(PictureStream, SameBytesAsTheWholeConversion) {
    const StreamRow& row = GetParam();
    QImage picture = Picture(row.size, row.format);
    if (row.dotsPerMeter != 0) {
        picture.setDotsPerMeterX(row.dotsPerMeter);
        picture.setDotsPerMeterY(row.dotsPerMeter + 1);
    }
    EXPECT_EQ(PictureBmpBytes(picture), ConvertedWhole(picture, "BMP"));
    EXPECT_EQ(PicturePngBytes(picture), ConvertedWhole(picture, "PNG"));
    EXPECT_EQ(PictureBytes(PictureFormat::Bmp, picture, {}), ConvertedWhole(picture, "BMP"));
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PictureStream,
    testing::Values(
        // Rows of 3, 6, 9 and 12 bytes: padded by 1, 2, 3 and 0.
        StreamRow{"width1", QSize(1, 3), QImage::Format_RGB32, 0},
        StreamRow{"width2", QSize(2, 5), QImage::Format_RGB32, 0},
        StreamRow{"width3", QSize(3, 2), QImage::Format_RGB32, 0},
        StreamRow{"width4", QSize(4, 4), QImage::Format_RGB32, 0},
        StreamRow{"wide", QSize(1001, 7), QImage::Format_RGB32, 0},
        // Taller than a piece of the writer: rows cross a megabyte.
        StreamRow{"large", QSize(700, 600), QImage::Format_RGB32, 0},
        StreamRow{"ownResolution", QSize(9, 9), QImage::Format_RGB32, 5000},
        // Other formats are converted as the whole picture was.
        StreamRow{"alpha", QSize(13, 5), QImage::Format_ARGB32, 0},
        StreamRow{"premultiplied", QSize(13, 5), QImage::Format_ARGB32_Premultiplied, 0},
        StreamRow{"rgb888", QSize(13, 5), QImage::Format_RGB888, 0},
        StreamRow{"indexed", QSize(6, 6), QImage::Format_Indexed8, 0}),
    [](const testing::TestParamInfo<StreamRow>& info) { return std::string(info.param.name); });

TEST(PictureStreamWrite, AFailedWriteStopsThePicture) {
    const QImage picture = Picture(QSize(900, 900), QImage::Format_RGB32);
    for (const PictureFormat format : {PictureFormat::Bmp, PictureFormat::Png}) {
        int calls = 0;
        const bool written = WritePicture(format, picture, {}, [&calls](const char*, size_t) {
            ++calls;
            return false;
        });
        EXPECT_FALSE(written);
        EXPECT_EQ(calls, 1) << static_cast<int>(format);
    }
}

TEST(PictureStreamWrite, ASourceThatFailsLeavesTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/old.bmp";
    ASSERT_TRUE(WriteWholeFile(path, "old bytes").Ok());
    int pieces = 0;
    const FileResult result = WriteFileFrom(path, [&pieces](const ByteWriter& write) {
        if (!write("new", 3)) return false;
        ++pieces;
        return false;  // the maker gives up after a write that succeeded
    });
    EXPECT_EQ(result.Code, EIO);
    EXPECT_EQ(pieces, 1);
    EXPECT_EQ(ReadBytes(path), "old bytes");
    EXPECT_EQ(FolderEntries(dir.path()), QStringList{"old.bmp"});
}

}  // namespace
