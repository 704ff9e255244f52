#pragma once
// Connection points for the control's outgoing interfaces. A connection
// point lives inside its container and shares its reference count, so a
// client holding one keeps the whole control alive.
#include <ocidl.h>
#include <wrl/client.h>

#include <vector>

namespace zarn {

class ConnectionPoint final : public IConnectionPoint {
public:
    ConnectionPoint(IConnectionPointContainer& container, REFIID iid) : container_(container), iid_(iid) {}

    // IUnknown, delegated to the container for lifetime.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return container_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return container_.Release(); }

    // IConnectionPoint
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

    REFIID Iid() const { return iid_; }

    // The sinks now connected, each queried for the outgoing interface.
    // A copy: a sink may unadvise while being called.
    template <class Sink> std::vector<Microsoft::WRL::ComPtr<Sink>> Sinks() const {
        std::vector<Microsoft::WRL::ComPtr<Sink>> sinks;
        for (const auto& c : connections_)
            if (c.sink)
                sinks.emplace_back(static_cast<Sink*>(c.sink.Get()));
        return sinks;
    }

    // Drops every sink (the control is closing).
    void DisconnectAll() { connections_.clear(); }

private:
    struct Connection {
        DWORD cookie;
        Microsoft::WRL::ComPtr<IUnknown> sink; // holds the outgoing interface itself
    };

    IConnectionPointContainer& container_;
    IID iid_;
    std::vector<Connection> connections_;
    DWORD nextCookie_ = 1;
};

// Enumerators over a snapshot of connections or connection points.
HRESULT NewConnectionsEnumerator(std::vector<CONNECTDATA> items, IEnumConnections** out);
HRESULT NewConnectionPointsEnumerator(std::vector<IConnectionPoint*> points, IEnumConnectionPoints** out);

} // namespace zarn
