#pragma once
// The option menu: function buttons of a name-master class, appended behind a "%OPT_MENU" entry
// while the menu file is read.
#include <QString>

namespace tav::menu {

// The statement for class K; a double quote in K is doubled, so the value stays one literal.
QString OptionMenuStatement(const QString& nameKind);

// Appends up to ten option entries behind the entry at LastEntryIndex. A failure shows its box
// and ends the program.
void M0140_OPT_MENU();

}  // namespace tav::menu
