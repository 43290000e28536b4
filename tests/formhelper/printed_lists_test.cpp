#include "formhelper/printed_lists.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>

#include "fixture.h"

using namespace tav::formhelper;
using tav::test::Screen;
namespace t = tav::test;

namespace {

const QDateTime kAt(QDate(2026, 4, 1), QTime(9, 5, 7));

QString sp(int n) {
    return QString(n, u' ');
}

// The lines of a page between its header and its foot.
QStringList body(const QStringList& page) {
    return page.mid(6, kListPageLines - 6);
}

QStringList nonEmpty(const QStringList& lines) {
    QStringList out;
    for (const QString& l : lines)
        if (!l.isEmpty()) out << l;
    return out;
}

}  // namespace

TEST(ListPageFoot, FiftySevenBlanksThenNumber) {
    EXPECT_EQ(listPageFoot(1), sp(57) + QStringLiteral("< 1 > "));
    EXPECT_EQ(listPageFoot(12), sp(57) + QStringLiteral("< 12 > "));
}

TEST(PrintTargetChoice, NoDefaultPrinterMeansPdf) {
    EXPECT_EQ(choosePrintTarget(QString()), PrintTarget::PdfFile);
    EXPECT_EQ(choosePrintTarget(QStringLiteral("  ")), PrintTarget::PdfFile);
    EXPECT_EQ(choosePrintTarget(QStringLiteral("office-laser")), PrintTarget::DefaultPrinter);
}

TEST_F(Screen, ControlListPageInScreenOrder) {
    c(t::kName).setCaption(QStringLiteral("山田　太郎"));
    c(t::kAmount).setText(QStringLiteral("1,234"));
    const ListDocument doc = controlListPages(*form, kAt);
    ASSERT_EQ(doc.pages.size(), 1u);
    const QStringList& page = doc.pages[0];
    ASSERT_EQ(page.size(), kListPageLines + 1);
    EXPECT_EQ(page[0], QStringLiteral("     フォームヘルパ フォームコントロール一覧") + sp(50) +
                           QStringLiteral("26/04/01 09:05:07"));
    EXPECT_EQ(page[1], QString());
    EXPECT_EQ(page[2],
              QStringLiteral("         ﾌｫｰﾑID(ﾌｫｰﾑ.TAG) : KFM00100   ﾌｫｰﾑﾀｲﾄﾙ : 顧客登録"));
    EXPECT_EQ(page[3], QString());
    EXPECT_EQ(page[4], QStringLiteral("         No.  ｺﾚｸｼｮﾝNo.    TAG              表示内容       "
                                      "                                    TYPE"));
    EXPECT_EQ(page[5], QString());
    EXPECT_EQ(page[kListPageLines], listPageFoot(1));

    const QStringList lines = nonEmpty(body(page));
    // 21 controls, of which the frame and the field inside it carry no tag.
    ASSERT_EQ(lines.size(), 19);
    EXPECT_EQ(lines[0], sp(9) + QStringLiteral("001") + sp(5) + QStringLiteral("000") + sp(7) +
                            QStringLiteral("CUST_CODE       ") + u' ' + sp(50) + u' ' +
                            QStringLiteral("ﾃｷｽﾄﾎﾞｯｸｽ "));
    EXPECT_EQ(lines[1], sp(9) + QStringLiteral("002") + sp(5) + QStringLiteral("001") + sp(7) +
                            QStringLiteral("CUST_NAME       ") + u' ' +
                            QStringLiteral("山田　太郎") + sp(45) + u' ' +
                            QStringLiteral("ﾗﾍﾞﾙ      "));
    EXPECT_EQ(lines[4].mid(12 + 5 + 3 + 7, 16), QStringLiteral("AMOUNT          "));
    EXPECT_EQ(lines[4].mid(44, 5), QStringLiteral("1,234"));
    EXPECT_EQ(lines[7].right(10), QStringLiteral("ｵﾌﾟｼｮﾝﾎﾞﾀﾝ"));
    EXPECT_EQ(lines[8].right(10), QStringLiteral("ﾁｪｯｸﾎﾞｯｸｽ "));
    EXPECT_EQ(lines[9].right(10), QStringLiteral("ｺﾏﾝﾄﾞﾎﾞﾀﾝ "));
    EXPECT_EQ(lines[9].mid(44, 50), QStringLiteral("OK") + sp(48));
    EXPECT_EQ(lines[3].right(10), QStringLiteral("ｺﾝﾎﾞﾎﾞｯｸｽ "));
    for (const QString& l : lines) EXPECT_EQ(l.size(), 9 + 3 + 5 + 3 + 7 + 16 + 1 + 50 + 1 + 10);
    // The controls after the frame: collection numbers 15 and 16 follow 13 directly.
    EXPECT_EQ(lines[14].mid(17, 3), QStringLiteral("015"));
    EXPECT_EQ(lines[14].mid(9, 3), QStringLiteral("015"));
}

