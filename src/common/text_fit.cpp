#include "text_fit.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextDocument>
#include <QTextLayout>
#include <QWidget>
#include <algorithm>

namespace tav::common {

namespace {

// The widest of the lines in the font.
int widest(const QFont& font, const QStringList& lines) {
    const QFontMetrics metrics(font);
    int w = 0;
    for (const QString& line : lines) w = std::max(w, metrics.horizontalAdvance(line));
    return w;
}

}  // namespace

QFont FontNarrowedToFit(QFont font, const QStringList& lines, int available) {
    font.setStretch(QFont::Unstretched);
    if (available <= 0) return font;
    const int needed = widest(font, lines);
    if (needed <= available) return font;
    // Advances are rounded glyph by glyph, so the estimate is checked and stepped down.
    for (int stretch = std::max(75, available * 100 / needed); stretch >= 75; --stretch) {
        font.setStretch(stretch);
        if (widest(font, lines) <= available) break;
    }
    return font;
}

QFont FontNarrowedToFit(QFont font, const QString& text, int available) {
    return FontNarrowedToFit(std::move(font), QStringList{text}, available);
}

void FitTextToWidth(QWidget* widget, const QString& text, int available) {
    widget->setFont(FontNarrowedToFit(widget->font(), text, available));
}

void FitLabel(QLabel* label) {
    FitTextToWidth(label, label->text(), label->contentsRect().width() - 1);
}

void FitBoxText(QPlainTextEdit* box) {
    const int available = box->width() - 2 * box->frameWidth() -
                          2 * static_cast<int>(box->document()->documentMargin()) - 2;
    box->setFont(FontNarrowedToFit(box->font(), box->toPlainText().split(u'\n'), available));
}

void ShowLabelsAsText(QWidget* window) {
    if (!window) return;
    if (auto* l = qobject_cast<QLabel*>(window)) l->setTextFormat(Qt::PlainText);
    for (QLabel* l : window->findChildren<QLabel*>()) l->setTextFormat(Qt::PlainText);
}

namespace {

// The first line of the text that fits the width, broken where the line-breaking rules allow
// (anywhere when no break opportunity fits); its length in characters.
int firstLineLength(const QFont& font, const QString& text, int width) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    int length = text.size();
    if (line.isValid()) {
        line.setLineWidth(width);
        length = std::max(1, line.textLength());
    }
    layout.endLayout();
    return length;
}

}  // namespace

QStringList CaptionLines(const QFont& font, const QString& text, int width, int maxLines) {
    const QFontMetrics fm(font);
    if (maxLines < 1) maxLines = 1;
    if (width <= 0 || fm.horizontalAdvance(text) <= width) return {text};
    QStringList lines;
    QString rest = text;
    while (lines.size() < maxLines - 1 && fm.horizontalAdvance(rest) > width) {
        int n = firstLineLength(font, rest, width);
        // A break at the last blank keeps a key name such as "(F2)" whole when the rest then
        // fits the next line.
        const int blank = rest.lastIndexOf(u' ', n);
        if (blank > 0 && lines.size() == maxLines - 2 && blank < n &&
            fm.horizontalAdvance(rest.mid(blank + 1)) <= width &&
            fm.horizontalAdvance(rest.left(blank)) <= width)
            n = blank + 1;
        lines << rest.left(n).trimmed();
        rest = rest.mid(n);
        while (rest.startsWith(u' ')) rest.remove(0, 1);
    }
    lines << fm.elidedText(rest, Qt::ElideRight, width);
    return lines;
}

int CaptionButton::textWidth() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    return std::max(1, std::min(contents.width(), width() - 12));
}

int CaptionButton::lineRoom() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    return std::clamp(contents.height() / std::max(1, QFontMetrics(font()).height()), 1, 2);
}

CaptionButton::Caption CaptionButton::fitCaption() const {
    Caption c{font(), {}};
    // Full width is the button's own font with any narrowing taken off. A font that asks for no
    // width keeps asking for none: it is then the face the window's other texts of that font
    // already loaded, and the first paint looks up no face of its own.
    if (c.font.stretch() != QFont::AnyStretch) c.font.setStretch(QFont::Unstretched);
    const QString caption = text();
    const int width = textWidth();
    const int lines = lineRoom();
    c.lines = CaptionLines(c.font, caption, width, lines);
    if (c.lines.constLast().endsWith(QChar(0x2026))) {
        // Two lines at full width do not hold it: as narrow as needed, down to 75 %.
        for (int stretch = 99; stretch >= 75; --stretch) {
            c.font.setStretch(stretch);
            c.lines = CaptionLines(c.font, caption, width, lines);
            if (!c.lines.constLast().endsWith(QChar(0x2026))) break;
        }
    }
    return c;
}

QFont CaptionButton::shownFont() const {
    return fitCaption().font;
}

QStringList CaptionButton::shownLines() const {
    return fitCaption().lines;
}

void CaptionButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    p.drawControl(QStyle::CE_PushButton, option);
    if (text().isEmpty()) return;
    // The caption is fitted once a paint: each fitting lays the text out anew.
    const Caption caption = fitCaption();
    p.setFont(caption.font);
    const QFontMetrics fm(caption.font);
    const int height = fm.height() * static_cast<int>(caption.lines.size());
    int y = (this->height() - height) / 2;
    if (isDown()) y += style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this);
    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    for (const QString& line : caption.lines) {
        p.drawText(QRect(0, y, width(), fm.height()), Qt::AlignHCenter | Qt::AlignVCenter, line);
        y += fm.height();
    }
}

bool HalfWidthIsHalf(const QFont& font) {
    const QFontMetricsF fm(font);
    const qreal full = fm.horizontalAdvance(QChar(0x6F22));  // 漢
    if (full <= 0) return false;
    for (char16_t u = 0x20; u < 0x7F; ++u)
        if (fm.horizontalAdvance(QChar(u)) * 2 != full) return false;
    for (char16_t u = 0xFF61; u <= 0xFF9F; ++u)
        if (fm.horizontalAdvance(QChar(u)) * 2 != full) return false;
    for (char16_t u : {u'あ', u'ア', u'一', u'０', u'Ａ', u'　', u'（', u'ー', u'「'})
        if (fm.horizontalAdvance(QChar(u)) != full) return false;
    return true;
}

int FixedPitchColumns(QStringView text) {
    int columns = 0;
    // Each range is tested as one unsigned comparison, the commonest (ASCII, kanji) first: a
    // look-up classifies every character of every line it shows.
    auto in = [](char16_t u, char16_t first, char16_t last) {
        return static_cast<char16_t>(u - first) <= static_cast<char16_t>(last - first);
    };
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (in(u, 0x20, 0x7E)) {
            columns += 1;
        } else if (in(u, 0x4E00, 0x9FFF) || (in(u, 0x3000, 0x30FF) && !in(u, 0x3099, 0x309A))) {
            columns += 2;
        } else if (in(u, 0xFF61, 0xFF9F)) {
            columns += 1;
        } else if (in(u, 0xFF01, 0xFF60) || in(u, 0xFFE0, 0xFFE6)) {
            columns += 2;
        } else {
            return -1;
        }
    }
    return columns;
}

QFont FixedPitchFont(const QString& family, qreal points) {
    QFont f(family);
    f.setPointSizeF(points);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    if (HalfWidthIsHalf(f)) return f;
    for (const char* standIn : {"IPAGothic", "Noto Sans Mono CJK JP"}) {
        QFont s = f;
        s.setFamilies({QString::fromLatin1(standIn)});
        if (HalfWidthIsHalf(s)) return s;
    }
    return f;
}

}  // namespace tav::common
