// Picture and scenario export.
#include "files/exports.h"

#include <QBuffer>

#include "files/file_access.h"
#include "files/file_errors.h"
#include "files/picture_export.h"

std::string ExportFailureText(const QString& path, const FileResult& result) {
    if (result.Ok()) return {};
    if (RefusedTarget(result)) return FileFailureText(result);
    if (result.WhileCreating) return CannotCreateText(path.toStdString());
    return std::string(kStreamWriteError);
}

QByteArray PictureBmpBytes(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
    return bytes;
}

QByteArray ScenarioBytes(const QString& logText) {
    QStringList lines = logText.split(QLatin1Char('\n'));
    if (lines.last().isEmpty()) lines.removeLast();
    QByteArray bytes;
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

std::string SavePicture(const QString& path, const QImage& picture) {
    return SavePictureAs(path, PictureFormat::Bmp, picture, {});
}

std::string SaveScenario(const QString& path, const QString& logText) {
    return ExportFailureText(path, WriteWholeFile(path, ScenarioBytes(logText)));
}