TEST_F(Screen, ControlListEqualTopGoesLeftToRight) {
    // The amount field moves to the top row, left of the code field; the era field to the
    // same top, far right.
    c(t::kEra).widget()->move(600, 10);
    c(t::kAmount).widget()->move(2, 10);
    c(t::kCode).widget()->move(300, 10);
    c(t::kName).widget()->move(160, 10);
    c(t::kStart).widget()->move(450, 10);
    const QStringList lines = nonEmpty(body(controlListPages(*form, kAt).pages[0]));
    QStringList order;
    for (const QString& l : lines.mid(0, 5)) order << l.mid(17, 3);
    EXPECT_EQ(order, (QStringList{"004", "001", "000", "002", "006"}));
    EXPECT_EQ(lines[5].mid(17, 3), QStringLiteral("003"));  // the next row
}

TEST_F(Screen, ControlListTextTagsAndLongContentAreCut) {
    c(t::kAmount).setText(QString(60, u'あ'));
    c(t::kCode).setTag(QStringLiteral("A_VERY_LONG_ITEM_ID_OF_30_CHARS"));
    const QStringList lines = nonEmpty(body(controlListPages(*form, kAt).pages[0]));
    EXPECT_EQ(lines[0].mid(27, 16), QStringLiteral("A_VERY_LONG_ITEM"));
    EXPECT_EQ(lines[4].mid(44, 51), QString(50, u'あ') + u' ');
}

TEST_F(Screen, ControlListWithoutTaggedControlsIsOneEmptyPage) {
    for (int i = 0; i < t::kControlCount; ++i) c(i).setTag(QString());
    const ListDocument doc = controlListPages(*form, kAt);
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_EQ(doc.pages[0].size(), kListPageLines + 1);
    EXPECT_TRUE(nonEmpty(body(doc.pages[0])).isEmpty());
    EXPECT_EQ(doc.pages[0].back(), listPageFoot(1));
}

TEST_F(Screen, ListsOfFormsWithFewerThanTwoControls) {
    QWidget w;
    Form one(&w);
    auto* edit = new QLineEdit(&w);
    one.addControl(edit);
    one.control(0).setTag(makeItemTag(1));
    EXPECT_TRUE(controlListPages(one, kAt).pages.empty());
    std::vector<ListDocument> printed;
    setListPrinter([&](const ListDocument& d) { printed.push_back(d); });
    helperContext().activeForm = &one;
    ControlListReport();
    EXPECT_TRUE(printed.empty());
    // The unmatched list has no such test: the lone control's item is found, the others are
    // listed as items without a control.
    UnmatchedListReport();
    ASSERT_EQ(printed.size(), 1u);
    const QStringList lines = nonEmpty(body(printed[0].pages[0]));
    ASSERT_EQ(lines.size(), 1 + 15);
    EXPECT_EQ(lines[1], sp(12) + QStringLiteral("002") + sp(5) +
                            QStringLiteral("CUST_NAME       ") + sp(4) + QStringLiteral("2"));
    setListPrinter(nullptr);
    helperContext().activeForm = form.get();
}

