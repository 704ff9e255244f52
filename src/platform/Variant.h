#pragma once
// VARIANT and BSTR owners, and the conversions the control needs, with the
// platform's coercion rules (VariantChangeType) and its errors: type
// mismatch (13) and overflow (6).
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>

namespace zarn {

// Owns one BSTR; move-only.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::wstring_view text);
    Bstr(Bstr&& other) noexcept : value_(other.Detach()) {}
    Bstr& operator=(Bstr&& other) noexcept;
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(value_); }

    BSTR Get() const { return value_; }
    BSTR Detach() noexcept;
    BSTR* Put(); // frees the current string first
    // The owned string in place, for a callee that may replace it (a
    // by-reference argument); the owner frees whatever it holds after.
    BSTR* InPlace() { return &value_; }
    std::wstring Text() const { return value_ ? std::wstring(value_, SysStringLen(value_)) : std::wstring(); }

private:
    BSTR value_ = nullptr;
};

// Owns one VARIANT. Copies are deep (VariantCopy), like the automation
// value type it stands for.
class Variant {
public:
    Variant() { VariantInit(&value_); }
    Variant(const VARIANT& other);
    Variant(const Variant& other) : Variant(other.value_) {}
    Variant(Variant&& other) noexcept;
    Variant& operator=(const Variant& other);
    Variant& operator=(Variant&& other) noexcept;
    ~Variant() { VariantClear(&value_); }

    static Variant FromText(std::wstring_view text);
    static Variant FromLong(long value);
    static Variant FromInteger(short value);
    static Variant FromBool(bool value);
    static Variant Null();
    // The value a reference points at (VT_BYREF resolved), as a new owner
    // that points into nobody's memory. A reference to nothing, or to
    // another reference, is a type mismatch.
    static Variant Dereferenced(const VARIANT& other);
    // What a client means by a value, as an assignment takes it: a
    // reference followed, an object replaced by its default value. Only a
    // single value (a number, date, text, Boolean, error, Empty or Null) is
    // one; an array or an object without a default value is a type mismatch.
    static Variant ValueOf(const VARIANT& other);

    const VARIANT& Get() const { return value_; }
    VARTYPE Type() const { return V_VT(&value_); }
    bool IsEmpty() const { return Type() == VT_EMPTY; }
    VARIANT* Put(); // clears first
    void CopyTo(VARIANT* out) const;

private:
    VARIANT value_;
};

bool IsEmptyOrMissing(const VARIANT& v);
bool IsNull(const VARIANT& v);

long ToLong(const VARIANT& v);
short ToInteger(const VARIANT& v);
bool ToBool(const VARIANT& v);
float ToSingle(const VARIANT& v);
double ToDouble(const VARIANT& v);
// The text form: a number by its decimal digits, a Boolean as "True" or
// "False", Empty as "". Null is an error ("Invalid use of Null", 94).
std::wstring ToText(const VARIANT& v);

// Narrowing of a Long to an Integer, overflow (6) when it does not fit.
short NarrowToInteger(long value);

inline VARIANT_BOOL ToVariantBool(bool b) {
    return b ? VARIANT_TRUE : VARIANT_FALSE;
}

} // namespace zarn
