#include "lkf10060.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QtMath>

#include "common/text_fit.h"
#include "common/window_look.h"
#include "formhelper/form.h"
#include "platform/desktop.h"
#include "platform/text.h"
#include "platform/units.h"

namespace tav::dialogs {

namespace {

constexpr int kBorder = 2;  // pixels of the dialog border around the client area

// The sixteen colours of the 4-bit VGA palette the frames are drawn in.
QList<QRgb> vgaPalette() {
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

const char* const kTagProperty = "tavTag";

}  // namespace

QPixmap LKF10060::animationFrame(int n) {
    // An hourglass-blue dial of ten beads; the bead of frame n is lit, the two before it fade.
    QImage img(48, 48, QImage::Format_RGB32);
    img.fill(QColor(192, 192, 192));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(128, 128, 128), 1));
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QRect(3, 3, 41, 41));
    for (int i = 0; i < kFrames; ++i) {
        const qreal a = qDegreesToRadians(-90.0 + 36.0 * i);
        const QPointF c(23.5 + 15.0 * qCos(a), 23.5 + 15.0 * qSin(a));
        const int age = (n - i + kFrames) % kFrames;
        QColor colour = age == 0   ? QColor(0, 0, 255)
                        : age == 1 ? QColor(0, 0, 128)
                        : age == 2 ? QColor(0, 128, 128)
                                   : QColor(192, 192, 192);
        p.setPen(QPen(QColor(128, 128, 128), 1));
        p.setBrush(colour);
        const qreal r = age == 0 ? 4.5 : 3.5;
        p.drawEllipse(c, r, r);
    }
    // The hub.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(128, 0, 0));
    p.drawRect(QRect(22, 22, 4, 4));
    p.end();
    return QPixmap::fromImage(img.convertToFormat(QImage::Format_Indexed8, vgaPalette(),
                                                  Qt::ThresholdDither | Qt::AvoidDither));
}

// The window never takes the activation from the window the user works in (a look-up window
// closes when it loses it): it is a caption-less pop-up that draws its own dialog border.
LKF10060::LKF10060(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("LKF10060"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(platform::TwipsToPixels(5025) + 2 * kBorder,
                 platform::TwipsToPixels(870) + 2 * kBorder);
    common::SetBackground(this, QColor(192, 192, 192));
    client_ = new QWidget(this);
    client_->setGeometry(kBorder, kBorder, platform::TwipsToPixels(5025),
                         platform::TwipsToPixels(870));
    QWidget* const parent = client_;

    ANI_PIC = common::Place<QLabel>(parent, {.name = "ANI_PIC", .twips = {0, 0, 765, 795}});
    ANI_PIC->setScaledContents(true);
    Label1 =
        common::Place<QLabel>(parent, {.name = "Label1",
                                       .text = QStringLiteral("I005  しばらくお待ちください。"),
                                       .twips = {810, 270, 3525, 225},
                                       .font = common::DesignedFont{common::Face::Gothic, 11.25},
                                       .foreground = QColor(0, 0, 0),
                                       .background = QColor(192, 192, 192)});
    Label1->setProperty(kTagProperty, QStringLiteral("しばらくお待ちください。"));

    // The frames lie below the visible client area.
    for (int i = 0; i < kFrames; ++i) {
        auto* img = common::Place<QLabel>(
            parent, {.name = QStringLiteral("Image%1").arg(i + 1),
                     .twips = {120 + 480 * i, 1605 + (i % 2) * 165, 720, 720}});
        img->setPixmap(animationFrame(i));
        Image[static_cast<size_t>(i)] = img;
    }
    connect(&timer_, &QTimer::timeout, this, &LKF10060::step);

    common::ShowLabelsAsText(this);

    // Form_Load.
    Label1->setText(text::Trim(Label1->property(kTagProperty).toString()));
    centre();
    showFrame(0);
    counter_ = 0;
}

void LKF10060::centre() {
    if (const QRect g = platform::ScreenArea(this); !g.isNull())
        move(g.x() + (g.width() - width()) / 2, g.y() + (g.height() - height()) / 2);
}

void LKF10060::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter p(this);
    qDrawWinPanel(&p, rect(), palette(), false);
}

void LKF10060::showFrame(int n) {
    ANI_PIC->setPixmap(Image[static_cast<size_t>(n)]->pixmap());
}

void LKF10060::step() {
    counter_ = (counter_ + 1) % kFrames;
    showFrame(counter_);
}

void LKF10060::startAnimation(int intervalMs) {
    timer_.start(intervalMs);
}

void LKF10060::stopAnimation() {
    timer_.stop();
}

void LKF10060::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) restart();
}

// The window is shown without taking the activation, so being shown is its activation: the
// animation starts again at the first frame.
void LKF10060::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    restart();
}

void LKF10060::restart() {
    counter_ = 0;
    showFrame(0);
}

PleaseWait::PleaseWait(QWidget* owner) : window_(new LKF10060(owner)) {
    window_->setAttribute(Qt::WA_DeleteOnClose);
    window_->show();
    window_->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sinceStep_.start();
}

PleaseWait::~PleaseWait() {
    if (window_) window_->close();
}

void PleaseWait::tick() {
    if (!window_) return;
    if (sinceStep_.elapsed() >= 100) {
        window_->step();
        sinceStep_.restart();
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace tav::dialogs
