#include "app/WindowLanguage.h"

#include <QLabel>
#include <QVariant>

#include "app/ControlTexts.h"

namespace navoro {

void WindowTexts::SetTargetText(const LanguageKey& key, const std::string& text) {
    QWidget* window = main_;
    if (key.Window == KeyWindow::About) window = about_;
    if (key.Window == KeyWindow::Agreement) window = agreement_;
    QObject* control = FindControl(window, QString::fromLatin1(key.Control));
    if (!control) return;
    const QString caption = QString::fromStdString(text);
    if (key.Target == KeyTarget::EditLabel) {
        if (QLabel* label = AttachedLabel(qobject_cast<QWidget*>(control))) label->setText(caption);
        return;
    }
    SetCaption(control, caption);
}

void WindowTexts::RunFoldedStep(const LanguageKey& step) {
    QObject* control = FindControl(main_, QString::fromLatin1(step.Control));
    if (!control) return;
    const auto text = [this](MessageId id) { return QString::fromStdString(messages_.Text(id)); };
    if (step.Target == KeyTarget::FoldOpenPort) {
        const bool connecting = control->property("connected").toBool();
        SetCaption(control, text(connecting ? MessageId::Disconnect : MessageId::Connect));
        return;
    }
    switch (handshake_ ? handshake_() : HandshakeState::Idle) {
        case HandshakeState::Idle:
            SetCaption(control, text(MessageId::StatusDisconnect));
            break;
        case HandshakeState::AwaitingDump:
            SetCaption(control, text(MessageId::StatusConnecting));
            break;
        case HandshakeState::Linked:
            SetCaption(control, text(MessageId::StatusConnected));
            break;
    }
}

}  // namespace navoro
