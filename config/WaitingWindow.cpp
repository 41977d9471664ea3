#include "config/WaitingWindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QVBoxLayout>
#include <QWindow>

namespace navoro {

WaitingWindow::WaitingWindow(QWidget* mainWindow) : QDialog(mainWindow) {
    setObjectName(QStringLiteral("frmWaitingProgress"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint);
    setWindowTitle(QStringLiteral("Navoro"));
    setModal(false);

    label_ = new QLabel(QString::fromLatin1(kCollectingText), this);
    label_->setObjectName(QStringLiteral("lblWaitInfo"));
    label_->setAlignment(Qt::AlignCenter);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("ProgressBar1"));
    bar_->setRange(0, 10);
    bar_->setValue(0);
    bar_->setTextVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);
    layout->addWidget(label_);
    layout->addWidget(bar_);
    setFixedSize(300, 90);
}

void WaitingWindow::ShowProgress(const QString& text, int maximum) {
    label_->setText(text);
    bar_->setRange(0, maximum);
    bar_->setValue(0);
    if (!isVisible()) CentreOnMainWindow();
    show();  // stays on top by its window flags
    label_->repaint();
}

void WaitingWindow::Step() {
    bar_->setValue(bar_->value() + 1);
}

void WaitingWindow::WaitUntilShown() {
    constexpr int kLongestWaitMs = 500;
    QElapsedTimer clock;
    clock.start();
    while (isVisible() && windowHandle() && !windowHandle()->isExposed() &&
           clock.elapsed() < kLongestWaitMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                            QEventLoop::ExcludeSocketNotifiers |
                                            QEventLoop::X11ExcludeTimers,
                                        5);
        QThread::msleep(2);
    }
    repaint();
}

void WaitingWindow::CentreOnMainWindow() {
    QWidget* main = parentWidget();
    if (!main) return;
    const QRect frame = main->frameGeometry();
    move(frame.center() - QPoint(width() / 2, height() / 2));
}

}  // namespace navoro
