// The picture and scenario exports: the graph as a 24-bit Windows bitmap and the scenario log as
// text, each written whole or not at all.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <string>

#include "files/file_access.h"
#include "files/picture_export.h"

inline const QString kPictureExtension = QStringLiteral(".bmp");
inline const QString kScenarioExtension = QStringLiteral(".txt");

// The log's text, UTF-8, every line ended by CR LF (the last one too); an empty log gives no
// bytes. A line break at the very end does not make another line.
QByteArray ScenarioBytes(const QString& logText);

// Each writes to `path` (the extension already applied). A picture that has never been drawn (a
// null image) writes nothing and succeeds.
FileResult SavePicture(const QString& path, const QImage& picture);
FileResult SaveScenario(const QString& path, const QString& logText);
