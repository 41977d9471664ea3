#pragma once

// Demo mode: runs the simulated transponder (navoro-sim) on a pseudo-terminal
// so that the program can connect without hardware. The simulator prints the
// terminal's path on its first line of output; it is stopped (terminated,
// then killed after a grace time) when this object stops or goes, and it
// ends by itself should this process die first (--exit-with-parent).

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <string>

namespace navoro {

class DemoSimulator : public QObject {
    Q_OBJECT
  public:
    explicit DemoSimulator(QObject* parent = nullptr);
    ~DemoSimulator() override;

    // Starts `program` with `arguments` and waits at most `timeoutMs` for the
    // path on its first line. True with the path; false with a sentence for
    // the user in `error` (and nothing left running).
    bool Start(const QString& program, const QStringList& arguments, int timeoutMs,
               std::string& path, std::string& error);
    // Starts navoro-sim from `folder` (with a trailing separator), its GNSS
    // receiver of the form `gnss` ("" for its default), speaking as the maker
    // `maker` ("standard", or "" for ours), for the demo mode.
    bool StartDemo(const std::string& folder, const std::string& gnss, const std::string& maker,
                   std::string& path, std::string& error);
    // Terminates the simulator, kills it when it is still there after
    // `graceMs`. Does nothing when it does not run.
    void Stop(int graceMs = 2000);
    bool Running() const { return process_.state() != QProcess::NotRunning; }
    qint64 ProcessId() const { return process_.processId(); }

  private:
    void ForwardErrors();

    QProcess process_;
    QByteArray errors_;  // the last of what the simulator wrote to standard error
};

}  // namespace navoro
