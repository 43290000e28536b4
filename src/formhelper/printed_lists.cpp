#include "printed_lists.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <utility>

#include "common/app_start.h"
#include "common/text_fit.h"
#include "common/window_look.h"
#include "helper_context.h"
#include "platform/printers.h"
#include "platform/context.h"
#include "platform/program_info.h"
#include "platform/services.h"
#include "platform/text.h"

namespace tav::formhelper {

using text::FixedWidth;
using text::Left;
using text::Trim;
using text::ZeroPad;

namespace {

const QString kControlHeader = QStringLiteral(
    "         No.  ｺﾚｸｼｮﾝNo.    TAG              表示内容                                     "
    "      TYPE");
const QString kUnmatchedTagHeader = QStringLiteral(
    "         ｺﾚｸｼｮﾝNo.  TYPE           表示内容      "
    "(ﾌｫｰﾑのTAGに定義されているが項目ﾃｰﾌﾞﾙに定義されていない)");
const QString kUnmatchedItemHeader = QStringLiteral(
    "         項目位置   項目ID            ｸﾞﾙｰﾌﾟ     (項目ﾃｰﾌﾞﾙにあるがﾌｫｰﾑに定義されていない)");

QString blanks(int n) {
    return QString(n, u' ');
}

// Three digits zero-filled; more digits when the number needs them.
QString digits3(int n) {
    return ZeroPad(n, 3);
}

bool isSixKinds(ControlKind k) {
    return k != ControlKind::Other;
}

// Text of text and combo boxes, Caption of the other four kinds; blank for any other kind.
QString shownContent(const Control& c) {
    return isSixKinds(c.kind()) ? c.text() : QString();
}

// Collects lines into pages of kListPageLines lines plus the foot; the header (title, form line,
// column header, each followed by an empty line) opens every page and counts as its lines.
class PageWriter {
  public:
    PageWriter(const QString& title, const Form& form, const QDateTime& at, QString columnHeader)
        : columnHeader_(std::move(columnHeader)) {
        titleLine_ = FixedWidth(title, 75) + at.toString(QStringLiteral("yy/MM/dd hh:mm:ss"));
        formLine_ = QStringLiteral("         ﾌｫｰﾑID(ﾌｫｰﾑ.TAG) : ") +
                    FixedWidth(Left(form.tag(), 8), 8) + QStringLiteral("   ﾌｫｰﾑﾀｲﾄﾙ : ") +
                    form.caption();
    }

    // The first page's header, printed before any line.
    void begin() {
        if (!open_) openPage();
    }

    void line(const QString& text) {
        if (!open_) openPage();
        page_ << text;
        if (page_.size() >= kListPageLines) closePage();
    }

    // A new column header: on a page already begun it is printed as a line (with an empty line
    // after it); either way the pages that follow repeat it in their header.
    void section(const QString& columnHeader) {
        columnHeader_ = columnHeader;
        if (!open_) {
            openPage();
            return;
        }
        line(columnHeader);
        if (open_) line(QString());
    }

    // The last page filled with empty lines and closed; a list without lines still has one page.
    std::vector<QStringList> finish() {
        if (!open_ && pages_.empty()) openPage();
        if (open_) {
            while (page_.size() < kListPageLines) page_ << QString();
            closePage();
        }
        return std::move(pages_);
    }

  private:
    void openPage() {
        open_ = true;
        page_.clear();
        page_ << titleLine_ << QString() << formLine_ << QString() << columnHeader_ << QString();
    }
    void closePage() {
        page_ << listPageFoot(static_cast<int>(pages_.size()) + 1);
        pages_.push_back(page_);
        page_.clear();
        open_ = false;
    }