TEST_F(Screen, ControlListBreaksPagesAfterSeventyFiveLines) {
    // 150 tagged labels on a second window: 69 lines fit under each page's header.
    QWidget w;
    w.setWindowTitle(QStringLiteral("一覧"));
    Form big(&w);
    big.setTag(QStringLiteral("KFM00200XXXM"));
    for (int i = 0; i < 150; ++i) {
        auto* l = new QLabel(QStringLiteral("L%1").arg(i), &w);
        l->move(0, i);
        big.addControl(l);
        big.control(i).setTag(QStringLiteral("LBL%1").arg(i));
    }
    const ListDocument doc = controlListPages(big, kAt);
    ASSERT_EQ(doc.pages.size(), 3u);
    for (size_t p = 0; p < 3; ++p) {
        ASSERT_EQ(doc.pages[p].size(), kListPageLines + 1);
        EXPECT_EQ(doc.pages[p][2],
                  QStringLiteral("         ﾌｫｰﾑID(ﾌｫｰﾑ.TAG) : KFM00200   ﾌｫｰﾑﾀｲﾄﾙ : 一覧"));
        EXPECT_EQ(doc.pages[p].back(), listPageFoot(static_cast<int>(p) + 1));
    }
    EXPECT_EQ(body(doc.pages[0]).first().mid(9, 3), QStringLiteral("001"));
    EXPECT_EQ(body(doc.pages[0]).last().mid(9, 3), QStringLiteral("069"));
    EXPECT_EQ(body(doc.pages[1]).first().mid(9, 3), QStringLiteral("070"));
    EXPECT_EQ(nonEmpty(body(doc.pages[2])).size(), 150 - 2 * 69);
    EXPECT_EQ(nonEmpty(body(doc.pages[2])).last().mid(9, 3), QStringLiteral("150"));

    // Exactly one page's worth: no empty page after it.
    QWidget w2;
    Form exact(&w2);
    for (int i = 0; i < 69; ++i) {
        exact.addControl(new QLabel(&w2));
        exact.control(i).setTag(QStringLiteral("X"));
    }
    EXPECT_EQ(controlListPages(exact, kAt).pages.size(), 1u);
}

TEST_F(Screen, ControlListHasNoLimitOf250) {
    QWidget w;
    Form big(&w);
    for (int i = 0; i < 1200; ++i) {
        big.addControl(new QLabel(&w));
        big.control(i).setTag(QStringLiteral("T"));
    }
    const ListDocument doc = controlListPages(big, kAt);
    int lines = 0;
    for (const QStringList& p : doc.pages) lines += nonEmpty(body(p)).size();
    EXPECT_EQ(lines, 1200);
    EXPECT_EQ(nonEmpty(body(doc.pages.back())).last().mid(9, 4), QStringLiteral("1200"));
}

TEST_F(Screen, UnmatchedListBothSections) {
    c(t::kKanji).setTag(QString());                   // KANJI: an item without control
    c(t::kRate).setTag(QStringLiteral("rate"));       // case and trailing blanks: matched
    c(t::kCount).setTag(QStringLiteral("COUNT  "));   // trailing blanks: matched
    c(t::kAmount).setTag(QStringLiteral("AMOUNTX"));  // no such item
    c(t::kAmount).setText(QStringLiteral("999"));
    const ListDocument doc = unmatchedListPages(*form, kAt);
    ASSERT_EQ(doc.pages.size(), 1u);
    const QStringList& page = doc.pages[0];
    EXPECT_EQ(page[0], QStringLiteral("     フォームヘルパ Tag-項目ﾃｰﾌﾞﾙ アンマッチリスト") +
                           sp(42) + QStringLiteral("26/04/01 09:05:07"));
    EXPECT_EQ(page[4], QStringLiteral("         ｺﾚｸｼｮﾝNo.  TYPE           表示内容      "
                                      "(ﾌｫｰﾑのTAGに定義されているが項目ﾃｰﾌﾞﾙに定義されていない)"));
    const QStringList lines = nonEmpty(body(page));
    ASSERT_EQ(lines.size(), 5) << lines.join(u'\n').toStdString();
    EXPECT_EQ(lines[0], sp(12) + QStringLiteral("004") + sp(5) + QStringLiteral("ﾃｷｽﾄﾎﾞｯｸｽ ") +
                            sp(5) + QStringLiteral("999") + sp(47));
    // A control whose tag names an item of another form.
    EXPECT_EQ(lines[1].mid(12, 3), QStringLiteral("016"));
    EXPECT_EQ(lines[2], QStringLiteral("         項目位置   項目ID            ｸﾞﾙｰﾌﾟ     "
                                       "(項目ﾃｰﾌﾞﾙにあるがﾌｫｰﾑに定義されていない)"));
    EXPECT_EQ(lines[3], sp(12) + QStringLiteral("005") + sp(5) +
                            QStringLiteral("AMOUNT          ") + sp(4) + QStringLiteral("4"));
    EXPECT_EQ(lines[4], sp(12) + QStringLiteral("013") + sp(5) +
                            QStringLiteral("KANJI           ") + sp(4) + QStringLiteral("9"));
    EXPECT_EQ(page.back(), listPageFoot(1));
}

