#include <QDir>
#include <QFile>

#include "menu/startup.h"
#include "menu_fakes.h"
#include "platform/program_info.h"

using namespace tav::menu;
using tav::platform::Answer;
using tav::platform::Buttons;
using tav::platform::Icon;
using tav::test::exitStatusOf;

namespace {
int check() {
    return exitStatusOf([] { M0005_KIDOU_CHECK(); });
}
}  // namespace

class StartUp : public tav::test::MenuTest {
  protected:
    StartUp() : MenuTest("TAV/SYS_TST/MENU") {}
    void SetUp() override { tav::test::writeCp932(pf.file("TAV_MENU1.DAT"), "@10 01 00 00 P\r\n"); }
};

TEST_F(StartUp, FoldersAndRunModeFromTheProgramFolder) {
    ASSERT_EQ(check(), -1);
    const MenuContext& ctx = menuContext();
    EXPECT_EQ(ctx.BaseFolder, pf.root() + "/TAV");
    EXPECT_EQ(ctx.SystemFolderName, "SYS");
    EXPECT_EQ(ctx.ProgramFolderName, "MENU");
    EXPECT_EQ(ctx.RunMode, "T");
    EXPECT_EQ(ctx.MenuFileName, "TAV_MENU1.DAT");
    EXPECT_TRUE(boxes().empty());
}

TEST_F(StartUp, RunModesAreCaseSensitive) {
    struct {
        const char* system;
        const char* mode;
        const char* name;
    } cases[] = {{"SYS", "M", "SYS"},
                 {"SYS_SUB", "S", "SYS"},
                 {"SYS_tst", "M", "SYS_tst"},
                 {"_TST", "T", ""},
                 {"TST", "M", "TST"}};
    for (const auto& c : cases) {
        const QString folder = pf.root() + "/B/" + c.system + "/MENU";
        tav::test::writeCp932(folder + "/TAV_MENU1.DAT", "");
        tav::platform::setProgramFolder(folder);
        ASSERT_EQ(check(), -1) << c.system;
        EXPECT_EQ(menuContext().RunMode, c.mode) << c.system;
        EXPECT_EQ(menuContext().SystemFolderName, c.name) << c.system;
        EXPECT_EQ(menuContext().BaseFolder, pf.root() + "/B");
    }
}

TEST_F(StartUp, AFolderWithTooFewSeparatorsStops) {
    tav::platform::setProgramFolder("MENU");
    EXPECT_EQ(check(), 1);
    tav::platform::setProgramFolder("/MENU");
    EXPECT_EQ(check(), 1);
    ASSERT_EQ(boxes().size(), 2u);
    EXPECT_EQ(boxes()[0].title, "起動エラー");
    EXPECT_EQ(boxes()[0].text, "環境エラー1　M0005_KIDOU_CHECK\r\n\r\nAPP.PATH = MENU");
    EXPECT_EQ(boxes()[0].buttons, Buttons::Ok);
    EXPECT_EQ(boxes()[0].icon, Icon::None);
    EXPECT_EQ(boxes()[1].title, "起動エラー");
    EXPECT_EQ(boxes()[1].text, "環境エラー2　M0005_KIDOU_CHECK\r\n\r\nAPP.PATH = /MENU");
    // Directly below the root: the base folder is empty.
    tav::platform::setProgramFolder("/SYS/MENU");
    check();
    EXPECT_EQ(menuContext().BaseFolder, "");
    EXPECT_EQ(menuContext().SystemFolderName, "SYS");
}

TEST_F(StartUp, TheInstallationCopyRefusesToRun) {
    tav::platform::setProgramFileName("TAV_Loan");
    EXPECT_EQ(check(), 1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].title, "TAV_Loan : TAV_MENU1");
    EXPECT_EQ(
        boxes()[0].text,
        "当ｱﾌﾟﾘｹｰｼｮﾝは、実行できません。\r\nサブフォルダの TAV_menu1.EXEを実行してください。");
    EXPECT_EQ(boxes()[0].buttons, Buttons::Ok);

    tav::platform::setProgramFileName("TAV_LOAN");
    EXPECT_EQ(check(), -1);
    EXPECT_EQ(boxes().size(), 1u);
}

