#include "debugger_modes.h"

#include <optional>

#include "common/display_format.h"
#include "helper_context.h"
#include "platform/text.h"

namespace tav::formhelper {

using text::Trim;

namespace {

// The debugged form, when it has at least two controls.
Form* debuggedForm() {
    Form* f = helperContext().activeForm;
    if (!f || f->controlCount() - 1 <= 0) return nullptr;
    return f;
}

bool isTextKind(ControlKind k) {
    return k == ControlKind::TextBox || k == ControlKind::ComboBox;
}
bool isSixKinds(ControlKind k) {
    return k != ControlKind::Other;
}

// The item of a tagged control that lies in the current form entry.
const ItemRecord* formItemOf(const Control& c, int* number = nullptr) {
    if (Trim(c.tag()).isEmpty()) return nullptr;
    const auto n = tagItemNumber(c.tag());
    const HelperContext& ctx = helperContext();
    if (!n || !ctx.inCurrentForm(*n)) return nullptr;
    if (number) *number = *n;
    return ctx.item(*n);
}

Colour colourOfText(const QString& t) {
    return static_cast<Colour>(Trim(t).toULongLong());
}

}  // namespace

std::optional<Colour> groupColour(QChar g) {
    static const Colour colours[10] = {255,      65535, 65280,    16776960, 16744576,
                                       16711935, 33023, 12648384, 12632319, 14737632};
    if (g < u'0' || g > u'9') return std::nullopt;
    return colours[g.unicode() - u'0'];
}

void SaveControlStates() {
    HelperContext& ctx = helperContext();
    ctx.savedStates.clear();
    Form* f = ctx.activeForm;
    if (!f) return;
    for (int i = 0; i < f->controlCount(); ++i) {
        Control c = f->control(i);
        SavedControlState s;
        const ControlKind k = c.kind();
        // The whole text is kept so that a reset never shortens what a field held.
        s.text = isTextKind(k) ? Trim(c.text()) : c.caption();
        if (isSixKinds(k)) {
            s.backColor = text::FixedWidth(QString::number(c.backColor()), 12);
            if (k != ControlKind::CommandButton)
                s.foreColor = text::FixedWidth(QString::number(c.foreColor()), 12);
        }
        s.visible = c.visible();
        s.enabled = c.enabled();
        ctx.savedStates.push_back(s);
    }
}

void RestoreControlStates() {
    Form* f = debuggedForm();
    if (!f) return;
    const auto& saved = helperContext().savedStates;
    const int n = qMin(f->controlCount(), static_cast<int>(saved.size()));
    for (int i = 0; i < n; ++i) {
        Control c = f->control(i);
        const SavedControlState& s = saved[static_cast<size_t>(i)];
        const ControlKind k = c.kind();
        c.setVisible(s.visible);
        c.setEnabled(s.enabled);
        if (!isSixKinds(k)) continue;
        c.setText(isTextKind(k) ? Trim(s.text) : s.text);
        c.setBackColor(colourOfText(s.backColor));
        if (k != ControlKind::CommandButton) c.setForeColor(colourOfText(s.foreColor));
    }
}

void ShowTags() {
    Form* f = debuggedForm();
    if (!f) return;
    for (int i = 0; i < f->controlCount(); ++i) {
        Control c = f->control(i);
        // Controls of other kinds have no colour or text to show the tag in.
        if (c.tag().isEmpty() || !isSixKinds(c.kind())) continue;
        c.setBackColor(kHighlightColour);
        c.setVisible(true);
        c.setText(c.tag());
    }
}

void ShowTypeCodes() {
    Form* f = debuggedForm();
    if (!f) return;
    const HelperContext& ctx = helperContext();
    for (int i = 0; i < f->controlCount(); ++i) {
        Control c = f->control(i);
        if (Trim(c.tag()).isEmpty() || !isSixKinds(c.kind())) continue;
        const auto n = tagItemNumber(c.tag());
        const ItemRecord* r = n ? ctx.item(*n) : nullptr;
        if (!r) continue;
        c.setText(r->typeCode);
        if (r->typeCode != kindCode(c.kind())) c.setBackColor(kHighlightColour);
        c.setVisible(true);
        c.setEnabled(true);
    }
}

void ShowGroups() {
    Form* f = debuggedForm();
    if (!f) return;
    for (int i = 0; i < f->controlCount(); ++i) {
        Control c = f->control(i);
        if (!isSixKinds(c.kind())) continue;
        const ItemRecord* r = formItemOf(c);
        if (!r) continue;
        const QChar g = r->group.isEmpty() ? QChar(u' ') : r->group[0];
        if (auto colour = groupColour(g)) c.setBackColor(*colour);
        c.setText(r->group);
        c.setVisible(true);
        c.setEnabled(true);
    }
}

void ShowCodeIds() {
    Form* f = debuggedForm();
    if (!f) return;
    const HelperContext& ctx = helperContext();
    for (int i = 0; i < f->controlCount(); ++i) {
        Control c = f->control(i);
        const ControlKind k = c.kind();
        if (!isSixKinds(k)) continue;
        const ItemRecord* r = formItemOf(c);
        if (!r) continue;
        const QString code = Trim(text::FixedWidth(r->codeId, 8));
        const QString cls = r->inputClass;
        const bool input = cls.size() == 1 && cls[0] >= u'1' && cls[0] <= u'7';
        if (input) {
            c.setBackColor(ctx.codeCheckBaseColor);
            if (!code.isEmpty()) {
                c.setText(code);
                c.setBackColor(kCodeColour);
            } else {
                c.setText(QString());
            }
        } else if (!code.isEmpty()) {
            if (isTextKind(k) || k == ControlKind::Label) c.setText(code);
            c.setForeColor(ctx.codeCheckMarkColor);
        }
    }
}

QString sampleText(const QString& type) {
    auto rep = [](const QString& s, int n) { return s.repeated(n); };
    if (type == u"9 ") return u'-' + rep(QStringLiteral("9"), 67) + u'-';
    if (type == u"9+") return u'+' + rep(QStringLiteral("9"), 67) + u'+';
    if (type == u"99") return rep(QStringLiteral("9"), 68);
    if (type == u"XX") return rep(QStringLiteral("X"), 68);
    if (type == u"XA") return rep(QStringLiteral("XA"), 34);
    if (type == u"X ") return rep(QStringLiteral(".X"), 34);
    if (type == u"A ") return rep(QStringLiteral("Aa"), 34);
    if (type == u"AA") return rep(QStringLiteral("A"), 68);
    if (type == u"Aa") return rep(QStringLiteral("a"), 68);
    if (type == u"K ") return QStringLiteral("ｶﾅ") + rep(QStringLiteral("ｱ"), 79);
    if (type == u"N ") return QStringLiteral("日本語") + rep(QStringLiteral("あ"), 38);
    if (type == u"D " || type == u"D2" || type == u"D4") return QStringLiteral("22222222");
    if (type == u"D6" || type == u"D7") return QStringLiteral("11111111");
    return {};
}

void AttributeSampleFill() {
    Form* f = debuggedForm();
    if (!f) return;
    for (int i = 0; i < f->controlCount(); ++i) {
        Control c = f->control(i);
        int number = -1;
        const ItemRecord* r = formItemOf(c, &number);
        if (!r) continue;
        const QString sample = sampleText(r->inputType);
        const int L = r->maxLength, d = r->decimals;
        int take;
        if (d != 0)
            take = L >= d + 1 ? L - d - 1 : L;
        else if (r->inputType.startsWith(u'N'))
            take = static_cast<int>(std::nearbyint(L / 2.0));  // a half goes to the even number
        else
            take = L;
        const QString shown = common::FormatById(r->formatId, text::Left(sample, take), number);
        const ControlKind k = c.kind();
        if (isTextKind(k) || k == ControlKind::Label) c.setText(shown);
        c.setVisible(true);
        c.setEnabled(true);
    }
}

}  // namespace tav::formhelper
