#include "config/Configuration.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPalette>
#include <QSaveFile>
#include <QSignalBlocker>

#include "codec/Fields.h"
#include "config/ConfigTables.h"
#include "config/DeviceData.h"
#include "config/InlandDimensions.h"
#include "config/WriteRules.h"
#include "ui/Product.h"

namespace navoro {

namespace {

ReportTime LocalTime() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
}

QString NineDigits(std::int32_t value) {
    return QStringLiteral("%1").arg(value, 9, 10, QChar('0'));
}

}  // namespace

Configuration::Configuration(const ConfigurationEnvironment& environment, QObject* parent)
    : QObject(parent), env_(environment), clock_(LocalTime) {
    pages_ = BuildConfigPages(env_.PageControlConf);
    ConnectControls();
    SetUpWriteInputs();
    SetInlandMode(false);
    writeNoteFallback_.setSingleShot(true);
    writeNoteFallback_.setInterval(kWriteNoteFallbackMilliseconds);
    connect(&writeNoteFallback_, &QTimer::timeout, this, &Configuration::ShowPendingWriteNote);
}

void Configuration::ConnectControls() {
    ShipDataPage& ship = pages_.ShipData;
    for (QLineEdit* field : ship.InlandFields()) {
        connect(field, &QLineEdit::textEdited, this,
                [this, field] { CSpin_InlandEditAKeyUp(field); });
    }
    for (QLineEdit* size : {ship.EditInlandShipLength, ship.EditInlandShipBeam})
        connect(size, &QLineEdit::editingFinished, this, &Configuration::RecalcInlandDimensions);
    connect(pages_.Transceiver.Edit_N2K_DeviceInstance, &QLineEdit::textEdited, this,
            &Configuration::Edit_N2K_DeviceInstanceKeyUp);
    connect(pages_.Voyage.cbxShipType, &QComboBox::currentIndexChanged, this,
            &Configuration::cbxShipTypeChange);
    connect(pages_.Encryption.CheckBoxEnableEncryption, &QCheckBox::toggled, this,
            &Configuration::CheckBoxEnableEncryptionClick);
    if (env_.PageControlConf)
        connect(env_.PageControlConf, &QTabWidget::currentChanged, this,
                &Configuration::PageControlConfChange);
    if (env_.PageControlMain)
        connect(env_.PageControlMain, &QTabWidget::currentChanged, this,
                &Configuration::PageControlMainChange);
    if (env_.SpeedButtonReload)
        connect(env_.SpeedButtonReload, &QAbstractButton::clicked, this,
                &Configuration::SpeedButtonReloadClick);
    if (env_.Timer2) connect(env_.Timer2, &QTimer::timeout, this, &Configuration::Timer2Timer);
}

QString Configuration::Message(MessageId id) const {
    if (env_.messages) return QString::fromStdString(env_.messages->Text(id));
    return QString::fromUtf8(kMessageEntries[static_cast<std::size_t>(id)].BuiltIn);
}

ReplyTargets Configuration::Targets() {
    return {*env_.codec, pages_, Snapshot, MobEntries};
}

void Configuration::FillShipTypeList() {
    QComboBox* list = pages_.Voyage.cbxShipType;
    list->clear();
    for (const ShipTypeRow& row : kShipTypes)
        list->addItem(QString::fromLatin1(row.Text));
    list->setCurrentIndex(0);
    cbxShipTypeChange();
}

// ---- reply handlers --------------------------------------------------------

void Configuration::ShowSsdReply() {
    const bool reply = env_.codec->Ais.SsdReceived != 0;
    navoro::ShowSsdReply(Targets());
    if (reply) ShowPendingWriteNote();
}
void Configuration::ShowVsdReply() {
    navoro::ShowVsdReply(Targets());
}
void Configuration::ShowTsvReply() {
    navoro::ShowTsvReply(Targets());
}
void Configuration::ShowCpaReply() {
    navoro::ShowCpaReply(Targets());
}
void Configuration::ShowBauReply() {
    navoro::ShowBauReply(Targets());
}
void Configuration::ShowMblReply() {
    navoro::ShowMblReply(Targets());
}
void Configuration::ShowDesReply() {
    navoro::ShowDesReply(Targets());
}
void Configuration::ShowClrReply() {
    navoro::ShowClrReply(Targets());
}

