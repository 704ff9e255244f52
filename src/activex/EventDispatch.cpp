#include "activex/EventDispatch.h"

#include "platform/Variant.h"

namespace zarn {

namespace {

// A by-reference VARIANT pointing at one event argument. Texts travel as a
// BSTR of their own, copied back after the call.
VARIANT ByReference(EventArg& arg, Bstr& text) {
    VARIANT v;
    VariantInit(&v);
    switch (arg.type) {
    case EventArg::Type::Integer:
        V_VT(&v) = VT_BYREF | VT_I2;
        V_I2REF(&v) = static_cast<SHORT*>(arg.value);
        break;
    case EventArg::Type::Long:
        V_VT(&v) = VT_BYREF | VT_I4;
        V_I4REF(&v) = static_cast<LONG*>(arg.value);
        break;
    case EventArg::Type::Single:
        V_VT(&v) = VT_BYREF | VT_R4;
        V_R4REF(&v) = static_cast<FLOAT*>(arg.value);
        break;
    case EventArg::Type::Bool:
        V_VT(&v) = VT_BYREF | VT_BOOL;
        V_BOOLREF(&v) = static_cast<VARIANT_BOOL*>(arg.value);
        break;
    case EventArg::Type::String:
        text = Bstr(*static_cast<std::wstring*>(arg.value));
        V_VT(&v) = VT_BYREF | VT_BSTR;
        V_BSTRREF(&v) = text.InPlace();
        break;
    case EventArg::Type::Object:
        V_VT(&v) = VT_BYREF | VT_DISPATCH;
        V_DISPATCHREF(&v) = static_cast<IDispatch**>(arg.value);
        break;
    }
    return v;
}

} // namespace

void InvokeEvent(const std::vector<Microsoft::WRL::ComPtr<IDispatch>>& sinks, DISPID id,
                 std::span<EventArg> args) {
    std::vector<Bstr> texts(args.size());
    std::vector<VARIANT> refs(args.size());
    for (size_t i = 0; i < args.size(); ++i) // the last argument comes first
        refs[args.size() - 1 - i] = ByReference(args[i], texts[i]);
    DISPPARAMS params{refs.data(), nullptr, static_cast<UINT>(refs.size()), 0};
    for (const auto& sink : sinks)
        sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    for (size_t i = 0; i < args.size(); ++i)
        if (args[i].type == EventArg::Type::String)
            *static_cast<std::wstring*>(args[i].value) = texts[i].Text();
}

} // namespace zarn
