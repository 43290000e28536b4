// The SQL error report and the trace: the only place where the layer's failures are written.
#include <exception>

#include "common/system_log.h"
#include "dataaccess/internal.h"
#include "dataaccess/report_codes.h"
#include "platform/runtime_error.h"
#include "platform/services.h"

namespace tav::dataaccess {

using common::SystemLogReport;

namespace detail {

// The engine's own errors; the general run-time errors keep their usual descriptions.
Failure runtimeFailure(qint32 number, const QString& extra) {
    return Failure{number, err::description(number) + extra, {}};
}

// A driver message as one line of the log: its line breaks and tabs become single blanks.
QString oneLine(const QString& message) {
    QString out;
    out.reserve(message.size());
    bool blank = false;
    for (QChar c : message.trimmed()) {
        if (c == u'\n' || c == u'\r' || c == u'\t') {
            if (!blank) out += u' ';
            blank = true;
            continue;
        }
        if (blank && c == u' ') continue;
        blank = false;
        out += c;
    }
    return out;
}

Failure odbcFailure(const odbc::OdbcError& e) {
    Failure f{kOdbcCallFailed, err::description(kOdbcCallFailed), {}};
    for (const odbc::Diagnostic& d : e.diagnostics()) {
        f.errors.push_back(
            EngineError{d.nativeError, oneLine(d.message),
                        e.driver().isEmpty() ? d.sqlState : d.sqlState + u' ' + e.driver()});
    }
    return f;
}

void fail(const QString& op, const QString& code, const Failure& failure) {
    DataAccessState& s = dataAccessState();
    s.lastErrorMessage = failure.message;
    s.errors = failure.errors;
    SqlErrorReport(op, code, failure.number);
}

void failWithCurrent(const QString& op, const QString& code) {
    try {
        throw;
    } catch (const Failure& f) {
        fail(op, code, f);
    } catch (const odbc::OdbcError& e) {
        fail(op, code, odbcFailure(e));
    }
}

void refuse(const QString& op, const QString& code, const QString& text) {
    dataAccessState().lastErrorMessage = text;
    SqlErrorReport(op, code, 0);
}

QString l101Text(const QString& kind) {
    return QStringLiteral("ﾃﾞｰﾀｱｸｾｽ種別'") + kind +
           QStringLiteral(
               "'は現在のﾓｼﾞｭｰﾙでは使用できません。または、Fendrixの現ﾊﾞｰｼﾞｮﾝではｻﾎﾟｰﾄされていませ"
               "ん。");
}

QString l102Text(const QString& kind) {
    if (kind.isEmpty()) {
        return QStringLiteral(
            "ﾃﾞｰﾀｱｸｾｽ種別が設定されていません。またはｶｰｿﾙ､ﾃﾞｰﾀﾍﾞｰｽが開かれていません｡");
    }
    return QStringLiteral("このSQL関数はﾃﾞｰﾀｱｸｾｽ種別'") + kind +
           QStringLiteral("'では使用できません。");
}

QString l103Text(int db) {
    return QStringLiteral("DB番号") + QString::number(db) +
           QStringLiteral("のﾃﾞｰﾀｿｰｽ名・ﾊﾟｽ名が設定されていません。ODBC_DAO接続は失敗しました。");
}

void trace(const QString& op, const QString& code, const QString& text) {
    if (dataAccessState().trace) SystemLogReport(op, code, 1, 0, text);
}

}  // namespace detail

void SqlErrorReport(const QString& op, const QString& code, qint32 number) {
    DataAccessState& s = dataAccessState();
    qint32 n = number;
    // A failure while a step is written skips that step; the closing line is always reached.
    try {
        if (!isServedKind(s.currentAccessKind)) n = 0;
        if (n != 0 && !s.errors.empty()) {
            for (qsizetype i = static_cast<qsizetype>(s.errors.size()) - 1; i >= 0; --i) {
                const EngineError& e = s.errors[static_cast<size_t>(i)];
                SystemLogReport(op, code, 1, n,
                                QStringLiteral("(Errors(") + QString::number(i) +
                                    QStringLiteral("):") + QString::number(e.number) +
                                    QStringLiteral(") ") + e.description +
                                    QStringLiteral(" 発生元=") + e.source);
            }
            if (!s.detail.isEmpty()) {
                SystemLogReport(op, code, 1, n, QStringLiteral("詳細情報：") + s.detail);
            }
        } else {
            SystemLogReport(op, code, 1, n,
                            u'(' + QString::number(n) + QStringLiteral(") ") + s.lastErrorMessage);
        }
    } catch (const std::exception&) {
    }
    try {
        if (op == QStringLiteral("Q0300") && !s.trace) {
            SystemLogReport(op, code, 1, n, s.lastSqlText);
        }
    } catch (const std::exception&) {
    }
    SystemLogReport(
        op, code, 5, n,
        QStringLiteral(
            "ＳＱＬ処理でエラーが発生しました（エラー内容はこの行以前に出力されています）"));
    platform::endProgram(platform::ExitAbnormal);
}

void SqlNullCheck(const QString& sql, const QString& op) {
    if (sql.contains(QChar(u'\0'))) {
        SystemLogReport(op, code::SqlHoldsNul, 1, 0,
                        QStringLiteral("NULL文字を含むSQL文が指定されました。SQL=") + sql);
    }
}

}  // namespace tav::dataaccess
