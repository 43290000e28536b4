#include "end_of_business.h"

#include "menu_context.h"
#include "platform/services.h"

namespace tav::menu {

void ConfirmEndOfBusiness(MenuWindow& /*window*/) {
    const platform::Answer answer = platform::messageBox(
        menuContext().TitleText + QStringLiteral("\r\n") + QStringLiteral("を終了します。") +
            QStringLiteral("\r\n\r\n") + QStringLiteral("（バックアップ処理を行なってください。）"),
        QStringLiteral("業務終了確認"), platform::Buttons::OkCancel, platform::Icon::Information);
    if (answer == platform::Answer::Ok) platform::endProgram(platform::ExitUser);
}

}  // namespace tav::menu
