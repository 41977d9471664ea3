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

    lblWaitInfo = new QLabel(QString::fromLatin1(kCollectingText), this);
    lblWaitInfo->setObjectName(QStringLiteral("lblWaitInfo"));
    lblWaitInfo->setAlignment(Qt::AlignCenter);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 10);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);
    layout->addWidget(lblWaitInfo);
    layout->addWidget(ProgressBar1);
    setFixedSize(300, 90);
}

void WaitingWindow::ShowProgress(const QString& text, int maximum) {
    lblWaitInfo->setText(text);
    ProgressBar1->setRange(0, maximum);
    ProgressBar1->setValue(0);
    if (!isVisible()) CentreOnMainWindow();
    show();  // stays on top by its window flags
    lblWaitInfo->repaint();
}

void WaitingWindow::Step() {
    ProgressBar1->setValue(ProgressBar1->value() + 1);
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
