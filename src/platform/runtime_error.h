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

// Error numbers and their descriptions as the office's users know them.
namespace err {
constexpr int InvalidCall = 5;
constexpr int Overflow = 6;
constexpr int OutOfRange = 9;
constexpr int TypeMismatch = 13;
constexpr int BadFileName = 52;
constexpr int FileNotFound = 53;
constexpr int PathNotFound = 76;
QString description(int number);
[[noreturn]] void raise(int number);
}  // namespace err

}  // namespace tav
