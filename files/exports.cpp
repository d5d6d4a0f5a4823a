// Picture and scenario export.
#include "files/exports.h"

#include "files/file_access.h"
#include "files/picture_export.h"

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

FileResult SavePicture(const QString& path, const QImage& picture) {
    return SavePictureAs(path, PictureFormat::Bmp, picture, {});
}

FileResult SaveScenario(const QString& path, const QString& logText) {
    return WriteWholeFile(path, ScenarioBytes(logText));
}
