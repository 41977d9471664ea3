#include "config/ConfigPages.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QValidator>

#include "config/ConfigTables.h"
#include "config/InlandDimensions.h"
#include "config/ShipDimensionDiagram.h"

namespace navoro {

namespace {

// Turns whatever is typed into upper case, as the name, call-sign,
// destination and channel fields show their text.
class UpperCaseValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

template <class T>
T* Make(QWidget* parent, const char* name) {
    auto* widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text) {
    auto* label = Make<QLabel>(parent, name);
    label->setText(QString::fromLatin1(text));
    return label;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, int maxLength, const char* text = "") {
    auto* edit = Make<QLineEdit>(parent, name);
    edit->setMaxLength(maxLength);
    edit->setText(QString::fromLatin1(text));
    return edit;
}

QLineEdit* MakeUpperEdit(QWidget* parent, const char* name, int maxLength, const char* text = "") {
    QLineEdit* edit = MakeEdit(parent, name, maxLength, text);
    edit->setValidator(new UpperCaseValidator(edit));
    return edit;
}

QLineEdit* MakeDigitsEdit(QWidget* parent, const char* name, int digits, const char* text) {
    QLineEdit* edit = MakeEdit(parent, name, digits, text);
    const QRegularExpression pattern(QStringLiteral("[0-9]{0,%1}").arg(digits));
    edit->setValidator(new QRegularExpressionValidator(pattern, edit));
    return edit;
}

// The caption of a labelled edit: a label whose buddy is the edit.
QLabel* AttachLabel(QWidget* parent, QWidget* edit, const char* text) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(edit->objectName() + QStringLiteral("Label"));
    label->setBuddy(edit);
    return label;
}

SpinEdit* MakeSpin(QWidget* parent, const char* name, int maximum, int initial = 0) {
    auto* spin = new SpinEdit(maximum, parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setValue(initial);
    return spin;
}

// The per-tab write button: it exists, but is never shown.
QToolButton* MakeHiddenButton(QWidget* parent, const char* name) {
    auto* button = Make<QToolButton>(parent, name);
    button->setText(QStringLiteral("Config"));
    button->hide();
    return button;
}

QComboBox* MakeList(QWidget* parent, const char* name, int minimumWidth = 110) {
    auto* list = Make<QComboBox>(parent, name);
    list->setMinimumWidth(minimumWidth);
    return list;
}

QWidget* PageOf(QTabWidget* tabs, const char* name) {
    if (tabs) {
        if (auto* page = tabs->findChild<QWidget*>(QString::fromLatin1(name))) return page;
    }
    auto* page = new QWidget(tabs);
    page->setObjectName(QString::fromLatin1(name));
    page->hide();
    return page;
}

QGridLayout* GridOn(QWidget* page) {
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(18, 14, 18, 10);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    return grid;
}

// The grids: row 0 holds the headings, column 0 the row numbers; both are
// fixed (not editable, shaded) like the fixed rows of a string grid.
QTableWidget* MakeGrid(QWidget* parent, const char* name, int columns, int rows,
                       const std::initializer_list<int>& widths) {
    auto* grid = Make<QTableWidget>(parent, name);
    grid->setColumnCount(columns);
    grid->setRowCount(rows);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(22);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    int column = 0;
    for (const int width : widths)
        grid->setColumnWidth(column++, width);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QBrush fixed(QColor(0xE3, 0xE9, 0xF1));
    for (int row = 0; row < rows; ++row) {
        for (int c = 0; c < columns; ++c) {
            auto* item = new QTableWidgetItem;
            if (row == 0 || c == 0) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(fixed);
                item->setTextAlignment(Qt::AlignCenter);
            }
            grid->setItem(row, c, item);
        }
    }
    // Wide enough for its columns and a vertical scroll bar, as tall as its
    // rows or the page allows.
    int width = 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < columns; ++c)
        width += grid->columnWidth(c);
    grid->setFixedWidth(width);
    grid->setMaximumHeight(2 * grid->frameWidth() +
                           rows * grid->verticalHeader()->defaultSectionSize());
    return grid;
}

