#pragma once
// Screen-definition files: the item table, the form table, the colours, the reformatting
// switches, the user-defined display formats and the era table, in a text file a maintainer
// edits by hand (layout in README.md, "Screen-definition files"). A host program loads it at
// start; a file with a fault changes nothing and names the line.
#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "common/display_format.h"
#include "helper_context.h"

namespace tav::formhelper {

struct ScreenDefinitionError {
    QString file;
    int line = 0;  // 1-based; 0 for the file as a whole
    QString message;
    // "<file> 12行目: <message>", the text to log or show.
    QString text() const;
};

struct ScreenDefinitions {
    std::vector<ItemRecord> items;
    std::vector<FormRecord> forms;
    Colour normalForeColor = 0x000000;
    Colour normalBackColor = 0xFFFFFF;
    Colour inputBackColor = 0xC0FFFF;
    Colour codeCheckBaseColor = 0xFFFFFF;
    Colour codeCheckMarkColor = 0x0000FF;
    bool ReformatOnExit = true;
    bool ReformatSuppressed = false;
    bool KeepRawOnExit = false;
    std::array<QString, 10> userFormats;
    std::vector<common::Era> eras = common::DisplayFormatSettings::defaultEras();
};

// Parses the text of a definition file. Throws ScreenDefinitionError.
ScreenDefinitions parseScreenDefinitions(const QString& text, const QString& fileName);
// Puts the definitions into the helper context and the display-format settings, with every
// change flag "0", no error recorded and no current form.
void installScreenDefinitions(const ScreenDefinitions& defs);
// Reads (CP932 or UTF-8), parses and installs a file; on a fault nothing is installed and the
// fault is returned.
std::optional<ScreenDefinitionError> LoadScreenDefinitions(const QString& path);

}  // namespace tav::formhelper
