#pragma once
// What every program of the suite does first: learn who it is and open the system log.
#include <QString>

namespace tav::common {
void StartProgram(int argc, char** argv);

// Where the system log of a program in the folder goes: the program folder, except for a folder
// under /usr (the package's own), whose programs log to $XDG_STATE_HOME/tav, else
// ~/.local/state/tav.
QString SystemLogFolder(const QString& programFolder, const QString& home,
                        const QString& xdgStateHome);
// The same for this program, its user and desktop.
QString SystemLogFolder();
}
