#pragma once
// A container made of fakes, for the tests that drive the built Zarn2.ocx
// through the OLE interfaces a form or a web page uses: a property bag that
// records what the control writes and reads, a client site with in-place,
// control-site and ambient interfaces, its frame and document window, and
// an advise sink. Each fake logs the calls a test wants to see in order and
// fails the test on a call nobody should make.
#include "OcxSupport.h"

#include <winternl.h>

#include <map>
#include <string>
#include <vector>

namespace zarn::test {

// "VT_I4 20240229", "VT_R4 10", "VT_CY 11", "VT_DISPATCH null": a value and
// its type in one comparable text, for every type a saved entry can have.
inline std::string Text(const VARIANT& v) {
    char buffer[96];
    switch (V_VT(&v)) {
    case VT_EMPTY:
        return "VT_EMPTY";
    case VT_BOOL:
        return V_BOOL(&v) == VARIANT_TRUE ? "VT_BOOL True" : (V_BOOL(&v) ? "VT_BOOL odd" : "VT_BOOL False");
    case VT_I2:
        snprintf(buffer, sizeof buffer, "VT_I2 %d", V_I2(&v));
        return buffer;
    case VT_I4:
        snprintf(buffer, sizeof buffer, "VT_I4 %ld", static_cast<long>(V_I4(&v)));
        return buffer;
    case VT_UI4:
        snprintf(buffer, sizeof buffer, "VT_UI4 %lu", static_cast<unsigned long>(V_UI4(&v)));
        return buffer;
    case VT_R4:
        snprintf(buffer, sizeof buffer, "VT_R4 %g", V_R4(&v));
        return buffer;
    case VT_R8:
        snprintf(buffer, sizeof buffer, "VT_R8 %.17g", V_R8(&v));
        return buffer;
    case VT_CY:
        snprintf(buffer, sizeof buffer, "VT_CY %g", static_cast<double>(V_CY(&v).int64) / 10000.0);
        return buffer;
    case VT_BSTR: {
        std::string s = "VT_BSTR ";
        for (UINT i = 0; i < SysStringLen(V_BSTR(&v)); ++i)
            s += V_BSTR(&v)[i] < 128 ? static_cast<char>(V_BSTR(&v)[i]) : '?';
        return s;
    }
    case VT_DISPATCH:
    case VT_UNKNOWN: {
        const char* type = V_VT(&v) == VT_DISPATCH ? "VT_DISPATCH" : "VT_UNKNOWN";
        if (!V_UNKNOWN(&v))
            return std::string(type) + " null";
        ComPtr<IPicture> picture;
        if (SUCCEEDED(V_UNKNOWN(&v)->QueryInterface(IID_IPicture,
                                                    reinterpret_cast<void**>(picture.GetAddressOf())))) {
            SHORT kind = -1;
            OLE_XSIZE_HIMETRIC w = -1;
            OLE_YSIZE_HIMETRIC h = -1;
            picture->get_Type(&kind);
            picture->get_Width(&w);
            picture->get_Height(&h);
            snprintf(buffer, sizeof buffer, "%s picture type %d, %ld x %ld", type, kind, static_cast<long>(w),
                     static_cast<long>(h));
            return buffer;
        }
        ComPtr<IFont> font;
        if (SUCCEEDED(
                V_UNKNOWN(&v)->QueryInterface(IID_IFont, reinterpret_cast<void**>(font.GetAddressOf())))) {
            BSTR name = nullptr;
            CY size{};
            BOOL bold = FALSE, italic = FALSE, underline = FALSE, strike = FALSE;
            font->get_Name(&name);
            font->get_Size(&size);
            font->get_Bold(&bold);
            font->get_Italic(&italic);
            font->get_Underline(&underline);
            font->get_Strikethrough(&strike);
            Var n;
            V_VT(&n) = VT_BSTR;
            V_BSTR(&n) = name;
            snprintf(buffer, sizeof buffer, "%s font %s %g%s%s%s%s", type, Text(n).c_str() + 8,
                     static_cast<double>(size.int64) / 10000.0, bold ? " bold" : "", italic ? " italic" : "",
                     underline ? " underline" : "", strike ? " strike" : "");
            return buffer;
        }
        return std::string(type) + " object";
    }
    default:
        snprintf(buffer, sizeof buffer, "vt %u", V_VT(&v));
        return buffer;
    }
}

// A list as lines of one text, so that a failed comparison prints the
// differing lines rather than the first few dozen entries.
inline std::string Lines(const std::vector<std::string>& list) {
    std::string text;
    for (const std::string& line : list)
        text += line + "\n";
    return text;
}

// ---------------------------------------------------------------------------
// The host's property bag

// Records every Write as "Key VT_xx value" in order and answers Read from a
// map of what it holds, the last value written under a key (as the bags of
// the usual hosts do); a key it does not hold is E_INVALIDARG, as the
// interface wants. It records the keys read, in order.
class RecordingBag final : public Fake<IPropertyBag> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (riid == IID_IUnknown || riid == IID_IPropertyBag) {
            *object = static_cast<IPropertyBag*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }

    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override {
        EXPECT_EQ(log, nullptr);
        const std::string key = Narrow(name);
        reads.push_back(key);
        // The control asks for the stored type: it passes an empty VARIANT.
        EXPECT_EQ(V_VT(value), VT_EMPTY) << key;
        const auto found = held.find(key);
        if (found == held.end())
            return E_INVALIDARG;
        return VariantCopy(value, const_cast<Var*>(&found->second));
    }

    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override {
        const std::string key = Narrow(name);
        writes.push_back(key + " " + Text(*value));
        EXPECT_EQ(VariantCopy(&held[key], value), S_OK);
        return S_OK;
    }

