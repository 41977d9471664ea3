#include "config/pages/VoyagePage.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QRegularExpressionValidator>

#include "config/ConfigTables.h"
#include "config/WriteRules.h"

namespace navoro {

namespace {

// A box's value, with AIS's code for "not available" read as such.
std::optional<int> EtaOf(const SpinEdit* box, int notAvailable) {
    const std::optional<int> value = SpinOf(box);
    if (value && *value == notAvailable) return std::nullopt;
    return value;
}

// A number with more than one decimal ("9.15"): the draught has one.
bool TooManyDecimals(const std::string& text) {
    const std::size_t point = text.find('.');
    return point != std::string::npos && text.size() - point > 2 &&
           text.find_first_not_of("0123456789.") == std::string::npos &&
           text.find('.', point + 1) == std::string::npos;
}

}  // namespace

std::unique_ptr<TabView<VoyageSettings>> VoyageTab::MakeView(TabViewHost& host) {
    return std::make_unique<VoyagePage>(host);
}

VoyagePage::VoyagePage(TabViewHost& host) {
    QWidget* page = host.Sheet;
    QGridLayout* grid = GridOn(page);
    int row = 0;

    LabelShipType = MakeLabel(page, "LabelShipType", "SHIP TYPE");
    cbxShipType = MakeList(page, "cbxShipType", 330);
    cbxShipType->setMaxVisibleItems(static_cast<int>(kShipTypes.size()));
    for (const ShipTypeRow& type : kShipTypes)
        cbxShipType->addItem(QString::fromLatin1(type.Text));
    cbxShipType->setCurrentIndex(0);
    stShipCargoType = MakeLabel(page, "stShipCargoType", "");
    stShipCargoType->setMinimumWidth(36);
    stShipCargoType->setFrameShape(QFrame::StyledPanel);
    stShipCargoType->setAlignment(Qt::AlignCenter);
    grid->addWidget(LabelShipType, row, 0);
    grid->addWidget(cbxShipType, row, 1, 1, 3);
    grid->addWidget(stShipCargoType, row++, 4);

    LabelVoyDraught = MakeLabel(page, "LabelVoyDraught", "DRAUGHT");
    edtDraught = MakeEdit(page, "edtDraught", 4, "0");
    LabelDraughtText = MakeLabel(page, "LabelDraughtText", "(0 = not avaliable ~ 25.5 m) ");
    grid->addWidget(LabelVoyDraught, row, 0);
    grid->addWidget(edtDraught, row, 1);
    grid->addWidget(LabelDraughtText, row++, 2, 1, 3);

    LabelVoyPOB = MakeLabel(page, "LabelVoyPOB", "POB");
    CSpinEditPOB = MakeSpin(page, "CSpinEditPOB", VoyageTab::kPersons, 1);
    LabelPOBText = MakeLabel(page, "LabelPOBText", "(0 = not avaliable ~ 8191) ");
    grid->addWidget(LabelVoyPOB, row, 0);
    grid->addWidget(CSpinEditPOB, row, 1);
    grid->addWidget(LabelPOBText, row++, 2, 1, 3);

    lblEdtDestination = MakeUpperEdit(page, "lblEdtDestination", VoyageTab::kDestinationMax);
    grid->addWidget(AttachLabel(page, lblEdtDestination, "DESTINATION"), row, 0);
    grid->addWidget(lblEdtDestination, row++, 1, 1, 3);

    // ETA: month / day  hour : minute; each box reaches its not-available code.
    LabelVoyETA = MakeLabel(page, "LabelVoyETA", "ETA");
    CSpinEditMonth =
        MakeSpin(page, "CSpinEditMonth", {VoyageTab::kMonthNotAvailable, VoyageTab::kMonth.Max}, 1);
    CSpinEditDay =
        MakeSpin(page, "CSpinEditDay", {VoyageTab::kDayNotAvailable, VoyageTab::kDay.Max}, 17);
    CSpinEditHour =
        MakeSpin(page, "CSpinEditHour", {VoyageTab::kHour.Min, VoyageTab::kHourNotAvailable}, 0);
    CSpinEditMinute = MakeSpin(page, "CSpinEditMinute",
                               {VoyageTab::kMinute.Min, VoyageTab::kMinuteNotAvailable}, 0);
    auto* eta = new QHBoxLayout;
    eta->setSpacing(4);
    eta->addWidget(CSpinEditMonth);
    eta->addWidget(MakeLabel(page, "LabelEtaMonthDay", "/"));
    eta->addWidget(CSpinEditDay);
    eta->addSpacing(14);
    eta->addWidget(CSpinEditHour);
    eta->addWidget(MakeLabel(page, "LabelEtaHourMinute", ":"));
    eta->addWidget(CSpinEditMinute);
    eta->addSpacing(10);
    eta->addWidget(MakeLabel(page, "LabelEtaFormat", "(MM/DD hh:mm UTC)"));
    eta->addStretch(1);
    grid->addWidget(LabelVoyETA, row, 0);
    grid->addLayout(eta, row++, 1, 1, 4);

    LabelNavStatus = MakeLabel(page, "LabelNavStatus", "NAV. STATUS");
    ComboBoxNavStatus = MakeList(page, "ComboBoxNavStatus", 330);
    for (const char* text : kNavStatusTexts)
        ComboBoxNavStatus->addItem(QString::fromLatin1(text));
    ComboBoxNavStatus->setMaxVisibleItems(static_cast<int>(kNavStatusTexts.size()));
    ComboBoxNavStatus->setPlaceholderText(QString::fromLatin1(kNavStatusTexts.back()));
    ComboBoxNavStatus->setCurrentIndex(-1);
    grid->addWidget(LabelNavStatus, row, 0);
    grid->addWidget(ComboBoxNavStatus, row++, 1, 1, 3);

    grid->setRowStretch(row, 1);
    grid->setColumnStretch(3, 1);
    SpeedButtonVoyage_Config = MakeWriteButton(page, "SpeedButtonVoyage_Config", host);
    QObject::connect(cbxShipType, &QComboBox::currentIndexChanged, stShipCargoType,
                     [this] { ShowShipTypeCode(); });
    ShowShipTypeCode();
}

void VoyagePage::ShowShipTypeCode() {
    const int row = cbxShipType->currentIndex();
    const bool listed = row >= 0 && row < static_cast<int>(kShipTypes.size());
    stShipCargoType->setText(QString::number(listed ? kShipTypes[row].Code : 0));
}

void VoyagePage::Show(const VoyageSettings& r, FieldSet fields) {
    if (!(fields & VoyageTab::kVoyage)) return;
    // A ship type that is not available selects no row.
    SelectIndex(cbxShipType, r.ShipType ? FindShipTypeRow(*r.ShipType) : -1);
    ShowShipTypeCode();
    edtDraught->setText(r.DraughtTenths ? QString::fromStdString(TenthsText(*r.DraughtTenths))
                                        : QString());
    ShowSpin(CSpinEditPOB, r.PersonsOnBoard);
    SetText(lblEdtDestination, r.Destination);
    ShowSpin(CSpinEditMonth, r.EtaMonth);
    ShowSpin(CSpinEditDay, r.EtaDay);
    ShowSpin(CSpinEditHour, r.EtaHour);
    ShowSpin(CSpinEditMinute, r.EtaMinute);
    SelectIndex(ComboBoxNavStatus, r.NavStatus.value_or(-1));
}

std::variant<VoyageSettings, RuleProblem> VoyagePage::Read() {
    VoyageSettings r;
    const int row = cbxShipType->currentIndex();
    if (row >= static_cast<int>(kShipTypes.size()))
        return ControlProblem("voyage.shipType", "cbxShipType", MessageId::SelectShipType);
    if (row >= 0) r.ShipType = kShipTypes[static_cast<std::size_t>(row)].Code;
    // A blank draught is not available; any other text must be a number with
    // at most one decimal.
    const std::string draught = TextOf(edtDraught);
    if (draught.find_first_not_of(' ') != std::string::npos) {
        r.DraughtTenths = ExactTenths(draught);
        if (!r.DraughtTenths && TooManyDecimals(draught))
            return Broken("voyage.draught", "edtDraught", MessageId::OneDecimal, {draught});
        if (!r.DraughtTenths)
            return ControlProblem("voyage.draught", "edtDraught", MessageId::KeyInDraught);
    }
    r.PersonsOnBoard = SpinOf(CSpinEditPOB);
    r.Destination = TextOf(lblEdtDestination);
    r.EtaMonth = EtaOf(CSpinEditMonth, VoyageTab::kMonthNotAvailable);
    r.EtaDay = EtaOf(CSpinEditDay, VoyageTab::kDayNotAvailable);
    r.EtaHour = EtaOf(CSpinEditHour, VoyageTab::kHourNotAvailable);
    r.EtaMinute = EtaOf(CSpinEditMinute, VoyageTab::kMinuteNotAvailable);
    const int status = ComboBoxNavStatus->currentIndex();
    if (status >= 0) r.NavStatus = status;
    return r;
}

}  // namespace navoro
