#pragma once

#include <functional>

#include "app/LanguageFile.h"
#include "link/ConnectionManager.h"
#include "ui/MessageTable.h"

class QWidget;

namespace navoro {

// The controls a language file sets, found by name in the three windows; the
// connection's two captions that depend on its state are set as that state is.
class WindowTexts : public LanguageTargets {
  public:
    WindowTexts(QWidget* main, QWidget* about, QWidget* agreement, const MessageTable& messages,
                std::function<HandshakeState()> handshake)
        : main_(main),
          about_(about),
          agreement_(agreement),
          messages_(messages),
          handshake_(std::move(handshake)) {}

    void SetTargetText(const LanguageKey& key, const std::string& text) override;
    void RunFoldedStep(const LanguageKey& step) override;

  private:
    QWidget* main_;
    QWidget* about_;
    QWidget* agreement_;
    const MessageTable& messages_;
    std::function<HandshakeState()> handshake_;
};

}  // namespace navoro
