#pragma once
// Owners for VARIANT and BSTR, the automation values the host passes to and
// takes from controls. Copies of a Variant are deep, like the value it holds.
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>

namespace zarnhost {

class Variant {
public:
    Variant() { VariantInit(&value_); }
    explicit Variant(const VARIANT& other);
    Variant(const Variant& other) : Variant(other.value_) {}
    Variant(Variant&& other) noexcept;
    Variant& operator=(Variant other) noexcept;
    ~Variant() { VariantClear(&value_); }

    static Variant Text(std::wstring_view text);
    static Variant Long(LONG value);
    static Variant Bool(bool value);
    static Variant Object(IDispatch* object); // adds a reference

    const VARIANT& Get() const { return value_; }
    VARIANT* Ptr() { return &value_; }
    VARTYPE Type() const { return V_VT(&value_); }
    VARIANT* Put(); // cleared first, for out-parameters
    VARIANT Detach() noexcept;

private:
    VARIANT value_;
};

// The text of a BSTR, which is then freed and cleared.
std::wstring TakeBstr(BSTR& text);

// A string as a BSTR the caller owns.
BSTR NewBstr(std::wstring_view text);

} // namespace zarnhost
