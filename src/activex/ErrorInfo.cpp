#include "activex/ErrorInfo.h"

#include "platform/Variant.h"

#include <oleauto.h>
#include <wrl/client.h>

namespace zarn {

HRESULT SetComError(const RuntimeError& error, REFIID iid) {
    Microsoft::WRL::ComPtr<ICreateErrorInfo> create;
    if (SUCCEEDED(CreateErrorInfo(create.GetAddressOf()))) {
        create->SetGUID(iid);
        // An error of our own code without a procedure label names the class.
        const std::wstring source = error.Source().empty() ? L"Zarn2.Zarn" : error.Source();
        create->SetSource(const_cast<LPOLESTR>(source.c_str()));
        create->SetDescription(const_cast<LPOLESTR>(error.Description().c_str()));
        Microsoft::WRL::ComPtr<IErrorInfo> info;
        if (SUCCEEDED(create.As(&info)))
            SetErrorInfo(0, info.Get());
    }
    return HResultOf(error);
}

} // namespace zarn
