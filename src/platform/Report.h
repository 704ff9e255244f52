#pragma once
// The ways a procedure reports a run-time error it traps. Each procedure's
// trap is one call: Trapped(body, one of the reporters below).
#include "platform/RuntimeError.h"

#include <string>

namespace zarn {

// The run-time error behind the exception being handled (call inside catch).
RuntimeError CurrentError();

// Runs body; when it throws, returns onError(error) instead.
template <class Body, class OnError> auto Trapped(Body&& body, OnError&& onError) -> decltype(body()) {
    try {
        return body();
    } catch (...) {
        return onError(CurrentError());
    }
}

// The date module's message: label, description, two blanks, number.
void ReportDateError(const std::wstring& label, const RuntimeError& error, UINT style,
                     const std::wstring& title);

// A module's OK-only message: module label, procedure label, description,
// one blank, number.
void ReportModuleError(const std::wstring& module, const std::wstring& label, const RuntimeError& error);

// The control's trap: in run mode the error goes on to the host with the
// source "piloCal_Ctl:_" + label; at design time it is dropped.
void RaiseToHost(const std::wstring& label, const RuntimeError& error, bool userMode);

// An error that reaches a window procedure has no caller left to take it:
// the user is told, as a host's runtime tells of an unhandled error, and
// the message is done with.
void ReportUnhandled(const RuntimeError& error);

// Runs a message handler; whatever it throws ends there, reported.
template <class Handler> void AtMessageBoundary(Handler&& handler) {
    try {
        handler();
    } catch (...) {
        ReportUnhandled(CurrentError());
    }
}

// Runs one step of a procedure whose failing steps are skipped.
template <class Step> void SkipOnError(Step&& step) {
    try {
        step();
    } catch (...) {
    }
}

} // namespace zarn
