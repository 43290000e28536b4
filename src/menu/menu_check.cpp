#include "menu_check.h"

#include <QFileInfo>
#include <map>

#include "command_tokens.h"
#include "menu_context.h"
#include "menu_file.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/textfile.h"

namespace tav::menu {

namespace {

using text::Left;
using text::Mid;
using text::Trim;

struct Record {
    int line = 0;
    bool header = false;
    MenuEntry entry;
};

bool visibleSomewhere(const MenuEntry& e) {
    for (const QString& f : e.ProfileFlags)
        if (f == QStringLiteral("1")) return true;
    return false;
}

// The "%" tokens the command expansion knows.
bool knownToken(const QString& c) {
    for (const CommandToken& t : token::All)
        if (StartsWithToken(c, t)) return true;
    return false;
}

bool startsProgram(const MenuEntry& e) {
    static const QStringList modes = {QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("5"),
                                      QStringLiteral("6"), QStringLiteral("7")};
    return modes.contains(e.LaunchMode) && !e.Command.isEmpty() && !e.Command.startsWith(u'%');
}

bool programExists(const QString& folder, const MenuEntry& e) {
    const QString first = e.Command.section(u' ', 0, 0);
    const QString lower = first.toLower();
    // Folders and the notepad go to the desktop's own programs.
    if (lower == QStringLiteral("explorer") || lower == QStringLiteral("notepad") ||
        lower == QStringLiteral("window"))
        return true;
    QString path = platform::toLocalPath(first);
    if (e.RelativeFlag != QStringLiteral("0")) path = folder + u'/' + path;
    else if (!path.contains(u'/')) return !platform::findInPath(path).isEmpty();
    if (platform::isExecutableFile(path)) return true;
    return path.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive) &&
           platform::isExecutableFile(path.left(path.size() - 4));
}

}  // namespace

