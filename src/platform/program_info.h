#pragma once
// Who the running program is: its folder (the real path of the executable's folder, platform
// separator, no trailing separator), its file name without extension, and its title.
#include <QString>

namespace tav::platform {

QString programFolder();
QString programFileName();  // without extension, e.g. "TAV_menu1"
QString programTitle();     // the title of message boxes that have none of their own
QString commandLine();      // the program's arguments joined by one blank

// Set once at program start (apps) or by tests.
void setProgramFolder(const QString& folder);
void setProgramFileName(const QString& name);
void setProgramTitle(const QString& title);
void setCommandLine(const QString& line);
// Takes folder, file name, title and command line from the process itself.
void initProgramInfo(int argc, char** argv);

}  // namespace tav::platform
