// tarvik-cli render -o as a black box: the format by the extension (or --format for standard
// output, a device or a pipe), the argument error for any other extension, --scale, and write
// failures that exit 1 with the system's reason and leave no file behind and every old file as
// it was.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <utility>

#include "cli_runner.h"

namespace {

using Result = CliResult;

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

const QByteArray kOld = "old picture, kept byte for byte";

struct ExtensionRow {
    const char* name;
    const char* start;  // the written file's first bytes; null: an argument error
};

class RenderExtension : public testing::TestWithParam<ExtensionRow> {};

TEST_P(RenderExtension, PicksTheFormatOrRefusesTheName) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromUtf8(GetParam().name));
    const Result result = RunCli({"render", "sinx", "-o", path, "--size", "60x40"});
    if (GetParam().start == nullptr) {
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_NE(result.err.find(".bmp, .png, .svg или .pdf"), std::string::npos) << result.err;
        EXPECT_EQ(Entries(dir.path()), QStringList{});
        return;
    }
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "График построен\n");
    EXPECT_TRUE(ReadAll(path).startsWith(GetParam().start));
}

INSTANTIATE_TEST_SUITE_P(
    Names, RenderExtension,
    testing::Values(ExtensionRow{"a.bmp", "BM"}, ExtensionRow{"a.png", "\x89PNG"},
                    ExtensionRow{"a.svg", "<?xml"}, ExtensionRow{"a.pdf", "%PDF"},
                    ExtensionRow{"A.PDF", "%PDF"}, ExtensionRow{"рисунок.Svg", "<?xml"},
                    ExtensionRow{"a.jpg", nullptr}, ExtensionRow{"a", nullptr},
                    ExtensionRow{"a.png.txt", nullptr}, ExtensionRow{"bmp", nullptr}));

// --scale K: a raster file K times as many pixels each way, drawn at that resolution (not the
// scale-1 picture's pixels repeated); the vector files keep the picture's size.
struct ScaleRow {
    const char* name;
    QStringList extra;
    int scale;
};

class RenderScale : public testing::TestWithParam<ScaleRow> {};

bool MadeOfBlocks(const QImage& image, int scale) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != image.pixel(x - x % scale, y - y % scale)) return false;
    return true;
}

TEST_P(RenderScale, DrawsScaleTimesThePixels) {
    const ScaleRow row = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromUtf8(row.name));
    const QStringList common =
        QStringList{"render", "sinx", "-o", path, "--size", "60x40"} + row.extra;
    const Result result = RunCli(common + QStringList{"--scale", QString::number(row.scale)});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const QByteArray bytes = ReadAll(path);
    if (path.endsWith(".svg")) {
        EXPECT_TRUE(bytes.contains("viewBox=\"0 0 60 40\"")) << bytes.left(400).constData();
        return;
    }
    const QImage image = QImage::fromData(bytes);
    ASSERT_EQ(image.size(), QSize(60 * row.scale, 40 * row.scale));
    const QString plain = dir.filePath(QStringLiteral("plain_") + QString::fromUtf8(row.name));
    ASSERT_EQ(
        RunCli(QStringList{"render", "sinx", "-o", plain, "--size", "60x40"} + row.extra).exitCode,
        0);
    if (row.scale == 1) {
        EXPECT_EQ(bytes, ReadAll(plain));
    } else {
        EXPECT_FALSE(MadeOfBlocks(image, row.scale));
        EXPECT_NE(image, QImage::fromData(ReadAll(plain))
                             .scaled(image.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation));
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, RenderScale,
                         testing::Values(ScaleRow{"a.png", {}, 1}, ScaleRow{"a.png", {}, 2},
                                         ScaleRow{"a.bmp", {"--points"}, 3},
                                         ScaleRow{"a.png", {"--labels"}, 4},
                                         ScaleRow{"a.png", {"--cobweb", "--x", "0.5"}, 2},
                                         ScaleRow{"a.svg", {}, 2}));

struct StreamRow {
    QStringList format;
    const char* start;
};

class RenderToStandardOutput : public testing::TestWithParam<StreamRow> {};

