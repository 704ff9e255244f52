#include "com/ErrorText.h"

#include "com/Variant.h"

#include <oaidl.h>
#include <wrl/client.h>

namespace zarnhost {

std::wstring TakeErrorText() {
    Microsoft::WRL::ComPtr<IErrorInfo> error;
    if (GetErrorInfo(0, &error) != S_OK || !error)
        return L"";
    BSTR source = nullptr, description = nullptr;
    error->GetSource(&source);
    error->GetDescription(&description);
    const std::wstring s = TakeBstr(source), d = TakeBstr(description);
    return s.empty() ? d : s + L": " + d;
}

} // namespace zarnhost
