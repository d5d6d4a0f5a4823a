#include "cli_runner.h"

#include <grp.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <memory>

namespace {

constexpr uid_t kNobody = 65534;
constexpr int kUnprivilegedFailed = 99;
constexpr int kWaitMilliseconds = 120000;

QProcessEnvironment EnvironmentOf(const CliOptions& options) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) environment.remove(name);
    const std::map<QString, QString> locale =
        options.locale.value_or(std::map<QString, QString>{{"LANG", "C.UTF-8"}});
    for (const auto& [name, value] : locale) environment.insert(name, value);
    for (const auto& [name, value] : options.environment) environment.insert(name, value);
    return environment;
}

// A copy of the program that "nobody" can run, in a folder of its own that is removed after
// the run.
struct ReachableCopy {
    QTemporaryDir folder;
    QString program;
};

std::unique_ptr<ReachableCopy> CopyForNobody() {
    auto copy = std::make_unique<ReachableCopy>();
    if (!copy->folder.isValid()) return nullptr;
    QFile::setPermissions(copy->folder.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                   QFile::ExeOwner | QFile::ReadGroup |
                                                   QFile::ExeGroup | QFile::ReadOther |
                                                   QFile::ExeOther);
    copy->program = copy->folder.filePath(QStringLiteral("tarvik-cli"));
    if (!QFile::copy(CliPath(), copy->program)) return nullptr;
    return copy;
}

// A sanitizer's suppressions file may lie below a folder "nobody" cannot enter: the copy's run
// reads a copy of it beside the program.
void ReachableSanitizerOptions(QProcessEnvironment& environment, const ReachableCopy& copy) {
    const QString name = QStringLiteral("TSAN_OPTIONS");
    QStringList options = environment.value(name).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    const QString key = QStringLiteral("suppressions=");
    for (QString& option : options) {
        if (!option.startsWith(key)) continue;
        const QString reachable = copy.folder.filePath(QStringLiteral("sanitizer.supp"));
        if (QFile::copy(option.mid(key.size()), reachable)) option = key + reachable;
    }
    if (!options.isEmpty()) environment.insert(name, options.join(QLatin1Char(':')));
}

}  // namespace

QString CliPath() {
    return QStringLiteral(TARVIK_CLI_PATH);
}

CliResult RunCli(const QStringList& arguments, const CliOptions& options) {
    QProcess process;
    process.setProcessEnvironment(EnvironmentOf(options));
    if (!options.standardOutput.isEmpty()) process.setStandardOutputFile(options.standardOutput);
    QString program = CliPath();
    std::unique_ptr<ReachableCopy> copy;
    if (options.unprivileged && geteuid() == 0) {
        copy = CopyForNobody();
        if (!copy) return CliResult{kUnprivilegedFailed, {}, "cannot copy the program"};
        program = copy->program;
        process.setWorkingDirectory(copy->folder.path());
        QProcessEnvironment environment = process.processEnvironment();
        ReachableSanitizerOptions(environment, *copy);
        process.setProcessEnvironment(environment);
        process.setChildProcessModifier([] {
            if (setgroups(0, nullptr) != 0 || setresgid(kNobody, kNobody, kNobody) != 0 ||
                setresuid(kNobody, kNobody, kNobody) != 0) {
                _exit(kUnprivilegedFailed);
            }
        });
    }
    process.start(program, arguments);
    CliResult result;
    if (!process.waitForFinished(kWaitMilliseconds)) {
        process.kill();
        process.waitForFinished();
        result.err = "tarvik-cli did not finish";
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

CliResult RunCli(const std::vector<std::string>& arguments, const CliOptions& options) {
    QStringList list;
    for (const std::string& argument : arguments) list << QString::fromStdString(argument);
    return RunCli(list, options);
}

CliResult RunCli(std::initializer_list<const char*> arguments, const CliOptions& options) {
    QStringList list;
    for (const char* argument : arguments) list << QString::fromUtf8(argument);
    return RunCli(list, options);
}

CliOptions InLocale(const std::map<QString, QString>& locale) {
    CliOptions options;
    options.locale = locale;
    return options;
}

CliOptions AsNobody() {
    CliOptions options;
    options.unprivileged = true;
    return options;
}

CliOptions OutputTo(const QString& path) {
    CliOptions options;
    options.standardOutput = path;
    return options;
}
