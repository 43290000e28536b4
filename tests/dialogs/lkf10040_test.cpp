// The code reference window on real widgets (offscreen), reading a code table on SQLite.
#include "dialogs/lkf10040.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>

#include "common/text_fit.h"
#include "dataaccess/fixture.h"
#include "formhelper/helper_context.h"
#include "formhelper/item_access.h"
#include "formhelper/screen_definition.h"
#include "platform/textfile.h"
#include "platform/units.h"

using namespace tav::formhelper;
using namespace tav::dataaccess;
using tav::dialogs::LKF10040;
using tav::dialogs::OpenCodeLookup;
namespace t = tav::test;

namespace {

const char* const kDefinition = R"([FORM KFM00200]
CUST_CODE | 1 | TXT | CUST     | X  | 5  | 0 | 00 | 1 | CUST_NAME
CUST_NAME | 2 | LBL |          | N  | 20 | 0 | 00 | 5
LOST_CODE | 1 | TXT | CUST     | X  | 5  | 0 | 00 | 1 | NO_SUCH
)";

enum { kCode, kName, kLost };

LookupColumn column(const char* attribute, const char* width, const char* name) {
    LookupColumn c;
    c.attribute = QString::fromUtf8(attribute);
    c.width = QString::fromUtf8(width);
    c.name = QString::fromUtf8(name).leftJustified(50);
    return c;
}

void sendKey(QWidget* to, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(to, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(to, &release);
}

void sendMouse(QWidget* to, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(pos), to->mapToGlobal(QPointF(pos)), button, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(to, &e);
}

class CodeWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        tav::common::commonArea().setProgramId(QStringLiteral("KFM002"));
        ASSERT_TRUE(tav::common::openSystemLog(folder.path()));
        db = std::make_unique<t::TestDatabase>(t::BackendKind::SQLite, folder.path());
        ASSERT_TRUE(db->ready());
        db->exec(
            {QStringLiteral(
                 "CREATE TABLE CUST_M (CODE VARCHAR(5), NAME VARCHAR(20), RANK_CD VARCHAR(2))"),
             QStringLiteral("INSERT INTO CUST_M VALUES ('C0001', '山田商事', 'A')"),
             QStringLiteral("INSERT INTO CUST_M VALUES ('C0002', '川上工業', NULL)"),
             QStringLiteral("INSERT INTO CUST_M VALUES ('D0001', '海野', 'C')")});
        t::writeSettings(folder, db->iniSections(0));
        Q0100_CONNECT(0);

        installScreenDefinitions(parseScreenDefinitions(QString::fromUtf8(kDefinition), "T"));
        HelperContext& ctx = helperContext();
        ctx.currentFormEntry = ctx.findForm(QStringLiteral("KFM00200"));
        window = std::make_unique<QWidget>();
        window->setGeometry(100, 80, 500, 300);
        form = std::make_unique<Form>(window.get());
        form->setTag(QStringLiteral("KFM00200"));
        auto* code = new QLineEdit(window.get());
        code->setGeometry(30, 40, 90, 24);
        auto* name = new QLabel(window.get());
        name->setGeometry(130, 40, 200, 24);
        auto* lost = new QLineEdit(window.get());
        lost->setGeometry(30, 80, 90, 24);
        for (QWidget* w : {static_cast<QWidget*>(code), static_cast<QWidget*>(name),
                           static_cast<QWidget*>(lost)})
            form->addControl(w);
        for (int i = 0; i < 3; ++i) form->control(i).setTag(makeItemTag(i));
        bindItemControls(*form);
        ctx.activeForm = form.get();
        window->show();
        window->activateWindow();
        QApplication::processEvents();

        resetLookupState();
        LookupState& s = lookupState();
        s.definition.keyAttribute = QStringLiteral("X");
        s.definition.keyLength = QStringLiteral("005");
        s.definition.searchKind = QStringLiteral("1");
        s.definition.keyColumn = QStringLiteral("CODE");
        s.keyColumns = {column("X", "005", "CODE")};
        s.nameColumns = {column("N", "008", "NAME")};
        s.tableName = QStringLiteral("CUST_M");
        s.orderClause = QStringLiteral(" ORDER BY CODE");
        s.kindCount = 1;
        s.kinds[1].codeId = QStringLiteral("CUST");
        s.kinds[1].extraColumns = QStringLiteral("RANK_CD");
        DeriveLineWidths();
        w = &LKF10040::instance();
        w->Text1->clear();
        w->List1->clear();
        setCodeSelectedHook([this](Form&, int item, const CodeSelection& sel) {
            hookItem = item;
            selections.push_back(sel);
        });
    }
    void TearDown() override {
        setCodeSelectedHook({});
        LKF10040::destroyInstance();
        resetLookupState();
        form.reset();
        window.reset();
        helperContext().activeForm = nullptr;
        tav::dataaccess::resetDataAccess();
        tav::common::closeSystemLog();
        db.reset();
    }
    QString rawLog() const { return QString::fromUtf8(t::readFile(folder.file("FEND_SYS.LOG"))); }
    int declares() const { return static_cast<int>(rawLog().count(QStringLiteral("SELECT"))); }
    void open(int control = kCode) {
        OpenCodeLookup(*form, control);
        QApplication::processEvents();
    }
    // Opens the look-up at the code item and searches for text.
    void searchFor(const QString& text) {
        open();
        w->Text1->setText(text);
        w->Command1->click();
        QApplication::processEvents();
    }
    QPoint rowCentre(int row) {
        w->List1->doItemsLayout();
        return w->List1->visualLineRect(row).center();
    }

    tav::platform::FakeServices fake;
    t::ProgramFolder folder;
    std::unique_ptr<t::TestDatabase> db;
    std::unique_ptr<QWidget> window;
    std::unique_ptr<Form> form;
    LKF10040* w = nullptr;
    int hookItem = -1;
    std::vector<CodeSelection> selections;
};

