#pragma once
// What the program asks of the desktop it runs on: its user's folders, the settings given in its
// environment, and the screen a window lies on. Another desktop replaces desktop.cpp alone.
#include <QRect>
#include <QString>

class QWidget;

namespace tav::platform {

// The user's home folder and the base of the user's state files ("" when the desktop names
// none; the caller falls back to the home folder's).
QString UserHome();
QString UserStateHome();

// A setting the program's environment gives by name; "" when not set.
QString EnvironmentSetting(const char* name);

// The whole and the free area (without panels) of the screen the window lies on, or of the
// main screen when the window is on none yet (null rectangles when the desktop has no screen).
QRect ScreenArea(const QWidget* window = nullptr);
QRect AvailableScreenArea(const QWidget* window = nullptr);

}  // namespace tav::platform
