#pragma once
// Move-only owners for Win32 handles: one template, one alias per handle
// type. A wrapper either owns its handle or borrows it (WTL's habit); a
// borrowed handle is never closed.
#include <windows.h>

#include <utility>

namespace zarn {

template <class Handle, auto Close, Handle Invalid = Handle{}> class unique_any {
public:
    unique_any() = default;
    explicit unique_any(Handle h, bool owns = true) : handle_(h), owns_(owns) {}
    unique_any(unique_any&& other) noexcept
        : handle_(std::exchange(other.handle_, Invalid)), owns_(std::exchange(other.owns_, true)) {}
    unique_any& operator=(unique_any&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, Invalid);
            owns_ = std::exchange(other.owns_, true);
        }
        return *this;
    }
    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;
    ~unique_any() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Invalid; }
    Handle release() {
        owns_ = true;
        return std::exchange(handle_, Invalid);
    }
    void reset(Handle h = Invalid, bool owns = true) {
        if (handle_ != Invalid && owns_)
            Close(handle_);
        handle_ = h;
        owns_ = owns;
    }

private:
    Handle handle_ = Invalid;
    bool owns_ = true;
};

using UniqueHwnd = unique_any<HWND, DestroyWindow>;

} // namespace zarn
