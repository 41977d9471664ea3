#include "config/pages/TransceiverPage.h"

#include "config/InlandDimensions.h"
#include "config/WriteRules.h"

namespace navoro {

std::unique_ptr<TabView<TransceiverSettings>> TransceiverTab::MakeView(TabViewHost& host) {
    return std::make_unique<TransceiverPage>(host);
}

TransceiverPage::TransceiverPage(TabViewHost& host) {
    QWidget* page = host.Sheet;
    QGridLayout* grid = GridOn(page);
    LabelAISTx = MakeLabel(page, "LabelAISTx", "AIS TX");
    ComboBox_Tran_AisTx = MakeList(page, "ComboBox_Tran_AisTx");
    LabelDSCRx = MakeLabel(page, "LabelDSCRx", "DSC RX");
    ComboBox_Tran_DscRx = MakeList(page, "ComboBox_Tran_DscRx");
    LabelTran_GPSVol = MakeLabel(page, "LabelTran_GPSVol", "GPS ANTENNA VOLTAGE");
    ComboBoxGpsVoltage = MakeList(page, "ComboBoxGpsVoltage");
    Edit_N2K_DeviceInstance = MakeEdit(page, "Edit_N2K_DeviceInstance", 3, "0");
    Edit_N2K_DeviceInstance->setMaximumWidth(110);
    grid->addWidget(LabelAISTx, 0, 0);
    grid->addWidget(ComboBox_Tran_AisTx, 0, 1);
    grid->addWidget(LabelDSCRx, 1, 0);
    grid->addWidget(ComboBox_Tran_DscRx, 1, 1);
    grid->addWidget(LabelTran_GPSVol, 2, 0);
    grid->addWidget(ComboBoxGpsVoltage, 2, 1);
    grid->addWidget(AttachLabel(page, Edit_N2K_DeviceInstance, "NMEA 2000 Device Instance"), 3, 0);
    grid->addWidget(Edit_N2K_DeviceInstance, 3, 1);
    const WholeRange range = TransceiverTab::kDeviceInstanceRange;
    grid->addWidget(
        MakeLabel(page, "LabelDeviceInstanceRange",
                  QStringLiteral("(%1~%2)").arg(range.Min).arg(range.Max).toLatin1().constData()),
        3, 2);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(3, 1);
    spbTransponder = MakeWriteButton(page, "spbTransponder", host);
    QObject::connect(Edit_N2K_DeviceInstance, &QLineEdit::textEdited, Edit_N2K_DeviceInstance,
                     [this] { DeviceInstanceTyped(); });
}

void TransceiverPage::ApplyTexts(const MessageTable& messages) {
    FillOptions(ComboBox_Tran_AisTx, messages, MessageId::On, MessageId::Off);
    FillOptions(ComboBox_Tran_DscRx, messages, MessageId::On, MessageId::Off);
    FillOptions(ComboBoxGpsVoltage, messages, MessageId::Gps3, MessageId::Gps5);
}

void TransceiverPage::DeviceInstanceTyped() {
    QLineEdit* field = Edit_N2K_DeviceInstance;
    const FilteredText filtered =
        DeviceInstanceAfterKey(field->text().toStdString(), field->cursorPosition());
    const QString text = QString::fromStdString(filtered.Text);
    if (text != field->text()) field->setText(text);
    field->setCursorPosition(filtered.Caret);
}

void TransceiverPage::Show(const TransceiverSettings& r, FieldSet fields) {
    if (fields & TransceiverTab::kAisTx) ComboBox_Tran_AisTx->setCurrentIndex(r.AisTxOn ? 0 : 1);
    if (fields & TransceiverTab::kDscRx) ComboBox_Tran_DscRx->setCurrentIndex(r.DscRxOn ? 0 : 1);
    if (fields & TransceiverTab::kGpsVoltage)
        ComboBoxGpsVoltage->setCurrentIndex(r.GpsAntenna5V ? 1 : 0);
    if (fields & TransceiverTab::kDeviceInstance)
        Edit_N2K_DeviceInstance->setText(r.DeviceInstance ? QString::number(*r.DeviceInstance)
                                                          : QString());
}

std::variant<TransceiverSettings, RuleProblem> TransceiverPage::Read() {
    TransceiverSettings r;
    // A list without a selection reads as its first entry.
    r.AisTxOn = ComboBox_Tran_AisTx->currentIndex() != 1;
    r.DscRxOn = ComboBox_Tran_DscRx->currentIndex() != 1;
    r.GpsAntenna5V = ComboBoxGpsVoltage->currentIndex() == 1;
    const std::string instance = TextOf(Edit_N2K_DeviceInstance);
    if (instance.find_first_not_of(' ') != std::string::npos) {
        const std::optional<std::int64_t> value = DigitsValue(instance);
        if (!value) {
            RuleProblem problem = Broken(
                "transceiver.deviceInstance", "Edit_N2K_DeviceInstance", MessageId::ValueRange,
                {instance, std::to_string(TransceiverTab::kDeviceInstanceRange.Min),
                 std::to_string(TransceiverTab::kDeviceInstanceRange.Max)});
            return problem;
        }
        r.DeviceInstance = static_cast<int>(*value);
    }
    return r;
}

}  // namespace navoro