ShipDataPage BuildShipData(QWidget* page) {
    ShipDataPage p{};
    QGridLayout* grid = GridOn(page);

    p.LabelMMSI = MakeLabel(page, "LabelMMSI", "MMSI");
    p.MaskEditMMSI = MakeDigitsEdit(page, "MaskEditMMSI", 9, "000000000");
    p.LabelIMO = MakeLabel(page, "LabelIMO", "IMO");
    p.MaskEditIMO = MakeDigitsEdit(page, "MaskEditIMO", 9, "000000000");
    p.lblEdtName = MakeUpperEdit(page, "lblEdtName", 20);
    p.lblEdtCallSign = MakeUpperEdit(page, "lblEdtCallSign", 7);
    grid->addWidget(p.LabelMMSI, 0, 0);
    grid->addWidget(p.MaskEditMMSI, 0, 1);
    grid->addWidget(p.LabelIMO, 0, 2);
    grid->addWidget(p.MaskEditIMO, 0, 3);
    grid->addWidget(AttachLabel(page, p.lblEdtName, "NAME "), 1, 0);
    grid->addWidget(p.lblEdtName, 1, 1);
    grid->addWidget(AttachLabel(page, p.lblEdtCallSign, "CALL SIGN "), 1, 2);
    grid->addWidget(p.lblEdtCallSign, 1, 3);

    p.GroupBoxDimension = Make<QGroupBox>(page, "GroupBoxDimension");
    p.GroupBoxDimension->setTitle(QStringLiteral("Dimension / Ref. for Position (m)"));
    QWidget* box = p.GroupBoxDimension;
    auto* dims = new QGridLayout(box);
    dims->setHorizontalSpacing(10);
    dims->setVerticalSpacing(6);
    p.LabelDimensions = MakeLabel(box, "LabelDimensions", "DIMENSION:");
    p.LabelDimensions->setAlignment(Qt::AlignCenter);
    p.LabelDimensions->setWordWrap(true);
    p.Label13 = MakeLabel(box, "Label13", "A");
    p.Label14 = MakeLabel(box, "Label14", "B");
    p.Label15 = MakeLabel(box, "Label15", "C");
    p.Label16 = MakeLabel(box, "Label16", "D");
    QLabel* columns[] = {p.Label13, p.Label14, p.Label15, p.Label16};
    const char* ranges[] = {"(0~511m)", "(0~511m)", "(0~63m)", "(0~63m)"};
    for (int i = 0; i < 4; ++i) {
        columns[i]->setAlignment(Qt::AlignCenter);
        dims->addWidget(columns[i], 0, i + 1);
        auto* range = new QLabel(QString::fromLatin1(ranges[i]), box);
        range->setObjectName(QStringLiteral("LabelRange%1").arg(QChar('A' + i)));
        range->setAlignment(Qt::AlignCenter);
        dims->addWidget(range, 1, i + 1);
    }
    p.LabelInt = MakeLabel(box, "LabelInt", "Internal");
    p.LabelExt = MakeLabel(box, "LabelExt", "External");
    dims->addWidget(p.LabelInt, 2, 0);
    dims->addWidget(p.LabelExt, 3, 0);
    p.CSpinEditA = MakeSpin(box, "CSpinEditA", 511);
    p.CSpinEditB = MakeSpin(box, "CSpinEditB", 511);
    p.CSpinEditC = MakeSpin(box, "CSpinEditC", 63);
    p.CSpinEditD = MakeSpin(box, "CSpinEditD", 63);
    p.CSpinEditExtA = MakeSpin(box, "CSpinEditExtA", 511);
    p.CSpinEditExtB = MakeSpin(box, "CSpinEditExtB", 511);
    p.CSpinEditExtC = MakeSpin(box, "CSpinEditExtC", 63);
    p.CSpinEditExtD = MakeSpin(box, "CSpinEditExtD", 63);
    const auto inland = [box](const char* name) {
        return MakeEdit(box, name, kInlandFieldLength, kInlandInitialText);
    };
    p.CSpin_InlandEditA = inland("CSpin_InlandEditA");
    p.CSpin_InlandEditB = inland("CSpin_InlandEditB");
    p.CSpin_InlandEditC = inland("CSpin_InlandEditC");
    p.CSpin_InlandEditD = inland("CSpin_InlandEditD");
    p.CSpinEditInlandExtA = inland("CSpinEditInlandExtA");
    p.CSpinEditInlandExtB = inland("CSpinEditInlandExtB");
    p.CSpinEditInlandExtC = inland("CSpinEditInlandExtC");
    p.CSpinEditInlandExtD = inland("CSpinEditInlandExtD");
    // The decimal fields share the spin boxes' cells: inland mode shows one
    // set in place of the other.
    for (int i = 0; i < 4; ++i) {
        dims->addWidget(p.Internal()[i], 2, i + 1);
        dims->addWidget(p.InlandInternal()[i], 2, i + 1);
        dims->addWidget(p.External()[i], 3, i + 1);
        dims->addWidget(p.InlandExternal()[i], 3, i + 1);
    }
    p.LabelShipLength = MakeLabel(box, "LabelShipLength", "Ship Length");
    p.EditInlandShipLength = inland("EditInlandShipLength");
    p.LabelShipBeam = MakeLabel(box, "LabelShipBeam", "Ship Beam");
    p.EditInlandShipBeam = inland("EditInlandShipBeam");
    p.LabelShipLength->setBuddy(p.EditInlandShipLength);
    p.LabelShipBeam->setBuddy(p.EditInlandShipBeam);
    dims->addWidget(p.LabelShipLength, 4, 0);
    dims->addWidget(p.EditInlandShipLength, 4, 1);
    dims->addWidget(p.LabelShipBeam, 4, 2, Qt::AlignRight);
    dims->addWidget(p.EditInlandShipBeam, 4, 3);
    for (int c = 1; c <= 4; ++c)
        dims->setColumnStretch(c, 1);
    // The caption and a picture of what A, B, C and D measure.
    auto* diagram = new ShipDimensionDiagram(box);
    diagram->setObjectName(QStringLiteral("ShipDimensionDiagram"));
    auto* picture = new QVBoxLayout;
    picture->setSpacing(2);
    picture->addWidget(p.LabelDimensions);
    picture->addWidget(diagram, 1);
    dims->setColumnMinimumWidth(5, 12);
    dims->addLayout(picture, 0, 6, 6, 1);
    dims->setRowStretch(5, 1);
    p.LabelDimensions->setMaximumWidth(150);
    grid->addWidget(p.GroupBoxDimension, 2, 0, 1, 4);

    p.lblFirmVer = MakeLabel(page, "lblFirmVer", "Firmware Version:");
    p.lblFirmVer->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(p.lblFirmVer, 3, 0, 1, 4);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    p.MemoRecord = Make<QPlainTextEdit>(page, "MemoRecord");
    p.MemoRecord->setReadOnly(true);
    p.MemoRecord->hide();
    p.SpeedButtonSHIPData_Config = MakeHiddenButton(page, "SpeedButtonSHIPData_Config");
    return p;
}

