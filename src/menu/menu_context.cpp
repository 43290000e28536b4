#include "menu_context.h"

#include "platform/context.h"

namespace tav::menu {

MenuContext& menuContext() {
    return tav::context().get<MenuContext>();
}

MenuTable& menuTable() {
    return tav::context().get<MenuTable>();
}

void resetMenuState() {
    menuContext() = MenuContext{};
    for (MenuEntry& e : menuTable().MenuEntries) e = MenuEntry{};
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
