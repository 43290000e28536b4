#include "helper_context.h"

#include "common/display_format.h"
#include "platform/context.h"
#include "platform/text.h"

namespace tav::formhelper {

using text::Mid;
using text::Trim;

HelperContext& helperContext() {
    HelperContext& ctx = context().get<HelperContext>();
    // The display formats take an item's length, decimals and input type from here.
    auto& lookup = common::displayFormatSettings().itemAttributes;
    if (!lookup) {
        lookup = [](int n) {
            const ItemRecord* r = helperContext().item(n);
            if (!r) return common::FormatItemAttributes{};
            return common::FormatItemAttributes{r->maxLength, r->decimals, r->inputType};
        };
    }
    return ctx;
}

const FormRecord* HelperContext::currentForm() const {
    if (currentFormEntry < 0 || currentFormEntry >= static_cast<int>(forms.size())) return nullptr;
    return &forms[static_cast<size_t>(currentFormEntry)];
}

const ItemRecord* HelperContext::item(int n) const {
    if (n < 0 || n >= static_cast<int>(items.size())) return nullptr;
    return &items[static_cast<size_t>(n)];
}

ItemRecord* HelperContext::item(int n) {
    if (n < 0 || n >= static_cast<int>(items.size())) return nullptr;
    return &items[static_cast<size_t>(n)];
}

bool HelperContext::inCurrentForm(int n) const {
    const FormRecord* f = currentForm();
    return f && item(n) && n >= f->firstItem && n <= f->lastItem;
}

void HelperContext::resetChangeFlags() {
    changeFlags = QString(qMax<qsizetype>(static_cast<qsizetype>(items.size()), 1), u'0');
    int columns = 1;
    for (const ItemRecord& r : items) columns = qMax(columns, r.column + 1);
    rowChangeFlags.assign(100, QString(columns, u'0'));
}

void HelperContext::resetErrorTracking() {
    firstErrorTabIndex = std::numeric_limits<int>::max();
    firstErrorControlIndex = -1;
}

int HelperContext::findForm(const QString& formId) const {
    const QString wanted = Trim(formId).toUpper();
    for (size_t i = 0; i < forms.size(); ++i)
        if (Trim(forms[i].formId).toUpper() == wanted) return static_cast<int>(i);
    return -1;
}

QString tagField(const QString& tag, TagField field) {
    return Mid(tag, field.position, field.length);
}

QString tagHeader(const QString& tag) {
    return text::FixedWidth(tag.left(kTagHeaderLength), kTagHeaderLength);
}

std::optional<int> tagItemNumber(const QString& tag) {
    const QString n = Trim(tagField(tag, kTagItemNumber));
    if (n.isEmpty()) return std::nullopt;
    int v = 0;
    for (QChar c : n) {
        if (c < u'0' || c > u'9') return std::nullopt;
        v = v * 10 + (c.unicode() - u'0');
    }
    return v;
}

std::optional<int> tagRow(const QString& tag) {
    const QString r = Trim(tagField(tag, kTagRow));
    if (r.isEmpty()) return std::nullopt;
    int v = 0;
    for (QChar c : r) {
        if (c < u'0' || c > u'9') return std::nullopt;
        v = v * 10 + (c.unicode() - u'0');
    }
    return v;
}

QString makeItemTag(int itemNumber, std::optional<int> row) {
    const ItemRecord* r = helperContext().item(itemNumber);
    QString tag = text::FixedWidth(r ? r->itemId : QString(), kTagItemId.length);
    tag += u' ';
    tag += text::ZeroPad(itemNumber, kTagItemNumber.length).right(kTagItemNumber.length);
    tag += row ? text::ZeroPad(*row, kTagRow.length).right(kTagRow.length) : QString(kTagRow.length, u' ');
    tag += QString(kTagHeaderLength - tag.size(), u' ');
    return tag;
}

int bindItemControls(Form& form) {
    const HelperContext& ctx = helperContext();
    form.clearControlMaps();
    int unknown = 0;
    for (int i = 0; i < form.controlCount(); ++i) {
        const QString tag = form.control(i).tag();
        if (Trim(tag).isEmpty()) continue;
        const auto n = tagItemNumber(tag);
        const ItemRecord* r = n ? ctx.item(*n) : nullptr;
        if (!r) {
            ++unknown;
            continue;
        }
        const auto row = tagRow(tag);
        if (r->column >= 0 && row)
            form.setBlockControl(r->column, *row, i);
        else
            form.setItemControl(*n, i);
    }
    return unknown;
}

}  // namespace tav::formhelper
