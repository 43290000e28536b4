#include "system_log.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cmath>
#include <cstdio>

#include "common/report_codes.h"
#include "platform/append_file.h"
#include "platform/context.h"
#include "platform/services.h"
#include "platform/text.h"

namespace tav::common {

using namespace tav::platform;

void CommonArea::setExecutionMode(const QString& v) {
    executionMode = text::FixedWidth(v, 1);
}
void CommonArea::setStartCode(const QString& v) {
    startCode = text::FixedWidth(v, 3);
}
void CommonArea::setIdentification(const QString& v) {
    identification = text::FixedWidth(v, 16);
}
void CommonArea::setProgramId(const QString& v) {
    programId = text::FixedWidth(v, 8);
}
void CommonArea::setFormId(const QString& v) {
    formId = text::FixedWidth(v, 8);
}

CommonArea& commonArea() {
    return context().get<CommonArea>();
}

namespace {

struct LogFile {
    platform::AppendFile file;  // named while a log is open; empty path after the end of log

    LogFile() {
        // Every line is written with one write() and reaches the file at once; nothing to flush,
        // but the file is closed properly on the way out.
        addBeforeEndHook([] { closeSystemLog(); });
    }
};

LogFile& logFile() {
    return context().get<LogFile>();
}

bool appendLine(const QByteArray& bytes) {
    return logFile().file.append(bytes);
}

// Every line break of a report (CR LF, a lone CR or a lone LF) becomes one blank, so that each
// report stays one line of the log.
QString joinLineBreaks(const QString& text) {
    if (!text.contains(u'\r') && !text.contains(u'\n')) return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            out += u' ';
        } else if (c == u'\n') {
            out += u' ';
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

bool openSystemLog(const QString& folder) {
    closeSystemLog();
    logFile().file.name(folder + u'/' + QString::fromLatin1(kSystemLogFileName));
    const QFileInfo dir(folder);
    return dir.isDir() && dir.isWritable();
}

bool systemLogIsOpen() {
    return logFile().file.isOpen();
}

QString systemLogPath() {
    return logFile().file.path();
}

void closeSystemLog() {
    logFile().file.close();
}

namespace {

QString lineWithNumberField(const QString& place, const QString& code, int kind,
                            const QString& numberField, const QString& message) {
    const QDateTime t = platform::now();
    const CommonArea& a = commonArea();
    QString line;
    line.reserve(80 + message.size());
    line += t.toString(QStringLiteral("yy/MM/dd"));
    line += u' ';
    line += t.toString(QStringLiteral("HH:mm:ss"));
    line += u' ';
    line += a.identification;
    line += u' ';
    line += a.programId;
    line += u' ';
    line += a.formId;
    line += u' ';
    line += place;
    line += u' ';
    line += code;
    line += u' ';
    line += QString::number(kind);
    line += u' ';
    line += numberField;
    line += u' ';
    line += message;
    return joinLineBreaks(line);
}

void reportLine(const QString& place, const QString& code, int kind, const QString& numberField,
                const QString& message);

}  // namespace

QString formatLogLine(const QString& place, const QString& code, int kind, qint64 number,
                      const QString& message) {
    return lineWithNumberField(place, code, kind, text::ZeroPad(number, 8), message);
}

QString numberFieldOf(const QString& number) {
    const std::optional<double> n = text::ToNumber(number);
    if (!n || !std::isfinite(*n) || std::abs(*n) > 9.0e18) return number;
    return text::ZeroPad(static_cast<qint64>(std::nearbyint(*n)), 8);
}

void SystemLogReport(const QString& place, const QString& code, int kind, qint64 number,
                     const QString& message) {
    reportLine(place, code, kind, text::ZeroPad(number, 8), message);
}

void SystemLogReportValue(const QString& place, const QString& code, int kind,
                          const QString& number, const QString& message) {
    reportLine(place, code, kind, numberFieldOf(number), message);
}

namespace {

void reportLine(const QString& place, const QString& code, int kind, const QString& numberField,
                const QString& message) {
    QByteArray bytes =
        lineWithNumberField(place, code, kind, numberField, message).toUtf8() + "\r\n";
    if (!appendLine(bytes)) {
        // The log cannot be written: the line goes to standard error instead, and the boxes
        // and the end below still happen.
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
        std::fflush(stderr);
    }
    const QString placeBox = QStringLiteral("発生場所 = ") + place + u'\r' + message;
    switch (kind) {
        case 3:
            if (commonArea().executionMode == QStringLiteral("D")) {
                messageBox(placeBox, {}, Buttons::Ok, Icon::Exclamation, DefaultButton::First,
                           true);
                endProgram(ExitAbnormal);
            }
            break;
        case 4:
            messageBox(placeBox, {}, Buttons::Ok, Icon::Exclamation, DefaultButton::First, true);
            break;
        case 5:
            messageBox(place + QStringLiteral("で異常終了 ログファイルを参照して下さい。 "), {},
                       Buttons::Ok, Icon::Critical, DefaultButton::First, true);
            endProgram(ExitAbnormal);
        default:
            break;
    }
}

}  // namespace

void EndOfLog() {
    commonArea().setFormId(QString());
    SystemLogReport(QStringLiteral("Z0900"), common::code::EndOfLog, 1, 0,
                    QStringLiteral("***E N D***"));
    closeSystemLog();
}

}  // namespace tav::common
