#pragma once
// LFRMCTL2: the code look-up. An item whose item record names a code ID is filled from a code
// table: the code reference window (LKF10040) hands the typed search text to FillCodeList, which
// builds the statement from the code definition, reads the rows on cursor 0 of the look-up's DB
// number and fills the window's list with fixed-width lines; OutputCodeName writes the chosen
// code and name back into the calling form and calls the host's CodeSelectedHook.
//
// The host fills the look-up state (code definition, key and name columns, lookup kinds, table,
// ordering, limit, font size, source mode) before it opens the window. Widths and lengths are
// kept as the fixed texts of the code definition records ("005", "X").
#include <QPointer>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

#include "form.h"

class QFont;
class QWidget;

namespace tav::formhelper {

class CodeListBox;

// The code definition of the code table in use.
struct CodeDefinition {
    QString keyAttribute = QStringLiteral(" ");        // 1: "9" numeric key, else character key
    QString keyLength = QStringLiteral("000");         // 3: characters of a complete key
    QString searchKind = QStringLiteral(" ");          // 1: "2" exact match, else prefix/range
    QString keyColumn = QString(50, u' ');             // 50
    QString conditionAttribute = QStringLiteral(" ");  // 1: "X", "9", "N", "D" or blank
    QString extraCondition;                            // a condition every look-up must satisfy
};

// One key or name column of the list line.
struct LookupColumn {
    QString attribute = QStringLiteral("X");  // "X" text, "N" double-byte text, "9" number, ...
    QString width = QStringLiteral("000");    // 3
    QString name = QString(50, u' ');         // 50
    int widthValue() const;
};

// A lookup kind: fixed texts that tailor the look-up of one code ID.
struct LookupKind {
    QString codeId;
    QString extraColumns;            // comma-separated column list read after the name columns
    QString extraConditionTemplate;  // "%%" receives the search condition
    QString fixedSql;                // used when the search text is empty
    QString enablingText;            // non-empty: the two fixed SQL texts are used
    QString sqlTemplate;             // "%%Q_VALUE%%" receives the search text
};

constexpr int kMaxLookupColumns = 11;  // positions 0 to 10
constexpr int kMaxLookupKinds = 10;    // positions 1 to 10; 0 is the fallback
constexpr int kMaxChosenValues = 11;

// What CodeSelectedHook receives.
struct CodeSelection {
    QString code;  // key-width characters of the chosen line
    QString name;  // name-width characters after the separator
    QString codeId;
    QString itemId;
    std::array<QString, kMaxChosenValues> values;  // extra column values of the line
};

// The window the look-up drives (LKF10040 registers itself when it is created).
class CodeReferenceView {
  public:
    virtual ~CodeReferenceView() = default;
    virtual QWidget* window() = 0;
    virtual CodeListBox* list() = 0;
    virtual QString searchText() const = 0;
    // The list layout the layout switch asks for (switch off: list only; on: list and search
    // panel side by side), ending with the window placed next to the calling control.
    virtual void applyListLayout() = 0;
};

struct LookupState {
    qint16 db = 0;  // DB number the codes are read from
    QPointer<Form> callingForm;
    int callingControl = -1;
    QString currentCodeId = QString(8, u' ');

    CodeDefinition definition;
    std::vector<LookupColumn> keyColumns;   // at most 11
    std::vector<LookupColumn> nameColumns;  // at most 11
    // Positions 1 to kMaxLookupKinds are the entries; position 0 is used when none matches.
    std::array<LookupKind, kMaxLookupKinds + 1> kinds;
    int kindCount = 0;

    QString selectList;     // key columns then name columns
    QString keyColumnList;  // key columns alone
    QString tableName;
    QString orderClause;  // appended after the condition, e.g. " ORDER BY CODE"
    int rowLimit = 1000;
    int fontSize = 9;
    QString sourceMode = QStringLiteral("2");  // "1" code file; "2", "3" database
    // Source mode "1": the code file of fixed-width CP932 records of twice recordWidth bytes;
    // record n + 3 belongs to list line n, its extra part follows key, blank and name.
    QString codeFile;
    int codeFileRecordWidth = 0;
    int codeFileExtraLength = 0;
    int layoutSwitch = 0;  // 1: list and search panel side by side
    int researchKey = 0;   // F1 = 1 ... F12 = 12 presses "再 検 索 >>"; 0 none

