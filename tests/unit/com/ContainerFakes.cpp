#include "ContainerFakes.h"

#include "platform/win/WindowClass.h"

#include <winternl.h>

namespace zarn::test {

HRESULT Unexpected(const std::string& call) {
    ADD_FAILURE() << "unexpected call " << call;
    return E_NOTIMPL;
}

HRESULT NotifySink::OnChanged(DISPID member) {
    changed.push_back(member);
    if (onChanged)
        onChanged(member);
    return S_OK;
}

HRESULT EventSink::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                          EXCEPINFO*, UINT*) {
    static const std::map<VARTYPE, const char*> names = {{VT_I2, "I2"},     {VT_I4, "I4"},
                                                         {VT_R4, "R4"},     {VT_BOOL, "BOOL"},
                                                         {VT_BSTR, "BSTR"}, {VT_DISPATCH, "OBJ"}};
    EXPECT_EQ(flags, DISPATCH_METHOD);
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(params->cNamedArgs, 0u);
    std::string call = std::to_string(member) + "(";
    for (UINT i = params->cArgs; i-- > 0;) { // last first
        VARIANT& arg = params->rgvarg[i];
        const auto name = names.find(V_VT(&arg) & ~VT_BYREF);
        call += std::string(name == names.end() ? "?" : name->second) + (V_VT(&arg) & VT_BYREF ? "*" : "");
        call += i ? "," : "";
        if (answer)
            answer(arg);
    }
    events.push_back(member);
    calls.push_back(call + ")");
    if (handler)
        handler(member);
    return S_OK;
}

void FakeAdviseSink::OnViewChange(DWORD aspect, LONG index) {
    changes.push_back("OnViewChange(" + std::to_string(aspect) + ", " + std::to_string(index) + ")");
}

HRESULT RecordingBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) {
    EXPECT_EQ(log, nullptr);
    const std::string key = Narrow(name);
    reads.push_back(key);
    // The control asks for the stored type: it passes an empty VARIANT.
    EXPECT_EQ(V_VT(value), VT_EMPTY) << key;
    const auto found = held.find(key);
    if (found == held.end())
        return E_INVALIDARG;
    if (!byReference)
        return VariantCopy(value, &found->second);
    V_VT(value) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(value) = &found->second;
    return S_OK;
}

HRESULT RecordingBag::Write(LPCOLESTR name, VARIANT* value) {
    const std::string key = Narrow(name);
    writes.push_back(key + " " + Text(*value));
    EXPECT_EQ(VariantCopy(&held[key], value), S_OK);
    return S_OK;
}

HRESULT FakeContainer::QueryInterface(REFIID riid, void** object) {
    if (riid == IID_IUnknown || riid == IID_IOleClientSite)
        *object = static_cast<IOleClientSite*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
        *object = static_cast<IOleInPlaceSite*>(this);
    else if (riid == IID_IOleControlSite)
        *object = static_cast<IOleControlSite*>(this);
    else if (riid == IID_IDispatch && ambients)
        *object = static_cast<IDispatch*>(this);
    else
        return *object = nullptr, E_NOINTERFACE;
    AddRef();
    return S_OK;
}

HRESULT FakeContainer::Note(const char* call, HRESULT hr, std::optional<BOOL> flag) {
    log.push_back(call + (flag ? std::string(*flag ? "(TRUE)" : "(FALSE)") : ""));
    return hr;
}

HRESULT FakeContainer::GetWindowContext(IOleInPlaceFrame** outFrame, IOleInPlaceUIWindow** outDocument,
                                        LPRECT outPosition, LPRECT outClip, LPOLEINPLACEFRAMEINFO info) {
    EXPECT_TRUE(info && info->cb == sizeof(OLEINPLACEFRAMEINFO)) << "the control must size the frame info";
    frame.AddRef(), document.AddRef();
    *outFrame = &frame;
    *outDocument = &document;
    *outPosition = *outClip = position;
    if (info)
        info->fMDIApp = FALSE, info->hwndFrame = window_, info->haccel = nullptr, info->cAccelEntries = 0;
    return Note("Site.GetWindowContext");
}

