#include "site/Ambients.h"

#include "com/Variant.h"

#include <olectl.h>

namespace zarnhost {

namespace {

HRESULT Put(VARIANT* out, Variant value) {
    *out = value.Detach();
    return S_OK;
}

// System colours as OLE_COLOR, given as Long: a VT_UI4 with the high bit
// set would overflow a control's conversion to Long.
Variant SystemColour(int index) {
    return Variant::Long(static_cast<LONG>(0x80000000UL | static_cast<ULONG>(index)));
}

} // namespace

HRESULT AmbientProperty(DISPID id, const AmbientState& state, VARIANT* out) {
    VariantInit(out);
    switch (id) {
    case DISPID_AMBIENT_USERMODE:
        return Put(out, Variant::Bool(state.userMode));
    case DISPID_AMBIENT_FONT:
        return Put(out, Variant::Object(state.font));
    case DISPID_AMBIENT_BACKCOLOR:
        return Put(out, SystemColour(COLOR_BTNFACE));
    case DISPID_AMBIENT_FORECOLOR:
        return Put(out, SystemColour(COLOR_BTNTEXT));
    case DISPID_AMBIENT_LOCALEID:
        return Put(out, Variant::Long(static_cast<LONG>(GetUserDefaultLCID())));
    case DISPID_AMBIENT_DISPLAYNAME:
        return Put(out, Variant::Text(state.displayName));
    case DISPID_AMBIENT_MESSAGEREFLECT:
        return Put(out, Variant::Bool(false));
    case DISPID_AMBIENT_SHOWGRABHANDLES:
    case DISPID_AMBIENT_SHOWHATCHING:
        return Put(out, Variant::Bool(!state.userMode));
    case DISPID_AMBIENT_UIDEAD:
        return Put(out, Variant::Bool(false));
    case DISPID_AMBIENT_SUPPORTSMNEMONICS:
        return Put(out, Variant::Bool(true));
    case DISPID_AMBIENT_DISPLAYASDEFAULT:
        return Put(out, Variant::Bool(false));
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT NewAmbientFont(IFontDisp** font) {
    FONTDESC description{};
    description.cbSizeofstruct = sizeof description;
    description.lpstrName = const_cast<LPOLESTR>(L"MS Sans Serif");
    description.cySize.int64 = 82500; // 8.25 points, in ten-thousandths
    description.sWeight = FW_NORMAL;
    description.sCharset = ANSI_CHARSET;
    return OleCreateFontIndirect(&description, IID_IFontDisp, reinterpret_cast<void**>(font));
}

} // namespace zarnhost
