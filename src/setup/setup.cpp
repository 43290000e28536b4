#include "setup.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "common/launcher.h"
#include "common/text_fit.h"
#include "platform/paths.h"
#include "platform/program_info.h"
#include "platform/services.h"
#include "platform/textfile.h"
#include "setup_form.h"

namespace tav::setup {

using namespace tav::platform;

QString ArchiveFileName() {
    return QStringLiteral("TAV_App") + QStringLiteral(".TAV");
}

QString ReadmeFileName() {
    return QStringLiteral("TAV_お読み下さい.TXT");
}

std::optional<QString> ReadReadme(const QString& path, ReadmeFailure* failure) {
    auto fail = [failure](ReadmeFailure why) -> std::optional<QString> {
        if (failure) *failure = why;
        return std::nullopt;
    };
    if (failure) *failure = ReadmeFailure::None;
    QFileInfo info(path);
    if (!info.exists()) return fail(ReadmeFailure::Missing);
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) return fail(ReadmeFailure::Unreadable);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return fail(ReadmeFailure::Unreadable);
    QString text;
    for (const QString& line : splitLines(decodeText(bytes))) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    return text;
}

void InitSetupWindow(TAV_set_Form& form) {
    const QString folder = programFolder();
    form.Lbl_A_FILE->setText(ArchiveFileName());
    form.Lbl_SETUP_DIR->setText(folder + kSeparator + QStringLiteral("App") + kSeparator);
    common::FitLabel(form.Lbl_A_FILE);
    common::FitLabel(form.Lbl_SETUP_DIR);

    const QString readmePath = folder + kSeparator + ReadmeFileName();
    form.Txt_readme->clear();
    ReadmeFailure why = ReadmeFailure::None;
    std::optional<QString> readme = ReadReadme(readmePath, &why);
    if (!readme) {
        // Without its readme the window has nothing to agree to: say which file is wanted and
        // stop before anything is started.
        const QString reason = why == ReadmeFailure::Missing ? QStringLiteral("が見つかりません。")
                                                             : QStringLiteral("を読み込めません。");
        messageBox(readmePath + QStringLiteral("\r\n") + reason + QStringLiteral("\r\n") +
                       QStringLiteral("セットアップを終了します。"),
                   QStringLiteral("起動エラー"), Buttons::Ok, Icon::Critical);
        endProgram(ExitStopped);
    }
    TAV_set_Form::setBoxText(form.Txt_readme, *readme);

    form.Cmd_SETUP->setEnabled(false);
    form.Txt_HOSOKU->setVisible(false);
    form.Cmd_DOOI_OK->setFocus();
}

void ConfirmAbort() {
    Answer a = messageBox(QStringLiteral("終了（中断）します"), QStringLiteral("中断確認"),
                          Buttons::YesNo, Icon::None, DefaultButton::First);
    if (a == Answer::Yes) endProgram(ExitUser);
}

void RunSetup(TAV_set_Form& form) {
    form.Txt_HOSOKU->setVisible(true);
    // Start the archive of the program folder and wait for it; the launcher disables the window
    // meanwhile and reports a start that fails with its own box.
    common::LaunchRequest request;
    request.LaunchMode = QStringLiteral("2");
    request.RelativeFlag = QStringLiteral("1");
    request.Command = form.Lbl_A_FILE->text();
    common::WidgetLaunchOwner owner(&form);
    common::Launch(owner, request);
    // Whatever the archive did, its end is the end of the setup.
    messageBox(QStringLiteral("セットアップ完了"), QStringLiteral("終了確認"), Buttons::Ok,
               Icon::None);
    endProgram(ExitUser);
}

int RunSetupProgram() {
    TAV_set_Form form;
    form.Form_Load();
    form.show();
    form.Cmd_DOOI_OK->setFocus();
    return QApplication::exec();
}

}  // namespace tav::setup