void Configuration::cbxShipTypeChange() {
    navoro::cbxShipTypeChange(pages_.Voyage);
}

void Configuration::CheckBoxEnableEncryptionClick() {
    const EncryptionPage& page = pages_.Encryption;
    page.LabeledEditEncryptionKey->setEnabled(page.CheckBoxEnableEncryption->isChecked());
}

// ---- the information dump ------------------------------------------------

void Configuration::CollectDeviceData(const char* line) {
    if (line == nullptr) return;
    const DeviceDataLine data = ParseDeviceDataLine(line);
    ApplyDeviceData(data, Snapshot, Flags);
    ShipDataPage& ship = pages_.ShipData;
    if (data.HasMmsi) ship.MaskEditMMSI->setText(NineDigits(data.Mmsi));
    if (data.HasImo) ship.MaskEditIMO->setText(NineDigits(data.Imo));
    if (data.HasFirmware)
        ship.lblFirmVer->setText(QStringLiteral("Firmware Version: ") +
                                 QString::fromLatin1(data.Firmware));
    if (data.InlandMode) SetInlandMode(true);
    if (data.HasDeviceInstance) {
        const bool inRange = data.DeviceInstance >= 0 && data.DeviceInstance <= kDeviceInstanceMax;
        pages_.Transceiver.Edit_N2K_DeviceInstance->setText(
            inRange ? QString::number(data.DeviceInstance) : QString());
    }
    if (data.HasEncryptionMode)
        pages_.Encryption.CheckBoxEnableEncryption->setChecked(data.EncryptionOn);
    if (data.HasEncryptionKey) {
        EncryptionCode = data.EncryptionKey;
        pages_.Encryption.LabeledEditEncryptionKey->setText(QString::fromLatin1(EncryptionCode));
    }
    if (data.HasInlandSsd) {
        const InlandSsd& d = data.InlandDimensions;
        ShowInlandValue(ship.EditInlandShipLength, d.Length);
        ShowInlandValue(ship.EditInlandShipBeam, d.Beam);
        ShowInlandValue(ship.CSpin_InlandEditB, d.InternalB);
        ShowInlandValue(ship.CSpin_InlandEditC, d.InternalC);
        ShowInlandValue(ship.CSpinEditInlandExtB, d.ExternalB);
        ShowInlandValue(ship.CSpinEditInlandExtC, d.ExternalC);
        RecalcInlandDimensions();
    }
}

void Configuration::ShowInlandValue(QLineEdit* field, int tenths) {
    field->setText(tenths == kInlandNotAvailable ? QString::fromLatin1(kInlandInitialText)
                                                 : QString::fromStdString(FormatTenths(tenths)));
}

// ---- inland dimensions -------------------------------------------------------

void Configuration::SetInlandMode(bool on) {
    ShipDataPage& p = pages_.ShipData;
    for (int i = 0; i < 4; ++i) {
        p.InlandInternal()[i]->setVisible(on);
        p.InlandExternal()[i]->setVisible(on);
    }
    for (QLineEdit* computed :
         {p.CSpin_InlandEditA, p.CSpin_InlandEditD, p.CSpinEditInlandExtA, p.CSpinEditInlandExtD})
        computed->setEnabled(!on);
    const QPalette normal = p.GroupBoxDimension->palette();
    for (QLabel* column : {p.Label13, p.Label16}) {
        QPalette palette = normal;
        palette.setColor(QPalette::WindowText,
                         on ? normal.color(QPalette::Disabled, QPalette::WindowText)
                            : normal.color(QPalette::Active, QPalette::WindowText));
        column->setPalette(palette);
    }
    // The decimal fields share the spin boxes' places in the grid.
    for (int i = 0; i < 4; ++i) {
        p.Internal()[i]->setVisible(!on);
        p.External()[i]->setVisible(!on);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{p.LabelShipLength, p.LabelShipBeam,
                                                      p.EditInlandShipLength, p.EditInlandShipBeam})
        w->setVisible(on);
}

void Configuration::RecalcInlandDimensions() {
    RecalcInland(nullptr);
}

