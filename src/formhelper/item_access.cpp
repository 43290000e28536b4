#include "item_access.h"

#include "common/report_codes.h"
#include "common/display_format.h"
#include "common/system_log.h"
#include "helper_context.h"
#include "platform/text.h"

namespace tav::formhelper {

using common::FormatById;
using common::SystemLogReport;
using common::UnformatById;
using text::Mid;
using text::Trim;

namespace {

// The control at the index; a missing one is reported and gives a null control.
Control controlAt(Form& form, int index, const char* place) {
    Control c = form.control(index);
    if (c.isNull())
        SystemLogReport(
            QString::fromLatin1(place), common::code::NoSuchItem, 3, index,
            QStringLiteral("コントロールがありません(INDEX=") + QString::number(index) + u')');
    return c;
}

// The item named by the control's tag; an item number outside the item table is reported.
ItemRecord* itemOf(const Control& c, const char* place, int* itemNumber = nullptr) {
    const QString tag = c.tag();
    const auto n = tagItemNumber(tag);
    ItemRecord* r = n ? helperContext().item(*n) : nullptr;
    if (!r) {
        SystemLogReport(QString::fromLatin1(place), common::code::NoSuchItem, 3, c.index(),
                        QStringLiteral("項目テーブルにない項目です(TAG=") + tag + u')');
        return nullptr;
    }
    if (itemNumber) *itemNumber = *n;
    return r;
}

void storeRaw(Control& c, const QString& raw) {
    c.setTag(tagHeader(c.tag()) + raw);
}

void setFlag(QString& flags, int position, QChar flag) {
    if (flags.size() < position) flags += QString(position - flags.size(), u'0');
    flags[position - 1] = flag;
}

}  // namespace

void SetItemValue(Form& form, int controlIndex, const QString& value) {
    Control c = controlAt(form, controlIndex, "D0200");
    if (c.isNull()) return;
    const ControlKind kind = c.kind();
    if (kind == ControlKind::CommandButton || kind == ControlKind::Other) {
        SystemLogReport(QStringLiteral("D0200"), common::code::UnsupportedControl, 3, controlIndex,
                        QStringLiteral("未対応のTypeです(TAG=") + c.tag());
        return;
    }
    int itemNumber = -1;
    const ItemRecord* item = itemOf(c, "D0200", &itemNumber);
    if (!item) return;
    const QString id = item->formatId;

    QString v = id == u"60" ? common::ToEraDate(value) : value;
    // Empty dates are shown and stored empty.
    if (id == u"52" && v == u"00000000") v.clear();
    if (id == u"53") v = v == u"000000" ? QString() : text::Right(v, 6);
    if ((id == u"54" || id == u"56") && v == u"000000") v.clear();
    if ((id == u"55" || id == u"57" || id == u"58" || id == u"59") && v == u"0000") v.clear();

    switch (kind) {
        case ControlKind::Label:
            storeRaw(c, UnformatById(id, v));
            c.setCaption(FormatById(id, v, itemNumber));
            break;
        case ControlKind::OptionButton: {
            const QString t = Trim(v);
            if (t == u"1") c.setValue(1);
            if (t == u"0" || t.isEmpty()) c.setValue(0);
            break;
        }
        case ControlKind::CheckBox:
            if (v == u"1") c.setValue(1);
            if (v == u"0" || v.isEmpty()) c.setValue(0);
            break;
        default: {  // text box, combo box
            storeRaw(c, UnformatById(id, v));
            c.setText(QString());
            const HelperContext& ctx = helperContext();
            const bool editing = ctx.activeForm == &form && ctx.focusControlIndex == controlIndex;
            if (id == u"00")
                c.setText(FormatById(id, v, itemNumber));
            else if (editing)
                c.setText(text::RTrim(v));
            else
                c.setText(FormatById(id, v, itemNumber));
            break;
        }
    }
}

void CommitItemDisplay(Form& form, int itemNumber, int controlIndex) {
    Control c = controlAt(form, controlIndex, "D0210");
    if (c.isNull()) return;
    const ItemRecord* item = helperContext().item(itemNumber);
    if (!item) {
        SystemLogReport(QStringLiteral("D0210"), common::code::NoSuchItem, 3, controlIndex,
                        QStringLiteral("項目テーブルにない項目です(TAG=") + c.tag() + u')');
        return;
    }
    const QString id = item->formatId;
    const QString shown = c.text();
    storeRaw(c, UnformatById(id, shown));
    if (id == u"00") return;
    c.setSelStart(0);
    const HelperContext& ctx = helperContext();
    const bool reformat = (ctx.ReformatOnExit && !ctx.ReformatSuppressed) ||
                          (!ctx.ReformatOnExit && !ctx.KeepRawOnExit);
    if (reformat && item->maxLength >= Trim(shown).size()) {
        c.setText(FormatById(id, shown, itemNumber));
        c.setSelStart(0);  // the field shows from its start, as before the new text
    }
}

void CheckItemChanged(Form& form, int controlIndex) {
    Control c = controlAt(form, controlIndex, "D0220");
    if (c.isNull()) return;
    const QString tag = c.tag();
    const QString stored = Mid(tag, kTagValueStart, static_cast<int>(Trim(tag).size()));
    if (stored != c.text()) MarkItemChanged(form, controlIndex, true);
}

void MarkItemChanged(Form& form, int controlIndex, bool changed) {
    Control c = controlAt(form, controlIndex, "D0230");
    if (c.isNull()) return;
    int itemNumber = -1;
    const ItemRecord* item = itemOf(c, "D0230", &itemNumber);
    if (!item) return;
    HelperContext& ctx = helperContext();
    const QChar flag = changed ? u'1' : u'0';
    const auto row = tagRow(c.tag());
    if (row && item->column >= 0) {
        if (ctx.rowChangeFlags.size() <= static_cast<size_t>(*row))
            ctx.rowChangeFlags.resize(static_cast<size_t>(*row) + 1);
        setFlag(ctx.rowChangeFlags[static_cast<size_t>(*row)], item->column + 1, flag);
    } else {
        setFlag(ctx.changeFlags, itemNumber + 1, flag);
    }
}

void FindItemControl(const QString& itemId, int& controlIndex, bool& notFound, Form& form,
                     int currentControlIndex) {
    notFound = true;
    const HelperContext& ctx = helperContext();
    const FormRecord* f = ctx.currentForm();
    if (!f) return;
    const QString wanted = Trim(itemId).toUpper();
    for (int n = f->firstItem; n <= f->lastItem; ++n) {
        const ItemRecord* r = ctx.item(n);
        if (!r || Trim(r->itemId).toUpper() != wanted) continue;
        int found = -1;
        if (r->column < 0) {
            found = form.itemControl(n);
        } else {
            const auto row = tagRow(form.control(currentControlIndex).tag());
            if (row) found = form.blockControl(r->column, *row);
        }
        // An item without a control on this form is not found either.
        if (found < 0) return;
        controlIndex = found;
        notFound = false;
        return;
    }
}

void SetItemErrorFlag(Form& form, int controlIndex, const QString& flag) {
    Control c = controlAt(form, controlIndex, "D0250");
    if (c.isNull()) return;
    QString t = c.tag();
    if (t.size() < 100) t += QString(100 - t.size(), u' ');  // the whole tag is kept
    t[kTagErrorFlag.position - 1] = flag.isEmpty() ? QChar(u' ') : flag[0];
    c.setTag(Trim(t));
    HelperContext& ctx = helperContext();
    if (flag == u"1" && c.tabIndex() < ctx.firstErrorTabIndex) {
        ctx.firstErrorTabIndex = c.tabIndex();
        ctx.firstErrorControlIndex = controlIndex;
    }
}

void ResetItemAppearance(Form& form, int controlIndex) {
    Control c = controlAt(form, controlIndex, "D0260");
    if (c.isNull()) return;
    const HelperContext& ctx = helperContext();
    const auto n = tagItemNumber(c.tag());
    ItemRecord* item = n ? helperContext().item(*n) : nullptr;
    if (item) {
        item->workValue = 0;
        item->workFlag = 0;
    }
    switch (c.kind()) {
        case ControlKind::TextBox:
        case ControlKind::ComboBox: {
            const QString cls = item ? item->inputClass : QString();
            const bool input = cls == u"1" || cls == u"2" || cls == u"3" || cls == u"4";
            c.setBackColor(input ? ctx.inputBackColor : ctx.normalBackColor);
            break;
        }
        case ControlKind::Label:
            break;
        default:
            c.setBackColor(form.backColor());
            break;
    }
}

void ResetItemForeColor(Form& form, int controlIndex) {
    Control c = controlAt(form, controlIndex, "D0270");
    if (c.isNull()) return;
    c.setForeColor(helperContext().normalForeColor);
    SetItemErrorFlag(form, controlIndex, QStringLiteral(" "));
}

}  // namespace tav::formhelper
