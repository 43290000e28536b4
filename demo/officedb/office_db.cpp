#include "office_db.h"

#include <sql.h>
#include <sqlext.h>

#include <QFile>

namespace tav::officedb {

namespace {

const char* const kDigits[7] = {"１", "２", "３", "４", "５", "６", "７"};

QString diagnostics(SQLSMALLINT type, SQLHANDLE handle) {
    QString text;
    SQLCHAR state[6];
    SQLCHAR message[1024];
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    for (SQLSMALLINT i = 1; SQLGetDiagRec(type, handle, i, state, &native, message, sizeof message,
                                          &length) == SQL_SUCCESS;
         ++i) {
        text += QString::fromUtf8(reinterpret_cast<const char*>(state)) + u' ' +
                QString::fromUtf8(reinterpret_cast<const char*>(message)) + u'\n';
    }
    return text.isEmpty() ? QStringLiteral("ODBC failure") : text;
}

}  // namespace

QStringList officeSchema() {
    QString company =
        QStringLiteral("CREATE TABLE 自社情報 (アドレス INTEGER, メニューヘッダ TEXT");
    for (const char* d : kDigits) {
        company +=
            QStringLiteral(", タイトル") + QString::fromUtf8(d) + QStringLiteral("行目 TEXT");
        company += QStringLiteral(", 内容") + QString::fromUtf8(d) + QStringLiteral("行目 TEXT");
    }
    company += u')';
    return {QStringLiteral("CREATE TABLE 名称マスタ (名称ＩＤ TEXT, 名称区分 TEXT, 名称名称 TEXT, "
                           "名称説明 TEXT)"),
            company};
}

QString sqlText(const QString& value) {
    QString v = value;
    v.replace(u'\'', QStringLiteral("''"));
    return u'\'' + v + u'\'';
}

QString insertStatement(const NameRow& row) {
    return QStringLiteral(
               "INSERT INTO 名称マスタ (名称ＩＤ, 名称区分, 名称名称, 名称説明) VALUES (") +
           sqlText(row.id) + u',' + sqlText(row.kind) + u',' + sqlText(row.name) + u',' +
           sqlText(row.description) + u')';
}

QString insertStatement(const CompanyRow& row) {
    QString columns = QStringLiteral("アドレス, メニューヘッダ");
    QString values = QString::number(row.address) + u',' + sqlText(row.menuHeader);
    for (int i = 0; i < 7; ++i) {
        const QString d = QString::fromUtf8(kDigits[i]);
        columns += QStringLiteral(", タイトル") + d + QStringLiteral("行目, 内容") + d +
                   QStringLiteral("行目");
        values += u',' + sqlText(row.titles[static_cast<size_t>(i)]) + u',' +
                  sqlText(row.contents[static_cast<size_t>(i)]);
    }
    return QStringLiteral("INSERT INTO 自社情報 (") + columns + QStringLiteral(") VALUES (") +
           values + u')';
}

QString execSqlite(const QString& path, const QStringList& statements) {
    SQLHENV env = SQL_NULL_HENV;
    SQLHDBC dbc = SQL_NULL_HDBC;
    QString error;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
        return QStringLiteral("no ODBC environment");
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc);
    QByteArray connect = (QStringLiteral("DRIVER=SQLite3;Database=") + path + u';').toUtf8();
    SQLRETURN rc = SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR*>(connect.data()),
                                    SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) {
        error = diagnostics(SQL_HANDLE_DBC, dbc);
    } else {
        for (const QString& sql : statements) {
            SQLHSTMT stmt = SQL_NULL_HSTMT;
            SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt);
            QByteArray text = sql.toUtf8();
            rc = SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS);
            if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA)
                error = diagnostics(SQL_HANDLE_STMT, stmt) + QStringLiteral(" in ") + sql;
            SQLFreeHandle(SQL_HANDLE_STMT, stmt);
            if (!error.isEmpty()) break;
        }
        SQLDisconnect(dbc);
    }
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    return error;
}

QString createOfficeDatabase(const QString& path, const std::vector<NameRow>& names,
                             const std::vector<CompanyRow>& company) {
    QFile::remove(path);
    QStringList statements = officeSchema();
    statements.prepend(QStringLiteral("BEGIN"));
    for (const NameRow& r : names) statements << insertStatement(r);
    for (const CompanyRow& r : company) statements << insertStatement(r);
    statements << QStringLiteral("COMMIT");
    return execSqlite(path, statements);
}

QString settingsFor(const QString& path, int db) {
    return QStringLiteral("[DBPATH]\nZ_PATH%1=%2\n").arg(db).arg(path);
}

}  // namespace tav::officedb
