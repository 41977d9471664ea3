#include "config/ConfigFileTabs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstring>

#include "config/ConfigReplies.h"
#include "config/Configuration.h"
#include "config/GridEditing.h"
#include "config/WriteRules.h"

namespace navoro {

namespace {

constexpr const char* kFileFilter = "Navoro configuration (*.json);;All files (*)";
// A configuration file is a few kilobytes; anything far larger is not one.
constexpr qint64 kFileSizeMax = 1 << 20;
// The problems a message box lists; the rest are counted.
constexpr std::size_t kProblemsShown = 20;

std::string Text(const QLineEdit* edit) {
    return edit->text().toStdString();
}

void SetText(QLineEdit* edit, const std::string& text) {
    edit->setText(QString::fromStdString(text));
}

std::array<int, 4> SpinValues(const std::array<SpinEdit*, 4>& boxes) {
    return {SpinValue(boxes[0]), SpinValue(boxes[1]), SpinValue(boxes[2]), SpinValue(boxes[3])};
}

void SetSpin(SpinEdit* box, int value) {
    box->SetReplyValue(value);
}

void SetIndex(QComboBox* list, int index) {
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

// The six inland fields a file holds (A and D are derived from them).
std::array<QLineEdit*, 6> InlandFileFields(const ShipDataPage& p) {
    return {p.EditInlandShipLength, p.EditInlandShipBeam,  p.CSpin_InlandEditB,
            p.CSpin_InlandEditC,    p.CSpinEditInlandExtB, p.CSpinEditInlandExtC};
}

QString WithPath(const MessageTable& messages, MessageId id, const std::string& path) {
    QString text = QString::fromStdString(messages.Text(id));
    const QString file = QString::fromStdString(path);
    return text.contains(QLatin1String("%1")) ? text.replace(QLatin1String("%1"), file)
                                              : text + QLatin1Char(' ') + file;
}

std::string SuggestedFileName(const ConfigPages& pages, const std::string& folder) {
    std::string mmsi = Text(pages.ShipData.MaskEditMMSI);
    if (mmsi.empty() || mmsi.find_first_not_of("0123456789") != std::string::npos) mmsi = "device";
    const QString name = QStringLiteral("navoro-config-%1.json").arg(QString::fromStdString(mmsi));
    return folder.empty() ? name.toStdString()
                          : QDir(QString::fromStdString(folder)).filePath(name).toStdString();
}

}  // namespace

// ---- controls -> inputs ---------------------------------------------------------

ShipDataInput ShipDataInputOf(const ShipDataPage& p) {
    ShipDataInput in;
    in.Mmsi = Text(p.MaskEditMMSI);
    in.Imo = Text(p.MaskEditIMO);
    in.Name = Text(p.lblEdtName);
    in.CallSign = Text(p.lblEdtCallSign);
    in.Internal = SpinValues(p.Internal());
    in.External = SpinValues(p.External());
    // Inland mode: the decimal fields are shown.
    in.Inland = !p.EditInlandShipLength->isHidden();
    const auto fields = InlandFileFields(p);
    for (std::size_t i = 0; i < in.InlandTexts.size(); ++i)
        in.InlandTexts[i] = Text(fields[i]);
    return in;
}

VoyageInput VoyageInputOf(const VoyagePage& p) {
    VoyageInput in;
    in.ShipTypeRow = p.cbxShipType->currentIndex();
    in.Draught = Text(p.edtDraught);
    in.PersonsOnBoard = SpinValue(p.CSpinEditPOB);
    in.Destination = Text(p.lblEdtDestination);
    in.Month = SpinValue(p.CSpinEditMonth);
    in.Day = SpinValue(p.CSpinEditDay);
    in.Hour = SpinValue(p.CSpinEditHour);
    in.Minute = SpinValue(p.CSpinEditMinute);
    in.NavStatus = p.ComboBoxNavStatus->currentIndex();
    return in;
}

CpaInput CpaInputOf(const CpaPage& p) {
    CpaInput in;
    in.Tcpa = SpinValue(p.CSpinEditTCPA);  // N/A goes out empty
    in.Cpa = Text(p.MaskEditCPA);
    in.AlarmIndex = std::max(p.ComboBoxCpaAlarmType->currentIndex(), 0);
    return in;
}

TransceiverInput TransceiverInputOf(const TransceiverPage& p) {
    TransceiverInput in;
    in.AisTxIndex = p.ComboBox_Tran_AisTx->currentIndex();
    in.DscRxIndex = p.ComboBox_Tran_DscRx->currentIndex();
    in.GpsVoltageIndex = p.ComboBoxGpsVoltage->currentIndex();
    in.DeviceInstance = Text(p.Edit_N2K_DeviceInstance);
    return in;
}

BaudRateInput BaudRateInputOf(const BaudRatePage& p) {
    BaudRateInput in;
    // A box without a selection (the device's rate is not in its list) sends
    // nothing for its port.
    for (std::size_t i = 0; i < p.Boxes.size(); ++i)
        in.Selected[i] = p.Boxes[i]->currentIndex();
    return in;
}

LongRangeSettings LongRangeInputOf(const LongRangePage& p) {
    LongRangeSettings in;
    in.Manual = p.ComboBox_LR_Response->currentIndex() == 1;
    for (std::size_t i = 0; i < p.FunctionReply.size(); ++i)
        in.FunctionReply[i] = p.FunctionReply[i]->isChecked();
    in.Message27 = p.CheckBox_LR_Msg27->isChecked();
    in.ChannelA = Text(p.LabeledEdit_LR_ChA);
    in.ChannelB = Text(p.LabeledEdit_LR_ChB);
    return in;
}

DestinationInput DestinationInputOf(DestinationPage& p) {
    QTableWidget* grid = p.StringGrid_Destination;
    CommitGridEdits(grid);
    DestinationInput in;
    for (int row = 1; row <= kDestinationRows; ++row) {
        std::string& text = in.Rows[static_cast<std::size_t>(row - 1)];
        text = GridText(Cell(grid, row, 1));
        SetCell(grid, row, 1, text);
    }
    return in;
}

MobInput MobInputOf(MobPage& p) {
    QTableWidget* grid = p.StringGrid_MOBList;
    CommitGridEdits(grid);
    MobInput in;
    for (int row = 1; row <= kMobRows; ++row) {
        MobRow& r = in.Rows[static_cast<std::size_t>(row - 1)];
        r.Mmsi = Cell(grid, row, 1);
        r.Name = GridText(Cell(grid, row, 2));
        SetCell(grid, row, 2, r.Name);
    }
    return in;
}

EncryptionInput EncryptionInputOf(const EncryptionPage& p, std::int32_t snapshotMmsi) {
    EncryptionInput in;
    in.Enabled = p.CheckBoxEnableEncryption->isChecked();
    in.Code = Text(p.LabeledEditEncryptionKey);
    in.SnapshotMmsi = snapshotMmsi;
    return in;
}

ConfigFile ConfigFileOfTabs(ConfigPages& pages, const ConfigSnapshot& snapshot) {
    ConfigFile f;
    f.Firmware.assign(snapshot.FirmwareVersion,
                      strnlen(snapshot.FirmwareVersion, sizeof snapshot.FirmwareVersion));
    f.SerialNumber.assign(snapshot.SerialNumber,
                          strnlen(snapshot.SerialNumber, sizeof snapshot.SerialNumber));
    f.Ship = ShipDataInputOf(pages.ShipData);
    f.Voyage = VoyageInputOf(pages.Voyage);
    f.Cpa = CpaInputOf(pages.Cpa);
    f.Transceiver = TransceiverInputOf(pages.Transceiver);
    f.Baud = BaudRateInputOf(pages.BaudRate);
    f.LongRange = LongRangeInputOf(pages.LongRange);
    f.Destinations = DestinationInputOf(pages.Destination);
    f.Mob = MobInputOf(pages.Mob);
    f.Encryption = EncryptionInputOf(pages.Encryption, snapshot.Mmsi);
    return f;
}

// ---- inputs -> controls ------------------------------------------------------------

void FillTabsFromConfigFile(Configuration& configuration, const ConfigFile& f) {
    ConfigPages& pages = configuration.Pages();
    if (f.Ship) {
        ShipDataPage& p = pages.ShipData;
        SetText(p.MaskEditMMSI, f.Ship->Mmsi);
        SetText(p.MaskEditIMO, f.Ship->Imo);
        SetText(p.lblEdtName, f.Ship->Name);
        SetText(p.lblEdtCallSign, f.Ship->CallSign);
        for (std::size_t i = 0; i < 4; ++i) {
            SetSpin(p.Internal()[i], f.Ship->Internal[i]);
            SetSpin(p.External()[i], f.Ship->External[i]);
        }
        if (f.Ship->Inland) {
            const auto fields = InlandFileFields(p);
            for (std::size_t i = 0; i < fields.size(); ++i)
                SetText(fields[i], f.Ship->InlandTexts[i]);
            configuration.RecalcInlandDimensions();
        }
    }
    if (f.Voyage) {
        VoyagePage& p = pages.Voyage;
        SetIndex(p.cbxShipType, f.Voyage->ShipTypeRow);
        cbxShipTypeChange(p);
        SetText(p.edtDraught, f.Voyage->Draught);
        SetSpin(p.CSpinEditPOB, f.Voyage->PersonsOnBoard);
        SetText(p.lblEdtDestination, f.Voyage->Destination);
        SetSpin(p.CSpinEditMonth, f.Voyage->Month);
        SetSpin(p.CSpinEditDay, f.Voyage->Day);
        SetSpin(p.CSpinEditHour, f.Voyage->Hour);
        SetSpin(p.CSpinEditMinute, f.Voyage->Minute);
        SetIndex(p.ComboBoxNavStatus, f.Voyage->NavStatus);
    }
    if (f.Cpa) {
        CpaPage& p = pages.Cpa;
        SetText(p.MaskEditCPA, f.Cpa->Cpa);
        SetSpin(p.CSpinEditTCPA, f.Cpa->Tcpa);
        SetIndex(p.ComboBoxCpaAlarmType, f.Cpa->AlarmIndex);
    }
    if (f.Transceiver) {
        TransceiverPage& p = pages.Transceiver;
        SetIndex(p.ComboBox_Tran_AisTx, f.Transceiver->AisTxIndex);
        SetIndex(p.ComboBox_Tran_DscRx, f.Transceiver->DscRxIndex);
        SetIndex(p.ComboBoxGpsVoltage, f.Transceiver->GpsVoltageIndex);
        SetText(p.Edit_N2K_DeviceInstance, f.Transceiver->DeviceInstance);
    }
    if (f.Baud) {
        for (std::size_t i = 0; i < pages.BaudRate.Boxes.size(); ++i)
            SetIndex(pages.BaudRate.Boxes[i], f.Baud->Selected[i]);
    }
    if (f.LongRange) {
        LongRangePage& p = pages.LongRange;
        SetIndex(p.ComboBox_LR_Response, f.LongRange->Manual ? 1 : 0);
        for (std::size_t i = 0; i < p.FunctionReply.size(); ++i)
            p.FunctionReply[i]->setChecked(f.LongRange->FunctionReply[i]);
        p.CheckBox_LR_Msg27->setChecked(f.LongRange->Message27);
        SetText(p.LabeledEdit_LR_ChA, f.LongRange->ChannelA);
        SetText(p.LabeledEdit_LR_ChB, f.LongRange->ChannelB);
    }
    if (f.Destinations) {
        QTableWidget* grid = pages.Destination.StringGrid_Destination;
        CommitGridEdits(grid);
        for (int row = 1; row <= kDestinationRows; ++row)
            SetCell(grid, row, 1, f.Destinations->Rows[static_cast<std::size_t>(row - 1)]);
    }
    if (f.Mob) {
        QTableWidget* grid = pages.Mob.StringGrid_MOBList;
        CommitGridEdits(grid);
        for (int row = 1; row <= kMobRows; ++row) {
            const MobRow& r = f.Mob->Rows[static_cast<std::size_t>(row - 1)];
            SetCell(grid, row, 1, r.Mmsi);
            SetCell(grid, row, 2, r.Name);
        }
    }
    if (f.Encryption) {
        EncryptionPage& p = pages.Encryption;
        p.CheckBoxEnableEncryption->setChecked(f.Encryption->Enabled);
        SetText(p.LabeledEditEncryptionKey, f.Encryption->Code);
        configuration.CheckBoxEnableEncryptionClick();
    }
}

// ---- File > Save configuration... / Load configuration... ----------------------------

bool SaveConfigurationFile(Configuration& configuration, Prompts& prompts,
                           const MessageTable& messages, const std::string& folder) {
    const std::optional<std::string> chosen = prompts.AskSaveFileName(
        "Save configuration", SuggestedFileName(configuration.Pages(), folder), kFileFilter);
    if (!chosen || chosen->empty()) return false;
    QString path = QString::fromStdString(*chosen);
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".json");
    if (QFileInfo::exists(path) &&
        !prompts.AskYesNo(PromptIcon::Warning, messages.Text(MessageId::Warning),
                          messages.Text(MessageId::FileExists)))
        return false;

