#include "customer_inquiry.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QGridLayout>
#include <QKeyEvent>
#include <QListWidget>

#include "common/system_log.h"
#include "common/text_fit.h"
#include "dataaccess/dialect.h"
#include "dataaccess/lsqlio00.h"
#include "dialogs/lkf10040.h"
#include "dialogs/lkf10050.h"
#include "dialogs/lkf10060.h"
#include "formhelper/code_lookup.h"
#include "formhelper/helper_context.h"
#include "formhelper/item_access.h"
#include "formhelper/screen_definition.h"
#include "platform/program_info.h"
#include "platform/services.h"
#include "platform/text.h"

namespace tav::sample {

namespace da = tav::dataaccess;
namespace fh = tav::formhelper;
using text::Trim;

namespace {

constexpr qint16 kDb = 0;
constexpr qint16 kDetailCursor = 1;  // cursor 0 belongs to the code look-up
const QString kFormId = QStringLiteral("KOKY0100");

// The code look-up of the customer table: a six-character key searched by its beginning, the
// name beside it.
void prepareCustomerLookup() {
    fh::resetLookupState();
    fh::LookupState& s = fh::lookupState();
    s.db = kDb;
    s.definition.keyAttribute = QStringLiteral("X");
    s.definition.keyLength = QStringLiteral("006");
    s.definition.searchKind = QStringLiteral("1");
    s.definition.keyColumn = text::FixedWidth(QStringLiteral("顧客コード"), 50);
    s.keyColumns = {{QStringLiteral("X"), QStringLiteral("006"),
                     text::FixedWidth(QStringLiteral("顧客コード"), 50)}};
    s.nameColumns = {{QStringLiteral("N"), QStringLiteral("020"),
                      text::FixedWidth(QStringLiteral("顧客名"), 50)}};
    s.tableName = QStringLiteral("顧客マスタ");
    s.orderClause = QStringLiteral(" ORDER BY 顧客コード");
    s.rowLimit = 200;
    s.fontSize = 9;
    s.sourceMode = QStringLiteral("2");
    fh::DeriveLineWidths();
}

QLabel* caption(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QLabel* field(const char* name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(320);
    return l;
}

}  // namespace

CustomerInquiry::CustomerInquiry() {
    setObjectName(kFormId);
    setWindowTitle(QStringLiteral("顧客照会"));
    QFont f(QStringLiteral("ＭＳ ゴシック"));
    f.setPointSize(11);
    setFont(f);

    auto* grid = new QGridLayout(this);
    CUST_CODE = new QLineEdit(this);
    CUST_CODE->setObjectName(QStringLiteral("CUST_CODE"));
    CUST_CODE->setMaxLength(6);
    CUST_CODE->setFixedWidth(90);
    CUST_NAME = field("CUST_NAME", this);
    CUST_KANA = field("CUST_KANA", this);
    ADDRESS = field("ADDRESS", this);
    PHONE = field("PHONE", this);
    BALANCE = field("BALANCE", this);
    BALANCE->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    CONTRACT = field("CONTRACT", this);
    STATUS = new QLabel(this);
    STATUS->setObjectName(QStringLiteral("STATUS"));
    LOOKUP_BTN = new QPushButton(QStringLiteral("F4 参照"), this);
    LOOKUP_BTN->setObjectName(QStringLiteral("LOOKUP_BTN"));
    DEBUG_BTN = new QPushButton(QStringLiteral("F11 ﾃﾞﾊﾞｯｶﾞｰ"), this);
    DEBUG_BTN->setObjectName(QStringLiteral("DEBUG_BTN"));
    END_BTN = new QPushButton(QStringLiteral("F12 終了"), this);
    END_BTN->setObjectName(QStringLiteral("END_BTN"));
    for (QPushButton* b : {LOOKUP_BTN, DEBUG_BTN, END_BTN}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
    }

    int row = 0;
    grid->addWidget(caption(QStringLiteral("顧客コード"), this), row, 0);
    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(CUST_CODE);
    codeRow->addWidget(CUST_NAME, 1);
    grid->addLayout(codeRow, row++, 1);
    grid->addWidget(caption(QStringLiteral("フリガナ"), this), row, 0);
    grid->addWidget(CUST_KANA, row++, 1);
    grid->addWidget(caption(QStringLiteral("住所"), this), row, 0);
    grid->addWidget(ADDRESS, row++, 1);
    grid->addWidget(caption(QStringLiteral("電話番号"), this), row, 0);
    grid->addWidget(PHONE, row++, 1);
    grid->addWidget(caption(QStringLiteral("貸付残高"), this), row, 0);
    grid->addWidget(BALANCE, row++, 1);
    grid->addWidget(caption(QStringLiteral("契約日"), this), row, 0);
    grid->addWidget(CONTRACT, row++, 1);
    grid->addWidget(STATUS, row++, 0, 1, 2);
    auto* keys = new QHBoxLayout;
    keys->addWidget(LOOKUP_BTN);
    keys->addStretch();
    keys->addWidget(DEBUG_BTN);
    keys->addWidget(END_BTN);
    grid->addLayout(keys, row++, 0, 1, 2);

    // The Controls collection: the items in their definition order, then the rest.
    form_ = std::make_unique<fh::Form>(this);
    form_->setTag(kFormId);
    fh::HelperContext& ctx = fh::helperContext();
    ctx.currentFormEntry = ctx.findForm(kFormId);
    const fh::FormRecord* rec = ctx.currentForm();
    QWidget* const items[] = {CUST_CODE, CUST_NAME, CUST_KANA,  ADDRESS,   PHONE,
                              BALANCE,   CONTRACT,  LOOKUP_BTN, DEBUG_BTN, END_BTN};
    for (QWidget* w : items) {
        const int i = form_->addControl(w);
        if (!rec) continue;
        for (int n = rec->firstItem; n <= rec->lastItem; ++n)
            if (Trim(ctx.item(n)->itemId) == w->objectName())
                form_->control(i).setTag(fh::makeItemTag(n));
    }
    form_->addAllControls();
    fh::bindItemControls(*form_);
    for (QWidget* w : items) {
        fh::Control c = form_->control(index(w));
        if (c.kind() != fh::ControlKind::CommandButton) fh::ResetItemAppearance(*form_, c.index());
    }
    ctx.activeForm = form_.get();
    ctx.focusControlIndex = index(CUST_CODE);
    common::commonArea().setFormId(kFormId);

    fh::setCodeSelectedHook([this](fh::Form&, int, const fh::CodeSelection& chosen) {
        showCustomer(Trim(chosen.code));
    });
    connect(LOOKUP_BTN, &QPushButton::clicked, this, &CustomerInquiry::openLookup);
    connect(DEBUG_BTN, &QPushButton::clicked, this, &CustomerInquiry::openDebugger);
    connect(END_BTN, &QPushButton::clicked, this, &QWidget::close);
    connect(CUST_CODE, &QLineEdit::returnPressed, this, [this] {
        fh::CommitItemDisplay(*form_, fh::tagItemNumber(form_->control(0).tag()).value_or(-1), 0);
        showCustomer(Trim(CUST_CODE->text()));
    });
    common::ShowLabelsAsText(this);
    CUST_CODE->setFocus();
}

CustomerInquiry::~CustomerInquiry() {
    fh::setCodeSelectedHook(nullptr);
    if (fh::helperContext().activeForm == form_.get()) fh::helperContext().activeForm = nullptr;
}

int CustomerInquiry::index(QWidget* w) const {
    return form_->indexOf(w);
}

void CustomerInquiry::setItem(QWidget* w, const QString& value) {
    fh::SetItemValue(*form_, index(w), value);
}

void CustomerInquiry::openLookup() {
    fh::HelperContext& ctx = fh::helperContext();
    int at = index(CUST_CODE);
    const int focus = ctx.focusControlIndex;
    if (focus >= 0 && focus < form_->controlCount()) {
        const auto n = fh::tagItemNumber(form_->control(focus).tag());
        const fh::ItemRecord* r = n ? ctx.item(*n) : nullptr;
        if (r && !Trim(r->codeId).isEmpty()) at = focus;
    }
    prepareCustomerLookup();
    int lines = 0;
    {
        dialogs::PleaseWait wait(this);
        wait.tick();
        dialogs::OpenCodeLookup(*form_, at, true);
        wait.tick();
        lines = dialogs::LKF10040::instance().List1->count();
    }
    writeState(QStringLiteral("LOOKUP=%1\n").arg(lines));
}

void CustomerInquiry::openDebugger() {
    dialogs::LKF10050::showDebugger(this);
    writeState(QStringLiteral("DEBUGGER=1\n"));
}

void CustomerInquiry::showCustomer(const QString& code) {
    for (QLabel* l : {CUST_KANA, ADDRESS, PHONE, BALANCE, CONTRACT}) setItem(l, QString());
    STATUS->clear();
    if (code.isEmpty()) {
        writeState();
        return;
    }
    // The code goes in as a literal of its own: whatever quotes it holds, they stay inside it.
    const QString sql = QStringLiteral(
                            "SELECT 顧客名, 顧客カナ, 住所, 電話番号, 貸付残高, 契約日 FROM 顧客マスタ "
                            "WHERE 顧客コード = ") +
                        da::dialectLiteral(code);
    if (da::Q0300_DECLARE(kDb, kDetailCursor, sql) == QVariant(da::kNoData)) {
        setItem(CUST_NAME, QString());
        STATUS->setText(QStringLiteral("顧客コード %1 の顧客は登録されていません。").arg(code));
    } else {
        setItem(CUST_NAME, da::Q0700_SGET(kDetailCursor, QStringLiteral("顧客名")).toString());
        setItem(CUST_KANA, da::Q0700_SGET(kDetailCursor, QStringLiteral("顧客カナ")).toString());
        setItem(ADDRESS, da::Q0700_SGET(kDetailCursor, QStringLiteral("住所")).toString());
        setItem(PHONE, da::Q0700_SGET(kDetailCursor, QStringLiteral("電話番号")).toString());
        setItem(BALANCE, da::Q0700_NGET(kDetailCursor, QStringLiteral("貸付残高")).toString());
        setItem(CONTRACT, da::Q0700_SGET(kDetailCursor, QStringLiteral("契約日")).toString());
        da::Q0600_DS_CLOSE(kDetailCursor);
    }
    writeState();
}

void CustomerInquiry::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_F4:
            openLookup();
            return;
        case Qt::Key_F11:
            openDebugger();
            return;
        case Qt::Key_F12:
        case Qt::Key_Escape:
            close();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void CustomerInquiry::closeEvent(QCloseEvent* event) {
    if (dialogs::LKF10050* d = dialogs::LKF10050::loaded()) d->close();
    QWidget::closeEvent(event);
}

void CustomerInquiry::writeState(const QString& extra) {
    const QByteArray path = qgetenv("TAV_SAMPLE_STATE_FILE");
    if (path.isEmpty()) return;
    QString text = QStringLiteral("READY=1\n") + extra;
    for (int i = 0; i < form_->controlCount(); ++i) {
        fh::Control c = form_->control(i);
        if (!c.tag().isEmpty()) text += c.name() + u'=' + c.text() + u'\n';
    }
    QFile f(QString::fromLocal8Bit(path));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(text.toUtf8());
}

int RunCustomerInquiry() {
    const QString definitions = platform::programFolder() + QStringLiteral("/KOKY0100.SCR");
    if (auto fault = fh::LoadScreenDefinitions(definitions)) {
        platform::messageBox(
            QStringLiteral("画面定義ファイルを読み込めません。\r\n") + fault->text(),
            QStringLiteral("起動エラー"), platform::Buttons::Ok, platform::Icon::Critical);
        return platform::ExitStopped;
    }
    da::Q0100_CONNECT(kDb);
    int status = 0;
    {
        CustomerInquiry window;
        window.show();
        window.writeState();
        status = QApplication::exec();
    }
    da::Q0200_DISCON(kDb);
    common::EndOfLog();
    return status;
}

}  // namespace tav::sample
