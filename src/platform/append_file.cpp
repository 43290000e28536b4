#include "append_file.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>

namespace tav::platform {

void AppendFile::name(const QString& path) {
    close();
    path_ = path;
}

bool AppendFile::append(const QByteArray& bytes) {
    if (fd_ < 0) {
        if (path_.isEmpty()) return false;
        fd_ = ::open(QFile::encodeName(path_).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC,
                     0644);
        if (fd_ < 0) return false;
    }
    const char* p = bytes.constData();
    ssize_t left = bytes.size();
    while (left > 0) {
        const ssize_t w = ::write(fd_, p, static_cast<size_t>(left));
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += w;
        left -= w;
    }
    return true;
}

void AppendFile::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    path_.clear();
}

void IgnoreBrokenPipes() {
    ::signal(SIGPIPE, SIG_IGN);
}

}  // namespace tav::platform
