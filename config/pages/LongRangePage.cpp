#include "config/pages/LongRangePage.h"

#include <QVBoxLayout>

#include "config/WriteRules.h"

namespace navoro {

std::unique_ptr<TabView<LongRangeSettings>> LongRangeTab::MakeView(TabViewHost& host) {
    return std::make_unique<LongRangePage>(host);
}

LongRangePage::LongRangePage(TabViewHost& host) {
    QWidget* page = host.Sheet;
    QGridLayout* grid = GridOn(page);
    grid->setVerticalSpacing(6);
    LabelLR_Response = MakeLabel(page, "LabelLR_Response", "RESPONSE");
    ComboBox_LR_Response = MakeList(page, "ComboBox_LR_Response");
    CheckBox_LR_Msg27 = MakeControl<QCheckBox>(page, "CheckBox_LR_Msg27");
    CheckBox_LR_Msg27->setText(QStringLiteral("ENABLE MSG 27"));
    LabeledEdit_LR_ChA = MakeUpperEdit(page, "LabeledEdit_LR_ChA", 4, "2002");
    LabeledEdit_LR_ChB = MakeUpperEdit(page, "LabeledEdit_LR_ChB", 4, "2003");
    for (QLineEdit* channel : {LabeledEdit_LR_ChA, LabeledEdit_LR_ChB})
        channel->setMaximumWidth(110);

    auto* left = new QGridLayout;
    left->setVerticalSpacing(8);
    left->addWidget(LabelLR_Response, 0, 0);
    left->addWidget(ComboBox_LR_Response, 1, 0);
    left->addWidget(CheckBox_LR_Msg27, 2, 0);
    left->addWidget(AttachLabel(page, LabeledEdit_LR_ChA, "CH A CHANNEL"), 3, 0);
    left->addWidget(LabeledEdit_LR_ChA, 4, 0);
    left->addWidget(AttachLabel(page, LabeledEdit_LR_ChB, "CH B CHANNEL"), 5, 0);
    left->addWidget(LabeledEdit_LR_ChB, 6, 0);
    left->setRowStretch(7, 1);
    grid->addLayout(left, 0, 0);

    GroupBoxLR_FuReply = MakeControl<QGroupBox>(page, "GroupBoxLR_FuReply");
    GroupBoxLR_FuReply->setTitle(QStringLiteral("Function Reply"));
    auto* items = new QVBoxLayout(GroupBoxLR_FuReply);
    items->setSpacing(2);
    for (std::size_t i = 0; i < kFunctionReplyItems.size(); ++i) {
        FunctionReply[i] = MakeControl<QCheckBox>(GroupBoxLR_FuReply, kFunctionReplyItems[i].Name);
        FunctionReply[i]->setText(QString::fromLatin1(kFunctionReplyItems[i].Text));
        items->addWidget(FunctionReply[i]);
    }
    grid->addWidget(GroupBoxLR_FuReply, 0, 1);
    grid->setColumnStretch(1, 1);
    SpeedButton_LR_Config = MakeWriteButton(page, "SpeedButton_LR_Config", host);
}

void LongRangePage::ApplyTexts(const MessageTable& messages) {
    FillOptions(ComboBox_LR_Response, messages, MessageId::LrAuto, MessageId::LrManual);
}

void LongRangePage::Show(const LongRangeSettings& r, FieldSet fields) {
    if (fields & LongRangeTab::kResponse) ComboBox_LR_Response->setCurrentIndex(r.Manual ? 1 : 0);
    for (std::size_t i = 0; i < FunctionReply.size(); ++i) {
        if (fields & (LongRangeTab::kFunctionReply << i))
            FunctionReply[i]->setChecked(r.FunctionReply[i]);
    }
    if (fields & LongRangeTab::kMessage27) CheckBox_LR_Msg27->setChecked(r.Message27);
    // A channel that is not available leaves its field empty.
    const auto channel = [](QLineEdit* edit, const std::optional<int>& number) {
        edit->setText(number ? QString::number(*number) : QString());
    };
    if (fields & LongRangeTab::kChannelA) channel(LabeledEdit_LR_ChA, r.ChannelA);
    if (fields & LongRangeTab::kChannelB) channel(LabeledEdit_LR_ChB, r.ChannelB);
}

std::variant<LongRangeSettings, RuleProblem> LongRangePage::Read() {
    LongRangeSettings r;
    r.Manual = ComboBox_LR_Response->currentIndex() == 1;
    for (std::size_t i = 0; i < FunctionReply.size(); ++i)
        r.FunctionReply[i] = FunctionReply[i]->isChecked();
    r.Message27 = CheckBox_LR_Msg27->isChecked();
    const std::pair<QLineEdit*, const char*> channels[] = {
        {LabeledEdit_LR_ChA, "longRange.channelA"}, {LabeledEdit_LR_ChB, "longRange.channelB"}};
    for (const auto& [edit, key] : channels) {
        const std::string text = TextOf(edit);
        const std::optional<std::int64_t> value = DigitsValue(text);
        if (!value || text.size() > 4)
            return ControlProblem(key, edit->objectName().toLatin1().constData(),
                                  MessageId::KeyInChannel);
        (edit == LabeledEdit_LR_ChA ? r.ChannelA : r.ChannelB) = static_cast<int>(*value);
    }
    return r;
}

}  // namespace navoro
