// Writing the device: "Config Device", each tab's write and the input rules.
// The values are read from the tab's controls into a plain input, checked and
// planned (config/WritePlans.h) before anything is sent.

#include <QRegularExpressionValidator>

#include "config/ConfigFileTabs.h"
#include "config/Configuration.h"
#include "config/GridEditing.h"
#include "config/ReadQueries.h"
#include "config/WriteNote.h"

namespace navoro {

namespace {

constexpr const char* kMobDefaultMmsi = "972000000";

}  // namespace

void Configuration::SetUpWriteInputs() {
    InstallGridEditing(pages_.Destination.StringGrid_Destination, pages_.Mob.StringGrid_MOBList);
    connect(pages_.Mob.StringGrid_MOBList, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { StringGrid_MOBListSelectCell(row, column); });
    // LabeledEditEncryptionKeyKeyPress: letters and digits only.
    QLineEdit* key = pages_.Encryption.LabeledEditEncryptionKey;
    key->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[A-Za-z0-9]{0,16}")), key));

    if (env_.SpeedButtonSetting)
        connect(env_.SpeedButtonSetting, &QAbstractButton::clicked, this,
                &Configuration::SpeedButtonSettingClick);
    const std::pair<QAbstractButton*, bool (Configuration::*)()> buttons[] = {
        {pages_.ShipData.SpeedButtonSHIPData_Config,
         &Configuration::SpeedButtonSHIPData_ConfigClick},
        {pages_.Voyage.SpeedButtonVoyage_Config, &Configuration::SpeedButtonVoyage_ConfigClick},
        {pages_.Cpa.spbCPA, &Configuration::spbCPAClick},
        {pages_.Transceiver.spbTransponder, &Configuration::spbTransponderClick},
        {pages_.BaudRate.spbBaudRate, &Configuration::spbBaudRateClick},
        {pages_.LongRange.SpeedButton_LR_Config, &Configuration::SpeedButton_LR_ConfigClick},
        {pages_.Destination.SpeedButton_Destination, &Configuration::SpeedButton_DestinationClick},
        {pages_.Mob.SpeedButton_MOB, &Configuration::SpeedButton_MOBClick},
        {pages_.Encryption.SpeedButtonEncryption, &Configuration::SpeedButtonEncryptionClick},
    };
    for (const auto& [button, write] : buttons)
        connect(button, &QAbstractButton::clicked, this, [this, write] { (this->*write)(); });
}

void Configuration::StringGrid_MOBListSelectCell(int row, int) {
    QTableWidget* grid = pages_.Mob.StringGrid_MOBList;
    if (row < 1 || row > kMobRows || !Cell(grid, row, 1).empty()) return;
    SetCell(grid, row, 1, kMobDefaultMmsi);
}

// ---- "Config Device" -----------------------------------------------------------

void Configuration::SpeedButtonSettingClick() {
    if (!env_.prompts || !env_.PageControlConf) return;
    if (!env_.prompts->AskOkCancel(PromptIcon::Question, "Configuration",
                                   "Do you want to configure the device?"))
        return;
    const QWidget* page = env_.PageControlConf->currentWidget();
    if (!page) return;
    const QString name = page->objectName();
    const std::pair<const char*, bool (Configuration::*)()> writes[] = {
        {"TabSheetStatic", &Configuration::SpeedButtonSHIPData_ConfigClick},
        {"TabSheetVoyage", &Configuration::SpeedButtonVoyage_ConfigClick},
        {"TabSheetCPA", &Configuration::spbCPAClick},
        {"TabSheetTransceiver", &Configuration::spbTransponderClick},
        {"TabSheetBaudRate", &Configuration::spbBaudRateClick},
        {"TabSheetLR", &Configuration::SpeedButton_LR_ConfigClick},
        {"TabSheetDestination", &Configuration::SpeedButton_DestinationClick},
        {"TabSheetMOB", &Configuration::SpeedButton_MOBClick},
        {"TabSheetEncryption", &Configuration::SpeedButtonEncryptionClick},
    };
    for (const auto& [tab, write] : writes) {
        if (name != QLatin1String(tab)) continue;
        const bool written = (this->*write)();
        if (!written) return;
        QString caption = env_.PageControlConf->tabText(env_.PageControlConf->currentIndex());
        caption.remove(QLatin1Char('&'));
        QString note = Message(MessageId::WrittenToDevice);
        note = note.contains(QLatin1String("%1")) ? note.arg(caption) : note + caption;
        if (write == &Configuration::SpeedButtonSHIPData_ConfigClick) {
            // SHIP DATA is read back (status request and SSD query); the note
            // follows the read-back, or comes after a while without it.
            pendingWriteNote_ = note;
            writeNoteFallback_.start();
            SendQueries(kQueryStatus | kQuerySsd, send_);
        } else {
            ShowWriteNote(note);
        }
        return;
    }
}

void Configuration::ShowWriteNote(const QString& text) {
    pendingWriteNote_.clear();
    writeNoteFallback_.stop();
    if (!writeNote_ && env_.PageControlConf) writeNote_ = new WriteNote(env_.PageControlConf);
    if (writeNote_) writeNote_->Show(text);
}

void Configuration::ShowPendingWriteNote() {
    if (pendingWriteNote_.isEmpty()) return;
    const QString note = pendingWriteNote_;  // ShowWriteNote clears it
    ShowWriteNote(note);
}

// ---- running a write ---------------------------------------------------------------

bool Configuration::RunWrite(const WriteCheck& check) {
    if (const auto* problem = std::get_if<WriteProblem>(&check)) {
        ShowWriteProblem(*problem);
        return false;
    }
    const WritePlan& plan = std::get<WritePlan>(check);
    if (plan.Steps.empty()) return false;
    TfrmWaitingProgress* window = plan.ProgressMax > 0 ? waiting_.data() : nullptr;
    if (window) {
        // Stepped by the write, not by Timer2.
        ProgressActive = false;
        window->ShowProgress(QString::fromLatin1(TfrmWaitingProgress::kSettingText),
                             plan.ProgressMax);
        window->WaitUntilShown();
    }
    WriteLink link;
    link.SendSentence = sendSentence_;
    link.SendSentenceText = [this](const char* text) { return send_ && send_(text); };
    link.Sleep = [this](int milliseconds) {
        if (env_.prompts) env_.prompts->Sleep(milliseconds);
    };
    link.Advance = [window] {
        if (window) window->Step();
    };
    const WriteResult result = RunWritePlan(*env_.codec, plan, link);
    if (window) window->hide();
    if (!result.Completed) ReportWriteFailure(result);
    return result.Completed;
}

void Configuration::ShowWriteProblem(const WriteProblem& problem) {
    QWidget* root = pages_.ShipData.MaskEditMMSI->window();
    QWidget* control = root->findChild<QWidget*>(QString::fromStdString(problem.Control));
    if (auto* grid = qobject_cast<QTableWidget*>(control); grid && problem.Row >= 0) {
        grid->setCurrentCell(problem.Row, problem.Column);
        grid->scrollToItem(grid->item(problem.Row, problem.Column));
        grid->setFocus();
    } else if (control) {
        control->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
    }
    if (env_.prompts) {
        const std::string text = problem.Text == MessageId::Count
                                     ? problem.Message
                                     : Message(problem.Text).toStdString() + problem.Detail;
        env_.prompts->ShowWarning(Message(MessageId::Warning).toStdString(), text);
    }
}

void Configuration::ReportWriteFailure(const WriteResult& result) {
    // The send path has said it already (and disconnected).
    if (result.Reported || !env_.prompts) return;
    std::string text;
    if (result.Unsendable) {
        text = Message(MessageId::WriteUnsendable).toStdString();
    } else {
        text = Message(MessageId::PortOpenError).toStdString() + "\n\n";
        text += result.Sent == 0 ? Message(MessageId::NothingWritten).toStdString()
                                 : Message(MessageId::WriteStopped)
                                       .replace(QLatin1String("%1"), QString::number(result.Sent))
                                       .replace(QLatin1String("%2"), QString::number(result.Total))
                                       .toStdString();
    }
    env_.prompts->ShowError(Message(MessageId::Error).toStdString(), text);
}

// ---- the tabs ----------------------------------------------------------------------

bool Configuration::SpeedButtonSHIPData_ConfigClick() {
    return RunWrite(PlanShipDataWrite(ShipDataInputOf(pages_.ShipData)));
}

bool Configuration::SpeedButtonVoyage_ConfigClick() {
    return RunWrite(PlanVoyageWrite(VoyageInputOf(pages_.Voyage)));
}

bool Configuration::spbCPAClick() {
    const CpaPage& p = pages_.Cpa;
    if (SpinValue(p.CSpinEditTCPA) > p.CSpinEditTCPA->maximum()) return false;
    if (p.ComboBoxCpaAlarmType->currentIndex() < 0) p.ComboBoxCpaAlarmType->setCurrentIndex(0);
    return RunWrite(PlanCpaWrite(CpaInputOf(p)));
}

bool Configuration::spbTransponderClick() {
    return RunWrite(PlanTransceiverWrite(TransceiverInputOf(pages_.Transceiver)));
}

bool Configuration::spbBaudRateClick() {
    if (!RunWrite(PlanBaudRateWrite(BaudRateInputOf(pages_.BaudRate)))) return false;
    // The transponder's port rates, the USB port's included, may have changed.
    if (openPortClick_) openPortClick_();
    if (env_.prompts) {
        std::string text = Message(MessageId::DeviceBaudRateHasBeenChanged).toStdString();
        if (text.empty()) text = "The baud rates of the device have been changed.";
        env_.prompts->ShowInformation("Configuration", text);
    }
    return true;
}

bool Configuration::SpeedButton_LR_ConfigClick() {
    return RunWrite(PlanLongRangeWrite(LongRangeInputOf(pages_.LongRange)));
}

bool Configuration::SpeedButton_DestinationClick() {
    return RunWrite(PlanDestinationWrite(DestinationInputOf(pages_.Destination)));
}

bool Configuration::SpeedButton_MOBClick() {
    return RunWrite(PlanMobWrite(MobInputOf(pages_.Mob)));
}

bool Configuration::SpeedButtonEncryptionClick() {
    return RunWrite(PlanEncryptionWrite(EncryptionInputOf(pages_.Encryption, Snapshot.Mmsi)));
}

}  // namespace navoro
