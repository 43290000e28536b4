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

// Opens FEND_SYS.LOG in the folder for appending (UTF-8). A log that cannot be opened leaves the
// reporter writing its lines to standard error; boxes and ends still happen.
bool openSystemLog(const QString& folder);
bool systemLogIsOpen();
QString systemLogPath();
void closeSystemLog();

// The line as the reporter writes it, without its CR LF.
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
