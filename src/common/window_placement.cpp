#include "window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tav::common {

void BringToFront(QWidget& form) {
    QWidget* window = form.window();
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        // A window raised by flag keeps it; drop it so that the window ends as a normal one.
        window->setWindowFlag(Qt::WindowStaysOnTopHint, false);
    }
    if (window->isMinimized()) {
        window->showNormal();
    } else {
        window->show();
    }
    window->raise();
    window->activateWindow();
}

std::optional<QPoint> CentredPosition(QSize screenTwips, QSize formTwips) {
    if (formTwips.height() + 400 + 200 >= screenTwips.height()) return std::nullopt;
    return QPoint((screenTwips.width() - formTwips.width()) / 2,
                  (screenTwips.height() - formTwips.height()) / 2);
}

void CentreOnScreen(QWidget& form) {
    QScreen* screen = form.screen() ? form.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QSize screenPx = screen->geometry().size();
    const QSize formPx = form.frameGeometry().size();
    const auto at =
        CentredPosition(QSize(PixelsToTwips(screenPx.width()), PixelsToTwips(screenPx.height())),
                        QSize(PixelsToTwips(formPx.width()), PixelsToTwips(formPx.height())));
    if (!at) return;
    form.move(screen->geometry().topLeft() +
              QPoint(TwipsToPixels(at->x()), TwipsToPixels(at->y())));
}

}  // namespace tav::common
