// The sample business screen 顧客照会 on an office database of its own: its definition file and
// its controls agree, the look-up fills the code and name, the details follow, the debugger opens
// and closes over it.
#include <QApplication>
#include <QKeyEvent>

#include "common/system_log.h"
#include "customer_inquiry.h"
#include "dataaccess/lsqlio00.h"
#include "dataaccess/lsqlio00_state.h"
#include "dialogs/lkf10040.h"
#include "dialogs/lkf10050.h"
#include "dialogs/lkf10060.h"
#include "formhelper/code_lookup.h"
#include "formhelper/helper_context.h"
#include "formhelper/item_access.h"
#include "formhelper/printed_lists.h"
#include "formhelper/screen_definition.h"
#include "officedb/office_db.h"
#include "sample_data.h"
#include "support/test_support.h"

using namespace tav;
using sample::CustomerInquiry;

namespace {

void settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

class SampleScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        dataaccess::resetDataAccess();
        common::commonArea() = common::CommonArea{};
        ASSERT_TRUE(common::openSystemLog(folder.path()));
        const QString db = folder.file(QStringLiteral("TAV_OFFICE.db"));
        ASSERT_EQ(officedb::createOfficeDatabase(db, {}, {}), QString());
        ASSERT_EQ(officedb::execSqlite(db, sample::customerTableStatements()), QString());
        test::writeCp932(folder.file(QStringLiteral("FEND_RUN.INI")), officedb::settingsFor(db));
        const auto fault = formhelper::LoadScreenDefinitions(
            QStringLiteral(TAV_SOURCE_DIR "/demo/sample_screen/KOKY0100.SCR"));
        ASSERT_FALSE(fault.has_value()) << fault->text().toStdString();
        ASSERT_TRUE(dataaccess::isTrue(dataaccess::Q0100_CONNECT(0)));
        screen = std::make_unique<CustomerInquiry>();
        screen->show();
        settle();
    }
    void TearDown() override {
        if (auto* d = dialogs::LKF10050::loaded()) d->close();
        dialogs::LKF10040::destroyInstance();
        screen.reset();
        settle();
        dataaccess::resetDataAccess();
        common::closeSystemLog();
    }
    platform::FakeServices fake;
    test::ProgramFolder folder{QStringLiteral("TAV/SYS/App"), QStringLiteral("TAV_KOKY0100")};
    std::unique_ptr<CustomerInquiry> screen;
};

}  // namespace

TEST_F(SampleScreen, EveryItemHasItsControlAndEveryTagItsItem) {
    EXPECT_EQ(common::commonArea().formId, QStringLiteral("KOKY0100"));
    EXPECT_EQ(formhelper::helperContext().activeForm, &screen->form());
    const formhelper::ListDocument doc =
        formhelper::unmatchedListPages(screen->form(), QDateTime::currentDateTime());
    ASSERT_EQ(doc.pages.size(), 1u);
    int lines = 0;
    for (const QString& l : doc.pages[0].mid(6, formhelper::kListPageLines - 6))
        if (!l.isEmpty()) ++lines;
    EXPECT_EQ(lines, 1);  // the second section's header alone
}

TEST_F(SampleScreen, CustomerDetailsByCode) {
    screen->showCustomer(QStringLiteral("000010"));
    EXPECT_EQ(screen->CUST_NAME->text(), QStringLiteral("株式会社マルヴネ商事"));
    EXPECT_EQ(screen->CUST_KANA->text(), QStringLiteral("ｶ) ﾏﾙｳﾞﾈｼｮｳｼﾞ"));
    EXPECT_EQ(screen->BALANCE->text(), QStringLiteral("5,000,000"));
    EXPECT_EQ(screen->CONTRACT->text(), QStringLiteral("2012/04/01"));
    screen->showCustomer(QStringLiteral("999999"));
    EXPECT_EQ(screen->CUST_NAME->text(), QString());
    EXPECT_EQ(screen->BALANCE->text(), QString());
    EXPECT_EQ(screen->STATUS->text(),
              QStringLiteral("顧客コード 999999 の顧客は登録されていません。"));
}

