#include "diagnosis/DataLogPage.h"

#include <QCheckBox>
#include <QDateTime>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>

#include "diagnosis/CustomCommand.h"

namespace navoro {

namespace {

constexpr int kPanel4Height = 65;
// The save dialog's filter and default extension.
constexpr const char* kLogFilter = "Data Log File (*.TXT)";
constexpr const char* kLogExtension = "TXT";

QString LatinText(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::int64_t SystemClockMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace

DataLogPage::DataLogPage(QWidget* page, Prompts& prompts, const MessageTable& messages,
                         const DiagnosisLink& link, std::size_t maxLines)
    : QObject(page),
      page_(page),
      prompts_(prompts),
      messages_(messages),
      link_(link),
      batch_(maxLines),
      folder_(QStandardPaths::writableLocation(QStandardPaths::CacheLocation).toStdString()),
      clock_(SystemClockMs) {
    stamped_.reserve(256);
    BuildControls();
    flushTimer_ = new QTimer(this);
    flushTimer_->setObjectName(QStringLiteral("TimerFlushDataLog"));
    flushTimer_->setSingleShot(true);
    flushTimer_->setInterval(kDataLogFlushMilliseconds);
    connect(flushTimer_, &QTimer::timeout, this, &DataLogPage::TimerFlushDataLogTimer);
    memo_->installEventFilter(this);
    UpdateShowing();
}

DataLogPage::~DataLogPage() {
    // The program ends normally: the log goes with it.
    file_.Remove();
}

QString DataLogPage::Message(MessageId id) const {
    return QString::fromStdString(messages_.Text(id));
}

void DataLogPage::BuildControls() {
    auto* pageLayout = new QVBoxLayout(page_);
    pageLayout->setContentsMargins(2, 2, 2, 2);
    pageLayout->setSpacing(2);

    memo_ = new QPlainTextEdit(page_);
    memo_->setObjectName(QStringLiteral("MemoDataLog"));
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setMaximumBlockCount(static_cast<int>(batch_.MaxLines()));
    memo_->setUndoRedoEnabled(false);
    QFont fixed(QStringLiteral("Monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setPixelSize(12);
    memo_->setFont(fixed);
    pageLayout->addWidget(memo_, 1);
    lblLogLimit_ = new QLabel(page_);
    lblLogLimit_->setObjectName(QStringLiteral("lblLogLimit"));
    lblLogLimit_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblLogLimit_->setEnabled(false);
    pageLayout->addWidget(lblLogLimit_);

    auto* panel4 = new QFrame(page_);
    panel4->setObjectName(QStringLiteral("Panel4"));
    panel4->setFixedHeight(kPanel4Height);
    pageLayout->addWidget(panel4);
    auto* rows = new QVBoxLayout(panel4);
    rows->setContentsMargins(4, 2, 4, 2);
    rows->setSpacing(2);

    auto* top = new QHBoxLayout;
    auto* label11 = new QLabel(QStringLiteral("Enter command below"), panel4);
    label11->setObjectName(QStringLiteral("Label11"));
    top->addWidget(label11);
    top->addStretch(1);
    cbxEnableLog_ = new QCheckBox(QStringLiteral("Enable Log"), panel4);
    cbxEnableLog_->setObjectName(QStringLiteral("cbxEnableLog"));
    cbxEnableLog_->setChecked(false);
    top->addWidget(cbxEnableLog_);
    cbxAddTimeStamp_ = new QCheckBox(QStringLiteral("Add Time Stamp"), panel4);
    cbxAddTimeStamp_->setObjectName(QStringLiteral("cbxAddTimeStamp"));
    cbxAddTimeStamp_->setChecked(false);
    top->addWidget(cbxAddTimeStamp_);
    auto* save = new QPushButton(QStringLiteral("Save"), panel4);
    save->setObjectName(QStringLiteral("btnSaveLog"));
    top->addWidget(save);
    auto* clear = new QPushButton(QStringLiteral("Clear"), panel4);
    clear->setObjectName(QStringLiteral("btnClearLog"));
    top->addWidget(clear);
    rows->addLayout(top);

    auto* bottom = new QHBoxLayout;
    editSendCommand_ = new QLineEdit(panel4);
    editSendCommand_->setObjectName(QStringLiteral("EditSendCommand"));
    editSendCommand_->setMaxLength(static_cast<int>(kCustomCommandMaxLength));
    bottom->addWidget(editSendCommand_, 1);
    auto* send = new QPushButton(QStringLiteral("Send Command"), panel4);
    send->setObjectName(QStringLiteral("ButtonCustomSendCommand"));
    bottom->addWidget(send);
    rows->addLayout(bottom);

    connect(cbxEnableLog_, &QCheckBox::toggled, this, &DataLogPage::SetLogging);
    connect(save, &QPushButton::clicked, this, &DataLogPage::SaveLog);
    connect(clear, &QPushButton::clicked, this, &DataLogPage::ClearLog);
    connect(send, &QPushButton::clicked, this, &DataLogPage::SendTypedCommand);
    connect(editSendCommand_, &QLineEdit::returnPressed, this, &DataLogPage::SendTypedCommand);
}

bool DataLogPage::LogEnabled() const {
    return cbxEnableLog_->isChecked();
}

bool DataLogPage::OpenLogFile() {
    if (file_.IsOpen()) return true;
    if (file_.Open(folder_)) return true;
    StopLogging(file_.Error());
    return false;
}

void DataLogPage::StopLogging(const std::string& reason) {
    fileFailed_ = true;
    // Unticked first: lines arriving while the message is up are not logged.
    cbxEnableLog_->setChecked(false);
    const QString text = Message(MessageId::DataLogFileFailed).arg(QString::fromStdString(reason));
    prompts_.ShowError(messages_.Text(MessageId::Error), text.toStdString());
}

void DataLogPage::SetLogging(bool checked) {
    if (!checked) return;
    fileFailed_ = false;
    OpenLogFile();
}

void DataLogPage::LogLine(std::string_view line) {
    const std::int64_t arrival = clock_();
    if (!fileFailed_ && OpenLogFile() && !file_.Append(arrival, line)) StopLogging(file_.Error());
    ++loggedLines_;
    if (cbxAddTimeStamp_->isChecked()) {
        char stamp[kArrivalTimeLength];
        FormatArrivalTime(arrival, stamp);
        stamped_.assign(stamp, kArrivalTimeLength);
        stamped_ += ' ';
        stamped_ += line;
        batch_.Add(stamped_);
    } else {
        batch_.Add(line);
    }
    if (!flushTimer_->isActive()) flushTimer_->start();
}

void DataLogPage::FlushDataLog() {
    flushTimer_->stop();
    if (!fileFailed_ && !file_.Flush() && file_.IsOpen()) StopLogging(file_.Error());
    while (!batch_.Empty())
        ShowLines(kDataLogFlushLines);
}

void DataLogPage::TimerFlushDataLogTimer() {
    // Every batch reaches the file, shown or not.
    if (!fileFailed_ && !file_.Flush() && file_.IsOpen()) StopLogging(file_.Error());
    // A log out of sight keeps collecting (up to the memo's cap) and catches
    // up when it is shown: a hidden memo costs more per line, and nobody
    // reads it. The file has every line.
    if (!memo_->isVisible()) return;
    ShowLines(kDataLogFlushLines);
    if (!batch_.Empty()) flushTimer_->start(0);
}

bool DataLogPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == memo_ && event->type() == QEvent::Show) {
        // Also the language's text, which may have changed meanwhile.
        UpdateShowing();
        if (!batch_.Empty()) flushTimer_->start(0);
    }
    return QObject::eventFilter(watched, event);
}

void DataLogPage::ShowLines(std::size_t maxLines) {
    // The interval may have been shortened to fetch the rest of a burst.
    flushTimer_->setInterval(kDataLogFlushMilliseconds);
    if (batch_.Empty()) return;
    // The memo is never emptied at once, even when the waiting lines would
    // replace all of it: destroying a full memo's blocks takes longer than a
    // handler may. Each call drops only as many old lines as it adds.
    const std::vector<std::string> lines = batch_.Take(maxLines);
    QString text;
    std::size_t size = lines.size();
    for (const std::string& line : lines)
        size += line.size();
    text.reserve(static_cast<qsizetype>(size));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i != 0) text += QChar::ParagraphSeparator;
        text += LatinText(lines[i]);
    }

