#pragma once
// The small service interface through which the control reaches its host.
// The COM object implements it on top of the client site and the
// connection points; tests implement it with fakes.
#include <oaidl.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include "control/DragDrop.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace zarn {

// One argument of an event. Every argument goes by reference, so that what
// the host's handler writes into it is there when the event returns.
struct EventArg {
    enum class Type { Integer, Long, Single, Bool, String, Object };
    Type type;
    void* value; // short, long, float, VARIANT_BOOL, std::wstring or IDispatch*
};

class ControlHost {
public:
    virtual ~ControlHost() = default;

    // The property stored under this property-bag key has changed.
    virtual void PropertyChanged(std::wstring_view key) = 0;

    // Ambient UserMode: True while the host runs the program, and when
    // there is no host to ask.
    virtual bool UserMode() = 0;

    // Raises an event of the control's event interface to every connected
    // handler, synchronously, in the order of connection. False when a
    // handler closed the control meanwhile: the caller stops there.
    virtual bool RaiseEvent(DISPID id, std::span<EventArg> args) = 0;

    // A reference that keeps the control alive while it handles a message
    // or a call: a handler of an event it raises meanwhile may let go of
    // every other one. None while the control is being destroyed.
    virtual Microsoft::WRL::ComPtr<IUnknown> KeepAlive() = 0;

    // The control's text box took or lost the keyboard focus, so the
    // container can make the control its active one.
    virtual void FocusChanged(bool gained) = 0;

    // The face changed; a container drawing it itself should redraw.
    virtual void ViewChanged() = 0;

    // The container's ambient font, or none when it offers no font.
    virtual Microsoft::WRL::ComPtr<IFont> AmbientFont() = 0;

    // OLE drag and drop, for a container whose thread runs it. The window
    // takes drops while the registration lives; none when it cannot.
    virtual std::unique_ptr<DropRegistration> AcceptDrops(HWND, DropListener&) { return nullptr; }
    // Runs a drag to its end; text, when given, is what it carries first.
    virtual void DoDrag(DragSourceListener&, const std::wstring*) {}
};

} // namespace zarn
