#include "dialogs/lkf10060.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QSet>
#include <QThread>

#include "support/test_support.h"

using tav::dialogs::LKF10060;
using tav::dialogs::PleaseWait;

namespace {

QImage imageOf(const QLabel* l) {
    return l->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

TEST(PleaseWaitWindow, MessageWithoutItsIdAndCentred) {
    LKF10060 w;
    EXPECT_EQ(w.Label1->text(), QStringLiteral("しばらくお待ちください。"));
    EXPECT_FALSE(w.Label1->text().contains(QStringLiteral("I005")));
    EXPECT_EQ(w.Label1->parentWidget()->size(), QSize(335, 58));  // the client area
    EXPECT_EQ(w.windowTitle(), QString());
    w.show();
    QApplication::processEvents();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect frame = w.frameGeometry();
    EXPECT_EQ(frame.left() - screen.left(), (screen.width() - frame.width()) / 2);
    EXPECT_EQ(frame.top() - screen.top(), (screen.height() - frame.height()) / 2);
    EXPECT_EQ(w.Label1->geometry(), QRect(54, 18, 235, 15));
    EXPECT_EQ(w.ANI_PIC->geometry(), QRect(0, 0, 51, 53));
    EXPECT_EQ(w.Label1->font().family(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_DOUBLE_EQ(w.Label1->font().pointSizeF(), 11.25);
}

TEST(PleaseWaitWindow, TenFramesStepInTurn) {
    LKF10060 w;
    EXPECT_EQ(w.frameCounter(), 0);
    EXPECT_EQ(imageOf(w.ANI_PIC), imageOf(w.Image[0]));
    EXPECT_TRUE(w.ANI_PIC->hasScaledContents());
    QSet<QByteArray> distinct;
    for (int i = 0; i < LKF10060::kFrames; ++i) {
        const QImage frame = LKF10060::animationFrame(i).toImage();
        EXPECT_EQ(frame.size(), QSize(48, 48));
        EXPECT_LE(frame.colorCount(), 16);
        // Below the visible client area.
        EXPECT_GE(w.Image[static_cast<size_t>(i)]->y(), w.Label1->parentWidget()->height());
        EXPECT_EQ(w.Image[static_cast<size_t>(i)]->objectName(),
                  QStringLiteral("Image%1").arg(i + 1));
        const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
        distinct.insert(QByteArray(reinterpret_cast<const char*>(rgb.constBits()),
                                   static_cast<int>(rgb.sizeInBytes())));
    }
    EXPECT_EQ(distinct.size(), LKF10060::kFrames);
    for (int i = 1; i <= LKF10060::kFrames; ++i) {
        w.step();
        EXPECT_EQ(w.frameCounter(), i % LKF10060::kFrames);
        EXPECT_EQ(imageOf(w.ANI_PIC), imageOf(w.Image[static_cast<size_t>(i % 10)]));
    }
}

TEST(PleaseWaitWindow, ShowingItAgainStartsTheCounterAgain) {
    // As a host uses it: shown, stepped, hidden, shown again. It never takes the activation.
    LKF10060 w;
    w.show();
    QApplication::processEvents();
    w.step();
    w.step();
    ASSERT_EQ(w.frameCounter(), 2);
    w.hide();
    w.show();
    QApplication::processEvents();
    EXPECT_FALSE(w.isActiveWindow());
    EXPECT_EQ(w.frameCounter(), 0);
    EXPECT_EQ(w.ANI_PIC->pixmap().toImage(), w.Image[0]->pixmap().toImage());
    w.step();
    EXPECT_EQ(w.frameCounter(), 1);
}

TEST(PleaseWaitWindow, AnimatesByItselfWhileTheEventLoopRuns) {
    LKF10060 w;
    w.startAnimation(10);
    QElapsedTimer t;
    t.start();
    while (w.frameCounter() < 3 && t.elapsed() < 5000) {
        QApplication::processEvents();
        QThread::msleep(5);
    }
    EXPECT_GE(w.frameCounter(), 3);
    w.stopAnimation();
    const int at = w.frameCounter();
    QThread::msleep(30);
    QApplication::processEvents();
    EXPECT_EQ(w.frameCounter(), at);
}

TEST(PleaseWaitWindow, HostStepsItDuringItsWork) {
    QWidget host;
    host.show();
    QApplication::setActiveWindow(&host);
    QPointer<LKF10060> seen;
    {
        PleaseWait wait(&host);
        seen = wait.window();
        ASSERT_TRUE(seen);
        EXPECT_TRUE(seen->isVisible());
        EXPECT_EQ(QApplication::activeWindow(), &host);  // the user's window stays active
        wait.tick();
        EXPECT_EQ(seen->frameCounter(), 0);  // too soon for the next frame
        QThread::msleep(110);
        wait.tick();
        EXPECT_EQ(seen->frameCounter(), 1);
    }
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(seen.isNull() || !seen->isVisible());
}
