#include "app/LanguageFonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QList>
#include <QStringList>

namespace navoro {

namespace {

QFontDatabase::WritingSystem WritingSystemOf(Script script) {
    switch (script) {
        case Script::TraditionalChinese:
            return QFontDatabase::TraditionalChinese;
        case Script::SimplifiedChinese:
            return QFontDatabase::SimplifiedChinese;
        case Script::Cyrillic:
            return QFontDatabase::Cyrillic;
        case Script::Latin:
            break;
    }
    return QFontDatabase::Latin;
}

}  // namespace

QFont FontForScript(const QFont& base, Script script) {
    const QFontDatabase::WritingSystem system = WritingSystemOf(script);
    const QString baseFamily = QFontInfo(base).family();
    if (QFontDatabase::writingSystems(baseFamily).contains(system)) return base;

    const QStringList candidates = QFontDatabase::families(system);
    if (candidates.isEmpty()) return base;
    QString chosen = candidates.first();
    for (const QString& family : candidates) {
        // Prefer a proportional face for captions.
        if (!QFontDatabase::isFixedPitch(family)) {
            chosen = family;
            break;
        }
    }
    QFont font = base;
    font.setFamilies({chosen, baseFamily});
    return font;
}

}  // namespace navoro
