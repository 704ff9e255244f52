#include "Soak.h"

#include <algorithm>
#include <cstdlib>

namespace zarn::soak {

std::uint64_t Rng::Next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1Dull;
}

namespace {

SIZE_T PrivateBytes() {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION info;
    for (auto* at = static_cast<char*>(nullptr); VirtualQuery(at, &info, sizeof info) == sizeof info;
         at = static_cast<char*>(info.BaseAddress) + info.RegionSize) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
            total += info.RegionSize;
        if (info.RegionSize == 0)
            break;
    }
    return total;
}

} // namespace

// The process's GDI handle table: the PEB points at it (x64 offset 0xF8);
// each entry is 24 bytes, with the generation at byte 12 and, for a live
// object, a non-zero type at byte 14. A handle is the entry's index with
// the generation in its upper half.
std::vector<HGDIOBJ> GdiHandles() {
    std::vector<HGDIOBJ> handles;
#ifdef _WIN64
    auto* peb = reinterpret_cast<const BYTE*>(__readgsqword(0x60));
    auto* table = *reinterpret_cast<const BYTE* const*>(peb + 0xF8);
    for (ULONG_PTR i = 0; table && i < 0x10000; ++i) {
        const BYTE* entry = table + i * 24;
        const ULONG_PTR generation = *reinterpret_cast<const USHORT*>(entry + 12);
        if (entry[14] != 0)
            handles.push_back(reinterpret_cast<HGDIOBJ>(i | generation << 16));
    }
#endif
    return handles;
}

namespace {

int GdiObjects() {
    return static_cast<int>(GdiHandles().size());
}

void PrintGdiObject(HGDIOBJ object) {
    const DWORD type = GetObjectType(object);
    LOGFONTW font{};
    BITMAP bitmap{};
    LOGBRUSH brush{};
    if (type == OBJ_FONT && GetObjectW(object, sizeof font, &font))
        std::printf("    %p font \"%ls\" height %ld weight %ld\n", object, font.lfFaceName, font.lfHeight,
                    font.lfWeight);
    else if (type == OBJ_BITMAP && GetObjectW(object, sizeof bitmap, &bitmap))
        std::printf("    %p bitmap %ld x %ld, %u bits\n", object, bitmap.bmWidth, bitmap.bmHeight,
                    bitmap.bmBitsPixel);
    else if (type == OBJ_BRUSH && GetObjectW(object, sizeof brush, &brush))
        std::printf("    %p brush style %u colour %06lx\n", object, brush.lbStyle, brush.lbColor);
    else
        std::printf("    %p type %lu, kind 0x%02x in the table\n", object, type,
                    static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(object) >> 16 & 0x7F));
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountTop(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<int*>(count);
        EnumChildWindows(window, CountChild, count);
    }
    return TRUE;
}

int Windows() {
    int count = 0;
    EnumWindows(CountTop, reinterpret_cast<LPARAM>(&count));
    HWND message = nullptr; // message-only windows are not enumerated above
    while ((message = FindWindowExW(HWND_MESSAGE, message, nullptr, nullptr)) != nullptr)
        CountTop(message, reinterpret_cast<LPARAM>(&count));
    return count;
}

} // namespace

void PrintNewGdiObjects(const std::vector<HGDIOBJ>& before) {
    for (HGDIOBJ object : GdiHandles())
        if (std::find(before.begin(), before.end(), object) == before.end())
            PrintGdiObject(object);
    std::fflush(stdout);
}

Figures Figures::Take() {
    return Figures{PrivateBytes(), zarn::test::OpenHandles(), GdiObjects(), Windows()};
}

void Print(const char* label, const Figures& figures) {
    std::printf("  %-14s private memory %zu KB, handles %d, GDI objects %d, windows %d\n", label,
                figures.privateBytes / 1024, figures.handles, figures.gdiObjects, figures.windows);
    std::fflush(stdout);
}

namespace {
const char* crashingSuite = "";
const volatile long* crashProgress = nullptr;

// "module + offset" of a code address, for addr2line.
void PrintPlace(const void* at) {
    HMODULE module = nullptr;
    wchar_t name[MAX_PATH] = L"?";
    if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCWSTR>(at), &module))
        GetModuleFileNameW(module, name, MAX_PATH);
    std::printf(
        "    %ls + 0x%llx\n", name,
        static_cast<unsigned long long>(static_cast<const char*>(at) - reinterpret_cast<char*>(module)));
}