    // Puts an entry in the bag as a saved control would have left it.
    void Hold(const std::string& key, const Var& value) { held[key] = value; }

    // "Key VT_xx": a recorded write without its value.
    std::vector<std::string> WrittenTypes() const {
        std::vector<std::string> types;
        for (const std::string& w : writes) {
            const size_t second = w.find(' ', w.find(' ') + 1);
            types.push_back(w.substr(0, second));
        }
        return types;
    }

    std::vector<std::string> writes;
    std::vector<std::string> reads;
    std::map<std::string, Var> held;

private:
    static std::string Narrow(LPCOLESTR name) {
        std::string s;
        for (; name && *name; ++name)
            s += static_cast<char>(*name);
        return s;
    }
};

// ---------------------------------------------------------------------------
// The container

// The calls the container's fakes saw, in order, as "Object.Method(args)".
using CallLog = std::vector<std::string>;

inline std::string Flag(BOOL value) {
    return value ? "TRUE" : "FALSE";
}

// The container's document window. Like the frame it keeps the active
// object it is given, as a real one does, so a control that never takes
// itself back out stays alive and the test sees it.
class FakeDocument final : public Fake<IOleInPlaceUIWindow> {
public:
    FakeDocument(HWND window, CallLog& log) : window_(window), log_(log) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IOleInPlaceUIWindow) {
            *object = static_cast<IOleInPlaceUIWindow*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        *window = window_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override {
        ZARN_UNEXPECTED("Document.ContextSensitiveHelp");
    }
    // A control has no toolbars to negotiate.
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { ZARN_UNEXPECTED("Document.GetBorder"); }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override {
        ZARN_UNEXPECTED("Document.RequestBorderSpace");
    }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override {
        ZARN_UNEXPECTED("Document.SetBorderSpace");
    }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override {
        log_.push_back(std::string("Document.SetActiveObject(") + (object ? "control" : "null") + ")");
        active = object;
        return S_OK;
    }

    ComPtr<IOleInPlaceActiveObject> active;

private:
    HWND window_;
    CallLog& log_;
};