VoyagePage BuildVoyage(QWidget* page) {
    VoyagePage p{};
    QGridLayout* grid = GridOn(page);
    int row = 0;

    p.LabelShipType = MakeLabel(page, "LabelShipType", "SHIP TYPE");
    p.cbxShipType = MakeList(page, "cbxShipType", 330);
    p.cbxShipType->setMaxVisibleItems(22);
    p.stShipCargoType = MakeLabel(page, "stShipCargoType", "");
    p.stShipCargoType->setMinimumWidth(36);
    p.stShipCargoType->setFrameShape(QFrame::StyledPanel);
    p.stShipCargoType->setAlignment(Qt::AlignCenter);
    grid->addWidget(p.LabelShipType, row, 0);
    grid->addWidget(p.cbxShipType, row, 1, 1, 3);
    grid->addWidget(p.stShipCargoType, row++, 4);

    p.LabelVoyDraught = MakeLabel(page, "LabelVoyDraught", "DRAUGHT");
    p.edtDraught = MakeEdit(page, "edtDraught", 4, "0");
    p.LabelDraughtText = MakeLabel(page, "LabelDraughtText", "(0 = not avaliable ~ 25.5 m) ");
    grid->addWidget(p.LabelVoyDraught, row, 0);
    grid->addWidget(p.edtDraught, row, 1);
    grid->addWidget(p.LabelDraughtText, row++, 2, 1, 3);

    p.LabelVoyPOB = MakeLabel(page, "LabelVoyPOB", "POB");
    p.CSpinEditPOB = MakeSpin(page, "CSpinEditPOB", 8191, 1);
    p.LabelPOBText = MakeLabel(page, "LabelPOBText", "(0 = not avaliable ~ 8191) ");
    grid->addWidget(p.LabelVoyPOB, row, 0);
    grid->addWidget(p.CSpinEditPOB, row, 1);
    grid->addWidget(p.LabelPOBText, row++, 2, 1, 3);

    p.lblEdtDestination = MakeUpperEdit(page, "lblEdtDestination", 20);
    grid->addWidget(AttachLabel(page, p.lblEdtDestination, "DESTINATION"), row, 0);
    grid->addWidget(p.lblEdtDestination, row++, 1, 1, 3);

    // ETA: month / day  hour : minute
    p.LabelVoyETA = MakeLabel(page, "LabelVoyETA", "ETA");
    p.CSpinEditMonth = MakeSpin(page, "CSpinEditMonth", 12, 1);
    p.CSpinEditDay = MakeSpin(page, "CSpinEditDay", 31, 17);
    p.CSpinEditHour = MakeSpin(page, "CSpinEditHour", 24, 0);
    p.CSpinEditMinute = MakeSpin(page, "CSpinEditMinute", 60, 0);
    auto* eta = new QHBoxLayout;
    eta->setSpacing(4);
    const auto separator = [page](const char* name, const char* text) {
        return MakeLabel(page, name, text);
    };
    eta->addWidget(p.CSpinEditMonth);
    eta->addWidget(separator("LabelEtaMonthDay", "/"));
    eta->addWidget(p.CSpinEditDay);
    eta->addSpacing(14);
    eta->addWidget(p.CSpinEditHour);
    eta->addWidget(separator("LabelEtaHourMinute", ":"));
    eta->addWidget(p.CSpinEditMinute);
    eta->addSpacing(10);
    eta->addWidget(separator("LabelEtaFormat", "(MM/DD hh:mm UTC)"));
    eta->addStretch(1);
    grid->addWidget(p.LabelVoyETA, row, 0);
    grid->addLayout(eta, row++, 1, 1, 4);

    p.LabelNavStatus = MakeLabel(page, "LabelNavStatus", "NAV. STATUS");
    p.ComboBoxNavStatus = MakeList(page, "ComboBoxNavStatus", 330);
    for (const char* text : kNavStatusTexts)
        p.ComboBoxNavStatus->addItem(QString::fromLatin1(text));
    p.ComboBoxNavStatus->setMaxVisibleItems(16);
    p.ComboBoxNavStatus->setPlaceholderText(QString::fromLatin1(kNavStatusTexts[15]));
    p.ComboBoxNavStatus->setCurrentIndex(-1);
    grid->addWidget(p.LabelNavStatus, row, 0);
    grid->addWidget(p.ComboBoxNavStatus, row++, 1, 1, 3);

    grid->setRowStretch(row, 1);
    grid->setColumnStretch(3, 1);
    p.SpeedButtonVoyage_Config = MakeHiddenButton(page, "SpeedButtonVoyage_Config");
    return p;
}

