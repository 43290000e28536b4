#include "program_start.h"

#include "common/report_codes.h"
#include "platform/paths.h"
#include "platform/program_info.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/text.h"
#include "system_log.h"

namespace tav::common {

using text::Trim;

QString BuildStartCommandLine(const QString& programName, const QString& extraParameter) {
    QString folder = Trim(platform::programFolder());
    if (!folder.endsWith(platform::kSeparator)) folder += platform::kSeparator;
    const CommonArea& a = commonArea();
    return folder + Trim(programName) + QStringLiteral(".exe") + u' ' + a.executionMode +
           a.startCode + QStringLiteral("000000") + Trim(extraParameter);
}

void StartFrameworkProgram(QWidget* /*owner*/, const QString& programName,
                           const QString& extraParameter) {
    QString commandLine;
    try {
        commandLine = BuildStartCommandLine(programName, extraParameter);
        platform::services().processes->startCommandLine(commandLine);
    } catch (const RuntimeError& e) {
        SystemLogReport(QStringLiteral("Z7300"), common::code::NotStarted, 4, 0,
                        QString::number(e.number()) + u' ' + e.description() + u' ' + commandLine +
                            QStringLiteral("->起動できません。"));
    } catch (const std::exception& e) {
        SystemLogReport(QStringLiteral("Z7300"), common::code::NotStarted, 4, 0,
                        QStringLiteral("5 ") + QString::fromLocal8Bit(e.what()) + u' ' +
                            commandLine + QStringLiteral("->起動できません。"));
    }
}

}  // namespace tav::common