int px(int twips) {
    return tav::platform::TwipsToPixels(twips);
}

}  // namespace

TEST_F(CodeWindow, DesignTimeControlsAndTexts) {
    EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w->Command1->text(), QStringLiteral("検   索"));
    EXPECT_EQ(w->Command3->text(), QStringLiteral("再 検 索 >>"));
    EXPECT_EQ(w->Label1->text(), QStringLiteral("少々お待ちください"));
    EXPECT_FALSE(w->Command2->isEnabled());
    EXPECT_EQ(w->Picture3->geometry(), QRect(3, 3, px(1725), px(225)));
    EXPECT_EQ(w->Text1->geometry(), QRect(0, px(870), px(2145), px(285)));
    EXPECT_EQ(&LKF10040::instance(), w);  // one instance
    EXPECT_EQ(codeReferenceView(), w);
}

TEST_F(CodeWindow, SearchLayoutSitsUnderTheCallingControl) {
    open();
    QApplication::processEvents();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->size(), QSize(px(2700), px(2640)));
    EXPECT_EQ(w->Command2->size(), QSize(px(2685), px(2640)));
    EXPECT_FALSE(w->Picture2->isVisible());
    EXPECT_TRUE(w->Picture1->isVisible());
    EXPECT_EQ(w->Picture1->pos(), QPoint(px(250), px(400)));
    // Form top + control top + control height + 330; form left + control left + 45.
    const int top = window->y() * 15 + 40 * 15 + 24 * 15 + 330;
    const int left = window->x() * 15 + 30 * 15 + 45;
    EXPECT_EQ(w->pos(), QPoint(px(left), px(top)));
    EXPECT_EQ(lookupState().currentCodeId, QStringLiteral("CUST    "));
    EXPECT_TRUE(w->Text1->hasFocus());
}

TEST_F(CodeWindow, ListLayoutWithoutSwitchIsAsWideAsTheList) {
    searchFor(QStringLiteral(" C "));
    ASSERT_EQ(w->List1->count(), 2);
    EXPECT_TRUE(w->List1->lineText(0).startsWith(QStringLiteral("C0001 山田商事")));
    const QSize list = w->List1->size();
    EXPECT_EQ(w->width(), list.width());
    EXPECT_EQ(w->height(), w->Command3->height() + list.height());
    EXPECT_EQ(w->Command3->geometry(), QRect(0, list.height(), list.width(), px(345)));
    EXPECT_EQ(w->Picture2->geometry(), QRect(0, 0, list.width(), w->height()));
    EXPECT_EQ(w->Command2->size(), w->Picture2->size());
    EXPECT_TRUE(w->Picture2->isVisible());
    EXPECT_FALSE(w->Picture1->isVisible());
    EXPECT_TRUE(w->Command3->isVisible());
    EXPECT_EQ(w->List1->currentRow(), 0);
    EXPECT_TRUE(w->List1->hasFocus());
}

