#pragma once
// The end of the business day: one confirmation, from the end button, Esc and launch modes
// "7" and "8". OK ends the program at once.
namespace tav::menu {

class MenuWindow;

// Returns only when the user cancels.
void ConfirmEndOfBusiness(MenuWindow& window);

}  // namespace tav::menu
