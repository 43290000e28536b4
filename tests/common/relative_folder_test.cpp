#include <gtest/gtest.h>

#include "common/relative_folder.h"
#include "platform/program_info.h"
#include "platform/services.h"
#include "support/test_support.h"

using namespace tav::common;

TEST(ParentFolder, EndsAtTheLastSeparator) {
    EXPECT_EQ(ParentFolder(QStringLiteral("C:\\APL\\MENU"), u'\\'), QStringLiteral("C:\\APL\\"));
    EXPECT_EQ(ParentFolder(QStringLiteral("C:\\"), u'\\'), QStringLiteral("C:\\"));
    EXPECT_EQ(ParentFolder(QStringLiteral("NOSEP"), u'\\'), QString());
    EXPECT_EQ(ParentFolder(QStringLiteral("/opt/APL/MENU"), u'/'), QStringLiteral("/opt/APL/"));
}

class RelativeFolder : public ::testing::Test {
  protected:
    tav::platform::FakeServices fake;
    tav::test::ProgramFolder pf{QStringLiteral("APL/MENU"), QStringLiteral("TAV_menu1")};
    QString installation() const { return pf.root() + QStringLiteral("/APL/"); }
};

TEST_F(RelativeFolder, ReplacesDotDotWithTheInstallationFolder) {
    EXPECT_EQ(P0310_CHG_DIR_UD(QStringLiteral("..\\DATA")),
              installation() + QStringLiteral("DATA"));
    EXPECT_EQ(P0310_CHG_DIR_UD(QStringLiteral("..\\")), installation());
    // Only one level is replaced.
    EXPECT_EQ(P0310_CHG_DIR_UD(QStringLiteral("..\\..\\X")),
              installation() + QStringLiteral("..\\X"));
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

TEST_F(RelativeFolder, OtherNamesShowTheParameterErrorAndAreJoined) {
    EXPECT_EQ(P0310_CHG_DIR_UD(QStringLiteral("DATA")), installation() + QStringLiteral("DATA"));
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    EXPECT_EQ(fake.messageBox.shown[0].text,
              QStringLiteral("パラメタエラー（DIR指定先頭が..\\でない）:DATA"));
    EXPECT_EQ(fake.messageBox.shown[0].title, QStringLiteral("TAV_menu1:P0310_CHG_DIR_UD"));
    EXPECT_EQ(fake.messageBox.shown[0].buttons, tav::platform::Buttons::Ok);
}

TEST(RelativeFolderAtRoot, TheRootIsItsOwnParent) {
    tav::platform::FakeServices fake;
    tav::test::ProgramFolder pf;
    tav::platform::setProgramFolder(QStringLiteral("/"));
    EXPECT_EQ(P0310_CHG_DIR_UD(QStringLiteral("..\\DATA")), QStringLiteral("/DATA"));
}
