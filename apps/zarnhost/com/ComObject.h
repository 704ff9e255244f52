#pragma once
// The reference counting and QueryInterface plumbing shared by the host's
// own COM objects (sites, frame, sinks, bags). Everything here lives on the
// one user-interface thread, so the count needs no interlocking.
#include <unknwn.h>
#include <wrl/client.h>

#include <tuple>
#include <utility>

namespace zarnhost {

// Derived lists its interfaces as bases and answers Find(iid) with the
// matching base pointer, or nullptr.
template <class Derived, class... Interfaces> class ComObject : public Interfaces... {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object)
            return E_POINTER;
        *object = iid == IID_IUnknown ? static_cast<Derived*>(this)->Identity()
                                      : static_cast<Derived*>(this)->Find(iid);
        if (!*object)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0)
            delete static_cast<Derived*>(this);
        return left;
    }

protected:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;
    ~ComObject() = default;

    // The first interface stands for the object's identity.
    void* Identity() { return static_cast<std::tuple_element_t<0, std::tuple<Interfaces...>>*>(this); }

private:
    ULONG refs_ = 1;
};

// Creates a host object owned by the returned pointer, which takes over the
// object's first reference. (mingw-w64's ComPtr::Attach adds one of its own,
// so an attached object would never go.)
template <class T, class... Args> Microsoft::WRL::ComPtr<T> Make(Args&&... args) {
    Microsoft::WRL::ComPtr<T> made;
    *made.GetAddressOf() = new T(std::forward<Args>(args)...);
    return made;
}

} // namespace zarnhost
