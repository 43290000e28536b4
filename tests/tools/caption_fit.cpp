// Measures, for every caption of the windows, the width the caption needs as drawn in its font
// (unnarrowed) against the width its control was designed with, and prints per window how many
// fit without narrowing. Menu files named on the command line add their page, item and function
// button captions. Which fonts the names lead to is decided by FONTCONFIG_FILE.
// A function button's caption counts as fitting when the button's two lines hold it
// (--one-line: when one line does, as before the buttons wrapped).
// --strict: exit status 1 when any caption does not fit.
//   tav_caption_fit [-v] [--one-line] [--strict] [MENU_FILE...]
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <cstdio>
#include <memory>

#include "common/text_fit.h"
#include "customer_inquiry.h"
#include "dialogs/lkf10040.h"
#include "dialogs/lkf10050.h"
#include "dialogs/lkf10060.h"
#include "menu/login_window.h"
#include "menu/menu_main_window.h"
#include "platform/textfile.h"
#include "setup/setup_form.h"

namespace {

bool verbose = false;
int buttonLines = 2;
bool strict = false;

struct Count {
    int fit = 0, all = 0;
};

int needed(QFont font, const QString& text) {
    font.setStretch(QFont::Unstretched);
    const QFontMetrics fm(font);
    int widest = 0;
    for (const QString& line : text.split(u'\n'))
        widest = std::max(widest, fm.horizontalAdvance(line));
    return widest;
}

// The width a control has for its caption: a label its contents, a button the rectangle its
// style draws the caption in (a function button of the menu: less 12 pixels of bevel).
int available(const QWidget* w) {
    if (auto* b = qobject_cast<const QPushButton*>(w)) {
        QStyleOptionButton option;
        option.initFrom(b);
        option.text = b->text();
        return b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b).width();
    }
    return w->contentsRect().width();
}

void measure(Count& c, const char* window, const QString& name, QFont font, const QString& text,
             int room, int lines = 1) {
    if (text.trimmed().isEmpty()) return;
    const int need = needed(font, text);
    font.setStretch(QFont::Unstretched);
    const bool fits = lines > 1 ? !tav::common::CaptionLines(font, text, room, lines)
                                       .constLast()
                                       .endsWith(QChar(0x2026))
                                : need <= room;
    ++c.all;
    if (fits) ++c.fit;
    if (verbose)
        std::printf("  %-10s %-16s %4d/%4d px %s %s [%s]\n", window, qPrintable(name), need, room,
                    fits ? "fits" : "WIDE", qPrintable(text), qPrintable(QFontInfo(font).family()));
}

Count window(const char* name, QWidget* w) {
    Count c;
    // Shown (offscreen), so that windows placed by layouts have their controls' real sizes.
    w->show();
    QApplication::processEvents();
    for (QWidget* child : w->findChildren<QWidget*>()) {
        QString text;
        if (auto* l = qobject_cast<QLabel*>(child))
            text = l->text();
        else if (auto* b = qobject_cast<QAbstractButton*>(child))
            text = b->text();
        else
            continue;
        measure(c, name, child->objectName(), child->font(), text, available(child));
    }
    return c;
}

// Pages in the drop-down, items in the list, "caption (Fn)" on the function buttons.
Count menuFile(const QString& path, tav::menu::TAV_menu1_frm& menu) {
    Count c;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "tav_caption_fit: cannot read %s\n", qPrintable(path));
        std::exit(2);
    }
    // The list's lines inside its frame and the text margins of its lines.
    const int listRoom = menu.List1->contentsRect().width() - 6;
    const int comboRoom = menu.Combo1->width() - 30;
    for (const QString& line : tav::platform::splitLines(tav::platform::decodeText(f.readAll()))) {
        if (!line.startsWith(u'@')) continue;
        const int kind = line.mid(1, 2).toInt();
        const QString caption = line.mid(13).section(u',', 0, 0).trimmed();
        if (kind == 10)
            measure(c, "menu file", QStringLiteral("Combo1"), menu.Combo1->font(), caption,
                    comboRoom);
        else if (kind == 20)
            measure(c, "menu file", QStringLiteral("List1"), menu.List1->font(), caption, listRoom);
        else if (kind == 30)
            measure(
                c, "menu file", QStringLiteral("Command1"), menu.Command1[0]->font(),
                caption + QStringLiteral(" (F") + QString::number(line.mid(10, 2).toInt()) + u')',
                menu.Command1[0]->width() - 12, buttonLines);
    }
    return c;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList menus;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "-v")
            verbose = true;
        else if (QByteArray(argv[i]) == "--one-line")
            buttonLines = 1;
        else if (QByteArray(argv[i]) == "--strict")
            strict = true;
        else
            menus << QString::fromLocal8Bit(argv[i]);
    }
    std::vector<std::pair<QString, Count>> rows;
    tav::menu::TAV_menu1_frm menu;
    rows.emplace_back(QStringLiteral("menu window"), window("menu", &menu));
    for (const QString& m : menus) rows.emplace_back(m.section(u'/', -3), menuFile(m, menu));
    tav::menu::LoginWindow login;
    rows.emplace_back(QStringLiteral("login"), window("login", &login));
    tav::setup::TAV_set_Form setup;
    rows.emplace_back(QStringLiteral("setup"), window("setup", &setup));
    rows.emplace_back(QStringLiteral("LKF10040"),
                      window("LKF10040", &tav::dialogs::LKF10040::instance()));
    tav::dialogs::LKF10050 debugger;
    rows.emplace_back(QStringLiteral("LKF10050"), window("LKF10050", &debugger));
    tav::dialogs::LKF10060 wait;
    rows.emplace_back(QStringLiteral("LKF10060"), window("LKF10060", &wait));
    auto sample = std::make_unique<tav::sample::CustomerInquiry>();
    rows.emplace_back(QStringLiteral("sample screen"), window("sample", sample.get()));
    Count total;
    std::printf("| window | captions | fit without narrowing |\n|---|---|---|\n");
    for (const auto& [name, c] : rows) {
        std::printf("| %s | %d | %d |\n", qPrintable(name), c.all, c.fit);
        total.all += c.all;
        total.fit += c.fit;
    }
    std::printf("| all | %d | %d |\n", total.all, total.fit);
    return strict && total.fit < total.all ? 1 : 0;
}
