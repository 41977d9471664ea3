#include "config/MaintenanceDialog.h"

#include <QEvent>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "codec/Composer.h"
#include "codec/ParameterCodes.h"
#include "config/WriteRules.h"
#include "config/tabs/DbgPairs.h"

namespace navoro {

namespace {

struct ModeTexts {
    const char* Title;
    const char* Label;
    const char* Prompt;
    const char* Button;
    int MaxLength;
    const char* Characters;  // what the field takes
};

constexpr ModeTexts kModes[] = {
    {"Factory Restore", "Please enter the maintenance code.", "Key-in maintenance code here",
     "Restore", 8, "[0-9]{0,8}"},
    {"Generate Serial Number Sentence", "Please enter the new serial number.",
     "Key-in new serial number here", "Generate", static_cast<int>(kSerialNumberSentenceMax),
     "(?:(?![,*$!\\\\^])[\\x20-\\x7E]){0,16}"},
};

const ModeTexts& TextsOf(MaintenanceDialog::Mode mode) {
    return kModes[mode == MaintenanceDialog::Mode::SerialNumberSentence ? 1 : 0];
}

}  // namespace

MaintenanceDialog::MaintenanceDialog(Prompts& prompts, QWidget* mainWindow)
    : QDialog(mainWindow), prompts_(prompts) {
    setObjectName(QStringLiteral("frmInputDialog"));
    setWindowTitle(QStringLiteral("Factory Restore"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    // It keeps the main window still while it is open, without blocking its
    // caller.
    setWindowModality(Qt::WindowModal);

    LabelActivedTitle = new QLabel(QStringLiteral("Please enter the maintenance code."), this);
    LabelActivedTitle->setObjectName(QStringLiteral("LabelActivedTitle"));
    LabelActivedTitle->setAlignment(Qt::AlignCenter);
    EditVerifyPassword = new QLineEdit(this);
    EditVerifyPassword->setObjectName(QStringLiteral("EditVerifyPassword"));
    EditVerifyPassword->installEventFilter(this);
    validator_ = new QRegularExpressionValidator(EditVerifyPassword);
    EditVerifyPassword->setValidator(validator_);
    SB_Command = new QPushButton(QStringLiteral("Restore"), this);
    SB_Command->setObjectName(QStringLiteral("SB_Command"));
    SB_Command->setDefault(true);
    connect(SB_Command, &QPushButton::clicked, this, &MaintenanceDialog::RunCommand);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(10);
    layout->addWidget(LabelActivedTitle);
    layout->addWidget(EditVerifyPassword);
    layout->addWidget(SB_Command, 0, Qt::AlignHCenter);
    SB_Command->setMinimumWidth(110);
    setFixedSize(320, 140);
    ResetTexts();
}

void MaintenanceDialog::Open(Mode mode) {
    mode_ = mode;
    if (isVisible()) ResetTexts();
    show();
    raise();
    activateWindow();
}

void MaintenanceDialog::AddMenu(QMenu* menu, QAction* before) {
    auto* maintenance = new QMenu(QStringLiteral("Maintenance(&M)"), menu);
    maintenance->setObjectName(QStringLiteral("mnuMaintenance"));
    const std::pair<const char*, const char*> items[] = {
        {"mnuFactoryRestore", "Factory Restore(&F)..."},
        {"mnuSerialNumberSentence", "Generate Serial Number Sentence(&G)..."}};
    for (const Mode mode : {Mode::FactoryRestore, Mode::SerialNumberSentence}) {
        const auto& [name, text] = items[mode == Mode::FactoryRestore ? 0 : 1];
        QAction* item = maintenance->addAction(QString::fromLatin1(text));
        item->setObjectName(QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, [this, mode] { Open(mode); });
    }
    menu->insertMenu(before, maintenance);
    menu->insertSeparator(before);
}

void MaintenanceDialog::showEvent(QShowEvent* event) {
    ResetTexts();
    QDialog::showEvent(event);
    EditVerifyPassword->setFocus();
}

bool MaintenanceDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EditVerifyPassword && event->type() == QEvent::MouseButtonPress) ClearPrompt();
    return QDialog::eventFilter(watched, event);
}

void MaintenanceDialog::ResetTexts() {
    const ModeTexts& t = TextsOf(mode_);
    setWindowTitle(QString::fromLatin1(t.Title));
    LabelActivedTitle->setText(QString::fromLatin1(t.Label));
    // The prompt shows while the field is empty and goes when the user types.
    EditVerifyPassword->clear();
    EditVerifyPassword->setPlaceholderText(QString::fromLatin1(t.Prompt));
    EditVerifyPassword->setMaxLength(t.MaxLength);
    validator_->setRegularExpression(QRegularExpression(QString::fromLatin1(t.Characters)));
    SB_Command->setText(QString::fromLatin1(t.Button));
}

void MaintenanceDialog::ClearPrompt() {
    if (EditVerifyPassword->text().contains(QStringLiteral("Key-in"))) EditVerifyPassword->clear();
}

void MaintenanceDialog::RunCommand() {
    if (mode_ == Mode::SerialNumberSentence) {
        GenerateSerialNumberSentence();
    } else {
        FactoryRestore();
    }
    close();
}

void MaintenanceDialog::FactoryRestore() {
    // A wrong code is refused silently.
    if (!IsMaintenanceCode(EditVerifyPassword->text().toStdString())) return;
    SentenceRecord restore = DbgSentence(0, {{kParamCommand, kCommandFactoryRestore}});
    char line[kComposeBufferSize];
    const bool composed = ComposeRecord(restore, line, sizeof line, "DBG", "P");
    const SendResult sent = composed && Send ? Send(line) : SendResult::Failed;
    if (sent != SendResult::Failed) return;
    // Not sent, and the send path has not said so.
    prompts_.ShowError(ErrorTitle ? ErrorTitle() : "Error",
                       (PortOpenErrorText ? PortOpenErrorText() : std::string()) +
                           "\n\nThe factory restore command was not sent.");
}

void MaintenanceDialog::GenerateSerialNumberSentence() {
    // An empty or over-long serial number is refused silently.
    const std::optional<std::string> sentence =
        SerialNumberSentence(EditVerifyPassword->text().toStdString());
    if (sentence && PutSendCommand) PutSendCommand(QString::fromStdString(*sentence));
}

}  // namespace navoro