TEST_F(Screen, UnmatchedListRepeatsTheSectionHeaderOnNewPages) {
    QWidget w;
    Form many(&w);
    for (int i = 0; i < 80; ++i) {
        many.addControl(new QLineEdit(&w));
        many.control(i).setTag(QStringLiteral("NOPE%1").arg(i));
    }
    const ListDocument doc = unmatchedListPages(many, kAt);
    ASSERT_EQ(doc.pages.size(), 2u);
    EXPECT_EQ(doc.pages[1][4], doc.pages[0][4]);  // still the first section
    const QStringList second = nonEmpty(body(doc.pages[1]));
    EXPECT_EQ(second.size(), 80 - 69 + 1 + 16);
    EXPECT_EQ(second[11].left(13), QStringLiteral("         項目位置"));
    EXPECT_EQ(doc.pages[1].back(), listPageFoot(2));
}

TEST_F(Screen, ReportsGoThroughTheListPrinter) {
    std::vector<ListDocument> printed;
    setListPrinter([&](const ListDocument& d) { printed.push_back(d); });
    ControlListReport();
    UnmatchedListReport();
    setListPrinter(nullptr);
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_TRUE(printed[0].pages[0][0].startsWith(controlListTitle() + u' '));
    EXPECT_TRUE(printed[1].pages[0][0].startsWith(unmatchedListTitle() + u' '));
    // Nothing without a debugged form.
    helperContext().activeForm = nullptr;
    setListPrinter([&](const ListDocument& d) { printed.push_back(d); });
    ControlListReport();
    setListPrinter(nullptr);
    EXPECT_EQ(printed.size(), 2u);
}

namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    EXPECT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text layer of a PDF; with a pitch (points), on a grid of character cells of that width.
QString pdfText(const QString& path, const QString& pitch = {}) {
    QStringList args = {QStringLiteral("-enc"), QStringLiteral("UTF-8")};
    args << (pitch.isEmpty() ? QStringList{QStringLiteral("-layout")}
                             : QStringList{QStringLiteral("-fixed"), pitch});
    const QString text = run(QStringLiteral("pdftotext"), args << path << QStringLiteral("-"));
    // The text holds the ideographs themselves, never the Kangxi radicals that some CJK fonts
    // draw with the same glyphs.
    for (QChar ch : text)
        EXPECT_FALSE(ch.unicode() >= 0x2E80 && ch.unicode() <= 0x2FDF)
            << "U+" << QString::number(ch.unicode(), 16).toStdString();
    return text;
}

}  // namespace

