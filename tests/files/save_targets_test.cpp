// What every save does with the thing at the chosen name, for each kind of file the program
// writes: a pipe or a device is written in place and stays what it is, a socket and a pipe that
// nobody reads are refused, a symbolic link stays and its target is replaced; and a failed save
// (a full disk, a read-only folder) leaves the old file byte for byte.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <chrono>
#include <cstring>
#include <functional>
#include <thread>

#include "file_test_support.h"
#include "files/exports.h"
#include "files/file_access.h"
#include "files/function_file.h"
#include "files/picture_export.h"
#include "messages/messages.h"

namespace {

const std::string kOldBytes = "old file\r\nkept byte for byte\r\n";

QImage SamplePicture() {
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (int x = 0; x < 300; ++x) image.setPixel(x, (x * x) % 200, qRgb(255, 255, x % 256));
    return image;
}

void SampleDrawing(DrawSurface& surface) {
    surface.SetBrushColour(kBlack);
    surface.FillRect(0, 0, surface.Width(), surface.Height());
    surface.SetPenColour(kYellow);
    surface.MoveTo(0, 0);
    for (int x = 1; x < 300; x += 3) surface.LineTo(x, (x * x) % 200);
}

// One kind of file the program saves, with the start of its bytes and its disk-full message.
struct Writer {
    const char* name;
    std::function<std::string(const QString&)> save;
    std::string start;
    std::string diskFull;
};

std::string SavePictureFormat(const QString& path, PictureFormat format) {
    return ExportFailureText(path, SavePictureAs(path, format, SamplePicture(), SampleDrawing));
}

const Writer kWriters[] = {
    {"FunctionFile",
     [](const QString& path) {
         return SavedFunction(
             path, FunctionFileFromState(ViewState{}, Engine{}, "sin(10/x)", false, "-1", "1"));
     },
     "sin(10/x)\r\n", "Disk full"},
    {"Scenario", [](const QString& path) { return SavedScenario(path, "A\nB"); }, "A\r\nB\r\n",
     "Stream write error"},
    {"Bmp", [](const QString& path) { return SavePictureFormat(path, PictureFormat::Bmp); }, "BM",
     "Stream write error"},
    {"Png", [](const QString& path) { return SavePictureFormat(path, PictureFormat::Png); },
     "\x89PNG", "Stream write error"},
    {"Svg", [](const QString& path) { return SavePictureFormat(path, PictureFormat::Svg); },
     "<?xml", "Stream write error"},
    {"Pdf", [](const QString& path) { return SavePictureFormat(path, PictureFormat::Pdf); }, "%PDF",
     "Stream write error"},
};

void PrintTo(const Writer& writer, std::ostream* out) {
    *out << writer.name;
}

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

mode_t KindOf(const QString& path) {
    struct stat info {};
    if (lstat(Native(path).constData(), &info) != 0) return 0;
    return info.st_mode & S_IFMT;
}

// A world-writable scratch folder that an unprivileged child can use too.
class Scratch {
  public:
    Scratch() { chmod(Native(dir_.path()).constData(), 0777); }
    ~Scratch() { chmod(Native(dir_.path()).constData(), 0777); }
    QString Path(const QString& name) const { return dir_.path() + "/" + name; }
    QString Folder() const { return dir_.path(); }