    QString titleLine_, formLine_, columnHeader_;
    QStringList page_;
    std::vector<QStringList> pages_;
    bool open_ = false;
};

// The trimmed item IDs of the current form entry, upper-cased, with their item numbers.
std::vector<std::pair<int, QString>> currentFormItemIds() {
    std::vector<std::pair<int, QString>> ids;
    const HelperContext& ctx = helperContext();
    const FormRecord* f = ctx.currentForm();
    if (!f) return ids;
    for (int n = f->firstItem; n <= f->lastItem; ++n)
        if (const ItemRecord* r = ctx.item(n)) ids.emplace_back(n, Trim(r->itemId).toUpper());
    return ids;
}

QString tagItemId(const QString& tag) {
    return Trim(tagField(tag, kTagItemId)).toUpper();
}

ListPrinter& installedPrinter() {
    struct InstalledPrinter {
        ListPrinter printer;
    };
    return context().get<InstalledPrinter>().printer;
}

}  // namespace

QString controlListTitle() {
    return QStringLiteral("     フォームヘルパ フォームコントロール一覧");
}

QString unmatchedListTitle() {
    return QStringLiteral("     フォームヘルパ Tag-項目ﾃｰﾌﾞﾙ アンマッチリスト");
}

QString listPageFoot(int pageNumber) {
    return blanks(57) + QStringLiteral("< ") + QString::number(pageNumber) + QStringLiteral(" > ");
}

ListDocument controlListPages(Form& form, const QDateTime& printedAt) {
    ListDocument doc;
    doc.name = QStringLiteral("CTLLIST");
    if (form.controlCount() - 1 <= 0) return doc;

    struct Key {
        int index, top, left;
    };
    std::vector<Key> keys;
    for (int i = 0; i < form.controlCount(); ++i) {
        Control c = form.control(i);
        if (c.tag().isEmpty()) continue;
        keys.push_back({i, c.top(), c.left()});
    }
    // Top, then Left, ascending, by exchange: each position against every later one.
    auto smaller = [](const Key& a, const Key& b) {
        return std::pair(a.top, a.left) < std::pair(b.top, b.left);
    };
    for (size_t j = 0; j + 1 < keys.size(); ++j)
        for (size_t l = j + 1; l < keys.size(); ++l)
            if (smaller(keys[l], keys[j])) std::swap(keys[j], keys[l]);

    PageWriter w(controlListTitle(), form, printedAt, kControlHeader);
    int number = 0;
    for (const Key& k : keys) {
        Control c = form.control(k.index);
        w.line(blanks(9) + digits3(++number) + blanks(5) + digits3(k.index) + blanks(7) +
               FixedWidth(tagField(c.tag(), kTagItemId), kTagItemId.length) + u' ' + FixedWidth(shownContent(c), 50) + u' ' +
               FixedWidth(kindName(c.kind()), 10));
    }
    doc.pages = w.finish();
    return doc;
}

ListDocument unmatchedListPages(Form& form, const QDateTime& printedAt) {
    ListDocument doc;
    doc.name = QStringLiteral("UNMATCH");
    const auto ids = currentFormItemIds();
    auto inForm = [&](const QString& id) {
        return std::any_of(ids.begin(), ids.end(), [&](const auto& p) { return p.second == id; });
    };

    PageWriter w(unmatchedListTitle(), form, printedAt, kUnmatchedTagHeader);
    w.begin();
    QStringList tagIds;
    for (int i = 0; i < form.controlCount(); ++i) {
        Control c = form.control(i);
        if (Trim(c.tag()).isEmpty()) continue;
        tagIds << tagItemId(c.tag());
        if (!isSixKinds(c.kind())) continue;
        if (inForm(tagIds.back())) continue;
        w.line(blanks(12) + digits3(i) + blanks(5) + FixedWidth(kindName(c.kind()), 10) +
               blanks(5) + FixedWidth(shownContent(c), 50));
    }
    w.section(kUnmatchedItemHeader);
    const HelperContext& ctx = helperContext();
    for (const auto& [n, id] : ids) {
        if (tagIds.contains(id)) continue;
        const ItemRecord* r = ctx.item(n);
        w.line(blanks(12) + digits3(n) + blanks(5) + FixedWidth(r->itemId, 16) + blanks(4) +
               FixedWidth(r->group, 1));
    }
    doc.pages = w.finish();
    return doc;
}

// ---- printing --------------------------------------------------------------------------------

// Narrow margins: a page of 76 lines of 9.75 points needs 741 points, which A4 and Letter hold.
const QMarginsF kListMargins(5, 5, 5, 5);

PrintTarget choosePrintTarget(const QString& defaultPrinterName) {
    return Trim(defaultPrinterName).isEmpty() ? PrintTarget::PdfFile : PrintTarget::DefaultPrinter;
}

QFont listFont() {
    return common::FixedPitchFont(common::FaceName(common::Face::Gothic), 9.75);
}

QString uniquePdfPath(const QString& folder, const QString& stem, const QDateTime& at) {
    const QString base =
        folder + u'/' + stem + u'_' + at.toString(QStringLiteral("yyyyMMdd_hhmmss"));
    QString path = base + QStringLiteral(".pdf");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = base + u'_' + QString::number(n) + QStringLiteral(".pdf");
    return path;
}

bool paintListDocument(const ListDocument& doc, QPagedPaintDevice& device) {
    QPainter p;
    if (!p.begin(&device)) return false;
    const QFont font = listFont();
    p.setFont(font);
    const QFontMetricsF fm(p.font(), &device);
    // A line is one em high, as in the office's fixed-pitch font.
    const qreal lineHeight = font.pointSizeF() * device.logicalDpiY() / 72.0;
    // The painter starts at the printable area's corner; width() and height() are its size.
    const QRectF area(0, 0, device.width(), device.height());
    // The lines keep their size whatever their width: a line wider than the sheet is cut by its
    // edge, as the printer cuts it. Only a sheet too short for a page's lines sets them closer.
    const qreal scale = std::min(1.0, area.height() / ((kListPageLines + 1) * lineHeight));
    bool first = true;
    for (const QStringList& page : doc.pages) {
        if (!first) device.newPage();
        first = false;
        p.save();
        p.setClipRect(area);
        p.scale(scale, scale);
        // Each line is drawn whole in the fixed-pitch font, so its characters fall into their
        // columns and the text of the page reads back as the line, blanks included.
        for (int row = 0; row < page.size(); ++row)
            if (!page[row].isEmpty())
                p.drawText(QPointF(0, row * lineHeight + fm.ascent()), page[row]);
        p.restore();
    }
    return p.end();
}

bool writeListPdf(const ListDocument& doc, const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setDocName(doc.name);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(kListMargins, QPageLayout::Millimeter);
    return paintListDocument(doc, printer) && QFileInfo(path).size() > 0;
}

void printListDocument(const ListDocument& doc) {
    printListDocument(doc, platform::DefaultPrinterName());
}

void printListDocument(const ListDocument& doc, const QString& defaultPrinterName) {
    if (doc.pages.empty()) return;
    if (choosePrintTarget(defaultPrinterName) == PrintTarget::DefaultPrinter) {
        const std::unique_ptr<QPrinter> printer = platform::OpenPrinter(defaultPrinterName);
        printer->setDocName(doc.name);
        printer->setPageMargins(kListMargins, QPageLayout::Millimeter);
        if (paintListDocument(doc, *printer)) return;
        // A printer that refuses the job: the list still reaches the user as a file.
    }
    // The file goes where the system log goes: never into the package's own folder.
    const QString folder = common::SystemLogFolder();
    QDir().mkpath(folder);
    const QString path = uniquePdfPath(folder, doc.name, platform::now());
    if (writeListPdf(doc, path)) {
        platform::messageBox(
            QStringLiteral("プリンタが使用できないため、ファイルに出力しました。\r\n") +
                QDir::toNativeSeparators(path),
            {}, platform::Buttons::Ok, platform::Icon::Information);
    } else {
        platform::messageBox(
            QStringLiteral("印刷できませんでした。ファイルにも出力できません。\r\n") +
                QDir::toNativeSeparators(path),
            {}, platform::Buttons::Ok, platform::Icon::Critical);
    }
}

void setListPrinter(ListPrinter printer) {
    installedPrinter() = std::move(printer);
}

namespace {

void print(const ListDocument& doc) {
    if (doc.pages.empty()) return;
    if (installedPrinter())
        installedPrinter()(doc);
    else
        printListDocument(doc);
}

}  // namespace

void ControlListReport() {
    Form* f = helperContext().activeForm;
    if (!f) return;
    print(controlListPages(*f, platform::now()));
}

void UnmatchedListReport() {
    Form* f = helperContext().activeForm;
    if (!f) return;
    print(unmatchedListPages(*f, platform::now()));
}

}  // namespace tav::formhelper
