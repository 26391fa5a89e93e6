#include "platform/qt/resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void registerCompiledResources() {
    Q_INIT_RESOURCE(velmora);
}

namespace platform::qt {

void loadResources() {
    static const bool loaded = (registerCompiledResources(), true);
    (void)loaded;
}

}  // namespace platform::qt
