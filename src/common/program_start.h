#pragma once
// Starting a framework program of the program folder by its eight-character name, with the
// framework's start parameter: execution mode, start code, "000000", extra parameter.
#include <QString>

class QWidget;

namespace tav::common {

// The command line the starter runs.
QString BuildStartCommandLine(const QString& programName, const QString& extraParameter);

// Starts it without waiting; a failure is reported as Z7300 / H004 (kind 4) and the starter
// returns. The owner form is not used.
void StartFrameworkProgram(QWidget* owner, const QString& programName,
                           const QString& extraParameter);

}  // namespace tav::common
