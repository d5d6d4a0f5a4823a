// Whole-file reading and writing with the system's error numbers mapped to the failure kinds.
#include "files/file_access.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>

namespace {

FileFailure FailureOfErrno(int code) {
    switch (code) {
        case ENOENT:
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return FileFailure::InvalidName;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ETXTBSY:
            return FileFailure::AccessDenied;
        case EMFILE:
        case ENFILE:
            return FileFailure::TooManyFiles;
        case ENOSPC:
        case EFBIG:
        case EDQUOT:
            return FileFailure::DiskFull;
        default:
            return FileFailure::Other;
    }
}

FileResult Failed(int code, bool whileCreating) {
    FileResult result;
    result.Failure = FailureOfErrno(code);
    result.WhileCreating = whileCreating;
    result.Code = code;
    return result;
}

// The error number left by a Qt call, or `fallback` when the call left none.
int LastErrno(int fallback) {
    return errno != 0 ? errno : fallback;
}

bool IsFolder(const QString& path) {
    struct stat info {};
    return stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The refusals the system would give for creating or replacing the file, found before the
// temporary file is made (it lives in the same folder and would hide them).
FileResult CheckCanReplace(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    if (stat(native.constData(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) return Failed(EISDIR, true);
        if (faccessat(AT_FDCWD, native.constData(), W_OK, AT_EACCESS) != 0)
            return Failed(errno, true);
    } else if (errno != ENOENT) {
        return Failed(errno, true);
    }
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    if (stat(folder.constData(), &info) != 0) return Failed(errno, true);
    if (!S_ISDIR(info.st_mode)) return Failed(ENOTDIR, true);
    if (faccessat(AT_FDCWD, folder.constData(), W_OK | X_OK, AT_EACCESS) != 0)
        return Failed(errno, true);
    return {};
}

constexpr int kMaxLinkHops = 40;

// The name a save really writes: where a chain of symbolic links ends (a target that does not
// exist yet included), so that the temporary file is made beside the target and the link stays.
QByteArray FollowLinks(const QByteArray& path) {
    QByteArray current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (lstat(current.constData(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        char target[PATH_MAX];
        const ssize_t length = readlink(current.constData(), target, sizeof target);
        if (length <= 0 || length >= ssize_t(sizeof target)) return current;
        QByteArray next(target, length);
        if (!next.startsWith('/')) {
            const qsizetype slash = current.lastIndexOf('/');
            next = (slash < 0 ? QByteArray() : current.left(slash + 1)) + next;
        }
        current = next;
    }
    return current;  // a loop: the later calls report it
}

// Holds SIGPIPE back while a pipe is written, so that a reader going away gives EPIPE instead
// of ending the program; a signal raised meanwhile is taken out before it is let through.
class PipeSignalHold {
  public:
    PipeSignalHold() {
        sigemptyset(&pipeOnly_);
        sigaddset(&pipeOnly_, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        wasPending_ = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &pipeOnly_, &previous_);
    }
    ~PipeSignalHold() {
        sigset_t pending;
        sigpending(&pending);
        if (!wasPending_ && sigismember(&pending, SIGPIPE) == 1) {
            const timespec now{0, 0};
            sigtimedwait(&pipeOnly_, nullptr, &now);
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    PipeSignalHold(const PipeSignalHold&) = delete;
    PipeSignalHold& operator=(const PipeSignalHold&) = delete;

  private:
    sigset_t pipeOnly_{};
    sigset_t previous_{};
    bool wasPending_ = false;
};

FileResult Refused(FileFailure failure, int code) {
    FileResult result;
    result.Failure = failure;
    result.WhileCreating = true;
    result.Code = code;
    return result;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t written = write(fd, data + done, size - done);
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return false;
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// The source's bytes through `write`; the error number of the first failed write is kept, as the
// source may make further calls before it gives up.
FileResult WriteThrough(const ByteSource& source, const ByteWriter& write) {
    int code = 0;
    const bool complete = source([&](const char* data, std::size_t size) {
        if (size == 0) return true;
        errno = 0;
        if (write(data, size)) return true;
        if (code == 0) code = LastErrno(ENOSPC);  // no error number: the disk is full
        return false;
    });
    if (!complete) return Failed(code != 0 ? code : EIO, false);
    return {};
}

// A device or a pipe keeps what it is: the bytes go into it, each write checked. A pipe is
// opened without waiting, so one that no process reads is refused instead of holding the save.
FileResult WriteInPlace(const QByteArray& target, mode_t kind, const ByteSource& source) {
    if (S_ISSOCK(kind)) return Refused(FileFailure::Socket, ENXIO);
    const bool pipe = S_ISFIFO(kind);
    const int fd =
        open(target.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC | (pipe ? O_NONBLOCK : 0));
    if (fd < 0) {
        if (pipe && errno == ENXIO) return Refused(FileFailure::PipeWithoutReader, ENXIO);
        return Failed(errno, true);
    }
    if (pipe) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const PipeSignalHold hold;
    FileResult result = WriteThrough(
        source, [fd](const char* data, std::size_t size) { return WriteAll(fd, data, size); });
    if (close(fd) != 0 && result.Ok() && errno != EINTR) result = Failed(errno, false);
    return result;
}

}  // namespace

std::string FileResult::SystemReason() const {
    return std::strerror(Code);
}

FileResult WriteWholeFile(const QString& name, const QByteArray& bytes) {
    return WriteFileFrom(name, [&bytes](const ByteWriter& write) {
        return write(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    });
}

FileResult WriteFileFrom(const QString& name, const ByteSource& source) {
    if (name.isEmpty()) return Failed(ENOENT, true);
    // A device or a pipe is opened by the name itself: the system follows its links, including
    // those (/dev/stdout, /dev/fd/N) whose target is no path but a pipe's "pipe:[N]".
    const QByteArray native = QFile::encodeName(name);
    struct stat info {};
    if (stat(native.constData(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode))
        return WriteInPlace(native, info.st_mode, source);
    const QByteArray target = FollowLinks(native);
    const QString path = QFile::decodeName(target);
    if (const FileResult check = CheckCanReplace(path); !check.Ok()) return check;

    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) return Failed(LastErrno(EIO), true);
    // commit() would still replace the old file after a short write, so every write and the
    // final flush are checked here and the temporary file is dropped on any shortfall.
    FileResult written = WriteThrough(source, [&file](const char* data, std::size_t size) {
        const qint64 length = static_cast<qint64>(size);
        return file.write(data, length) == length;
    });
    if (written.Ok()) {
        errno = 0;
        if (!file.flush()) written = Failed(LastErrno(ENOSPC), false);
    }
    if (!written.Ok()) {
        file.cancelWriting();
        file.commit();  // removes the temporary file
        return written;
    }
    errno = 0;
    if (!file.commit()) return Failed(LastErrno(EIO), false);
    return {};
}

namespace {

// Why a name could not be opened for reading.
FileResult OpenFailure(const QString& path, int code) {
    struct stat info {};
    if (code == ENXIO && stat(QFile::encodeName(path).constData(), &info) == 0 &&
        S_ISSOCK(info.st_mode))
        return Refused(FileFailure::Socket, code);
    if (code == ENOENT && IsFolder(QFileInfo(path).absolutePath()))
        return Refused(FileFailure::NotFound, code);
    return Failed(code, true);
}

FileResult ReadUpTo(int fd, std::string& bytes, std::size_t limit) {
    char buffer[4096];
    while (bytes.size() < limit) {
        const std::size_t wanted = std::min(sizeof buffer, limit - bytes.size());
        const ssize_t got = read(fd, buffer, wanted);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return Failed(errno, false);
        if (got == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return {};
}

}  // namespace

FileResult ReadFileStart(const QString& path, std::string& bytes, std::size_t limit) {
    bytes.clear();
    if (path.isEmpty()) return Failed(ENOENT, true);
    // Opened without waiting, so that a named pipe no process writes to cannot hold the load.
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return OpenFailure(path, errno);
    FileResult result;
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        result = Failed(errno, true);
    } else if (S_ISDIR(info.st_mode)) {
        result = Refused(FileFailure::Folder, EISDIR);
    } else {
        // A pipe or a terminal is then read waiting for its data, as any reader of it does.
        if (S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode))
            fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        result = ReadUpTo(fd, bytes, limit);
    }
    close(fd);
    return result;
}

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

QString WithExtension(const QString& name, const QString& extension) {
    return name.endsWith(extension, Qt::CaseSensitive) ? name : name + extension;
}
