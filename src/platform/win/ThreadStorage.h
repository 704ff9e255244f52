#pragma once
// Storage for thread_local variables, and for the C++ run time's own
// per-thread state (the exception being handled), that goes away with the
// module. The compiler reaches every thread_local through
// __emutls_get_address; the run time's version of it takes a TLS slot and a
// lock handle that it never gives back, so a DLL loaded and freed a few
// thousand times would run out of both. This module's version keeps each
// thread's variables in one TLS slot that the module frees as it unloads.
#include <windows.h>

namespace zarn {

// Frees the calling thread's variables (DllMain, DLL_THREAD_DETACH).
void ReleaseThreadStorageOfThread();
// Frees every thread's variables and the slot (DllMain, DLL_PROCESS_DETACH
// from FreeLibrary); a later use starts afresh.
void ReleaseThreadStorage();

} // namespace zarn
