#pragma once
// The company header: database connection 0 opened and closed around each read, the row 0100
// of the company information read into the company record, and its menu header shown in the
// company label of the main window.
#include <QString>
#include <array>

namespace tav::menu {

class MenuWindow;

// Fixed-length, blank-padded fields; they keep their values until the next refresh.
struct CompanyRecord {
    QString address = QString(4, u' ');
    QString menuHeader = QString(80, u' ');
    std::array<QString, 7> titleLines;    // 24 characters each
    std::array<QString, 7> contentLines;  // 80 characters each
    CompanyRecord();
    void clear();
};
CompanyRecord& companyRecord();

// The statement that reads the company information.
QString CompanySelectStatement();

void M2000_OPEN_RTN();
// Opens the office database while the window is built (dataaccess::OpenAhead).
void OpenOfficeDatabaseAhead();
void M0030_JISYA_L_SET(MenuWindow& window);
void M2200_JISYA_SET();
void M2530_FORM_DATA_CREATE();
void M2530_JISYA_TTR_SELECT1();
void M2900_CLOSE_RTN();

}  // namespace tav::menu
