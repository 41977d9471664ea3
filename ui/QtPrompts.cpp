#include "ui/QtPrompts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QThread>
#include <QUrl>
#include <chrono>

namespace navoro {

namespace {

QMessageBox::Icon ToQt(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Information:
            return QMessageBox::Information;
        case PromptIcon::Warning:
            return QMessageBox::Warning;
        case PromptIcon::Error:
            return QMessageBox::Critical;
        case PromptIcon::Question:
            return QMessageBox::Question;
        case PromptIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

void RepaintVisibleWindows() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) window->repaint();
    }
}

}  // namespace

int QtPrompts::Ask(PromptIcon icon, const std::string& title, const std::string& text, int buttons,
                   int yesButton) {
    QMessageBox box(ToQt(icon), Q(title), Q(text),
                    static_cast<QMessageBox::StandardButtons>(buttons), parent_.data());
    return box.exec() == yesButton ? 1 : 0;
}

void QtPrompts::ShowMessage(PromptIcon icon, const std::string& title, const std::string& text) {
    Ask(icon, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtPrompts::AskOkCancel(PromptIcon icon, const std::string& title, const std::string& text) {
    return Ask(icon, title, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == 1;
}

bool QtPrompts::AskYesNo(PromptIcon icon, const std::string& title, const std::string& text) {
    return Ask(icon, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == 1;
}

std::optional<std::string> QtPrompts::AskSaveFileName(const std::string& title,
                                                      const std::string& suggestedPath,
                                                      const std::string& filter) {
    // The callers ask before overwriting a file themselves (with their own
    // texts), so the dialog does not ask a second time.
    const QString path =
        QFileDialog::getSaveFileName(parent_.data(), Q(title), Q(suggestedPath), Q(filter), nullptr,
                                     QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::optional<std::string> QtPrompts::AskOpenFileName(const std::string& title,
                                                      const std::string& folder,
                                                      const std::string& filter) {
    const QString path =
        QFileDialog::getOpenFileName(parent_.data(), Q(title), Q(folder), Q(filter));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

bool QtPrompts::OpenInEditor(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(Q(path)));
}

bool QtPrompts::OpenWebAddress(const std::string& url) {
    return QDesktopServices::openUrl(QUrl(Q(url)));
}

void QtPrompts::Sleep(int milliseconds) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    RepaintVisibleWindows();
    for (;;) {
        const auto now = Clock::now();
        if (now >= deadline) break;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
        QThread::msleep(static_cast<unsigned long>(std::min<long long>(left.count(), 50)));
        RepaintVisibleWindows();
    }
}

}  // namespace navoro