void Configuration::RecalcInland(const QLineEdit* editing) {
    ShipDataPage& p = pages_.ShipData;
    // A field that shows no number ("xxx.x", empty) takes no part.
    const auto tenths = [](const QLineEdit* field) -> std::optional<int> {
        const std::string text = field->text().toStdString();
        if (!DecimalValue(text)) return std::nullopt;
        return ReadTenths(text);
    };
    const InlandInputs in{tenths(p.EditInlandShipLength), tenths(p.EditInlandShipBeam),
                          tenths(p.CSpin_InlandEditB),    tenths(p.CSpin_InlandEditC),
                          tenths(p.CSpinEditInlandExtB),  tenths(p.CSpinEditInlandExtC)};
    const InlandDerived out = navoro::RecalcInlandDimensions(in);
    const auto show = [](QLineEdit* field, const std::string& text) {
        field->setText(QString::fromStdString(text));
    };
    if (out.Length && editing != p.EditInlandShipLength) show(p.EditInlandShipLength, *out.Length);
    if (out.Beam && editing != p.EditInlandShipBeam) show(p.EditInlandShipBeam, *out.Beam);
    show(p.CSpin_InlandEditA, out.InternalA);
    show(p.CSpinEditInlandExtA, out.ExternalA);
    show(p.CSpin_InlandEditD, out.InternalD);
    show(p.CSpinEditInlandExtD, out.ExternalD);
}

void Configuration::CSpin_InlandEditAKeyUp(QLineEdit* field) {
    if (field == nullptr) return;
    const auto filtered = InlandFieldAfterKey(field->text().toStdString(), field->cursorPosition());
    if (!filtered) return;
    const QString text = QString::fromStdString(filtered->Text);
    if (text != field->text()) field->setText(text);
    field->setCursorPosition(filtered->Caret);
    RecalcInland(field);
}

void Configuration::Edit_N2K_DeviceInstanceKeyUp() {
    QLineEdit* field = pages_.Transceiver.Edit_N2K_DeviceInstance;
    const FilteredText filtered =
        DeviceInstanceAfterKey(field->text().toStdString(), field->cursorPosition());
    const QString text = QString::fromStdString(filtered.Text);
    if (text != field->text()) field->setText(text);
    field->setCursorPosition(filtered.Caret);
}

// ---- reading the device ------------------------------------------------------

void Configuration::InitDestinationGrid() {
    QTableWidget* grid = pages_.Destination.StringGrid_Destination;
    grid->item(0, 1)->setText(Message(MessageId::Destination));
    for (int row = 1; row <= kDestinationRows; ++row) {
        grid->item(row, 0)->setText(QString::number(row));
        grid->item(row, 1)->setText(QString());
    }
}

void Configuration::InitMobGrid() {
    MobEntries = 0;
    QTableWidget* grid = pages_.Mob.StringGrid_MOBList;
    grid->item(0, 1)->setText(Message(MessageId::Mmsi));
    grid->item(0, 2)->setText(Message(MessageId::Name));
    for (int row = 1; row <= kMobRows; ++row) {
        grid->item(row, 0)->setText(QString::number(row));
        grid->item(row, 1)->setText(QString());
        grid->item(row, 2)->setText(QString());
    }
    grid->item(1, 1)->setText(QStringLiteral("972000000"));
}

void Configuration::ShowCollectingProgress(int maximum) {
    if (!waiting_) return;
    waiting_->ShowProgress(QString::fromLatin1(TfrmWaitingProgress::kCollectingText), maximum);
    ProgressActive = true;
}

void Configuration::PageControlConfChange() {
    if (!DeviceDataSeen() || !env_.PageControlConf) return;
    const QWidget* page = env_.PageControlConf->currentWidget();
    const TabRead* read = page ? FindTabRead(page->objectName().toLatin1().constData()) : nullptr;
    if (!read) return;
    if (read->Reset == GridReset::Destination) InitDestinationGrid();
    if (read->Reset == GridReset::Mob) InitMobGrid();
    if (read->QuerySet != 0) SendQueries(read->QuerySet, send_);
    ShowCollectingProgress(read->ProgressMax);
}

void Configuration::SpeedButtonReloadClick() {
    if (!DeviceDataSeen()) return;
    ClearSnapshot(Snapshot);
    SendQueries(kReadDeviceQuerySet, send_);
    ShowCollectingProgress(kReadDeviceProgressMax);
    ReportCountdown = kReportCountdownStart;
}

