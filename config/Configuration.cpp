#include "config/Configuration.h"

#include <algorithm>

#include <QBoxLayout>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>

#include "codec/Composer.h"
#include "config/ConfigTables.h"
#include "config/WriteNote.h"
#include "config/pages/PageKit.h"
#include "ui/Product.h"
#include "ui/SaveFile.h"

namespace navoro {

namespace {

constexpr char kNotOfferedName[] = "lblStandardNotOffered";
constexpr char kHiddenForStandard[] = "navoroHiddenForStandard";

bool OfferedByStandardTransponder(std::size_t tab) {
    return tab == TabIndex<ShipDataTab>() || tab == TabIndex<VoyageTab>();
}

ReportTime LocalTime() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
}

QWidget* SheetOf(QTabWidget* tabs, const char* name) {
    if (tabs) {
        if (auto* page = tabs->findChild<QWidget*>(QString::fromLatin1(name))) return page;
    }
    // A tab widget without the page (a test's): a page of its own, never shown.
    auto* page = new QWidget(tabs);
    page->setObjectName(QString::fromLatin1(name));
    page->hide();
    return page;
}

}  // namespace

Configuration::Configuration(const ConfigurationEnvironment& environment, QObject* parent)
    : QObject(parent), env_(environment), clock_(LocalTime) {
    ForEachTab([&]<typename Unit>(std::size_t index) {
        TabViewHost host;
        host.Sheet = SheetOf(env_.ConfigTabs, Unit::kInfo.Page);
        host.Messages = env_.messages;
        host.Write = [this, index] { WriteTab(index); };
        std::get<TabIndex<Unit>()>(views_) = Unit::MakeView(host);
    });
    if (env_.ConfigTabs)
        connect(env_.ConfigTabs, &QTabWidget::currentChanged, this, &Configuration::ReadVisibleTab);
    if (env_.MainTabs)
        connect(env_.MainTabs, &QTabWidget::currentChanged, this, &Configuration::MainPageShown);
    if (env_.ReadButton)
        connect(env_.ReadButton, &QAbstractButton::clicked, this, &Configuration::ReadDevice);
    if (env_.WriteButton)
        connect(env_.WriteButton, &QAbstractButton::clicked, this, &Configuration::WriteVisibleTab);
    if (env_.ProgressTimer)
        connect(env_.ProgressTimer, &QTimer::timeout, this, &Configuration::ProgressTick);
    writeNoteFallback_.setSingleShot(true);
    writeNoteFallback_.setInterval(noteTimings_.ReadBackWaitMilliseconds);
    connect(&writeNoteFallback_, &QTimer::timeout, this, &Configuration::ShowPendingWriteNote);
    ApplyTexts();
}

Configuration::~Configuration() = default;

QString Configuration::Message(MessageId id) const {
    if (env_.messages && !env_.messages->Text(id).empty())
        return QString::fromStdString(env_.messages->Text(id));
    return QString::fromUtf8(kMessageEntries[static_cast<std::size_t>(id)].BuiltIn);
}

void Configuration::ApplyTexts() {
    MessageTable builtIn;
    builtIn.LoadBuiltInTexts();
    const MessageTable& messages =
        env_.messages && !env_.messages->Text(MessageId::On).empty() ? *env_.messages : builtIn;
    ForEachTab([&]<typename Unit>(std::size_t) { View<Unit>().ApplyTexts(messages); });
    if (env_.ConfigTabs) {
        for (auto* notice : env_.ConfigTabs->findChildren<QLabel*>(QLatin1String(kNotOfferedName)))
            notice->setText(Message(MessageId::NotOfferedStandard));
    }
}

void Configuration::SetNoteTimings(NoteTimings timings) {
    noteTimings_ = timings;
    writeNoteFallback_.setInterval(timings.ReadBackWaitMilliseconds);
    if (writeNote_) writeNote_->SetDuration(timings.StayMilliseconds, timings.FadeMilliseconds);
}

// ---- what the transponder says ----------------------------------------------------