    const std::string text =
        WriteConfigFile(ConfigFileOfTabs(configuration.Pages(), configuration.Snapshot));
    // Written beside and then renamed over the old file: a failed write
    // leaves the old file as it was.
    QSaveFile file(path);
    QString error;
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
    } else if (file.write(text.data(), static_cast<qint64>(text.size())) !=
               static_cast<qint64>(text.size())) {
        error = file.errorString();
        file.cancelWriting();
    } else if (!file.commit()) {
        error = file.errorString();
    }
    if (error.isEmpty()) return true;
    prompts.ShowError(messages.Text(MessageId::Error),
                      (WithPath(messages, MessageId::ConfigFileNotSaved, path.toStdString()) +
                       QLatin1Char('\n') + error)
                          .toStdString());
    return false;
}

bool LoadConfigurationFile(Configuration& configuration, Prompts& prompts,
                           const MessageTable& messages, const std::string& folder) {
    const std::optional<std::string> chosen =
        prompts.AskOpenFileName("Load configuration", folder, kFileFilter);
    if (!chosen || chosen->empty()) return false;
    return LoadConfigurationFileFrom(configuration, prompts, messages, *chosen);
}

bool LoadConfigurationFileFrom(Configuration& configuration, Prompts& prompts,
                               const MessageTable& messages, const std::string& path) {
    const QString notLoaded = WithPath(messages, MessageId::ConfigFileNotLoaded, path);
    QFile file(QString::fromStdString(path));
    std::vector<ConfigFileProblem> problems;
    ConfigFileRead read;
    if (!file.open(QIODevice::ReadOnly)) {
        problems.push_back({"", file.errorString().toStdString()});
    } else if (file.size() > kFileSizeMax) {
        problems.push_back({"", "is too large to be a configuration file"});
    } else {
        const QByteArray bytes = file.read(kFileSizeMax + 1);
        read = ReadConfigFile(bytes.toStdString());
        problems = read.Problems;
    }
    if (!problems.empty()) {
        QString text = notLoaded;
        std::size_t shown = 0;
        for (const ConfigFileProblem& problem : problems) {
            if (++shown > kProblemsShown) {
                text += QStringLiteral("\n(+%1)").arg(problems.size() - kProblemsShown);
                break;
            }
            text += QLatin1Char('\n');
            if (!problem.Name.empty())
                text += QString::fromStdString(problem.Name) + QLatin1String(": ");
            text += QString::fromStdString(problem.Message);
        }
        prompts.ShowWarning(messages.Text(MessageId::Warning), text.toStdString());
        return false;
    }
    FillTabsFromConfigFile(configuration, read.File);
    prompts.ShowInformation("Configuration",
                            WithPath(messages, MessageId::ConfigFileLoaded, path).toStdString());
    return true;
}

}  // namespace navoro
