#pragma once
// The two database backends the data-access tests run against: a temporary SQLite file through
// the SQLite3 driver, and the throwaway PostgreSQL server that ./tav test starts (data source
// $TAV_PG_DSN of the test odbc.ini). Each PostgreSQL case gets a login role and schema of its
// own, so that cases running side by side never see each other's tables.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <memory>

#include "support/test_support.h"

namespace tav::test {

enum class BackendKind { SQLite, PostgreSQL };
std::string backendName(const ::testing::TestParamInfo<BackendKind>& info);

// Fails the test (never skips) when the PostgreSQL test server was not started.
QString requireEnv(const char* name);

class TestDatabase {
  public:
    // Prepares an empty database; FEND_RUN.INI lines for DB number `db` come from iniLines().
    TestDatabase(BackendKind kind, const QString& folder);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    BackendKind kind() const { return kind_; }
    // False when the database could not be prepared (the failure is already recorded).
    bool ready() const { return ready_; }
    // Runs statements (standard SQL) directly through the ODBC wrapper, as the database's owner.
    void exec(const QStringList& statements);
    void exec(const QString& statement) { exec(QStringList{statement}); }
    // The FEND_RUN.INI sections that make DB number db lead to this database.
    QString iniSections(int db = 0) const;
    QString filePath() const { return file_; }
    QString dataSource() const { return dsn_; }
    QString user() const { return user_; }

    // The connect string of the database's owner, for the ODBC wrapper.
    QString ownerConnectString() const;

  private:
    BackendKind kind_;
    QString file_;
    QString dsn_;
    QString user_;
    QString admin_;
    bool ready_ = false;
};

// Writes FEND_RUN.INI (UTF-8) into the program folder.
void writeSettings(const ProgramFolder& folder, const QString& text);

// The lines of FEND_SYS.LOG, each without its date and time (the first 18 characters) and
// without the fixed common-area columns, as "place code kind number message".
QStringList logTail(const ProgramFolder& folder);
// The whole lines.
QStringList logLines(const ProgramFolder& folder);

}  // namespace tav::test
