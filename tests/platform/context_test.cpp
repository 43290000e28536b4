// The program's context: fresh state in a new context, the outer one's back when it ends, and
// state destroyed after whatever was made from it.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "platform/context.h"
#include "platform/program_info.h"

namespace {

QStringList g_destroyed;

struct Base {
    ~Base() { g_destroyed << QStringLiteral("base"); }
    int value = 7;
};
struct Dependent {
    // Asks for Base while it is made: Base is made first and must outlive it.
    Dependent() : base(tav::context().get<Base>()) {}
    ~Dependent() {
        g_destroyed << QStringLiteral("dependent sees %1").arg(base.value);
    }
    Base& base;
};

TEST(Context, ANewContextStartsFreshAndTheOuterOneComesBack) {
    tav::platform::setProgramFolder(QStringLiteral("/outer"));
    {
        tav::ScopedContext inner;
        EXPECT_EQ(tav::platform::programFolder(), QString());
        tav::platform::setProgramFolder(QStringLiteral("/inner"));
    }
    EXPECT_EQ(tav::platform::programFolder(), QStringLiteral("/outer"));
}

TEST(Context, StateIsDestroyedAfterWhatWasMadeFromIt) {
    g_destroyed.clear();
    {
        tav::ScopedContext scope;
        tav::context().get<Dependent>().base.value = 9;
        EXPECT_EQ(&tav::context().get<Base>(), &tav::context().get<Dependent>().base);
    }
    EXPECT_EQ(g_destroyed, (QStringList{QStringLiteral("dependent sees 9"), QStringLiteral("base")}));
}

}  // namespace
