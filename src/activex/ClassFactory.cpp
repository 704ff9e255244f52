#include "activex/ClassFactory.h"

#include "activex/Module.h"
#include "activex/ZarnObject.h"

namespace zarn {

namespace {

// Stateless, so one static instance serves every call; its references
// don't keep the module loaded, LockServer does.
class ZarnFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (!object)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        return ZarnObject::Create(riid, object);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        module::Lock(lock != FALSE);
        return S_OK;
    }
};

ZarnFactory factory;

} // namespace

HRESULT GetZarnClassObject(REFIID iid, void** object) {
    return factory.QueryInterface(iid, object);
}

} // namespace zarn
