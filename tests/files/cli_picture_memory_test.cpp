// What tarvik-cli render holds at its peak for a large picture, in every format: at most one
// and a half times the raw picture (width x height x 3 bytes) and 64 MiB besides. At 6000 x
// 6000 the raw picture is 108 MB and the bound 226 MB; the raster alone takes 144 MB, so one
// more copy of the picture in any form (108 MB or more) goes past the bound.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace {

constexpr int kSide = 6000;

// A sanitizer's shadow memory and quarantine count in the resident size: the bound is about the
// program, so it is checked in the plain build only.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
constexpr int64_t kRawBytes = int64_t{kSide} * kSide * 3;
constexpr int64_t kBoundBytes = kRawBytes * 3 / 2 + (int64_t{64} << 20);

struct PeakRun {
    int exitCode = -1;
    int64_t peakBytes = 0;
};

// Runs the program as a child of its own and takes its peak resident size from the system.
PeakRun RunMeasured(const std::vector<std::string>& arguments) {
    const QByteArray program = QFile::encodeName(CliPath());
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.constData()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        // Nothing on the terminal: no progress line, no text.
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execv(program.constData(), argv.data());
        _exit(127);
    }
    PeakRun run;
    int status = 0;
    struct rusage usage {};
    if (child < 0 || wait4(child, &status, 0, &usage) != child) return run;
    if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    run.peakBytes = int64_t{usage.ru_maxrss} * 1024;  // kilobytes
    return run;
}

class RenderPeak : public testing::TestWithParam<const char*> {};

TEST_P(RenderPeak, StaysWithinOneAndAHalfPicturesAndSixtyFourMebibytes) {
    if (kSanitized) GTEST_SKIP() << "resident size includes the sanitizer's shadow memory";
    QTemporaryDir dir;
    const std::string path =
        QFile::encodeName(dir.filePath(QStringLiteral("big.") + GetParam())).toStdString();
    const std::string size = std::to_string(kSide) + "x" + std::to_string(kSide);
    const PeakRun run = RunMeasured({"render", "sinx", "--size", size, "-o", path});
    ASSERT_EQ(run.exitCode, 0);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_GT(info.st_size, 0);
    if (std::string(GetParam()) == "bmp") {
        EXPECT_EQ(info.st_size, kRawBytes + 54);
    }
    EXPECT_GT(run.peakBytes, 0);
    EXPECT_LT(run.peakBytes, kBoundBytes) << "peak " << run.peakBytes / 1000000 << " MB";
}

INSTANTIATE_TEST_SUITE_P(Formats, RenderPeak, testing::Values("bmp", "png", "svg", "pdf"));

// The picture written to standard output (here the null device) is streamed the same way.
TEST(RenderPeakToStandardOutput, StaysWithinTheSameBound) {
    if (kSanitized) GTEST_SKIP() << "resident size includes the sanitizer's shadow memory";
    const std::string size = std::to_string(kSide) + "x" + std::to_string(kSide);
    for (const char* format : {"bmp", "png"}) {
        const PeakRun run =
            RunMeasured({"render", "sinx", "--size", size, "--format", format, "-o", "-"});
        ASSERT_EQ(run.exitCode, 0) << format;
        EXPECT_LT(run.peakBytes, kBoundBytes) << format << " peak " << run.peakBytes / 1000000;
    }
}

}  // namespace