    int keyWidth = 0;   // characters of the key part of a line
    int nameWidth = 0;  // characters of the name part of a line
    QString widestLine;
    int widestWidth = 0;  // twips
    QString preselectText;
    int preselectIndex = -1;
    std::vector<QString> extraValues;  // one "v1,v2," text per list line

    std::array<QString, kMaxChosenValues> chosenValues;
    QString chosenCode;
    QString chosenName;
    QString chosenCodeId;
    QString chosenItemId;

    QString pendingText;  // restores the calling control when the window takes the focus
    bool ending = false;  // CloseCodeLookup is under way or done
    bool listHasScrollBar = false;
};

LookupState& lookupState();
// Back to the defaults (the registered window and hook stay).
void resetLookupState();

void setCodeReferenceView(CodeReferenceView* view);
CodeReferenceView* codeReferenceView();

// The host's CodeSelectedHook (form, item number, selection); by default it does nothing.
using CodeSelectedHookFn = std::function<void(Form&, int, const CodeSelection&)>;
void setCodeSelectedHook(CodeSelectedHookFn hook);
void CodeSelectedHook(Form& form, int itemNumber, const CodeSelection& selection);

// Key width and name width of a line from the key and name columns (each name column counts its
// separator).
void DeriveLineWidths();

// ---- statement assembly ---------------------------------------------------------------------
// Key columns then name columns, comma-separated; also fills the key-column list.
void BuildSelectList();
// The trimmed extra condition when its attribute is valid; a bad attribute is reported (kind 5,
// the program ends) and leaves no condition.
QString ExtraConditionInForce();
// The lookup kind of the current code ID (position 0 when none matches).
const LookupKind& CurrentLookupKind();
// The search condition for search text v (trimmed by the caller) and extra condition e.
QString BuildSearchCondition(const QString& v, const QString& e);
// The whole statement for search text v; builds the select list and checks the condition.
QString BuildLookupStatement(const QString& v);

// A search text the look-up refuses (forbidden characters, or not a plain number for a numeric
// key): reported as "H601" (kind 4: a box) and true returned. The text is trimmed first.
bool RefuseSearchText(const QString& searchText);
bool IsForbiddenSearchChar(QChar c);

// ---- reading ---------------------------------------------------------------------------------
// Reads the rows for the search text of the window into its list and shows the list layout.
void FillCodeList();
// Formats the current row of cursor 0 into the two parts of a list line.
void BuildCodeKey(QString& keyPart, QString& namePart);
void SizeLookupList();
// Writes the selected line back into the calling form.
void OutputCodeName();
// Ends the look-up: hides the window, returns to the calling form.
void CloseCodeLookup();
// Places the window next to the calling control.
void PlaceLookupWindow(QWidget* window);

// Every occurrence of the trimmed token in the trimmed text replaced; the search goes on after
// the inserted text, so a replacement holding the token cannot make it repeat.
QString ReplaceToken(const QString& text, const QString& replacement, const QString& token);

// The search text in place of every occurrence of the trimmed token of an SQL template, in the
// form each place asks for: inside a literal with that literal's quote doubled (in a LIKE pattern
// its wildcards standing for themselves too), inside [name] without "]", elsewhere a plain
// number as it is (in parentheses when signed) and any other text as a literal of its own. The
// text therefore never adds anything to the statement outside a literal or name.
QString InsertSearchValue(const QString& text, const QString& value, const QString& token);

// The list box's line height in pixels and the line nearest to a point of its viewport: -1 when
// the point lies outside the viewport or the list is empty.
int listItemHeight(CodeListBox* list);
int listItemFromPoint(const CodeListBox* list, const QPoint& viewportPos);
// Width in twips of a text in the list's font.
int textWidthTwips(const QFont& font, const QString& text);
// The width in twips a list line takes as drawn: the whole line without its trailing blanks,
// measured in one piece in the list's font.
int listLineWidthTwips(const CodeListBox* list, const QString& line);
// What the list adds around its widest line (twips): 120, or the list's frame and its lines'
// text margins where those take more, so that no line is cut.
int listLineRoomTwips(const CodeListBox* list);

}  // namespace tav::formhelper