void Configuration::Attach(DeviceSession& session) {
    ConfigLink link;
    link.Send = [&session](const std::string& line) {
        return session.Send(line) ? SendResult::Sent : SendResult::Failed;
    };
    link.Linked = [&session] { return session.Connection().DumpEnded(); };
    link.StandardMode = [&session] { return session.Connection().Mode() == LinkMode::Standard; };
    link.Disconnect = [&session] {
        if (session.Connection().Active()) session.Connection().ToggleConnection();
    };
    link_ = std::move(link);
    session.Subscribe(*this);
}

void Configuration::SentenceAccepted(SentenceKind kind, Codec& codec) {
    if (kind == SentenceKind::Reply) TakeSentence(codec.Received);
}

void Configuration::ShowChanges(const TabChanges& changes) {
    ForEachTab([&]<typename Unit>(std::size_t index) {
        if (changes.Fields[index] != 0)
            View<Unit>().Show(readout_.Get<Unit>(), changes.Fields[index]);
    });
}

void Configuration::TakeSentence(const SentenceRecord& sentence) {
    const TabChanges changes = readout_.TakeSentence(sentence);
    if (!changes.Any()) return;
    ShowChanges(changes);
    // A read-back of the tab just written: its note follows now.
    if (pendingTab_ < kTabCount && changes.Fields[pendingTab_] != 0) ShowPendingWriteNote();
}

void Configuration::TakeLine(std::string_view line) {
    const TabChanges changes = readout_.TakeDeviceInfo(line);
    if (!changes.Any()) return;
    ShowChanges(changes);
    if (changes.Identity && env_.ConfigTabs && !readout_.Identity().Firmware.empty()) {
        if (auto* label = env_.ConfigTabs->findChild<QLabel*>(QStringLiteral("lblFirmVer")))
            label->setText(QStringLiteral("Firmware Version: ") +
                           QString::fromStdString(readout_.Identity().Firmware));
    }
}

// ---- reading -------------------------------------------------------------------------

void Configuration::SendQueries(unsigned queries) {
    navoro::SendQueries(queries, [this](const char* text) {
        const std::optional<std::string> line = SentenceLine(text);
        return line && link_.Send && link_.Send(*line) == SendResult::Sent;
    });
}

void Configuration::ShowCollectingProgress(int maximum) {
    if (!waiting_) return;
    waiting_->ShowProgress(QString::fromLatin1(WaitingWindow::kCollectingText), maximum);
    progressActive_ = true;
}

void Configuration::ReadVisibleTab() {
    if (standardInterface_) {
        ReadStandardTab();
        return;
    }
    if (!DeviceLinked() || !env_.ConfigTabs) return;
    const QWidget* page = env_.ConfigTabs->currentWidget();
    if (!page) return;
    const std::size_t tab = FindTabByPage(page->objectName().toStdString());
    ForEachTab([&]<typename Unit>(std::size_t index) {
        if (index != tab) return;
        if (Unit::kInfo.ClearedBeforeRead) View<Unit>().PrepareRead();
        readout_.ClearTab(index);
        if (Unit::kInfo.Queries != 0) SendQueries(Unit::kInfo.Queries);
        ShowCollectingProgress(Unit::kInfo.ReadSteps);
    });
}

void Configuration::ReadStandardTab() {
    const QWidget* page = env_.ConfigTabs ? env_.ConfigTabs->currentWidget() : nullptr;
    if (!page) return;
    const std::size_t tab = FindTabByPage(page->objectName().toStdString());
    // The standard queries of the two tabs a standard transponder offers.
    const char* formatter = tab == TabIndex<ShipDataTab>() ? "SSD"
                            : tab == TabIndex<VoyageTab>() ? "VSD"
                                                           : nullptr;
    char query[32];
    if (formatter == nullptr || !link_.Send || !ComposeQuery(query, sizeof query, formatter))
        return;
    (void)link_.Send(query);
}

