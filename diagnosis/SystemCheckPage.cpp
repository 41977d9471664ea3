#include "diagnosis/SystemCheckPage.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "diagnosis/AlarmBoard.h"
#include "diagnosis/CustomCommand.h"

namespace navoro {

namespace {

constexpr int kPictureSize = 32;
constexpr int kResetWaitMilliseconds = 1000;

QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption) {
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

std::array<QPixmap, 2> SystemCheckPictures() {
    std::array<QPixmap, 2> pictures;
    for (int passed = 0; passed < 2; ++passed) {
        QPixmap picture(kPictureSize, kPictureSize);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor fill = passed ? QColor(0x1E, 0xA0, 0x3C) : QColor(0xD2, 0x28, 0x28);
        painter.setPen(QPen(fill.darker(140), 1.5));
        painter.setBrush(fill);
        painter.drawEllipse(QRectF(2, 2, 28, 28));
        painter.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        if (passed) {
            QPainterPath tick;
            tick.moveTo(9, 16.5);
            tick.lineTo(14, 21.5);
            tick.lineTo(23, 11);
            painter.drawPath(tick);
        } else {
            painter.drawLine(QPointF(11, 11), QPointF(21, 21));
            painter.drawLine(QPointF(21, 11), QPointF(11, 21));
        }
        pictures[static_cast<std::size_t>(passed)] = picture;
    }
    return pictures;
}

SystemCheckPage::SystemCheckPage(QWidget* page, Codec& codec, Prompts& prompts,
                                 const DiagnosisLink& link, QTimer* timerUpdateSysChk,
                                 const MessageTable* messages)
    : QObject(page),
      page_(page),
      codec_(codec),
      prompts_(prompts),
      link_(link),
      imageList_(SystemCheckPictures()),
      messages_(messages) {
    BuildControls();
    if (timerUpdateSysChk)
        connect(timerUpdateSysChk, &QTimer::timeout, this,
                &SystemCheckPage::TimerUpdateSysChkTimer);
    connect(clearButton_, &QToolButton::clicked, this, &SystemCheckPage::ClearSystemCheck);
}

void SystemCheckPage::BuildControls() {
    auto* pageLayout = new QVBoxLayout(page_);
    pageLayout->setContentsMargins(8, 8, 8, 8);
    auto* panel = new QFrame(page_);
    panel->setObjectName(QStringLiteral("PanelSystemCheck"));
    panel->setFrameShape(QFrame::StyledPanel);
    pageLayout->addWidget(panel);

    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(24, 12, 24, 12);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(6);
    grid->setColumnMinimumWidth(1, 170);
    grid->setColumnStretch(3, 1);

    struct Row {
        const char* Caption;
        const char* CaptionText;
        const char* Image;
    };
    static constexpr Row kRows[kSystemCheckRows] = {
        {"lblChkFwVer", "Firmware Version", "ImageChkFwVer"},
        {"lblChkProdSN", "Product Serial No.", "ImageChkProdSN"},
        {"lblChkMMSI", "MMSI ", "ImageChkMMSI"},
        {"lblChkGPS", "GPS", "ImageChkGps"},
        {"lblChkTx", "TX position reports", "ImageChkTx"},
        {"lblChkRx", "RX position reports", "ImageChkRx"},
    };
    QFont bold = panel->font();
    bold.setBold(true);
    for (int row = 0; row < kSystemCheckRows; ++row) {
        auto* image = MakeLabel(panel, kRows[row].Image, "");
        image->setFixedSize(kPictureSize, kPictureSize);
        images_[static_cast<std::size_t>(row)] = image;
        grid->addWidget(image, row, 0);
        auto* caption = MakeLabel(panel, kRows[row].Caption, kRows[row].CaptionText);
        caption->setFont(bold);
        grid->addWidget(caption, row, 1);
    }
    lblValFwVer_ = MakeLabel(panel, "lblValFwVer", kNotReadText);
    lblValProdSN_ = MakeLabel(panel, "lblValProdSN", kNotReadText);
    lblValMMSI_ = MakeLabel(panel, "lblValMMSI", kNotReadText);
    lblValGps_ = MakeLabel(panel, "lblValGps", "N/A");
    grid->addWidget(lblValFwVer_, kCheckFwVer, 2, 1, 2);
    grid->addWidget(lblValProdSN_, kCheckProdSN, 2, 1, 2);
    grid->addWidget(lblValMMSI_, kCheckMmsi, 2, 1, 2);
    grid->addWidget(lblValGps_, kCheckGps, 2, 1, 2);

    // The counter rows: "Channel A: " n   "Channel B: " n.
    const auto counterRow = [panel, grid](int row, const char* chA, QLabel*& valueA,
                                          const char* valA, const char* chB, QLabel*& valueB,
                                          const char* valB) {
        auto* cell = new QWidget(panel);
        auto* layout = new QHBoxLayout(cell);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(4);
        layout->addWidget(MakeLabel(cell, chA, "Channel A: "));
        valueA = MakeLabel(cell, valA, "0");
        valueA->setMinimumWidth(60);
        layout->addWidget(valueA);
        layout->addSpacing(16);
        layout->addWidget(MakeLabel(cell, chB, "Channel B: "));
        valueB = MakeLabel(cell, valB, "0");
        valueB->setMinimumWidth(60);
        layout->addWidget(valueB);
        layout->addStretch(1);
        grid->addWidget(cell, row, 2, 1, 2);
    };
    counterRow(kCheckTx, "lblChkTxCntChA", lblValTxCntA_, "lblValTxCntA", "lblChkTxCntChB",
               lblValTxCntB_, "lblValTxCntB");
    counterRow(kCheckRx, "lblChkRxCntChA", lblValRxCntA_, "lblValRxCntA", "lblChkRxCntChB",
               lblValRxCntB_, "lblValRxCntB");

    // The alarms, below the six checks.
    const int alarmRow = kSystemCheckRows;
    imageAlarms_ = MakeLabel(panel, "ImageChkAlarms", "");
    imageAlarms_->setFixedSize(kPictureSize, kPictureSize);
    grid->addWidget(imageAlarms_, alarmRow, 0);
    auto* alarmCaption = MakeLabel(panel, "lblChkAlarms", "Alarms");
    alarmCaption->setFont(bold);
    grid->addWidget(alarmCaption, alarmRow, 1);
    lblValAlarms_ = MakeLabel(panel, "lblValAlarms", "");
    grid->addWidget(lblValAlarms_, alarmRow, 2, 1, 2);

    lblChkLinkState_ = MakeLabel(panel, "lblChkLinkState", "");
    lblChkLinkState_->setWordWrap(true);
    grid->addWidget(lblChkLinkState_, alarmRow + 1, 0, 1, 4, Qt::AlignLeft | Qt::AlignBottom);

    clearButton_ = new QToolButton(panel);
    clearButton_->setObjectName(QStringLiteral("SpeedButtonClearCheck"));
    clearButton_->setText(QStringLiteral("Reset checks"));
    clearButton_->setMinimumSize(130, 28);
    grid->addWidget(clearButton_, alarmRow + 2, 0, 1, 4, Qt::AlignRight | Qt::AlignBottom);
    grid->setRowStretch(alarmRow + 1, 1);
}

SystemCheckSnapshot SystemCheckPage::Snapshot() const {
    return link_.ReadSnapshot ? link_.ReadSnapshot() : SystemCheckSnapshot{};
}

bool SystemCheckPage::Linked() const {
    return !link_.Linked || link_.Linked();
}

SystemCheckView SystemCheckPage::Evaluate() const {
    return EvaluateSystemCheck(Snapshot(), codec_.Targets.Entry(0), counters_, Linked());
}

void SystemCheckPage::InitSystemCheck() {
    counters_ = {};
    if (link_.ClearSnapshotFlags) link_.ClearSnapshotFlags();
    codec_.Targets.ResetTargetTable();
    codec_.Messages.Clear();
    UpdateCheckImages();
}

void SystemCheckPage::CountPositionReport() {
    navoro::CountPositionReport(counters_, codec_.Received.Header, codec_.Received.Vdm.Channel);
}

QString SystemCheckPage::MessageText(MessageId id) const {
    return messages_ != nullptr && !messages_->Text(id).empty()
               ? Q(messages_->Text(id))
               : QString::fromUtf8(kMessageEntries[static_cast<std::size_t>(id)].BuiltIn);
}

void SystemCheckPage::TimerUpdateSysChkTimer() {
    const SystemCheckView view = Evaluate();
    if (Linked()) {
        lblChkLinkState_->clear();
    } else {
        lblChkLinkState_->setText(MessageText(MessageId::SystemCheckDisconnected));
    }
    lblValFwVer_->setText(Q(view.FwVer));
    lblValMMSI_->setText(Q(view.Mmsi));
    lblValProdSN_->setText(Q(view.ProdSN));
    lblValGps_->setText(Q(view.Gps));
    lblValTxCntA_->setText(Q(view.TxA));
    lblValTxCntB_->setText(Q(view.TxB));
    lblValRxCntA_->setText(Q(view.RxA));
    lblValRxCntB_->setText(Q(view.RxB));
    UpdateCheckImages();
}

void SystemCheckPage::UpdateCheckImages() {
    const SystemCheckView view = Evaluate();
    for (int row = 0; row < kSystemCheckRows; ++row) {
        const auto i = static_cast<std::size_t>(row);
        passed_[i] = view.Passed[row];
        images_[i]->setPixmap(imageList_[passed_[i] ? 1 : 0]);
    }
    UpdateAlarmRow();
}

void SystemCheckPage::UpdateAlarmRow() {
    const int active = alarmBoard_ != nullptr ? alarmBoard_->ActiveCount() : 0;
    const int waiting = alarmBoard_ != nullptr ? alarmBoard_->UnacknowledgedActiveCount() : 0;
    alarmsPassed_ = active == 0;
    lblValAlarms_->setText(active == 0
                               ? MessageText(MessageId::CheckNoAlarm)
                               : MessageText(MessageId::CheckAlarmCount).arg(active).arg(waiting));
    imageAlarms_->setPixmap(imageList_[alarmsPassed_ ? 1 : 0]);
}

void SystemCheckPage::ClearSystemCheck() {
    counters_ = {};
    if (link_.ClearSnapshotFlags) link_.ClearSnapshotFlags();
    codec_.Targets.ResetTargetTable();
    codec_.Messages.Clear();
    TimerUpdateSysChkTimer();
    prompts_.Sleep(kResetWaitMilliseconds);
    SendStatusQuery(link_);
}

}  // namespace navoro
