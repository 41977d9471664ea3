#pragma once

#include <QFont>

#include "app/Languages.h"

namespace navoro {

// The font for a language: `base` when its family has the language's script,
// otherwise the same size with an installed family that has it put first (the
// base family stays as the fallback). `base` itself when no family has it.
QFont FontForScript(const QFont& base, Script script);

}  // namespace navoro
