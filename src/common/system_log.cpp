#include "system_log.h"

#include "platform/context.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cmath>
#include <cstdio>

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
    int fd = -1;
    QString path;  // the log's file; empty while no log is named (or after the end of log)

    LogFile() {
        // Every line is written with one write() and reaches the file at once; nothing to flush,
        // but the file is closed properly on the way out.
        addBeforeEndHook([] { closeSystemLog(); });
    }
    ~LogFile() {
        if (fd >= 0) ::close(fd);
    }
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;
};

LogFile& logFile() {
    return context().get<LogFile>();
}

// The log file is opened (and created) when its first line is written, so a run that logs
// nothing leaves no file behind. A log that cannot be opened is tried again with the next line.
bool ensureOpen(LogFile& f) {
    if (f.fd >= 0) return true;
    if (f.path.isEmpty()) return false;
    f.fd = ::open(QFile::encodeName(f.path).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC,
                  0644);
    return f.fd >= 0;
}

// One append of the whole line: O_APPEND makes the offset and the write one step, so lines of
// several programs never interleave.
bool appendLine(const QByteArray& bytes) {
    LogFile& f = logFile();
    if (!ensureOpen(f)) return false;
    const char* p = bytes.constData();
    ssize_t left = bytes.size();
    while (left > 0) {
        ssize_t w = ::write(f.fd, p, static_cast<size_t>(left));
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += w;
        left -= w;
    }
    return true;
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
    LogFile& f = logFile();
    f.path = folder + u'/' + QString::fromLatin1(kSystemLogFileName);
    const QFileInfo dir(folder);
    return dir.isDir() && dir.isWritable();
}

bool systemLogIsOpen() {
    return logFile().fd >= 0;
}

QString systemLogPath() {
    return logFile().path;
}

void closeSystemLog() {
    LogFile& f = logFile();
    if (f.fd >= 0) ::close(f.fd);
    f.fd = -1;
    f.path.clear();
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
    SystemLogReport(QStringLiteral("Z0900"), QStringLiteral("K020"), 1, 0,
                    QStringLiteral("***E N D***"));
    closeSystemLog();
}

}  // namespace tav::common
