#pragma once
// The system log: one fixed-layout line per report in FEND_SYS.LOG of the program folder, and by
// kind a box and the end of the program. Every error path of the suite ends here.
#include <QString>

namespace tav::common {

// Process-wide fixed-length fields written into every log line.
struct CommonArea {
    QString executionMode = QStringLiteral(" ");  // 1: "D" shows kind-3 reports
    QString startCode = QStringLiteral("   ");    // 3
    QString identification = QString(16, u' ');   // 16
    QString programId = QString(8, u' ');         // 8
    QString formId = QString(8, u' ');            // 8

    void setExecutionMode(const QString& v);
    void setStartCode(const QString& v);
    void setIdentification(const QString& v);
    void setProgramId(const QString& v);
    void setFormId(const QString& v);
};
CommonArea& commonArea();

constexpr const char* kSystemLogFileName = "FEND_SYS.LOG";

// Names FEND_SYS.LOG in the folder as the system log (UTF-8). The file is opened for appending,
// and created when missing, only when its first line is written (DESIGN.md decision 8), so a run
// that logs nothing creates no file. False when the folder is not a writable folder. A log that
// cannot be opened or written leaves the reporter writing its lines to standard error; boxes and
// ends still happen.
bool openSystemLog(const QString& folder);
// Whether the log file itself is open: from its first line to closeSystemLog or the end of log.
bool systemLogIsOpen();
// The named log file; empty when none is named (also after closeSystemLog and the end of log).
QString systemLogPath();
// Closes the log file and forgets its name: later lines go to standard error.
void closeSystemLog();

// The line as the reporter writes it, without its CR LF. Each line break of the report (CR LF,
// CR or LF) is one blank, so that every report stays one line.
QString formatLogLine(const QString& place, const QString& code, int kind, qint64 number,
                      const QString& message);

// The reporter: writes the line; kind 3 with execution mode "D" shows the place-and-message box
// and ends (status 2); kind 4 shows that box and returns; kind 5 shows the abnormal-end box and
// ends (status 2); any other kind only writes.
void SystemLogReport(const QString& place, const QString& code, int kind, qint64 number,
                     const QString& message);

// The same with the number given as a text: a numeric text is written as a number is, any
// other text as it stands.
void SystemLogReportValue(const QString& place, const QString& code, int kind,
                          const QString& number, const QString& message);
QString numberFieldOf(const QString& number);

// Blanks the form ID, writes "Z0900 K020 1 00000000 ***E N D***" and closes the log.
void EndOfLog();

}  // namespace tav::common
