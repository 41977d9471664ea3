#include "link/GuiThreadExecutor.h"

namespace navoro {

void GuiThreadExecutor::Post(std::function<void()> task) {
    QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

}  // namespace navoro
