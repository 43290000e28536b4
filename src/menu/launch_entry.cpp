#include "launch_entry.h"

#include "common/launcher.h"
#include "end_of_business.h"
#include "menu_context.h"
#include "menu_database.h"
#include "menu_window.h"
#include "platform/runtime_error.h"
#include "platform/text.h"

namespace tav::menu {

using platform::Buttons;
using platform::Icon;
using text::Left;
using text::Mid;
using text::Trim;

int OpenWithShell(MenuWindow& window, const QString& filePath, const QString& parameters,
                  platform::ProcessHandlePtr& handle) {
    const QString arguments = parameters.isEmpty() ? QString() : Trim(parameters);
    return common::OpenDocument(window, filePath, handle, arguments);
}

void LaunchMenuEntry(MenuWindow& window, int entryIndex) {
    QString prefix;
    QString command;
    bool disabled = false;
    try {
        if (entryIndex < 0 || entryIndex > kLastMenuIndex) err::raise(err::OutOfRange);
        const MenuEntry& entry = menuEntry(entryIndex);
        command = entry.Command;
        const QString& mode = entry.LaunchMode;
        auto is = [&](const char* m) { return mode == QLatin1String(m); };

        window.focusList();
        prefix = common::LaunchFolderPrefix(entry.RelativeFlag);
        auto* processes = platform::services().processes;
        platform::ProcessHandlePtr handle;
        if (common::IsExplorerCommand(command)) {
            handle = processes->startCommandLine(common::ExplorerCommandLine(prefix, command));
        } else if (is("0") || is("7")) {
            processes->startCommandLine(prefix + command);
        } else if (is("1") || is("8")) {
            platform::ProcessHandlePtr opened;
            OpenWithShell(window, prefix + command, entry.Parameters, opened);
        } else if (is("2")) {
            handle = processes->startCommandLine(prefix + command);
        } else if (is("3")) {
            if (OpenWithShell(window, prefix + command, entry.Parameters, handle) == 0) return;
        } else if (is("5") || is("6")) {
            const QString line =
                prefix + Left(command, 12) + QStringLiteral(" E000000000") + Mid(command, 14);
            if (is("5"))
                handle = processes->startCommandLine(line);
            else
                processes->startCommandLine(line);
        }

        if ((is("3") || is("2") || is("5")) && handle) {
            window.setHourglass(true);
            window.setOwnerEnabled(false);
            disabled = true;
            platform::waitForProcess(*handle);
            handle.reset();
            window.bringToFront();
            window.setOwnerEnabled(true);
            disabled = false;
            window.setHourglass(false);
            window.activateByCaption();
            platform::services().events->processEvents();
            // The program may have changed the company information.
            MenuDatabase& db = menuDatabase();
            db.M2000_OPEN_RTN();
            db.M0030_JISYA_L_SET(window);
            db.M2900_CLOSE_RTN();
        }
        if (is("8") || is("7")) ConfirmEndOfBusiness(window);
    } catch (const std::exception& e) {
        if (disabled) {
            window.setOwnerEnabled(true);
            window.setHourglass(false);
        }
        const auto [number, description] = failureOf(e, 0);
        const QString what = prefix + Trim(command);
        if (number == err::FileNotFound || number == err::BadFileName) {
            platform::messageBox(
                what + QStringLiteral("\r\n") + QStringLiteral("が見つかりません。"), {},
                Buttons::Ok, Icon::Critical);
        } else {
            platform::messageBox(description + QStringLiteral("\r\n") + what +
                                     QStringLiteral("\r\n") + QStringLiteral("が起動できません。"),
                                 {}, Buttons::Ok, Icon::Critical);
        }
    }
}

}  // namespace tav::menu
