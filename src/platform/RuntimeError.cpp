#include "platform/RuntimeError.h"

#include <olectl.h>

namespace zarn {

RuntimeError::RuntimeError(long number, std::wstring description, std::wstring source)
    : number_(number), description_(std::move(description)), source_(std::move(source)) {}

RuntimeError RuntimeError::WithSource(std::wstring source) const {
    return RuntimeError(number_, description_, std::move(source));
}

std::wstring DescriptionOf(long number) {
    switch (number) {
    case ErrInvalidCall:
        return L"Invalid procedure call or argument";
    case ErrOverflow:
        return L"Overflow";
    case ErrOutOfMemory:
        return L"Out of memory";
    case 9:
        return L"Subscript out of range";
    case 11:
        return L"Division by zero";
    case ErrTypeMismatch:
        return L"Type mismatch";
    case ErrObjectNotSet:
        return L"Object variable or With block variable not set";
    case 94:
        return L"Invalid use of Null";
    case ErrInvalidProperty:
        return L"Invalid property value";
    case ErrSetNotSupportedAtRuntime:
        return L"Set not supported at runtime";
    case 383:
        return L"Set not supported (read-only property)";
    case 438:
        return L"Object doesn't support this property or method";
    case 449:
        return L"Argument not optional";
    case 481:
        return L"Invalid picture";
    default:
        return L"Application-defined or object-defined error";
    }
}

void Raise(long number, std::wstring source) {
    throw RuntimeError(number, DescriptionOf(number), std::move(source));
}

namespace {

long NumberOf(HRESULT hr) {
    switch (hr) {
    case DISP_E_TYPEMISMATCH:
        return ErrTypeMismatch;
    case DISP_E_OVERFLOW:
        return ErrOverflow;
    case E_OUTOFMEMORY:
        return ErrOutOfMemory;
    case E_INVALIDARG:
        return ErrInvalidCall;
    case DISP_E_PARAMNOTOPTIONAL:
    case DISP_E_BADPARAMCOUNT:
        return 449;
    case DISP_E_UNKNOWNNAME:
    case DISP_E_MEMBERNOTFOUND:
        return 438;
    case E_POINTER:
        return 91;
    case CTL_E_INVALIDPICTURE:
        return 481;
    default:
        break;
    }
    if (HRESULT_FACILITY(hr) == FACILITY_CONTROL)
        return HRESULT_CODE(hr);
    return static_cast<long>(hr);
}

} // namespace

RuntimeError ErrorFromHResult(HRESULT hr, std::wstring source) {
    const long number = NumberOf(hr);
    if (number != static_cast<long>(hr))
        return RuntimeError(number, DescriptionOf(number), std::move(source));
    wchar_t* text = nullptr;
    std::wstring description = L"Automation error";
    if (FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                           FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr) &&
        text) {
        description = text;
        while (!description.empty() && (description.back() == L'\n' || description.back() == L'\r'))
            description.pop_back();
        LocalFree(text);
    }
    return RuntimeError(number, description, std::move(source));
}

void ThrowIfFailed(HRESULT hr) {
    if (FAILED(hr))
        throw ErrorFromHResult(hr);
}

HRESULT HResultOf(const RuntimeError& error) {
    const long n = error.Number();
    if (n > 0 && n <= 0xFFFF)
        return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, n);
    if (n < 0)
        return static_cast<HRESULT>(n);
    return E_FAIL;
}

} // namespace zarn
