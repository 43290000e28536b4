#include "code_lookup.h"

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QRegularExpression>
#include <algorithm>
#include <new>
#include <tuple>

#include "code_list_box.h"
#include "common/report_codes.h"
#include "common/system_log.h"
#include "common/text_fit.h"
#include "dataaccess/dialect.h"
#include "dataaccess/lsqlio00.h"
#include "helper_context.h"
#include "item_access.h"
#include "platform/context.h"
#include "platform/desktop.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/textfile.h"

namespace tav::formhelper {

namespace da = tav::dataaccess;
using common::SystemLogReport;
using namespace tav::text;

namespace {

constexpr qint16 kCursor = 0;
constexpr int kOutOfMemory = 7;
const QString kCrLf = QStringLiteral("\r\n");

CodeReferenceView* g_view = nullptr;
// The host's hook for a chosen code.
struct SelectedHook {
    CodeSelectedHookFn hook;
};
CodeSelectedHookFn& selectedHook() {
    return context().get<SelectedHook>().hook;
}

LookupState& state() {
    return context().get<LookupState>();
}

int toInt(const QString& s) {
    return static_cast<int>(ToNumber(s).value_or(0));
}

qint64 toWhole(const QVariant& v) {
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
        return qRound64(v.toDouble());
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    if (ok) return n;
    return qRound64(ToNumber(v.toString()).value_or(0));
}

// Format(n, "0000") for a whole number: at least `digits` digits, the sign kept.
QString zeroFilled(qint64 n, int digits) {
    if (n < 0) return u'-' + QString::number(-n).rightJustified(digits, u'0');
    return QString::number(n).rightJustified(digits, u'0');
}

// Appends the text cut or filled to the width; nothing for no width. Built in place: a look-up
// formats every line it shows.
void appendPadCut(QString& out, QStringView text, int width, QChar fill) {
    if (width <= 0) return;
    if (text.size() >= width) {
        out += text.left(width);
        return;
    }
    out += text;
    out.resize(out.size() + width - text.size(), fill);
}

QString padCut(const QString& s, int width, QChar fill) {
    QString out;
    appendPadCut(out, s, width, fill);
    return out;
}

void beep() {
    QApplication::beep();
}

QString overflowMessage(const QString& value, int width) {
    return QStringLiteral("ｺｰﾄﾞ桁数ｵｰﾊﾞｰ｡実ﾃﾞｰﾀがｺｰﾄﾞ定義の桁数を超えています。（実ﾃﾞｰﾀ :") +
           value + QStringLiteral(" 定義 :") + QString::number(width) + QStringLiteral(" 桁 )");
}

bool isPlainNumber(const QString& v) {
    // Anchored at both ends: "$" alone would also let a final line break through.
    static const QRegularExpression re(
        QRegularExpression::anchoredPattern(QStringLiteral("[+-]?[0-9]+(\\.[0-9]+)?")));
    return re.match(v).hasMatch();
}

}  // namespace

int LookupColumn::widthValue() const {
    return toInt(Trim(width));
}

LookupState& lookupState() {
    return state();
}

void resetLookupState() {
    state() = LookupState{};
}

void setCodeReferenceView(CodeReferenceView* view) {
    g_view = view;
}
CodeReferenceView* codeReferenceView() {
    return g_view;
}

void setCodeSelectedHook(CodeSelectedHookFn hook) {
    selectedHook() = std::move(hook);
}

void CodeSelectedHook(Form& form, int itemNumber, const CodeSelection& selection) {
    if (const CodeSelectedHookFn& hook = selectedHook()) hook(form, itemNumber, selection);
}

void DeriveLineWidths() {
    LookupState& s = state();
    s.keyWidth = 0;
    for (const LookupColumn& c : s.keyColumns) s.keyWidth += c.widthValue();
    s.nameWidth = 0;
    for (const LookupColumn& c : s.nameColumns) s.nameWidth += c.widthValue() + 1;
}

// ---- statement assembly -------------------------------------------------------------------------

void BuildSelectList() {
    LookupState& s = state();
    QStringList keys;
    for (const LookupColumn& c : s.keyColumns) keys << Trim(c.name);
    s.selectList = keys.join(u',');
    s.keyColumnList = s.selectList;
    for (const LookupColumn& c : s.nameColumns) s.selectList += u',' + Trim(c.name);
}

QString ExtraConditionInForce() {
    const CodeDefinition& d = state().definition;
    const QString extra = Trim(d.extraCondition);
    if (extra.isEmpty()) return {};
    static const QStringList valid{QStringLiteral("X"), QStringLiteral("9"), QStringLiteral("N"),
                                   QStringLiteral("D"), QStringLiteral(" ")};
    if (!valid.contains(d.conditionAttribute)) {
        SystemLogReport(
            QStringLiteral("D6052"), common::code::BadConditionAttribute, 5, 3,
            QStringLiteral("ｺｰﾄﾞ管理 属性指定エラー (属性 = ") + d.conditionAttribute + u')');
        return {};
    }
    return extra;
}

const LookupKind& CurrentLookupKind() {
    const LookupState& s = state();
    const QString id = Trim(s.currentCodeId);
    const int count = std::min(s.kindCount, kMaxLookupKinds);
    for (int i = 1; i <= count; ++i)
        if (Trim(s.kinds[static_cast<size_t>(i)].codeId) == id)
            return s.kinds[static_cast<size_t>(i)];
    return s.kinds[0];
}

QString BuildSearchCondition(const QString& v, const QString& e) {
    const LookupState& s = state();
    const CodeDefinition& d = s.definition;
    const QString k = Trim(d.keyColumn);
    // The search text always stays inside its literal; a numeric key takes it bare only when it
    // is a plain number, as the search window makes sure.
    const QString quoted = da::literalContent(v, u'\'');
    const QString number = isPlainNumber(v) ? v : u'\'' + quoted + u'\'';
    QString c;
    if (v.isEmpty()) {
        c = e;
    } else {
        const bool numeric = d.keyAttribute == u"9";
        if (d.searchKind == u"2") {
            c = numeric ? k + QStringLiteral(" = ") + number
                        : k + QStringLiteral(" = '") + quoted + u'\'';
        } else if (numeric) {
            c = k + QStringLiteral(" => ") + number;
        } else if (v.size() != toInt(Trim(d.keyLength))) {
            // The typed text is matched as it is: only the "*" added after it is a wildcard.
            c = k + QStringLiteral(" LIKE '") + da::literalContent(da::likeLiteralText(v), u'\'') +
                QStringLiteral("*'");
        } else {
            c = k + QStringLiteral(" = '") + quoted + u'\'';
        }
        if (!e.isEmpty()) c += QStringLiteral(" AND ") + e;
    }
    const QString t = Trim(CurrentLookupKind().extraConditionTemplate);
    if (!t.isEmpty()) {
        if (!v.isEmpty() || !e.isEmpty()) {
            if (t.contains(QStringLiteral("%%")))
                c = ReplaceToken(t, c, QStringLiteral("%%"));
            else
                c = c + QStringLiteral(" AND ") + t;
        } else {
            c = t;
        }
    }
    return c;
}

QString BuildLookupStatement(const QString& v) {
    LookupState& s = state();
    BuildSelectList();
    const QString e = ExtraConditionInForce();
    const LookupKind& kind = CurrentLookupKind();
    const QString extraColumns = Trim(kind.extraColumns);
    const QString extraSelect = extraColumns.isEmpty() ? QString() : u',' + extraColumns;
    const QString c = BuildSearchCondition(v, e);
    QString sql = QStringLiteral("SELECT ") + s.selectList + extraSelect +
                  QStringLiteral(" FROM ") + s.tableName;
    if (!Trim(c).isEmpty()) sql += QStringLiteral(" WHERE ") + c;
    sql += s.orderClause;
    if (!Trim(kind.enablingText).isEmpty() && !Trim(kind.fixedSql).isEmpty() &&
        !Trim(kind.sqlTemplate).isEmpty()) {
        sql =
            v.isEmpty()
                ? Trim(kind.fixedSql)
                : Trim(InsertSearchValue(Trim(kind.sqlTemplate), v, QStringLiteral("%%Q_VALUE%%")));
    }
    return sql;
}

bool IsForbiddenSearchChar(QChar c) {
    return c == u'|' || c == u'\'' || c == u'[';
}

bool RefuseSearchText(const QString& searchText) {
    const QString v = Trim(searchText);
    const QString head =
        QStringLiteral("検索条件に使用出来ない文字が含まれています。") + kCrLf + kCrLf;
    for (QChar c : v) {
        if (IsForbiddenSearchChar(c)) {
            common::SystemLogReportValue(QStringLiteral("ｺｰﾄﾞ参照"),
                                         common::code::ForbiddenSearchText, 4, v,
                                         head + QStringLiteral("使用不可能文字 = | ' ["));
            return true;
        }
    }
    // A numeric key goes into the statement unquoted: only a plain number may stand there.
    if (!v.isEmpty() && state().definition.keyAttribute == u"9" && !isPlainNumber(v)) {
        common::SystemLogReportValue(
            QStringLiteral("ｺｰﾄﾞ参照"), common::code::ForbiddenSearchText, 4, v,
            head + QStringLiteral("数値のコードは数字で入力してください。"));
        return true;
    }
    return false;
}

QString ReplaceToken(const QString& text, const QString& replacement, const QString& token) {
    const QString t = Trim(token);
    QString work = Trim(text);
    try {
        if (t.isEmpty() || !work.contains(t)) return work;
        const QString r = Trim(replacement);
        qsizetype from = 0;
        qsizetype at;
        while ((at = work.indexOf(t, from)) >= 0) {
            // The occurrence's length is that of the token as given, blanks included.
            work = work.left(at) + r + work.mid(at + token.size());
            from = at + r.size();
        }
        return Trim(work);
    } catch (const std::exception&) {
        SystemLogReport(
            QStringLiteral("D6500"), common::code::LookupFailed, 3, 1,
            text + QStringLiteral(" -- ") + replacement + QStringLiteral(" -- ") + token);
        return Trim(text);
    }
}

QString InsertSearchValue(const QString& text, const QString& value, const QString& token) {
    const QString t = Trim(token);
    const QString work = Trim(text);
    if (t.isEmpty() || !work.contains(t)) return work;
    const QString v = Trim(value);
    QString out;
    out.reserve(work.size() + v.size() * 2);
    QChar quote;          // the quote of the literal the scan is in; null outside
    bool inLike = false;  // that literal is the pattern of a LIKE
    bool inName = false;  // inside [name]
    auto likeBefore = [&] {
        qsizetype end = out.size();
        while (end > 0 && out[end - 1].isSpace()) --end;
        qsizetype start = end;
        while (start > 0 && (out[start - 1].isLetterOrNumber() || out[start - 1] == u'_')) --start;
        return out.mid(start, end - start).compare(QStringLiteral("LIKE"), Qt::CaseInsensitive) ==
               0;
    };
    qsizetype i = 0;
    while (i < work.size()) {
        if (QStringView(work).mid(i).startsWith(t)) {
            if (!quote.isNull()) {
                out += da::literalContent(inLike ? da::likeLiteralText(v) : v, quote);
            } else if (inName) {
                out += QString(v).remove(u']');
            } else if (isPlainNumber(v) && v.front().isDigit()) {
                out += v;
            } else if (isPlainNumber(v)) {
                out += u'(' + v + u')';  // a sign never joins a "-" before it into a comment
            } else {
                out += da::dialectLiteral(v);
            }
            // The occurrence's length is that of the token as given, blanks included.
            i += std::max<qsizetype>(token.size(), 1);
            continue;
        }
        const QChar c = work[i];
        if (!quote.isNull()) {
            if (c == quote) {
                if (i + 1 < work.size() && work[i + 1] == quote) {
                    out += c;
                    out += c;
                    i += 2;
                    continue;
                }
                quote = QChar();
            }
        } else if (inName) {
            if (c == u']') inName = false;
        } else if (c == u'"' || c == u'\'') {
            inLike = likeBefore();
            quote = c;
        } else if (c == u'[') {
            inName = true;
        }
        out += c;
        ++i;
    }
    return Trim(out);
}

// ---- reading ------------------------------------------------------------------------------------

namespace {

// A key or name column as a row is formatted with it: width and name read once per look-up.
struct PreparedColumn {
    enum Kind { Text, DoubleByte, RightAligned, ZeroFilled } kind;
    int width;
    QString name;
};

struct PreparedColumns {
    std::vector<PreparedColumn> keys;
    std::vector<PreparedColumn> names;
    bool active = false;  // set while FillCodeList reads its rows
};

PreparedColumns& prepared() {
    return context().get<PreparedColumns>();
}

PreparedColumn prepare(const LookupColumn& c) {
    PreparedColumn p;
    p.kind = c.attribute == u"X"   ? PreparedColumn::Text
             : c.attribute == u"N" ? PreparedColumn::DoubleByte
             : c.attribute == u"9" ? PreparedColumn::RightAligned
                                   : PreparedColumn::ZeroFilled;
    p.width = c.widthValue();
    p.name = Trim(c.name);
    return p;
}

void prepareColumns() {
    PreparedColumns& p = prepared();
    p.keys.clear();
    p.names.clear();
    for (const LookupColumn& c : state().keyColumns) p.keys.push_back(prepare(c));
    for (const LookupColumn& c : state().nameColumns) p.names.push_back(prepare(c));
}

}  // namespace

void BuildCodeKey(QString& keyPart, QString& namePart) {
    PreparedColumns& p = prepared();
    if (!p.active) prepareColumns();
    keyPart.resize(0);
    namePart.resize(0);
    for (const PreparedColumn& col : p.keys) {
        const int width = col.width;
        if (col.kind == PreparedColumn::Text || col.kind == PreparedColumn::DoubleByte) {
            const QString read = da::getText(kCursor, col.name);
            const QStringView value = TrimView(read);
            if (value.size() > width) {
                SystemLogReport(QStringLiteral("D6053"), common::code::LookupOverflow, 1, 0,
                                overflowMessage(value.toString(), width));
                keyPart += value.left(width);
            } else {
                appendPadCut(keyPart, value, width, u' ');
            }
        } else {
            const qint64 n = toWhole(da::Q0700_NGET(kCursor, col.name));
            const QString digits = QString::number(n);
            if (digits.size() > width) {
                SystemLogReport(QStringLiteral("D6053"), common::code::LookupOverflow, 3, 0,
                                overflowMessage(digits, width));
            } else {
                keyPart += Right(zeroFilled(n, width), width);
            }
        }
    }
    for (const PreparedColumn& col : p.names) {
        const int width = col.width;
        switch (col.kind) {
            case PreparedColumn::Text:
            case PreparedColumn::DoubleByte: {
                const QChar fill = col.kind == PreparedColumn::Text ? QChar(u' ') : QChar(0x3000);
                const QString read = da::getText(kCursor, col.name);
                appendPadCut(namePart, TrimView(read), width, fill);
                namePart += fill;
                break;
            }
            case PreparedColumn::RightAligned:
                namePart += QString::number(toWhole(da::Q0700_NGET(kCursor, col.name)))
                                .rightJustified(width, u' ') +
                            u' ';
                break;
            case PreparedColumn::ZeroFilled:
                namePart += zeroFilled(toWhole(da::Q0700_NGET(kCursor, col.name)), width) + u' ';
                break;
        }
    }
}

int textWidthTwips(const QFont& font, const QString& text) {
    return platform::PixelsToTwips(QFontMetrics(font).horizontalAdvance(text));
}

int listLineWidthTwips(const CodeListBox* list, const QString& line) {
    qsizetype end = line.size();
    while (end > 0 && line.at(end - 1) == u' ') --end;
    return platform::PixelsToTwips(QFontMetrics(list->font()).horizontalAdvance(line.left(end)));
}

namespace {

// common::HalfWidthIsHalf measures some hundred characters: asked once for each font the list
// takes.
bool halfWidthIsHalf(const QFont& font) {
    struct Known {
        QFont font;
        bool halfIsHalf = false;
        bool valid = false;
    };
    Known& known = context().get<Known>();
    if (!known.valid || known.font != font) {
        known.font = font;
        known.halfIsHalf = common::HalfWidthIsHalf(font);
        known.valid = true;
    }
    return known.halfIsHalf;
}

}  // namespace

// The widest line of a list, found without shaping every line: in a face whose half-width
// characters are exactly half a full-width one, a line of more columns is the wider, so only
// the line of most columns and the lines of other characters are measured. The first of equally
// wide lines wins.
class WidestLine {
  public:
    explicit WidestLine(const CodeListBox* list)
        : list_(list), byColumns_(halfWidthIsHalf(list->font())) {}

