#include "posix_process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <vector>

#include "child_reaper.h"
#include "command_line.h"
#include "paths.h"
#include "runtime_error.h"

extern char** environ;

namespace tav::platform {

namespace {

class PosixProcessHandle : public ProcessHandle {
  public:
    explicit PosixProcessHandle(pid_t pid) : pid_(pid) {}
    ~PosixProcessHandle() override {
        if (!ended_) abandonChild(pid_);  // nobody waits any longer: reaped when it ends
    }
    int exitCode() override {
        if (!ended_) {
            const std::optional<int> status = childStatus(pid_);
            if (!status) return kStillActive;
            ended_ = true;
            lost_ = isLostStatus(*status);
            if (!lost_) code_ = exitCodeOfStatus(*status);
        }
        // A code nobody knows is never made up: the caller reports the failure.
        if (lost_) err::raise(err::InvalidCall);
        return code_;
    }
    qint64 pid() const override { return pid_; }

  private:
    pid_t pid_;
    bool ended_ = false;
    bool lost_ = false;
    int code_ = 0;
};

}  // namespace

ProcessHandlePtr spawnProcess(const QString& program, const QStringList& arguments,
                              const QString& workingFolder) {
    std::vector<QByteArray> storage;
    storage.push_back(QFile::encodeName(program));
    for (const QString& a : arguments) storage.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (auto& s : storage) argv.push_back(s.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    QByteArray dir = QFile::encodeName(workingFolder);
    if (!workingFolder.isEmpty()) posix_spawn_file_actions_addchdir_np(&actions, dir.constData());
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    // The child starts with default signal handling and its own process group, so that a
    // terminal's Ctrl+C meant for the menu does not end what the menu started.
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGCHLD);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setpgroup(&attr, 0);
    posix_spawnattr_setflags(
        &attr, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETPGROUP);
    pid_t pid = 0;
    int rc = ::posix_spawn(&pid, storage[0].constData(), &actions, &attr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) {
        errno = rc;
        return nullptr;
    }
    if (!enterChild(pid)) {
        // More children at once than the reaper holds: this one is not started.
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        errno = EAGAIN;
        return nullptr;
    }
    return std::make_shared<PosixProcessHandle>(pid);
}

bool mapDesktopCommand(const QString& program, const QStringList& arguments, QString* mappedProgram,
                       QStringList* mappedArguments) {
    QString base = QFileInfo(toLocalPath(program)).fileName().toLower();
    if (base.endsWith(QStringLiteral(".exe"))) base.chop(4);
    if (base == QStringLiteral("explorer")) {
        // "/e,/root,FOLDER" or "/root,FOLDER": the folder follows the last switch.
        QString joined = arguments.join(u' ');
        qsizetype p = joined.lastIndexOf(QStringLiteral("/root,"), -1, Qt::CaseInsensitive);
        QString folder = toLocalPath((p < 0 ? joined : joined.mid(p + 6)).trimmed());
        // Explorer without a folder opens its default view: here the user's home folder.
        if (folder.isEmpty()) folder = QDir::homePath();
        *mappedProgram = QStringLiteral("xdg-open");
        *mappedArguments = QStringList{folder};
        return true;
    }
    if (base == QStringLiteral("notepad")) {
        QString editor = QString::fromLocal8Bit(qgetenv("TAV_TEXT_EDITOR"));
        *mappedProgram = editor.isEmpty() ? QStringLiteral("xdg-open") : editor;
        QStringList files;
        for (const QString& a : arguments) files.append(toLocalPath(a));
        *mappedArguments = files;
        return true;
    }
    return false;
}

ProcessHandlePtr PosixProcessService::startCommandLine(const QString& commandLine) {
    auto resolved = resolveCommandLine(commandLine, findProgram);
    QString program;
    QStringList arguments;
    if (resolved) {
        program = resolved->program;
        arguments = resolved->arguments;
    } else {
        // The desktop commands need not exist under their Windows names.
        QStringList all = splitArguments(commandLine);
        if (all.isEmpty()) err::raise(err::BadFileName);
        program = all.takeFirst();
        arguments = all;
    }
    QString mappedProgram;
    QStringList mappedArguments;
    if (mapDesktopCommand(program, arguments, &mappedProgram, &mappedArguments)) {
        // The desktop's program may be named by a full path ($TAV_TEXT_EDITOR) or found on PATH.
        program = mappedProgram.contains(u'/')
                      ? (isExecutableFile(mappedProgram) ? mappedProgram : QString())
                      : findInPath(mappedProgram);
        arguments = mappedArguments;
        if (program.isEmpty()) err::raise(err::FileNotFound);
    } else if (!resolved) {
        err::raise(err::FileNotFound);
    }
    auto handle = spawnProcess(program, arguments);
    if (!handle) err::raise(err::FileNotFound);
    return handle;
}

ProcessHandlePtr PosixProcessService::openDocument(const QString& path, const QString& parameters,
                                                   const QString& workingFolder) {
    QString local = toLocalPath(path);
    if (!QFileInfo::exists(local)) return nullptr;
    QString opener = findInPath(QStringLiteral("xdg-open"));
    QStringList args{local};
    // A document that is itself a program is run with the parameters, as the shell's "Open" does.
    if (isExecutableFile(local) && !QFileInfo(local).isDir()) {
        opener = local;
        args = splitArguments(parameters);
    }
    if (opener.isEmpty()) return nullptr;
    return spawnProcess(opener, args, toLocalPath(workingFolder));
}

}  // namespace tav::platform
