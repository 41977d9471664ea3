#pragma once

// Saving a window as a PNG for the screenshot programs: what was saved, or
// that it failed, is printed on standard output.

#include <QApplication>
#include <QPixmap>
#include <QWidget>
#include <cstdio>

namespace navoro::test {

inline bool SavePicture(const QPixmap& picture, const QString& path) {
    const bool ok = picture.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

// The widget as it is on the screen once the pending events have run.
inline bool SaveWidget(QWidget* widget, const QString& path) {
    QApplication::processEvents();
    return SavePicture(widget->grab(), path);
}

}  // namespace navoro::test
