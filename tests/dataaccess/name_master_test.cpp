// The name master look-up on both backends.
#include "namemaster/name_master.h"
#include "fixture.h"

using namespace tav::common;
using namespace tav::dataaccess;

namespace {

class NameMaster : public tav::test::BackendTest {
  protected:
    void SetUp() override {
        BackendTest::SetUp();
        if (HasFatalFailure()) return;
        CommonStatus() = QStringLiteral("  ");
        CommonReturnCode() = 0;
        NameDescription().clear();
        db->exec(
            {QStringLiteral("CREATE TABLE 名称マスタ (名称ＩＤ VARCHAR(20), 名称区分 VARCHAR(10), "
                            "名称名称 VARCHAR(100), 名称説明 VARCHAR(200))"),
             QStringLiteral("INSERT INTO 名称マスタ VALUES ('MENUFILE', '01', 'TAV_MENU1.DAT', "
                            "'ﾒﾆｭｰﾌｧｲﾙ名')"),
             QStringLiteral("INSERT INTO 名称マスタ VALUES ('ＯＰＴ', '０１', 'ｵﾌﾟｼｮﾝ', NULL)")});
        settings();
        Q0100_CONNECT(0);
    }
};

TEST_P(NameMaster, FoundRowGivesNameDescriptionAndOk) {
    EXPECT_EQ(P5300_MEISYOU_SELECT1(QStringLiteral("MENUFILE"), QStringLiteral("01")),
              QVariant(QStringLiteral("TAV_MENU1.DAT")));
    EXPECT_EQ(CommonStatus(), QStringLiteral("OK"));
    EXPECT_EQ(NameDescription(), QStringLiteral("ﾒﾆｭｰﾌｧｲﾙ名"));
    EXPECT_EQ(CommonReturnCode(), -1);  // the close's true
    EXPECT_TRUE(dataAccessState().cursors[10].recordSet == nullptr);
    // Full-width ID and kind; a Null description reads as "".
    EXPECT_EQ(P5300_MEISYOU_SELECT1(QStringLiteral("ＯＰＴ"), QStringLiteral("０１")),
              QVariant(QStringLiteral("ｵﾌﾟｼｮﾝ")));
    EXPECT_EQ(NameDescription(), QString());
}

TEST_P(NameMaster, MissingRowGivesPlaceholderNgAndClosesTheCursor) {
    NameDescription() = QStringLiteral("前回");
    EXPECT_EQ(P5300_MEISYOU_SELECT1(QStringLiteral("MENUFILE"), QStringLiteral("99")),
              QVariant(QStringLiteral("名称名称?")));
    EXPECT_EQ(CommonStatus(), QStringLiteral("NG"));
    EXPECT_EQ(NameDescription(), QStringLiteral("前回"));
    EXPECT_EQ(CommonReturnCode(), -1);
    EXPECT_TRUE(dataAccessState().cursors[10].recordSet == nullptr);
    EXPECT_EQ(dataAccessState().cursors[10].accessKind, QStringLiteral("ODBC_DAO"));
}

TEST_P(NameMaster, StatementSelectsIdNameAndDescriptionByIdAndKind) {
    tav::test::writeSettings(folder,
                             db->iniSections(0) + QStringLiteral("[SQLLOGOUT]\nQ_DEBUG=1\n"));
    resetDataAccess();
    Q0100_CONNECT(0);
    P5300_MEISYOU_SELECT1(QStringLiteral("A"), QStringLiteral("B"));
    EXPECT_TRUE(log().contains(QStringLiteral(
        "Q0300 L031 1 00000000           SELECT 名称ＩＤ,名称名称,名称説明 FROM 名称マスタ WHERE "
        "名称ＩＤ = \"A\" AND 名称区分 = \"B\"")));
}

TEST_P(NameMaster, QuotesInTheValuesStayInsideTheirLiterals) {
    const QStringList hostile{QStringLiteral("A\""), QStringLiteral("\"OR\"1"),
                              QStringLiteral("MENUFILE\" OR \"\"=\""),
                              QStringLiteral("' OR ''='"), QStringLiteral("[名称区分]"),
                              QStringLiteral("*"), QStringLiteral("%_\\")};
    for (const QString& h : hostile) {
        QString standard = h;
        standard.replace(u'\'', QStringLiteral("''"));
        db->exec(QStringLiteral("INSERT INTO 名称マスタ VALUES ('") + standard +
                 QStringLiteral("', '01', 'hit', NULL)"));
    }
    for (const QString& h : hostile) {
        EXPECT_EQ(P5300_MEISYOU_SELECT1(h, QStringLiteral("01")), QVariant(QStringLiteral("hit")))
            << h.toStdString();
        EXPECT_EQ(P5300_MEISYOU_SELECT1(QStringLiteral("MENUFILE"), h),
                  QVariant(QStringLiteral("名称名称?")))
            << h.toStdString();
    }
    EXPECT_TRUE(log().isEmpty()) << log().join(u'\n').toStdString();
}

TAV_BOTH_BACKENDS(NameMaster);

}  // namespace