class FakeFrame final : public Fake<IOleInPlaceFrame> {
public:
    FakeFrame(HWND window, CallLog& log) : window_(window), log_(log) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IOleInPlaceUIWindow ||
            riid == IID_IOleInPlaceFrame) {
            *object = static_cast<IOleInPlaceFrame*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        *window = window_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override {
        ZARN_UNEXPECTED("Frame.ContextSensitiveHelp");
    }
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { ZARN_UNEXPECTED("Frame.GetBorder"); }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override {
        ZARN_UNEXPECTED("Frame.RequestBorderSpace");
    }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override {
        ZARN_UNEXPECTED("Frame.SetBorderSpace");
    }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override {
        log_.push_back(std::string("Frame.SetActiveObject(") + (object ? "control" : "null") + ")");
        active = object;
        return S_OK;
    }

    // IOleInPlaceFrame: a control merges no menus and shows no status.
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override {
        ZARN_UNEXPECTED("Frame.InsertMenus");
    }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU shared, HOLEMENU ole, HWND active) override {
        log_.push_back(std::string("Frame.SetMenu(") + (shared || ole || active ? "menu" : "null") + ")");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { ZARN_UNEXPECTED("Frame.RemoveMenus"); }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { ZARN_UNEXPECTED("Frame.SetStatusText"); }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { ZARN_UNEXPECTED("Frame.EnableModeless"); }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override {
        ZARN_UNEXPECTED("Frame.TranslateAccelerator");
    }

    ComPtr<IOleInPlaceActiveObject> active;

private:
    HWND window_;
    CallLog& log_;
};