void Configuration::ReadDevice() {
    if (!DeviceLinked()) return;
    readout_.Clear();
    SendQueries(kReadDeviceQuerySet);
    ShowCollectingProgress(kReadDeviceProgressMax);
    ReportCountdown = kReportCountdownStart;
}

void Configuration::ProgressTick() {
    if (ReportCountdown >= 1 && ReportCountdown < kReportCountdownIdle) {
        --ReportCountdown;
        if (ReportCountdown == 0) {
            ReportCountdown = kReportCountdownIdle;
            WriteConfigurationReport();
        }
    }
    if (progressActive_ && waiting_) {
        QProgressBar* bar = waiting_->Bar();
        if (bar->value() < bar->maximum()) {
            bar->setValue(bar->value() + 1);
        } else {
            waiting_->hide();
            bar->setValue(0);
            progressActive_ = false;
        }
    }
}

void Configuration::MainPageShown() {
    const bool configuration = env_.MainTabs && env_.MainTabs->currentIndex() == 0;
    if (env_.WriteButton) env_.WriteButton->setVisible(configuration);
    if (env_.ReadButton) env_.ReadButton->setVisible(configuration);
}

void Configuration::ConnectionReset() {
    readout_.Clear();
    ForEachTab([&]<typename Unit>(std::size_t) { View<Unit>().Reset(); });
    ShowStandardInterface(false);
}

void Configuration::Linked() {
    if (link_.StandardMode && link_.StandardMode()) {
        // The connection has asked for SSD and VSD already: their replies
        // fill SHIP DATA and VOYAGE as they come.
        ShowStandardInterface(true);
        return;
    }
    ReadVisibleTab();
}

void Configuration::ShowStandardInterface(bool standard) {
    if (!env_.ConfigTabs || standard == standardInterface_) return;
    standardInterface_ = standard;
    for (int i = 0; i < env_.ConfigTabs->count(); ++i) {
        QWidget* page = env_.ConfigTabs->widget(i);
        const std::size_t tab = FindTabByPage(page->objectName().toStdString());
        if (tab >= kTabCount || OfferedByStandardTransponder(tab)) continue;
        auto* notice =
            page->findChild<QLabel*>(QLatin1String(kNotOfferedName), Qt::FindDirectChildrenOnly);
        if (standard && !notice) {
            notice = new QLabel(page);
            notice->setObjectName(QLatin1String(kNotOfferedName));
            notice->setWordWrap(true);
            notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            notice->setText(Message(MessageId::NotOfferedStandard));
            // Over the whole page, where the (hidden) controls were.
            if (auto* grid = qobject_cast<QGridLayout*>(page->layout())) {
                grid->addWidget(notice, 0, 0, std::max(1, grid->rowCount()),
                                std::max(1, grid->columnCount()));
            } else if (auto* box = qobject_cast<QBoxLayout*>(page->layout())) {
                box->insertWidget(0, notice, 1);
            }
        }
        for (QWidget* child : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child == notice) continue;
            if (standard && !child->isHidden()) {
                child->setProperty(kHiddenForStandard, true);
                child->hide();
            } else if (!standard && child->property(kHiddenForStandard).toBool()) {
                child->setProperty(kHiddenForStandard, false);
                child->show();
            }
        }
        if (notice) notice->setVisible(standard);
    }
    for (const char* name : {"MaskEditMMSI", "MaskEditIMO"}) {
        if (auto* edit = env_.ConfigTabs->findChild<QLineEdit*>(QLatin1String(name)))
            edit->setReadOnly(standard);
    }
}

// ---- writing ---------------------------------------------------------------------

