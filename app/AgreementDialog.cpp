#include "app/AgreementDialog.h"

#include "ui_AgreementDialog.h"

namespace navoro {

AgreementDialog::AgreementDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::AgreementDialog>()) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setFixedSize(sizeHint().expandedTo(QSize(480, 400)));
    connect(ui_->ButtonAgree, &QPushButton::clicked, this, &AgreementDialog::Agree);
    connect(ui_->ButtonCancel, &QPushButton::clicked, this, &AgreementDialog::Decline);
}

AgreementDialog::~AgreementDialog() = default;

void AgreementDialog::Agree() {
    close();
}

void AgreementDialog::Decline() {
    close();
}

void AgreementDialog::showEvent(QShowEvent* event) {
    if (QWidget* owner = parentWidget()) {
        const QRect frame = owner->frameGeometry();
        move(frame.center() - QPoint(width() / 2, height() / 2));
    }
    QDialog::showEvent(event);
}

}  // namespace navoro
