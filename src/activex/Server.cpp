// The in-process server's entry points.
#include "settings/SharedSettings.h"
#include "activex/ClassFactory.h"
#include "activex/Module.h"
#include "activex/Registration.h"
#include "activex/ZarnInterface.h"
#include "platform/win/ThreadStorage.h"
#include "platform/win/WindowClass.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        break;
    case DLL_THREAD_DETACH:
        SharedSettings::ReleaseForThread();
        zarn::ReleaseThreadStorageOfThread();
        break;
    case DLL_PROCESS_DETACH:
        // At process exit (reserved set) the system reclaims everything.
        if (!reserved) {
            SharedSettings::ReleaseForThread();
            zarn::UnregisterOwnClasses();
            zarn::ReleaseThreadStorage();
        }
        break;
    default:
        break;
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (clsid != zarn::CLSID_Zarn)
        return CLASS_E_CLASSNOTAVAILABLE;
    return zarn::GetZarnClassObject(iid, object);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return zarn::module::CanUnload() ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    return zarn::RegisterServer();
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return zarn::UnregisterServer();
}