void Configuration::Timer2Timer() {
    if (ReportCountdown >= 1 && ReportCountdown <= 254) {
        --ReportCountdown;
        if (ReportCountdown == 0) {
            ReportCountdown = kReportCountdownIdle;
            WriteConfigurationReport();
        }
    }
    if (ProgressActive && waiting_) {
        QProgressBar* bar = waiting_->ProgressBar1;
        if (bar->value() < bar->maximum()) {
            bar->setValue(bar->value() + 1);
        } else {
            waiting_->hide();
            bar->setValue(0);
            ProgressActive = false;
        }
    }
}

void Configuration::PageControlMainChange() {
    const bool configuration = env_.PageControlMain && env_.PageControlMain->currentIndex() == 0;
    if (env_.SpeedButtonSetting) env_.SpeedButtonSetting->setVisible(configuration);
    if (env_.SpeedButtonReload) env_.SpeedButtonReload->setVisible(configuration);
}

void Configuration::ResetConfiguration() {
    ClearSnapshot(Snapshot);
    SetInlandMode(false);
    writeNoteFallback_.setSingleShot(true);
    writeNoteFallback_.setInterval(kWriteNoteFallbackMilliseconds);
    connect(&writeNoteFallback_, &QTimer::timeout, this, &Configuration::ShowPendingWriteNote);
}

// ---- the report --------------------------------------------------------------

std::vector<std::string> Configuration::BuildReport() const {
    ReportInputs in;
    const QString version = version_ ? version_() : QString::fromLatin1(kVersionText);
    in.VersionText = version.toLatin1().toStdString();
    in.Time = clock_ ? clock_() : LocalTime();
    in.ShipTypeText = pages_.Voyage.cbxShipType->currentText().toLatin1().toStdString();
    const QComboBox* status = pages_.Voyage.ComboBoxNavStatus;
    in.NavStatusText =
        status->currentIndex() >= 0 ? status->currentText().toLatin1().toStdString() : "";
    in.EncryptionEnabled = pages_.Encryption.CheckBoxEnableEncryption->isChecked();
    in.EncryptionCode = pages_.Encryption.LabeledEditEncryptionKey->text().toLatin1().toStdString();
    return BuildConfigurationReport(Snapshot, in);
}

void Configuration::WriteConfigurationReport() {
    if (!env_.prompts) return;
    Prompts& prompts = *env_.prompts;
    if (!prompts.AskOkCancel(PromptIcon::Question, "Save",
                             Message(MessageId::QuerySaveReport).toStdString()))
        return;

    const std::vector<std::string> lines = BuildReport();
    QStringList memo;
    for (const std::string& line : lines)
        memo << QString::fromLatin1(line);
    pages_.ShipData.MemoRecord->setPlainText(memo.join(QChar('\n')));
    const std::string bytes = ReportFileText(lines);

    std::string suggested = ReportFileName(Snapshot);
    if (!env_.ReportFolder.empty())
        suggested = QDir(QString::fromStdString(env_.ReportFolder))
                        .filePath(QString::fromStdString(suggested))
                        .toStdString();
    // A place that cannot be written is reported and the dialog comes back,
    // so the report is not lost.
    for (;;) {
        const std::optional<std::string> chosen =
            prompts.AskSaveFileName("Save Report", suggested, "Report File (*.TXT *.txt)");
        if (!chosen || chosen->empty()) return;
        QString path = QString::fromStdString(*chosen);
        if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".TXT");
        if (QFileInfo::exists(path) &&
            !prompts.AskYesNo(PromptIcon::Warning, "Warning",
                              Message(MessageId::FileExists).toStdString()))
            return;

        QSaveFile file(path);
        QString error;
        if (!file.open(QIODevice::WriteOnly)) {
            error = file.errorString();
        } else if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
                   static_cast<qint64>(bytes.size())) {
            error = file.errorString();
            file.cancelWriting();
        } else if (!file.commit()) {
            error = file.errorString();
        }
        if (error.isEmpty()) {
            if (!prompts.OpenInEditor(path.toStdString())) {
                prompts.ShowInformation("Save Report", Message(MessageId::ReportNoEditor)
                                                           .replace(QLatin1String("%1"), path)
                                                           .toStdString());
            }
            return;
        }
        prompts.ShowError(Message(MessageId::Error).toStdString(),
                          "The report could not be saved to \"" + path.toStdString() + "\": " +
                              error.toStdString() + "\nPlease choose another file or folder.");
        suggested = path.toStdString();
    }
}

}  // namespace navoro
