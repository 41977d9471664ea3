#include "config/WriteNote.h"

#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QPropertyAnimation>
#include <algorithm>

namespace navoro {

namespace {
constexpr int kMargin = 8;
}  // namespace

WriteNote::WriteNote(QWidget* area) : QLabel(area) {
    setObjectName(QStringLiteral("lblWriteNote"));
    setWordWrap(true);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setFrameShape(QFrame::StyledPanel);
    setMargin(6);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::WindowText, palette.color(QPalette::ToolTipText));
    setPalette(palette);
    setGraphicsEffect(new QGraphicsOpacityEffect(this));
    stay_.setSingleShot(true);
    stay_.setInterval(kShownMilliseconds);
    connect(&stay_, &QTimer::timeout, this, &WriteNote::StartFade);
    area->installEventFilter(this);
    hide();
}

void WriteNote::Show(const QString& text) {
    if (fade_) fade_->stop();
    static_cast<QGraphicsOpacityEffect*>(graphicsEffect())->setOpacity(1.0);
    setText(text);
    Place();
    show();
    raise();
    stay_.start();
}

bool WriteNote::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Resize && isVisible()) Place();
    return QLabel::eventFilter(watched, event);
}

void WriteNote::Place() {
    const QWidget* area = parentWidget();
    const int width = std::max(0, area->width() - 2 * kMargin);
    const int height = std::min(heightForWidth(width), area->height());
    setGeometry(kMargin, area->height() - height - kMargin, width, height);
}

void WriteNote::SetDuration(int stayMilliseconds, int fadeMilliseconds) {
    stay_.setInterval(stayMilliseconds);
    fadeMilliseconds_ = fadeMilliseconds;
}

void WriteNote::StartFade() {
    auto* animation = new QPropertyAnimation(graphicsEffect(), "opacity", this);
    animation->setDuration(fadeMilliseconds_);
    animation->setStartValue(1.0);
    animation->setEndValue(0.0);
    connect(animation, &QPropertyAnimation::finished, this, &QWidget::hide);
    fade_ = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

}  // namespace navoro
