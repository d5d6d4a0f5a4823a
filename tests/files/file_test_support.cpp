// Helpers of the file tests.
#include "file_test_support.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "files/csv_export.h"
#include "files/exports.h"
#include "files/function_file.h"
#include "messages/messages.h"

std::string ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "<unreadable>";
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

void WriteBytes(const QString& path, std::string_view bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

QStringList FolderEntries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

namespace {

bool DropPrivileges() {
    constexpr uid_t kNobody = 65534;
    return setgroups(0, nullptr) == 0 && setresgid(kNobody, kNobody, kNobody) == 0 &&
           setresuid(kNobody, kNobody, kNobody) == 0;
}

void WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n <= 0) return;
        done += static_cast<size_t>(n);
    }
}

}  // namespace

std::string InChild(const ChildOptions& options, const std::function<std::string()>& body) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return "<pipe failed>";
    const pid_t pid = fork();
    if (pid < 0) return "<fork failed>";
    if (pid == 0) {
        close(pipeFds[0]);
        std::string result;
        if (options.Unprivileged && geteuid() == 0 && !DropPrivileges()) {
            result = "<could not drop privileges>";
        } else {
            const rlimit limit{options.FileSizeLimit, options.FileSizeLimit};
            if (options.FileSizeLimit != RLIM_INFINITY && setrlimit(RLIMIT_FSIZE, &limit) != 0)
                result = "<setrlimit failed>";
            else
                result = body();
        }
        WriteAll(pipeFds[1], result);
        close(pipeFds[1]);
        _exit(0);
    }
    close(pipeFds[1]);
    std::string result;
    char buffer[512];
    ssize_t n = 0;
    while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0) result.append(buffer, n);
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFSIGNALED(status))
        return "<child killed by signal " + std::to_string(WTERMSIG(status)) + ">";
    return result;
}

std::string SavedFunction(const QString& path, const FunctionFile& file) {
    return FileFailureText(SaveFunctionFile(path, file));
}

std::string SavedPicture(const QString& path, const QImage& picture) {
    return ExportFailureText(path, SavePicture(path, picture));
}

std::string SavedScenario(const QString& path, const QString& logText) {
    return ExportFailureText(path, SaveScenario(path, logText));
}

std::string SavedCsv(const QString& path, const TableRows& rows) {
    return ExportFailureText(path, SaveCsv(path, rows, TableFailureWords()));
}

std::string LoadMessage(const QString& path) {
    return LoadErrorText(LoadFunctionFile(path).Error);
}
