#pragma once
// A fresh data-access process state per case: fake services, a program folder with the system
// log open, and (for the parametrized suites) a database on the backend under test.
#include <gtest/gtest.h>

#include <memory>

#include "backend.h"
#include "common/system_log.h"
#include "dataaccess/lsqlio00.h"
#include "dataaccess/lsqlio00_state.h"

namespace tav::test {

class DataAccessTest : public ::testing::Test {
  protected:
    // Each test starts in a fresh context (tests/support/test_main.cpp): no state to reset here.
    void SetUp() override {
        ASSERT_TRUE(common::openSystemLog(folder.path()));
    }
    void TearDown() override {
        dataaccess::resetDataAccess();
        common::closeSystemLog();
    }
    // "place code kind number message" of every log line.
    QStringList log() const { return logTail(folder); }
    platform::FakeServices fake;
    ProgramFolder folder;
};

class BackendTest : public DataAccessTest, public ::testing::WithParamInterface<BackendKind> {
  protected:
    void SetUp() override {
        DataAccessTest::SetUp();
        db = std::make_unique<TestDatabase>(GetParam(), folder.path());
        ASSERT_TRUE(db->ready()) << "the test database could not be prepared";
    }
    void TearDown() override {
        DataAccessTest::TearDown();
        db.reset();
    }
    // FEND_RUN.INI leading DB number 0 to the test database, plus extra text.
    void settings(const QString& extra = {}) { writeSettings(folder, db->iniSections(0) + extra); }
    std::unique_ptr<TestDatabase> db;
};

#define TAV_BOTH_BACKENDS(suite)                                                                   \
    INSTANTIATE_TEST_SUITE_P(                                                                      \
        Backends, suite,                                                                           \
        ::testing::Values(::tav::test::BackendKind::SQLite, ::tav::test::BackendKind::PostgreSQL), \
        ::tav::test::backendName)

}  // namespace tav::test
