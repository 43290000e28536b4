#pragma once
// Typed access to the item controls of a screen: values move between the stored (raw) form kept
// in the control's tag and the displayed (formatted) form, by the item's format ID.
#include <QString>

#include "form.h"

namespace tav::formhelper {

// Puts a stored value into an item control of any supported kind.
void SetItemValue(Form& form, int controlIndex, const QString& value);
// The user leaves an item: the raw value goes into the tag, the field shows the display form.
void CommitItemDisplay(Form& form, int itemNumber, int controlIndex);
// Marks the item changed when the control's text differs from the stored value.
void CheckItemChanged(Form& form, int controlIndex);
// Sets the item's change flag to "1" or "0".
void MarkItemChanged(Form& form, int controlIndex, bool changed);
// Finds the control of an item of the current form by item ID (trimmed, any case); a repeating
// item is looked up in the row of the control the search starts from.
void FindItemControl(const QString& itemId, int& controlIndex, bool& notFound, Form& form,
                     int currentControlIndex);
// Writes the error flag ("1" or " ") into tag position 23 and tracks the first error control.
void SetItemErrorFlag(Form& form, int controlIndex, const QString& flag);
// Clears the item's work fields and restores the back colour by kind.
void ResetItemAppearance(Form& form, int controlIndex);
// Restores the normal fore colour and clears the error flag.
void ResetItemForeColor(Form& form, int controlIndex);

}  // namespace tav::formhelper
