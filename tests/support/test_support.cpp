#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/program_info.h"
#include "platform/textfile.h"

namespace tav::test {

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

void writeCp932(const QString& path, const QString& text) {
    int replaced = 0;
    QByteArray bytes = platform::encodeCp932(text, &replaced);
    ASSERT_EQ(replaced, 0) << "not encodable in CP932: " << text.toStdString();
    writeFile(path, bytes);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

int exitStatusOf(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const platform::ProgramExit& e) {
        return e.status;
    }
    return -1;
}

ProgramFolder::ProgramFolder(const QString& relative, const QString& fileName)
    : savedFolder_(platform::programFolder()), savedName_(platform::programFileName()) {
    path_ = dir_.path() + u'/' + relative;
    QDir().mkpath(path_);
    platform::setProgramFolder(path_);
    platform::setProgramFileName(fileName);
}

ProgramFolder::~ProgramFolder() {
    platform::setProgramFolder(savedFolder_);
    platform::setProgramFileName(savedName_);
}

}  // namespace tav::test
