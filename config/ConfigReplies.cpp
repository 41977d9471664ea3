#include "config/ConfigReplies.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "codec/Fields.h"
#include "codec/ParameterCodes.h"
#include "config/ConfigTables.h"

namespace navoro {

namespace {

// The transponder's texts are 8-bit; they are NUL-terminated within their
// member, but never read past it.
template <std::size_t N>
QString DeviceText(const char (&text)[N]) {
    return QString::fromLatin1(text, static_cast<qsizetype>(strnlen(text, N)));
}

long NumberIn(const QString& text) {
    return Atol(text.toLatin1().constData());
}

double RealIn(const QString& text) {
    const double value = Atof(text.toLatin1().constData());
    return std::isfinite(value) ? value : 0.0;
}

// A draught the VOYAGE tab shows: 0.0-25.5 m; anything else is not available
// (0, as the tab's hint says).
constexpr float kDraughtMax = 25.5f;
bool DraughtShown(float draught) {
    return std::isfinite(draught) && draught >= 0.0f && draught <= kDraughtMax;
}

constexpr long kCpaTenthsMax = 999;  // 99.9 NM: what "09.9" holds
constexpr int kChannelLength = 4;

constexpr char kReplyMode = 'R';

void SetIndexIfValid(QComboBox* list, long index) {
    list->setCurrentIndex(index >= 0 && index < list->count() ? static_cast<int>(index) : -1);
}

}  // namespace

// ---- snapshot updates ----------------------------------------------------

void SnapshotShipData(const AisStore& ais, const ShipDataPage& page, ConfigSnapshot& snapshot) {
    CopyText(snapshot.ShipName, ais.Name);
    CopyText(snapshot.CallSign, ais.CallSign);
    for (int i = 0; i < 4; ++i) {
        snapshot.Internal[i] = page.Internal()[i]->value();
        snapshot.External[i] = page.External()[i]->value();
    }
}

void SnapshotVoyage(const AisStore& ais, const VoyagePage& page, ConfigSnapshot& snapshot) {
    snapshot.ShipType = static_cast<std::int32_t>(NumberIn(page.stShipCargoType->text()));
    snapshot.Draught = DraughtShown(ais.Draught) ? ais.Draught : 0.0f;
    snapshot.PersonsOnBoard = ais.PersonsOnBoard <= 8191 ? ais.PersonsOnBoard : 0;
    CopyText(snapshot.Destination, ais.Destination);
    snapshot.NavStatus = ais.NavStatus;
    snapshot.EtaMonth = page.CSpinEditMonth->value();
    snapshot.EtaDay = page.CSpinEditDay->value();
    snapshot.EtaHour = page.CSpinEditHour->value();
    snapshot.EtaMinute = page.CSpinEditMinute->value();
}

void SnapshotTransceiver(const TransceiverPage& page, ConfigSnapshot& snapshot) {
    const int index = page.ComboBoxGpsVoltage->currentIndex();
    CopyText(snapshot.GpsVoltage, index == 1 ? "5V" : index == 0 ? "3.3V" : "");
}

void SnapshotBaudRates(const BaudRatePage& page, ConfigSnapshot& snapshot) {
    for (std::size_t i = 0; i < page.Boxes.size(); ++i)
        snapshot.BaudRates[i] = static_cast<std::int32_t>(NumberIn(page.Boxes[i]->currentText()));
}

void SnapshotCpa(const CpaPage& page, ConfigSnapshot& snapshot) {
    snapshot.Cpa = static_cast<float>(RealIn(page.MaskEditCPA->text()));
    snapshot.Tcpa = page.CSpinEditTCPA->value();
    snapshot.CpaAlarm = page.ComboBoxCpaAlarmType->currentIndex();
}

void SnapshotLongRange(const ProprietaryStore& store, const LongRangePage& page,
                       ConfigSnapshot& snapshot) {
    snapshot.LrResponse = page.ComboBox_LR_Response->currentIndex();
    snapshot.Message27 = page.CheckBox_LR_Msg27->isChecked() ? 1 : 0;
    snapshot.ChannelA = store.ClrChannelA;
    snapshot.ChannelB = store.ClrChannelB;
    std::memcpy(snapshot.FunctionReply, store.ClrFunctionReply, sizeof snapshot.FunctionReply);
}

void cbxShipTypeChange(const VoyagePage& page) {
    const int row = page.cbxShipType->currentIndex();
    const bool known = row >= 0 && row < static_cast<int>(kShipTypes.size());
    page.stShipCargoType->setText(QString::number(known ? kShipTypes[row].Code : 0));
}

// ---- reply handlers --------------------------------------------------------

void ShowSsdReply(ReplyTargets t) {
    AisStore& ais = t.codec.Ais;
    if (!ais.SsdReceived) return;
    ShipDataPage& page = t.pages.ShipData;
    page.lblEdtName->setText(DeviceText(ais.Name));
    page.lblEdtCallSign->setText(DeviceText(ais.CallSign));
    const long dims[4] = {ais.DimA, ais.DimB, ais.DimC, ais.DimD};
    if (std::strcmp(ais.Source, "AI") == 0) {
        for (int i = 0; i < 4; ++i)
            page.Internal()[i]->SetReplyValue(dims[i]);
    } else if (std::strcmp(ais.Source, "GP") == 0) {
        for (int i = 0; i < 4; ++i)
            page.External()[i]->SetReplyValue(dims[i]);
    }
    SnapshotShipData(ais, page, t.snapshot);
    ais.SsdReceived = 0;
}

void ShowVsdReply(ReplyTargets t) {
    AisStore& ais = t.codec.Ais;
    if (!ais.VsdReceived) return;
    VoyagePage& page = t.pages.Voyage;
    // A code the table lacks selects no row (not available) and shows "0".
    page.cbxShipType->setCurrentIndex(FindShipTypeRow(ais.ShipType));
    cbxShipTypeChange(page);

    char draught[16] = "0.0";
    if (DraughtShown(ais.Draught))
        std::snprintf(draught, sizeof draught, "%3.1f", static_cast<double>(ais.Draught));
    page.edtDraught->setText(QString::fromLatin1(draught));
    page.CSpinEditPOB->SetReplyValue(ais.PersonsOnBoard);
    page.lblEdtDestination->setText(DeviceText(ais.Destination));

    if (ais.EtaValid) {
        page.CSpinEditMonth->SetReplyValue(ais.TimeDate[5]);
        page.CSpinEditDay->SetReplyValue(ais.TimeDate[4]);
        page.CSpinEditHour->SetReplyValue(ais.TimeDate[0]);
        page.CSpinEditMinute->SetReplyValue(ais.TimeDate[1]);
        ais.EtaValid = 0;
    } else {
        page.CSpinEditMonth->SetReplyValue(1);
        page.CSpinEditDay->SetReplyValue(1);
        page.CSpinEditHour->SetReplyValue(0);
        page.CSpinEditMinute->SetReplyValue(0);
    }
    SetIndexIfValid(page.ComboBoxNavStatus, ais.NavStatus);
    SnapshotVoyage(ais, page, t.snapshot);
    ais.VsdReceived = 0;
}

void ShowTsvReply(ReplyTargets t) {
    ProprietaryStore& store = t.codec.Proprietary;
    TransceiverPage& page = t.pages.Transceiver;
    for (int i = 0; i < 4; ++i) {
        if (!store.DbgValid[i]) continue;
        if (store.DbgMode == kReplyMode) {
            const std::int32_t value = store.DbgParamValue[i];
            switch (store.DbgParamId[i]) {
                case kParamAisTx:
                    page.ComboBox_Tran_AisTx->setCurrentIndex(value == 0 ? 0 : 1);
                    break;
                case kParamDscRx:
                    page.ComboBox_Tran_DscRx->setCurrentIndex(value == 1 ? 0 : 1);
                    break;
                case kParamGpsAntennaVoltage:
                    page.ComboBoxGpsVoltage->setCurrentIndex(value == 0 ? 0 : 1);
                    break;
                default:
                    break;
            }
        }
        SnapshotTransceiver(page, t.snapshot);
        store.DbgValid[i] = 0;
    }
}

void ShowCpaReply(ReplyTargets t) {
    ProprietaryStore& store = t.codec.Proprietary;
    CpaPage& page = t.pages.Cpa;
    for (int i = 0; i < 4; ++i) {
        if (!store.DbgValid[i]) continue;
        if (store.DbgMode == kReplyMode) {
            const std::int32_t value = store.DbgParamValue[i];
            switch (store.DbgParamId[i]) {
                case kParamCpaDistance:
                    if (value >= 0 && value <= kCpaTenthsMax) {
                        char text[16];
                        std::snprintf(text, sizeof text, "%04.1f", value / 10.0);
                        page.MaskEditCPA->setText(QString::fromLatin1(text));
                    } else {
                        page.MaskEditCPA->clear();
                    }
                    break;
                case kParamTcpa:
                    page.CSpinEditTCPA->SetReplyValue(value);
                    break;
                case kParamCpaAlarm:
                    page.ComboBoxCpaAlarmType->setCurrentIndex(value != 0 ? 0 : 1);
                    break;
                default:
                    break;
            }
        }
        SnapshotCpa(page, t.snapshot);
        store.DbgValid[i] = 0;
    }
}

void ShowBauReply(ReplyTargets t) {
    ProprietaryStore& store = t.codec.Proprietary;
    if (!store.DbgValid[0]) return;
    BaudRatePage& page = t.pages.BaudRate;
    if (store.DbgMode == kReplyMode) {
        const BaudSelection at = BaudReplySelection(store.DbgParamId[0], store.DbgParamValue[0]);
        if (at.Box >= 0) page.Boxes[static_cast<std::size_t>(at.Box)]->setCurrentIndex(at.Item);
    }
    SnapshotBaudRates(page, t.snapshot);
    store.DbgValid[0] = 0;
}

void ShowMblReply(ReplyTargets t) {
    ProprietaryStore& store = t.codec.Proprietary;
    if (store.DbgMode != kReplyMode || !store.MblReceived) return;
    if (store.LastMbl.Value == 999) {  // an empty list
        store.MblReceived = 0;
        return;
    }
    const int row = t.mobEntries + 1;
    QTableWidget* grid = t.pages.Mob.StringGrid_MOBList;
    if (row < grid->rowCount()) {
        char mmsi[16];
        std::snprintf(mmsi, sizeof mmsi, "%09u", static_cast<unsigned>(store.LastMbl.Value));
        grid->item(row, 1)->setText(QString::fromLatin1(mmsi));
        grid->item(row, 2)->setText(DeviceText(store.LastMbl.Text));
    }
    if (t.mobEntries < kMobRows) ++t.mobEntries;
    store.MblReceived = 0;
}

void ShowDesReply(ReplyTargets t) {
    ProprietaryStore& store = t.codec.Proprietary;
    if (store.DbgMode != kReplyMode || !store.DesReceived) return;
    const std::uint32_t row = store.LastDes.Value;
    if (row >= 1 && row <= static_cast<std::uint32_t>(kDestinationRows))
        t.pages.Destination.StringGrid_Destination->item(static_cast<int>(row), 1)
            ->setText(DeviceText(store.LastDes.Text));
    store.DesReceived = 0;
}

void ShowClrReply(ReplyTargets t) {
    ProprietaryStore& store = t.codec.Proprietary;
    if (!store.ClrReceived) return;
    LongRangePage& page = t.pages.LongRange;
    page.ComboBox_LR_Response->setCurrentIndex(store.ClrResponse == 0 ? 0 : 1);
    page.CheckBox_LR_Msg27->setChecked(store.ClrMessage27 != 0);
    // A channel number longer than the field (or negative) is not available.
    const auto channel = [](QLineEdit* edit, std::int16_t number) {
        const QString text = QString::number(number);
        edit->setText(number >= 0 && text.size() <= kChannelLength ? text : QString());
    };
    channel(page.LabeledEdit_LR_ChA, store.ClrChannelA);
    channel(page.LabeledEdit_LR_ChB, store.ClrChannelB);
    for (std::size_t i = 0; i < page.FunctionReply.size(); ++i)
        page.FunctionReply[i]->setChecked(store.ClrFunctionReply[i] != 0);
    SnapshotLongRange(store, page, t.snapshot);
    store.ClrReceived = 0;
}

}  // namespace navoro
