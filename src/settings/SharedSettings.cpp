#include "settings/SharedSettings.h"

namespace {
// A plain pointer rather than a thread_local object: a thread_local with a
// destructor would register an exit hook pointing into this DLL, which may
// be unloaded before the thread ends. DllMain releases it on thread detach.
thread_local SharedSettings* current = nullptr;
} // namespace

SharedSettings& SharedSettings::ForThread() {
    if (!current)
        current = new SharedSettings();
    return *current;
}

void SharedSettings::ReleaseForThread() {
    delete current;
    current = nullptr;
}