std::vector<MenuProblem> CheckMenuFile(const QByteArray& bytes, const QString& folder) {
    std::vector<MenuProblem> out;
    auto report = [&](bool error, int line, int column, const QString& text) {
        out.push_back({error, line, column, text});
    };
    const QStringList lines = platform::splitLines(platform::decodeText(bytes));
    std::vector<Record> records;
    for (int n = 0; n < lines.size(); ++n) {
        const QString& raw = lines[n];
        const int line = n + 1;
        if (n == lines.size() - 1 && raw.isEmpty()) break;  // after the last line end
        if (static_cast<int>(records.size()) >= kMenuTableSize) {
            report(true, line, 0,
                   QStringLiteral("more than 1000 records: the menu stops reading here "
                                  "(\"データが999件を超えました。\")"));
            break;
        }
        const qsizetype bad = raw.indexOf(QChar(0xFFFD));
        if (bad >= 0) report(true, line, static_cast<int>(bad) + 1, QStringLiteral("not CP932 text"));
        const QChar kind = raw.isEmpty() ? QChar() : raw.at(0);
        if (kind != u'@' && kind != u'$') continue;
        if (raw.size() > kMenuLineWidth)
            report(false, line, kMenuLineWidth + 1,
                   QStringLiteral("the line is longer than 200 characters; the menu drops the rest"));
        const QString l200 = MenuLine(raw);
        Record r;
        r.line = line;
        r.header = kind == u'$';
        bool numbersOk = true;
        for (int pos : r.header ? std::vector<int>{2} : std::vector<int>{2, 5, 8, 11}) {
            try {
                MenuNumberColumn(l200, pos);
            } catch (const std::exception&) {
                numbersOk = false;
                report(true, line, pos,
                       QStringLiteral("the number column %1-%2 \"%3\" is not a number")
                           .arg(pos).arg(pos + 1).arg(Mid(l200, pos, 2)));
            }
        }
        if (numbersOk && r.header) {
            const qint16 what = MenuNumberColumn(l200, 2);
            if (what < 1 || what > 3)
                report(false, line, 2, QStringLiteral("header record kind %1 sets nothing (1 system name, 2 version, 3 title)").arg(what));
        } else if (numbersOk) {
            ParseEntryRecord(l200, r.entry);
            const MenuEntry& e = r.entry;
            if (e.Kind != EntryKind::Page && e.Kind != EntryKind::ListItem && e.Kind != EntryKind::Button)
                report(false, line, 2, QStringLiteral("record kind %1 is neither 10 (page), 20 (list item) nor 30 (button)").arg(e.Kind));
            if ((e.Kind == EntryKind::Page || e.Kind == EntryKind::ListItem || e.Kind == EntryKind::Button) && !visibleSomewhere(e))
                report(false, line, 0, QStringLiteral("\"%1\" is visible on no profile (no flag is \"1\")").arg(e.Caption));
            if (e.Kind == EntryKind::Button && (e.ButtonNumber < 1 || e.ButtonNumber > 12))
                report(true, line, 11, QStringLiteral("button number %1 is outside 1 to 12").arg(e.ButtonNumber));
            if (e.Command.startsWith(u'%') && !knownToken(e.Command))
                report(false, line, 0, QStringLiteral("unknown token \"%1\"").arg(e.Command.section(u' ', 0, 0)));
            if (startsProgram(e) && !programExists(folder, e))
                report(false, line, 0, QStringLiteral("the program \"%1\" is not in the installation").arg(e.Command.section(u' ', 0, 0)));
        }
        records.push_back(r);
    }

    // The walks of the window: a page's list items follow it with the same list group, a list
    // item's buttons follow it with the same button group.
    const int last = static_cast<int>(records.size()) - 1;
    std::vector<bool> reached(records.size(), false);
    auto walk = [&](int s, qint16 MenuEntry::*group, qint16 kind) {
        for (int i = s;; ++i) {
            if (records[i].entry.Kind == kind) reached[i] = true;
            if (i == last || records[i].entry.*group != records[i + 1].entry.*group) break;
        }
    };
    for (int i = 0; i <= last; ++i)
        if (!records[i].header && records[i].entry.Kind == EntryKind::Page) walk(i, &MenuEntry::ListGroup, EntryKind::ListItem);
    // Only a list item that a page shows can show buttons.
    for (int i = 0; i <= last; ++i)
        if (!records[i].header && records[i].entry.Kind == EntryKind::ListItem && reached[i])
            walk(i, &MenuEntry::ButtonGroup, EntryKind::Button);
    for (int i = 0; i <= last; ++i) {
        const MenuEntry& e = records[i].entry;
        if (records[i].header || (e.Kind != EntryKind::ListItem && e.Kind != EntryKind::Button) || reached[i]) continue;
        report(false, records[i].line, 0,
               e.Kind == EntryKind::ListItem ? QStringLiteral("list item \"%1\" follows no page of list group %2").arg(e.Caption).arg(e.ListGroup)
                            : QStringLiteral("button \"%1\" follows no list item of button group %2").arg(e.Caption).arg(e.ButtonGroup));
    }
    // Buttons of one list item that share a number: the later one replaces the earlier.
    for (int i = 0; i <= last; ++i) {
        if (records[i].header || records[i].entry.Kind != EntryKind::ListItem) continue;
        std::map<int, int> seen;
        for (int j = i;; ++j) {
            const MenuEntry& e = records[j].entry;
            if (!records[j].header && e.Kind == EntryKind::Button) {
                auto [it, fresh] = seen.emplace(e.ButtonNumber, records[j].line);
                if (!fresh)
                    report(false, records[j].line, 11,
                           QStringLiteral("button number %1 again in this group; it replaces line %2").arg(e.ButtonNumber).arg(it->second));
            }
            if (j == last || e.ButtonGroup != records[j + 1].entry.ButtonGroup) break;
        }
    }
    std::stable_sort(out.begin(), out.end(), [](const MenuProblem& a, const MenuProblem& b) { return a.line < b.line; });
    return out;
}

}  // namespace tav::menu