TEST_F(StartUp, AMissingMenuFileOffersTheSetupProgram) {
    QFile::remove(pf.file("TAV_MENU1.DAT"));
    EXPECT_EQ(check(), 1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].title, "セットアップ確認");
    EXPECT_EQ(
        boxes()[0].text,
        "TAV_MENU1.DATが見つかりません。\r\nインストール直後でしたら、セットアップが必要です。"
        "\r\nTAV_setup.exeを呼び出しますか");
    EXPECT_EQ(boxes()[0].buttons, Buttons::YesNo);
    EXPECT_EQ(boxes()[0].icon, Icon::None);
    EXPECT_EQ(fake.processes.started, QStringList{pf.path() + "/..\\TAV_setup.EXE "});
    EXPECT_EQ(fake.processes.last->polls, 0);
    EXPECT_EQ(menuEntry(0).LaunchMode, "0");
    EXPECT_EQ(menuEntry(0).RelativeFlag, "1");
    EXPECT_EQ(menuEntry(0).Command, "..\\TAV_setup.EXE ");

    fake.messageBox.answers = {Answer::No};
    EXPECT_EQ(check(), 1);
    EXPECT_EQ(fake.processes.started.size(), 1);
}

TEST_F(StartUp, TheSetupPromptComesBeforeTheCommandLineIsRead) {
    QFile::remove(pf.file("TAV_MENU1.DAT"));
    tav::test::writeCp932(pf.file("OTHER.DAT"), "");
    tav::platform::setCommandLine("OTHER.DAT,1");
    tav::test::FakeMenuWindow w(journal);
    EXPECT_EQ(exitStatusOf([&] { RunStartSequence(w); }), 1);
    EXPECT_EQ(boxes()[0].title, "セットアップ確認");
    EXPECT_EQ(journal, (QStringList{"button pointers", "design colour"}));
}

TEST_F(StartUp, AMenuFileThatCannotBeOpenedIsAnUnexpectedError) {
    QFile::remove(pf.file("TAV_MENU1.DAT"));
    QDir().mkpath(pf.file("TAV_MENU1.DAT"));
    EXPECT_EQ(check(), 1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text,
              "予期せぬエラーが発生しました。   M0005_KIDOU_CHECK\r\n75 : パス名が無効です。");
    EXPECT_EQ(boxes()[0].icon, Icon::Critical);
    EXPECT_EQ(boxes()[0].title, tav::platform::programTitle());
}

namespace {
struct Args {
    QString file;
    int profile, page, item;
    QString menuFileName;
};
Args readArgs(const QString& line) {
    tav::platform::setCommandLine(line);
    ReadStartArguments();
    SelectMenuFile();
    ReadStartPosition();
    const MenuContext& c = menuContext();
    return {c.MenuFileArgument, c.ProfileNumber, c.StartPage, c.StartItem, c.MenuFileName};
}
}  // namespace

