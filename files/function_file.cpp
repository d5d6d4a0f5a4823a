// Writing, reading and checking function files.
#include "files/function_file.h"

#include <QByteArray>
#include <algorithm>
#include <functional>

#include "engine/number_text.h"
#include "files/cp1251.h"
#include "files/file_access.h"

namespace {

constexpr char kEndOfFile = 26;  // Ctrl-Z: nothing after it is read
constexpr std::size_t kRealTokenLimit = 64;
constexpr std::size_t kIntegerTokenLimit = 32;
constexpr int kLowerBoundLine = 10;
constexpr int kUpperBoundLine = 11;

LoadError Problem(LoadProblem kind, int line = 0) {
    LoadError error;
    error.Kind = kind;
    error.Line = line;
    return error;
}

// Whether a byte can stand in a text line: anything but NUL and the other control bytes; Tab
// and the line ends are text.
bool TextByte(char c) {
    const auto code = static_cast<unsigned char>(c);
    return (code >= 32 && code != 127) || c == '\t' || c == '\r' || c == '\n';
}

// A text line of the file in code page 1251, without the bytes that would end it or refuse it.
std::string TextLineBytes(std::string_view utf8) {
    std::string bytes = Cp1251FromUtf8(utf8);
    for (char& c : bytes)
        if (!TextByte(c) || c == '\r' || c == '\n') c = ' ';
    return bytes;
}

// Walks the file's bytes. A line ends at CR (an LF right after it belongs to it) or at a bare
// LF, so that files edited with either convention read alike.
class LineReader {
  public:
    explicit LineReader(std::string_view bytes) : data_(bytes.substr(0, bytes.find(kEndOfFile))) {}

    bool AtEnd() const { return pos_ >= data_.size(); }

    // Everything up to the line end; the line end is consumed. Empty at the end of the file.
    std::string_view TextLine() {
        const std::size_t start = pos_;
        while (!AtEnd() && !AtLineEnd()) ++pos_;
        const std::string_view text = data_.substr(start, pos_ - start);
        lastLength_ = pos_ - lineStart_;
        lastEnded_ = !AtEnd();
        SkipLineEnd();
        return text;
    }

    // The run of characters above 32 after skipping every character of 32 and below (empty
    // lines included); nothing when the file ends first. The rest of its line is consumed.
    std::optional<std::string_view> Token() {
        while (!AtEnd() && Code() <= 32) {
            if (AtLineEnd()) {
                SkipLineEnd();
            } else {
                ++pos_;
            }
        }
        if (AtEnd()) return std::nullopt;
        const std::size_t start = pos_;
        while (!AtEnd() && Code() > 32) ++pos_;
        const std::string_view token = data_.substr(start, pos_ - start);
        TextLine();
        return token;
    }

    // The length of the line last read, and whether a line end closed it.
    std::size_t LastLength() const { return lastLength_; }
    bool LastEnded() const { return lastEnded_; }

    // The number of the line (counted from 1) of the first byte that cannot be text, or 0.
    int FirstNonTextLine() const {
        int line = 1;
        for (std::size_t k = 0; k < data_.size(); ++k) {
            if (!TextByte(data_[k])) return line;
            const bool crLf = data_[k] == '\r' && k + 1 < data_.size() && data_[k + 1] == '\n';
            if ((data_[k] == '\r' && !crLf) || data_[k] == '\n') ++line;
        }
        return 0;
    }

  private:
    unsigned char Code() const { return static_cast<unsigned char>(data_[pos_]); }
    bool AtLineEnd() const { return data_[pos_] == '\r' || data_[pos_] == '\n'; }
    void SkipLineEnd() {
        if (AtEnd()) return;
        if (data_[pos_] == '\r') {
            ++pos_;
            if (!AtEnd() && data_[pos_] == '\n') ++pos_;
        } else if (data_[pos_] == '\n') {
            ++pos_;
        }
        lineStart_ = pos_;
    }

