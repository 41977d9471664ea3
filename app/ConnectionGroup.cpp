#include "app/ConnectionGroup.h"

#include <QBitmap>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace navoro {

namespace {

constexpr int kDeviceWidth = 120;
constexpr int kImageHeight = 32;
constexpr int kTwoWaySize = 32;
constexpr int kRowHeight = 20;

template <typename T>
T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QWidget* MakePage(QTabWidget* pages, const char* name, QLabel* firstLabel, QWidget* first,
                  QLabel* secondLabel, QWidget* second) {
    auto* page = Named(new QWidget, name);
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    grid->addWidget(firstLabel, 0, 0);
    grid->addWidget(first, 0, 1);
    grid->addWidget(secondLabel, 1, 0);
    grid->addWidget(second, 1, 1);
    grid->setColumnStretch(1, 1);
    for (QWidget* field : {first, second})
        field->setFixedHeight(kRowHeight);
    firstLabel->setBuddy(first);
    secondLabel->setBuddy(second);
    pages->addTab(page, QString());
    return page;
}

// A display that stays readable while the group around it is disabled.
void KeepReadableWhenDisabled(QLineEdit* edit) {
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text,
                     palette.color(QPalette::Active, QPalette::Text));
    palette.setColor(QPalette::Disabled, QPalette::Base,
                     palette.color(QPalette::Active, QPalette::Base));
    edit->setPalette(palette);
}

// ---- the pictures -----------------------------------------------------------------

QPixmap WhiteCanvas(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::white);
    return pixmap;
}

// A computer on the left, the transponder on the right, their cables.
QPixmap DeviceFrame(bool connected) {
    QPixmap pixmap = WhiteCanvas(kDeviceWidth, kImageHeight);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor outline(0x33, 0x3d, 0x4a);
    const QColor screen = connected ? QColor(0x2f, 0x7f, 0xd8) : QColor(0x9c, 0xa6, 0xb0);
    const QColor body = connected ? QColor(0x1f, 0x8a, 0x5b) : QColor(0x8c, 0x94, 0x9c);
    // Computer.
    p.setPen(QPen(outline, 1.5));
    p.setBrush(screen);
    p.drawRoundedRect(QRectF(3.5, 3.5, 32, 20), 2, 2);
    p.setBrush(outline);
    p.drawRect(QRectF(16, 24, 6, 3));
    p.drawRoundedRect(QRectF(10, 27, 18, 3), 1, 1);
    // Transponder with its antenna and display.
    p.setBrush(body);
    p.drawRoundedRect(QRectF(84.5, 9.5, 32, 19), 3, 3);
    p.setPen(QPen(outline, 2));
    p.drawLine(QPointF(110, 9), QPointF(110, 1.5));
    p.setPen(QPen(outline, 1));
    p.setBrush(connected ? QColor(0xd8, 0xf5, 0xc8) : QColor(0xc8, 0xcc, 0xd0));
    p.drawRect(QRectF(88.5, 13.5, 14, 7));
    p.setBrush(connected ? QColor(0xff, 0xc4, 0x2e) : QColor(0x70, 0x70, 0x70));
    p.drawEllipse(QPointF(109.5, 17.5), 2, 2);
    // Cables towards the middle, where the two-way picture sits.
    QPen cable(connected ? outline : QColor(0xa0, 0xa6, 0xac), 2);
    if (!connected) cable.setStyle(Qt::DotLine);
    p.setPen(cable);
    p.drawLine(QPointF(36, 14), QPointF(44, 14));
    p.drawLine(QPointF(76, 18), QPointF(84, 18));
    return pixmap;
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
    p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const qreal direction = to.x() > from.x() ? 1 : -1;
    QPainterPath head;
    head.moveTo(to + QPointF(direction * 2, 0));
    head.lineTo(to + QPointF(-direction * 4, -4));
    head.lineTo(to + QPointF(-direction * 4, 4));
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(head);
}

