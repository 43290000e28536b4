#include "screen_definition.h"

#include <QFileInfo>
#include <QStringList>

#include "platform/runtime_error.h"
#include "platform/text.h"
#include "platform/textfile.h"

namespace tav::formhelper {

using text::Trim;

QString ScreenDefinitionError::text() const {
    if (line <= 0) return file + QStringLiteral(": ") + message;
    return file + u' ' + QString::number(line) + QStringLiteral("行目: ") + message;
}

namespace {

// Blanks and tabs around a field.
QString clean(const QString& s) {
    return s.trimmed();
}

QString stripComment(const QString& s) {
    for (qsizetype i = 1; i < s.size(); ++i)
        if (s[i] == u'#' && (s[i - 1] == u' ' || s[i - 1] == u'\t')) return s.left(i);
    return s;
}

class Parser {
  public:
    Parser(const QString& fileName) : file_(fileName) {}

    [[noreturn]] void fail(const QString& message) const {
        throw ScreenDefinitionError{file_, line_, message};
    }

    std::optional<qint64> integer(const QString& s) const {
        if (s.isEmpty() || s.size() > 12) return std::nullopt;
        qsizetype i = (s[0] == u'-' || s[0] == u'+') ? 1 : 0;
        if (i == s.size()) return std::nullopt;
        for (qsizetype k = i; k < s.size(); ++k)
            if (s[k] < u'0' || s[k] > u'9') return std::nullopt;
        return s.toLongLong();
    }

    qint64 number(const QString& s, qint64 lo, qint64 hi, const QString& what) const {
        auto v = integer(s);
        if (!v || *v < lo || *v > hi)
            fail(what + QStringLiteral("は ") + QString::number(lo) + QStringLiteral("～") +
                 QString::number(hi) + QStringLiteral(" の数字で指定してください (") + s + u')');
        return *v;
    }

    QString fixed(const QString& s, int width, const QString& what) const {
        if (s.size() > width)
            fail(what + QStringLiteral("は ") + QString::number(width) +
                 QStringLiteral(" 文字以内で指定してください (") + s + u')');
        return text::FixedWidth(s, width);
    }

    void setting(ScreenDefinitions& d, const QString& key, const QString& value) {
        const QString k = key.toUpper();
        auto colour = [&] { return static_cast<Colour>(number(value, 0, 16777215, key)); };
        auto flag = [&] { return number(value, 0, 1, key) == 1; };
        if (k == u"FORECOLOR")
            d.normalForeColor = colour();
        else if (k == u"BACKCOLOR")
            d.normalBackColor = colour();
        else if (k == u"INPUTBACKCOLOR")
            d.inputBackColor = colour();
        else if (k == u"CODEBASECOLOR")
            d.codeCheckBaseColor = colour();
        else if (k == u"CODEMARKCOLOR")
            d.codeCheckMarkColor = colour();
        else if (k == u"REFORMATONEXIT")
            d.ReformatOnExit = flag();
        else if (k == u"REFORMATSUPPRESSED")
            d.ReformatSuppressed = flag();
        else if (k == u"KEEPRAWONEXIT")
            d.KeepRawOnExit = flag();
        else
            fail(QStringLiteral("設定項目名が正しくありません (") + key + u')');
    }

    void userFormat(ScreenDefinitions& d, const QString& key, const QString& value) {
        const auto id = integer(key);
        if (key.size() != 2 || !id || *id < 80 || *id > 89)
            fail(QStringLiteral("フォーマットIDは 80～89 で指定してください (") + key + u')');
        try {
            common::FormatPattern(QStringLiteral("0"), value);
        } catch (const RuntimeError&) {
            fail(QStringLiteral("表示書式を解釈できません (") + value + u')');
        }
        d.userFormats[static_cast<size_t>(*id - 80)] = value;
    }

    void era(ScreenDefinitions& d, const QString& key, const QString& value) {
        if (!erasSeen_) d.eras.clear();
        erasSeen_ = true;
        if (key.size() != 1) fail(QStringLiteral("元号は1文字で指定してください (") + key + u')');
        const int year = static_cast<int>(number(value, 1, 9999, QStringLiteral("開始年")));
        if (!d.eras.empty() && year <= d.eras.back().startYear)
            fail(QStringLiteral("元号は開始年の順に並べてください (") + key + u')');
        if (d.eras.size() == 5) fail(QStringLiteral("元号は5件までです"));
        d.eras.push_back({key, year});
    }

