// The points of interest as text: tab-separated for the clipboard, and CSV (UTF-8, comma-
// separated, "." as the decimal point, a header row) for a file. A row is the kind in the
// interface's words, x with the digits that can be trusted, and y to full precision.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "calc/points_of_interest.h"
#include "files/file_access.h"

using PointKindWords = std::function<std::string(PointKind kind)>;
using PointsHeader = std::array<std::string, 3>;

std::array<std::string, 3> PointTexts(const PointOfInterest& point, const PointKindWords& words);

// The header and every point, each line ended by CR LF.
QByteArray PointsCsvBytes(const std::vector<PointOfInterest>& points, const PointsHeader& header,
                          const PointKindWords& words);

// The chosen rows (indices in any order, shown in table order), fields joined by a tab, one line
// each ended by "\n".
std::string TabSeparatedPoints(const std::vector<PointOfInterest>& points,
                               std::vector<size_t> chosen, const PointKindWords& words);

// Writes the CSV to `path` whole or not at all.
FileResult SavePointsCsv(const QString& path, const std::vector<PointOfInterest>& points,
                         const PointsHeader& header, const PointKindWords& words);
