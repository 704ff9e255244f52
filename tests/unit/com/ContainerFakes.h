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

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zarn::test {

// Fails the test: a call no fake should get.
HRESULT Unexpected(const std::string& call);

// A method of a fake that fails the test when called, named after the fake
// (its Who()); and IDispatch's type information, which no caller of a fake
// asks for.
#define ZARN_UNEXPECTED(Method, ...)                                                                         \
    HRESULT STDMETHODCALLTYPE Method(__VA_ARGS__) override {                                                 \
        return Unexpected(Who() + #Method);                                                                  \
    }
#define ZARN_NO_TYPE_INFO                                                                                    \
    ZARN_UNEXPECTED(GetTypeInfoCount, UINT*)                                                                 \
    ZARN_UNEXPECTED(GetTypeInfo, UINT, LCID, ITypeInfo**)                                                    \
    ZARN_UNEXPECTED(GetIDsOfNames, REFIID, LPOLESTR*, UINT, LCID, DISPID*)

// Fakes live on the test's stack: the count tells whether the control
// released what it took, and the object is never deleted.
template <class... Interfaces> class Fake : public Interfaces... {
public:
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }

    ULONG refs = 1; // the test's own reference

protected:
    std::string Who() const { return ""; }
    // QueryInterface of a fake with one face: `self` for IUnknown and `iids`.
    HRESULT Offer(REFIID riid, void** object, IUnknown* self, std::initializer_list<IID> iids) {
        bool known = riid == IID_IUnknown;
        for (const IID& iid : iids)
            known = known || riid == iid;
        *object = known ? self : nullptr;
        if (known)
            self->AddRef();
        return known ? S_OK : E_NOINTERFACE;
    }
};

// Records the DISPIDs of OnChanged; `onChanged` runs after each record.
class NotifySink final : public Fake<IPropertyNotifySink> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        return Offer(riid, object, this, {IID_IPropertyNotifySink});
    }
    HRESULT STDMETHODCALLTYPE OnChanged(DISPID member) override;
    ZARN_UNEXPECTED(OnRequestEdit, DISPID)

    std::vector<DISPID> changed;
    std::function<void(DISPID)> onChanged;
};

// An event sink for __Zarn: records each event's DISPID, and its arguments'
// types as "5(I2*,I2*)"; `answer` may write into every argument, and
// `handler` runs after each record.
class EventSink final : public Fake<IDispatch> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        return Offer(riid, object, this, {IID_IDispatch, kDiidZarnEvents});
    }
    ZARN_NO_TYPE_INFO
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT*) override;

    std::vector<DISPID> events;
    std::vector<std::string> calls;
    std::function<void(VARIANT&)> answer;
    std::function<void(DISPID)> handler;
};

// Records OnViewChange; the data, rename, save and close notices are not
// asked for by a view advise.
class FakeAdviseSink final : public Fake<IAdviseSink> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        return Offer(riid, object, this, {IID_IAdviseSink});
    }
    void STDMETHODCALLTYPE OnDataChange(FORMATETC*, STGMEDIUM*) override { Unexpected("OnDataChange"); }
    void STDMETHODCALLTYPE OnViewChange(DWORD aspect, LONG index) override;
    void STDMETHODCALLTYPE OnRename(IMoniker*) override { Unexpected("OnRename"); }
    void STDMETHODCALLTYPE OnSave() override { Unexpected("OnSave"); }
    void STDMETHODCALLTYPE OnClose() override { Unexpected("OnClose"); }

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
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override;

    // Puts an entry in the bag as a saved control would have left it.
    void Hold(const std::string& key, const Var& value) { held[key] = value; }

    std::vector<std::string> writes;
    std::vector<std::string> reads;
    std::map<std::string, Var> held;
    // Answers with a reference into `held`, as some hosts' bags do.
    bool byReference = false;
};

// The calls the container's fakes saw, in order, as "Object.Method(args)".
using CallLog = std::vector<std::string>;

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
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override { return *window = window_, S_OK; }
    ZARN_UNEXPECTED(ContextSensitiveHelp, BOOL)
    ZARN_UNEXPECTED(GetBorder, LPRECT)
    ZARN_UNEXPECTED(RequestBorderSpace, LPCBORDERWIDTHS)
    ZARN_UNEXPECTED(SetBorderSpace, LPCBORDERWIDTHS)
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override {
        log_.push_back(name_ + ".SetActiveObject(" + (object ? "control" : "null") + ")");
        active = object;
        return S_OK;
    }

    ComPtr<IOleInPlaceActiveObject> active;

protected:
    std::string Who() const { return name_ + "."; }

    std::string name_;
    HWND window_;
    CallLog& log_;
};

using FakeDocument = FakeUIWindow<IOleInPlaceUIWindow>;

