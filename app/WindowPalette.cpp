#include "app/WindowPalette.h"

#include <QApplication>

namespace navoro {

QPalette LightWindowPalette() {
    const QColor window(0xf0, 0xf0, 0xf0);
    const QColor text(0x00, 0x00, 0x00);
    const QColor disabledText(0x5a, 0x64, 0x70);  // 4.5:1 and more on the light grounds
    QPalette p(window);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Window, window);
        p.setColor(group, QPalette::WindowText, text);
        p.setColor(group, QPalette::Base, Qt::white);
        p.setColor(group, QPalette::AlternateBase, QColor(0xf5, 0xf5, 0xf5));
        p.setColor(group, QPalette::Text, text);
        p.setColor(group, QPalette::Button, window);
        p.setColor(group, QPalette::ButtonText, text);
        p.setColor(group, QPalette::BrightText, Qt::white);
        p.setColor(group, QPalette::ToolTipBase, QColor(0xff, 0xff, 0xdc));
        p.setColor(group, QPalette::ToolTipText, text);
        p.setColor(group, QPalette::PlaceholderText, QColor(0x5a, 0x64, 0x70));
        p.setColor(group, QPalette::Highlight, QColor(0x30, 0x8c, 0xc6));
        p.setColor(group, QPalette::HighlightedText, Qt::white);
        p.setColor(group, QPalette::Link, QColor(0x00, 0x00, 0xff));
        p.setColor(group, QPalette::LinkVisited, QColor(0xff, 0x00, 0xff));
        p.setColor(group, QPalette::Light, Qt::white);
        p.setColor(group, QPalette::Midlight, QColor(0xe3, 0xe3, 0xe3));
        p.setColor(group, QPalette::Mid, QColor(0xa0, 0xa0, 0xa0));
        p.setColor(group, QPalette::Dark, QColor(0xa0, 0xa0, 0xa0));
        p.setColor(group, QPalette::Shadow, QColor(0x69, 0x69, 0x69));
    }
    p.setColor(QPalette::Disabled, QPalette::Window, window);
    p.setColor(QPalette::Disabled, QPalette::Base, window);
    p.setColor(QPalette::Disabled, QPalette::Button, window);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::PlaceholderText})
        p.setColor(QPalette::Disabled, role, disabledText);
    p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(0x91, 0x91, 0x91));
    p.setColor(QPalette::Disabled, QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Disabled, QPalette::ToolTipBase, QColor(0xff, 0xff, 0xdc));
    p.setColor(QPalette::Disabled, QPalette::ToolTipText, text);
    return p;
}

void SpreadPalette(QWidget* root) {
    // Parents come before their children in this list.
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (w->isWindow() || !w->parentWidget()) continue;
        QPalette spread = w->parentWidget()->palette();
        if (w->testAttribute(Qt::WA_SetPalette)) {
            // A palette of its own keeps the colours chosen for it; those it
            // took over from the application's become the window's.
            const QPalette own = w->palette();
            const QPalette application = QApplication::palette(w);
            for (int g = 0; g < QPalette::NColorGroups; ++g) {
                const auto group = static_cast<QPalette::ColorGroup>(g);
                for (int r = 0; r < QPalette::NColorRoles; ++r) {
                    const auto role = static_cast<QPalette::ColorRole>(r);
                    if (own.color(group, role) != application.color(group, role))
                        spread.setColor(group, role, own.color(group, role));
                }
            }
        }
        w->setPalette(spread);
    }
}

}  // namespace navoro
