// The picture's bytes in every format: the bitmap written here, PNG through Qt's writer into a
// device that passes its bytes on, SVG and PDF through the vector surface.
#include "files/picture_export.h"

#include <QBuffer>
#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "view/vector_surface.h"

namespace {

constexpr qreal kPointsPerInch = 72;

// Gathers small writes into pieces of about a megabyte for the writer behind it.
class PieceWriter {
  public:
    explicit PieceWriter(const ByteWriter& write) : write_(write) { piece_.reserve(kPiece); }
    bool Write(const char* data, size_t size) {
        if (piece_.size() + size > kPiece && !Flush()) return false;
        if (size >= kPiece) return write_(data, size);
        piece_.insert(piece_.end(), data, data + size);
        return true;
    }
    bool Flush() {
        const bool written = piece_.empty() || write_(piece_.data(), piece_.size());
        piece_.clear();
        return written;
    }

  private:
    static constexpr size_t kPiece = size_t{1} << 20;
    const ByteWriter& write_;
    std::vector<char> piece_;
};

// A write-only device that hands what is written to it to a writer.
class WriterDevice : public QIODevice {
  public:
    explicit WriterDevice(const ByteWriter& write) : pieces_(write) { open(QIODevice::WriteOnly); }
    bool Finish() { return !failed_ && pieces_.Flush(); }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (failed_ || !pieces_.Write(data, static_cast<size_t>(size))) {
            failed_ = true;
            return -1;
        }
        return size;
    }

  private:
    PieceWriter pieces_;
    bool failed_ = false;
};

template <typename T>
void PutLittleEndian(std::vector<char>& bytes, T value) {
    for (size_t i = 0; i < sizeof(T); ++i) {
        bytes.push_back(static_cast<char>((static_cast<uint64_t>(value) >> (8 * i)) & 0xFF));
    }
}

// The row of the picture in 24-bit colour: a picture of 32-bit RGB as it is, any other format
// converted pixel by pixel as the whole picture would be.
void RowColours(const QImage& picture, int y, std::vector<char>& row) {
    const int width = picture.width();
    if (picture.format() == QImage::Format_RGB32) {
        const QRgb* pixel = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            row[3 * size_t(x)] = static_cast<char>(qBlue(pixel[x]));
            row[3 * size_t(x) + 1] = static_cast<char>(qGreen(pixel[x]));
            row[3 * size_t(x) + 2] = static_cast<char>(qRed(pixel[x]));
        }
        return;
    }
    const QImage line = picture.copy(0, y, width, 1).convertToFormat(QImage::Format_RGB888);
    const uchar* rgb = line.constScanLine(0);
    for (int x = 0; x < width; ++x) {
        row[3 * size_t(x)] = static_cast<char>(rgb[3 * x + 2]);
        row[3 * size_t(x) + 1] = static_cast<char>(rgb[3 * x + 1]);
        row[3 * size_t(x) + 2] = static_cast<char>(rgb[3 * x]);
    }
}

// Bytes of the two headers of a bitmap file.
constexpr int64_t kBmpHeaders = 14 + 40;
// The resolution a bitmap's header gives a picture that has none (72 dots per inch).
constexpr int kBmpDefaultDotsPerMeter = 2834;

