#pragma once
// Start-up of the menu program: the check of the folder it was started from and of its own file
// name, the command line, the choice of the menu file, and the whole start sequence that the
// main window's load event runs.
#include <QPoint>
#include <QSize>
#include <QString>

namespace tav::menu {

class MenuWindow;

// Folders and run mode from the program folder; the installation copy refuses to run; the
// standard menu file must exist, else the setup prompt. Ends the program on any failure.
void M0005_KIDOU_CHECK();

// Field 1 of the command line (the menu file) and field 2 (the profile, 1 to 8, else 1).
void ReadStartArguments();

// The menu file: the command line's, else the name master's; no database access ends the
// program.
void SelectMenuFile();

// Fields 3 and 4 of the command line: the page and the item shown first.
void ReadStartPosition();

// The local path of a menu file name: a name with a drive ("C:...") or a full path of this
// machine is used as it is, any other name is relative to the program folder.
QString MenuFilePath(const QString& menuFileName);

// Where the window opens: centred in the main system, bottom-right in a test or sub-system.
QPoint StartWindowPosition(const QString& runMode, QSize screen, QSize window);

// The whole start sequence, in its fixed order; every step reports its own failures or ends
// the program itself.
void RunStartSequence(MenuWindow& window);

}  // namespace tav::menu