    std::string_view data_;
    std::size_t pos_ = 0;
    std::size_t lineStart_ = 0;
    std::size_t lastLength_ = 0;
    bool lastEnded_ = false;
};

std::optional<LoadError> TooLong(const LineReader& reader, int line) {
    if (reader.LastLength() > kFunctionFileLineLimit) return Problem(LoadProblem::TooLong, line);
    return std::nullopt;
}

// A text line that the format needs: the problem when the file ends before it or the line is
// too long.
std::optional<LoadError> ReadTextLine(LineReader& reader, int line, std::string_view& text) {
    if (reader.AtEnd()) return Problem(LoadProblem::MissingLine, line);
    text = reader.TextLine();
    return TooLong(reader, line);
}

// One numeric line: its value or the problem that refuses the file.
template <typename T>
std::optional<LoadError> ReadNumber(LineReader& reader, int line, T& value,
                                    const std::function<bool(T)>& inRange) {
    const std::optional<std::string_view> token = reader.Token();
    if (!token) return Problem(LoadProblem::Missing, line);
    if (std::optional<LoadError> tooLong = TooLong(reader, line)) return tooLong;
    bool converted = false;
    if constexpr (std::is_same_v<T, int32_t>) {
        converted = token->size() <= kIntegerTokenLimit && IntegerText(*token, value);
    } else {
        converted = token->size() <= kRealTokenLimit && NumberSyntax(*token, value);
    }
    if (!converted) return Problem(LoadProblem::NotANumber, line);
    if (!inRange(value)) return Problem(LoadProblem::OutOfRange, line);
    return std::nullopt;
}

bool PixelSizeInRange(ExtendedReal size) {
    return size >= kMinPixelSize && size <= kMaxPixelSize;
}

std::optional<LoadError> ReadBounds(LineReader& reader, FunctionFile& file) {
    std::string_view lower;
    std::string_view upper;
    std::optional<LoadError> error;
    if ((error = ReadTextLine(reader, kLowerBoundLine, lower))) return error;
    if ((error = ReadTextLine(reader, kUpperBoundLine, upper))) return error;
    // A file cut inside its last line would change the upper bound ("20" read as "2").
    if (!reader.LastEnded()) return Problem(LoadProblem::Incomplete, kUpperBoundLine);
    file.LowerBoundText = Utf8FromCp1251(lower);
    file.UpperBoundText = Utf8FromCp1251(upper);
    if (!NumberSyntax(file.LowerBoundText, file.ArgumentFrom))
        return Problem(LoadProblem::BadBound, kLowerBoundLine);
    if (!NumberSyntax(file.UpperBoundText, file.ArgumentTo))
        return Problem(LoadProblem::BadBound, kUpperBoundLine);
    if (!(file.ArgumentFrom < file.ArgumentTo))
        return Problem(LoadProblem::BoundsOutOfOrder, kLowerBoundLine);
    return std::nullopt;
}

std::optional<LoadError> ReadAll(LineReader& reader, FunctionFile& file) {
    if (const int line = reader.FirstNonTextLine()) return Problem(LoadProblem::NotText, line);
    const auto any = [](auto) { return true; };
    std::string_view text;
    std::optional<LoadError> error;
    if ((error = ReadTextLine(reader, 1, text))) return error;
    file.Expression = Utf8FromCp1251(text);
    if ((error = ReadNumber<ExtendedReal>(reader, 2, file.PixelSizeX, PixelSizeInRange)))
        return error;
    if ((error = ReadNumber<ExtendedReal>(reader, 3, file.PixelSizeY, PixelSizeInRange)))
        return error;
    if ((error = ReadNumber<int32_t>(reader, 4, file.SamplesPerPixel,
                                     [](int32_t v) { return v >= 1; })))
        return error;
    if ((error = ReadNumber<int32_t>(reader, 5, file.IndexFrom, [](int32_t v) { return v >= 0; })))
        return error;
    const int32_t from = file.IndexFrom;
    if ((error = ReadNumber<int32_t>(reader, 6, file.IndexTo,
                                     [from](int32_t v) { return v > from && v <= kMaxIndex; })))
        return error;
    if ((error = ReadNumber<ExtendedReal>(reader, 7, file.ValueA, any))) return error;
    if ((error = ReadNumber<ExtendedReal>(reader, 8, file.ConstantC, any))) return error;
    if ((error = ReadTextLine(reader, 9, text))) return error;
    file.Bounded = text == "1";
    if (file.Bounded) return ReadBounds(reader, file);
    return std::nullopt;
}

}  // namespace

