#pragma once
// The state shared by the screen routines: the item table, the form table, the change flags, the
// colours, the reformatting switches, the first-error tracking and the focus. Screens fill it at
// start (usually from a screen-definition file, see screen_definition.h) and keep it for the run.
#include <QPointer>
#include <QString>
#include <limits>
#include <optional>
#include <vector>

#include "form.h"

namespace tav::formhelper {

// One item of a screen. Text fields keep their fixed widths (blank-padded).
struct ItemRecord {
    qint16 column = -1;                        // column in a repeating block; -1 when not repeating
    QString itemId = QString(16, u' ');        // 16
    QString group = QStringLiteral(" ");       // 1
    QString typeCode = QStringLiteral("   ");  // 3: "TXT", "CMB", "LBL", "BTN", "OPT", "CHK"
    QString codeId = QString(8, u' ');         // 8: code table of the look-up; blank for none
    QString inputType = QStringLiteral("  ");  // 2: "9 ", "99", "X ", "N ", "D ", ...
    int maxLength = 0;                         // characters
    int decimals = 0;                          // digits after the decimal point
    QString formatId = QStringLiteral("00");   // 2
    QString inputClass = QStringLiteral(" ");  // 1: "1" to "4" get the input back colour
    QString nameItemId = QString(16, u' ');    // 16: item receiving the looked-up name
    qint32 workValue = 0;
    qint16 workFlag = 0;
};

struct FormRecord {
    QString formId = QString(10, u' ');  // 10
    qint16 firstItem = 0;
    qint16 lastItem = -1;
};

// The control state the debugger keeps to put a form back as it was.
struct SavedControlState {
    QString text;                           // Text or Caption
    QString backColor = QString(12, u' ');  // decimal text
    QString foreColor = QString(12, u' ');  // decimal text; blank for command buttons
    bool visible = true;
    bool enabled = true;
};

struct HelperContext {
    std::vector<ItemRecord> items;
    std::vector<FormRecord> forms;
    int currentFormEntry = -1;  // index into forms

    // Change flags: "0"/"1" at item number + 1 for items that do not repeat; one text per row
    // (indexed by row number) at column number + 1 for repeating items.
    QString changeFlags;
    std::vector<QString> rowChangeFlags;

    Colour normalForeColor = 0x000000;
    Colour normalBackColor = 0xFFFFFF;
    Colour inputBackColor = 0xC0FFFF;      // pale yellow
    Colour codeCheckBaseColor = 0xFFFFFF;  // "ｺｰﾄﾞﾁｪｯｸ": input items without a code ID
    Colour codeCheckMarkColor = 0x0000FF;  // "ｺｰﾄﾞﾁｪｯｸ": fore colour of other items with one

    bool ReformatOnExit = true;
    bool ReformatSuppressed = false;
    bool KeepRawOnExit = false;

    // The control flagged in error with the lowest tab index, to move the focus there.
    int firstErrorTabIndex = std::numeric_limits<int>::max();
    int firstErrorControlIndex = -1;

    // The form the user works in and the index of its control with the focus (kept up to date
    // by Form from the application's focus changes; hosts may set them too).
    QPointer<Form> activeForm;
    int focusControlIndex = -1;
    int currentGroup = 0;

    // Taken by SaveControlStates, read by RestoreControlStates.
    std::vector<SavedControlState> savedStates;

    const FormRecord* currentForm() const;
    const ItemRecord* item(int itemNumber) const;
    ItemRecord* item(int itemNumber);
    bool inCurrentForm(int itemNumber) const;

    // Every flag "0", for every item and for rows 0 to 99.
    void resetChangeFlags();
    // No error recorded (the lowest tab index above every tab index).
    void resetErrorTracking();
    // The index of the form entry with that form ID (trimmed, case-insensitive); -1 when none.
    int findForm(const QString& formId) const;
};

HelperContext& helperContext();

// The item tag: 1-16 item ID, 17 kept, 18-20 item number, 21-22 row, 23 error flag, 24-26 kept,
// 27 on the stored value. Positions are 1-based characters.
struct TagField {
    int position;
    int length;
};
constexpr TagField kTagItemId{1, 16};
constexpr TagField kTagItemNumber{18, 3};
constexpr TagField kTagRow{21, 2};
constexpr TagField kTagErrorFlag{23, 1};
constexpr int kTagHeaderLength = 26;
constexpr int kTagValueStart = kTagHeaderLength + 1;
// The field's characters of the tag (fewer where the tag is shorter).
QString tagField(const QString& tag, TagField field);
// A form's tag holds "M" (either case) at this position when the form has a menu bar.
constexpr int kFormTagMenuBar = 12;
// The first 26 characters of a tag (blank-padded when the tag is shorter).
QString tagHeader(const QString& tag);
// The item number in positions 18-20; nullopt when they are not digits.
std::optional<int> tagItemNumber(const QString& tag);
// The row in positions 21-22; nullopt when blank (or not a number).
std::optional<int> tagRow(const QString& tag);
// A new tag for an item: its ID, number, the row ("" for none) and an empty value.
QString makeItemTag(int itemNumber, std::optional<int> row = std::nullopt);

// Fills the form's control maps from the tags of its controls. Returns the number of tagged
// controls whose item number lies outside the item table (they are not mapped).
int bindItemControls(Form& form);

}  // namespace tav::formhelper
