#pragma once
// Two window services of the common modules: bringing a program's window in front of all others,
// and centring a form on the screen when it fits. Window geometry of the system is in twips:
// 15 twips are one logical pixel.
#include <QPoint>
#include <QSize>
#include <optional>

class QWidget;

namespace tav::common {

constexpr int kTwipsPerPixel = 15;

// Twips to logical pixels, rounded to the nearest pixel, and back.
constexpr int TwipsToPixels(int twips) {
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}
constexpr int PixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

// Raises the window in front of the other normal windows and activates it; a minimised window
// is restored first. The window is never left "stays on top".
void BringToFront(QWidget& form);

// Where a form of this size is centred on this screen (both in twips): only when the form's
// height plus 600 twips is less than the screen's height; otherwise nothing (the form stays
// where it is, not even moved sideways).
std::optional<QPoint> CentredPosition(QSize screenTwips, QSize formTwips);

// Centres the form on its screen by the rule above.
void CentreOnScreen(QWidget& form);

}  // namespace tav::common