bool Configuration::WriteTab(std::size_t tab) {
    // A standard transponder takes the VSD sentence; the rest goes out in
    // our maker's proprietary sentences, which it does not know.
    if (standardInterface_ && tab != TabIndex<VoyageTab>()) return false;
    bool written = false;
    ForEachTab([&]<typename Unit>(std::size_t index) {
        if (index != tab) return;
        auto read = View<Unit>().Read();
        if (const auto* problem = std::get_if<RuleProblem>(&read)) {
            ShowProblem(*problem);
            return;
        }
        WriteContext context;
        context.Mmsi = readout_.Get<ShipDataTab>().Mmsi.value_or(0);
        written = RunWrite(Unit::Plan(std::get<typename Unit::Record>(read), context));
        if (!written || !Unit::kInfo.ChangesConnection) return;
        // The transponder's port rates, the USB port's included, may have changed.
        if (link_.Disconnect) link_.Disconnect();
        if (env_.prompts) {
            std::string text = Message(MessageId::DeviceBaudRateHasBeenChanged).toStdString();
            if (text.empty()) text = "The baud rates of the device have been changed.";
            env_.prompts->ShowInformation("Configuration", text);
        }
    });
    return written;
}

void Configuration::WriteVisibleTab() {
    if (!env_.prompts || !env_.ConfigTabs) return;
    if (standardInterface_) {
        const QWidget* shown = env_.ConfigTabs->currentWidget();
        if (!shown || FindTabByPage(shown->objectName().toStdString()) != TabIndex<VoyageTab>()) {
            env_.prompts->ShowInformation("Configuration",
                                          Message(MessageId::NotOfferedStandard).toStdString());
            return;
        }
    }
    if (!env_.prompts->AskOkCancel(PromptIcon::Question, "Configuration",
                                   "Do you want to configure the device?"))
        return;
    const QWidget* page = env_.ConfigTabs->currentWidget();
    if (!page) return;
    const std::size_t tab = FindTabByPage(page->objectName().toStdString());
    if (tab >= kTabCount || !WriteTab(tab)) return;
    QString caption = env_.ConfigTabs->tabText(env_.ConfigTabs->currentIndex());
    caption.remove(QLatin1Char('&'));
    QString note = Message(MessageId::WrittenToDevice);
    note = note.contains(QLatin1String("%1")) ? note.arg(caption) : note + caption;
    if (kTabInfos[tab].ReadBackAfterWrite) {
        // The note follows the read-back, or comes after a while without it.
        pendingWriteNote_ = note;
        pendingTab_ = tab;
        writeNoteFallback_.start();
        SendQueries(kTabInfos[tab].Queries);
    } else {
        ShowWriteNote(note);
    }
}

void Configuration::ShowWriteNote(const QString& text) {
    pendingWriteNote_.clear();
    pendingTab_ = kTabCount;
    writeNoteFallback_.stop();
    if (!writeNote_ && env_.ConfigTabs) {
        writeNote_ = new WriteNote(env_.ConfigTabs);
        writeNote_->SetDuration(noteTimings_.StayMilliseconds, noteTimings_.FadeMilliseconds);
    }
    if (writeNote_) writeNote_->Show(text);
}

void Configuration::ShowPendingWriteNote() {
    if (pendingWriteNote_.isEmpty()) return;
    const QString note = pendingWriteNote_;  // ShowWriteNote clears it
    ShowWriteNote(note);
}

bool Configuration::RunWrite(const WriteCheck& check) {
    if (const auto* problem = std::get_if<RuleProblem>(&check)) {
        ShowProblem(*problem);
        return false;
    }
    const WritePlan& plan = std::get<WritePlan>(check);
    if (plan.Steps.empty()) return false;
    WaitingWindow* window = plan.ProgressMax > 0 ? waiting_.data() : nullptr;
    if (window) {
        // Stepped by the write, not by the tick.
        progressActive_ = false;
        window->ShowProgress(QString::fromLatin1(WaitingWindow::kSettingText), plan.ProgressMax);
        window->WaitUntilShown();
    }
    WriteLink link;
    link.Send = [this](const std::string& line) {
        return link_.Send ? link_.Send(line) : SendResult::Failed;
    };
    link.Sleep = [this](int milliseconds) {
        if (env_.prompts) env_.prompts->Sleep(milliseconds);
    };
    link.Advance = [window] {
        if (window) window->Step();
    };
    const WriteResult result = RunWritePlan(plan, link);
    if (window) window->hide();
    if (!result.Completed) ReportWriteFailure(result);
    return result.Completed;
}