FunctionFile FunctionFileFromState(const ViewState& view, const Engine& engine,
                                   std::string_view expression, bool bounded,
                                   std::string_view lowerBoundText,
                                   std::string_view upperBoundText) {
    FunctionFile file;
    file.Expression = std::string(expression);
    // One zoom step may carry a pixel size half a step past its bound; the next run clamps it
    // back, so the file stores the size the run will use and always loads again.
    file.PixelSizeX = std::clamp(view.PixelSizeX, kMinPixelSize, kMaxPixelSize);
    file.PixelSizeY = std::clamp(view.PixelSizeY, kMinPixelSize, kMaxPixelSize);
    file.SamplesPerPixel = view.SamplesPerPixel;
    file.IndexFrom = engine.IndexFrom;
    file.IndexTo = engine.IndexTo;
    file.ValueA = engine.ValueA;
    file.ConstantC = engine.ConstantC;
    file.Bounded = bounded;
    if (bounded) {
        file.LowerBoundText = std::string(lowerBoundText);
        file.UpperBoundText = std::string(upperBoundText);
        file.ArgumentFrom = view.ArgumentFrom;
        file.ArgumentTo = view.ArgumentTo;
    }
    return file;
}

std::string FunctionFileBytes(const FunctionFile& file) {
    std::string out;
    const auto line = [&out](std::string_view text) {
        out += text;
        out += "\r\n";
    };
    line(TextLineBytes(file.Expression));
    line(FixedPointText(file.PixelSizeX, 10));
    line(FixedPointText(file.PixelSizeY, 10));
    line(IntegerDisplayText(file.SamplesPerPixel));
    line(IntegerDisplayText(file.IndexFrom));
    line(IntegerDisplayText(file.IndexTo));
    line(FixedPointText(file.ValueA, 10));
    line(FixedPointText(file.ConstantC, 10));
    line(file.Bounded ? "1" : "0");
    if (file.Bounded) {
        line(TextLineBytes(file.LowerBoundText));
        line(TextLineBytes(file.UpperBoundText));
    }
    return out;
}

FunctionFileParse ParseFunctionFile(std::string_view bytes) {
    LineReader reader(bytes);
    FunctionFile file;
    FunctionFileParse result;
    if (std::optional<LoadError> error = ReadAll(reader, file)) {
        result.Error = std::move(*error);
    } else {
        result.File = std::move(file);
    }
    return result;
}

void ApplyFunctionFile(const FunctionFile& file, ViewState& view, Engine& engine) {
    view.PixelSizeX = file.PixelSizeX;
    view.PixelSizeY = file.PixelSizeY;
    view.SamplesPerPixel = file.SamplesPerPixel;
    engine.IndexFrom = file.IndexFrom;
    engine.IndexTo = file.IndexTo;
    engine.ValueA = file.ValueA;
    engine.ConstantC = file.ConstantC;
    if (file.Bounded) {
        view.ArgumentFrom = file.ArgumentFrom;
        view.ArgumentTo = file.ArgumentTo;
    }
}

FileResult SaveFunctionFile(const QString& path, const FunctionFile& file) {
    const std::string bytes = FunctionFileBytes(file);
    return WriteWholeFile(path, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

FunctionFileParse LoadFunctionFile(const QString& path) {
    std::string bytes;
    const FileResult read = ReadFileStart(path, bytes, kFunctionFileReadLimit);
    if (!read.Ok()) {
        FunctionFileParse result;
        result.Error.Kind = LoadProblem::File;
        result.Error.Read = read;
        return result;
    }
    return ParseFunctionFile(bytes);
}
