#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class AgreementDialog;
}

namespace navoro {

// The maker's user agreement with Agree and Cancel; both buttons close it.
// Created at start-up and kept until exit; always on top, centred on the main
// window when shown.
class AgreementDialog : public QDialog {
    Q_OBJECT

  public:
    explicit AgreementDialog(QWidget* parent = nullptr);
    ~AgreementDialog() override;

    void Agree();
    void Decline();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    std::unique_ptr<Ui::AgreementDialog> ui_;
};

}  // namespace navoro