// The frame: a control merges no menus and shows no status.
class FakeFrame final : public FakeUIWindow<IOleInPlaceFrame> {
public:
    FakeFrame(HWND window, CallLog& log) : FakeUIWindow("Frame", window, log) {}

    ZARN_UNEXPECTED(InsertMenus, HMENU, LPOLEMENUGROUPWIDTHS)
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU shared, HOLEMENU ole, HWND active) override {
        log_.push_back(std::string("Frame.SetMenu(") + (shared || ole || active ? "menu" : "null") + ")");
        return S_OK;
    }
    ZARN_UNEXPECTED(RemoveMenus, HMENU)
    ZARN_UNEXPECTED(SetStatusText, LPCOLESTR)
    ZARN_UNEXPECTED(EnableModeless, BOOL)
    ZARN_UNEXPECTED(TranslateAccelerator, LPMSG, WORD)
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
    // The frame and document give up what the control left with them
    // before the test looks at the control's lifetime.
    ~FakeContainer() { frame.active.Reset(), document.active.Reset(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;

    // IOleClientSite
    ZARN_UNEXPECTED(SaveObject)
    ZARN_UNEXPECTED(GetMoniker, DWORD, DWORD, IMoniker**)
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override {
        *container = nullptr;
        return Note("Site.GetContainer", E_NOINTERFACE);
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return Note("Site.ShowObject"); }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL show) override {
        return Note("Site.OnShowWindow", S_OK, show);
    }
    ZARN_UNEXPECTED(RequestNewObjectLayout)

    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        return *window = window_, Note("Site.GetWindow");
    }
    ZARN_UNEXPECTED(ContextSensitiveHelp, BOOL)

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override {
        return Note("Site.CanInPlaceActivate", canActivate);
    }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return Note("Site.OnInPlaceActivate"); }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return Note("Site.OnUIActivate"); }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** outFrame, IOleInPlaceUIWindow** outDocument,
                                               LPRECT outPosition, LPRECT outClip,
                                               LPOLEINPLACEFRAMEINFO info) override;
    ZARN_UNEXPECTED(Scroll, SIZE)
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL undoable) override {
        return Note("Site.OnUIDeactivate", S_OK, undoable);
    }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return Note("Site.OnInPlaceDeactivate"); }
    ZARN_UNEXPECTED(DiscardUndoState)
    ZARN_UNEXPECTED(DeactivateAndUndo)
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return Note("Site.OnPosRectChange"); }

    // IOleControlSite
    HRESULT STDMETHODCALLTYPE OnControlInfoChanged() override { return Note("Site.OnControlInfoChanged"); }
    HRESULT STDMETHODCALLTYPE LockInPlaceActive(BOOL lock) override {
        return Note("Site.LockInPlaceActive", S_OK, lock);
    }
    HRESULT STDMETHODCALLTYPE GetExtendedControl(IDispatch** extended) override {
        *extended = nullptr;
        return Note("Site.GetExtendedControl", E_NOTIMPL);
    }
    ZARN_UNEXPECTED(TransformCoords, POINTL*, POINTF*, DWORD)
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* msg, DWORD modifiers) override;
    HRESULT STDMETHODCALLTYPE OnFocus(BOOL gotFocus) override { return Note("Site.OnFocus", S_OK, gotFocus); }
    ZARN_UNEXPECTED(ShowPropertyFrame)

    // IDispatch: the ambient properties
    ZARN_NO_TYPE_INFO
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT*) override;

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
    std::string Who() const { return "Site."; }
    // Logs "call" (or "call(TRUE)" with a flag) and answers `hr`.
    HRESULT Note(const char* call, HRESULT hr = S_OK, std::optional<BOOL> flag = std::nullopt);

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

// The container's form: a panel with a button beside the control's place,
// to take the focus away to. The panels of all tests sit in one shown
// top-level window that lives as long as the process: under Wine without a
// window manager, hiding or destroying a shown top-level window waits two
// seconds for a manager that never answers.
class FormWindow {
public:
    explicit FormWindow(int width = 400, int height = 200);
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
    MessageBoxCloser();
    ~MessageBoxCloser();
    MessageBoxCloser(const MessageBoxCloser&) = delete;
    MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;

    std::vector<std::wstring> texts;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wparam, LPARAM lparam);

    static inline MessageBoxCloser* instance_ = nullptr;
    HHOOK hook_ = nullptr;
};

// Runs the messages that are waiting, so posted notices arrive.
void PumpMessages();

// A left click at a point of a window, delivered to whichever of its
// children lies there, as the system's hit test would deliver it.
void ClickAt(HWND window, POINT point);

// A window's rectangle in its parent's client coordinates, and a rectangle
// as "(left, top, right, bottom)".
RECT RectInParent(HWND window);
std::string Describe(const RECT& r);

// Windows of this thread, top-level ones and all their descendants.
int ThreadWindows();

} // namespace zarn::test
