// Saving and loading function files and the exports on disk: the round trip, the extension
// rule, the failure messages, and that a failed save leaves the old file exactly as it was
// (read-only folder and file as an unprivileged user, a full disk, a file-size limit).
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

#include "file_test_support.h"
#include "files/exports.h"
#include "files/file_access.h"
#include "files/file_errors.h"
#include "files/function_file.h"
#include "messages/messages.h"

namespace {

const std::string kOldBytes = "old file\r\nkept byte for byte\r\n";

FunctionFile SampleFile() {
    const ViewState view;
    const Engine engine;
    return FunctionFileFromState(view, engine, "sin(10/x)", true, "-2", "3.5");
}

QImage SamplePicture() {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

// A world-writable scratch folder that an unprivileged child can use too.
class Scratch {
  public:
    Scratch() { chmod(QFile::encodeName(dir_.path()).constData(), 0777); }
    ~Scratch() { chmod(QFile::encodeName(dir_.path()).constData(), 0777); }
    QString Path(const QString& name) const { return dir_.path() + "/" + name; }
    QString Folder() const { return dir_.path(); }

  private:
    QTemporaryDir dir_;
};

void SetMode(const QString& path, mode_t mode) {
    ASSERT_EQ(chmod(QFile::encodeName(path).constData(), mode), 0) << std::strerror(errno);
}

TEST(FunctionFileOnDisk, SaveThenLoadGivesTheSameFile) {
    Scratch scratch;
    const QString path = scratch.Path("graph.tvk");
    WriteBytes(path, "a longer old content that must not survive in any part of the new file");
    EXPECT_EQ(SavedFunction(path, SampleFile()), "");
    EXPECT_EQ(ReadBytes(path), FunctionFileBytes(SampleFile()));
    const FunctionFileParse parse = LoadFunctionFile(path);
    ASSERT_TRUE(parse.File) << LoadErrorText(parse.Error);
    EXPECT_EQ(parse.File->Expression, "sin(10/x)");
    EXPECT_EQ(parse.File->ArgumentFrom, -2);
    EXPECT_EQ(parse.File->ArgumentTo, 3.5L);
    EXPECT_EQ(FolderEntries(scratch.Folder()), QStringList{"graph.tvk"});
}

// Extension rule: appended unless the name ends exactly (case-sensitively) with it.
struct ExtensionRow {
    const char* name;
    const char* extension;
    const char* result;
};

class ExtensionRule : public testing::TestWithParam<ExtensionRow> {};

TEST_P(ExtensionRule, AppendsUnlessPresent) {
    EXPECT_EQ(WithExtension(GetParam().name, GetParam().extension), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Names, ExtensionRule,
                         testing::Values(ExtensionRow{"graph", ".tvk", "graph.tvk"},
                                         ExtensionRow{"graph.tvk", ".tvk", "graph.tvk"},
                                         ExtensionRow{"graph.TVK", ".tvk", "graph.TVK.tvk"},
                                         ExtensionRow{"tvk", ".tvk", "tvk.tvk"},
                                         ExtensionRow{"a.tvk.bak", ".tvk", "a.tvk.bak.tvk"},
                                         ExtensionRow{"pic", ".bmp", "pic.bmp"},
                                         ExtensionRow{"pic.bmp", ".bmp", "pic.bmp"},
                                         ExtensionRow{"pic.BMP", ".bmp", "pic.BMP.bmp"},
                                         ExtensionRow{"log", ".txt", "log.txt"},
                                         ExtensionRow{"log.TXT", ".txt", "log.TXT.txt"},
                                         ExtensionRow{"log.txt", ".txt", "log.txt"}));

// The report's full stop: appended when the last character comes after ".".
TEST(GeneralErrorReport, AppendsFullStopAfterCharactersAboveThePoint) {
    const struct {
        const char* message;
        const char* shown;
    } rows[] = {{"File not found", "File not found."},
                {"I/O error 5", "I/O error 5."},
                {"Value out of range in line 2", "Value out of range in line 2."},
                {"Done.", "Done."},
                {"Why?", "Why?."},
                {"Stop!", "Stop!"},
                {"(x)", "(x)"},
                {"", ""}};
    for (const auto& row : rows) EXPECT_EQ(GeneralErrorReportText(row.message), row.shown);
}

// Load failures: the named file cannot be read.
TEST(FunctionFileOnDisk, LoadFailuresNameTheCondition) {
    Scratch scratch;
    WriteBytes(scratch.Path("plain.tvk"), "x\r\n");
    QDir(scratch.Folder()).mkdir("folder.tvk");
    const struct {
        QString path;
        const char* message;
    } rows[] = {
        {scratch.Path("missing.tvk"), "File not found"},
        {scratch.Path("no such folder/graph.tvk"), "Invalid filename"},
        {scratch.Path("plain.tvk/graph.tvk"), "Invalid filename"},
        {scratch.Path("folder.tvk"), "The name is a folder, not a file"},
        {QString(), "Invalid filename"},
    };
    for (const auto& row : rows) {
        const FunctionFileParse parse = LoadFunctionFile(row.path);
        EXPECT_FALSE(parse.File) << row.path.toStdString();
        EXPECT_EQ(LoadErrorText(parse.Error), row.message) << row.path.toStdString();
    }
}

TEST(FunctionFileOnDisk, LoadReadsExactlyAsNamedWithoutAddingTheExtension) {
    Scratch scratch;
    WriteBytes(scratch.Path("graph.tvk"), FunctionFileBytes(SampleFile()));
    EXPECT_EQ(LoadMessage(scratch.Path("graph")), "File not found");
}

TEST(FunctionFileOnDisk, LoadOfAMalformedOrTruncatedFileIsRefusedAndTheFileUntouched) {
    Scratch scratch;
    const std::string whole = FunctionFileBytes(SampleFile());
    const struct {
        std::string bytes;
        const char* message;
    } rows[] = {
        {whole.substr(0, whole.find("\r\n") + 2), "Missing value in line 2"},
        {whole.substr(0, whole.rfind("-2")), "Missing line 10"},
        {"x\r\n0.05x\r\n", "Invalid numeric input in line 2"},
    };
    for (const auto& row : rows) {
        const QString path = scratch.Path("bad.tvk");
        WriteBytes(path, row.bytes);
        EXPECT_EQ(LoadMessage(path), row.message);
        EXPECT_EQ(ReadBytes(path), row.bytes);
    }
}

// Save failures that need no special rights.
TEST(FunctionFileOnDisk, SaveFailuresNameTheCondition) {
    Scratch scratch;
    QDir(scratch.Folder()).mkdir("folder.tvk");
    const struct {
        QString path;
        const char* message;
    } rows[] = {
        {scratch.Path("no such folder/graph.tvk"), "Invalid filename"},
        {scratch.Path("folder.tvk"), "File access denied"},
        {QString(), "Invalid filename"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SavedFunction(row.path, SampleFile()), row.message) << row.path.toStdString();
    EXPECT_EQ(FolderEntries(scratch.Folder()), QStringList{"folder.tvk"});
}

// Permissions, checked as an unprivileged user (root passes every permission check).
TEST(FunctionFileOnDisk, ReadOnlyFolderRefusesTheSaveAndKeepsTheOldFile) {
    Scratch scratch;
    QDir(scratch.Folder()).mkdir("locked");
    const QString folder = scratch.Path("locked");
    const QString path = folder + "/graph.tvk";
    WriteBytes(path, kOldBytes);
    SetMode(folder, 0555);
    const std::string outcome = InChild({.Unprivileged = true}, [&] {
        return SavedFunction(path, SampleFile()) + "|" +
               SavedPicture(path + ".bmp", SamplePicture()) + "|" +
               SavedScenario(folder + "/new.txt", "A\nB");
    });
    SetMode(folder, 0755);
    EXPECT_EQ(outcome, "File access denied|Cannot create file " + path.toStdString() +
                           ".bmp|Cannot create file " + folder.toStdString() + "/new.txt");
    EXPECT_EQ(ReadBytes(path), kOldBytes);
    EXPECT_EQ(FolderEntries(folder), QStringList{"graph.tvk"});
}

TEST(FunctionFileOnDisk, ReadOnlyFileIsNotReplaced) {
    Scratch scratch;
    const QString path = scratch.Path("graph.tvk");
    WriteBytes(path, kOldBytes);
    SetMode(path, 0444);
    const std::string outcome =
        InChild({.Unprivileged = true}, [&] { return SavedFunction(path, SampleFile()); });
    EXPECT_EQ(outcome, "File access denied");
    EXPECT_EQ(ReadBytes(path), kOldBytes);
    EXPECT_EQ(FolderEntries(scratch.Folder()), QStringList{"graph.tvk"});
}

TEST(FunctionFileOnDisk, UnreadableFileIsRefused) {
    Scratch scratch;
    const QString path = scratch.Path("graph.tvk");
    WriteBytes(path, FunctionFileBytes(SampleFile()));
    SetMode(path, 0200);
    const std::string outcome = InChild({.Unprivileged = true}, [&] { return LoadMessage(path); });
    EXPECT_EQ(outcome, "File access denied");
}

// A file-size limit makes every write beyond it fail (the signal it raises is ignored, as the
// program does at start-up): the old files stay as they were and no temporary file is left.
TEST(FunctionFileOnDisk, FileSizeLimitRefusesTheSaveAndKeepsTheOldFile) {
    Scratch scratch;
    const QString function = scratch.Path("graph.tvk");
    const QString picture = scratch.Path("pic.bmp");
    const QString log = scratch.Path("log.txt");
    const std::string oldPicture(200, 'p');  // longer than the limit, written before it
    WriteBytes(function, kOldBytes);
    WriteBytes(picture, oldPicture);
    WriteBytes(log, kOldBytes);
    const std::string outcome = InChild({.FileSizeLimit = 64}, [&] {
        IgnoreFileSizeSignal();
        return SavedFunction(function, SampleFile()) + "|" +
               SavedPicture(picture, SamplePicture()) + "|" +
               SavedScenario(log, QString(100, 'L')) + "|" +
               SavedScenario(scratch.Path("small.txt"), "fits");
    });
    EXPECT_EQ(outcome, "Disk full|Stream write error|Stream write error|");
    EXPECT_EQ(ReadBytes(function), kOldBytes);
    EXPECT_EQ(ReadBytes(picture), oldPicture);
    EXPECT_EQ(ReadBytes(log), kOldBytes);
    EXPECT_EQ(ReadBytes(scratch.Path("small.txt")), "fits\r\n");
    EXPECT_EQ(FolderEntries(scratch.Folder()),
              (QStringList{"graph.tvk", "log.txt", "pic.bmp", "small.txt"}));
}

// Without a free file descriptor neither a load nor a save can open its file.
TEST(FunctionFileOnDisk, TooManyOpenFilesIsReported) {
    Scratch scratch;
    const QString old = scratch.Path("graph.tvk");
    WriteBytes(old, kOldBytes);
    const std::string outcome = InChild({}, [&] {
        // One save before the limit, so that the sanitizer runtime has what it needs for its
        // type checks of the save file and needs no descriptor of its own afterwards.
        const QString warm = scratch.Path("warm.txt");
        if (!SavedScenario(warm, "A").empty() || !QFile::remove(warm))
            return std::string("<warm-up>");
        const rlimit none{0, 0};
        if (setrlimit(RLIMIT_NOFILE, &none) != 0) return std::string("<setrlimit failed>");
        return LoadMessage(old) + "|" + SavedFunction(old, SampleFile()) + "|" +
               SavedScenario(scratch.Path("log.txt"), "A");
    });
    EXPECT_EQ(outcome, "Too many open files|Too many open files|Cannot create file " +
                           scratch.Path("log.txt").toStdString());
    EXPECT_EQ(ReadBytes(old), kOldBytes);
    EXPECT_EQ(FolderEntries(scratch.Folder()), QStringList{"graph.tvk"});
}

// Any other failure of the system's file calls is reported with its error number: reading
// the start of this process's own memory fails with EIO.
TEST(FunctionFileOnDisk, OtherReadFailuresGiveTheErrorNumber) {
    EXPECT_EQ(LoadMessage("/proc/self/mem"), "I/O error 5");
}

// A full disk: a tiny memory file system filled to the last block.
class FullDisk : public testing::Test {
  protected:
    void SetUp() override {
        mountPoint_ = scratch_.Path("disk");
        QDir(scratch_.Folder()).mkdir("disk");
        if (mount("tmpfs", QFile::encodeName(mountPoint_).constData(), "tmpfs", 0,
                  "size=256k,mode=0777") != 0) {
            GTEST_SKIP() << "cannot mount a tmpfs here (" << std::strerror(errno)
                         << "); the file-size limit test covers the short write";
        }
        mounted_ = true;
    }
    void TearDown() override {
        if (mounted_) umount2(QFile::encodeName(mountPoint_).constData(), MNT_DETACH);
    }
    QString Path(const QString& name) const { return mountPoint_ + "/" + name; }
    void Fill() {
        FILE* filler = fopen(QFile::encodeName(Path("filler")).constData(), "wb");
        ASSERT_NE(filler, nullptr);
        setvbuf(filler, nullptr, _IONBF, 0);
        const std::string block(4096, 'f');
        while (fwrite(block.data(), 1, block.size(), filler) == block.size()) {
        }
        fclose(filler);
    }

    Scratch scratch_;
    QString mountPoint_;
    bool mounted_ = false;
};

TEST_F(FullDisk, SaveReportsDiskFullAndKeepsTheOldFile) {
    const QString function = Path("graph.tvk");
    const QString picture = Path("pic.bmp");
    const QString log = Path("log.txt");
    WriteBytes(function, kOldBytes);
    WriteBytes(picture, kOldBytes);
    WriteBytes(log, kOldBytes);
    Fill();
    EXPECT_EQ(SavedFunction(function, SampleFile()), "Disk full");
    EXPECT_EQ(SavedPicture(picture, SamplePicture()), "Stream write error");
    EXPECT_EQ(SavedScenario(log, "A\nB"), "Stream write error");
    EXPECT_EQ(ReadBytes(function), kOldBytes);
    EXPECT_EQ(ReadBytes(picture), kOldBytes);
    EXPECT_EQ(ReadBytes(log), kOldBytes);
    EXPECT_EQ(FolderEntries(mountPoint_),
              (QStringList{"filler", "graph.tvk", "log.txt", "pic.bmp"}));
}

}  // namespace
