#pragma once
// The two printed lists of the form-helper debugger: the control list (every tagged control of
// the debugged form in screen order) and the unmatched list (tags without an item of the current
// form entry, then items that no control names).
//
// Two layers: the pages are built as plain text lines (page header, lines, empty lines up to the
// foot, the foot "< n > "), and a printing layer puts those pages on the default printer in the
// fixed-pitch list font. A machine without a printer gets a PDF file in the program folder and a
// message that names it.
#include <QDateTime>
#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "form.h"

class QPagedPaintDevice;

namespace tav::formhelper {

// Lines of a page before its foot (header lines included); the foot is line 76.
constexpr int kListPageLines = 75;

struct ListDocument {
    QString name;                    // the print job's name, also the PDF file's stem
    std::vector<QStringList> pages;  // each page: kListPageLines lines, then the foot
};

QString controlListTitle();  // "     フォームヘルパ フォームコントロール一覧"
QString unmatchedListTitle();  // "     フォームヘルパ Tag-項目ﾃｰﾌﾞﾙ アンマッチリスト"
// "< n > " after 57 blanks.
QString listPageFoot(int pageNumber);

// The control list of a form; no pages when its Controls collection holds fewer than two
// controls. Every tagged control is listed, however many there are.
ListDocument controlListPages(Form& form, const QDateTime& printedAt);
// The unmatched list of a form against the current form entry of the helper context.
ListDocument unmatchedListPages(Form& form, const QDateTime& printedAt);

// ---- printing --------------------------------------------------------------------------------
enum class PrintTarget { DefaultPrinter, PdfFile };
// Where a list goes, by the name of the system's default printer (empty: there is none).
PrintTarget choosePrintTarget(const QString& defaultPrinterName);
// The list font: "ＭＳ ゴシック" 9.75 pt, fixed pitch (every half-width character half a
// full-width one, checked by measurement).
QFont listFont();
// A PDF path in the folder that does not exist yet: <stem>_<yyyyMMdd_hhmmss>[_n].pdf.
QString uniquePdfPath(const QString& folder, const QString& stem, const QDateTime& at);

// Draws the pages on a paint device, each line whole in the list font at its size (a line wider
// than the sheet is cut by its edge, never shrunk), so the columns line up and the page's text
// reads back as its lines. Returns false when the device refused painting.
bool paintListDocument(const ListDocument& doc, QPagedPaintDevice& device);
// Writes the pages to a PDF file; false when it could not be written.
bool writeListPdf(const ListDocument& doc, const QString& path);

// Prints on the default printer; without one, writes the PDF into the program folder and shows
// a message naming the file (or a message that it could not be written).
void printListDocument(const ListDocument& doc);
// The same with the default printer's name given (empty: no printer).
void printListDocument(const ListDocument& doc, const QString& defaultPrinterName);

// The printing step used by the two reports; tests put a recorder in its place (null restores
// printListDocument).
using ListPrinter = std::function<void(const ListDocument&)>;
void setListPrinter(ListPrinter printer);

// "ｺﾝﾄﾛｰﾙ印刷" and "ｱﾝﾏｯﾁﾘｽﾄ": the lists of the helper context's active form, printed.
void ControlListReport();
void UnmatchedListReport();

}  // namespace tav::formhelper
