#pragma once
// Text from menu files, the name master and the programs' own constants keeps its Windows form
// ("..\TAV_setup.EXE") until it reaches the operating system; this is the one place it is mapped.
#include <QString>

namespace tav::platform {

constexpr QChar kSeparator = u'/';

// "\" becomes "/"; a path ending in ".exe" (any case) that does not exist is tried without the
// extension, and the form without it is returned when that exists.
QString toLocalPath(const QString& windowsForm);

// Whether a local path names an existing regular file that may be executed.
bool isExecutableFile(const QString& localPath);

// Looks a bare program name up in PATH; empty when not found.
QString findInPath(const QString& name);

}  // namespace tav::platform