CpaPage BuildCpa(QWidget* page) {
    CpaPage p{};
    QGridLayout* grid = GridOn(page);
    p.lblCPA = MakeLabel(page, "lblCPA", "CPA (nm)");
    p.MaskEditCPA = Make<QLineEdit>(page, "MaskEditCPA");
    // A required digit, an optional digit, the point, an optional digit.
    p.MaskEditCPA->setInputMask(QStringLiteral("90.0; "));
    p.MaskEditCPA->setMaximumWidth(90);
    p.lblTCPA = MakeLabel(page, "lblTCPA", "TCPA (min) ");
    p.CSpinEditTCPA = MakeSpin(page, "CSpinEditTCPA", 99);
    p.CSpinEditTCPA->setMaximumWidth(90);
    p.lblCpaAlarmType = MakeLabel(page, "lblCpaAlarmType", "Alarm");
    p.ComboBoxCpaAlarmType = MakeList(page, "ComboBoxCpaAlarmType", 90);
    p.ComboBoxCpaAlarmType->setMaximumWidth(90);
    grid->addWidget(p.lblCPA, 0, 0);
    grid->addWidget(p.MaskEditCPA, 0, 1);
    grid->addWidget(p.lblTCPA, 1, 0);
    grid->addWidget(p.CSpinEditTCPA, 1, 1);
    grid->addWidget(p.lblCpaAlarmType, 2, 0);
    grid->addWidget(p.ComboBoxCpaAlarmType, 2, 1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(2, 1);
    p.spbCPA = MakeHiddenButton(page, "spbCPA");
    return p;
}

TransceiverPage BuildTransceiver(QWidget* page) {
    TransceiverPage p{};
    QGridLayout* grid = GridOn(page);
    p.LabelAISTx = MakeLabel(page, "LabelAISTx", "AIS TX");
    p.ComboBox_Tran_AisTx = MakeList(page, "ComboBox_Tran_AisTx");
    p.LabelDSCRx = MakeLabel(page, "LabelDSCRx", "DSC RX");
    p.ComboBox_Tran_DscRx = MakeList(page, "ComboBox_Tran_DscRx");
    p.LabelTran_GPSVol = MakeLabel(page, "LabelTran_GPSVol", "GPS ANTENNA VOLTAGE");
    p.ComboBoxGpsVoltage = MakeList(page, "ComboBoxGpsVoltage");
    p.Edit_N2K_DeviceInstance = MakeEdit(page, "Edit_N2K_DeviceInstance", 3, "0");
    p.Edit_N2K_DeviceInstance->setMaximumWidth(110);
    grid->addWidget(p.LabelAISTx, 0, 0);
    grid->addWidget(p.ComboBox_Tran_AisTx, 0, 1);
    grid->addWidget(p.LabelDSCRx, 1, 0);
    grid->addWidget(p.ComboBox_Tran_DscRx, 1, 1);
    grid->addWidget(p.LabelTran_GPSVol, 2, 0);
    grid->addWidget(p.ComboBoxGpsVoltage, 2, 1);
    grid->addWidget(AttachLabel(page, p.Edit_N2K_DeviceInstance, "NMEA 2000 Device Instance"), 3,
                    0);
    grid->addWidget(p.Edit_N2K_DeviceInstance, 3, 1);
    grid->addWidget(MakeLabel(page, "LabelDeviceInstanceRange", "(0~252)"), 3, 2);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(3, 1);
    p.spbTransponder = MakeHiddenButton(page, "spbTransponder");
    return p;
}

BaudRatePage BuildBaudRate(QWidget* page) {
    BaudRatePage p{};
    QGridLayout* grid = GridOn(page);
    for (std::size_t i = 0; i < kBaudBoxes.size(); ++i) {
        const BaudBox& box = kBaudBoxes[i];
        p.Labels[i] = MakeLabel(page, box.Label, box.Caption);
        p.Boxes[i] = MakeList(page, box.Name);
        if (box.Port == kUsbPort) {
            for (const std::int32_t rate : kUsbPortRates)
                p.Boxes[i]->addItem(QString::number(rate));
        } else {
            for (const std::int32_t rate : kSerialPortRates)
                p.Boxes[i]->addItem(QString::number(rate));
        }
        p.Boxes[i]->setCurrentIndex(0);
        // Two columns of four ports.
        const int row = static_cast<int>(i % 4);
        const int column = static_cast<int>(i / 4) * 3;
        grid->addWidget(p.Labels[i], row, column);
        grid->addWidget(p.Boxes[i], row, column + 1);
    }
    grid->setColumnMinimumWidth(2, 40);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(5, 1);
    p.cbxBaud_Pilot = p.Boxes[0];
    p.cbxBaud_Disp = p.Boxes[1];
    p.cbxBaud_LR = p.Boxes[2];
    p.cbxBaud_DGPS = p.Boxes[3];
    p.cbxBaud_Sen1 = p.Boxes[4];
    p.cbxBaud_Sen2 = p.Boxes[5];
    p.cbxBaud_Sen3 = p.Boxes[6];
    p.cbxBaud_USB = p.Boxes[7];
    p.spbBaudRate = MakeHiddenButton(page, "spbBaudRate");
    return p;
}

LongRangePage BuildLongRange(QWidget* page) {
    LongRangePage p{};
    QGridLayout* grid = GridOn(page);
    grid->setVerticalSpacing(6);
    p.LabelLR_Response = MakeLabel(page, "LabelLR_Response", "RESPONSE");
    p.ComboBox_LR_Response = MakeList(page, "ComboBox_LR_Response");
    p.CheckBox_LR_Msg27 = Make<QCheckBox>(page, "CheckBox_LR_Msg27");
    p.CheckBox_LR_Msg27->setText(QStringLiteral("ENABLE MSG 27"));
    p.LabeledEdit_LR_ChA = MakeUpperEdit(page, "LabeledEdit_LR_ChA", 4, "2002");
    p.LabeledEdit_LR_ChB = MakeUpperEdit(page, "LabeledEdit_LR_ChB", 4, "2003");
    for (QLineEdit* channel : {p.LabeledEdit_LR_ChA, p.LabeledEdit_LR_ChB})
        channel->setMaximumWidth(110);

    auto* left = new QGridLayout;
    left->setVerticalSpacing(8);
    left->addWidget(p.LabelLR_Response, 0, 0);
    left->addWidget(p.ComboBox_LR_Response, 1, 0);
    left->addWidget(p.CheckBox_LR_Msg27, 2, 0);
    left->addWidget(AttachLabel(page, p.LabeledEdit_LR_ChA, "CH A CHANNEL"), 3, 0);
    left->addWidget(p.LabeledEdit_LR_ChA, 4, 0);
    left->addWidget(AttachLabel(page, p.LabeledEdit_LR_ChB, "CH B CHANNEL"), 5, 0);
    left->addWidget(p.LabeledEdit_LR_ChB, 6, 0);
    left->setRowStretch(7, 1);
    grid->addLayout(left, 0, 0);

    p.GroupBoxLR_FuReply = Make<QGroupBox>(page, "GroupBoxLR_FuReply");
    p.GroupBoxLR_FuReply->setTitle(QStringLiteral("Function Reply"));
    auto* items = new QVBoxLayout(p.GroupBoxLR_FuReply);
    items->setSpacing(2);
    for (std::size_t i = 0; i < kFunctionReplyItems.size(); ++i) {
        p.FunctionReply[i] = Make<QCheckBox>(p.GroupBoxLR_FuReply, kFunctionReplyItems[i].Name);
        p.FunctionReply[i]->setText(QString::fromLatin1(kFunctionReplyItems[i].Text));
        items->addWidget(p.FunctionReply[i]);
    }
    grid->addWidget(p.GroupBoxLR_FuReply, 0, 1);
    grid->setColumnStretch(1, 1);
    p.SpeedButton_LR_Config = MakeHiddenButton(page, "SpeedButton_LR_Config");
    return p;
}

void FillNumberColumn(QTableWidget* grid) {
    for (int row = 1; row < grid->rowCount(); ++row)
        grid->item(row, 0)->setText(QString::number(row));
}

DestinationPage BuildDestination(QWidget* page) {
    DestinationPage p{};
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(18, 10, 18, 10);
    p.StringGrid_Destination =
        MakeGrid(page, "StringGrid_Destination", 2, kDestinationRows + 1, {48, 260});
    FillNumberColumn(p.StringGrid_Destination);
    // All eleven rows at once: no scrolling.
    QTableWidget* grid = p.StringGrid_Destination;
    grid->setMinimumHeight(grid->maximumHeight());
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setFixedWidth(grid->width() - grid->verticalScrollBar()->sizeHint().width());
    layout->addWidget(p.StringGrid_Destination, 0, Qt::AlignLeft | Qt::AlignTop);
    p.SpeedButton_Destination = MakeHiddenButton(page, "SpeedButton_Destination");
    return p;
}

MobPage BuildMob(QWidget* page) {
    MobPage p{};
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(18, 10, 18, 10);
    p.StringGrid_MOBList = MakeGrid(page, "StringGrid_MOBList", 3, kMobRows + 1, {48, 130, 260});
    FillNumberColumn(p.StringGrid_MOBList);
    layout->addWidget(p.StringGrid_MOBList, 1, Qt::AlignLeft);
    p.SpeedButton_MOB = MakeHiddenButton(page, "SpeedButton_MOB");
    return p;
}

EncryptionPage BuildEncryption(QWidget* page) {
    EncryptionPage p{};
    QGridLayout* grid = GridOn(page);
    p.CheckBoxEnableEncryption = Make<QCheckBox>(page, "CheckBoxEnableEncryption");
    p.CheckBoxEnableEncryption->setText(QStringLiteral("Enable encryption"));
    p.LabeledEditEncryptionKey = MakeEdit(page, "LabeledEditEncryptionKey", 16);
    p.LabeledEditEncryptionKey->setMinimumWidth(220);
    grid->addWidget(p.CheckBoxEnableEncryption, 0, 0, 1, 2);
    grid->addWidget(AttachLabel(page, p.LabeledEditEncryptionKey, "Encryption code:"), 1, 0);
    grid->addWidget(p.LabeledEditEncryptionKey, 1, 1);
    grid->addWidget(MakeLabel(page, "LabelEncryptionKeyHint", "(up to 16 letters and digits)"), 2,
                    1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(2, 1);
    p.SpeedButtonEncryption = MakeHiddenButton(page, "SpeedButtonEncryption");
    return p;
}

}  // namespace

ConfigPages BuildConfigPages(QTabWidget* PageControlConf) {
    ConfigPages pages;
    pages.ShipData = BuildShipData(PageOf(PageControlConf, "TabSheetStatic"));
    pages.Voyage = BuildVoyage(PageOf(PageControlConf, "TabSheetVoyage"));
    pages.Cpa = BuildCpa(PageOf(PageControlConf, "TabSheetCPA"));
    pages.Transceiver = BuildTransceiver(PageOf(PageControlConf, "TabSheetTransceiver"));
    pages.BaudRate = BuildBaudRate(PageOf(PageControlConf, "TabSheetBaudRate"));
    pages.LongRange = BuildLongRange(PageOf(PageControlConf, "TabSheetLR"));
    pages.Destination = BuildDestination(PageOf(PageControlConf, "TabSheetDestination"));
    pages.Mob = BuildMob(PageOf(PageControlConf, "TabSheetMOB"));
    pages.Encryption = BuildEncryption(PageOf(PageControlConf, "TabSheetEncryption"));
    return pages;
}

}  // namespace navoro
