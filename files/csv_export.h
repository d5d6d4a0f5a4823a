// The rows of a table as text: tab-separated for the clipboard, and CSV (UTF-8, comma-separated,
// "." as the decimal point, a header row) for a file.
#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "calc/sequence_table.h"

inline const QString kCsvExtension = QStringLiteral(".csv");

// A field as CSV writes it: quoted, with its quotes doubled, when it holds a comma, a quote, a
// line break or a leading or trailing blank.
std::string CsvField(std::string_view field);

// The header and every row, each line ended by CR LF.
QByteArray CsvBytes(const TableRows& rows);

// The chosen rows (indices in any order, shown in table order), key and value joined by a tab,
// one line each ended by "\n".
std::string TabSeparatedRows(const TableRows& rows, std::vector<size_t> chosen);

// Writes the CSV to `path` whole or not at all; returns the failure message, empty on success.
std::string SaveCsv(const QString& path, const TableRows& rows);
