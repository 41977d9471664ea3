#include "app/TfrmAgreement.h"

#include "ui_TfrmAgreement.h"

namespace navoro {

TfrmAgreement::TfrmAgreement(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TfrmAgreement>()) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setFixedSize(sizeHint().expandedTo(QSize(480, 400)));
    connect(ui_->ButtonAgree, &QPushButton::clicked, this, &TfrmAgreement::ButtonAgreeClick);
    connect(ui_->ButtonCancel, &QPushButton::clicked, this, &TfrmAgreement::ButtonCancelClick);
}

TfrmAgreement::~TfrmAgreement() = default;

void TfrmAgreement::ButtonAgreeClick() {
    close();
}

void TfrmAgreement::ButtonCancelClick() {
    close();
}

void TfrmAgreement::showEvent(QShowEvent* event) {
    if (QWidget* owner = parentWidget()) {
        const QRect frame = owner->frameGeometry();
        move(frame.center() - QPoint(width() / 2, height() / 2));
    }
    QDialog::showEvent(event);
}

}  // namespace navoro
