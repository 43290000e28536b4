#pragma once
// What the menu's routines need of the main window. The window implements it; tests fake it, so
// that every routine runs without a display.
#include <QSize>
#include <QString>

#include "common/launcher.h"
#include "common/window_placement.h"

namespace tav::menu {

class MenuWindow : public common::LaunchOwner {
  public:
    // ---- start sequence ----
    // The custom pointer (the picture of imgSelIco) on the twelve function buttons and the end
    // button.
    virtual void setButtonPointers() = 0;
    // The design fore colour of the front title label, as the decimal text of its colour value.
    virtual QString designTitleColour() = 0;
    // Fills the page list and selects StartPage and StartItem of the menu context.
    virtual void fillPageList() = 0;
    virtual void armTimer(int intervalMs) = 0;
    // Places the window by its frame: the rule gets the screen's and the frame's size and
    // answers the frame's top-left corner.
    virtual void placeWindow(const common::FramePlacement& rule) = 0;
    virtual void setWindowCaption(const QString& caption) = 0;
    // Both title labels get the text; the front label gets the colour (decimal text).
    virtual void setTitleLabels(const QString& text, const QString& colour) = 0;
    virtual void clearHint() = 0;

    // ---- company label JISYA(0) ----
    virtual void setCompanyCaption(const QString& caption) = 0;

    // ---- launching ----
    virtual void focusList() = 0;
    // Activates the window by its caption, after a waited-for program has ended.
    virtual void activateByCaption() = 0;
};

}  // namespace tav::menu
