#include "menu_context.h"

#include <stdexcept>

#include "platform/context.h"

namespace tav::menu {

MenuContext& menuContext() {
    return tav::context().get<MenuContext>();
}

MenuEntry& MenuEntryTable::at(int index) {
    if (index < 0 || index >= kMenuTableSize) throw std::out_of_range("menu table index");
    if (index >= static_cast<int>(entries_.size())) entries_.resize(static_cast<size_t>(index) + 1);
    return entries_[static_cast<size_t>(index)];
}

const MenuEntry& MenuEntryTable::at(int index) const {
    if (index < 0 || index >= kMenuTableSize) throw std::out_of_range("menu table index");
    static const MenuEntry empty;
    return index < static_cast<int>(entries_.size()) ? entries_[static_cast<size_t>(index)] : empty;
}

MenuTable& menuTable() {
    return tav::context().get<MenuTable>();
}

void resetMenuState() {
    menuContext() = MenuContext{};
    menuTable().MenuEntries.clear();
    menuTable().LastEntryIndex = -1;
}

int FunctionButtonSlot(const MenuEntry& entry) {
    if (entry.Kind != EntryKind::Button || entry.ButtonNumber < 1 || entry.ButtonNumber > 12) return -1;
    return entry.ButtonNumber - 1;
}

bool VisibleForProfile(const MenuEntry& entry, int profileNumber) {
    if (profileNumber < 1 || profileNumber > 8) profileNumber = 1;
    return entry.ProfileFlags[static_cast<size_t>(profileNumber - 1)] == QStringLiteral("1");
}

}  // namespace tav::menu
