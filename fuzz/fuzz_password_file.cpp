// Any password file: the reader never crashes, gives exactly the fields asked for or error 62,
// and the login switch is on, off or error 13.
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

#include "menu/password_file.h"
#include "platform/runtime_error.h"

using namespace tav::menu;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = QString::fromUtf8(bytes);
    for (int count = 1; count <= 3; ++count) {
        try {
            const QStringList fields = ReadDelimitedFields(text, count);
            if (fields.size() != count) __builtin_trap();
            for (const QString& f : fields) {
                if (f.size() > text.size()) __builtin_trap();
            }
        } catch (const tav::RuntimeError& e) {
            if (e.number() != kInputPastEndOfFile) __builtin_trap();
        }
    }
    const QString path = dir.filePath(kPasswordFileName);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) __builtin_trap();
    file.write(bytes);
    file.close();
    try {
        const PasswordFile pwd = ReadPasswordFile(path);
        try {
            LoginSwitchIsOn(pwd.loginSwitch);
        } catch (const tav::RuntimeError& e) {
            if (e.number() != tav::err::TypeMismatch) __builtin_trap();
        }
    } catch (const tav::RuntimeError& e) {
        if (e.number() != kInputPastEndOfFile) __builtin_trap();
    }
    return 0;
}
