#include "desktop.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tav::platform {

QString UserHome() {
    return QDir::homePath();
}

QString UserStateHome() {
    return qEnvironmentVariable("XDG_STATE_HOME");
}

QString EnvironmentSetting(const char* name) {
    return qEnvironmentVariable(name);
}

namespace {

const QScreen* screenOf(const QWidget* window) {
    if (window && window->screen()) return window->screen();
    return QGuiApplication::primaryScreen();
}

}  // namespace

QRect ScreenArea(const QWidget* window) {
    const QScreen* s = screenOf(window);
    return s ? s->geometry() : QRect();
}

QRect AvailableScreenArea(const QWidget* window) {
    const QScreen* s = screenOf(window);
    return s ? s->availableGeometry() : QRect();
}

}  // namespace tav::platform
