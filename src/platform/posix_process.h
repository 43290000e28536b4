#pragma once
// Starting processes on this machine: posix_spawn (never a shell), a query handle that reaps its
// child through the one reaper (child_reaper.h), so that no zombie remains.
#include <QString>
#include <QStringList>

#include "services.h"

namespace tav::platform {

// Spawns program with arguments (argv[0] is the program as given) in workingFolder (empty: the
// current one). Returns null and sets errno when the program could not be executed.
ProcessHandlePtr spawnProcess(const QString& program, const QStringList& arguments,
                              const QString& workingFolder = {});

// What a Windows command line asks of this desktop: "explorer /e,/root,F" and "explorer /root,F"
// open the folder in the file manager (without a folder: the user's home folder, Explorer's
// default view), "notepad F" opens the file in the text editor ($TAV_TEXT_EDITOR, a name found on
// PATH or a full path; xdg-open when unset). Returns false when the command line is not one of
// those.
bool mapDesktopCommand(const QString& program, const QStringList& arguments, QString* mappedProgram,
                       QStringList* mappedArguments);

class PosixProcessService : public ProcessService {
  public:
    ProcessHandlePtr startCommandLine(const QString& commandLine) override;
    ProcessHandlePtr openDocument(const QString& path, const QString& parameters,
                                  const QString& workingFolder) override;
};

}  // namespace tav::platform
