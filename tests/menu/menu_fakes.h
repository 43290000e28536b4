#pragma once
// Fakes of the main window and of the menu's database routines, recording into one journal so
// that tests see the order of the steps.
#include <QHash>
#include <QPair>
#include <QSize>
#include <QStringList>
#include <functional>

#include "menu/menu_context.h"
#include "menu/menu_database.h"
#include "menu/menu_window.h"
#include "platform/program_info.h"
#include "platform/runtime_error.h"
#include "support/test_support.h"

namespace tav::test {

class FakeMenuWindow : public menu::MenuWindow {
  public:
    explicit FakeMenuWindow(QStringList& journal) : journal_(journal) {}
    void setOwnerEnabled(bool enabled) override {
        enabled_ = enabled;
        journal_ << (enabled ? "enable" : "disable");
    }
    void setHourglass(bool on) override { journal_ << (on ? "hourglass" : "default pointer"); }
    void bringToFront() override { journal_ << "front"; }
    void setButtonPointers() override { journal_ << "button pointers"; }
    QString designTitleColour() override {
        journal_ << "design colour";
        return designColour;
    }
    void fillPageList() override {
        journal_ << QStringLiteral("page list %1 %2")
                        .arg(menu::menuContext().StartPage)
                        .arg(menu::menuContext().StartItem);
    }
    void armTimer(int intervalMs) override {
        journal_ << QStringLiteral("timer %1").arg(intervalMs);
    }
    void placeWindow(const common::FramePlacement& rule) override {
        const auto at = rule(screen, window);
        if (at) journal_ << QStringLiteral("move %1 %2").arg(at->x()).arg(at->y());
    }
    void setWindowCaption(const QString& c) override {
        caption = c;
        journal_ << "caption";
    }
    void setTitleLabels(const QString& text, const QString& colour) override {
        titleText = text;
        titleColour = colour;
        journal_ << "titles";
    }
    void clearHint() override { journal_ << "clear hint"; }
    void setCompanyCaption(const QString& c) override {
        company = c;
        journal_ << "company " + c;
    }
    void focusList() override { journal_ << "focus list"; }
    void activateByCaption() override { journal_ << "activate"; }
    bool isEnabled() const { return enabled_; }

    QString designColour = QStringLiteral("8388608");
    QSize screen{1920, 1080};
    QSize window{800, 600};
    QString caption, titleText, titleColour, company;

  private:
    QStringList& journal_;
    bool enabled_ = true;
};

// A name master in memory and recorded database routines.
class FakeMenuDatabase : public menu::MenuDatabase {
  public:
    explicit FakeMenuDatabase(QStringList& journal) : journal_(journal) {
        menu::setMenuDatabase(this);
    }
    ~FakeMenuDatabase() override { menu::setMenuDatabase(nullptr); }
    void M2000_OPEN_RTN() override { journal_ << "open"; }
    void M2900_CLOSE_RTN() override { journal_ << "close"; }
    void M0030_JISYA_L_SET(menu::MenuWindow& w) override {
        journal_ << "company header";
        w.setCompanyCaption(companyHeader);
    }
    QString P5300_MEISYOU_SELECT1(const QString& id, const QString& kind) override {
        journal_ << "P5300 " + id + " " + kind;
        if (onLookup) onLookup(id, kind);
        auto it = names.find({id, kind});
        ok_ = it != names.end();
        return ok_ ? *it : QStringLiteral("名称名称?");
    }
    bool CommonStatusIsOk() override { return ok_; }
    void M0140_OPT_MENU() override {
        journal_ << "M0140 " + menu::menuEntry(menu::menuTable().LastEntryIndex).Command;
        if (onOptionMenu) onOptionMenu();
    }

    QHash<QPair<QString, QString>, QString> names;
    QString companyHeader = QStringLiteral("自社 ");
    std::function<void(const QString&, const QString&)> onLookup;
    std::function<void()> onOptionMenu;

  private:
    QStringList& journal_;
    bool ok_ = false;
};

// A fresh menu state, fake services, a program folder and fakes for window and database.
class MenuTest : public ::testing::Test {
  protected:
    explicit MenuTest(const QString& folder = QStringLiteral("TAV/SYS/MENU"))
        : pf(folder), window(journal), db(journal) {}
    // Shown boxes, for assertions.
    const std::vector<platform::MessageBoxRequest>& boxes() const { return fake.messageBox.shown; }

    platform::FakeServices fake;
    ProgramFolder pf;
    QStringList journal;
    FakeMenuWindow window;
    FakeMenuDatabase db;
};

}  // namespace tav::test
