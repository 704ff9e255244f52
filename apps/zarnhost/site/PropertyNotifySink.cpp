#include "site/PropertyNotifySink.h"

#include "com/ClassTypes.h"

namespace zarnhost {

// DISPID_UNKNOWN means "some properties changed"; a member the type does
// not know shows by its number.
HRESULT PropertyNotifySink::OnChanged(DISPID id) {
    try {
        std::wstring name = L"?";
        if (id != DISPID_UNKNOWN) {
            const auto names = MemberNames(members_.Get(), id);
            name = names.empty() ? L"#" + std::to_wstring(id) : names.front();
        }
        log_.Line(L"changed " + control_ + L"." + name);
    } catch (...) {
        return E_UNEXPECTED;
    }
    return S_OK;
}

} // namespace zarnhost