// The 24-bit Windows bitmap: file header, information header, then the rows from the bottom up,
// blue, green and red, each padded with zeros to a multiple of four bytes. A picture whose file
// would be too long for its header's size field, or a null one, gives no bytes.
bool WriteBmp(const QImage& picture, const ByteWriter& write) {
    if (picture.isNull()) return true;
    const int width = picture.width();
    const int height = picture.height();
    const int64_t rowBytes = (int64_t{width} * 24 + 31) / 32 * 4;
    const int64_t imageBytes = rowBytes * height;
    if (kBmpHeaders + imageBytes > std::numeric_limits<int32_t>::max()) return true;
    const auto dotsPerMeter = [](int dots) { return dots != 0 ? dots : kBmpDefaultDotsPerMeter; };
    std::vector<char> header;
    header.push_back('B');
    header.push_back('M');
    PutLittleEndian<uint32_t>(header, static_cast<uint32_t>(kBmpHeaders + imageBytes));
    PutLittleEndian<uint32_t>(header, 0);  // two reserved words
    PutLittleEndian<uint32_t>(header, static_cast<uint32_t>(kBmpHeaders));
    PutLittleEndian<uint32_t>(header, 40);
    PutLittleEndian<int32_t>(header, width);
    PutLittleEndian<int32_t>(header, height);
    PutLittleEndian<uint16_t>(header, 1);   // planes
    PutLittleEndian<uint16_t>(header, 24);  // bits per pixel
    PutLittleEndian<uint32_t>(header, 0);   // no compression
    PutLittleEndian<uint32_t>(header, static_cast<uint32_t>(imageBytes));
    PutLittleEndian<int32_t>(header, dotsPerMeter(picture.dotsPerMeterX()));
    PutLittleEndian<int32_t>(header, dotsPerMeter(picture.dotsPerMeterY()));
    PutLittleEndian<uint32_t>(header, 0);  // colours used
    PutLittleEndian<uint32_t>(header, 0);  // colours important
    PieceWriter pieces(write);
    if (!pieces.Write(header.data(), header.size())) return false;
    std::vector<char> row(static_cast<size_t>(rowBytes), 0);
    for (int y = height - 1; y >= 0; --y) {
        RowColours(picture, y, row);
        if (!pieces.Write(row.data(), row.size())) return false;
    }
    return pieces.Flush();
}

// PNG by Qt's writer, 24-bit colour. A picture of 32-bit RGB is given to it as it is (it takes
// the colour bytes of each row and leaves out the fourth); any other is converted first.
bool WritePng(const QImage& picture, const ByteWriter& write) {
    WriterDevice device(write);
    if (picture.format() == QImage::Format_RGB32) {
        picture.save(&device, "PNG");
    } else {
        picture.convertToFormat(QImage::Format_RGB888).save(&device, "PNG");
    }
    return device.Finish();
}

QByteArray Collected(const std::function<bool(const ByteWriter&)>& make) {
    QByteArray bytes;
    make([&bytes](const char* data, size_t size) {
        bytes.append(data, static_cast<qsizetype>(size));
        return true;
    });
    return bytes;
}

QByteArray PointText(qreal value) {
    return QByteArray::number(value, 'f', 6);
}

// The writer makes pages of whole points, the picture's size rounded up, with the picture at
// the top left. The page's box is narrowed to the picture itself; the objects after it move by
// the box's change in length, so the cross-reference table is moved along. A file of another
// shape than expected keeps its whole-point page.
QByteArray FitPageToPicture(const QByteArray& pdf, QSizeF page, QSizeF picture) {
    const QByteArray oldBox =
        "/MediaBox [0 0 " + PointText(page.width()) + " " + PointText(page.height()) + "]";
    const QByteArray newBox = "/MediaBox [0 " + PointText(page.height() - picture.height()) + " " +
                              PointText(picture.width()) + " " + PointText(page.height()) + "]";
    const qsizetype at = pdf.indexOf(oldBox);
    const qsizetype table = pdf.lastIndexOf("\nxref\n");
    const qsizetype start = pdf.lastIndexOf("\nstartxref\n");
    if (at < 0 || pdf.indexOf(oldBox, at + 1) >= 0 || table < at || start < table) return pdf;
    const qsizetype shift = newBox.size() - oldBox.size();
    QByteArray fitted =
        pdf.left(at) + newBox + pdf.mid(at + oldBox.size(), table - at - oldBox.size());
    // Entries: "0000000123 00000 n \n", ten digits of offset each.
    const QList<QByteArray> lines = pdf.mid(table, start - table).split('\n');
    QByteArrayList moved;
    for (const QByteArray& line : lines) {
        bool number = false;
        const qlonglong offset = line.left(10).toLongLong(&number);
        if (line.size() >= 18 && number && line.at(17) == 'n' && offset > at) {
            moved << QByteArray::number(offset + shift).rightJustified(10, '0') + line.mid(10);
        } else {
            moved << line;
        }
    }
    fitted += moved.join('\n');
    const qsizetype numberAt = start + qsizetype(sizeof "\nstartxref\n") - 1;
    const qsizetype numberEnd = pdf.indexOf('\n', numberAt);
    bool number = false;
    const qlonglong tableOffset =
        pdf.mid(numberAt, numberEnd - numberAt).trimmed().toLongLong(&number);
    if (!number || numberEnd < 0) return pdf;
    fitted += "\nstartxref\n" + QByteArray::number(tableOffset + shift) + pdf.mid(numberEnd);
    return fitted;
}

