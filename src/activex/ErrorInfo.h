#pragma once
// Every COM entry point ends here when it fails: the error becomes the
// thread's IErrorInfo (source, description) and an HRESULT.
#include "platform/RuntimeError.h"

namespace zarn {

HRESULT SetComError(const RuntimeError& error, REFIID iid);

// Runs body, turning any exception into SetComError's result.
template <class Body> HRESULT ComCall(REFIID iid, Body&& body) noexcept;

} // namespace zarn

#include "platform/Report.h"

template <class Body> HRESULT zarn::ComCall(REFIID iid, Body&& body) noexcept {
    try {
        body();
        return S_OK;
    } catch (...) {
        return SetComError(CurrentError(), iid);
    }
}