// The faulting frame and its callers, unwound from the fault's context.
void PrintStack(CONTEXT context) {
    for (int depth = 0; depth < 24 && context.Rip; ++depth) {
        PrintPlace(reinterpret_cast<const void*>(context.Rip));
        DWORD64 base = 0;
        const auto* function = RtlLookupFunctionEntry(context.Rip, &base, nullptr);
        if (!function) {
            context.Rip = *reinterpret_cast<const DWORD64*>(context.Rsp);
            context.Rsp += 8;
            continue;
        }
        void* handlerData = nullptr;
        DWORD64 frame = 0;
        RtlVirtualUnwind(UNW_FLAG_NHANDLER, base, context.Rip, const_cast<PRUNTIME_FUNCTION>(function),
                         &context, &handlerData, &frame, nullptr);
    }
}

LONG WINAPI Crashed(EXCEPTION_POINTERS* e) {
    std::printf("%s: CRASH", crashingSuite);
    if (crashProgress)
        std::printf(" at %ld", *crashProgress);
    std::printf(": exception 0x%08lx at %p, from\n",
                static_cast<unsigned long>(e->ExceptionRecord->ExceptionCode),
                e->ExceptionRecord->ExceptionAddress);
    PrintStack(*e->ContextRecord);
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 2);
    return EXCEPTION_EXECUTE_HANDLER;
}
} // namespace

void CatchCrashes(const char* suite, const volatile long* progress) {
    crashingSuite = suite;
    crashProgress = progress;
    SetUnhandledExceptionFilter(Crashed);
}

Microsoft::WRL::ComPtr<IOleObject> Place(zarn::test::FakeContainer& site, HWND form, LONG verb,
                                         bool clientSite) {
    Microsoft::WRL::ComPtr<IOleObject> ole;
    Microsoft::WRL::ComPtr<IPersistStreamInit> persist;
    const auto object = zarn::test::Ocx::Get().Create();
    object.As(&ole);
    object.As(&persist);
    if (clientSite)
        ole->SetClientSite(&site);
    persist->InitNew();
    ole->DoVerb(verb, nullptr, &site, 0, form, &site.position);
    return ole;
}

void Close(IOleObject* ole) {
    ole->Close(OLECLOSE_NOSAVE);
    ole->SetClientSite(nullptr);
}

Watchdog::Watchdog(const char* suite, unsigned seconds)
    : suite_(suite), seconds_(seconds), stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      watched_(OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT, FALSE, GetCurrentThreadId())),
      thread_(CreateThread(nullptr, 0, Watch, this, 0, nullptr)) {}

Watchdog::~Watchdog() {
    SetEvent(stop_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    CloseHandle(watched_);
    CloseHandle(stop_);
}

void Watchdog::Beat(const char* where) {
    if (where)
        where_ = where;
    InterlockedIncrement(&beats_);
}

namespace {

// The process's shown windows, by class and title: a hang is most often a
// modal window (a menu, a box, a drop-down) that nothing closes.
BOOL CALLBACK PrintShownWindow(HWND window, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window)) {
        wchar_t name[64] = L"", title[64] = L"";
        GetClassNameW(window, name, 64);
        GetWindowTextW(window, title, 64);
        std::printf("  shown: %ls \"%ls\"\n", name, title);
    }
    return TRUE;
}

} // namespace

DWORD WINAPI Watchdog::Watch(void* self) {
    auto& dog = *static_cast<Watchdog*>(self);
    LONG seen = -1;
    for (;;) {
        if (WaitForSingleObject(dog.stop_, dog.seconds_ * 1000) == WAIT_OBJECT_0)
            return 0;
        const LONG now = dog.beats_;
        if (now == seen) {
            std::printf("%s: HANG: no progress for %u s (last at %s)\n", dog.suite_, dog.seconds_,
                        dog.where_);
            EnumWindows(PrintShownWindow, 0);
            CONTEXT context{};
            context.ContextFlags = CONTEXT_FULL;
            if (SuspendThread(dog.watched_) != static_cast<DWORD>(-1) && GetThreadContext(dog.watched_, &context)) {
                std::printf("  where it waits:\n");
                PrintStack(context);
            }
            std::fflush(stdout);
            TerminateProcess(GetCurrentProcess(), 3);
        }
        seen = now;
    }
}

} // namespace zarn::soak
