#pragma once
// Window geometry and colours as the system keeps them. Geometry is in twips: 15 twips are one
// logical pixel, and every window converts with the one rule below (to the nearest pixel, halves
// away from zero). A colour is a 24-bit value with red in the low byte (255 is red).
#include <QColor>
#include <QRect>
#include <QtGlobal>

namespace tav::platform {

constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) {
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}
constexpr int PixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}
inline QRect TwipsRect(int left, int top, int width, int height) {
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                 TwipsToPixels(height));
}

inline QColor ColourFromValue(qint64 value) {
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}
inline qint64 ValueFromColour(const QColor& colour) {
    return qint64(colour.red()) | (qint64(colour.green()) << 8) | (qint64(colour.blue()) << 16);
}

}  // namespace tav::platform