TEST_F(StartUp, TheCommandLine) {
    db.names[{"TAV_MENU", "M0"}] = "NM.DAT ";
    auto a = readArgs("");
    EXPECT_EQ(a.file, "");
    EXPECT_EQ(a.menuFileName, "NM.DAT");
    EXPECT_EQ(a.profile, 1);
    EXPECT_EQ(a.page, 1);
    EXPECT_EQ(a.item, 1);

    // A file name without "," is ignored; with one it is taken.
    EXPECT_EQ(readArgs("A.DAT").menuFileName, "NM.DAT");
    EXPECT_EQ(readArgs("A.DAT,").menuFileName, "A.DAT");
    a = readArgs("A.DAT,3");
    EXPECT_EQ(a.menuFileName, "A.DAT");
    EXPECT_EQ(a.profile, 3);

    a = readArgs(",4,2,3");
    EXPECT_EQ(a.menuFileName, "NM.DAT");
    EXPECT_EQ(a.profile, 4);
    EXPECT_EQ(a.page, 2);
    EXPECT_EQ(a.item, 3);

    a = readArgs("B.DAT,x, 5 ,abc");
    EXPECT_EQ(a.profile, 1);
    EXPECT_EQ(a.page, 5);
    EXPECT_EQ(a.item, 1);

    // Profiles outside 1 to 8 are taken as 1.
    EXPECT_EQ(readArgs(",9").profile, 1);
    EXPECT_EQ(readArgs(",0").profile, 1);
    EXPECT_EQ(readArgs(",-2").profile, 1);
    EXPECT_EQ(readArgs(",8").profile, 8);
    EXPECT_EQ(readArgs(",2.5").profile, 2);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(StartUp, FailuresInTheArgumentReadersFallBackToTheDefaults) {
    db.names[{"TAV_MENU", "M0"}] = "NM.DAT";
    tav::platform::setCommandLine(",70000");
    menuContext().ProfileNumber = 5;
    ReadStartArguments();
    EXPECT_EQ(menuContext().MenuFileName, "TAV_meA.DAT");
    EXPECT_EQ(menuContext().ProfileNumber, 1);

    auto a = readArgs(",2,40000,3");
    EXPECT_EQ(a.page, 1);
    EXPECT_EQ(a.item, 1);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(StartUp, NoDatabaseAccessStops) {
    tav::platform::setCommandLine(",2");
    EXPECT_EQ(exitStatusOf([] {
                  ReadStartArguments();
                  SelectMenuFile();
              }),
              1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].title, "実行環境確認");
    EXPECT_EQ(boxes()[0].text,
              "DBアクセスできませんでした。\r\n\r\nVista , "
              "Windows-7で実行している場合、「互換性」設定が必要です。"
              "\r\n下記ﾌｧｲﾙの「ﾌﾟﾛﾊﾟﾃｨ」を開き、「互換性」「特権ﾚﾍﾞﾙ」を設定してください。\r\n" +
                  pf.path() + "/TAV_MENU1.exe");
    EXPECT_EQ(boxes()[0].buttons, Buttons::Ok);
    EXPECT_EQ(boxes()[0].icon, Icon::None);
}

TEST_F(StartUp, WindowPosition) {
    EXPECT_EQ(StartWindowPosition("M", {1920, 1080}, {801, 600}), QPoint(559, 240));
    EXPECT_EQ(StartWindowPosition("T", {1920, 1080}, {800, 600}), QPoint(1120, 480));
    EXPECT_EQ(StartWindowPosition("S", {1920, 1080}, {800, 600}), QPoint(1120, 480));
}

TEST_F(StartUp, TheStartSequenceInItsOrder) {
    db.names[{"TAV_MENU", "M0"}] = "TAV_MENU1.DAT";
    db.names[{"VERSION", "BA"}] = "Ver1.2 ";
    tav::test::writeCp932(pf.file("TAV_MENU1.DAT"),
                          "$01 00 00 00 社内システム \r\n@10 01 00 00 P\r\n");
    tav::platform::setCommandLine(",2,3,4");
    ASSERT_EQ(exitStatusOf([&] { RunStartSequence(window); }), -1);
    EXPECT_EQ(journal, (QStringList{"button pointers", "design colour", "open", "P5300 TAV_MENU M0",
                                    "P5300 MAIN_WIN_CAP M3", "P5300 VERSION BA", "page list 3 4",
                                    "company header", "company 自社 ", "close", "timer 1",
                                    "move 1120 480", "caption", "titles", "clear hint"}));
    EXPECT_EQ(window.caption, "社内システム Ver1.2");
    EXPECT_EQ(window.titleText, "テスト環境");
    EXPECT_EQ(window.titleColour, "255");
    EXPECT_EQ(menuContext().TimerStartFlag, "0");
    EXPECT_EQ(menuContext().ProfileNumber, 2);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(StartUp, AMainInstallationIsCentredAndAnEmptyVersionLeavesOneBlank) {
    const QString folder = pf.root() + "/TAV/SYS/MENU";
    tav::test::writeCp932(folder + "/TAV_MENU1.DAT", "@10 01 00 00 P\r\n");
    tav::platform::setProgramFolder(folder);
    tav::platform::setCommandLine("TAV_MENU1.DAT,");
    ASSERT_EQ(exitStatusOf([&] { RunStartSequence(window); }), -1);
    EXPECT_TRUE(journal.contains("move 560 240"));
    EXPECT_EQ(window.caption, "マルヴネシステム ");
    EXPECT_EQ(window.titleText, "マルヴネ 業務メニュー");
    EXPECT_EQ(window.titleColour, "8388608");
}
