#include "company.h"

#include "common/system_log.h"
#include "dataaccess/lsqlio00.h"
#include "formhelper/code_lookup.h"
#include "menu_errors.h"
#include "menu_window.h"
#include "namemaster/name_master.h"
#include "platform/context.h"
#include "platform/text.h"

namespace tav::menu {

using common::CommonReturnCode;
using common::CommonStatus;
using common::returnCodeOf;
using text::FixedWidth;
using text::Trim;

namespace {

constexpr qint16 kDb = 0;
constexpr qint16 kCompanyCursor = 2;

const char* const kDigits[7] = {"１", "２", "３", "４", "５", "６", "７"};

QString titleColumn(int i) {
    return QStringLiteral("タイトル") + QString::fromUtf8(kDigits[i]) + QStringLiteral("行目");
}
QString contentColumn(int i) {
    return QStringLiteral("内容") + QString::fromUtf8(kDigits[i]) + QStringLiteral("行目");
}

// A failure of a routine that reports and lets its caller carry on.
void ReportAndGoOn(const QString& place, const std::exception& e) {
    const Failure f = failureOf(e, kOtherErrorNumber);
    common::SystemLogReport(place, QStringLiteral("GE00"), 4, f.number, f.description);
}

// A number column as its decimal text.
QString decimalText(const QVariant& v) {
    bool ok = false;
    const qlonglong whole = v.toLongLong(&ok);
    const double value = v.toDouble();
    if (ok && static_cast<double>(whole) == value) return QString::number(whole);
    return QString::number(value, 'g', 15);
}

}  // namespace

CompanyRecord::CompanyRecord() {
    clear();
}

void CompanyRecord::clear() {
    address = QString(4, u' ');
    menuHeader = QString(80, u' ');
    titleLines.fill(QString(24, u' '));
    contentLines.fill(QString(80, u' '));
}

CompanyRecord& companyRecord() {
    return context().get<CompanyRecord>();
}

QString CompanySelectStatement() {
    QString sql =
        QStringLiteral("SELECT") + QStringLiteral(" アドレス") + QStringLiteral(",メニューヘッダ");
    for (int i = 0; i < 7; ++i) sql += u',' + titleColumn(i) + u',' + contentColumn(i);
    return sql + QStringLiteral(" FROM 自社情報") + QStringLiteral(" WHERE アドレス = 0100");
}

void M2000_OPEN_RTN() {
    try {
        // The code look-up of the framework's screens reads the office database too.
        formhelper::lookupState().db = 0;
        CommonReturnCode() = returnCodeOf(dataaccess::Q0100_CONNECT(kDb, QString(), QString()));
    } catch (const std::exception& e) {
        ReportAndGoOn(QStringLiteral("M2000_OPEN_RTN"), e);
    }
}

void OpenOfficeDatabaseAhead() {
    dataaccess::OpenAhead(kDb);
}

void M0030_JISYA_L_SET(MenuWindow& window) {
    try {
        M2200_JISYA_SET();
        window.setCompanyCaption(Trim(companyRecord().menuHeader) + u' ');
    } catch (const std::exception& e) {
        StopWithUnexpectedError(QStringLiteral("M0030_JISYA_L_SET"), e);
    }
}

void M2200_JISYA_SET() {
    try {
        CommonStatus() = QStringLiteral("OK");
        M2530_FORM_DATA_CREATE();
    } catch (const std::exception& e) {
        ReportAndGoOn(QStringLiteral("M2200_JISYA_SET"), e);
    }
}

void M2530_FORM_DATA_CREATE() {
    try {
        M2530_JISYA_TTR_SELECT1();
        CompanyRecord& r = companyRecord();
        if (CommonStatus() == QStringLiteral("OK")) {
            using dataaccess::Q0700_SGET;
            r.address = FixedWidth(
                decimalText(dataaccess::Q0700_NGET(kCompanyCursor, QStringLiteral("アドレス"))), 4);
            r.menuHeader = FixedWidth(
                Q0700_SGET(kCompanyCursor, QStringLiteral("メニューヘッダ")).toString(), 80);
            for (int i = 0; i < 7; ++i) {
                const auto n = static_cast<size_t>(i);
                r.titleLines[n] =
                    FixedWidth(Q0700_SGET(kCompanyCursor, titleColumn(i)).toString(), 24);
                r.contentLines[n] =
                    FixedWidth(Q0700_SGET(kCompanyCursor, contentColumn(i)).toString(), 80);
            }
        } else {
            r.clear();
        }
        CommonReturnCode() = returnCodeOf(dataaccess::Q0600_DS_CLOSE(kCompanyCursor));
    } catch (const std::exception& e) {
        ReportAndGoOn(QStringLiteral("M2530_FORM_DATA_CREATE"), e);
    }
}

void M2530_JISYA_TTR_SELECT1() {
    try {
        CommonReturnCode() = returnCodeOf(
            dataaccess::Q0300_DECLARE(kDb, kCompanyCursor, CompanySelectStatement(), 0));
        CommonStatus() = CommonReturnCode() == -1 ? QStringLiteral("OK") : QStringLiteral("NG");
    } catch (const std::exception& e) {
        ReportAndGoOn(QStringLiteral("M2530_JISYA_TTR_SELECT1"), e);
    }
}

void M2900_CLOSE_RTN() {
    try {
        CommonReturnCode() = returnCodeOf(dataaccess::Q0200_DISCON(kDb));
    } catch (const std::exception& e) {
        ReportAndGoOn(QStringLiteral("M2900_CLOSE_RTN"), e);
    }
}

}  // namespace tav::menu
