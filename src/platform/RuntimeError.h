#pragma once
// Run-time errors: one exception type carrying the error number, its
// description and its source, as the host finally sees them.
#include <windows.h>

#include <exception>
#include <string>

namespace zarn {

// Error numbers the control raises or meets in conversions.
enum ErrorNumber : long {
    ErrInvalidCall = 5,
    ErrOverflow = 6,
    ErrOutOfMemory = 7,
    ErrTypeMismatch = 13,
    ErrObjectNotSet = 91,
    ErrInvalidProperty = 380,
    ErrSetNotSupportedAtRuntime = 382,
};

class RuntimeError : public std::exception {
public:
    RuntimeError(long number, std::wstring description, std::wstring source = {});

    long Number() const { return number_; }
    const std::wstring& Description() const { return description_; }
    const std::wstring& Source() const { return source_; }
    RuntimeError WithSource(std::wstring source) const;
    const char* what() const noexcept override { return "zarn::RuntimeError"; }

private:
    long number_;
    std::wstring description_;
    std::wstring source_;
};

// The standard description of an error number ("Type mismatch" for 13).
std::wstring DescriptionOf(long number);

[[noreturn]] void Raise(long number, std::wstring source = {});

// A failed HRESULT as the run-time error a host would report for it:
// FACILITY_CONTROL codes and the common dispatch failures map to their
// error numbers, anything else keeps the HRESULT as its number.
RuntimeError ErrorFromHResult(HRESULT hr, std::wstring source = {});
void ThrowIfFailed(HRESULT hr);

// The HRESULT a COM caller sees for an error; the inverse of ErrorFromHResult.
HRESULT HResultOf(const RuntimeError& error);

} // namespace zarn