HRESULT FakeContainer::TranslateAccelerator(MSG* msg, DWORD modifiers) {
    char text[96];
    snprintf(text, sizeof text, "Site.TranslateAccelerator(%s, 0x%02x, %lu)",
             msg->message == WM_KEYDOWN ? "WM_KEYDOWN" : "other", static_cast<unsigned>(msg->wParam),
             static_cast<unsigned long>(modifiers));
    return Note(text, acceleratorAnswer);
}

HRESULT FakeContainer::Invoke(DISPID member, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                              VARIANT* result, EXCEPINFO*, UINT*) {
    EXPECT_TRUE(riid == IID_NULL);
    EXPECT_TRUE(flags & DISPATCH_PROPERTYGET) << "ambient " << member << " flags " << flags;
    EXPECT_TRUE(params && params->cArgs == 0) << "ambient " << member;
    if (member > DISPID_AMBIENT_BACKCOLOR || member < -799)
        return Unexpected("Site.Invoke of non-ambient " + std::to_string(member));
    if (member != DISPID_AMBIENT_USERMODE)
        return DISP_E_MEMBERNOTFOUND;
    ++userModeAsked;
    if (!result)
        return Unexpected("Site.Invoke of UserMode without a result");
    V_VT(result) = VT_BOOL;
    V_BOOL(result) = userMode ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

FormWindow::FormWindow(int width, int height) {
    static const wchar_t* cls =
        RegisterOwnClass(L"ZarnTestForm", DefWindowProcW, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    static const HWND top = [] {
        const HWND w = CreateWindowExW(0, cls, L"form", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 50, 50, 640,
                                       480, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ShowWindow(w, SW_SHOW);
        UpdateWindow(w);
        return w;
    }();
    EXPECT_TRUE(top) << "no form window, error " << GetLastError();
    window = CreateWindowExW(WS_EX_CONTROLPARENT, cls, L"panel", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                             0, width, height, top, nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_TRUE(window) << "no panel window, error " << GetLastError();
    other = CreateWindowExW(0, L"BUTTON", L"other", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 300, 10, 80, 24,
                            window, nullptr, GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(window);
}

MessageBoxCloser::MessageBoxCloser() {
    instance_ = this;
    hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    EXPECT_TRUE(hook_);
}

MessageBoxCloser::~MessageBoxCloser() {
    UnhookWindowsHookEx(hook_);
    instance_ = nullptr;
}

LRESULT CALLBACK MessageBoxCloser::Hook(int code, WPARAM wparam, LPARAM lparam) {
    const HWND box = reinterpret_cast<HWND>(wparam);
    wchar_t cls[16] = L"";
    if (code == HCBT_ACTIVATE && instance_ && GetClassNameW(box, cls, 16) && wcscmp(cls, L"#32770") == 0) {
        wchar_t text[512] = L"";
        GetDlgItemTextW(box, 0xFFFF, text, 512); // the box's static text
        instance_->texts.push_back(text);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void ClickAt(HWND window, POINT point) {
    const HWND target = ChildWindowFromPointEx(window, point, CWP_SKIPINVISIBLE);
    MapWindowPoints(window, target, &point, 1);
    SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    SendMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    PumpMessages();
}

RECT RectInParent(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string Describe(const RECT& r) {
    char text[64];
    snprintf(text, sizeof text, "(%ld, %ld, %ld, %ld)", static_cast<long>(r.left), static_cast<long>(r.top),
             static_cast<long>(r.right), static_cast<long>(r.bottom));
    return text;
}

namespace {
BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    return ++*reinterpret_cast<int*>(count), TRUE;
}
// EnumChildWindows reaches every descendant, not only the children.
BOOL CALLBACK CountWithDescendants(HWND window, LPARAM count) {
    EnumChildWindows(window, CountWindow, count);
    return CountWindow(window, count);
}
} // namespace

int ThreadWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWithDescendants, reinterpret_cast<LPARAM>(&count));
    return count;
}

} // namespace zarn::test
