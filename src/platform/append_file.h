#pragma once
// A file that lines are appended to, each line with one write on an O_APPEND descriptor, so the
// lines of several programs appending to one file never interleave. Opened (and created) by the
// first append; a file that cannot be opened is tried again with the next append.
#include <QByteArray>
#include <QString>

namespace tav::platform {

class AppendFile {
  public:
    AppendFile() = default;
    ~AppendFile() { close(); }
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // Names the file (closing one that was open); nothing is created yet.
    void name(const QString& path);
    const QString& path() const { return path_; }
    bool isOpen() const { return fd_ >= 0; }
    // Appends the bytes whole; false when the file cannot be opened or written.
    bool append(const QByteArray& bytes);
    // Closes the file and forgets its name.
    void close();

  private:
    int fd_ = -1;
    QString path_;
};

// Writing to a pipe whose reader has gone returns an error instead of ending the program.
void IgnoreBrokenPipes();

}  // namespace tav::platform
