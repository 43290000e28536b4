#pragma once
// Run-time failures of the system carry a number and a description, and the boxes and the log
// show both ("53 : ファイルが見つかりません。"). Routine boundaries catch
// RuntimeError (and std::exception); ProgramExit is deliberately not a std::exception.
#include <QString>
#include <stdexcept>

namespace tav {

class RuntimeError : public std::runtime_error {
  public:
    RuntimeError(int number, const QString& description)
        : std::runtime_error(description.toStdString()),
          number_(number),
          description_(description) {}
    int number() const { return number_; }
    const QString& description() const { return description_; }

  private:
    int number_;
    QString description_;
};

// What a caught failure tells a routine's report: a RuntimeError's own number and description,
// otherwise otherNumber and the exception's text. Routine boundaries catch std::exception once and
// ask this, instead of a catch for each kind.
struct Failure {
    int number;
    QString description;
};
Failure failureOf(const std::exception& e, int otherNumber);

// The run-time error numbers of the system and their descriptions, in one table
// (runtime_error.cpp).
namespace err {
constexpr int InvalidCall = 5;
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;  // a result too large to keep
constexpr int OutOfRange = 9;   // also a DB or cursor number outside its table
constexpr int TypeMismatch = 13;
constexpr int BadFileName = 52;
constexpr int FileNotFound = 53;
constexpr int FileAccess = 75;  // a file that exists but cannot be read
constexpr int PathNotFound = 76;
constexpr int ObjectNotSet = 91;       // no open database or record set
constexpr int NoCurrentRecord = 3021;  // a column read with no current row
constexpr int OdbcCallFailed = 3146;   // a call the driver failed (diagnostics in the collection)
constexpr int ItemNotFound = 3265;     // no column of that name or position
// The description of the number; numbers outside the table have the application-defined one.
QString description(int number);
[[noreturn]] void raise(int number);
}  // namespace err

}  // namespace tav
