#include "config/pages/BaudRatePage.h"

namespace navoro {

std::unique_ptr<TabView<BaudRateSettings>> BaudRateTab::MakeView(TabViewHost& host) {
    return std::make_unique<BaudRatePage>(host);
}

BaudRatePage::BaudRatePage(TabViewHost& host) {
    QWidget* page = host.Sheet;
    QGridLayout* grid = GridOn(page);
    for (std::size_t i = 0; i < kBaudBoxes.size(); ++i) {
        const BaudBox& box = kBaudBoxes[i];
        Labels[i] = MakeLabel(page, box.Label, box.Caption);
        Boxes[i] = MakeList(page, box.Name);
        const auto add = [&](const auto& rates) {
            for (const std::int32_t rate : rates)
                Boxes[i]->addItem(QString::number(rate));
        };
        if (box.Port == kUsbPort)
            add(kUsbPortRates);
        else
            add(kSerialPortRates);
        Boxes[i]->setCurrentIndex(0);
        // Two columns of four ports.
        const int row = static_cast<int>(i % 4);
        const int column = static_cast<int>(i / 4) * 3;
        grid->addWidget(Labels[i], row, column);
        grid->addWidget(Boxes[i], row, column + 1);
    }
    grid->setColumnMinimumWidth(2, 40);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(5, 1);
    cbxBaud_Pilot = Boxes[0];
    cbxBaud_Disp = Boxes[1];
    cbxBaud_LR = Boxes[2];
    cbxBaud_DGPS = Boxes[3];
    cbxBaud_Sen1 = Boxes[4];
    cbxBaud_Sen2 = Boxes[5];
    cbxBaud_Sen3 = Boxes[6];
    cbxBaud_USB = Boxes[7];
    spbBaudRate = MakeWriteButton(page, "spbBaudRate", host);
}

void BaudRatePage::Show(const BaudRateSettings& r, FieldSet fields) {
    for (std::size_t box = 0; box < Boxes.size(); ++box) {
        if (!(fields & (FieldSet{1} << box))) continue;
        const int item =
            r.Rates[box] ? BaudReplySelection(kBaudBoxes[box].Port, *r.Rates[box]).Item : -1;
        SelectIndex(Boxes[box], item);
    }
}

std::variant<BaudRateSettings, RuleProblem> BaudRatePage::Read() {
    BaudRateSettings r;
    for (std::size_t box = 0; box < Boxes.size(); ++box) {
        if (Boxes[box]->currentIndex() >= 0) r.Rates[box] = Boxes[box]->currentText().toInt();
    }
    return r;
}

}  // namespace navoro
