#pragma once
// The boxes with which the menu's routines stop on a failure they did not expect.
#include <QString>
#include <exception>

#include "platform/runtime_error.h"

namespace tav::menu {

// "予期せぬエラーが発生しました。   <place>\r\n<number> : <description>", critical icon, then the
// end of the program (exit status 1).
[[noreturn]] void StopWithUnexpectedError(const QString& place, int number,
                                          const QString& description);
[[noreturn]] void StopWithUnexpectedError(const QString& place, const std::exception& e);

// Any failure that is not a RuntimeError is reported with this number, the system's number for
// an error the program itself raised ("application-defined or object-defined error").
constexpr int kOtherErrorNumber = 287;

// A file that exists but cannot be read ("path/file access error").
constexpr int kFileAccessError = err::FileAccess;
RuntimeError FileAccessError();

// A critical box with the default title, then the end of the program (exit status 1).
[[noreturn]] void StopWithMessage(const QString& text);

}  // namespace tav::menu