void Configuration::ShowProblem(const RuleProblem& problem) {
    if (!env_.ConfigTabs) return;
    QWidget* root = env_.ConfigTabs->window();
    QWidget* control = problem.Control.empty()
                           ? nullptr
                           : root->findChild<QWidget*>(QString::fromStdString(problem.Control));
    if (auto* grid = qobject_cast<QTableWidget*>(control); grid && problem.Row >= 0) {
        grid->setCurrentCell(problem.Row, problem.Column);
        grid->scrollToItem(grid->item(problem.Row, problem.Column));
        grid->setFocus();
    } else if (control) {
        control->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
    }
    if (!env_.prompts) return;
    MessageTable builtIn;
    builtIn.LoadBuiltInTexts();
    const std::string text = problem.In(env_.messages ? *env_.messages : builtIn);
    env_.prompts->ShowWarning(Message(MessageId::Warning).toStdString(), text);
}

void Configuration::ReportWriteFailure(const WriteResult& result) {
    // The link has said it already (and disconnected).
    if (result.Reported || !env_.prompts) return;
    std::string text = Message(MessageId::PortOpenError).toStdString() + "\n\n";
    text += result.Sent == 0 ? Message(MessageId::NothingWritten).toStdString()
                             : Message(MessageId::WriteStopped)
                                   .replace(QLatin1String("%1"), QString::number(result.Sent))
                                   .replace(QLatin1String("%2"), QString::number(result.Total))
                                   .toStdString();
    env_.prompts->ShowError(Message(MessageId::Error).toStdString(), text);
}

// ---- configuration files -------------------------------------------------------------

std::variant<ConfigFile, RuleProblem> Configuration::TabsAsFile() {
    ConfigFile file;
    file.Firmware = readout_.Identity().Firmware;
    file.SerialNumber = readout_.Identity().SerialNumber;
    std::optional<RuleProblem> problem;
    ForEachTab([&]<typename Unit>(std::size_t) {
        if (problem) return;
        auto read = View<Unit>().Read();
        if (auto* p = std::get_if<RuleProblem>(&read))
            problem = std::move(*p);
        else
            file.Tabs.Get<Unit>() = std::move(std::get<typename Unit::Record>(read));
    });
    if (problem) return *problem;
    return file;
}

void Configuration::Load(const ConfigFile& file) {
    ForEachTab([&]<typename Unit>(std::size_t) {
        if (file.Tabs.Get<Unit>()) View<Unit>().Load(*file.Tabs.Get<Unit>());
    });
}

// ---- the report ------------------------------------------------------------------------

std::vector<std::string> Configuration::BuildReport() const {
    const ConfigSnapshot snapshot = readout_.Snapshot();
    ReportInputs in;
    const QString version = version_ ? version_() : QString::fromLatin1(kVersionText);
    in.VersionText = version.toLatin1().toStdString();
    in.Time = clock_ ? clock_() : LocalTime();
    const VoyageSettings& voyage = readout_.Get<VoyageTab>();
    const int row = voyage.ShipType ? FindShipTypeRow(*voyage.ShipType) : -1;
    in.ShipTypeText = row >= 0 ? kShipTypes[static_cast<std::size_t>(row)].Text : "";
    in.NavStatusText =
        voyage.NavStatus ? kNavStatusTexts[static_cast<std::size_t>(*voyage.NavStatus)] : "";
    in.EncryptionEnabled = readout_.Get<EncryptionTab>().Enabled;
    in.EncryptionCode = readout_.Get<EncryptionTab>().Code;
    return BuildConfigurationReport(snapshot, in);
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
    if (env_.ConfigTabs) {
        if (auto* record =
                env_.ConfigTabs->findChild<QPlainTextEdit*>(QStringLiteral("MemoRecord")))
            record->setPlainText(memo.join(QChar('\n')));
    }
    const std::string bytes = ReportFileText(lines);

    std::string suggested = ReportFileName(readout_.Snapshot());
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
        const QString error = SaveTextFile(path, bytes);
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
