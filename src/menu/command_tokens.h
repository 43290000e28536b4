#pragma once
// The "%" tokens a menu entry's command may start with. A token is recognised by comparing the
// command's first characters over the token's length; its argument, for the tokens that take
// one, is the rest of the command from a fixed position (1-based, as Mid counts).
#include <QString>
#include <array>

#include "platform/text.h"

namespace tav::menu {

struct CommandToken {
    const char* text;
    int argumentFrom;  // where the argument starts; 0 when the token takes none
};

namespace token {
inline constexpr CommandToken Param01{"%PARAM01", 10};    // Explorer on a folder of the program folder
inline constexpr CommandToken Param02{"%PARAM02", 0};     // the backup folder (whole command)
inline constexpr CommandToken Param03{"%PARAM03", 10};    // Explorer on a folder as given
inline constexpr CommandToken P04Notepad{"%P04_notepad", 13};  // Notepad on a file as given
inline constexpr CommandToken P05Notepad{"%P05_notepad", 14};  // Notepad on a file of the program folder
inline constexpr CommandToken P06Test{"%P06_TST", 0};     // this menu of the test installation
inline constexpr CommandToken P06Sub{"%P06_SUB", 0};      // this menu of the sub-system installation
inline constexpr CommandToken P06Main{"%P06_MAIN", 0};    // this menu of the main installation
inline constexpr CommandToken OptionMenu{"%OPT_MENU", 0}; // an option menu from the name master
inline constexpr CommandToken P07Xls{"%P07_XLS", 10};     // a workbook of the program folder
inline constexpr std::array<CommandToken, 10> All{Param01, Param02,  Param03, P04Notepad, P05Notepad,
                                                  P06Test, P06Sub,   P06Main, OptionMenu, P07Xls};
}  // namespace token

inline bool StartsWithToken(const QString& command, const CommandToken& t) {
    return command.startsWith(QLatin1StringView(t.text));
}
inline QString TokenArgument(const QString& command, const CommandToken& t) {
    return text::Mid(command, t.argumentFrom);
}

}  // namespace tav::menu
