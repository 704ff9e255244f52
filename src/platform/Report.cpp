#include "platform/Report.h"

#include "platform/MessageBox.h"

#include <new>

namespace zarn {

RuntimeError CurrentError() {
    try {
        throw;
    } catch (const RuntimeError& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return RuntimeError(ErrOutOfMemory, DescriptionOf(ErrOutOfMemory));
    } catch (...) {
        return RuntimeError(ErrInvalidCall, DescriptionOf(ErrInvalidCall));
    }
}

void ReportDateError(const std::wstring& label, const RuntimeError& error, UINT style,
                     const std::wstring& title) {
    ShowMessage(label + error.Description() + L"  " + std::to_wstring(error.Number()), style, title);
}

void ReportModuleError(const std::wstring& module, const std::wstring& label, const RuntimeError& error) {
    ShowMessage(module + label + error.Description() + L" " + std::to_wstring(error.Number()), MB_OK);
}

void RaiseToHost(const std::wstring& label, const RuntimeError& error, bool userMode) {
    if (userMode)
        throw error.WithSource(L"piloCal_Ctl:_" + label);
}

void ReportUnhandled(const RuntimeError& error) {
    const std::wstring text =
        L"Run-time error '" + std::to_wstring(error.Number()) + L"':\n\n" + error.Description();
    ShowMessage(text, MB_OK | MB_ICONERROR, error.Source().empty() ? kDefaultMessageTitle : error.Source());
}

} // namespace zarn
