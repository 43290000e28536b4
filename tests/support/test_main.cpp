// One QApplication for every test binary (offscreen), then GoogleTest. Each test program runs
// with a home and XDG folders of its own, removed at its end, and with the project's font
// configuration, so that nothing of the machine's user or fonts set-up decides a result.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "platform/context.h"

namespace {
// Every test runs in a fresh context: no module state of an earlier test reaches it.
class FreshContextPerTest : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        state_ = std::make_unique<tav::ScopedContext>();
    }
    void OnTestEnd(const ::testing::TestInfo&) override { state_.reset(); }
    std::unique_ptr<tav::ScopedContext> state_;
};
}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    qputenv("FONTCONFIG_FILE", TAV_FONTCONFIG_FILE);
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/tav-test-home.XXXXXX"));
    if (!home.isValid()) {
        fprintf(stderr, "cannot make a home folder for the tests in %s\n",
                qPrintable(QDir::tempPath()));
        return 2;
    }
    const QString h = home.path();
    const struct {
        const char* name;
        QString path;
    } folders[] = {{"HOME", h},
                   {"XDG_CONFIG_HOME", h + QStringLiteral("/.config")},
                   {"XDG_CACHE_HOME", h + QStringLiteral("/.cache")},
                   {"XDG_DATA_HOME", h + QStringLiteral("/.local/share")},
                   {"XDG_RUNTIME_DIR", h + QStringLiteral("/runtime")}};
    for (const auto& f : folders) {
        QDir().mkpath(f.path);
        qputenv(f.name, QFile::encodeName(f.path));
    }
    QFile::setPermissions(h + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qunsetenv("XDG_CONFIG_DIRS");
    qunsetenv("XDG_DATA_DIRS");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshContextPerTest);
    return RUN_ALL_TESTS();
}
