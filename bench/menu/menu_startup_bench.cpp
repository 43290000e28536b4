// The whole start sequence of the menu without its window: a 1000-record menu file with an
// option menu, the name master and the company information on an SQLite office database.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "namemaster/name_master.h"
#include "common/system_log.h"
#include "dataaccess/lsqlio00.h"
#include "dataaccess/lsqlio00_state.h"
#include "menu/menu_context.h"
#include "menu/menu_window.h"
#include "menu/office_menu_database.h"
#include "menu/startup.h"
#include "support/fake_services.h"
#include "platform/program_info.h"
#include "platform/textfile.h"
#include "officedb/office_db.h"

namespace {

using namespace tav::menu;

class QuietWindow : public MenuWindow {
  public:
    void setOwnerEnabled(bool) override {}
    void setHourglass(bool) override {}
    void bringToFront() override {}
    void setButtonPointers() override {}
    QString designTitleColour() override { return QStringLiteral("8388608"); }
    void fillPageList() override {}
    void armTimer(int) override {}
    void placeWindow(const tav::common::FramePlacement& rule) override { rule({1920, 1080}, {800, 600}); }
    void setWindowCaption(const QString& c) override { caption = c; }
    void setTitleLabels(const QString&, const QString&) override {}
    void clearHint() override {}
    void setCompanyCaption(const QString& c) override { company = c; }
    void focusList() override {}
    void activateByCaption() override {}
    QString caption, company;
};

// A menu file of 1000 records: pages, items and buttons in nested order, with an option item.
QString menuFile() {
    QStringList lines{QStringLiteral("$01 00 00 00 マルヴネ業務システム"),
                      QStringLiteral("$03 00 00 00 業務メニュー")};
    int page = 0;
    int item = 0;
    while (lines.size() < 1000) {
        if (lines.size() % 100 == 2) {
            ++page;
            lines << QStringLiteral("@10 %1 00 00 ページ%1").arg(page, 2, 10, QChar(u'0'));
            continue;
        }
        ++item;
        if (item == 1) {
            lines << QStringLiteral("@20 %1 %2 00 ｵﾌﾟｼｮﾝ,0,1,%OPT_MENU M5,1,1,1,1,1,1,1,1,ｵﾌﾟｼｮﾝ")
                         .arg(page, 2, 10, QChar(u'0'))
                         .arg(item % 100, 2, 10, QChar(u'0'));
            continue;
        }
        lines << QStringLiteral("@20 %1 %2 00 ㈱照会①～%3,0,1,,1,1,1,1,1,1,1,1,説明")
                     .arg(page, 2, 10, QChar(u'0'))
                     .arg(item % 100, 2, 10, QChar(u'0'))
                     .arg(item);
        for (int b = 1; b <= 4 && lines.size() < 1000 - 10; ++b) {
            lines << QStringLiteral("@30 %1 %2 %3 ボタン%3,2,1,LKM%4.exe,1,1,1,1,1,1,1,1,ｶﾞｲﾄﾞ")
                         .arg(page, 2, 10, QChar(u'0'))
                         .arg(item % 100, 2, 10, QChar(u'0'))
                         .arg(b, 2, 10, QChar(u'0'))
                         .arg(item, 5, 10, QChar(u'0'));
        }
    }
    while (lines.size() > 1000 - 10) lines.removeLast();  // ten option entries follow the item
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

void BM_MenuStartSequence(benchmark::State& state) {
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/TAV/SYS/MENU");
    QDir().mkpath(folder);
    tav::platform::setProgramFolder(folder);
    tav::platform::setProgramFileName(QStringLiteral("TAV_menu1"));
    tav::platform::setCommandLine(QString());

    std::vector<tav::officedb::NameRow> names{{"TAV_MENU", "M0", "TAV_MENU1.DAT", ""},
                                              {"VERSION", "BA", "Ver 1.00", ""},
                                              {"MAIN_WIN_CAP", "M3", "マルヴネ", ""}};
    for (int i = 1; i <= 10; ++i)
        names.push_back({QStringLiteral("OPT%1").arg(i, 2, 10, QChar(u'0')), "M5",
                         QStringLiteral("ｵﾌﾟｼｮﾝ%1").arg(i), QStringLiteral("-x")});
    tav::officedb::CompanyRow company;
    company.menuHeader = QStringLiteral("㈱マルヴネ商事");
    const QString db = dir.path() + QStringLiteral("/office.db");
    const QString error = tav::officedb::createOfficeDatabase(db, names, {company});
    if (!error.isEmpty()) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    QFile ini(folder + QStringLiteral("/FEND_RUN.INI"));
    ini.open(QIODevice::WriteOnly);
    ini.write(tav::officedb::settingsFor(db).toUtf8());
    ini.close();
    QFile menu(folder + QStringLiteral("/TAV_MENU1.DAT"));
    menu.open(QIODevice::WriteOnly);
    menu.write(tav::platform::encodeCp932(menuFile()));
    menu.close();

    tav::platform::FakeServices fake;
    tav::common::openSystemLog(folder);
    installOfficeMenuDatabase();
    QuietWindow window;
    try {
        for (auto _ : state) {
            // Each run starts as a fresh process does: no settings read, nothing connected.
            tav::dataaccess::resetDataAccess();
            resetMenuState();
            RunStartSequence(window);
            benchmark::DoNotOptimize(window.company);
        }
    } catch (const tav::platform::ProgramExit&) {
        const QString box =
            fake.messageBox.shown.empty() ? QString() : fake.messageBox.shown.back().text;
        QFile log(folder + QStringLiteral("/FEND_SYS.LOG"));
        log.open(QIODevice::ReadOnly);
        state.SkipWithError(("the start sequence ended: " + box + QString::fromUtf8(log.readAll()))
                                .toStdString()
                                .c_str());
        tav::common::closeSystemLog();
        return;
    }
    if (menuTable().LastEntryIndex != 999 || window.company != QStringLiteral("㈱マルヴネ商事 ") ||
        !fake.messageBox.shown.empty())
        state.SkipWithError("the start sequence did not read what it should");
    tav::common::closeSystemLog();
}
BENCHMARK(BM_MenuStartSequence)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
