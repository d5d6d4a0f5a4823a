// PNG, SVG and PDF beside the BMP export.
#include "files/picture_export.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>

#include "files/exports.h"
#include "view/vector_surface.h"

namespace {

constexpr qreal kPointsPerInch = 72;

QByteArray ImageBytes(const QImage& picture, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.convertToFormat(QImage::Format_RGB888).save(&buffer, format);
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

QByteArray PicturePngBytes(const QImage& picture) {
    return ImageBytes(picture, "PNG");
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

QByteArray PictureBytes(PictureFormat format, const QImage& raster, const PictureDrawing& draw) {
    // A raster of several device pixels to a logical one still has its logical size.
    const QSize logical = raster.deviceIndependentSize().toSize();
    switch (format) {
        case PictureFormat::Bmp:
            return PictureBmpBytes(raster);
        case PictureFormat::Png:
            return PicturePngBytes(raster);
        case PictureFormat::Svg:
            return PictureSvgBytes(logical, draw);
        case PictureFormat::Pdf:
            return PicturePdfBytes(logical, draw);
    }
    return {};
}

FileResult SavePictureAs(const QString& path, PictureFormat format, const QImage& raster,
                         const PictureDrawing& draw) {
    if (raster.isNull()) return {};
    return WriteWholeFile(path, PictureBytes(format, raster, draw));
}
