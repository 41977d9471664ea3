#include "app/DemoSimulator.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

namespace navoro {

namespace {

constexpr qsizetype kKeptErrorBytes = 2000;

}  // namespace

DemoSimulator::DemoSimulator(QObject* parent) : QObject(parent) {
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    connect(&process_, &QProcess::readyReadStandardError, this, &DemoSimulator::ForwardErrors);
    // Only the first line (the path) matters; the rest is read and dropped.
    connect(&process_, &QProcess::readyReadStandardOutput, this, [this] {
        if (Running()) process_.readAllStandardOutput();
    });
}

DemoSimulator::~DemoSimulator() {
    Stop();
}

void DemoSimulator::ForwardErrors() {
    const QByteArray text = process_.readAllStandardError();
    if (text.isEmpty()) return;
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stderr);
    errors_ += text;
    if (errors_.size() > kKeptErrorBytes) errors_ = errors_.right(kKeptErrorBytes);
}

bool DemoSimulator::Start(const QString& program, const QStringList& arguments, int timeoutMs,
                          std::string& path, std::string& error) {
    Stop();
    path.clear();
    errors_.clear();
    const std::string name = program.toStdString();
    if (!QFileInfo(program).isExecutable()) {
        error = "The simulated transponder " + name +
                " was not found or cannot be run. Demo mode needs navoro-sim next to navoro "
                "(the README's build puts both in build/bin).";
        return false;
    }
    // Reads the output by itself below; the signal handler must not take it.
    const QSignalBlocker quiet(&process_);
    QElapsedTimer clock;
    clock.start();
    process_.start(program, arguments, QIODevice::ReadOnly);
    if (!process_.waitForStarted(timeoutMs)) {
        error = "The simulated transponder " + name +
                " could not be started: " + process_.errorString().toStdString();
        Stop();
        return false;
    }
    while (!process_.canReadLine()) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (process_.state() == QProcess::NotRunning || left <= 0) break;
        process_.waitForReadyRead(static_cast<int>(left));
    }
    if (!process_.canReadLine()) {
        ForwardErrors();
        const bool ended = process_.state() == QProcess::NotRunning;
        error =
            "The simulated transponder " + name +
            (ended ? " ended without reporting its port"
                   : " did not report its port within " + std::to_string(timeoutMs / 1000) + " s");
        const QString said = QString::fromLocal8Bit(errors_).trimmed();
        if (!said.isEmpty()) error += ": " + said.toStdString();
        error += ".";
        Stop();
        return false;
    }
    const QString line = QString::fromLocal8Bit(process_.readLine()).trimmed();
    if (!line.startsWith(QLatin1Char('/'))) {
        error = "The simulated transponder " + name + " reported \"" + line.toStdString() +
                "\" instead of its port.";
        Stop();
        return false;
    }
    path = line.toStdString();
    return true;
}

void DemoSimulator::Stop(int graceMs) {
    if (process_.state() == QProcess::NotRunning) return;
    const QSignalBlocker quiet(&process_);
    process_.terminate();
    if (!process_.waitForFinished(graceMs)) {
        process_.kill();
        process_.waitForFinished(1000);
    }
    ForwardErrors();
}

bool DemoSimulator::StartDemo(const std::string& folder, const std::string& gnss,
                              const std::string& maker, std::string& path, std::string& error) {
    QStringList arguments{QStringLiteral("--exit-with-parent")};
    if (!gnss.empty()) arguments << QStringLiteral("--gnss") << QString::fromStdString(gnss);
    if (!maker.empty()) arguments << QStringLiteral("--maker") << QString::fromStdString(maker);
    return Start(QString::fromStdString(folder + "navoro-sim"), arguments, 10000, path, error);
}

}  // namespace navoro
