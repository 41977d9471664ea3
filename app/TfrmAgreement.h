#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TfrmAgreement;
}

namespace navoro {

// The maker's user agreement with Agree and Cancel; both buttons close it.
// Created at start-up and kept until exit; always on top, centred on the main
// window when shown.
class TfrmAgreement : public QDialog {
    Q_OBJECT

  public:
    explicit TfrmAgreement(QWidget* parent = nullptr);
    ~TfrmAgreement() override;

    void ButtonAgreeClick();
    void ButtonCancelClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    std::unique_ptr<Ui::TfrmAgreement> ui_;
};

}  // namespace navoro
