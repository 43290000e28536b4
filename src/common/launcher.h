#pragma once
// The common launcher: starts what a launch request names (a program, a document opened with its
// application, a folder in the file manager, a framework program) by a one-character launch
// mode, and for modes "2" and "3" waits until the started process ends. The menu and the setup
// program use the same launcher; the owner form is given as a small interface.
#include <QString>

#include "platform/services.h"

class QWidget;

namespace tav::common {

// The part of a menu entry that the launcher reads. The menu's entry 0 is the launch request.
struct LaunchRequest {
    QString LaunchMode;    // "0", "1", "2", "3", "5", "6"; anything else starts nothing
    QString RelativeFlag;  // "0": the command as written; else relative to the program folder
    QString Command;
    QString Parameters;  // handed to a document opened by modes "1" and "3"
};

// The owner form: disabled while the launcher waits, and the owner window of opened documents.
class LaunchOwner {
  public:
    virtual ~LaunchOwner() = default;
    virtual void setOwnerEnabled(bool enabled) = 0;
    // The screen's mouse pointer: the hourglass while waiting, the default after.
    virtual void setHourglass(bool on) = 0;
    // Raises the window in front of the others and activates it.
    virtual void bringToFront() = 0;
};

// The owner form of a Qt window; a null widget gives an owner that does nothing.
class WidgetLaunchOwner : public LaunchOwner {
  public:
    explicit WidgetLaunchOwner(QWidget* widget) : widget_(widget) {}
    void setOwnerEnabled(bool enabled) override;
    void setHourglass(bool on) override;
    void bringToFront() override;

  private:
    QWidget* widget_;
    bool hourglass_ = false;
};

// The folder prefix: empty when the flag is "0", else the program folder and a separator.
QString LaunchFolderPrefix(const QString& relativeFlag);

// Whether a command names a folder for the file manager, and the command line that opens it:
// "EXPLORER <folder>" (with the folder tree) and "WINDOW <folder>" (without), any case.
bool IsExplorerCommand(const QString& command);
QString ExplorerCommandLine(const QString& prefix, const QString& command);

// Opens the file with the desktop's default application, the working folder being the file's
// folder. Returns 1 and the process handle, or 0 after the "起動失敗" box. A path without any
// folder separator is a run-time error (number 5) for the caller to handle.
int OpenDocument(LaunchOwner& owner, const QString& path, platform::ProcessHandlePtr& handle,
                 const QString& parameters);

// The wait of modes "2" and "3": hourglass, owner disabled, poll every 10 ms letting events run
// until the exit code is no longer "still active"; then the owner enabled and the pointer
// restored. Returns the exit code.
int WaitForLaunched(LaunchOwner& owner, platform::ProcessHandle& process);

// Starts the launch request. Failures show their box and the launcher returns; mode "6" ends
// the program after closing the system log.
void Launch(LaunchOwner& owner, const LaunchRequest& request);

// The box of a failed start: "<what>\r\nが見つかりません。" for numbers 52 and 53, the error's
// description otherwise.
void ShowLaunchFailure(int number, const QString& description, const QString& what);

}  // namespace tav::common
