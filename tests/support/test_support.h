#pragma once
// Helpers shared by the test suites: temporary folders, files in CP932 or UTF-8, expected ends.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <functional>

#include "support/fake_services.h"

namespace tav::test {

// Writes bytes to a file, creating its folders.
void writeFile(const QString& path, const QByteArray& bytes);
// Writes text as CP932 (fails the test when a character cannot be encoded).
void writeCp932(const QString& path, const QString& text);
QByteArray readFile(const QString& path);

// Runs fn and returns the exit status it ended the program with; -1 when it returned.
int exitStatusOf(const std::function<void()>& fn);

// A temporary program folder: programFolder() points into it while the object lives.
class ProgramFolder {
  public:
    explicit ProgramFolder(const QString& relative = QStringLiteral("TAV/SYS/App"),
                           const QString& fileName = QStringLiteral("TAV_menu1"));
    ~ProgramFolder();
    QString path() const { return path_; }
    QString root() const { return dir_.path(); }
    QString file(const QString& name) const { return path_ + u'/' + name; }

  private:
    QTemporaryDir dir_;
    QString path_;
    QString savedFolder_, savedName_;
};

}  // namespace tav::test

// Prints QStrings readably in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE
