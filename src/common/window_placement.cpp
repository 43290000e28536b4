#include "window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "platform/desktop.h"

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
    PlaceByFrame(form, [](QSize area, QSize frame) -> std::optional<QPoint> {
        const auto at =
            CentredPosition(QSize(PixelsToTwips(area.width()), PixelsToTwips(area.height())),
                            QSize(PixelsToTwips(frame.width()), PixelsToTwips(frame.height())));
        if (!at) return std::nullopt;
        return QPoint(TwipsToPixels(at->x()), TwipsToPixels(at->y()));
    });
}

QSize FrameSize(const QWidget& window) {
    const QWindow* handle = window.windowHandle();
    const QMargins m = handle && handle->isVisible() ? handle->frameMargins() : QMargins();
    return window.size().grownBy(m);
}

namespace {

// Keeps a window placed by its frame while the window manager settles the frame: applies the
// rule again when the window is shown and whenever the frame's size differs from the size the
// rule was last applied with. A user's move leaves the frame's size alone, so it is never undone.
class FramePlacer : public QObject {
  public:
    FramePlacer(QWidget& window, FramePlacement rule)
        : QObject(&window), window_(&window), rule_(std::move(rule)) {
        window.installEventFilter(this);
        // The frame extents arrive from the window manager some time after the window is
        // mapped, not always with an event of the widget's own: look again for a while.
        settle_.setInterval(25);
        connect(&settle_, &QTimer::timeout, this, [this] {
            if (++ticks_ > 80) settle_.stop();
            placeIfFrameChanged();
        });
        place();
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Show:
                ticks_ = 0;
                settle_.start();
                placeIfFrameChanged();
                break;
            case QEvent::Move:
            case QEvent::Resize:
                placeIfFrameChanged();
                break;
            default:
                break;
        }
        return false;
    }

  private:
    void placeIfFrameChanged() {
        if (window_ && FrameSize(*window_) != placedWith_) place();
    }
    void place() {
        if (!window_) return;
        const QRect area = platform::AvailableScreenArea(window_);
        if (area.isNull()) return;
        placedWith_ = FrameSize(*window_);
        const auto at = rule_(area.size(), placedWith_);
        if (!at) return;
        // Before the window is first shown the point is taken as its frame's corner. Once it
        // is shown, the X11 plugin hands the client area's corner for the frame's to a window
        // manager that places by the frame's corner, so the frame margins are taken off.
        QWindow* handle = window_->windowHandle();
        QPoint corner = area.topLeft() + *at;
        if (handle && handle->isVisible() && QGuiApplication::platformName() == u"xcb") {
            const QMargins m = handle->frameMargins();
            corner -= QPoint(m.left(), m.top());
        }
        window_->move(corner);
    }

    QPointer<QWidget> window_;
    FramePlacement rule_;
    QSize placedWith_;
    QTimer settle_;
    int ticks_ = 0;
};

}  // namespace

void PlaceByFrame(QWidget& window, FramePlacement rule) {
    // One placer a window: a new rule replaces the one before.
    for (QObject* child : window.children()) {
        if (auto* old = dynamic_cast<FramePlacer*>(child)) {
            window.removeEventFilter(old);
            delete old;
        }
    }
    new FramePlacer(window, std::move(rule));
}

}  // namespace tav::common
