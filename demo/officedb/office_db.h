#pragma once
// Builds a small office database in an SQLite file: the name master (名称マスタ) and the company
// information (自社情報) with the office's Japanese column names, filled from a few rows. Used by
// the tests and by the demo installation.
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace tav::officedb {

struct NameRow {
    QString id;           // 名称ＩＤ
    QString kind;         // 名称区分
    QString name;         // 名称名称
    QString description;  // 名称説明
};

struct CompanyRow {
    int address = 100;                // アドレス
    QString menuHeader;               // メニューヘッダ
    std::array<QString, 7> titles;    // タイトル１行目 .. タイトル７行目
    std::array<QString, 7> contents;  // 内容１行目 .. 内容７行目
};

// The statements that create the two tables (standard SQL).
QStringList officeSchema();
// A text value as an SQL string literal ('...' with quotes doubled).
QString sqlText(const QString& value);
QString insertStatement(const NameRow& row);
QString insertStatement(const CompanyRow& row);

// Runs statements on the SQLite file (created when missing) through the SQLite3 ODBC driver.
// Returns an empty text on success, else what the driver said.
QString execSqlite(const QString& path, const QStringList& statements);

// Creates the file anew with both tables and the rows. Empty text on success.
QString createOfficeDatabase(const QString& path, const std::vector<NameRow>& names,
                             const std::vector<CompanyRow>& company);

// The FEND_RUN.INI lines that make DB number `db` lead to the file.
QString settingsFor(const QString& path, int db = 0);

}  // namespace tav::officedb
