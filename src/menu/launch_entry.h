#pragma once
// Starting a menu entry: a program, a document, a folder or a script, by its launch mode, with
// the wait and the refresh of the company header after a waited-for program.
#include <QString>

#include "platform/services.h"

namespace tav::menu {

class MenuWindow;

// Starts the entry of the menu table at the index. Reports its own failures and returns.
void LaunchMenuEntry(MenuWindow& window, int entryIndex);

// Opens the file with its application in the file's folder; 1 and the process handle on
// success, 0 after the "起動失敗" box. A path without a folder is a run-time error.
int OpenWithShell(MenuWindow& window, const QString& filePath, const QString& parameters,
                  platform::ProcessHandlePtr& handle);

}  // namespace tav::menu