TEST_P(RenderToStandardOutput, WritesThePictureAndTheTextGoesToStandardError) {
    const Result result =
        RunCli(QStringList{"render", "sinx", "-o", "-", "--size", "60x40"} + GetParam().format);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.out.starts_with(GetParam().start)) << result.out.substr(0, 8);
    EXPECT_EQ(result.err, "График построен\n");
}

INSTANTIATE_TEST_SUITE_P(Formats, RenderToStandardOutput,
                         testing::Values(StreamRow{{}, "BM"}, StreamRow{{"--format", "bmp"}, "BM"},
                                         StreamRow{{"--format", "png"}, "\x89PNG"},
                                         StreamRow{{"--format", "svg"}, "<?xml"},
                                         StreamRow{{"--format", "pdf"}, "%PDF"}));

// Standard output named as a file (its link's target is a pipe, not a path): the picture goes
// there and the text to standard error, as with "-".
TEST(RenderToStandardOutput, NamedAsAFile) {
    for (const char* name : {"/dev/stdout", "/dev/fd/1", "/proc/self/fd/1"}) {
        const Result result = RunCli({"render", "sinx", "-o", name, "--size", "60x40"});
        ASSERT_EQ(result.exitCode, 0) << name << ": " << result.err;
        EXPECT_TRUE(result.out.starts_with("BM")) << name;
        EXPECT_EQ(result.out.size(), 54 + 60 * 40 * 3) << name;
        EXPECT_EQ(result.err, "График построен\n") << name;
    }
}

// A named pipe takes the format of its name's extension, as a plain file does.
TEST(RenderToANamedPipe, FormatFollowsTheExtension) {
    QTemporaryDir dir;
    for (const auto& [name, start] :
         {std::pair{"a.png", "\x89PNG"}, std::pair{"a.svg", "<?xml"}, std::pair{"a.pdf", "%PDF"},
          std::pair{"a.bmp", "BM"}, std::pair{"a", "BM"}}) {
        const QString fifo = dir.filePath(name);
        ASSERT_EQ(mkfifo(Native(fifo).constData(), 0666), 0);
        QByteArray received;
        std::thread reader([&] { received = ReadAll(fifo); });
        // The reader opens first, so that the pipe has one when the picture is written.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const Result result = RunCli({"render", "sinx", "-o", fifo, "--size", "60x40"});
        reader.join();
        EXPECT_EQ(result.exitCode, 0) << name << ": " << result.err;
        EXPECT_TRUE(received.startsWith(start)) << name << ": " << received.left(8).toStdString();
        QFile::remove(fifo);
    }
}

// A function file read from standard input, its data coming late: the read waits for it.
TEST(RenderFromStandardInput, WaitsForTheData) {
    QTemporaryDir dir;
    const QString picture = dir.filePath("o.bmp");
    QProcess process;
    process.start(CliPath(), {"render", "--load", "/dev/stdin", "-o", picture, "--size", "60x40"});
    ASSERT_TRUE(process.waitForStarted());
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    process.write("cosx\r\n0.05\r\n0.05\r\n1\r\n1\r\n100\r\n1\r\n1\r\n0\r\n");
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_TRUE(ReadAll(picture).startsWith("BM"));
}

TEST(RenderFormatOption, RefusedWhenUnknownOrAgainstTheExtension) {
    QTemporaryDir dir;
    for (const QStringList& extra :
         {QStringList{"-o", "-", "--format", "gif"}, QStringList{"-o", "-", "--format", "PNG"},
          QStringList{"-o", dir.filePath("a.png"), "--format", "svg"}}) {
        const Result result = RunCli(QStringList{"render", "sinx"} + extra);
        EXPECT_EQ(result.exitCode, 2) << extra.join(' ').toStdString();
        EXPECT_TRUE(result.out.empty());
    }
    EXPECT_EQ(Entries(dir.path()), QStringList{});
}

