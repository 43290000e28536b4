#pragma once
// Splitting a command line the way Windows does, so that the office's menu entries start the
// same programs with the same arguments on this machine.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace tav::platform {

// The arguments after the program, by the Windows C runtime's rules: blanks and tabs separate;
// a double quote toggles quoting; "" inside quotes is one quote; 2n backslashes before a quote
// give n backslashes, 2n+1 give n and a literal quote; other backslashes are literal.
QStringList splitArguments(const QString& text);

struct ResolvedCommand {
    QString program;      // the local path of the program to run
    QString programText;  // the program part as written on the command line
    QStringList arguments;
};

// Finds the program at the front of a command line. A quoted program ends at its closing quote.
// An unquoted one may hold blanks: successive prefixes ending before each blank are tried as
// paths, shortest first, as the Windows process start does; the first that `exists` accepts
// wins. A prefix without a folder is looked for in PATH. nullopt when none is found.
using ProgramExists = std::function<QString(const QString& windowsForm)>;
std::optional<ResolvedCommand> resolveCommandLine(const QString& commandLine,
                                                  const ProgramExists& exists);

// The finder used on this machine: the mapped local path when it is an executable file, a bare
// name through PATH, empty otherwise.
QString findProgram(const QString& windowsForm);

}  // namespace tav::platform
