#pragma once

namespace navoro {

// The product's version, as the About dialog and the configuration report show it.
inline constexpr const char* kVersionText = "Ver 1.2 Build20200221";
// The application title: taskbar name and the title of uncaught-error boxes.
inline constexpr const char* kApplicationTitle = "LUMO AIS Configuration";

}  // namespace navoro
