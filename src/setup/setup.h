#pragma once
// The setup module: what the setup window's events do. The program shows the readme, takes the
// user's agreement, starts the installation archive of its own folder through the common
// launcher, waits until it has ended and says so. It creates no file of its own.
#include <QString>
#include <optional>

namespace tav::setup {

class TAV_set_Form;

// "TAV_App" + ".TAV", the self-extracting archive in the program folder.
QString ArchiveFileName();
// "TAV_お読み下さい.TXT", the readme in the program folder.
QString ReadmeFileName();

// Why a readme could not be read.
enum class ReadmeFailure { None, Missing, Unreadable };

// The readme as the box shows it: every line (line end removed) followed by CR LF; empty lines
// are kept. CP932, or UTF-8 when the file is UTF-8. nullopt when it cannot be read.
std::optional<QString> ReadReadme(const QString& path, ReadmeFailure* failure = nullptr);

// The window's load: archive name, setup folder, readme. A readme that cannot be read ends the
// program (status 1) with a box naming the file.
void InitSetupWindow(TAV_set_Form& form);

// "終了（中断）します": Yes ends the program (status 0), No leaves everything as it was.
void ConfirmAbort();

// Shows the instructions for the archive's own dialog, starts the archive relative to the
// program folder and waits for it with the window disabled, then "セットアップ完了" and the end
// (status 0).
void RunSetup(TAV_set_Form& form);

// The whole program after start-up: loads the window, shows it and runs its events.
int RunSetupProgram();

}  // namespace tav::setup
