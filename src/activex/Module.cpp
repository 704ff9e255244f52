#include "activex/Module.h"

#include "platform/RuntimeError.h"
#include "platform/win/Lock.h"
#include "platform/win/WindowClass.h"

#include <atomic>

namespace zarn::module {

namespace {
std::atomic<long> objects{0};
std::atomic<long> locks{0};
zarn::Lock libLock;
Microsoft::WRL::ComPtr<ITypeLib>& CachedLib() {
    static Microsoft::WRL::ComPtr<ITypeLib> lib;
    return lib;
}
} // namespace

void AddObject() {
    ++objects;
}

void ReleaseObject() {
    if (--objects == 0) {
        zarn::Lock::Held held(libLock);
        CachedLib().Reset();
    }
}

// An unlock without a lock is ignored: the count never goes below zero.
void Lock(bool lock) {
    if (lock) {
        ++locks;
        return;
    }
    long held = locks;
    while (held > 0 && !locks.compare_exchange_weak(held, held - 1)) {
    }
}

bool CanUnload() {
    return objects == 0 && locks == 0;
}
long ObjectCount() {
    return objects;
}

std::wstring Path() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(ThisModule(), path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

Microsoft::WRL::ComPtr<ITypeLib> TypeLib() {
    zarn::Lock::Held held(libLock);
    if (!CachedLib())
        ThrowIfFailed(LoadTypeLibEx(Path().c_str(), REGKIND_NONE, CachedLib().GetAddressOf()));
    return CachedLib();
}

Microsoft::WRL::ComPtr<ITypeInfo> TypeInfoOf(REFGUID guid) {
    Microsoft::WRL::ComPtr<ITypeInfo> info;
    ThrowIfFailed(TypeLib()->GetTypeInfoOfGuid(guid, info.GetAddressOf()));
    return info;
}

Microsoft::WRL::ComPtr<ITypeInfo> DataTypeInfoOf(REFGUID guid) {
    Microsoft::WRL::ComPtr<ITypeLib> lib;
    ThrowIfFailed(LoadTypeLibEx((Path() + L"\\2").c_str(), REGKIND_NONE, lib.GetAddressOf()));
    Microsoft::WRL::ComPtr<ITypeInfo> info;
    ThrowIfFailed(lib->GetTypeInfoOfGuid(guid, info.GetAddressOf()));
    return info;
}

} // namespace zarn::module
