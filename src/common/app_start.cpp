#include "app_start.h"

#include <signal.h>

#include "platform/program_info.h"
#include "system_log.h"

namespace tav::common {

void StartProgram(int argc, char** argv) {
    platform::initProgramInfo(argc, argv);
    // A program that was started by a program that has since gone must not die writing to it.
    ::signal(SIGPIPE, SIG_IGN);
    commonArea().setProgramId(platform::programFileName());
    openSystemLog(platform::programFolder());
}

}  // namespace tav::common
