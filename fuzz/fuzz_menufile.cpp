// Any menu file: the reader never crashes, and a file it cannot take ends in one of the menu
// file's own messages. The name master answers for some names, so the header and token paths run.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

#include "menu/menu_context.h"
#include "menu/menu_database.h"
#include "menu/menu_file.h"
#include "support/fake_services.h"
#include "platform/program_info.h"

namespace {

class FuzzDatabase : public tav::menu::MenuDatabase {
  public:
    void M2000_OPEN_RTN() override {}
    void M2900_CLOSE_RTN() override {}
    void M0030_JISYA_L_SET(tav::menu::MenuWindow&) override {}
    QString P5300_MEISYOU_SELECT1(const QString& id, const QString&) override {
        ok_ = id != QStringLiteral("VERSION");
        return id == QStringLiteral("BK_KING") ? QStringLiteral("..\\BACKUP")
                                               : QStringLiteral("名称");
    }
    bool CommonStatusIsOk() override { return ok_; }
    void M0140_OPT_MENU() override {}

  private:
    bool ok_ = false;
};

bool known(const QString& text) {
    static const char* const prefixes[] = {
        "データが999件を超えました。",
        "データファイル読み込み中にエラーが発生しました。\r\n行番号 ",
        "予期せぬエラーが発生しました。   M0100_LMN000_IN\r\n",
    };
    for (const char* p : prefixes)
        if (text.startsWith(QString::fromUtf8(p))) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    static const QString folder = [] {
        const QString f = dir.path() + QStringLiteral("/TAV/SYS_TST/MENU");
        QDir().mkpath(f);
        tav::platform::setProgramFolder(f);
        tav::platform::setProgramFileName(QStringLiteral("TAV_menu1"));
        return f;
    }();
    static FuzzDatabase database;
    tav::menu::setMenuDatabase(&database);

    QFile file(folder + QStringLiteral("/TAV_MENU1.DAT"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) __builtin_trap();
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();

    tav::platform::FakeServices fake;
    tav::menu::resetMenuState();
    tav::menu::menuContext().RunMode = size % 2 ? QStringLiteral("T") : QStringLiteral("M");
    tav::menu::menuContext().MenuFileName = QStringLiteral("TAV_MENU1.DAT");
    bool ended = false;
    try {
        tav::menu::M0100_LMN000_IN();
    } catch (const tav::platform::ProgramExit& e) {
        ended = true;
        if (e.status != 1) __builtin_trap();
    }
    const auto& boxes = fake.messageBox.shown;
    // An end always follows a message of the menu file; the only box that lets reading go on is
    // the record limit.
    if (ended && (boxes.empty() || !known(boxes.back().text))) __builtin_trap();
    for (const auto& box : boxes) {
        if (!known(box.text) && !box.text.startsWith(QStringLiteral("名称マスタのバックアップ")))
            __builtin_trap();
    }
    const auto& table = tav::menu::menuTable();
    if (table.LastEntryIndex < -1 || table.LastEntryIndex > tav::menu::kLastMenuIndex)
        __builtin_trap();
    return 0;
}
