#pragma once
// A window made once per run and kept in the program's context. One that has a parent ends with
// its parent; one without ends with the context, before the application object.
#include <QPointer>

#include "platform/context.h"

namespace tav::platform {

template <class Window>
struct RunWindow {
    QPointer<Window> window;
    ~RunWindow() {
        if (window && !window->parent()) delete window.data();
    }
};

// The run's window of this type (null until it is made, and after it was deleted).
template <class Window>
QPointer<Window>& runWindow() {
    return context().get<RunWindow<Window>>().window;
}

}  // namespace tav::platform