TEST_F(SampleScreen, QuotesTypedOrChosenStayInsideTheCode) {
    const QString db = folder.file(QStringLiteral("TAV_OFFICE.db"));
    ASSERT_EQ(officedb::execSqlite(
                  db, {QStringLiteral("INSERT INTO 顧客マスタ (顧客コード, 顧客名, 貸付残高) "
                                      "VALUES ('00\"X', '引用符\"商会', 7654321)")}),
              QString());
    // Typed and Enter: a code that does not exist is reported as such, whatever it holds.
    for (const QString& code :
         {QStringLiteral("A\""), QStringLiteral("\"OR\"1"), QStringLiteral("0'1"),
          QStringLiteral("' OR '"), QStringLiteral("*"), QStringLiteral("0000?1"),
          QStringLiteral("[0]")}) {
        screen->CUST_CODE->setText(code);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        EXPECT_EQ(test::exitStatusOf([&] { QApplication::sendEvent(screen->CUST_CODE, &enter); }),
                  -1)
            << code.toStdString();
        EXPECT_EQ(screen->CUST_NAME->text(), QString()) << code.toStdString();
        EXPECT_EQ(screen->STATUS->text(), QStringLiteral("顧客コード ") + code +
                                              QStringLiteral(" の顧客は登録されていません。"));
    }
    // Chosen from the look-up.
    screen->CUST_CODE->setText(QStringLiteral("00\""));
    screen->openLookup();
    dialogs::LKF10040& w = dialogs::LKF10040::instance();
    ASSERT_EQ(w.List1->count(), 1);
    w.List1->setCurrentRow(0);
    EXPECT_EQ(test::exitStatusOf([] { formhelper::OutputCodeName(); }), -1);
    EXPECT_EQ(screen->CUST_CODE->text(), QStringLiteral("00\"X"));
    EXPECT_EQ(screen->CUST_NAME->text(), QStringLiteral("引用符\"商会"));
    EXPECT_EQ(screen->BALANCE->text(), QStringLiteral("7,654,321"));
}

TEST_F(SampleScreen, LookupWritesCodeNameAndDetailsBack) {
    screen->CUST_CODE->setText(QStringLiteral("00002"));
    screen->openLookup();
    dialogs::LKF10040& w = dialogs::LKF10040::instance();
    ASSERT_EQ(w.List1->count(), 2);  // 000020 and 000021
    EXPECT_TRUE(w.List1->lineText(1).startsWith(QStringLiteral("000021 小林　恵子")));
    // The please-wait window has gone again.
    for (QWidget* t : QApplication::topLevelWidgets())
        EXPECT_FALSE(t->objectName() == QStringLiteral("LKF10060") && t->isVisible());
    w.List1->setCurrentRow(1);
    formhelper::OutputCodeName();
    EXPECT_EQ(screen->CUST_CODE->text(), QStringLiteral("000021"));
    EXPECT_EQ(screen->CUST_NAME->text(), QStringLiteral("小林　恵子"));
    EXPECT_EQ(screen->PHONE->text(), QStringLiteral("03-3993-7777"));
    EXPECT_EQ(screen->CONTRACT->text(), QStringLiteral("2022/09/19"));
}

TEST_F(SampleScreen, EveryLabelShowsItsTextAsText) {
    formhelper::Form& form = screen->form();
    const int name = form.indexOf(screen->CUST_NAME);
    formhelper::SetItemValue(form, name, QStringLiteral("ABC"));
    const int oneLine = screen->CUST_NAME->sizeHint().height();
    formhelper::SetItemValue(form, name, QStringLiteral("<b>ABC</b><br>DEF"));
    EXPECT_EQ(screen->CUST_NAME->text(), QStringLiteral("<b>ABC</b><br>DEF"));
    EXPECT_EQ(screen->CUST_NAME->sizeHint().height(), oneLine);
    // The screen, the look-up, the debugger and the please-wait window.
    screen->openLookup();
    dialogs::LKF10050::showDebugger(screen.get());
    dialogs::LKF10060 wait;
    int labels = 0;
    for (QWidget* top :
         {static_cast<QWidget*>(screen.get()),
          static_cast<QWidget*>(&dialogs::LKF10040::instance()),
          static_cast<QWidget*>(dialogs::LKF10050::loaded()), static_cast<QWidget*>(&wait)}) {
        ASSERT_NE(top, nullptr);
        for (QLabel* l : top->findChildren<QLabel*>()) {
            EXPECT_EQ(l->textFormat(), Qt::PlainText) << l->objectName().toStdString();
            ++labels;
        }
    }
    EXPECT_GT(labels, 20);
    // The debugger's modes write tags into the labels: still text.
    dialogs::LKF10050::loaded()->Command1->click();
    EXPECT_EQ(screen->CUST_NAME->textFormat(), Qt::PlainText);
}

TEST_F(SampleScreen, DebuggerKeyOpensTheDebuggerOverTheScreen) {
    screen->showCustomer(QStringLiteral("000001"));
    const QString name = screen->CUST_NAME->text();
    QKeyEvent f11(QEvent::KeyPress, Qt::Key_F11, Qt::NoModifier);
    QApplication::sendEvent(screen.get(), &f11);
    dialogs::LKF10050* d = dialogs::LKF10050::loaded();
    ASSERT_NE(d, nullptr);
    d->Command1->click();
    EXPECT_TRUE(screen->CUST_NAME->text().startsWith(QStringLiteral("CUST_NAME")));
    d->Command9->click();
    settle();
    EXPECT_EQ(screen->CUST_NAME->text(), name);
}