    void offer(int index, const QString& line) {
        qsizetype end = line.size();
        while (end > 0 && line.at(end - 1) == u' ') --end;
        const int columns =
            byColumns_ ? common::FixedPitchColumns(QStringView(line).left(end)) : -1;
        if (columns >= 0) {
            if (columns > mostColumns_) {
                mostColumns_ = columns;
                byColumnsLine_ = {index, line};
            }
            return;
        }
        const int width = listLineWidthTwips(list_, line);
        if (width > measuredWidth_) {
            measuredWidth_ = width;
            measuredLine_ = {index, line};
        }
    }

    // The widest line and its width in twips (an empty line and 0 for no line).
    std::pair<QString, int> result() const {
        if (byColumnsLine_.first < 0) return {measuredLine_.second, measuredWidth_};
        const int width = listLineWidthTwips(list_, byColumnsLine_.second);
        const bool columnsWin =
            measuredLine_.first < 0 || width > measuredWidth_ ||
            (width == measuredWidth_ && byColumnsLine_.first < measuredLine_.first);
        if (width == 0 && measuredWidth_ == 0) return {QString(), 0};
        return columnsWin ? std::pair{byColumnsLine_.second, width}
                          : std::pair{measuredLine_.second, measuredWidth_};
    }

  private:
    const CodeListBox* list_;
    bool byColumns_;
    int mostColumns_ = -1;
    std::pair<int, QString> byColumnsLine_{-1, {}};
    int measuredWidth_ = 0;
    std::pair<int, QString> measuredLine_{-1, {}};
};

int listLineRoomTwips(const CodeListBox* list) {
    // The style draws a line's text inside a margin on either side, and the frame lies around.
    return std::max(120,
                    platform::PixelsToTwips(2 * list->textMargin() + 2 * list->frameWidth() + 1));
}

int listItemHeight(CodeListBox* list) {
    const int h = list->lineHeight();
    return h > 0 ? h : QFontMetrics(list->font()).height();
}

int listItemFromPoint(const CodeListBox* list, const QPoint& pos) {
    if (list->count() == 0 || !list->viewport()->rect().contains(pos)) return -1;
    const QModelIndex at = list->indexAt(pos);
    if (at.isValid()) return at.row();
    // Over the empty part of the list: the nearest line, which is the last one.
    const QRect first = list->visualLineRect(0);
    if (pos.y() < first.top()) return 0;
    return list->count() - 1;
}

namespace {

void closeCodeFile() {
    // The code file is opened and closed within OutputCodeName; nothing stays open here.
}

// The list's font at the look-up's size; its lines are never cut with an ellipsis.
void applyListFont(CodeListBox* list) {
    QFont font = list->font();
    font.setPointSize(state().fontSize > 0 ? state().fontSize : 9);
    list->setFont(font);
    list->setTextElideMode(Qt::ElideNone);
}

int extraColumnCount(const LookupKind& kind) {
    const QString list = Trim(kind.extraColumns);
    if (Trim(state().currentCodeId).isEmpty() || list.isEmpty()) return 0;
    return 1 + static_cast<int>(list.count(u','));
}

void readRows(CodeListBox* list, const QString& sql) {
    LookupState& s = state();
    // The list shows the limit's rows, and one more tells that there are more.
    da::ExpectRows(kCursor, qsizetype{s.rowLimit} + 1);
    QVariant status = da::Q0300_DECLARE(s.db, kCursor, sql, 0, QVariant());
    list->setVisible(true);
    list->clear();
    s.extraValues.clear();
    s.preselectIndex = -1;
    s.widestLine.clear();
    s.widestWidth = 0;
    applyListFont(list);
    const QString preselect = Trim(s.preselectText);
    const LookupKind& kind = CurrentLookupKind();
    const int extras = extraColumnCount(kind);
    const int base = static_cast<int>(s.keyColumns.size() + s.nameColumns.size());
    prepareColumns();
    prepared().active = true;
    struct Done {
        ~Done() { prepared().active = false; }
    } done;
    QStringList lines;
    lines.reserve(std::clamp(s.rowLimit, 0, 4096));
    QString keyPart;
    QString namePart;
    WidestLine widest(list);
    if (!(status.typeId() == QMetaType::Int && status.toInt() == da::kNoData)) {
        for (int i = 0; !(status.typeId() == QMetaType::Int && status.toInt() == da::kEndOfCursor);
             ++i) {
            if (i >= s.rowLimit) {
                platform::messageBox(QStringLiteral("データが") + QString::number(s.rowLimit) +
                                         QStringLiteral("件を超えました。") + kCrLf +
                                         QStringLiteral("絞り込み範囲を狭くしてください。"),
                                     padCut(common::commonArea().programId, 8, u' '),
                                     platform::Buttons::Ok, platform::Icon::Exclamation);
                break;
            }
            s.extraValues.emplace_back();
            BuildCodeKey(keyPart, namePart);
            QString line;
            line.reserve(keyPart.size() + 1 + namePart.size());
            line.append(keyPart).append(u' ').append(namePart);
            widest.offer(i, line);
            lines << std::move(line);
            if (s.preselectIndex == -1 && !preselect.isEmpty() && keyPart.startsWith(preselect))
                s.preselectIndex = i;
            QString& extra = s.extraValues.back();
            for (int j = 1; j <= extras; ++j) {
                const QVariant v = da::Q0710_GET(kCursor, static_cast<qint16>(base + j));
                extra += (v.isNull() ? QStringLiteral(" ") : v.toString()) + u',';
            }
            status = da::Q0500_FETCH(kCursor);
        }
    }
    std::tie(s.widestLine, s.widestWidth) = widest.result();
    list->setLines(lines, platform::TwipsToPixels(s.widestWidth));
    da::Q0600_DS_CLOSE(kCursor);
}

}  // namespace

void FillCodeList() {
    LookupState& s = state();
    CodeReferenceView* view = g_view;
    if (!view) return;
    CodeListBox* list = view->list();
    const QString v = Trim(view->searchText());
    bool cursorOpen = false;
    try {
        if (RefuseSearchText(v)) return;
        const QString sql = BuildLookupStatement(v);
        cursorOpen = true;
        readRows(list, sql);
        cursorOpen = false;
        SizeLookupList();
        view->applyListLayout();
        // The window comes up for a look-up under way again, however the host started it.
        s.ending = false;
        view->window()->show();
        view->window()->raise();
        view->window()->activateWindow();
        list->setFocus();
        if (list->count() > 0) list->setCurrentRow(s.preselectIndex >= 0 ? s.preselectIndex : 0);
    } catch (const std::bad_alloc&) {
        if (cursorOpen) da::Q0600_DS_CLOSE(kCursor);
        beep();
        SystemLogReport(QStringLiteral("D6040"), common::code::LookupOverflow, 3, kOutOfMemory,
                        QStringLiteral("メモリが不足しています。"));
        closeCodeFile();
    } catch (const RuntimeError& e) {
        SystemLogReport(QStringLiteral("D6040"), common::code::LookupFailed, 3, e.number(),
                        e.description());
        closeCodeFile();
        CloseCodeLookup();
    } catch (const std::exception& e) {
        SystemLogReport(QStringLiteral("D6040"), common::code::LookupFailed, 3, 0,
                        QString::fromLocal8Bit(e.what()));
        closeCodeFile();
        CloseCodeLookup();
    }
}

void SizeLookupList() {
    LookupState& s = state();
    if (!g_view) return;
    CodeListBox* list = g_view->list();
    applyListFont(list);
    const int lineHeight = platform::PixelsToTwips(listItemHeight(list));
    const int maxLines = lineHeight > 0 ? 2010 / lineHeight : 0;
    const int count = list->count();
    int height;
    if (count > maxLines) {
        height = maxLines * lineHeight + 30;
        s.listHasScrollBar = true;
    } else {
        height = (count == 0 ? 1 : count) * lineHeight + 30;
        s.listHasScrollBar = false;
    }
    const int w = s.widestWidth + listLineRoomTwips(list);
    const int e = s.listHasScrollBar ? 240 : 0;
    int controlWidth = 0;
    if (s.callingForm && s.callingControl >= 0)
        controlWidth = s.callingForm->control(s.callingControl).width();
    const QString kind = s.definition.searchKind;
    int width;
    if (s.sourceMode == u"1" || (s.sourceMode == u"2" && kind == u" ")) {
        width = w < controlWidth ? controlWidth + e : w + e;
    } else if (s.sourceMode == u"2" && (kind == u"1" || kind == u"2")) {
        width = w < 1700 + e ? 1700 + e : w + e;
        if (controlWidth > width) width = controlWidth;
    } else {
        width = w;
    }
    const int screenWidth = platform::PixelsToTwips(platform::ScreenArea().width());
    if (screenWidth > 0 && width > screenWidth - 2700) width = screenWidth - 2700;
    list->setVerticalScrollBarPolicy(s.listHasScrollBar ? Qt::ScrollBarAlwaysOn
                                                        : Qt::ScrollBarAlwaysOff);
    list->resize(platform::TwipsToPixels(width), platform::TwipsToPixels(height));
}

void OutputCodeName() {
    LookupState& s = state();
    if (!g_view || !s.callingForm || s.callingControl < 0) return;
    Form& form = *s.callingForm;
    Control control = form.control(s.callingControl);
    const int itemNumber = tagItemNumber(control.tag()).value_or(-1);
    const ItemRecord* item = helperContext().item(itemNumber);
    if (!item) return;
    s.currentCodeId = item->codeId;
    const QString nameItemId = item->nameItemId;
    const QString itemId = item->itemId;

    CodeListBox* list = g_view->list();
    const int index = list->currentRow();
    if (index < 0) return;
    const QString line = list->lineText(index);

    s.chosenValues.fill(QString());
    if (s.sourceMode == u"1") {
        QFile file(s.codeFile);
        const qint64 recordLength = 2LL * s.codeFileRecordWidth;
        if (recordLength > 0 && file.open(QIODevice::ReadOnly) &&
            file.seek((index + 3 - 1) * recordLength)) {
            const QString record = platform::decodeCp932(file.read(recordLength));
            const QString extra =
                Trim(record.mid(s.keyWidth + 1 + s.nameWidth, s.codeFileExtraLength));
            const QStringList fields = extra.split(u'\t');
            for (int i = 0; i < fields.size() && i < kMaxChosenValues; ++i)
                s.chosenValues[static_cast<size_t>(i)] = fields[i];
        }
    } else if (index < static_cast<int>(s.extraValues.size())) {
        const QString& extra = s.extraValues[static_cast<size_t>(index)];
        if (extra.size() > 1) {
            const QStringList fields = extra.split(u',');
            for (int i = 0; i < fields.size() && i < kMaxChosenValues; ++i)
                s.chosenValues[static_cast<size_t>(i)] = fields[i];
        }
    }

    const QString code = Trim(line.left(s.keyWidth));
    SetItemValue(form, s.callingControl, code);
    CheckItemChanged(form, s.callingControl);
    ResetItemAppearance(form, s.callingControl);

    if (!Trim(nameItemId).isEmpty()) {
        int nameControl = -1;
        bool notFound = true;
        FindItemControl(nameItemId, nameControl, notFound, form, s.callingControl);
        if (notFound) {
            beep();
            SystemLogReport(QStringLiteral("D6020"), common::code::NoNameItem, 3, 0,
                            QStringLiteral("名称出力領域がありません(") + nameItemId + u')');
            return;
        }
        // The name goes in without the padding of the list line (blanks and full-width blanks).
        QString name = line.mid(s.keyWidth + 1, s.nameWidth);
        while (!name.isEmpty() && (name.back() == u' ' || name.back() == QChar(0x3000)))
            name.chop(1);
        SetItemValue(form, nameControl, Trim(name));
    }
    CommitItemDisplay(form, itemNumber, s.callingControl);

    s.chosenCode = line.left(s.keyWidth);
    s.chosenName = line.mid(s.keyWidth + 1, s.nameWidth);
    s.chosenCodeId = item->codeId;
    s.chosenItemId = itemId;
    CodeSelection selection;
    selection.code = s.chosenCode;
    selection.name = s.chosenName;
    selection.codeId = s.chosenCodeId;
    selection.itemId = s.chosenItemId;
    selection.values = s.chosenValues;
    CodeSelectedHook(form, itemNumber, selection);
}

void CloseCodeLookup() {
    LookupState& s = state();
    if (s.ending) return;
    s.ending = true;
    if (g_view) g_view->window()->hide();
    if (s.callingForm) {
        Form& form = *s.callingForm;
        if (QWidget* w = form.window()) {
            w->show();
            w->activateWindow();
        }
        if (s.callingControl >= 0 && s.callingControl < form.controlCount()) {
            ResetItemAppearance(form, s.callingControl);
            ResetItemForeColor(form, s.callingControl);
            Control control = form.control(s.callingControl);
            s.pendingText.clear();
            control.setTag(tagHeader(control.tag()) + control.text());
            control.setFocus();
        }
    }
    s.pendingText.clear();
}

void PlaceLookupWindow(QWidget* window) {
    const LookupState& s = state();
    if (!window || !s.callingForm || s.callingControl < 0) return;
    Form& form = *s.callingForm;
    Control control = form.control(s.callingControl);
    QWidget* w = control.widget();
    if (!w) return;
    int sumTop = 0;
    int sumLeft = 0;
    for (QWidget* c = w; c && c != form.window(); c = c->parentWidget()) {
        sumTop += platform::PixelsToTwips(c->y());
        sumLeft += platform::PixelsToTwips(c->x());
    }
    const bool menuBar =
        Mid(form.tag(), kFormTagMenuBar, 1).compare(u"M", Qt::CaseInsensitive) == 0;
    const int controlHeight = control.height();
    int top = form.top() + sumTop + controlHeight + 330 + (menuBar ? 295 : 0);
    int left = form.left() + sumLeft + 45;
    const int height = platform::PixelsToTwips(window->height());
    const int width = platform::PixelsToTwips(window->width());
    if (const QRect screen = platform::ScreenArea(); !screen.isNull()) {
        const int screenHeight = platform::PixelsToTwips(screen.height());
        const int screenWidth = platform::PixelsToTwips(screen.width());
        if (top + height > screenHeight)
            top = top - height - controlHeight + 60 - (menuBar ? 70 : 0);
        if (left + width > screenWidth) left = screenWidth - width;
    }
    window->move(platform::TwipsToPixels(left), platform::TwipsToPixels(top));
}

}  // namespace tav::formhelper
