// Whole-file reading and writing with the system's error numbers mapped to the failure kinds.
#include "files/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <csignal>

#include "files/file_errors.h"

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

}  // namespace

std::string FileFailureText(const FileResult& result) {
    switch (result.Failure) {
        case FileFailure::None:
            return {};
        case FileFailure::NotFound:
            return std::string(kFileNotFound);
        case FileFailure::InvalidName:
            return std::string(kInvalidFilename);
        case FileFailure::TooManyFiles:
            return std::string(kTooManyOpenFiles);
        case FileFailure::AccessDenied:
            return std::string(kFileAccessDenied);
        case FileFailure::DiskFull:
            return std::string(kDiskFull);
        case FileFailure::Other:
            break;
    }
    return IoErrorText(result.Code);
}

FileResult WriteWholeFile(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty()) return Failed(ENOENT, true);
    if (const FileResult check = CheckCanReplace(path); !check.Ok()) return check;

    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) return Failed(LastErrno(EIO), true);
    // commit() would still replace the old file after a short write, so every write and the
    // final flush are checked here and the temporary file is dropped on any shortfall.
    errno = 0;
    const bool complete = file.write(bytes) == bytes.size() && file.flush();
    if (!complete) {
        const int code = LastErrno(ENOSPC);  // a short write without an error: the disk is full
        file.cancelWriting();
        file.commit();  // removes the temporary file
        return Failed(code, false);
    }
    errno = 0;
    if (!file.commit()) return Failed(LastErrno(EIO), false);
    return {};
}

FileResult ReadFileStart(const QString& path, std::string& bytes, std::size_t limit) {
    bytes.clear();
    if (path.isEmpty()) return Failed(ENOENT, true);
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int code = errno;
        if (code == ENOENT && IsFolder(QFileInfo(path).absolutePath())) {
            FileResult result;
            result.Failure = FileFailure::NotFound;
            result.WhileCreating = true;
            result.Code = code;
            return result;
        }
        return Failed(code, true);
    }
    FileResult result;
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        result = Failed(errno, true);
    } else if (S_ISDIR(info.st_mode)) {
        result = Failed(EISDIR, true);
    } else {
        char buffer[4096];
        while (bytes.size() < limit) {
            const std::size_t wanted = std::min(sizeof buffer, limit - bytes.size());
            const ssize_t got = read(fd, buffer, wanted);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) {
                result = Failed(errno, false);
                break;
            }
            if (got == 0) break;
            bytes.append(buffer, static_cast<std::size_t>(got));
        }
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
