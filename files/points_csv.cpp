// Clipboard text and CSV files of the points of interest.
#include "files/points_csv.h"

#include <algorithm>

#include "files/csv_export.h"
#include "view/plot_marks.h"

namespace {

void AppendLine(QByteArray& bytes, const std::array<std::string, 3>& fields) {
    for (size_t k = 0; k < fields.size(); ++k) {
        if (k > 0) bytes += ',';
        bytes += CsvField(fields[k]);
    }
    bytes += "\r\n";
}

}  // namespace

std::array<std::string, 3> PointTexts(const PointOfInterest& point, const PointKindWords& words) {
    return {words(point.Kind), PointNumberText(point.X, point.Digits), PointNumberText(point.Y)};
}

QByteArray PointsCsvBytes(const std::vector<PointOfInterest>& points, const PointsHeader& header,
                          const PointKindWords& words) {
    QByteArray bytes;
    AppendLine(bytes, header);
    for (const PointOfInterest& point : points) AppendLine(bytes, PointTexts(point, words));
    return bytes;
}

std::string TabSeparatedPoints(const std::vector<PointOfInterest>& points,
                               std::vector<size_t> chosen, const PointKindWords& words) {
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    std::string text;
    for (const size_t row : chosen) {
        if (row >= points.size()) continue;
        const std::array<std::string, 3> fields = PointTexts(points[row], words);
        text += fields[0] + '\t' + fields[1] + '\t' + fields[2] + '\n';
    }
    return text;
}

FileResult SavePointsCsv(const QString& path, const std::vector<PointOfInterest>& points,
                         const PointsHeader& header, const PointKindWords& words) {
    return WriteWholeFile(path, PointsCsvBytes(points, header, words));
}
