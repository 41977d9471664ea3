#include "config/ConfigFileTabs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "config/Configuration.h"
#include "ui/SaveFile.h"

namespace navoro {

namespace {

constexpr const char* kFileFilter = "Navoro configuration (*.json);;All files (*)";
// The problems a message box lists; the rest are counted.
constexpr std::size_t kProblemsShown = 20;

QString WithPath(const MessageTable& messages, MessageId id, const std::string& path) {
    QString text = QString::fromStdString(messages.Text(id));
    const QString file = QString::fromStdString(path);
    return text.contains(QLatin1String("%1")) ? text.replace(QLatin1String("%1"), file)
                                              : text + QLatin1Char(' ') + file;
}

std::string SuggestedFileName(const ConfigFile& file, const std::string& folder) {
    const auto& ship = file.Tabs.Get<ShipDataTab>();
    const QString mmsi = ship && ship->Mmsi
                             ? QStringLiteral("%1").arg(*ship->Mmsi, 9, 10, QChar('0'))
                             : QStringLiteral("device");
    const QString name = QStringLiteral("navoro-config-%1.json").arg(mmsi);
    return folder.empty() ? name.toStdString()
                          : QDir(QString::fromStdString(folder)).filePath(name).toStdString();
}

}  // namespace

bool SaveConfigurationFile(Configuration& configuration, Prompts& prompts,
                           const MessageTable& messages, const std::string& folder) {
    auto tabs = configuration.TabsAsFile();
    if (const auto* problem = std::get_if<RuleProblem>(&tabs)) {
        prompts.ShowWarning(messages.Text(MessageId::Warning), problem->In(messages));
        return false;
    }
    const ConfigFile& file = std::get<ConfigFile>(tabs);
    const std::optional<std::string> chosen =
        prompts.AskSaveFileName("Save configuration", SuggestedFileName(file, folder), kFileFilter);
    if (!chosen || chosen->empty()) return false;
    QString path = QString::fromStdString(*chosen);
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".json");
    if (QFileInfo::exists(path) &&
        !prompts.AskYesNo(PromptIcon::Warning, messages.Text(MessageId::Warning),
                          messages.Text(MessageId::FileExists)))
        return false;
    const QString error = SaveTextFile(path, WriteConfigFile(file));
    if (error.isEmpty()) return true;
    prompts.ShowError(messages.Text(MessageId::Error),
                      (WithPath(messages, MessageId::ConfigFileNotSaved, path.toStdString()) +
                       QLatin1Char('\n') + error)
                          .toStdString());
    return false;
}

bool LoadConfigurationFile(Configuration& configuration, Prompts& prompts,
                           const MessageTable& messages, const std::string& folder) {
    const std::optional<std::string> chosen =
        prompts.AskOpenFileName("Load configuration", folder, kFileFilter);
    if (!chosen || chosen->empty()) return false;
    return LoadConfigurationFileFrom(configuration, prompts, messages, *chosen);
}

bool LoadConfigurationFileFrom(Configuration& configuration, Prompts& prompts,
                               const MessageTable& messages, const std::string& path) {
    const QString notLoaded = WithPath(messages, MessageId::ConfigFileNotLoaded, path);
    QFile file(QString::fromStdString(path));
    std::vector<ConfigFileProblem> problems;
    ConfigFileRead read;
    if (QFileInfo(file).isDir()) {
        problems.push_back({"", "is a folder, not a configuration file"});
    } else if (!file.open(QIODevice::ReadOnly)) {
        problems.push_back({"", file.errorString().toStdString()});
    } else if (file.size() > static_cast<qint64>(kConfigFileSizeMax)) {
        problems.push_back({"", "is too large to be a configuration file"});
    } else {
        const QByteArray bytes = file.read(static_cast<qint64>(kConfigFileSizeMax) + 1);
        read = ReadConfigFile(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        problems = read.Problems;
    }
    if (!problems.empty()) {
        QString text = notLoaded;
        std::size_t shown = 0;
        for (const ConfigFileProblem& problem : problems) {
            if (++shown > kProblemsShown) {
                text += QStringLiteral("\n(+%1)").arg(problems.size() - kProblemsShown);
                break;
            }
            text += QLatin1Char('\n');
            if (!problem.Name.empty())
                text += QString::fromStdString(problem.Name) + QLatin1String(": ");
            text += QString::fromStdString(problem.Message);
        }
        prompts.ShowWarning(messages.Text(MessageId::Warning), text.toStdString());
        return false;
    }
    configuration.Load(read.File);
    prompts.ShowInformation("Configuration",
                            WithPath(messages, MessageId::ConfigFileLoaded, path).toStdString());
    return true;
}

}  // namespace navoro
