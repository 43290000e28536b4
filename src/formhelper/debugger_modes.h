#pragma once
// The debugger's display modes: each repaints the controls of the debugged form (the helper
// context's active form) to show one aspect of the item definitions; the saved states put the
// form back as it was. A form with fewer than two controls is left as it is by every mode.
#include <QString>
#include <optional>

#include "form.h"

namespace tav::formhelper {

constexpr Colour kHighlightColour = 12632319;  // mismatches and tags: pale red
constexpr Colour kCodeColour = 16744576;       // items with a code ID: light blue

// The back colour of a group character "0" to "9"; nullopt for any other character.
std::optional<Colour> groupColour(QChar group);

void SaveControlStates();
void RestoreControlStates();
void ShowTags();       // "TAG表示"
void ShowTypeCodes();  // "ﾀｲﾌﾟﾁｪｯｸ"
void ShowGroups();     // "ｸﾞﾙｰﾌﾟ表示"
void ShowCodeIds();    // "ｺｰﾄﾞﾁｪｯｸ"

// The attribute display "属性表示": every item control of the current form entry shows the
// widest sample its input type and length allow, formatted as it would be shown.
void AttributeSampleFill();
// The sample text of an input type, before it is cut to the item's width.
QString sampleText(const QString& inputType);

}  // namespace tav::formhelper
