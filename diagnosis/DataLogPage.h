#pragma once

#include <QObject>
#include <QString>
#include <string>
#include <string_view>

#include "diagnosis/DataLogBatch.h"
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
// transponder exactly as typed. Lines are shown in batches (every 70 ms) and
// the log keeps the newest 50 000 lines.
class DataLogPage : public QObject {
    Q_OBJECT

  public:
    DataLogPage(QWidget* page, Prompts& prompts, const MessageTable& messages,
                const DiagnosisLink& link, std::size_t maxLines = kDataLogMaxLines);

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

    void btnClearLogClick();
    void btnSaveLogClick();
    void ButtonCustomSendCommandClick();

    // The log's lines as shown, as the bytes they arrived as.
    std::vector<std::string> LogLines() const;
    std::size_t MaxLines() const { return batch_.MaxLines(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    void ShowLines(std::size_t maxLines);
    bool WriteLogFile(const std::string& path);

    QWidget* page_;
    Prompts& prompts_;
    const MessageTable& messages_;
    const DiagnosisLink& link_;
    DataLogBatch batch_;
    QTimer* flushTimer_ = nullptr;
    // The log holds lines since it was last emptied (an empty first line
    // leaves the text empty).
    bool hasLines_ = false;
    QPlainTextEdit* memo_ = nullptr;
    QCheckBox* cbxEnableLog_ = nullptr;
    QLineEdit* editSendCommand_ = nullptr;
};

}  // namespace navoro
