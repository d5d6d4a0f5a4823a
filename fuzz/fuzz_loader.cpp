// Fuzzes the function-file loader: arbitrary bytes are written to a file and loaded through
// the file reader, with its size limit, exactly as the window and tarvik-cli load them; the
// load must agree with the parse of the bytes the limit lets through. A refusal must carry
// a message; an accepted file must hold values within the parameter ranges, and what it writes
// must read back: once written, a file reads back with the same values and writes the same
// bytes again. (The first writing may still change the bytes: values are rounded to ten
// decimals, and a negative value that rounds to zero, written -0.0000000000, reads back as a
// zero that is written without its sign.)
#include <unistd.h>

#include <QFile>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/function_file.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

bool InRanges(const FunctionFile& file) {
    const auto scaleOk = [](ExtendedReal s) { return s >= kMinPixelSize && s <= kMaxPixelSize; };
    return scaleOk(file.PixelSizeX) && scaleOk(file.PixelSizeY) && file.SamplesPerPixel >= 1 &&
           file.IndexFrom >= 0 && file.IndexFrom < file.IndexTo && file.IndexTo <= kMaxIndex &&
           (!file.Bounded || file.ArgumentFrom < file.ArgumentTo);
}

// The exponent form keeps two digits, so a value near the top of the extended range is written
// as a text beyond it; such a file is not expected to read back.
bool WritesReadably(const FunctionFile& file) {
    constexpr ExtendedReal kLargest = 1e4932L;
    return std::fabs(file.ValueA) < kLargest && std::fabs(file.ConstantC) < kLargest;
}

bool SameValues(const FunctionFile& a, const FunctionFile& b) {
    return a.Expression == b.Expression && a.PixelSizeX == b.PixelSizeX &&
           a.PixelSizeY == b.PixelSizeY && a.SamplesPerPixel == b.SamplesPerPixel &&
           a.IndexFrom == b.IndexFrom && a.IndexTo == b.IndexTo && a.ValueA == b.ValueA &&
           a.ConstantC == b.ConstantC && a.Bounded == b.Bounded &&
           a.LowerBoundText == b.LowerBoundText && a.UpperBoundText == b.UpperBoundText &&
           a.ArgumentFrom == b.ArgumentFrom && a.ArgumentTo == b.ArgumentTo;
}

// The one scratch file every input is written to, made at the first input.
class ScratchFile {
  public:
    ScratchFile() {
        char name[] = "/tmp/fuzz_loader_XXXXXX";
        fd_ = mkstemp(name);
        Require(fd_ >= 0);
        path_ = QFile::decodeName(name);
    }
    ~ScratchFile() {
        close(fd_);
        unlink(QFile::encodeName(path_).constData());
    }
    const QString& Holding(std::string_view bytes) {
        Require(ftruncate(fd_, 0) == 0);
        Require(pwrite(fd_, bytes.data(), bytes.size(), 0) == ssize_t(bytes.size()));
        return path_;
    }

  private:
    int fd_ = -1;
    QString path_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ScratchFile scratch;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const FunctionFileParse first = LoadFunctionFile(scratch.Holding(bytes));
    const FunctionFileParse parsed = ParseFunctionFile(bytes.substr(0, kFunctionFileReadLimit));
    Require(first.File.has_value() == parsed.File.has_value());
    Require(first.Error.Kind == parsed.Error.Kind && first.Error.Line == parsed.Error.Line);
    if (!first.File) {
        Require(first.Error.Kind != LoadProblem::None && first.Error.Kind != LoadProblem::File);
        return 0;
    }
    Require(first.Error.Kind == LoadProblem::None);
    Require(InRanges(*first.File));
    if (!WritesReadably(*first.File)) return 0;

    const FunctionFileParse second = ParseFunctionFile(FunctionFileBytes(*first.File));
    Require(second.File.has_value());
    const std::string written = FunctionFileBytes(*second.File);
    const FunctionFileParse third = ParseFunctionFile(written);
    Require(third.File.has_value());
    Require(SameValues(*second.File, *third.File));
    Require(FunctionFileBytes(*third.File) == written);
    return 0;
}
