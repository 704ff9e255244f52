#pragma once
// The container's side, made of fakes, for the tests that drive the built
// Zarn2.ocx through the OLE interfaces a form, a web page or a script host
// uses: sinks for change notification, events and the view; a property bag
// that records what the control writes and reads; a site with client,
// in-place, control-site and ambient interfaces, its frame and document
// window; the form window they stand for; and a fixture for tests of one
// control with its change sink. Each fake logs the calls a test wants to see
// in order and fails the test on a call nobody should make.
#include "OcxSupport.h"

#include <winternl.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zarn::test {

// ---------------------------------------------------------------------------
// Fakes. They live on the test's stack: the count tells whether the control
// released what it took, and the object is never deleted.

template <class... Interfaces> class Fake : public Interfaces... {
public:
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }

    ULONG refs = 1; // the test's own reference

protected:
    // QueryInterface of a fake with one face: `self` for IUnknown and `iids`.
    HRESULT Offer(REFIID riid, void** object, IUnknown* self, std::initializer_list<IID> iids) {
        bool known = riid == IID_IUnknown;
        for (const IID& iid : iids)
            known = known || riid == iid;
        *object = known ? self : nullptr;
        if (!known)
            return E_NOINTERFACE;
        self->AddRef();
        return S_OK;
    }
};

#define ZARN_UNEXPECTED(what)                                                                                \
    do {                                                                                                     \
        ADD_FAILURE() << "unexpected call " << what;                                                         \
        return E_NOTIMPL;                                                                                    \
    } while (0)

// Records the DISPIDs of OnChanged; `onChanged` runs after each record.
class NotifySink final : public Fake<IPropertyNotifySink> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        return Offer(riid, object, this, {IID_IPropertyNotifySink});
    }
    HRESULT STDMETHODCALLTYPE OnChanged(DISPID member) override {
        changed.push_back(member);
        if (onChanged)
            onChanged(member);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID member) override {
        ZARN_UNEXPECTED("OnRequestEdit " << member);
    }

    std::vector<DISPID> changed;
    std::function<void(DISPID)> onChanged;
};

// An event sink for __Zarn: records the events' DISPIDs.
class EventSink final : public Fake<IDispatch> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        return Offer(riid, object, this, {IID_IDispatch, kDiidZarnEvents});
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { ZARN_UNEXPECTED("GetTypeInfoCount"); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        ZARN_UNEXPECTED("GetTypeInfo");
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        ZARN_UNEXPECTED("GetIDsOfNames");
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        events.push_back(member);
        return S_OK;
    }

    std::vector<DISPID> events;
};

// Records OnViewChange; the data, rename, save and close notices are not
// asked for by a view advise.
class FakeAdviseSink final : public Fake<IAdviseSink> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        return Offer(riid, object, this, {IID_IAdviseSink});
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

// The host's property bag. Records every Write as "Key VT_xx value" in order
// and answers Read from what it holds, the last value written under a key
// (as the bags of the usual hosts do); a key it does not hold is
// E_INVALIDARG, as the interface wants. It records the keys read, in order.
class RecordingBag final : public Fake<IPropertyBag> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        return Offer(riid, object, this, {IID_IPropertyBag});
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

    std::vector<std::string> writes;
    std::vector<std::string> reads;
    std::map<std::string, Var> held;
};

// ---------------------------------------------------------------------------
// The container

// The calls the container's fakes saw, in order, as "Object.Method(args)".
using CallLog = std::vector<std::string>;

inline std::string Flag(BOOL value) {
    return value ? "TRUE" : "FALSE";
}

// The container's document window, and the base of its frame. Each keeps
// the active object it is given, as a real one does, so a control that never
// takes itself back out stays alive and the test sees it. A control has no
// toolbars to negotiate.
template <class Window> class FakeUIWindow : public Fake<Window> {
public:
    FakeUIWindow(const char* name, HWND window, CallLog& log) : name_(name), window_(window), log_(log) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        return this->Offer(riid, object, this, {IID_IOleWindow, IID_IOleInPlaceUIWindow, __uuidof(Window)});
    }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        *window = window_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override {
        ZARN_UNEXPECTED(name_ << ".ContextSensitiveHelp");
    }
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { ZARN_UNEXPECTED(name_ << ".GetBorder"); }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override {
        ZARN_UNEXPECTED(name_ << ".RequestBorderSpace");
    }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override {
        ZARN_UNEXPECTED(name_ << ".SetBorderSpace");
    }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override {
        log_.push_back(name_ + ".SetActiveObject(" + (object ? "control" : "null") + ")");
        active = object;
        return S_OK;
    }

    ComPtr<IOleInPlaceActiveObject> active;