    void item(ScreenDefinitions& d, const QString& line) {
        const QStringList f = line.split(u'|');
        if (f.size() < 9 || f.size() > 11)
            fail(QStringLiteral("項目の欄の数が正しくありません (9～11 欄、区切りは |)"));
        if (d.items.size() == 1000) fail(QStringLiteral("項目は1000件までです"));
        ItemRecord r;
        const QString id = clean(f[0]);
        if (id.isEmpty()) fail(QStringLiteral("項目IDがありません"));
        r.itemId = fixed(id, 16, QStringLiteral("項目ID"));
        FormRecord& form = d.forms.back();
        for (int n = form.firstItem; n < static_cast<int>(d.items.size()); ++n)
            if (Trim(d.items[static_cast<size_t>(n)].itemId).toUpper() == id.toUpper())
                fail(QStringLiteral("項目IDが重複しています (") + id + u')');
        r.group = fixed(clean(f[1]), 1, QStringLiteral("グループ"));
        const QString type = clean(f[2]).toUpper();
        static const QStringList types = {QStringLiteral("TXT"), QStringLiteral("CMB"),
                                          QStringLiteral("LBL"), QStringLiteral("BTN"),
                                          QStringLiteral("OPT"), QStringLiteral("CHK")};
        if (!types.contains(type))
            fail(QStringLiteral("コントロール種別は TXT CMB LBL BTN OPT CHK のいずれかです (") +
                 clean(f[2]) + u')');
        r.typeCode = type;
        r.codeId = fixed(clean(f[3]), 8, QStringLiteral("コードID"));
        r.inputType = fixed(clean(f[4]), 2, QStringLiteral("入力属性"));
        r.maxLength = static_cast<int>(number(clean(f[5]), 1, 999, QStringLiteral("桁数")));
        r.decimals = static_cast<int>(number(clean(f[6]), 0, 9, QStringLiteral("小数桁数")));
        const QString fmt = clean(f[7]);
        if (fmt.size() != 2) fail(QStringLiteral("フォーマットIDは2文字です (") + fmt + u')');
        r.formatId = fmt;
        r.inputClass = fixed(clean(f[8]), 1, QStringLiteral("入力区分"));
        if (f.size() > 9) r.nameItemId = fixed(clean(f[9]), 16, QStringLiteral("名称項目ID"));
        if (f.size() > 10 && !clean(f[10]).isEmpty())
            r.column = static_cast<qint16>(number(clean(f[10]), -1, 99, QStringLiteral("列番号")));
        d.items.push_back(r);
        form.lastItem = static_cast<qint16>(d.items.size() - 1);
    }

    ScreenDefinitions parse(const QStringList& lines) {
        ScreenDefinitions d;
        enum class Section { None, Settings, Formats, Eras, Form } section = Section::None;
        for (const QString& raw : lines) {
            ++line_;
            QString l = raw;
            if (line_ == 1 && l.startsWith(QChar(0xFEFF))) l.remove(0, 1);
            l = clean(l);
            if (l.isEmpty() || l.startsWith(u'#') || l.startsWith(u';')) continue;
            // A blank and "#" start a comment, except in a display pattern.
            if (l.startsWith(u'[') || section != Section::Formats) l = clean(stripComment(l));
            if (l.startsWith(u'[')) {
                if (!l.endsWith(u']')) fail(QStringLiteral("見出しが ] で閉じていません"));
                const QString head = clean(l.mid(1, l.size() - 2));
                const QString word = head.section(u' ', 0, 0).toUpper();
                if (word == u"SETTINGS" && head.size() == 8)
                    section = Section::Settings;
                else if (word == u"FORMATS" && head.size() == 7)
                    section = Section::Formats;
                else if (word == u"ERAS" && head.size() == 4)
                    section = Section::Eras;
                else if (word == u"FORM") {
                    const QString id = clean(head.mid(4));
                    if (id.isEmpty()) fail(QStringLiteral("フォームIDがありません"));
                    FormRecord f;
                    f.formId = fixed(id, 10, QStringLiteral("フォームID"));
                    for (const FormRecord& other : d.forms)
                        if (Trim(other.formId).toUpper() == id.toUpper())
                            fail(QStringLiteral("フォームIDが重複しています (") + id + u')');
                    f.firstItem = static_cast<qint16>(d.items.size());
                    f.lastItem = static_cast<qint16>(d.items.size() - 1);
                    d.forms.push_back(f);
                    section = Section::Form;
                } else {
                    fail(QStringLiteral("見出しが正しくありません (") + head + u')');
                }
                continue;
            }
            if (section == Section::None)
                fail(QStringLiteral(
                    "見出し ([SETTINGS] [FORMATS] [ERAS] [FORM ID]) の前に行があります"));
            if (section == Section::Form) {
                item(d, l);
                continue;
            }
            const qsizetype eq = l.indexOf(u'=');
            if (eq < 0) fail(QStringLiteral("「名前=値」の形ではありません"));
            const QString key = clean(l.left(eq));
            // A pattern keeps its blanks; the others are trimmed.
            const QString value =
                section == Section::Formats ? l.mid(eq + 1) : clean(l.mid(eq + 1));
            if (section == Section::Settings)
                setting(d, key, value);
            else if (section == Section::Formats)
                userFormat(d, key, value);
            else
                era(d, key, value);
        }
        return d;
    }

  private:
    QString file_;
    int line_ = 0;
    bool erasSeen_ = false;
};

}  // namespace

ScreenDefinitions parseScreenDefinitions(const QString& text, const QString& fileName) {
    return Parser(fileName).parse(platform::splitLines(text));
}

void installScreenDefinitions(const ScreenDefinitions& d) {
    HelperContext& ctx = helperContext();
    ctx.items = d.items;
    ctx.forms = d.forms;
    ctx.currentFormEntry = -1;
    ctx.normalForeColor = d.normalForeColor;
    ctx.normalBackColor = d.normalBackColor;
    ctx.inputBackColor = d.inputBackColor;
    ctx.codeCheckBaseColor = d.codeCheckBaseColor;
    ctx.codeCheckMarkColor = d.codeCheckMarkColor;
    ctx.ReformatOnExit = d.ReformatOnExit;
    ctx.ReformatSuppressed = d.ReformatSuppressed;
    ctx.KeepRawOnExit = d.KeepRawOnExit;
    ctx.resetChangeFlags();
    ctx.resetErrorTracking();
    common::displayFormatSettings().userFormats = d.userFormats;
    common::displayFormatSettings().eras = d.eras;
}

std::optional<ScreenDefinitionError> LoadScreenDefinitions(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const auto text = platform::readText(path);
    if (!text) return ScreenDefinitionError{name, 0, QStringLiteral("ファイルを読めません")};
    try {
        installScreenDefinitions(parseScreenDefinitions(*text, name));
    } catch (const ScreenDefinitionError& e) {
        return e;
    }
    return std::nullopt;
}

}  // namespace tav::formhelper
