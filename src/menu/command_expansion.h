#pragma once
// The "%" tokens at the start of a menu entry's command, replaced while the menu file is read.
#include <QString>

namespace tav::menu {

// Expands the command of the entry at LastEntryIndex; "%OPT_MENU" appends option entries.
// A failure shows its box and ends the program.
void M0130_MDAT_PARAM_CNV();

// The command for "%PARAM02": the file manager on the backup folder named in the name master.
QString M0130_PARAM02();

}  // namespace tav::menu
