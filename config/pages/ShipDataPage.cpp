#include "config/pages/ShipDataPage.h"

#include <QPalette>
#include <QVBoxLayout>

#include "config/InlandDimensions.h"
#include "config/ShipDimensionDiagram.h"
#include "config/WriteRules.h"

namespace navoro {

namespace {

QString NineDigits(const std::optional<std::uint32_t>& value) {
    if (!value) return {};
    return QStringLiteral("%1").arg(*value, 9, 10, QChar('0'));
}

std::optional<std::uint32_t> NineDigitsOf(const QLineEdit* edit) {
    const std::optional<std::int64_t> value = DigitsValue(TextOf(edit));
    if (!value || *value > kNineDigitsNotAvailable) return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

// A decimal field's value in tenths; nothing where it shows no number
// ("xxx.x", empty).
std::optional<int> TenthsOf(const QLineEdit* field) {
    const std::string text = TextOf(field);
    if (!DecimalValue(text)) return std::nullopt;
    return ReadTenths(text);
}

void ShowTenths(QLineEdit* field, const std::optional<int>& tenths) {
    field->setText(tenths ? QString::fromStdString(FormatTenths(*tenths))
                          : QString::fromLatin1(kInlandInitialText));
}

}  // namespace

std::unique_ptr<TabView<ShipDataSettings>> ShipDataTab::MakeView(TabViewHost& host) {
    return std::make_unique<ShipDataPage>(host);
}

ShipDataPage::ShipDataPage(TabViewHost& host) {
    QWidget* page = host.Sheet;
    QGridLayout* grid = GridOn(page);

    LabelMMSI = MakeLabel(page, "LabelMMSI", "MMSI");
    MaskEditMMSI = MakeDigitsEdit(page, "MaskEditMMSI", 9, "000000000");
    LabelIMO = MakeLabel(page, "LabelIMO", "IMO");
    MaskEditIMO = MakeDigitsEdit(page, "MaskEditIMO", 9, "000000000");
    lblEdtName = MakeUpperEdit(page, "lblEdtName", ShipDataTab::kNameMax);
    lblEdtCallSign = MakeUpperEdit(page, "lblEdtCallSign", ShipDataTab::kCallSignMax);
    grid->addWidget(LabelMMSI, 0, 0);
    grid->addWidget(MaskEditMMSI, 0, 1);
    grid->addWidget(LabelIMO, 0, 2);
    grid->addWidget(MaskEditIMO, 0, 3);
    grid->addWidget(AttachLabel(page, lblEdtName, "NAME "), 1, 0);
    grid->addWidget(lblEdtName, 1, 1);
    grid->addWidget(AttachLabel(page, lblEdtCallSign, "CALL SIGN "), 1, 2);
    grid->addWidget(lblEdtCallSign, 1, 3);

    GroupBoxDimension = MakeControl<QGroupBox>(page, "GroupBoxDimension");
    GroupBoxDimension->setTitle(QStringLiteral("Dimension / Ref. for Position (m)"));
    QWidget* box = GroupBoxDimension;
    auto* dims = new QGridLayout(box);
    dims->setHorizontalSpacing(10);
    dims->setVerticalSpacing(6);
    LabelDimensions = MakeLabel(box, "LabelDimensions", "DIMENSION:");
    LabelDimensions->setAlignment(Qt::AlignCenter);
    LabelDimensions->setWordWrap(true);
    Label13 = MakeLabel(box, "Label13", "A");
    Label14 = MakeLabel(box, "Label14", "B");
    Label15 = MakeLabel(box, "Label15", "C");
    Label16 = MakeLabel(box, "Label16", "D");
    QLabel* columns[] = {Label13, Label14, Label15, Label16};
    const WholeRange ranges[] = {ShipDataTab::kAb, ShipDataTab::kAb, ShipDataTab::kCd,
                                 ShipDataTab::kCd};
    for (int i = 0; i < 4; ++i) {
        columns[i]->setAlignment(Qt::AlignCenter);
        dims->addWidget(columns[i], 0, i + 1);
        auto* range =
            new QLabel(QStringLiteral("(%1~%2m)").arg(ranges[i].Min).arg(ranges[i].Max), box);
        range->setObjectName(QStringLiteral("LabelRange%1").arg(QChar('A' + i)));
        range->setAlignment(Qt::AlignCenter);
        dims->addWidget(range, 1, i + 1);
    }
    LabelInt = MakeLabel(box, "LabelInt", "Internal");
    LabelExt = MakeLabel(box, "LabelExt", "External");
    dims->addWidget(LabelInt, 2, 0);
    dims->addWidget(LabelExt, 3, 0);
    CSpinEditA = MakeSpin(box, kInternalControls[0], ShipDataTab::kAb);
    CSpinEditB = MakeSpin(box, kInternalControls[1], ShipDataTab::kAb);
    CSpinEditC = MakeSpin(box, kInternalControls[2], ShipDataTab::kCd);
    CSpinEditD = MakeSpin(box, kInternalControls[3], ShipDataTab::kCd);
    CSpinEditExtA = MakeSpin(box, kExternalControls[0], ShipDataTab::kAb);
    CSpinEditExtB = MakeSpin(box, kExternalControls[1], ShipDataTab::kAb);
    CSpinEditExtC = MakeSpin(box, kExternalControls[2], ShipDataTab::kCd);
    CSpinEditExtD = MakeSpin(box, kExternalControls[3], ShipDataTab::kCd);
    const auto inland = [box](const char* name) {
        return MakeEdit(box, name, kInlandFieldLength, kInlandInitialText);
    };
    CSpin_InlandEditA = inland("CSpin_InlandEditA");
    CSpin_InlandEditB = inland("CSpin_InlandEditB");
    CSpin_InlandEditC = inland("CSpin_InlandEditC");
    CSpin_InlandEditD = inland("CSpin_InlandEditD");
    CSpinEditInlandExtA = inland("CSpinEditInlandExtA");
    CSpinEditInlandExtB = inland("CSpinEditInlandExtB");
    CSpinEditInlandExtC = inland("CSpinEditInlandExtC");
    CSpinEditInlandExtD = inland("CSpinEditInlandExtD");
    // The decimal fields share the spin boxes' cells: inland mode shows one
    // set in place of the other.
    for (int i = 0; i < 4; ++i) {
        dims->addWidget(Internal()[i], 2, i + 1);
        dims->addWidget(InlandInternal()[i], 2, i + 1);
        dims->addWidget(External()[i], 3, i + 1);
        dims->addWidget(InlandExternal()[i], 3, i + 1);
    }
    LabelShipLength = MakeLabel(box, "LabelShipLength", "Ship Length");
    EditInlandShipLength = inland("EditInlandShipLength");
    LabelShipBeam = MakeLabel(box, "LabelShipBeam", "Ship Beam");
    EditInlandShipBeam = inland("EditInlandShipBeam");
    LabelShipLength->setBuddy(EditInlandShipLength);
    LabelShipBeam->setBuddy(EditInlandShipBeam);
    dims->addWidget(LabelShipLength, 4, 0);
    dims->addWidget(EditInlandShipLength, 4, 1);
    dims->addWidget(LabelShipBeam, 4, 2, Qt::AlignRight);
    dims->addWidget(EditInlandShipBeam, 4, 3);
    for (int c = 1; c <= 4; ++c)
        dims->setColumnStretch(c, 1);
    // The caption and a picture of what A, B, C and D measure.
    auto* diagram = new ShipDimensionDiagram(box);
    diagram->setObjectName(QStringLiteral("ShipDimensionDiagram"));
    auto* picture = new QVBoxLayout;
    picture->setSpacing(2);
    picture->addWidget(LabelDimensions);
    picture->addWidget(diagram, 1);
    dims->setColumnMinimumWidth(5, 12);
    dims->addLayout(picture, 0, 6, 6, 1);
    dims->setRowStretch(5, 1);
    LabelDimensions->setMaximumWidth(150);
    grid->addWidget(GroupBoxDimension, 2, 0, 1, 4);

    lblFirmVer = MakeLabel(page, "lblFirmVer", "Firmware Version:");
    lblFirmVer->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(lblFirmVer, 3, 0, 1, 4);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    MemoRecord = MakeControl<QPlainTextEdit>(page, "MemoRecord");
    MemoRecord->setReadOnly(true);
    MemoRecord->hide();
    SpeedButtonSHIPData_Config = MakeWriteButton(page, "SpeedButtonSHIPData_Config", host);

    for (QLineEdit* field : InlandFields()) {
        QObject::connect(field, &QLineEdit::textEdited, field,
                         [this, field] { InlandKeyTyped(field); });
    }
    // The length or beam being typed is not raised under the user's fingers;
    // that waits until the field is left.
    for (QLineEdit* size : {EditInlandShipLength, EditInlandShipBeam})
        QObject::connect(size, &QLineEdit::editingFinished, size,
                         [this] { RecalcInlandDimensions(); });
    SetInlandMode(false);
}

void ShipDataPage::Show(const ShipDataSettings& r, FieldSet fields) {
    if (fields & ShipDataTab::kMmsi) MaskEditMMSI->setText(NineDigits(r.Mmsi));
    if (fields & ShipDataTab::kImo) MaskEditIMO->setText(NineDigits(r.Imo));
    if (fields & ShipDataTab::kName) SetText(lblEdtName, r.Name);
    if (fields & ShipDataTab::kCallSign) SetText(lblEdtCallSign, r.CallSign);
    for (std::size_t i = 0; i < 4; ++i) {
        if (fields & ShipDataTab::kInternal) ShowSpin(Internal()[i], r.Internal[i]);
        if (fields & ShipDataTab::kExternal) ShowSpin(External()[i], r.External[i]);
    }
    if (fields & ShipDataTab::kDte) dte_ = r.Dte;
    // The information dump only ever switches inland mode on.
    if ((fields & ShipDataTab::kInlandMode) && r.Inland) SetInlandMode(true);
    if (fields & ShipDataTab::kInland) {
        const auto entered = InlandEntered();
        for (std::size_t i = 0; i < entered.size(); ++i)
            ShowTenths(entered[i], r.InlandTenths[i]);
        RecalcInlandDimensions();
    }
}

void ShipDataPage::Load(const ShipDataSettings& r) {
    // Whether the inland fields are shown and written stays the device's mode.
    Show(r, ShipDataTab::kAll &
                ~(ShipDataTab::kInlandMode | ShipDataTab::kDte | ShipDataTab::kInland));
    if (!r.Inland) return;
    // A file's values as it holds them; one it leaves out stays blank.
    const auto entered = InlandEntered();
    for (std::size_t i = 0; i < entered.size(); ++i)
        entered[i]->setText(
            r.InlandTenths[i] ? QString::fromStdString(TenthsText(*r.InlandTenths[i])) : QString());
    RecalcInlandDimensions();
}

std::variant<ShipDataSettings, RuleProblem> ShipDataPage::Read() {
    ShipDataSettings r;
    r.Mmsi = NineDigitsOf(MaskEditMMSI);
    r.Imo = NineDigitsOf(MaskEditIMO);
    r.Name = TextOf(lblEdtName);
    r.CallSign = TextOf(lblEdtCallSign);
    for (std::size_t i = 0; i < 4; ++i) {
        r.Internal[i] = SpinOf(Internal()[i]);
        r.External[i] = SpinOf(External()[i]);
    }
    r.Dte = dte_;
    r.Inland = inland_;
    const auto entered = InlandEntered();
    for (std::size_t i = 0; i < entered.size(); ++i)
        r.InlandTenths[i] = TenthsOf(entered[i]);
    return r;
}

void ShipDataPage::SetInlandMode(bool on) {
    inland_ = on;
    for (int i = 0; i < 4; ++i) {
        InlandInternal()[i]->setVisible(on);
        InlandExternal()[i]->setVisible(on);
    }
    for (QLineEdit* computed :
         {CSpin_InlandEditA, CSpin_InlandEditD, CSpinEditInlandExtA, CSpinEditInlandExtD})
        computed->setEnabled(!on);
    const QPalette normal = GroupBoxDimension->palette();
    for (QLabel* column : {Label13, Label16}) {
        QPalette palette = normal;
        palette.setColor(QPalette::WindowText,
                         on ? normal.color(QPalette::Disabled, QPalette::WindowText)
                            : normal.color(QPalette::Active, QPalette::WindowText));
        column->setPalette(palette);
    }
    for (int i = 0; i < 4; ++i) {
        Internal()[i]->setVisible(!on);
        External()[i]->setVisible(!on);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{LabelShipLength, LabelShipBeam,
                                                      EditInlandShipLength, EditInlandShipBeam})
        w->setVisible(on);
}

void ShipDataPage::RecalcInland(const QLineEdit* editing) {
    const InlandInputs in{TenthsOf(EditInlandShipLength), TenthsOf(EditInlandShipBeam),
                          TenthsOf(CSpin_InlandEditB),    TenthsOf(CSpin_InlandEditC),
                          TenthsOf(CSpinEditInlandExtB),  TenthsOf(CSpinEditInlandExtC)};
    const InlandDerived out = navoro::RecalcInlandDimensions(in);
    const auto show = [](QLineEdit* field, const std::string& text) {
        field->setText(QString::fromStdString(text));
    };
    if (out.Length && editing != EditInlandShipLength) show(EditInlandShipLength, *out.Length);
    if (out.Beam && editing != EditInlandShipBeam) show(EditInlandShipBeam, *out.Beam);
    show(CSpin_InlandEditA, out.InternalA);
    show(CSpinEditInlandExtA, out.ExternalA);
    show(CSpin_InlandEditD, out.InternalD);
    show(CSpinEditInlandExtD, out.ExternalD);
}

void ShipDataPage::InlandKeyTyped(QLineEdit* field) {
    const auto filtered = InlandFieldAfterKey(field->text().toStdString(), field->cursorPosition());
    if (!filtered) return;
    const QString text = QString::fromStdString(filtered->Text);
    if (text != field->text()) field->setText(text);
    field->setCursorPosition(filtered->Caret);
    RecalcInland(field);
}

}  // namespace navoro
