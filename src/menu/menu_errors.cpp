#include "menu_errors.h"

#include "platform/services.h"

namespace tav::menu {

using platform::Buttons;
using platform::Icon;

void StopWithUnexpectedError(const QString& place, int number, const QString& description) {
    platform::messageBox(QStringLiteral("予期せぬエラーが発生しました。   ") + place +
                             QStringLiteral("\r\n") + QString::number(number) +
                             QStringLiteral(" : ") + description,
                         {}, Buttons::Ok, Icon::Critical);
    platform::endProgram(platform::ExitStopped);
}

void StopWithUnexpectedError(const QString& place, const std::exception& e) {
    const Failure f = failureOf(e, kOtherErrorNumber);
    StopWithUnexpectedError(place, f.number, f.description);
}

RuntimeError FileAccessError() {
    return RuntimeError(kFileAccessError, err::description(kFileAccessError));
}

void StopWithMessage(const QString& text) {
    platform::messageBox(text, {}, Buttons::Ok, Icon::Critical);
    platform::endProgram(platform::ExitStopped);
}

}  // namespace tav::menu
