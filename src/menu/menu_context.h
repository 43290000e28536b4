#pragma once
// The menu program's module-wide state: the context of the run (folders, run mode, captions,
// command-line values) and the menu table read from the menu definition file.
#include <QString>
#include <array>
#include <vector>

#include "common/launcher.h"

namespace tav::menu {

struct MenuContext {
    QString BaseFolder;
    QString SystemFolderName;
    QString ProgramFolderName;
    QString RunMode;  // "T" test, "S" sub-system, "M" main
    QString SystemName;
    QString VersionText;
    QString TitleText;
    QString TitleColour;  // decimal text of a 24-bit colour, red in the low byte
    QString MenuFileName;
    QString MenuFileArgument;
    qint16 ProfileNumber = 1;  // 1 to 8
    qint16 StartPage = 1;
    qint16 StartItem = 1;
    QString TimerStartFlag;
};

// One record of the menu table. The launch fields come first: entry 0 is the launch request of
// the common launcher.
// The kinds of menu entries, as the menu file's record kind column gives them.
namespace EntryKind {
constexpr qint16 Page = 10;
constexpr qint16 ListItem = 20;
constexpr qint16 Button = 30;  // a function button F1 to F12
}  // namespace EntryKind

struct MenuEntry : common::LaunchRequest {
    qint16 Kind = 0;  // an EntryKind, or another number the file held
    qint16 ListGroup = 0;
    qint16 ButtonGroup = 0;
    qint16 ButtonNumber = 0;  // 1 to 12 for a function button
    QString Caption;
    std::array<QString, 8> ProfileFlags;  // ProfileFlags[0] is the flag of profile 1
    QString Description;
};

constexpr int kMenuTableSize = 1000;
constexpr int kLastMenuIndex = kMenuTableSize - 1;

// Entries 0 to kLastMenuIndex, each empty until it is first written. The room for all of them is
// set aside at once, so an entry stays where it is however many come after it, but an entry is
// only made when it is used: a start does not build and clear a thousand of them.
class MenuEntryTable {
  public:
    MenuEntryTable() { entries_.reserve(kMenuTableSize); }
    MenuEntryTable(const MenuEntryTable& other) : MenuEntryTable() { entries_ = other.entries_; }
    MenuEntryTable& operator=(const MenuEntryTable&) = default;  // keeps this table's room
    // std::out_of_range outside 0 to kLastMenuIndex.
    MenuEntry& at(int index);
    const MenuEntry& at(int index) const;
    MenuEntry& operator[](int index) { return at(index); }
    const MenuEntry& operator[](int index) const { return at(index); }
    // Every entry empty again.
    void clear() { entries_.clear(); }

  private:
    std::vector<MenuEntry> entries_;
};

struct MenuTable {
    MenuEntryTable MenuEntries;
    qint16 LastEntryIndex = -1;
};

MenuContext& menuContext();
MenuTable& menuTable();
inline MenuEntry& menuEntry(int index) {
    return menuTable().MenuEntries.at(index);
}

// Back to the state at program start (tests and the benchmark start each run afresh).
void resetMenuState();

// The function key (0 for F1 .. 11 for F12) that shows a function-button entry; -1 for an entry
// that is no function button or names a key that does not exist. Such entries stay in the table
// and are never shown.
int FunctionButtonSlot(const MenuEntry& entry);

// Whether the entry is visible for the profile (1 to 8; any other profile counts as 1).
bool VisibleForProfile(const MenuEntry& entry, int profileNumber);

}  // namespace tav::menu
