#include "command_line.h"

#include "paths.h"

namespace tav::platform {

QStringList splitArguments(const QString& text) {
    QStringList args;
    QString current;
    bool inQuotes = false;
    bool haveArg = false;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        QChar c = text[i];
        if (!inQuotes && (c == u' ' || c == u'\t')) {
            if (haveArg) {
                args.append(current);
                current.clear();
                haveArg = false;
            }
            ++i;
            continue;
        }
        haveArg = true;
        if (c == u'\\') {
            qsizetype count = 0;
            while (i < n && text[i] == u'\\') ++count, ++i;
            if (i < n && text[i] == u'"') {
                current += QString(count / 2, u'\\');
                if (count % 2 == 1) {
                    current += u'"';
                    ++i;
                }
                // an even count leaves the quote to toggle below
            } else {
                current += QString(count, u'\\');
            }
            continue;
        }
        if (c == u'"') {
            if (inQuotes && i + 1 < n && text[i + 1] == u'"') {
                current += u'"';  // "" inside quotes is one quote, and quoting goes on
                i += 2;
                continue;
            }
            inQuotes = !inQuotes;
            ++i;
            continue;
        }
        current += c;
        ++i;
    }
    if (haveArg) args.append(current);
    return args;
}

std::optional<ResolvedCommand> resolveCommandLine(const QString& commandLine,
                                                  const ProgramExists& exists) {
    QString line = commandLine;
    qsizetype start = 0;
    while (start < line.size() && (line[start] == u' ' || line[start] == u'\t')) ++start;
    line = line.mid(start);
    if (line.isEmpty()) return std::nullopt;

    if (line.front() == u'"') {
        qsizetype close = line.indexOf(u'"', 1);
        QString prog = close < 0 ? line.mid(1) : line.mid(1, close - 1);
        QString rest = close < 0 ? QString() : line.mid(close + 1);
        QString local = exists(prog);
        if (local.isEmpty()) return std::nullopt;
        return ResolvedCommand{local, prog, splitArguments(rest)};
    }

    // Unquoted: try each prefix that ends before a blank, then the whole text.
    for (qsizetype i = 0; i <= line.size(); ++i) {
        if (i < line.size() && line[i] != u' ' && line[i] != u'\t') continue;
        QString prog = line.left(i);
        if (prog.isEmpty()) continue;
        QString local = exists(prog);
        if (!local.isEmpty()) return ResolvedCommand{local, prog, splitArguments(line.mid(i))};
    }
    return std::nullopt;
}

QString findProgram(const QString& windowsForm) {
    QString local = toLocalPath(windowsForm);
    if (local.contains(u'/')) return isExecutableFile(local) ? local : QString();
    if (isExecutableFile(local)) return QStringLiteral("./") + local;
    QString viaPath = findInPath(local);
    if (!viaPath.isEmpty()) return viaPath;
    // A bare "name.exe" of a Windows command line may be a Linux program without extension.
    if (local.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive))
        return findInPath(local.left(local.size() - 4));
    return {};
}

}  // namespace tav::platform
