#include "app/WindowLook.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QTabWidget>

#include "app/WindowPalette.h"

namespace navoro {

namespace {

constexpr QColor kSkyBlue{0xA6, 0xCA, 0xF0};

// Button-style page tabs of 355 x 30 pixels (1-pixel border and 1-pixel
// padding on each side).
constexpr const char* kMainTabsStyle = R"(
QTabWidget#PageControlMain > QTabBar::tab {
    width: 351px; height: 26px; padding: 1px; margin: 0px;
    border: 1px solid #5b6f8a; border-radius: 4px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fbfdff, stop:1 #d9e3ef);
}
QTabWidget#PageControlMain > QTabBar::tab:selected {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #c3d4ea, stop:1 #e9f0f8);
    border: 2px solid #2f4f7f; font-weight: bold;
}
QTabWidget#PageControlMain > QTabBar::tab:hover:!selected { background: #eef4fb; }
QTabWidget#PageControlMain::pane { border: none; top: 2px; }
)";

// Compact page tabs, so that the nine configuration pages fit in one row.
constexpr const char* kPageTabsStyle = R"(
QTabBar::tab {
    padding: 4px 5px; margin-right: 1px;
    border: 1px solid #8c9bb0; border-bottom: none;
    border-top-left-radius: 3px; border-top-right-radius: 3px;
    background: #e3e9f1;
}
QTabBar::tab:selected { background: #fdfdfd; margin-bottom: -1px; }
QTabBar::tab:hover:!selected { background: #f0f4f9; }
QTabWidget::pane { border: 1px solid #8c9bb0; background: #fdfdfd; }
)";

}  // namespace

void StyleMainWindow(QMainWindow* window, QWidget* client, QTabWidget* mainTabs,
                     QTabWidget* configTabs, QTabWidget* diagnosisTabs) {
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint);
    // Sky-blue panels around light pages, whatever the desktop's colours.
    window->setPalette(LightWindowPalette());
    const QPalette standard = window->palette();
    QPalette sky = standard;
    sky.setColor(QPalette::Window, kSkyBlue);
    client->setPalette(sky);
    client->setAutoFillBackground(true);
    configTabs->setPalette(standard);
    diagnosisTabs->setPalette(standard);
    mainTabs->setStyleSheet(QString::fromLatin1(kMainTabsStyle));
    configTabs->setStyleSheet(QString::fromLatin1(kPageTabsStyle));
    diagnosisTabs->setStyleSheet(QString::fromLatin1(kPageTabsStyle));
    FixClientSize(window, client);
}

void FixClientSize(QMainWindow* window, QWidget* client) {
    client->setFixedSize(kClientWidth, kClientHeight);
    window->setFixedSize(kClientWidth, kClientHeight + window->menuBar()->sizeHint().height());
}

int FirstLeftEdge(const QMainWindow* window, const std::optional<QPoint>& remembered) {
    QScreen* screen = window->screen();
    if (!screen) return window->x();
    const int width = window->frameGeometry().width();
    const QRect desktop = screen->virtualGeometry();
    constexpr int kVisible = 100;  // pixels of the window that stay on the desktop
    if (remembered && remembered->x() >= desktop.left() - width + kVisible &&
        remembered->x() <= desktop.right() - kVisible)
        return remembered->x();
    return screen->availableGeometry().center().x() - width / 2;
}

void KeepPlacement(QMainWindow* window, int top) {
    auto* chart = window->findChild<QWidget*>(QStringLiteral("Chart1"));
    auto* label = window->findChild<QWidget*>(QStringLiteral("lblSatelliteID"));
    if (chart && label && label->parentWidget()) {
        const QPoint chartBottom =
            label->parentWidget()->mapFromGlobal(chart->mapToGlobal(QPoint(0, chart->height())));
        label->move(label->x(), chartBottom.y() - 20);
    }
    if (!window->isMinimized()) window->move(window->x(), top);
}

}  // namespace navoro