TEST_F(Screen, PrintedWithoutPrinterToPdfInProgramFolder) {
    c(t::kName).setCaption(QStringLiteral("ﾔﾏﾀﾞ 山田"));
    // A line of fifty full-width characters, wider than the sheet.
    c(t::kKanji).setText(QString(50, QChar(0x9577)));
    const ListDocument doc = controlListPages(*form, kAt);
    printListDocument(doc, QString());
    const QStringList pdfs =
        QDir(folder.path()).entryList({QStringLiteral("CTLLIST_*.pdf")}, QDir::Files);
    ASSERT_EQ(pdfs.size(), 1);
    EXPECT_EQ(pdfs[0], QStringLiteral("CTLLIST_20260401_090507.pdf"));
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    EXPECT_EQ(fake.messageBox.shown[0].text,
              QStringLiteral("プリンタが使用できないため、ファイルに出力しました。\r\n") +
                  folder.file(pdfs[0]));
    EXPECT_EQ(fake.messageBox.shown[0].icon, tav::platform::Icon::Information);

    const QString pdf = folder.file(pdfs[0]);
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("フォームヘルパ フォームコントロール一覧")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("26/04/01 09:05:07")));
    EXPECT_TRUE(text.contains(QStringLiteral("ﾌｫｰﾑID(ﾌｫｰﾑ.TAG) : KFM00100")));
    EXPECT_TRUE(
        text.contains(QRegularExpression(QStringLiteral("002 +001 +CUST_NAME +ﾔﾏﾀﾞ 山田 +ﾗﾍﾞﾙ"))));
    EXPECT_TRUE(text.contains(QStringLiteral("ｵﾌﾟｼｮﾝﾎﾞﾀﾝ")));
    EXPECT_TRUE(text.contains(QStringLiteral("< 1 >")));

    // On the grid of the font's half-width cells the lines come back with their blanks: the
    // column header and the foot in their columns, the foot 48 cells right of "No.", as in the
    // lines, however wide the widest line.
    const QStringList grid = pdfText(pdf, QStringLiteral("4.875")).split(u'\n');
    const auto header = std::find_if(grid.begin(), grid.end(), [](const QString& l) {
        return l.contains(QStringLiteral("No.  ｺﾚｸｼｮﾝNo.    TAG              表示内容"));
    });
    const auto foot = std::find_if(grid.begin(), grid.end(), [](const QString& l) {
        return l.trimmed() == QStringLiteral("< 1 >");
    });
    ASSERT_NE(header, grid.end());
    ASSERT_NE(foot, grid.end());
    EXPECT_EQ(foot->indexOf(u'<') - header->indexOf(QStringLiteral("No.")), 48);
    EXPECT_FALSE(grid.filter(QRegularExpression(QStringLiteral("^ *001     000       CUST_CODE ")))
                     .isEmpty());

    // The foot lies at the foot of the sheet: the page is not shrunk by the wide line.
    const QString boxes =
        run(QStringLiteral("pdftotext"),
            {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
             QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
    const auto page =
        QRegularExpression(QStringLiteral(R"re(<page width="[\d.]+" height="([\d.]+)")re"))
            .match(boxes);
    const auto mark =
        QRegularExpression(QStringLiteral(R"re(yMin="([\d.]+)"[^>]*>&lt;</word>)re")).match(boxes);
    ASSERT_TRUE(page.hasMatch() && mark.hasMatch()) << boxes.toStdString();
    EXPECT_GT(mark.captured(1).toDouble() / page.captured(1).toDouble(), 0.85);

    // A second print in the same second gets a file of its own.
    printListDocument(doc, QString());
    EXPECT_EQ(QDir(folder.path()).entryList({QStringLiteral("CTLLIST_*.pdf")}, QDir::Files).size(),
              2);
}

TEST_F(Screen, PdfHasOnePageEachWithItsFoot) {
    QWidget w;
    Form big(&w);
    for (int i = 0; i < 100; ++i) {
        big.addControl(new QLabel(QStringLiteral("ﾗﾍﾞﾙ%1").arg(i), &w));
        big.control(i).setTag(QStringLiteral("ITEM%1").arg(i, 3, 10, QChar(u'0')));
    }
    const QString path = folder.file(QStringLiteral("list.pdf"));
    ASSERT_TRUE(writeListPdf(controlListPages(big, kAt), path));
    const QString text = pdfText(path);
    const QStringList pages = text.split(u'\f', Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("< 1 >")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("ITEM069")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("ITEM068")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("ITEM069")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("ﾗﾍﾞﾙ99")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("< 2 >")));
    // An unwritable place is refused.
    EXPECT_FALSE(writeListPdf(controlListPages(big, kAt),
                              folder.file(QStringLiteral("no/such/folder/list.pdf"))));
}
