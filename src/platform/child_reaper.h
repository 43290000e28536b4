#pragma once
// The one reaper of the processes this program starts. Every child is entered in a table; the
// SIGCHLD handler reaps each entered child that has ended (waitpid is async-signal-safe) and keeps
// its status until the handle reads it, so a child nobody waits for leaves no zombie and a child
// somebody waits for never loses its exit code. Only entered children are waited for: a child
// started by another part of the program (a library's) is left to its owner.
#include <sys/types.h>

#include <optional>

namespace tav::platform {

// Enters a child just spawned; false when the table is full (the caller refuses to start more).
// Call it before the child can have been reaped by anybody: right after the spawn.
bool enterChild(pid_t pid);

// The child's wait status once it has ended, nullopt while it runs. After an ended status was
// read the child is gone from the table, and asking again is a fault of the caller.
std::optional<int> childStatus(pid_t pid);

// Nobody will ask for this child's status: it is reaped (now or when it ends) and forgotten.
void abandonChild(pid_t pid);

// Whether childStatus found the child gone: another part of the program reaped it, and its
// exit code is not known.
bool isLostStatus(int status);

// The exit code of a wait status: the exit status, or 128 + the signal that ended the child.
int exitCodeOfStatus(int status);

}  // namespace tav::platform