// Data both ways: frame 0 idle, 1 linked, 2-7 a packet moving along each arrow.
QPixmap TwoWayFrame(int frame) {
    QPixmap pixmap = WhiteCanvas(kTwoWaySize, kTwoWaySize);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor idle(0xa8, 0xae, 0xb4);
    const QColor out(0x2f, 0x7f, 0xd8);
    const QColor in(0x1f, 0x8a, 0x5b);
    const bool lit = frame == 1;
    Arrow(p, QPointF(3, 11), QPointF(26, 11), lit ? out : idle);
    Arrow(p, QPointF(29, 21), QPointF(6, 21), lit ? in : idle);
    if (frame >= 2) {
        const qreal step = (frame - 2) * 4.2;
        p.setPen(Qt::NoPen);
        p.setBrush(out);
        p.drawEllipse(QPointF(5 + step, 11), 3.2, 3.2);
        p.setBrush(in);
        p.drawEllipse(QPointF(27 - step, 21), 3.2, 3.2);
    }
    return pixmap;
}

}  // namespace

ConnectionControls BuildConnectionGroup(QWidget* panel) {
    ConnectionControls c;
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);

    c.GroupBoxConnectionMode =
        Named(new QGroupBox(QStringLiteral("Serial Port and Baud Rate Setting"), panel),
              "GroupBoxConnectionMode");
    auto* group = new QHBoxLayout(c.GroupBoxConnectionMode);
    group->setContentsMargins(6, 0, 6, 3);
    group->setSpacing(8);
    auto* modes = new QVBoxLayout;
    modes->setSpacing(3);
    c.RadioButtonConnectionModeManual =
        Named(new QRadioButton(QStringLiteral("Manual")), "RadioButtonConnectionModeManual");
    c.RadioButtonConnectionModeAuto =
        Named(new QRadioButton(QStringLiteral("Auto")), "RadioButtonConnectionModeAuto");
    c.RadioButtonConnectionModeManual->setChecked(true);
    for (QRadioButton* mode : {c.RadioButtonConnectionModeManual, c.RadioButtonConnectionModeAuto})
        mode->setFixedHeight(kRowHeight);
    modes->addWidget(c.RadioButtonConnectionModeManual);
    modes->addWidget(c.RadioButtonConnectionModeAuto);
    group->addLayout(modes);

    c.PageControlDetectComPortMode =
        Named(new QTabWidget(c.GroupBoxConnectionMode), "PageControlDetectComPortMode");
    c.PageControlDetectComPortMode->tabBar()->hide();
    c.PageControlDetectComPortMode->setDocumentMode(true);
    c.PageControlDetectComPortMode->setStyleSheet(
        QStringLiteral("QTabWidget#PageControlDetectComPortMode::pane { border: none; }"));

    c.lblSerialPort = Named(new QLabel(QStringLiteral("Serial Port")), "lblSerialPort");
    c.cbxComPort = Named(new QComboBox, "cbxComPort");
    c.cbxComPort->setEditable(true);
    c.cbxComPort->setInsertPolicy(QComboBox::NoInsert);
    c.cbxComPort->setMinimumWidth(150);
    c.cbxComPort->setToolTip(QStringLiteral("The serial port: choose one, or type a device path"));
    c.lblBaudRate = Named(new QLabel(QStringLiteral("Baud Rate")), "lblBaudRate");
    c.cbxBaudRate = Named(new QComboBox, "cbxBaudRate");
    c.TabSheetManualDetectComPort =
        MakePage(c.PageControlDetectComPortMode, "TabSheetManualDetectComPort", c.lblSerialPort,
                 c.cbxComPort, c.lblBaudRate, c.cbxBaudRate);

    c.LabelAutoComPort = Named(new QLabel(QStringLiteral("Serial Port")), "LabelAutoComPort");
    c.EditAutoDetectComPort = Named(new QLineEdit, "EditAutoDetectComPort");
    c.LabelAutoBaudRate = Named(new QLabel(QStringLiteral("Baud Rate")), "LabelAutoBaudRate");
    c.EditAutoDetectBaudRate = Named(new QLineEdit, "EditAutoDetectBaudRate");
    for (QLineEdit* display : {c.EditAutoDetectComPort, c.EditAutoDetectBaudRate}) {
        display->setReadOnly(true);
        display->setFocusPolicy(Qt::NoFocus);
        KeepReadableWhenDisabled(display);
    }
    c.TabSheetAutoConnectComPort =
        MakePage(c.PageControlDetectComPortMode, "TabSheetAutoConnectComPort", c.LabelAutoComPort,
                 c.EditAutoDetectComPort, c.LabelAutoBaudRate, c.EditAutoDetectBaudRate);
    group->addWidget(c.PageControlDetectComPortMode, 1);
    c.GroupBoxConnectionMode->setFixedWidth(330);
    // Disabled while connecting, but still legible on the sky-blue panel.
    QPalette legible = c.GroupBoxConnectionMode->palette();
    legible.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x3c, 0x46, 0x50));
    legible.setColor(QPalette::Disabled, QPalette::Text, QColor(0x3c, 0x46, 0x50));
    c.GroupBoxConnectionMode->setPalette(legible);
    for (QLabel* label : {c.lblSerialPort, c.lblBaudRate, c.LabelAutoComPort, c.LabelAutoBaudRate})
        label->setPalette(legible);
    row->addWidget(c.GroupBoxConnectionMode);

    c.OpenPort = Named(new QToolButton(panel), "OpenPort");
    c.OpenPort->setCheckable(true);
    c.OpenPort->setText(QStringLiteral("Connect"));
    c.OpenPort->setProperty("connected", false);
    c.OpenPort->setFixedSize(96, 54);
    QFont bold = c.OpenPort->font();
    bold.setBold(true);
    c.OpenPort->setFont(bold);
    row->addWidget(c.OpenPort, 0, Qt::AlignVCenter);

    auto* status = new QVBoxLayout;
    status->setSpacing(3);
    status->setContentsMargins(0, 4, 0, 0);
    auto* pictures = new QWidget(panel);
    pictures->setFixedSize(kDeviceWidth, kImageHeight);
    c.ImageConnectToDevice = Named(new QLabel(pictures), "ImageConnectToDevice");
    c.ImageConnectToDevice->setGeometry(0, 0, kDeviceWidth, kImageHeight);
    c.ImageConnectTwoWay = Named(new QLabel(pictures), "ImageConnectTwoWay");
    c.ImageConnectTwoWay->setGeometry((kDeviceWidth - kTwoWaySize) / 2, 0, kTwoWaySize,
                                      kTwoWaySize);
    status->addWidget(pictures, 0, Qt::AlignHCenter);
    c.LabelConnectionStatus = Named(new QLabel(panel), "LabelConnectionStatus");
    c.LabelConnectionStatus->setAlignment(Qt::AlignCenter);
    c.LabelConnectionStatus->setFont(bold);
    c.LabelConnectionStatus->setMinimumWidth(140);
    status->addWidget(c.LabelConnectionStatus);
    status->addStretch(1);
    row->addLayout(status);
    c.LabelAlarmBadge = Named(new QLabel(panel), "LabelAlarmBadge");
    c.LabelAlarmBadge->setFont(bold);
    c.LabelAlarmBadge->setStyleSheet(QStringLiteral("color: #c01010;"));
    c.LabelAlarmBadge->hide();
    row->addWidget(c.LabelAlarmBadge, 0, Qt::AlignVCenter);
    row->addStretch(1);
    return c;
}

LinkImageLists MakeLinkImageLists() {
    LinkImageLists lists;
    lists.ImageListConnectToDevice = {DeviceFrame(false), DeviceFrame(true)};
    for (int frame = 0; frame < 8; ++frame)
        lists.ImageListConnectTwoWay.append(TwoWayFrame(frame));
    return lists;
}

void DrawLinkFrame(QLabel* image, const QList<QPixmap>& list, int index) {
    if (!image || index < 0 || index >= list.size()) return;
    const QPixmap& frame = list[index];
    QPixmap canvas(image->size().isEmpty() ? frame.size() : image->size());
    canvas.fill(kLinkImageBackground);
    QPixmap transparent = frame;
    transparent.setMask(frame.createMaskFromColor(Qt::white, Qt::MaskInColor));
    QPainter p(&canvas);
    p.drawPixmap(0, 0, transparent);
    p.end();
    image->setPixmap(canvas);
}

}  // namespace navoro
