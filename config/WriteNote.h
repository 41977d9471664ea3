#pragma once

#include <QLabel>
#include <QPointer>
#include <QTimer>

class QPropertyAnimation;

namespace navoro {

// A note that says how a write went without stopping the user: it stands at
// the bottom of the configuration tabs, stays for a few seconds and then
// fades away. Showing another note replaces it.
class WriteNote : public QLabel {
    Q_OBJECT

  public:
    // How long the note stays before it starts to fade, and how long it fades.
    static constexpr int kShownMilliseconds = 4000;
    static constexpr int kFadeMilliseconds = 800;

    // A child of `area`, named "lblWriteNote", hidden until Show.
    explicit WriteNote(QWidget* area);

    void Show(const QString& text);
    // How long the note stays before it fades, and how long it fades.
    void SetDuration(int stayMilliseconds, int fadeMilliseconds);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Place();
    void StartFade();

    QTimer stay_;
    int fadeMilliseconds_ = kFadeMilliseconds;
    QPointer<QPropertyAnimation> fade_;
};

}  // namespace navoro
