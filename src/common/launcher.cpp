#include "launcher.h"

#include <QApplication>
#include <QGuiApplication>
#include <QWidget>
#include <algorithm>

#include "platform/paths.h"
#include "platform/program_info.h"
#include "platform/runtime_error.h"
#include "platform/text.h"
#include "program_start.h"
#include "system_log.h"

namespace tav::common {

using platform::Buttons;
using platform::Icon;
using text::Left;
using text::Mid;
using text::Trim;

void WidgetLaunchOwner::setOwnerEnabled(bool enabled) {
    if (widget_) widget_->setEnabled(enabled);
}

void WidgetLaunchOwner::setHourglass(bool on) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    if (on && !hourglass_) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    if (!on && hourglass_) QGuiApplication::restoreOverrideCursor();
    hourglass_ = on;
}

void WidgetLaunchOwner::bringToFront() {
    if (!widget_) return;
    widget_->show();
    widget_->raise();
    widget_->activateWindow();
}

QString LaunchFolderPrefix(const QString& relativeFlag) {
    if (relativeFlag == QStringLiteral("0")) return {};
    return platform::programFolder() + platform::kSeparator;
}

bool IsExplorerCommand(const QString& command) {
    return Left(command, 8).toUpper() == QStringLiteral("EXPLORER") ||
           Left(command, 6).toUpper() == QStringLiteral("WINDOW");
}

QString ExplorerCommandLine(const QString& prefix, const QString& command) {
    if (Left(command, 8).toUpper() == QStringLiteral("EXPLORER"))
        return QStringLiteral("explorer /e,/root,") + prefix + Trim(Mid(command, 10));
    return QStringLiteral("explorer /root,") + prefix + Trim(Mid(command, 8));
}

int OpenDocument(LaunchOwner& /*owner*/, const QString& path, platform::ProcessHandlePtr& handle,
                 const QString& parameters) {
    const QString file = Trim(path);
    // The folder is what precedes the last separator; a Windows-form path uses "\".
    const qsizetype cut = std::max(file.lastIndexOf(u'\\'), file.lastIndexOf(platform::kSeparator));
    if (cut < 0) err::raise(err::InvalidCall);
    const QString folder = file.left(cut);
    handle = platform::services().processes->openDocument(file, parameters, folder);
    if (!handle) {
        platform::messageBox(file + QStringLiteral("\r\n起動失敗"));
        return 0;
    }
    return 1;
}

int WaitForLaunched(LaunchOwner& owner, platform::ProcessHandle& process) {
    owner.setHourglass(true);
    owner.setOwnerEnabled(false);
    int code = platform::waitForProcess(process);
    owner.setOwnerEnabled(true);
    owner.setHourglass(false);
    return code;
}

void ShowLaunchFailure(int number, const QString& description, const QString& what) {
    if (number == err::FileNotFound || number == err::BadFileName) {
        platform::messageBox(what + QStringLiteral("\r\nが見つかりません。"), {}, Buttons::Ok,
                             Icon::Critical);
    } else {
        platform::messageBox(description, {}, Buttons::Ok, Icon::Critical);
    }
}

void Launch(LaunchOwner& owner, const LaunchRequest& request) {
    const QString& mode = request.LaunchMode;
    QString prefix;
    try {
        prefix = LaunchFolderPrefix(request.RelativeFlag);
        platform::ProcessHandlePtr handle;
        auto* processes = platform::services().processes;
        if (IsExplorerCommand(request.Command)) {
            handle = processes->startCommandLine(ExplorerCommandLine(prefix, request.Command));
        } else if (mode == QStringLiteral("0") || mode == QStringLiteral("2")) {
            handle = processes->startCommandLine(prefix + request.Command);
        } else if (mode == QStringLiteral("1")) {
            platform::ProcessHandlePtr opened;
            OpenDocument(owner, prefix + request.Command, opened, request.Parameters);
            // Nobody waits for it; the handle is let go at once.
        } else if (mode == QStringLiteral("3")) {
            if (OpenDocument(owner, prefix + request.Command, handle, request.Parameters) == 0)
                return;
        } else if (mode == QStringLiteral("5") || mode == QStringLiteral("6")) {
            StartFrameworkProgram(nullptr, Left(request.Command, 8),
                                  Trim(Mid(request.Command, 14)));
            if (mode == QStringLiteral("6")) {
                EndOfLog();
                platform::endProgram(platform::ExitUser);
            }
            return;
        } else {
            return;
        }
        if ((mode == QStringLiteral("2") || mode == QStringLiteral("3")) && handle)
            WaitForLaunched(owner, *handle);
    } catch (const RuntimeError& e) {
        owner.setOwnerEnabled(true);
        owner.setHourglass(false);
        ShowLaunchFailure(e.number(), e.description(), prefix + Trim(request.Command));
    } catch (const std::exception& e) {
        owner.setOwnerEnabled(true);
        owner.setHourglass(false);
        ShowLaunchFailure(0, QString::fromLocal8Bit(e.what()), prefix + Trim(request.Command));
    }
}

}  // namespace tav::common