// Lines of half-width katakana, ideographs and digits: the list is in a fixed-pitch face (every
// half-width character half a full-width one) and as wide as its widest line as drawn, so no
// line is cut.
TEST_F(CodeWindow, MixedLinesAreShownWholeInTheFixedPitchFont) {
    db->exec({QStringLiteral("INSERT INTO CUST_M VALUES ('E0001', 'ﾔﾏﾀﾞ 山田太郎 0123', 'A')"),
              QStringLiteral("INSERT INTO CUST_M VALUES ('E0002', '川上ﾊﾟｰﾂ工業 99', 'A')"),
              QStringLiteral("INSERT INTO CUST_M VALUES ('E0003', '海野ｱｲｳｴｵｶｷｸｹｺ', 'A')")});
    lookupState().nameColumns = {column("N", "016", "NAME")};
    DeriveLineWidths();
    searchFor(QStringLiteral("E"));
    ASSERT_EQ(w->List1->count(), 3);
    const QFont font = w->List1->font();
    EXPECT_TRUE(tav::common::HalfWidthIsHalf(font)) << QFontInfo(font).family().toStdString();
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("IPAGothic"));
    const QFontMetrics fm(font);
    const int margin =
        w->List1->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, w->List1) + 1;
    w->List1->doItemsLayout();
    for (int row = 0; row < 3; ++row) {
        const QString line = w->List1->lineText(row);
        SCOPED_TRACE(line.toStdString());
        const int drawn = fm.horizontalAdvance(QString(line).remove(QRegularExpression(" +$")));
        const QRect cell = w->List1->visualLineRect(row);
        EXPECT_LE(drawn + 2 * margin, std::min(cell.width(), w->List1->viewport()->width()));
    }
    EXPECT_EQ(w->List1->textElideMode(), Qt::ElideNone);
    // TAV_SHOT_DIR: the window as drawn, for the documentation.
    if (const QString dir = qEnvironmentVariable("TAV_SHOT_DIR"); !dir.isEmpty()) {
        EXPECT_TRUE(w->grab().save(dir + QStringLiteral("/lookup-mixed.png")));
    }
}

TEST(FixedPitchColumns, EachRangeCountsToItsEdgesAndNothingPast) {
    using tav::common::FixedPitchColumns;
    struct Edge {
        char16_t u;
        int columns;
    };
    for (const Edge& e : std::initializer_list<Edge>{
             {0x1F, -1},   {0x20, 1},    {0x7E, 1},    {0x7F, -1},   {0x2FFF, -1}, {0x3000, 2},
             {0x3098, 2},  {0x3099, -1}, {0x309A, -1}, {0x309B, 2},  {0x30FF, 2},  {0x3100, -1},
             {0x4DFF, -1}, {0x4E00, 2},  {0x9FFF, 2},  {0xA000, -1}, {0xFF00, -1}, {0xFF01, 2},
             {0xFF60, 2},  {0xFF61, 1},  {0xFF9F, 1},  {0xFFA0, -1}, {0xFFDF, -1}, {0xFFE0, 2},
             {0xFFE6, 2},  {0xFFE7, -1}, {0xFFFF, -1}, {0x0000, -1}})
        EXPECT_EQ(FixedPitchColumns(QStringView(&e.u, 1)), e.columns) << std::hex << int(e.u);
    EXPECT_EQ(FixedPitchColumns(u"C0001 山田ｻﾄｳ　"), 6 + 4 + 3 + 2);
    EXPECT_EQ(FixedPitchColumns(u"山田\u00E9"), -1);  // one character outside ends the count
    EXPECT_EQ(FixedPitchColumns(u""), 0);
}

TEST_F(CodeWindow, TheWidestLineCountsWhateverItsCharacters) {
    // The longest line in columns is not the widest as drawn when another holds characters
    // whose width only measuring tells (circled digits, accented letters, combining marks).
    db->exec({QStringLiteral("INSERT INTO CUST_M VALUES ('E0001', 'ABCDEFGHIJKL', 'A')"),
              QStringLiteral("INSERT INTO CUST_M VALUES ('E0002', '①②③④⑤⑥⑦é', 'A')"),
              QStringLiteral("INSERT INTO CUST_M VALUES ('E0003', 'ｶﾞ', 'A')")});
    lookupState().nameColumns = {column("N", "016", "NAME")};
    DeriveLineWidths();
    searchFor(QStringLiteral("E"));
    ASSERT_EQ(w->List1->count(), 3);
    const QFontMetrics fm(w->List1->font());
    const QString wide = w->List1->lineText(1);
    ASSERT_GT(fm.horizontalAdvance(wide.trimmed()),
              fm.horizontalAdvance(w->List1->lineText(0).trimmed()));
    EXPECT_EQ(lookupState().widestLine, wide);
    EXPECT_EQ(lookupState().widestWidth,
              fm.horizontalAdvance(QString(wide).remove(QRegularExpression(" +$"))) * 15);
}

