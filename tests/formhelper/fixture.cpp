#include "fixture.h"

using namespace tav::formhelper;

namespace tav::test {

const char* const kScreenDefinition = R"(# Test screens
[SETTINGS]
FORECOLOR      = 0
BACKCOLOR      = 16777215
INPUTBACKCOLOR = 12648447
CODEBASECOLOR  = 14737632
CODEMARKCOLOR  = 255

[FORMATS]
80 = #,##0.0

[FORM OTHER]
X_ITEM     | 0 | TXT |          | X  | 5  | 0 | 00 | 1

[FORM KFM00100]
# item ID  |grp| type| code ID  |input|len|dec|fmt|class| name item | column
CUST_CODE  | 1 | TXT | CUSTOMER | 99 | 6  | 0 | 00 | 1 | CUST_NAME
CUST_NAME  | 2 | LBL |          | N  | 40 | 0 | 00 | 5
START_DATE | 3 | TXT |          | D  | 8  | 0 | 52 | 1
PAY_DATE   | 3 | TXT |          | D  | 8  | 0 | 53 | 2
AMOUNT     | 4 | TXT |          | 9  | 9  | 0 | 12 | 1
RATE       | 4 | TXT |          | 9+ | 7  | 2 | 10 | 1
ERA_DATE   | 5 | TXT |          | D6 | 7  | 0 | 60 | 1
KIND_A     | 6 | OPT |          | 99 | 1  | 0 | 00 | 1
AGREE      | 6 | CHK |          | 99 | 1  | 0 | 00 | 1
OK_BTN     | 7 | BTN |          |    | 1  | 0 | 00 | 9
ROW_CODE   | 8 | TXT | GOODS    | XX | 5  | 0 | 00 | 1 | ROW_NAME  | 0
ROW_NAME   | 8 | LBL |          | N  | 10 | 0 | 00 | 6 |           | 1
KANJI      | 9 | TXT |          | N  | 10 | 0 | 00 | 1
COUNT      | 0 | TXT |          | 9  | 5  | 0 | 00 | 1
BANK_LBL   | X | LBL | BANK     | X  | 10 | 0 | 00 | 9
ODD        | 1 | TXT |          | ZZ | 4  | 0 | 11 | 1
)";

void Screen::SetUp() {
    savedFormats = common::displayFormatSettings();
    common::commonArea() = common::CommonArea{};
    fake.clock.current = QDateTime(QDate(2026, 4, 1), QTime(9, 5, 7));
    ASSERT_TRUE(common::openSystemLog(folder.path()));
    installScreenDefinitions(parseScreenDefinitions(QString::fromUtf8(kScreenDefinition), "T"));
    HelperContext& ctx = helperContext();
    ctx.currentFormEntry = ctx.findForm(QStringLiteral("kfm00100"));
    ASSERT_EQ(ctx.currentFormEntry, 1);

    window = std::make_unique<QWidget>();
    window->setWindowTitle(QStringLiteral("顧客登録"));
    form = std::make_unique<Form>(window.get());
    form->setTag(QStringLiteral("KFM00100"));
    auto* frame = new QFrame(window.get());
    auto* combo = new QComboBox(window.get());
    combo->setEditable(true);
    QWidget* widgets[kControlCount] = {new QLineEdit(window.get()),
                                       new QLabel(window.get()),
                                       new QLineEdit(window.get()),
                                       combo,
                                       new QLineEdit(window.get()),
                                       new QLineEdit(window.get()),
                                       new QLineEdit(window.get()),
                                       new QRadioButton(QStringLiteral("個人"), window.get()),
                                       new QCheckBox(QStringLiteral("同意"), window.get()),
                                       new QPushButton(QStringLiteral("OK"), window.get()),
                                       new QLineEdit(window.get()),
                                       new QLabel(window.get()),
                                       new QLineEdit(window.get()),
                                       new QLabel(window.get()),
                                       frame,
                                       new QLineEdit(window.get()),
                                       new QLineEdit(window.get()),
                                       new QLineEdit(frame),
                                       new QLineEdit(window.get()),
                                       new QLabel(window.get()),
                                       new QLineEdit(window.get())};
    const int item[kControlCount] = {1,  2,  3,  4,  5,  6, 7,  8,  9,  10, 11,
                                     12, 11, 12, -1, 13, 0, -1, 14, 15, 16};
    const int row[kControlCount] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 2, 2, 0, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < kControlCount; ++i) {
        widgets[i]->setObjectName(QStringLiteral("ctl%1").arg(i));
        widgets[i]->setGeometry(10 + (i % 3) * 150, 10 + (i / 3) * 30, 140, 24);
        ASSERT_EQ(form->addControl(widgets[i]), i);
        if (item[i] >= 0)
            form->control(i).setTag(
                makeItemTag(item[i], row[i] ? std::optional<int>(row[i]) : std::nullopt));
        form->control(i).setTabIndex(kControlCount - i);
    }
    ASSERT_EQ(bindItemControls(*form), 0);
    ctx.activeForm = form.get();
    ctx.focusControlIndex = -1;
}

void Screen::TearDown() {
    form.reset();
    window.reset();
    common::closeSystemLog();
    common::displayFormatSettings().userFormats = savedFormats.userFormats;
    common::displayFormatSettings().eras = savedFormats.eras;
    helperContext().activeForm = nullptr;
}

QStringList Screen::reports() {
    QStringList out;
    const QString all = QString::fromUtf8(readFile(folder.file("FEND_SYS.LOG")));
    for (const QString& line : all.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
        out << line.mid(18 + 16 + 1 + 8 + 1 + 8 + 1);
    return out;
}

}  // namespace tav::test
