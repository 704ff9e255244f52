#pragma once
// The ambient properties the form offers its controls.
#include <oaidl.h>
#include <ocidl.h>

#include <string>

namespace zarnhost {

struct AmbientState {
    bool userMode = true;
    IFontDisp* font = nullptr;
    std::wstring displayName;
};

// DISP_E_MEMBERNOTFOUND for an ambient the form does not offer.
HRESULT AmbientProperty(DISPID id, const AmbientState& state, VARIANT* out);

// The form's font: MS Sans Serif 8.25 points, as form designers default to.
HRESULT NewAmbientFont(IFontDisp** font);

} // namespace zarnhost