protected:
    std::string name_;
    HWND window_;
    CallLog& log_;
};

using FakeDocument = FakeUIWindow<IOleInPlaceUIWindow>;

// The frame: a control merges no menus and shows no status.
class FakeFrame final : public FakeUIWindow<IOleInPlaceFrame> {
public:
    FakeFrame(HWND window, CallLog& log) : FakeUIWindow("Frame", window, log) {}

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
};

// The control's site: client site, in-place site, control site and the
// ambient properties, where UserMode answers `userMode` and the others are
// not there. A site without ambients does not give out its IDispatch at all.
// The calls a test wants to see go to `log`, with the frame's and the
// document window's.
class FakeContainer final : public Fake<IOleClientSite, IOleInPlaceSite, IOleControlSite, IDispatch> {
public:
    explicit FakeContainer(HWND window = nullptr, RECT position = {})
        : frame(window, log), document("Document", window, log), position(position), window_(window) {}
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
        else if (riid == IID_IDispatch && ambients)
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
        log.push_back("Site.GetContainer");
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override {
        log.push_back("Site.ShowObject");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL show) override {
        log.push_back("Site.OnShowWindow(" + Flag(show) + ")");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override {
        ZARN_UNEXPECTED("Site.RequestNewObjectLayout");
    }

    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        log.push_back("Site.GetWindow");
        *window = window_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override {
        ZARN_UNEXPECTED("Site.ContextSensitiveHelp");
    }

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override {
        log.push_back("Site.CanInPlaceActivate");
        return canActivate;
    }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override {
        log.push_back("Site.OnInPlaceActivate");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override {
        log.push_back("Site.OnUIActivate");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** outFrame, IOleInPlaceUIWindow** outDocument,
                                               LPRECT outPosition, LPRECT outClip,
                                               LPOLEINPLACEFRAMEINFO info) override {
        log.push_back("Site.GetWindowContext");
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
        log.push_back("Site.OnUIDeactivate(" + Flag(undoable) + ")");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override {
        log.push_back("Site.OnInPlaceDeactivate");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { ZARN_UNEXPECTED("Site.DiscardUndoState"); }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { ZARN_UNEXPECTED("Site.DeactivateAndUndo"); }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override {
        log.push_back("Site.OnPosRectChange");
        return S_OK;
    }

    // IOleControlSite
    HRESULT STDMETHODCALLTYPE OnControlInfoChanged() override {
        log.push_back("Site.OnControlInfoChanged");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE LockInPlaceActive(BOOL lock) override {
        log.push_back("Site.LockInPlaceActive(" + Flag(lock) + ")");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetExtendedControl(IDispatch** extended) override {
        *extended = nullptr;
        log.push_back("Site.GetExtendedControl");
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
        log.push_back(text);
        return acceleratorAnswer;
    }
    HRESULT STDMETHODCALLTYPE OnFocus(BOOL gotFocus) override {
        log.push_back("Site.OnFocus(" + Flag(gotFocus) + ")");
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
        EXPECT_TRUE(flags & DISPATCH_PROPERTYGET) << "ambient " << member << " flags " << flags;
        EXPECT_TRUE(params && params->cArgs == 0) << "ambient " << member;
        if (member > DISPID_AMBIENT_BACKCOLOR || member < -799)
            ZARN_UNEXPECTED("Site.Invoke of non-ambient " << member);
        if (member != DISPID_AMBIENT_USERMODE)
            return DISP_E_MEMBERNOTFOUND;
        ++userModeAsked;
        if (!result)
            ZARN_UNEXPECTED("Site.Invoke of UserMode without a result");
        VariantInit(result);
        V_VT(result) = VT_BOOL;
        V_BOOL(result) = userMode ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }

    CallLog log;
    FakeFrame frame;
    FakeDocument document;
    RECT position;
    HRESULT canActivate = S_OK;
    HRESULT acceleratorAnswer = S_FALSE;
    bool userMode = true;
    bool ambients = true;
    int userModeAsked = 0;

private:
    HWND window_;
};

// A control as a client holds it: created, past its first use, and with a
// change sink connected from the start.
class OcxTest : public testing::Test {
protected:
    void SetUp() override {
        z = NewControl();
        ASSERT_TRUE(z);
        notify.emplace(z.Get(), IID_IPropertyNotifySink, &sink);
    }

    ComPtr<IDispatch> z;
    NotifySink sink;
    std::optional<Connection> notify;
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