TEST_F(CodeWindow, ListLayoutWithSwitchShowsBothPanels) {
    lookupState().layoutSwitch = 1;
    searchFor(QString());
    ASSERT_EQ(w->List1->count(), 3);
    const int lw = w->List1->width() * 15;
    const int lh = w->List1->height() * 15;
    EXPECT_EQ(w->size(), QSize(px(lw + 3000), px(px(345) * 15 + lh + 300)));
    EXPECT_EQ(w->Picture1->pos(), QPoint(px(lw + 600), px(400)));
    EXPECT_EQ(w->Picture2->geometry(), QRect(px(300), px(400), px(lw), px(lh)));
    EXPECT_EQ(w->Picture3->width(), px(lw + 3000 - 100));
    EXPECT_EQ(w->Command2->size(), w->size());
    EXPECT_TRUE(w->Picture1->isVisible());
    EXPECT_TRUE(w->Picture2->isVisible());
    // The re-search button lies below the list panel, outside it.
    EXPECT_EQ(w->Command3->y(), w->List1->height());
    // Search layout with the switch on.
    w->Command3->click();
    EXPECT_EQ(w->Picture3->width(), px(2585));
    EXPECT_EQ(w->Command2->height(), px(lh + 600));
}

TEST_F(CodeWindow, ForbiddenCharactersCannotBeTypedAndPastedOnesAreRefused) {
    open();
    for (QChar c : QStringLiteral("A|'[B［｜]"))
        sendKey(w->Text1, c == u'[' ? Qt::Key_BracketLeft : Qt::Key_A, QString(c));
    EXPECT_EQ(w->Text1->text(), QStringLiteral("AB［｜]"));
    // Pasted text is not filtered; the search refuses it.
    w->Text1->setText(QStringLiteral(" C[0 "));
    const int before = declares();
    w->Command1->click();
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    EXPECT_TRUE(fake.messageBox.shown[0].text.contains(QStringLiteral("使用不可能文字 = | ' [")));
    EXPECT_TRUE(rawLog().contains(
        QStringLiteral("ｺｰﾄﾞ参照 H601 4 C[0 検索条件に使用出来ない文字が含まれています。")));
    EXPECT_EQ(declares(), before);
    EXPECT_EQ(w->Text1->selectedText(), QStringLiteral(" C[0 "));
    EXPECT_TRUE(w->Text1->hasFocus());
    EXPECT_FALSE(w->Picture2->isVisible());
}