void DrawVector(QPainter& painter, QSize size, const PictureDrawing& draw) {
    VectorSurface surface(painter, size.width(), size.height());
    draw(surface);
}

}  // namespace

const std::array<PictureFormatInfo, 4>& PictureFormats() {
    static const std::array<PictureFormatInfo, 4> formats = {{
        {PictureFormat::Bmp, "bmp", ".bmp"},
        {PictureFormat::Png, "png", ".png"},
        {PictureFormat::Svg, "svg", ".svg"},
        {PictureFormat::Pdf, "pdf", ".pdf"},
    }};
    return formats;
}

const PictureFormatInfo& InfoOf(PictureFormat format) {
    return PictureFormats()[static_cast<size_t>(format)];
}

std::optional<PictureFormat> PictureFormatOfName(const QString& path) {
    for (const PictureFormatInfo& info : PictureFormats()) {
        if (path.endsWith(QLatin1String(info.Extension), Qt::CaseInsensitive) &&
            path.size() > qsizetype(std::char_traits<char>::length(info.Extension))) {
            return info.Format;
        }
    }
    return std::nullopt;
}

std::optional<PictureFormat> PictureFormatNamed(const std::string& name) {
    for (const PictureFormatInfo& info : PictureFormats()) {
        if (name == info.Name) return info.Format;
    }
    return std::nullopt;
}

QByteArray PictureBmpBytes(const QImage& picture) {
    return Collected([&picture](const ByteWriter& write) { return WriteBmp(picture, write); });
}

QByteArray PicturePngBytes(const QImage& picture) {
    return Collected([&picture](const ByteWriter& write) { return WritePng(picture, write); });
}

QByteArray PictureSvgBytes(QSize size, const PictureDrawing& draw) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(kPictureDotsPerInch);
    generator.setTitle(QStringLiteral("Tarvik"));
    generator.setDescription(QString());
    QPainter painter;
    if (!painter.begin(&generator)) return {};
    DrawVector(painter, size, draw);
    painter.end();
    return bytes;
}

QByteArray PicturePdfBytes(QSize size, const PictureDrawing& draw) {
    const QSizeF exact = QSizeF(size) * kPointsPerInch / kPictureDotsPerInch;
    QSizeF points;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPictureDotsPerInch);
        // The writer makes pages of whole points; rounding up keeps the whole picture.
        points = QSizeF(std::ceil(exact.width()), std::ceil(exact.height()));
        const QPageSize page(points, QPageSize::Point, QString(), QPageSize::ExactMatch);
        writer.setPageLayout(QPageLayout(page, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                         QPageLayout::Point, QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&writer)) return {};
        DrawVector(painter, size, draw);
        painter.end();
    }
    return points == exact ? bytes : FitPageToPicture(bytes, points, exact);
}

bool WritePicture(PictureFormat format, const QImage& raster, const PictureDrawing& draw,
                  const ByteWriter& write) {
    const auto whole = [&write](const QByteArray& bytes) {
        return write(bytes.constData(), static_cast<size_t>(bytes.size()));
    };
    // A raster of several device pixels to a logical one still has its logical size.
    const QSize logical = raster.deviceIndependentSize().toSize();
    switch (format) {
        case PictureFormat::Bmp:
            return WriteBmp(raster, write);
        case PictureFormat::Png:
            return WritePng(raster, write);
        case PictureFormat::Svg:
            return whole(PictureSvgBytes(logical, draw));
        case PictureFormat::Pdf:
            return whole(PicturePdfBytes(logical, draw));
    }
    return true;
}

QByteArray PictureBytes(PictureFormat format, const QImage& raster, const PictureDrawing& draw) {
    return Collected(
        [&](const ByteWriter& write) { return WritePicture(format, raster, draw, write); });
}

FileResult SavePictureAs(const QString& path, PictureFormat format, const QImage& raster,
                         const PictureDrawing& draw) {
    if (raster.isNull()) return {};
    return WriteFileFrom(
        path, [&](const ByteWriter& write) { return WritePicture(format, raster, draw, write); });
}
