// The program's messages: the words for what the engine, the calculations, the pictures and the
// file layer report as codes and structured outcomes. Written in Russian (the texts the Russian
// interface shows, the file layer's English reports among them) and looked up in the catalogue
// in use, so that the window and tarvik-cli say the same in either language. All texts UTF-8.
#pragma once

#include <QString>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calculations.h"
#include "calc/sequence_behaviour.h"
#include "calc/sequence_table.h"
#include "document/run_outcome.h"
#include "files/curve_set_refusal.h"
#include "files/file_access.h"
#include "files/function_file.h"
#include "files/picture_format.h"
#include "tarvik_version.h"
#include "view/picture_mode.h"

// The program's name and version: the caption, never translated.
inline constexpr std::string_view kProgramCaption = TARVIK_NAME_AND_VERSION;

// --- The engine and the run ---

// "ОШИБКА: " and the message of an engine code 1..11, or of kEmptyRangeCode (an empty index
// range). Any other code is shown as an overflow, the engine's catch-all fault.
std::string FailureText(int32_t code);
std::string OverflowText();
std::string GraphBuiltText();
std::string PlotStoppedText();

// A run's outcome in words: the log lines, the caption, the result field and its tooltip.
struct RunTexts {
    std::vector<std::string> LogLines;      // separator, expression, the end when there is one
    std::optional<std::string> Caption;     // after a successful build
    std::string ResultHint;                 // tooltip of txtResult, when the run ran
    std::optional<std::string> ResultText;  // text of txtResult, when the run ended with one
};
RunTexts RunWords(const RunOutcome& outcome);
// The end of a run alone, when it has one.
std::optional<std::string> RunEndText(const RunOutcome& outcome);

// --- Calculations, tables and sequences ---

struct CalcTexts {
    std::optional<std::string> ResultText;
    std::optional<std::string> ResultHint;
    std::optional<std::string> Information;  // for an InformationBox
};
CalcTexts CalcWords(const CalcOutcome& outcome);
std::string CalcRefusalText(CalcRefusal refusal);
std::string TableRefusalText(TableRefusal refusal);
// The failure words of the tables, for TableRows::ValueText and the CSV.
FailureWords TableFailureWords();

std::string BehaviourText(const SequenceVerdict& behaviour);
// The three summary lines: last term, last difference, behaviour.
std::array<std::string, 3> SummaryLines(const SequenceEnd& end);

std::string PictureModeName(PictureMode mode);
// The message of a sequence picture for an InformationBox, if any.
std::optional<std::string> PictureInformation(const PictureOutcome& outcome);

// --- Files ---

// The save dialog's filter of a picture format: "Рисунок BMP (*.bmp)"...
std::string PictureFilter(PictureFormat format);

// "File not found", "Disk full", "I/O error 5"...; empty on success.
std::string FileFailureText(const FileResult& result);
// The reason in the system's words ("No space left on device"), or the refusal's message.
std::string FileFailureReason(const FileResult& result);
// An export's failure as the BMP export words it: "Cannot create file NAME" when the file could
// not be made, "Stream write error" when writing it failed, the refusal's message for a socket or
// an unread pipe; empty on success.
std::string ExportFailureText(const QString& path, const FileResult& result);
// Why a function file was refused; empty when it was not.
std::string LoadErrorText(const LoadError& error);
// Why a curve set file was refused; empty when it was not.
std::string SetFileRefusalText(const SetFileRefusal& refusal);
// The dialogs' filter of curve set files.
std::string CurveSetFilter();
