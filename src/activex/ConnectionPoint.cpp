#include "activex/ConnectionPoint.h"

#include "activex/Module.h"

#include <olectl.h>

#include <atomic>
#include <new>

namespace zarn {

HRESULT ConnectionPoint::QueryInterface(REFIID riid, void** object) {
    if (!object)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IConnectionPoint) {
        *object = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid)
        return E_POINTER;
    *iid = iid_;
    return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container)
        return E_POINTER;
    *container = &container_;
    container_.AddRef();
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie)
        return E_POINTER;
    *cookie = 0;
    if (!sink)
        return E_POINTER;
    Microsoft::WRL::ComPtr<IUnknown> outgoing;
    if (FAILED(sink->QueryInterface(iid_, reinterpret_cast<void**>(outgoing.GetAddressOf()))))
        return CONNECT_E_CANNOTCONNECT;
    try {
        connections_.push_back(Connection{nextCookie_, outgoing});
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    *cookie = nextCookie_++;
    return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
    for (auto it = connections_.begin(); it != connections_.end(); ++it) {
        if (it->cookie == cookie) {
            // Release after erasing: the sink's Release may call back into us.
            const auto sink = std::move(it->sink);
            connections_.erase(it);
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** connections) {
    if (!connections)
        return E_POINTER;
    std::vector<CONNECTDATA> items;
    for (const auto& c : connections_)
        items.push_back(CONNECTDATA{c.sink.Get(), c.cookie});
    return NewConnectionsEnumerator(std::move(items), connections);
}

namespace {

// One enumerator template for both enumerations; it holds a reference on
// every item it hands out, as the interfaces' contracts want.
template <class Enum, class Item, const IID& EnumIid> class Enumerator final : public Enum {
public:
    explicit Enumerator(std::vector<Item> items) : items_(std::move(items)) {
        for (auto& item : items_)
            Unknown(item)->AddRef();
        module::AddObject();
    }
    ~Enumerator() {
        for (auto& item : items_)
            Unknown(item)->Release();
        module::ReleaseObject();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (!object)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == EnumIid) {
            *object = static_cast<Enum*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG n = --refs_;
        if (n == 0)
            delete this;
        return n;
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* out, ULONG* fetched) override {
        if (!out || (count > 1 && !fetched))
            return E_POINTER;
        ULONG n = 0;
        for (; n < count && next_ < items_.size(); ++n, ++next_) {
            out[n] = items_[next_];
            Unknown(out[n])->AddRef();
        }
        if (fetched)
            *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const size_t left = items_.size() - next_;
        next_ += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(Enum** out) override {
        if (!out)
            return E_POINTER;
        auto* copy = new (std::nothrow) Enumerator(items_);
        if (!copy)
            return E_OUTOFMEMORY;
        copy->next_ = next_;
        *out = copy;
        return S_OK;
    }

private:
    static IUnknown* Unknown(const CONNECTDATA& c) { return c.pUnk; }
    static IUnknown* Unknown(IConnectionPoint* p) { return p; }

    std::atomic<ULONG> refs_{1};
    std::vector<Item> items_;
    size_t next_ = 0;
};

template <class Enum, class Item, const IID& EnumIid>
HRESULT NewEnumerator(std::vector<Item> items, Enum** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    try {
        *out = new Enumerator<Enum, Item, EnumIid>(std::move(items));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

} // namespace

HRESULT NewConnectionsEnumerator(std::vector<CONNECTDATA> items, IEnumConnections** out) {
    return NewEnumerator<IEnumConnections, CONNECTDATA, IID_IEnumConnections>(std::move(items), out);
}

HRESULT NewConnectionPointsEnumerator(std::vector<IConnectionPoint*> points, IEnumConnectionPoints** out) {
    return NewEnumerator<IEnumConnectionPoints, IConnectionPoint*, IID_IEnumConnectionPoints>(
        std::move(points), out);
}

} // namespace zarn
