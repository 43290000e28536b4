#pragma once
// LKF10060, the please-wait window: a small box without a caption in the middle of the screen
// with one picture of a ten-picture animation and the message "しばらくお待ちください。". A host
// shows it while a long operation runs and steps the animation while it works.
#include <QElapsedTimer>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <array>

namespace tav::dialogs {

class LKF10060 : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kFrames = 10;

    // Form_Load: the message from the label's tag, the window centred on the screen, the first
    // frame, the frame counter 0.
    explicit LKF10060(QWidget* owner = nullptr);

    // The frame counter: the frame in use (0 to 9).
    int frameCounter() const { return counter_; }
    // The next frame (after the tenth the first again) into ANI_PIC.
    void step();
    // Steps by itself every interval while the event loop runs (for hosts that wait in it).
    void startAnimation(int intervalMs = 100);
    void stopAnimation();

    // Animation frame n (0 to 9): 48 x 48 pixels in the 16 colours of the 4-bit VGA palette.
    static QPixmap animationFrame(int n);

    QLabel* ANI_PIC = nullptr;
    QLabel* Label1 = nullptr;
    std::array<QLabel*, kFrames> Image{};  // Image1 .. Image10

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void showFrame(int n);
    // Counter 0 and the first frame, on every activation.
    void restart();
    // The window in the middle of the screen.
    void centre();

    QWidget* client_ = nullptr;  // the client area inside the border

    int counter_ = 0;
    QTimer timer_;
};

// A please-wait window for the length of a scope: shown (without taking the activation from
// the window the user works in) and painted at once; tick() steps the animation at most every
// 100 ms and lets queued paint events run, so a host calls it freely inside its work.
class PleaseWait {
  public:
    explicit PleaseWait(QWidget* owner = nullptr);
    ~PleaseWait();
    PleaseWait(const PleaseWait&) = delete;
    PleaseWait& operator=(const PleaseWait&) = delete;

    void tick();
    LKF10060* window() const { return window_; }

  private:
    QPointer<LKF10060> window_;
    QElapsedTimer sinceStep_;
};

}  // namespace tav::dialogs
