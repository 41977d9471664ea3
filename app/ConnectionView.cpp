#include "app/ConnectionView.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>

#include "link/PortLists.h"
#include "ui/Product.h"

namespace navoro {

namespace {

void StyleStatusLabel(QLabel* label, const QColor& colour, bool enabled) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Active, QPalette::WindowText, colour);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    // Disabled ("Disconnect...") stays legible on the sky-blue panel.
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x3c, 0x46, 0x50));
    label->setPalette(palette);
    label->setEnabled(enabled);
}

// The status label's width, and its width when its text takes two lines.
constexpr int kStatusLabelWidth = 140;
constexpr int kTwoLineStatusLabelWidth = 180;

}  // namespace

ConnectionView::ConnectionView(QObject* context, const MessageTable& messages, Prompts& prompts)
    : context_(context), messages_(messages), prompts_(prompts) {}

void ConnectionView::Build(QWidget* panel, ConnectionTimers timers) {
    controls_ = BuildConnectionGroup(panel);
    images_ = MakeLinkImageLists();
    timers_ = timers;
}

const std::string& ConnectionView::Text(LinkText text) const {
    switch (text) {
        case LinkText::Connect:
            return messages_.Text(MessageId::Connect);
        case LinkText::Disconnect:
            return messages_.Text(MessageId::Disconnect);
        case LinkText::StatusConnecting:
            return messages_.Text(MessageId::StatusConnecting);
        case LinkText::StatusConnected:
            return messages_.Text(MessageId::StatusConnected);
        case LinkText::StatusDisconnect:
            return messages_.Text(MessageId::StatusDisconnect);
        case LinkText::PortOpenError:
            return messages_.Text(MessageId::PortOpenError);
        case LinkText::NoSerialPortExist:
            return messages_.Text(MessageId::NoSerialPortExist);
        case LinkText::AutoDetectTimeOut:
            return messages_.Text(MessageId::AutoDetectTimeOut);
        case LinkText::ManualConnectTimeOut:
            return messages_.Text(MessageId::ManualConnectTimeOut);
        case LinkText::CheckPortError:
            return messages_.Text(MessageId::CheckPortError);
        case LinkText::RateMayBeWrong:
            return messages_.Text(MessageId::RateMayBeWrong);
        case LinkText::StatusConnectedStandard:
            return messages_.Text(MessageId::ConnectedStandard);
        case LinkText::NotATransponder:
            return messages_.Text(MessageId::NotATransponder);
    }
    return messages_.Text(MessageId::Error);
}

void ConnectionView::FillPortChoice(const PortLists& lists) {
    QComboBox* box = controls_.cbxComPort;
    const QSignalBlocker quiet(box);
    const QString chosen = box->currentText();
    box->clear();
    for (const PortChoiceItem& item : lists.PortChoiceItems()) {
        box->addItem(QString::fromStdString(item.text));
        if (!item.toolTip.empty()) {
            box->setItemData(box->count() - 1, QString::fromStdString(item.toolTip),
                             Qt::ToolTipRole);
        }
    }
    // A re-scan keeps the user's choice: the same port, or the text as it was.
    const bool none = chosen.isEmpty() || chosen == QLatin1String(kNoPortText);
    const int index = none ? 0 : box->findText(chosen);
    if (index >= 0) {
        box->setCurrentIndex(index);
    } else {
        box->setEditText(chosen);
    }
}

void ConnectionView::WarningBox(const std::string& text) {
    prompts_.ShowWarning(messages_.Text(MessageId::Warning), text);
}

void ConnectionView::ErrorBox(const std::string& text) {
    prompts_.ShowError(messages_.Text(MessageId::Error), text);
}

bool ConnectionView::AutoMode() const {
    return controls_.RadioButtonConnectionModeAuto->isChecked();
}

void ConnectionView::ShowDetectPage(bool automatic) {
    controls_.PageControlDetectComPortMode->setCurrentWidget(
        automatic ? controls_.TabSheetAutoConnectComPort : controls_.TabSheetManualDetectComPort);
}

std::string ConnectionView::PortText() const {
    return controls_.cbxComPort->currentText().toStdString();
}

void ConnectionView::SetPortText(const std::string& text) {
    QComboBox* box = controls_.cbxComPort;
    const QSignalBlocker quiet(box);
    const QString wanted = QString::fromStdString(text);
    const int index = box->findText(wanted);
    if (index >= 0) {
        box->setCurrentIndex(index);
    } else {
        box->setEditText(wanted);
    }
}

void ConnectionView::SelectFirstPort() {
    QComboBox* box = controls_.cbxComPort;
    const QSignalBlocker quiet(box);
    if (box->count() > 0) {
        box->setCurrentIndex(0);
    } else {
        box->setEditText(QString::fromLatin1(kNoPortText));
    }
}

void ConnectionView::SetRateItems(const std::array<ProbeRate, 6>& rates) {
    QComboBox* box = controls_.cbxBaudRate;
    const QSignalBlocker quiet(box);
    box->clear();
    for (const ProbeRate& rate : rates)
        box->addItem(QString::fromLatin1(rate.Text));
}

int ConnectionView::RateEntry() const {
    return controls_.cbxBaudRate->currentIndex();
}

void ConnectionView::SelectRateEntry(int entry) {
    const QSignalBlocker quiet(controls_.cbxBaudRate);
    controls_.cbxBaudRate->setCurrentIndex(entry);
}

void ConnectionView::ShowProbedPort(const std::string& text) {
    controls_.EditAutoDetectComPort->setText(QString::fromStdString(text));
}

void ConnectionView::ShowProbedRate(const std::string& text) {
    controls_.EditAutoDetectBaudRate->setText(QString::fromStdString(text));
}

