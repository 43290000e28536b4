// The yardstick of the menu's start: a Qt program that shows what the menu window shows on the
// demonstration installation (the same controls at the same places, the same fonts and colours,
// the same texts) and does nothing else: no files, no database, no menu table, no timer logic.
//   bench_bare_menu_window
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

namespace {

// Twips to pixels as the menu places its controls: 15 twips a pixel.
int px(int twips) {
    return (twips + 7) / 15;
}
QRect rect(int l, int t, int w, int h) {
    return QRect(px(l), px(t), px(w), px(h));
}

QFont font(const QString& family, double points, bool bold = false, bool italic = false) {
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

void colours(QWidget* w, const QColor& fore, const QColor& back = QColor()) {
    QPalette p = w->palette();
    if (fore.isValid()) {
        p.setColor(QPalette::WindowText, fore);
        p.setColor(QPalette::Text, fore);
    }
    if (back.isValid()) {
        p.setColor(QPalette::Window, back);
        p.setColor(QPalette::Base, back);
        w->setAutoFillBackground(true);
    }
    w->setPalette(p);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString gothic = QStringLiteral("ＭＳ Ｐゴシック");
    const QString mincho = QStringLiteral("ＭＳ 明朝");

    QWidget window;
    window.setWindowTitle(QStringLiteral("マルヴネシステム Ver 1.0"));
    window.setFixedSize(px(12060), px(7620));
    colours(&window, QColor(), QColor(0xB0, 0xC4, 0xDE));

    auto* frame = new QPushButton(&window);
    frame->setGeometry(rect(75, 1995, 11790, 3910));
    frame->setFocusPolicy(Qt::NoFocus);
    auto* panel = new QFrame(&window);
    panel->setGeometry(rect(135, 2055, 11670, 3790));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    colours(panel, QColor(), QColor(0xE0, 0xE0, 0xE0));

    QLabel* title[2];
    for (int i = 0; i < 2; ++i) {
        title[i] = new QLabel(QStringLiteral("マルヴネ 業務メニュー"), &window);
        title[i]->setFont(font(gothic, 20.25, true, true));
        title[i]->move(px(240), px(i == 0 ? 120 : 150));
        colours(title[i], i == 0 ? QColor(Qt::black) : QColor(Qt::white));
        title[i]->adjustSize();
    }
    title[1]->raise();

    auto* company = new QLabel(QStringLiteral("株式会社マルヴネ　本店 "), &window);
    company->setFont(font(mincho, 12, true, true));
    company->setGeometry(rect(240, 840, 7200, 300));

    auto* clock = new QLabel(QStringLiteral("2024/04/01  9:00:00"), &window);
    clock->setGeometry(rect(8400, 120, 3420, 255));
    clock->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* pages = new QComboBox(&window);
    pages->setFont(font(gothic, 12, true));
    pages->setGeometry(rect(240, 1380, 4800, 360));
    pages->addItems({QStringLiteral("日常業務"), QStringLiteral("環境とオプション"),
                     QStringLiteral("管理")});

    auto* back = new QPushButton(QStringLiteral("▲"), &window);
    back->setGeometry(rect(5160, 1380, 495, 240));
    auto* next = new QPushButton(QStringLiteral("▼"), &window);
    next->setGeometry(rect(5160, 1620, 495, 240));
    for (QPushButton* b : {back, next}) b->setFont(font(gothic, 8.25));
    back->setEnabled(false);

    auto* page = new QLabel(QStringLiteral("（1／3）ページ"), &window);
    page->setFont(font(gothic, 9.75, true));
    page->move(px(5760), px(1500));
    page->adjustSize();

    auto* list = new QListWidget(panel);
    list->setFont(font(gothic, 15.75, false, true));
    list->setGeometry(rect(120, 120, 4200, 3550));
    colours(list, QColor(), QColor(0xC0, 0xFF, 0xC0));
    list->addItems({QStringLiteral("顧客と貸付"), QStringLiteral("フォルダとメモ帳")});
    list->setCurrentRow(0);

    const QStringList captions = {
        QStringLiteral("顧客照会 (F1)"), QStringLiteral("自社情報の変更 (F2)"),
        QStringLiteral("貸付実行 (F3)"), QStringLiteral("返済入力 (F4)"),
        QStringLiteral("操作説明 (F5)"), QStringLiteral("操作説明（待つ） (F6)"),
        QString(), QStringLiteral("顧客照会（画面） (F8)"), QString(), QString(), QString(),
        QStringLiteral("日次締めと業務終了 (F12)")};
    for (int i = 0; i < 12; ++i) {
        const bool inPanel = i < 10;
        auto* b = new QPushButton(captions[i], inPanel ? panel : &window);
        b->setFont(font(gothic, 12));
        int left = i < 6 ? 4500 : 8130;
        int top = 120 + (i % 6) * 600;
        if (!inPanel) {
            left += 135;
            top += 2055;
        }
        b->setGeometry(rect(left, top, 3400, 550));
        b->setVisible(!captions[i].isEmpty());
    }

    auto* end = new QPushButton(QStringLiteral("終了(Esc)"), &window);
    end->setFont(font(gothic, 9.75));
    end->setGeometry(rect(9960, 6900, 1800, 495));

    auto* hint = new QLabel(&window);
    hint->setFont(font(gothic, 12));
    colours(hint, QColor(Qt::blue));
    hint->move(px(240), px(7140));

    for (QLabel* l : window.findChildren<QLabel*>()) l->setTextFormat(Qt::PlainText);
    const QRect screen = window.screen()->geometry();
    window.move((screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2);
    list->setFocus();
    window.show();
    return app.exec();
}
