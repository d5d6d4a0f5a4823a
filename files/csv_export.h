// The rows of a table as text: tab-separated for the clipboard, and CSV (UTF-8, comma-separated,
// "." as the decimal point, a header row) for a file.
#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "calc/sequence_table.h"
#include "files/file_access.h"

inline const QString kCsvExtension = QStringLiteral(".csv");

// A field as CSV writes it: quoted, with its quotes doubled, when it holds a comma, a quote, a
// line break or a leading or trailing blank.
std::string CsvField(std::string_view field);

// The header and every row (the key, then each value column), each line ended by CR LF; a
// failed value is its code in `words`.
QByteArray CsvBytes(const TableRows& rows, const FailureWords& words);

// The chosen rows (indices in any order, shown in table order), the key and each value joined
// by tabs, one line each ended by "\n".
std::string TabSeparatedRows(const TableRows& rows, std::vector<size_t> chosen,
                             const FailureWords& words);

// Writes the CSV to `path` whole or not at all.
FileResult SaveCsv(const QString& path, const TableRows& rows, const FailureWords& words);