void ConnectionView::ShowActive(bool active) {
    // The "connected" property tells the language switch which caption to give it.
    controls_.OpenPort->setProperty("connected", active);
    controls_.OpenPort->setChecked(active);
}

void ConnectionView::SetConnectCaption(LinkText caption) {
    controls_.OpenPort->setText(QString::fromStdString(Text(caption)));
}

void ConnectionView::EnableConnectionControls(bool enabled) {
    const ConnectionControls& c = controls_;
    for (QWidget* control :
         {static_cast<QWidget*>(c.GroupBoxConnectionMode),
          static_cast<QWidget*>(c.RadioButtonConnectionModeManual),
          static_cast<QWidget*>(c.RadioButtonConnectionModeAuto),
          static_cast<QWidget*>(c.cbxComPort), static_cast<QWidget*>(c.cbxBaudRate)})
        control->setEnabled(enabled);
}

void ConnectionView::StartConnectionTimers() {
    timers_.ConnectionStep->start();
    timers_.Status->start();
}

void ConnectionView::StopConnectionTimers() {
    timers_.ConnectionStep->stop();
    timers_.Status->stop();
}

void ConnectionView::StartSystemCheckTimer() {
    timers_.SystemCheck->start();
}

void ConnectionView::ShowLinkStatus(int frame, LinkText text) {
    DrawLinkFrame(controls_.ImageConnectToDevice, images_.ImageListConnectToDevice, frame);
    DrawLinkFrame(controls_.ImageConnectTwoWay, images_.ImageListConnectTwoWay, frame);
    QLabel* label = controls_.LabelConnectionStatus;
    switch (text) {
        case LinkText::StatusConnecting:
            StyleStatusLabel(label, Qt::black, true);
            break;
        case LinkText::StatusConnected:
        case LinkText::StatusConnectedStandard:
            StyleStatusLabel(label, Qt::blue, true);
            break;
        default:
            StyleStatusLabel(label, Qt::black, false);
            break;
    }
    // Only the standard mode's longer text takes two lines, in the room up to EXIT.
    const bool twoLines = text == LinkText::StatusConnectedStandard;
    label->setWordWrap(twoLines);
    label->setMinimumWidth(twoLines ? kTwoLineStatusLabelWidth : kStatusLabelWidth);
    label->setText(QString::fromStdString(Text(text)));
}

void ConnectionView::ShowStandardLinkStatus(const std::string& maker, const std::string& model) {
    ShowLinkStatus(1, LinkText::StatusConnectedStandard);
    std::string device = maker;
    if (!device.empty() && !model.empty()) device += ' ';
    device += model;
    if (device.empty()) return;
    const QString text = QString::fromStdString(messages_.Text(MessageId::ConnectedStandardDevice))
                             .replace(QStringLiteral("%1"), QString::fromStdString(device));
    // The maker and model are the device's own texts: shown as they are, never as markup.
    controls_.LabelConnectionStatus->setTextFormat(Qt::PlainText);
    controls_.LabelConnectionStatus->setText(text);
}

void ConnectionView::AnimateLinkStatus(int twoWayFrame, bool red) {
    DrawLinkFrame(controls_.ImageConnectTwoWay, images_.ImageListConnectTwoWay, twoWayFrame);
    QLabel* label = controls_.LabelConnectionStatus;
    StyleStatusLabel(label, red ? Qt::red : Qt::black, true);
    label->setWordWrap(false);
    label->setMinimumWidth(kStatusLabelWidth);
    label->setText(QString::fromStdString(Text(LinkText::StatusConnecting)));
}

void ConnectionView::WarningBox(LinkText text) {
    WarningBox(Text(text));
}

void ConnectionView::ErrorBox(LinkText text, const std::string& reason) {
    ErrorBox(reason.empty() ? Text(text) : Text(text) + "\n\n" + reason);
}

void ConnectionView::PortErrorBox(const std::string& message) {
    prompts_.ShowError(kApplicationTitle, message);
}

bool ConnectionView::AskForceConnect() {
    return prompts_.AskOkCancel(PromptIcon::Warning, messages_.Text(MessageId::Warning),
                                Text(LinkText::CheckPortError));
}

void ConnectionView::PostNotice(std::function<void()> notice) {
    // Queued: the box opens once the current handler (a timer's) has returned.
    QTimer::singleShot(0, context_, std::move(notice));
}

void ConnectionView::Drive(ConnectionManager& manager, std::function<void()> toggle) {
    const ConnectionControls& c = controls_;
    QObject::connect(c.OpenPort, &QToolButton::clicked, context_, std::move(toggle));
    for (QRadioButton* mode : {c.RadioButtonConnectionModeManual, c.RadioButtonConnectionModeAuto})
        QObject::connect(mode, &QRadioButton::clicked, context_,
                         [&manager] { manager.ModeChanged(); });
    // The user's choices only: programmatic changes emit neither signal.
    QObject::connect(c.cbxComPort, &QComboBox::activated, context_,
                     [&manager] { manager.PortChosen(); });
    QObject::connect(c.cbxComPort->lineEdit(), &QLineEdit::textEdited, context_,
                     [&manager] { manager.PortChosen(); });
    QObject::connect(c.cbxBaudRate, &QComboBox::activated, context_,
                     [&manager] { manager.RateChosen(); });
    QObject::connect(timers_.ConnectionStep, &QTimer::timeout, context_,
                     [&manager] { manager.ConnectionStep(); });
    QObject::connect(timers_.Status, &QTimer::timeout, context_,
                     [&manager] { manager.StatusStep(); });
}

}  // namespace navoro
