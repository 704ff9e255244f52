#pragma once
// Helpers for the date tests: which user locale the run is in, and user
// overrides of locale items that are undone at the end of the scope.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace zarn::test {

// The index of the run's user locale among en-GB, en-US and de-DE.
int LocaleIndex();

// Picks the expectation for the user locale the run was started in.
template <class T> T ByLocale(T enGB, T enUS, T deDE) {
    const T answers[] = {enGB, enUS, deDE};
    return answers[LocaleIndex()];
}

// A user override of one locale item, as a user would set it in the control
// panel. It is written to the shared prefix registry, so the previous value
// is put back even when the test fails.
class LocaleOverride {
public:
    LocaleOverride(LCTYPE item, const char* value);
    ~LocaleOverride() { SetLocaleInfoA(LOCALE_USER_DEFAULT, item_, previous_); }
    LocaleOverride(const LocaleOverride&) = delete;
    LocaleOverride& operator=(const LocaleOverride&) = delete;

private:
    LCTYPE item_;
    char previous_[256] = {};
};

// The message boxes shown so far as (text, style, title), to compare a whole
// sequence in one assertion.
using Box = std::tuple<std::wstring, UINT, std::wstring>;
std::vector<Box> Shown(const MessageBoxRecorder& recorder);

} // namespace zarn::test