TEST(RenderWriteFailure, MissingFolderGivesTheSystemsReason) {
    QTemporaryDir dir;
    const Result result = RunCli({"render", "sinx", "-o", dir.filePath("no/a.png")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("No such file or directory"), std::string::npos) << result.err;
    EXPECT_EQ(Entries(dir.path()), QStringList{});
}

// A full-device node and a pipe of our own (the machine's /dev is left alone).
TEST(RenderWriteFailure, DeviceAndPipeAreWrittenInPlaceAndKeepTheirKind) {
    QTemporaryDir dir;
    const QString full = dir.filePath("full");
    const QString pipe = dir.filePath("pipe");
    ASSERT_EQ(mkfifo(Native(pipe).constData(), 0666), 0);
    Result unread = RunCli({"render", "sinx", "-o", pipe});
    EXPECT_EQ(unread.exitCode, 1);
    EXPECT_NE(unread.err.find("No process reads from the pipe"), std::string::npos);
    struct stat info {};
    ASSERT_EQ(stat(Native(pipe).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    if (mknod(Native(full).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        GTEST_SKIP() << "cannot make a device node here (" << std::strerror(errno) << ")";
    const int probe = open(Native(full).constData(), O_WRONLY);
    if (probe < 0) GTEST_SKIP() << "device nodes do not open here (" << std::strerror(errno) << ")";
    close(probe);
    for (const char* format : {"bmp", "png", "svg", "pdf"}) {
        const Result result = RunCli({"render", "sinx", "-o", full, "--format", format});
        EXPECT_EQ(result.exitCode, 1) << format;
        EXPECT_NE(result.err.find("No space left on device"), std::string::npos) << result.err;
        ASSERT_EQ(stat(Native(full).constData(), &info), 0);
        EXPECT_TRUE(S_ISCHR(info.st_mode)) << format;
    }
    const Result stream = RunCli({"render", "sinx", "-o", "-"}, OutputTo(full));
    EXPECT_EQ(stream.exitCode, 1);
    EXPECT_NE(stream.err.find("No space left on device"), std::string::npos) << stream.err;
    EXPECT_EQ(Entries(dir.path()), (QStringList{"full", "pipe"}));
}

class RenderKeepsOldFile : public testing::TestWithParam<const char*> {};

TEST_P(RenderKeepsOldFile, OnAFullDisk) {
    QTemporaryDir dir;
    const QString disk = dir.filePath("disk");
    QDir(dir.path()).mkdir("disk");
    if (mount("tmpfs", Native(disk).constData(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here (" << std::strerror(errno) << ")";
    const QString path = disk + "/old." + GetParam();
    WriteAll(path, kOld);
    FILE* filler = fopen(Native(disk + "/filler").constData(), "wb");
    const std::string block(512, 'f');
    while (filler && fwrite(block.data(), 1, block.size(), filler) == block.size()) {
    }
    if (filler) fclose(filler);
    const Result result = RunCli({"render", "sinx", "-o", path});
    const QByteArray kept = ReadAll(path);
    const QStringList entries = Entries(disk);
    umount2(Native(disk).constData(), MNT_DETACH);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("No space left on device"), std::string::npos) << result.err;
    EXPECT_EQ(kept, kOld);
    EXPECT_EQ(entries, (QStringList{"filler", QStringLiteral("old.") + GetParam()}));
}

TEST_P(RenderKeepsOldFile, InAReadOnlyFolder) {
    QTemporaryDir dir;
    chmod(Native(dir.path()).constData(), 0755);
    const QString folder = dir.filePath("locked");
    QDir(dir.path()).mkdir("locked");
    const QString path = folder + "/old." + GetParam();
    WriteAll(path, kOld);
    chmod(Native(path).constData(), 0666);
    chmod(Native(folder).constData(), 0555);
    const Result result = RunCli({"render", "sinx", "-o", path}, AsNobody());
    chmod(Native(folder).constData(), 0755);
    ASSERT_NE(result.exitCode, 99) << "could not run as an unprivileged user";
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("Permission denied"), std::string::npos) << result.err;
    EXPECT_EQ(ReadAll(path), kOld);
    EXPECT_EQ(Entries(folder), QStringList{QStringLiteral("old.") + GetParam()});
}

INSTANTIATE_TEST_SUITE_P(Formats, RenderKeepsOldFile, testing::Values("bmp", "png", "svg", "pdf"));

}  // namespace
