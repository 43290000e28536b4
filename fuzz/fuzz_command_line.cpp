// Any command line: the Windows splitting never crashes, a list of arguments quoted by the
// Windows rules splits back into the same list, and the program search never crashes.
#include <cstddef>
#include <cstdint>

#include "platform/command_line.h"

using namespace tav::platform;

namespace {

// One argument quoted so that the Windows C runtime reads it back unchanged.
QString quoted(const QString& arg) {
    if (!arg.isEmpty() && !arg.contains(u' ') && !arg.contains(u'\t') && !arg.contains(u'"'))
        return arg;
    QString out = QStringLiteral("\"");
    int backslashes = 0;
    for (QChar c : arg) {
        if (c == u'\\') {
            ++backslashes;
            continue;
        }
        if (c == u'"') {
            out += QString(backslashes * 2 + 1, u'\\') + u'"';
        } else {
            out += QString(backslashes, u'\\') + c;
        }
        backslashes = 0;
    }
    out += QString(backslashes * 2, u'\\') + u'"';
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList args = splitArguments(text);
    for (const QString& a : args) {
        if (a.size() > text.size()) __builtin_trap();
    }
    // Split, quoted, split again: the same arguments.
    QStringList quotedArgs;
    for (const QString& a : args) quotedArgs << quoted(a);
    if (splitArguments(quotedArgs.join(u' ')) != args) __builtin_trap();
    // The fields of the input taken as arguments themselves.
    const QStringList fields = text.split(u'\x01');
    QStringList again;
    for (const QString& f : fields) again << quoted(f);
    if (splitArguments(again.join(u'\t')) != fields) __builtin_trap();

    // The program search never crashes, and what it finds is a program. (A quoted empty
    // program, "", is asked for like any other candidate.)
    const auto found = resolveCommandLine(text, [&](const QString& candidate) -> QString {
        return candidate.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive) ? candidate
                                                                               : QString();
    });
    if (found && found->program.isEmpty()) __builtin_trap();
    return 0;
}
