#include "app/AboutDialog.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include "app/CommandLine.h"
#include "app/ReadMe.h"
#include "ui_AboutDialog.h"

namespace navoro {

namespace {

constexpr QColor kCream{0xFF, 0xFB, 0xF0};

// The product picture: a transponder front with its display and the AIS waves.
QPixmap ProductPicture() {
    QPixmap pixmap(192, 192);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Radio waves above the unit.
    p.setPen(QPen(QColor(0x1E, 0x5A, 0x9C), 8, Qt::SolidLine, Qt::RoundCap));
    for (int r = 24; r <= 72; r += 24) {
        p.drawArc(QRectF(96 - r, 70 - r, 2 * r, 2 * r), 45 * 16, 90 * 16);
    }
    // The unit.
    p.setPen(QPen(QColor(0x20, 0x2A, 0x38), 4));
    p.setBrush(QColor(0x33, 0x44, 0x5A));
    p.drawRoundedRect(QRectF(20, 78, 152, 96), 14, 14);
    p.setBrush(QColor(0xA6, 0xE3, 0xB8));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(36, 92, 120, 44), 6, 6);
    p.setPen(QColor(0x10, 0x30, 0x20));
    QFont font("Sans");
    font.setPixelSize(30);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(36, 92, 120, 44), Qt::AlignCenter, "AIS");
    p.setBrush(QColor(0xE0, 0xE6, 0xEE));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QRectF(44 + i * 30, 148, 14, 14));
    return pixmap;
}

}  // namespace

AboutDialog::AboutDialog(Prompts& prompts, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::AboutDialog>()), prompts_(prompts) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(false);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kCream);
    setPalette(pal);
    setAutoFillBackground(true);
    setFixedSize(sizeHint().expandedTo(QSize(440, 420)));

    ui_->Image2->setPixmap(ProductPicture());
    ui_->Label6->setText(kVersionText);
    ui_->lblCompanyName->setText(kMakerName);
    QString address = QString::fromLatin1(kMakerWebAddress);
    ui_->lblWebUrl->setText(address.remove("https://").remove(QChar('/')));
    for (QLabel* link : {ui_->lblCompanyName, ui_->lblWebUrl}) {
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
    }
    connect(ui_->btnOK, &QPushButton::clicked, this, &AboutDialog::CloseAbout);
}

AboutDialog::~AboutDialog() = default;

bool AboutDialog::LoadReadMe(const std::string& path, CodePage page) {
    const auto lines = navoro::LoadReadMe(path, page);
    if (!lines) return false;
    QStringList text;
    text.reserve(static_cast<qsizetype>(lines->size()));
    for (const std::string& line : *lines)
        text.append(QString::fromStdString(line));
    ui_->Memo1->setPlainText(text.join(QChar('\n')));
    return true;
}

void AboutDialog::CloseAbout() {
    hide();
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        (watched == ui_->lblCompanyName || watched == ui_->lblWebUrl)) {
        prompts_.OpenWebAddress(kMakerWebAddress);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void AboutDialog::showEvent(QShowEvent* event) {
    // Centred on the screen.
    if (QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    QDialog::showEvent(event);
}

}  // namespace navoro