  private:
    QTemporaryDir dir_;
};

class SaveTargets : public testing::TestWithParam<Writer> {
  protected:
    // The bytes of a save to a plain file, for comparison.
    std::string RegularBytes() {
        const QString path = scratch_.Path("regular");
        EXPECT_EQ(GetParam().save(path), "");
        std::string bytes = ReadBytes(path);
        QFile::remove(path);
        return bytes;
    }
    Scratch scratch_;
};

TEST_P(SaveTargets, PipeWithAReaderGetsTheBytesAndStaysAPipe) {
    const size_t expected = RegularBytes().size();
    const QString fifo = scratch_.Path("pipe");
    ASSERT_EQ(mkfifo(Native(fifo).constData(), 0666), 0) << std::strerror(errno);
    const int reader = open(Native(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    std::string received;
    std::thread drain([&] {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        char buffer[4096];
        while (received.size() < expected && std::chrono::steady_clock::now() < until) {
            const ssize_t got = read(reader, buffer, sizeof buffer);
            if (got > 0) {
                received.append(buffer, size_t(got));
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
    });
    EXPECT_EQ(GetParam().save(fifo), "");
    drain.join();
    close(reader);
    EXPECT_EQ(received.size(), expected);
    EXPECT_EQ(received.substr(0, GetParam().start.size()), GetParam().start);
    EXPECT_EQ(KindOf(fifo), mode_t(S_IFIFO));
    EXPECT_EQ(FolderEntries(scratch_.Folder()), QStringList{"pipe"});
}

// An anonymous pipe named through /dev/fd (as /dev/stdout or a shell's >(...) name it): the
// link's target is no path ("pipe:[N]"), and the name itself is written.
TEST_P(SaveTargets, PipeNamedThroughDevFdGetsTheBytes) {
    const size_t expected = RegularBytes().size();
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    std::string received;
    std::thread drain([&] {
        char buffer[4096];
        for (ssize_t got; (got = read(ends[0], buffer, sizeof buffer)) > 0;)
            received.append(buffer, size_t(got));
    });
    const std::string outcome = GetParam().save(QStringLiteral("/dev/fd/%1").arg(ends[1]));
    close(ends[1]);
    drain.join();
    close(ends[0]);
    EXPECT_EQ(outcome, "");
    EXPECT_EQ(received.size(), expected);
    EXPECT_EQ(received.substr(0, GetParam().start.size()), GetParam().start);
    EXPECT_EQ(FolderEntries(scratch_.Folder()), QStringList{});
}

TEST_P(SaveTargets, PipeThatNobodyReadsIsRefusedAtOnce) {
    const QString fifo = scratch_.Path("pipe");
    ASSERT_EQ(mkfifo(Native(fifo).constData(), 0666), 0) << std::strerror(errno);
    EXPECT_EQ(GetParam().save(fifo), "No process reads from the pipe");
    EXPECT_EQ(KindOf(fifo), mode_t(S_IFIFO));
    EXPECT_EQ(FolderEntries(scratch_.Folder()), QStringList{"pipe"});
}

TEST_P(SaveTargets, SocketIsRefusedAndStays) {
    const QString path = scratch_.Path("sock");
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray native = Native(path);
    ASSERT_LT(size_t(native.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(GetParam().save(path), "Cannot save to a socket");
    close(fd);
    EXPECT_EQ(KindOf(path), mode_t(S_IFSOCK));
}

// Device nodes of our own in the scratch folder (the machine's /dev is left alone): the null
// device takes everything, the full device reports a full disk; both stay devices.
TEST_P(SaveTargets, DevicesAreWrittenInPlaceAndStayDevices) {
    const QString null = scratch_.Path("null");
    const QString full = scratch_.Path("full");
    if (mknod(Native(null).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0 ||
        mknod(Native(full).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
        GTEST_SKIP() << "cannot make device nodes here (" << std::strerror(errno) << ")";
    }
    const int probe = open(Native(null).constData(), O_WRONLY);
    if (probe < 0) GTEST_SKIP() << "device nodes do not open here (" << std::strerror(errno) << ")";
    close(probe);
    EXPECT_EQ(GetParam().save(null), "");
    EXPECT_EQ(GetParam().save(full), GetParam().diskFull);
    EXPECT_EQ(KindOf(null), mode_t(S_IFCHR));
    EXPECT_EQ(KindOf(full), mode_t(S_IFCHR));
    EXPECT_EQ(FolderEntries(scratch_.Folder()), (QStringList{"full", "null"}));
}

// A link is followed through a chain and relative names; the links stay, the target is
// replaced, and no temporary file is left in either folder.
TEST_P(SaveTargets, SymbolicLinksStayAndTheirTargetIsReplaced) {
    const std::string expected = RegularBytes();
    QDir(scratch_.Folder()).mkdir("real");
    const QString target = scratch_.Path("real/file");
    WriteBytes(target, kOldBytes);
    ASSERT_EQ(symlink("real/file", Native(scratch_.Path("link")).constData()), 0);
    ASSERT_EQ(symlink("link", Native(scratch_.Path("second")).constData()), 0);
    ASSERT_EQ(symlink("real/new", Native(scratch_.Path("dangling")).constData()), 0);
    EXPECT_EQ(GetParam().save(scratch_.Path("second")), "");
    EXPECT_EQ(GetParam().save(scratch_.Path("dangling")), "");
    if (std::string(GetParam().name) != "Pdf") {  // a PDF carries its time of making
        EXPECT_EQ(ReadBytes(target), expected);
        EXPECT_EQ(ReadBytes(scratch_.Path("real/new")), expected);
    }
    EXPECT_EQ(ReadBytes(target).substr(0, GetParam().start.size()), GetParam().start);
    for (const char* link : {"link", "second", "dangling"})
        EXPECT_EQ(KindOf(scratch_.Path(link)), mode_t(S_IFLNK)) << link;
    EXPECT_EQ(FolderEntries(scratch_.Folder()),
              (QStringList{"dangling", "link", "real", "second"}));
    EXPECT_EQ(FolderEntries(scratch_.Path("real")), (QStringList{"file", "new"}));
}

// Root passes every permission check, so the save runs as an unprivileged user.
TEST_P(SaveTargets, ReadOnlyFolderKeepsTheOldFile) {
    QDir(scratch_.Folder()).mkdir("locked");
    const QString folder = scratch_.Path("locked");
    const QString path = folder + "/old";
    WriteBytes(path, kOldBytes);
    chmod(Native(path).constData(), 0666);
    chmod(Native(folder).constData(), 0555);
    const std::string outcome = InChild({.Unprivileged = true}, [&] {
        if (access(Native(folder).constData(), W_OK) == 0) return std::string("<folder writable>");
        return GetParam().save(path);
    });
    chmod(Native(folder).constData(), 0755);
    ASSERT_NE(outcome, "<folder writable>");
    EXPECT_FALSE(outcome.empty());
    EXPECT_EQ(outcome.find('<'), std::string::npos) << outcome;
    EXPECT_EQ(ReadBytes(path), kOldBytes);
    EXPECT_EQ(FolderEntries(folder), QStringList{"old"});
}

// A full disk: a 256 KiB memory file system filled to the last block.
TEST_P(SaveTargets, FullDiskKeepsTheOldFile) {
    const QString disk = scratch_.Path("disk");
    QDir(scratch_.Folder()).mkdir("disk");
    if (mount("tmpfs", Native(disk).constData(), "tmpfs", 0, "size=256k,mode=0777") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here (" << std::strerror(errno) << ")";
    const QString path = disk + "/old";
    WriteBytes(path, kOldBytes);
    FILE* filler = fopen(Native(disk + "/filler").constData(), "wb");
    ASSERT_NE(filler, nullptr);
    setvbuf(filler, nullptr, _IONBF, 0);
    const std::string block(512, 'f');
    while (fwrite(block.data(), 1, block.size(), filler) == block.size()) {
    }
    fclose(filler);
    const std::string outcome = GetParam().save(path);
    const std::string kept = ReadBytes(path);
    const QStringList entries = FolderEntries(disk);
    umount2(Native(disk).constData(), MNT_DETACH);
    EXPECT_EQ(outcome, GetParam().diskFull);
    EXPECT_EQ(kept, kOldBytes);
    EXPECT_EQ(entries, (QStringList{"filler", "old"}));
}

// Loading from a pipe waits for the writer's data to its end; a socket and a folder are refused
// as what they are.
TEST(LoadSources, PipeIsReadWaitingForItsData) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    FunctionFile file;
    file.Expression = "sinx";
    file.PixelSizeX = file.PixelSizeY = 0.05L;
    file.SamplesPerPixel = 1;
    file.IndexFrom = 1;
    file.IndexTo = 100;
    file.ValueA = file.ConstantC = 1;
    const std::string bytes = FunctionFileBytes(file);
    // The data comes late and in two parts, as from a command still running.
    std::thread writer([&] {
        const size_t half = bytes.size() / 2;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_EQ(write(ends[1], bytes.data(), half), ssize_t(half));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(write(ends[1], bytes.data() + half, bytes.size() - half),
                  ssize_t(bytes.size() - half));
        close(ends[1]);
    });
    const FunctionFileParse parse = LoadFunctionFile(QStringLiteral("/dev/fd/%1").arg(ends[0]));
    writer.join();
    close(ends[0]);
    ASSERT_TRUE(parse.File) << LoadErrorText(parse.Error);
    EXPECT_EQ(parse.File->Expression, "sinx");
    EXPECT_EQ(parse.File->IndexTo, 100);
}

TEST(LoadSources, SocketAndFolderAreNamed) {
    Scratch scratch;
    const QString path = scratch.Path("sock");
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray native = Native(path);
    ASSERT_LT(size_t(native.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(LoadMessage(path), "Cannot read from a socket");
    close(fd);
    EXPECT_EQ(LoadMessage(scratch.Folder()), "The name is a folder, not a file");
}

INSTANTIATE_TEST_SUITE_P(Writers, SaveTargets, testing::ValuesIn(kWriters),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
