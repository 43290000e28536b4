#pragma once
// The check of a menu definition file for tav-check-menu: every problem that makes the menu stop,
// lose records or show something other than the file seems to say, with its line (and column).
// The check reads the file the way the menu does and changes nothing of the menu's reading.
#include <QByteArray>
#include <QString>
#include <vector>

namespace tav::menu {

struct MenuProblem {
    bool error = false;  // false: a warning
    int line = 0;        // physical line, from 1
    int column = 0;      // 0 when the problem has no column
    QString text;
};

// `folder` is the program folder the entries' relative programs are looked for in.
std::vector<MenuProblem> CheckMenuFile(const QByteArray& bytes, const QString& folder);

}  // namespace tav::menu