// The control's site on a form: client site, in-place site, control site
// and the ambient properties (UserMode True; the rest are not there).
class FakeContainer final : public Fake<IOleClientSite, IOleInPlaceSite, IOleControlSite, IDispatch> {
public:
    FakeContainer(HWND window, RECT position, CallLog& log)
        : frame(window, log), document(window, log), window_(window), position(position), log_(log) {}
    ~FakeContainer() {
        // The frame and document give up what the control left with them
        // before the test looks at the control's lifetime.
        frame.active.Reset();
        document.active.Reset();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (riid == IID_IUnknown || riid == IID_IOleClientSite)
            *object = static_cast<IOleClientSite*>(this);
        else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
            *object = static_cast<IOleInPlaceSite*>(this);
        else if (riid == IID_IOleControlSite)
            *object = static_cast<IOleControlSite*>(this);
        else if (riid == IID_IDispatch)
            *object = static_cast<IDispatch*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { ZARN_UNEXPECTED("Site.SaveObject"); }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
        *moniker = nullptr;
        ZARN_UNEXPECTED("Site.GetMoniker");
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override {
        *container = nullptr;
        log_.push_back("Site.GetContainer");
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override {
        log_.push_back("Site.ShowObject");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL show) override {
        log_.push_back("Site.OnShowWindow(" + Flag(show) + ")");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override {
        ZARN_UNEXPECTED("Site.RequestNewObjectLayout");
    }

    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        log_.push_back("Site.GetWindow");
        *window = window_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override {
        ZARN_UNEXPECTED("Site.ContextSensitiveHelp");
    }

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override {
        log_.push_back("Site.CanInPlaceActivate");
        return canActivate;
    }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override {
        log_.push_back("Site.OnInPlaceActivate");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override {
        log_.push_back("Site.OnUIActivate");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** outFrame, IOleInPlaceUIWindow** outDocument,
                                               LPRECT outPosition, LPRECT outClip,
                                               LPOLEINPLACEFRAMEINFO info) override {
        log_.push_back("Site.GetWindowContext");
        EXPECT_TRUE(info && info->cb == sizeof(OLEINPLACEFRAMEINFO))
            << "the control must size the frame info";
        *outFrame = &frame;
        frame.AddRef();
        *outDocument = &document;
        document.AddRef();
        *outPosition = position;
        *outClip = position;
        if (info) {
            info->fMDIApp = FALSE;
            info->hwndFrame = window_;
            info->haccel = nullptr;
            info->cAccelEntries = 0;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { ZARN_UNEXPECTED("Site.Scroll"); }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL undoable) override {
        log_.push_back("Site.OnUIDeactivate(" + Flag(undoable) + ")");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override {
        log_.push_back("Site.OnInPlaceDeactivate");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { ZARN_UNEXPECTED("Site.DiscardUndoState"); }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { ZARN_UNEXPECTED("Site.DeactivateAndUndo"); }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override {
        log_.push_back("Site.OnPosRectChange");
        return S_OK;
    }

    // IOleControlSite
    HRESULT STDMETHODCALLTYPE OnControlInfoChanged() override {
        log_.push_back("Site.OnControlInfoChanged");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE LockInPlaceActive(BOOL lock) override {
        log_.push_back("Site.LockInPlaceActive(" + Flag(lock) + ")");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetExtendedControl(IDispatch** extended) override {
        *extended = nullptr;
        log_.push_back("Site.GetExtendedControl");
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE TransformCoords(POINTL*, POINTF*, DWORD) override {
        ZARN_UNEXPECTED("Site.TransformCoords");
    }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* msg, DWORD modifiers) override {
        char text[96];
        snprintf(text, sizeof text, "Site.TranslateAccelerator(%s, 0x%02x, %lu)",
                 msg->message == WM_KEYDOWN ? "WM_KEYDOWN" : "other", static_cast<unsigned>(msg->wParam),
                 static_cast<unsigned long>(modifiers));
        log_.push_back(text);
        return acceleratorAnswer;
    }
    HRESULT STDMETHODCALLTYPE OnFocus(BOOL gotFocus) override {
        log_.push_back("Site.OnFocus(" + Flag(gotFocus) + ")");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ShowPropertyFrame() override { ZARN_UNEXPECTED("Site.ShowPropertyFrame"); }

    // IDispatch: the ambient properties
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { ZARN_UNEXPECTED("Site.GetTypeInfoCount"); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        ZARN_UNEXPECTED("Site.GetTypeInfo");
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        ZARN_UNEXPECTED("Site.GetIDsOfNames");
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT*) override {
        EXPECT_TRUE(riid == IID_NULL);
        EXPECT_TRUE(flags & DISPATCH_PROPERTYGET) << "ambient " << member;
        EXPECT_TRUE(params && params->cArgs == 0) << "ambient " << member;
        if (member > DISPID_AMBIENT_BACKCOLOR || member < -799)
            ZARN_UNEXPECTED("Site.Invoke of non-ambient " << member);
        if (member != DISPID_AMBIENT_USERMODE || !result)
            return DISP_E_MEMBERNOTFOUND;
        VariantInit(result);
        V_VT(result) = VT_BOOL;
        V_BOOL(result) = VARIANT_TRUE;
        return S_OK;
    }

    FakeFrame frame;
    FakeDocument document;
    HRESULT canActivate = S_OK;
    HRESULT acceleratorAnswer = S_FALSE;

private:
    HWND window_;

public:
    RECT position;

private:
    CallLog& log_;
};

// Records OnViewChange; the data, rename, save and close notices are not
// asked for by a view advise.
class FakeAdviseSink final : public Fake<IAdviseSink> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (riid == IID_IUnknown || riid == IID_IAdviseSink) {
            *object = static_cast<IAdviseSink*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    void STDMETHODCALLTYPE OnDataChange(FORMATETC*, STGMEDIUM*) override { ADD_FAILURE() << "OnDataChange"; }
    void STDMETHODCALLTYPE OnViewChange(DWORD aspect, LONG index) override {
        changes.push_back("OnViewChange(" + std::to_string(aspect) + ", " + std::to_string(index) + ")");
    }
    void STDMETHODCALLTYPE OnRename(IMoniker*) override { ADD_FAILURE() << "OnRename"; }
    void STDMETHODCALLTYPE OnSave() override { ADD_FAILURE() << "OnSave"; }
    void STDMETHODCALLTYPE OnClose() override { ADD_FAILURE() << "OnClose"; }

    std::vector<std::string> changes;
};

// ---------------------------------------------------------------------------
// Windows

// The container's form: a panel with a button beside the control's place,
// to take the focus away to. The panels of all tests sit in one shown
// top-level window that lives as long as the process: under Wine without a
// window manager, hiding or destroying a shown top-level window waits two
// seconds for a manager that never answers.
class FormWindow {
public:
    explicit FormWindow(int width = 400, int height = 200) {
        static const wchar_t* cls = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"ZarnTestForm";
            wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
            RegisterClassW(&wc);
            return L"ZarnTestForm";
        }();
        static const HWND top = [] {
            const HWND w = CreateWindowExW(0, cls, L"form", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 50, 50,
                                           640, 480, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
            ShowWindow(w, SW_SHOW);
            UpdateWindow(w);
            return w;
        }();
        EXPECT_TRUE(top) << "no form window, error " << GetLastError();
        window = CreateWindowExW(WS_EX_CONTROLPARENT, cls, L"panel", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                 0, 0, width, height, top, nullptr, GetModuleHandleW(nullptr), nullptr);
        EXPECT_TRUE(window) << "no panel window, error " << GetLastError();
        other = CreateWindowExW(0, L"BUTTON", L"other", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 300, 10, 80, 24,
                                window, nullptr, GetModuleHandleW(nullptr), nullptr);
        UpdateWindow(window);
    }
    ~FormWindow() { DestroyWindow(window); }
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    HWND window = nullptr;
    HWND other = nullptr;
};

// Closes every message box the thread shows while it lives, with OK, and
// keeps their texts: the control's own modal boxes would otherwise wait for
// a user who is not there.
class MessageBoxCloser {
public:
    MessageBoxCloser() {
        instance_ = this;
        hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
        EXPECT_TRUE(hook_);
    }
    ~MessageBoxCloser() {
        UnhookWindowsHookEx(hook_);
        instance_ = nullptr;
    }
    MessageBoxCloser(const MessageBoxCloser&) = delete;
    MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;

    std::vector<std::wstring> texts;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wparam, LPARAM lparam) {
        if (code == HCBT_ACTIVATE && instance_) {
            const HWND box = reinterpret_cast<HWND>(wparam);
            wchar_t cls[16] = L"";
            GetClassNameW(box, cls, 16);
            if (wcscmp(cls, L"#32770") == 0) {
                wchar_t text[512] = L"";
                GetDlgItemTextW(box, 0xFFFF, text, 512); // the box's static text
                instance_->texts.push_back(text);
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            }
        }
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }

    static inline MessageBoxCloser* instance_ = nullptr;
    HHOOK hook_ = nullptr;
};

// Runs the messages that are waiting, so posted notices arrive.
inline void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// A window's rectangle in its parent's client coordinates.
inline RECT RectInParent(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

inline std::string Describe(const RECT& r) {
    char text[64];
    snprintf(text, sizeof text, "(%ld, %ld, %ld, %ld)", static_cast<long>(r.left), static_cast<long>(r.top),
             static_cast<long>(r.right), static_cast<long>(r.bottom));
    return text;
}

// ---------------------------------------------------------------------------
// Counting what a control leaves behind

namespace detail {
inline BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}
inline BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, CountChild, count);
    return TRUE;
}
} // namespace detail

// Windows of this thread, top-level ones and all their descendants.
inline int ThreadWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), detail::CountTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Live GDI objects of the process, stock objects left out, or -1 when they
// cannot be counted. GetGuiResources answers 0 under Wine; instead this
// reads the process's GDI handle table, which the PEB points at on x64 (at
// 0xF8) with entries of 24 bytes, type byte at offset 14 and the stock flag
// in bit 7 of the byte at offset 12. Wine lays it out like Windows and keeps
// one table per process.
inline int LiveGdiObjects() {
#if defined(_WIN64)
    struct Entry {
        UINT64 object;
        ULONG owner;
        USHORT unique;
        UCHAR type;
        UCHAR flags;
        UINT64 user;
    };
    static_assert(sizeof(Entry) == 24);
    const auto* peb = reinterpret_cast<const BYTE*>(NtCurrentTeb()->ProcessEnvironmentBlock);
    const auto* table = *reinterpret_cast<const Entry* const*>(peb + 0xF8);
    if (!table)
        return -1;
    int count = 0;
    for (int i = 0; i < 0x10000; ++i)
        if (table[i].type && !(table[i].unique & 0x80))
            ++count;
    return count;
#else
    return -1;
#endif
}

} // namespace zarn::test