TEST_F(CodeWindow, EnterInTheSearchBoxOnlyMovesTheFocus) {
    open();
    w->Text1->setText(QStringLiteral("C"));
    w->Text1->setFocus();
    sendKey(w->Text1, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_TRUE(w->Command1->hasFocus());
    EXPECT_EQ(w->List1->count(), 0);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(form->control(kCode).text(), QString());
}

TEST_F(CodeWindow, EnterInTheListWritesCodeAndNameBack) {
    searchFor(QStringLiteral("C"));
    w->List1->setCurrentRow(1);
    sendKey(w->List1, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(form->control(kCode).text(), QStringLiteral("C0002"));
    EXPECT_EQ(form->control(kCode).tag().mid(26), QStringLiteral("C0002"));
    EXPECT_EQ(form->control(kName).text(), QStringLiteral("川上工業"));
    ASSERT_EQ(selections.size(), 1u);
    EXPECT_EQ(hookItem, 0);
    EXPECT_EQ(selections[0].code, QStringLiteral("C0002"));
    EXPECT_EQ(selections[0].name.left(4), QStringLiteral("川上工業"));
    EXPECT_EQ(selections[0].codeId, QStringLiteral("CUST    "));
    EXPECT_EQ(selections[0].values[0], QStringLiteral(" "));  // NULL extra column
    EXPECT_TRUE(lookupState().ending);
    // The search text survives for the next look-up.
    EXPECT_EQ(w->Text1->text(), QStringLiteral("C"));
}

TEST_F(CodeWindow, MouseSelectionFollowsThePointerAndAClickChooses) {
    searchFor(QString());
    QWidget* vp = w->List1->viewport();
    sendMouse(vp, QEvent::MouseMove, rowCentre(2), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(w->List1->currentRow(), 2);
    // Over the empty part below the last line: the last line.
    sendMouse(vp, QEvent::MouseMove, QPoint(5, vp->height() - 2), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(w->List1->currentRow(), 2);
    sendMouse(vp, QEvent::MouseMove, rowCentre(0), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(w->List1->currentRow(), 0);
    // Any button chooses.
    sendMouse(vp, QEvent::MouseButtonPress, rowCentre(0), Qt::RightButton, Qt::RightButton);
    sendMouse(vp, QEvent::MouseButtonRelease, rowCentre(0), Qt::RightButton, Qt::NoButton);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(form->control(kCode).text(), QStringLiteral("C0001"));
    EXPECT_EQ(form->control(kName).text(), QStringLiteral("山田商事"));
    ASSERT_EQ(selections.size(), 1u);
    EXPECT_EQ(selections[0].values[0], QStringLiteral("A"));
}

TEST_F(CodeWindow, ClickIntoAnEmptyListKeepsTheWindowOpen) {
    lookupState().layoutSwitch = 1;  // the search button stays in view
    searchFor(QStringLiteral("Z"));
    ASSERT_EQ(w->List1->count(), 0);
    sendMouse(w->List1->viewport(), QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton,
              Qt::LeftButton);
    sendMouse(w->List1->viewport(), QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton,
              Qt::NoButton);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->Command1->hasFocus());
    EXPECT_TRUE(selections.empty());
}

TEST_F(CodeWindow, EscWritesNothingBack) {
    form->control(kCode).setText(QStringLiteral("OLD"));
    searchFor(QStringLiteral("C"));
    sendKey(w->List1, Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(form->control(kCode).text(), QStringLiteral("OLD"));
    EXPECT_EQ(form->control(kName).text(), QString());
    EXPECT_TRUE(selections.empty());
    EXPECT_TRUE(lookupState().ending);
}

TEST_F(CodeWindow, DirectSearchAfterAnEndedLookupClosesAgain) {
    searchFor(QStringLiteral("C"));
    sendKey(w->List1, Qt::Key_Escape);
    QApplication::processEvents();
    ASSERT_FALSE(w->isVisible());
    // A host that starts the next search itself, without OpenCodeLookup.
    w->Text1->setText(QStringLiteral("C"));
    w->search();
    QApplication::processEvents();
    ASSERT_TRUE(w->isVisible());
    EXPECT_FALSE(lookupState().ending);
    sendKey(w->List1, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(w->isVisible());
    // And once more, closed by a click elsewhere.
    w->search();
    QApplication::processEvents();
    ASSERT_TRUE(w->isVisible());
    window->activateWindow();
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_FALSE(w->isVisible());
}

TEST_F(CodeWindow, LosingActivationClosesTheLookupAndEmptiesTheSearchText) {
    searchFor(QStringLiteral("C"));
    ASSERT_TRUE(w->isVisible());
    // The user clicks on the calling form.
    window->activateWindow();
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->Text1->text(), QString());
    EXPECT_TRUE(lookupState().ending);
    EXPECT_TRUE(selections.empty());
    EXPECT_FALSE(w->Command3->font().bold());
}

TEST_F(CodeWindow, MissingNameItemWritesTheCodeAndReports) {
    open(kLost);
    w->Text1->setText(QStringLiteral("D"));
    w->Command1->click();
    sendKey(w->List1, Qt::Key_Return);
    EXPECT_EQ(form->control(kLost).text(), QStringLiteral("D0001"));
    EXPECT_TRUE(rawLog().contains(
        QStringLiteral("D6020 H602 3 00000000 名称出力領域がありません(NO_SUCH         )")));
    EXPECT_TRUE(selections.empty());  // the write-back stops there
}

TEST_F(CodeWindow, FunctionKeyResearchAndHoverFeedback) {
    lookupState().researchKey = 5;
    searchFor(QStringLiteral("C"));
    sendKey(w->List1, Qt::Key_F4);
    EXPECT_TRUE(w->Picture2->isVisible());
    sendKey(w->List1, Qt::Key_F5);
    EXPECT_FALSE(w->Picture2->isVisible());
    EXPECT_TRUE(w->Picture1->isVisible());
    EXPECT_EQ(w->Text1->selectedText(), QStringLiteral("C"));
    sendMouse(w->Command3, QEvent::MouseMove, QPoint(3, 3), Qt::NoButton, Qt::NoButton);
    EXPECT_TRUE(w->Command3->font().bold());
    w->Command1->click();
    sendMouse(w->List1->viewport(), QEvent::MouseMove, rowCentre(1), Qt::NoButton, Qt::NoButton);
    EXPECT_FALSE(w->Command3->font().bold());
}

TEST_F(CodeWindow, CaptionStripDragsWithTheLeftButtonOnly) {
    open();
    const QPoint start = w->pos();
    sendMouse(w->Picture3, QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton,
              Qt::RightButton);
    sendMouse(w->Picture3, QEvent::MouseMove, QPoint(25, 15), Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(w->pos(), start);
    sendMouse(w->Picture3, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
    sendMouse(w->Picture3, QEvent::MouseMove, QPoint(25, 15), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(w->pos(), start + QPoint(20, 10));
}

TEST_F(CodeWindow, FocusRestoresTheCallingControlFromThePendingText) {
    open();
    form->control(kCode).setText(QStringLiteral("12,345"));
    lookupState().pendingText = QStringLiteral("12345");
    w->List1->setFocus();
    QFocusEvent in(QEvent::FocusIn);
    QApplication::sendEvent(w->List1, &in);
    EXPECT_EQ(form->control(kCode).text(), QStringLiteral("12345"));
    EXPECT_EQ(lookupState().pendingText, QString());
}

TEST_F(CodeWindow, OpeningWithSearchNowReadsForTheControlText) {
    form->control(kCode).setText(QStringLiteral(" D "));
    OpenCodeLookup(*form, kCode, true);
    EXPECT_EQ(w->Text1->text(), QStringLiteral("D"));
    ASSERT_EQ(w->List1->count(), 1);
    EXPECT_TRUE(w->Picture2->isVisible());
}

TEST_F(CodeWindow, CodeFileGivesTheExtraValuesInSourceModeOne) {
    // Records of twice 30 characters in bytes; list line n is record n + 3.
    LookupState& s = lookupState();
    s.sourceMode = QStringLiteral("1");
    s.codeFile = folder.file(QStringLiteral("CUST.COD"));
    s.codeFileRecordWidth = 30;
    s.codeFileExtraLength = 12;
    QByteArray file;
    auto record = [&](const QString& text) {
        QByteArray bytes = tav::platform::encodeCp932(text);
        bytes.append(QByteArray(60 - bytes.size(), ' '));
        file += bytes;
    };
    record(QStringLiteral("ヘッダ"));
    record(QStringLiteral("ヘッダ2"));
    auto line = [](const QString& key, const QString& name, const QString& extra) {
        return key + u' ' + name.leftJustified(9, QChar(0x3000)) + extra;
    };
    record(line(QStringLiteral("C0001"), QStringLiteral("山田商事"), QStringLiteral("A\t東京\t1")));
    record(line(QStringLiteral("C0002"), QStringLiteral("川上工業"), QStringLiteral(" B\t大阪 ")));
    t::writeFile(s.codeFile, file);
    searchFor(QStringLiteral("C"));
    w->List1->setCurrentRow(1);
    sendKey(w->List1, Qt::Key_Return);
    ASSERT_EQ(selections.size(), 1u);
    EXPECT_EQ(selections[0].values[0], QStringLiteral("B"));
    EXPECT_EQ(selections[0].values[1], QStringLiteral("大阪"));
    EXPECT_EQ(selections[0].values[2], QString());
    EXPECT_EQ(form->control(kName).text(), QStringLiteral("川上工業"));
}

TEST_F(CodeWindow, WindowGoesAboveTheControlNearTheScreenEdges) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    window->move(screen.width() - 150, screen.height() - 120);
    QApplication::processEvents();
    open();
    const int formTop = window->y() * 15;
    const int formLeft = window->x() * 15;
    const int below = formTop + 40 * 15 + 24 * 15 + 330;
    // Too low: above the control; too far right: against the right edge.
    EXPECT_EQ(w->y(), px(below - 2640 - 24 * 15 + 60));
    EXPECT_EQ(w->x(), px(screen.width() * 15 - px(2700) * 15));
    EXPECT_GT(formLeft + 30 * 15 + 45 + 2700, screen.width() * 15);
    // A form with a menu bar (tag position 12 "M", any case) sits 295 lower, and 70 more up.
    form->setTag(QStringLiteral("KFM00200  Xm"));
    open();
    EXPECT_EQ(w->y(), px(below + 295 - 2640 - 24 * 15 + 60 - 70));
}
