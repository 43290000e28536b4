#pragma once
// Two window services of the common modules: bringing a program's window in front of all others,
// and centring a form on the screen when it fits. Window geometry of the system is in twips
// (platform/units.h).
#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>
#include <optional>

#include "platform/units.h"

class QWidget;

namespace tav::common {

using platform::PixelsToTwips;
using platform::TwipsToPixels;

// Raises the window in front of the other normal windows and activates it; a minimised window
// is restored first. The window is never left "stays on top".
void BringToFront(QWidget& form);

// Where a form of this size is centred on this screen (both in twips): only when the form's
// height plus 600 twips is less than the screen's height; otherwise nothing (the form stays
// where it is, not even moved sideways).
std::optional<QPoint> CentredPosition(QSize screenTwips, QSize formTwips);

// Centres the form on its screen by the rule above.
void CentreOnScreen(QWidget& form);

// Where a window's frame goes, as its top-left corner relative to the screen area it may use
// (the screen less the desktop's panels), from that area's size and the frame's size, both in
// pixels; nothing leaves the window where it is.
using FramePlacement = std::function<std::optional<QPoint>(QSize area, QSize frame)>;

// Places a top-level window by its frame, title bar and borders included, as the rule says.
// The window manager tells the frame's size only once the window is shown, so the rule is
// applied now with the frame as far as it is known, and again when the window is shown and
// whenever the frame's size changes after that (never because the user moved the window).
void PlaceByFrame(QWidget& window, FramePlacement rule);

// The frame's size of a top-level window as far as it is known (the window's own size plus the
// frame margins the window manager reported; none before the window is first shown).
QSize FrameSize(const QWidget& window);

}  // namespace tav::common