    QScrollBar* bar = memo_->verticalScrollBar();
    const bool follow = bar->value() == bar->maximum();
    QTextDocument* document = memo_->document();
    if (!document->isEmpty()) hasLines_ = true;
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    // The memo's block limit drops the oldest lines beyond the cap.
    cursor.movePosition(QTextCursor::End);
    if (hasLines_) cursor.insertBlock();
    cursor.insertText(text);
    cursor.endEditBlock();
    hasLines_ = true;
    if (follow) bar->setValue(bar->maximum());
    UpdateShowing();
}

void DataLogPage::UpdateShowing() {
    const QTextDocument* document = memo_->document();
    const int shown = document->isEmpty() && !hasLines_ ? 0 : document->blockCount();
    lblLogLimit_->setText(Message(MessageId::DataLogShowing)
                              .arg(QLocale().toString(shown))
                              .arg(QLocale().toString(static_cast<qulonglong>(loggedLines_))));
}

std::vector<std::string> DataLogPage::LogLines() const {
    std::vector<std::string> lines;
    const QTextDocument* document = memo_->document();
    if (document->isEmpty() && !hasLines_) return lines;
    lines.reserve(static_cast<std::size_t>(document->blockCount()));
    for (QTextBlock block = document->firstBlock(); block.isValid(); block = block.next())
        lines.push_back(block.text().toLatin1().toStdString());
    return lines;
}

void DataLogPage::ClearLog() {
    if (!prompts_.AskOkCancel(PromptIcon::Warning, messages_.Text(MessageId::Warning),
                              messages_.Text(MessageId::QueryClearLog)))
        return;
    batch_.Clear();
    flushTimer_->stop();
    memo_->clear();
    hasLines_ = false;
    loggedLines_ = 0;
    if (!file_.Truncate()) StopLogging(file_.Error());
    UpdateShowing();
}

std::optional<std::string> DataLogPage::AskLogFileName() {
    std::optional<std::string> chosen = prompts_.AskSaveFileName("Save", "", kLogFilter);
    if (!chosen || chosen->empty()) return std::nullopt;
    std::string path = *chosen;
    if (QFileInfo(QString::fromStdString(path)).suffix().isEmpty())
        path += std::string(".") + kLogExtension;
    if (QFileInfo::exists(QString::fromStdString(path)) &&
        !prompts_.AskYesNo(PromptIcon::Warning, "WARNING",
                           Message(MessageId::FileExists).toStdString()))
        return std::nullopt;
    return path;
}

void DataLogPage::ShowSaveFailed(const std::string& path) {
    const QString text = Message(MessageId::DataLogSaveFailed).arg(QString::fromStdString(path));
    prompts_.ShowError(messages_.Text(MessageId::Error), text.toStdString());
}

void DataLogPage::SaveLog() {
    // Every line logged up to now is in the file first.
    FlushDataLog();
    const std::optional<std::string> path = AskLogFileName();
    if (!path) return;
    if (!WriteLogFile(*path, file_.Path())) ShowSaveFailed(*path);
}

bool DataLogPage::WriteLogFile(const std::string& path, const std::string& logPath) {
    const bool timeStamps = cbxAddTimeStamp_->isChecked();
    if (!logPath.empty()) {
        std::string error;
        return ExportDataLog(logPath, path, timeStamps, error);
    }
    // No log file (nothing was logged, or it could never be made): the memo's
    // lines, which then are all there are.
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    QByteArray bytes;
    for (const std::string& line : LogLines()) {
        bytes.append(line.data(), static_cast<qsizetype>(line.size()));
        bytes.append("\r\n", 2);
    }
    return file.write(bytes) == bytes.size() && file.flush();
}

void DataLogPage::OfferLeftoverLogs() {
    for (LeftoverDataLog& leftover : FindLeftoverDataLogs(folder_)) {
        if (leftover.Lines() == 0) {
            leftover.Discard();
            continue;
        }
        const QString date = QDateTime::fromMSecsSinceEpoch(leftover.FirstArrivalMs())
                                 .toLocalTime()
                                 .toString(QStringLiteral("yyyy-MM-dd HH:mm"));
        const QString text =
            Message(MessageId::RecoverDataLog)
                .arg(date)
                .arg(QLocale().toString(static_cast<qulonglong>(leftover.Lines())));
        if (!prompts_.AskYesNo(PromptIcon::Question, messages_.Text(MessageId::Warning),
                               text.toStdString())) {
            leftover.Discard();
            continue;
        }
        const std::optional<std::string> path = AskLogFileName();
        if (!path) continue;
        if (WriteLogFile(*path, leftover.Path()))
            leftover.Discard();
        else
            ShowSaveFailed(*path);
    }
}

void DataLogPage::SendTypedCommand() {
    const QByteArray typed = editSendCommand_->text().toLatin1();
    navoro::SendCustomCommand(
        link_, prompts_, messages_,
        std::string_view(typed.constData(), static_cast<std::size_t>(typed.size())));
}

}  // namespace navoro
