#pragma once
// The services that reach outside the program: message boxes, the end of the program, the clock,
// starting processes and the wait loop. Business code calls the free functions at the bottom;
// tests install recording fakes (tests/support/fake_services.h) in place of the Qt/POSIX implementations.
#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>

namespace tav::platform {

// ---- message boxes -------------------------------------------------------------------------
enum class Buttons { Ok, OkCancel, YesNo };
enum class Icon { None, Critical, Exclamation, Information };
enum class Answer { Ok, Cancel, Yes, No };
enum class DefaultButton { First, Second };

struct MessageBoxRequest {
    QString text;
    QString title;  // already resolved: an empty title has become the program's title
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    DefaultButton defaultButton = DefaultButton::First;
    bool systemModal = false;
};

class MessageBoxService {
  public:
    virtual ~MessageBoxService() = default;
    virtual Answer show(const MessageBoxRequest& request) = 0;
};

// ---- end of the program ----------------------------------------------------------------------
// Exit statuses: 0 an end the user chose, 1 a stop with a message, 2 an abnormal end.
enum ExitStatus : int { ExitUser = 0, ExitStopped = 1, ExitAbnormal = 2 };

// Thrown by the fake end of program so that a test sees the end without the process ending.
// Not a std::exception: routine boundaries that catch run-time errors let it pass.
struct ProgramExit {
    int status;
};

class ProgramEndService {
  public:
    virtual ~ProgramEndService() = default;
    // Ends the process at once. A fake records the status and returns; endProgram() then
    // throws ProgramExit.
    virtual void end(int status) = 0;
};

// ---- clock -----------------------------------------------------------------------------------
class ClockService {
  public:
    virtual ~ClockService() = default;
    virtual QDateTime now() = 0;
};

// ---- processes -------------------------------------------------------------------------------
constexpr int kStillActive = 259;

class ProcessHandle {
  public:
    virtual ~ProcessHandle() = default;
    // The exit code once the process has ended, kStillActive (259) while it runs.
    virtual int exitCode() = 0;
    virtual qint64 pid() const = 0;
};
using ProcessHandlePtr = std::shared_ptr<ProcessHandle>;

class ProcessService {
  public:
    virtual ~ProcessService() = default;
    // Starts a command line split the Windows way, never through a shell, in a normal window.
    // Throws RuntimeError 53 when the program cannot be found. The process is reaped whether
    // or not the caller keeps the handle.
    virtual ProcessHandlePtr startCommandLine(const QString& commandLine) = 0;
    // Opens a file with the desktop's default application in the given working folder.
    // Returns null when it could not be started.
    virtual ProcessHandlePtr openDocument(const QString& path, const QString& parameters,
                                          const QString& workingFolder) = 0;
};

// ---- the wait loop ---------------------------------------------------------------------------
class EventPump {
  public:
    virtual ~EventPump() = default;
    virtual void processEvents() = 0;
    virtual void sleepMs(int ms) = 0;
};

// ---- the installed services ------------------------------------------------------------------
struct Services {
    MessageBoxService* messageBox;
    ProgramEndService* programEnd;
    ClockService* clock;
    ProcessService* processes;
    EventPump* events;
};

// The services in force; the Qt/POSIX implementations unless a test installed others.
Services& services();
Services realServices();

// Work that must run before the process ends (the system log flushes itself here).
void addBeforeEndHook(std::function<void()> hook);
void runBeforeEndHooks();

// ---- what business code calls ----------------------------------------------------------------
Answer messageBox(const QString& text, const QString& title = {}, Buttons buttons = Buttons::Ok,
                  Icon icon = Icon::None, DefaultButton defaultButton = DefaultButton::First,
                  bool systemModal = false);

[[noreturn]] void endProgram(int status);

QDateTime now();

// Polls every 10 ms, letting queued events run, until the process has ended; returns its exit code.
int waitForProcess(ProcessHandle& process);

}  // namespace tav::platform
