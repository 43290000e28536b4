// Prints the form helper's two lists of a test form through the system's printing, as
// "ｺﾝﾄﾛｰﾙ印刷" and "ｱﾝﾏｯﾁﾘｽﾄ" of the debugger do: to the default printer, or without one to a
// PDF in the working folder. Message boxes are recorded and written to standard output; the exit
// status is 1 when one was shown.
//   tav_print_lists control|unmatched
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <cstdio>

#include "formhelper/form.h"
#include "formhelper/helper_context.h"
#include "formhelper/printed_lists.h"
#include "formhelper/screen_definition.h"
#include "platform/program_info.h"
#include "support/fake_services.h"

using namespace tav::formhelper;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QByteArray which = argc == 2 ? QByteArray(argv[1]) : QByteArray();
    if (which != "control" && which != "unmatched") {
        std::fprintf(stderr, "usage: tav_print_lists control|unmatched\n");
        return 2;
    }
    // Without a printer the PDF goes to the working folder.
    tav::platform::setProgramFolder(QDir::currentPath());
    tav::platform::FakeServices fake;
    fake.clock.current = QDateTime(QDate(2026, 4, 1), QTime(9, 5, 7));
    installScreenDefinitions(
        parseScreenDefinitions(QStringLiteral("[FORM KFM00100]\n"
                                              "CUST_CODE | 1 | TXT |  | 99 | 6  | 0 | 00 | 1\n"
                                              "CUST_NAME | 2 | LBL |  | N  | 40 | 0 | 00 | 5\n"
                                              "NOT_SHOWN | 3 | TXT |  | X  | 5  | 0 | 00 | 1\n"),
                               QStringLiteral("PRINT.SCR")));
    HelperContext& ctx = helperContext();
    ctx.currentFormEntry = ctx.findForm(QStringLiteral("KFM00100"));
    QWidget window;
    window.setWindowTitle(QStringLiteral("顧客一覧表示"));
    Form form(&window);
    form.setTag(QStringLiteral("KFM00100"));
    // Names of half-width katakana, ideographs and digits; one of fifty full-width characters
    // makes the widest line; 80 tagged controls fill two pages of the control list.
    for (int i = 0; i < 80; ++i) {
        QWidget* w;
        if (i == 0) {
            w = new QLineEdit(QStringLiteral("000123"), &window);
        } else if (i == 1) {
            w = new QLabel(QStringLiteral("ﾔﾏﾀﾞ 山田 一覧 表示"), &window);
        } else if (i == 2) {
            w = new QLabel(QString(50, QChar(0x9577)), &window);  // 長
        } else {
            w = new QLabel(QStringLiteral("ﾗﾍﾞﾙ%1 漢字").arg(i), &window);
        }
        w->move(10, 10 + 20 * i);
        const int n = form.addControl(w);
        form.control(n).setTag(i == 0   ? makeItemTag(0)
                               : i == 1 ? makeItemTag(1)
                                        : QStringLiteral("OTHER%1").arg(i, 3, 10, QChar(u'0')));
    }
    ctx.activeForm = &form;
    if (which == "control")
        ControlListReport();
    else
        UnmatchedListReport();
    for (const auto& box : fake.messageBox.shown) std::printf("%s\n", qPrintable(box.text));
    return fake.messageBox.shown.empty() ? 0 : 1;
}
