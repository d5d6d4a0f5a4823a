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

void AppendLine(QByteArray& bytes, const std::vector<std::string>& fields) {
    for (size_t k = 0; k < fields.size(); ++k) {
        if (k > 0) bytes += ',';
        bytes += CsvField(fields[k]);
    }
    bytes += "\r\n";
}

// The key, then the value of every column.
std::vector<std::string> RowFields(const TableRows& rows, size_t row, const FailureWords& words) {
    std::vector<std::string> fields{rows.KeyText(row)};
    for (size_t column = 0; column < rows.ValueColumns(); ++column) {
        fields.push_back(rows.ValueText(row, words, column));
    }
    return fields;
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
    std::vector<std::string> header{rows.KeyHeader};
    for (size_t column = 0; column < rows.ValueColumns(); ++column) {
        header.push_back(rows.ValueHeaderOf(column));
    }
    AppendLine(bytes, header);
    for (size_t k = 0; k < rows.Size(); ++k) AppendLine(bytes, RowFields(rows, k, words));
    return bytes;
}

std::string TabSeparatedRows(const TableRows& rows, std::vector<size_t> chosen,
                             const FailureWords& words) {
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    std::string text;
    for (const size_t row : chosen) {
        if (row >= rows.Size()) continue;
        const std::vector<std::string> fields = RowFields(rows, row, words);
        for (size_t k = 0; k < fields.size(); ++k) text += (k > 0 ? "\t" : "") + fields[k];
        text += '\n';
    }
    return text;
}

FileResult SaveCsv(const QString& path, const TableRows& rows, const FailureWords& words) {
    return WriteWholeFile(path, CsvBytes(rows, words));
}
