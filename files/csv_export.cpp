// Clipboard text and CSV files of the tables.
#include "files/csv_export.h"

#include <algorithm>

#include "files/file_access.h"

namespace {

bool NeedsQuotes(std::string_view field) {
    if (field.empty()) return false;
    if (field.front() == ' ' || field.back() == ' ') return true;
    return field.find_first_of(",\"\r\n") != std::string_view::npos;
}

void AppendLine(QByteArray& bytes, const std::string& key, const std::string& value) {
    bytes += CsvField(key);
    bytes += ',';
    bytes += CsvField(value);
    bytes += "\r\n";
}

}  // namespace

std::string CsvField(std::string_view field) {
    if (!NeedsQuotes(field)) return std::string(field);
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

QByteArray CsvBytes(const TableRows& rows, const FailureWords& words) {
    QByteArray bytes;
    AppendLine(bytes, rows.KeyHeader, rows.ValueHeader);
    for (size_t k = 0; k < rows.Size(); ++k)
        AppendLine(bytes, rows.KeyText(k), rows.ValueText(k, words));
    return bytes;
}

std::string TabSeparatedRows(const TableRows& rows, std::vector<size_t> chosen,
                             const FailureWords& words) {
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    std::string text;
    for (const size_t row : chosen) {
        if (row >= rows.Size()) continue;
        text += rows.KeyText(row) + '\t' + rows.ValueText(row, words) + '\n';
    }
    return text;
}

FileResult SaveCsv(const QString& path, const TableRows& rows, const FailureWords& words) {
    return WriteWholeFile(path, CsvBytes(rows, words));
}
