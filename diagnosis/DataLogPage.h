#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "diagnosis/DataLogBatch.h"
#include "diagnosis/DataLogFile.h"
#include "diagnosis/DiagnosisLink.h"
#include "ui/MessageTable.h"
#include "ui/Prompts.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QWidget;

namespace navoro {

// The DATA LOG page: the received lines while "Enable Log" is ticked, saved
// to a text file or cleared on request, and a command line sent to the
// transponder exactly as typed.
//
// Every logged line goes, with its arrival time, to a log file in the cache
// folder (written with each batch, so at most a batch is lost to a crash);
// Save writes all of it. The memo shows the newest 50 000 lines in batches
// (every 70 ms) for drawing speed. When the file cannot be written, logging
// stops and the user is told. The file is deleted when the page goes (a
// normal end); one left behind by a crash is offered at the next start
// (OfferLeftoverLogs).
class DataLogPage : public QObject {
    Q_OBJECT

  public:
    DataLogPage(QWidget* page, Prompts& prompts, const MessageTable& messages,
                const DiagnosisLink& link, std::size_t maxLines = kDataLogMaxLines);
    ~DataLogPage() override;

    // Where the log file is kept (the cache folder by default); set before
    // the first line is logged.
    void SetLogFolder(std::string folder) { folder_ = std::move(folder); }
    const std::string& LogFolder() const { return folder_; }
    // The arrival-time clock, ms since 1970 UTC (the system clock by default).
    void SetClock(std::function<std::int64_t()> clock) { clock_ = std::move(clock); }

    // The receive path's questions: is logging on, and here is a line (every
    // complete line, without CR LF, empty and over-long ones included).
    bool LogEnabled() const;
    void LogLine(std::string_view line);
    // Shows every line collected so far (before saving, and in tests).
    void FlushDataLog();
    // The batch timer: shows at most kDataLogFlushLines of the collected lines
    // and comes back at once for the rest, so that a burst never holds the
    // event loop for long. While the log is out of sight, lines wait (up to
    // the cap) until it is shown.
    void TimerFlushDataLogTimer();

    void ClearLog();
    void SaveLog();
    void SendTypedCommand();

    // Offers each log file a run that ended abnormally left in the log
    // folder: Yes saves its lines (as Save does) and deletes it, No deletes
    // it; a cancelled or failed save keeps it for the next start.
    void OfferLeftoverLogs();

    // The memo's lines as shown, as the bytes they arrived as.
    std::vector<std::string> LogLines() const;
    std::size_t MaxLines() const { return batch_.MaxLines(); }
    // The lines logged since the last Clear (all of them are in the file).
    std::uint64_t LoggedLines() const { return loggedLines_; }
    // The log file, empty while there is none.
    const std::string& LogFilePath() const { return file_.Path(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    void ShowLines(std::size_t maxLines);
    void UpdateShowing();
    bool OpenLogFile();
    void StopLogging(const std::string& reason);
    void SetLogging(bool checked);
    // The save dialog with its default extension and overwrite question.
    std::optional<std::string> AskLogFileName();
    bool WriteLogFile(const std::string& path, const std::string& logPath);
    void ShowSaveFailed(const std::string& path);
    QString Message(MessageId id) const;

    QWidget* page_;
    Prompts& prompts_;
    const MessageTable& messages_;
    const DiagnosisLink& link_;
    DataLogBatch batch_;
    DataLogFile file_;
    std::string folder_;
    std::function<std::int64_t()> clock_;
    // A line with its time stamp, reused.
    std::string stamped_;
    std::uint64_t loggedLines_ = 0;
    // Writing the file failed; nothing goes to it until logging is ticked again.
    bool fileFailed_ = false;
    QTimer* flushTimer_ = nullptr;
    // The log holds lines since it was last emptied (an empty first line
    // leaves the text empty).
    bool hasLines_ = false;
    QPlainTextEdit* memo_ = nullptr;
    QCheckBox* cbxEnableLog_ = nullptr;
    QCheckBox* cbxAddTimeStamp_ = nullptr;
    QLabel* lblLogLimit_ = nullptr;
    QLineEdit* editSendCommand_ = nullptr;
};

}  // namespace navoro
