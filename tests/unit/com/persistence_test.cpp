// Persistence through the built control: the entries a save writes to the
// host's property bag, in order and type; the keys a load reads, in order;
// what a load takes from the bag and what it does not do (setters,
// notifications); the stream form; and the dirty flag.
#include "ContainerFakes.h"

#include <algorithm>

using namespace zarn::test;

namespace {

// The parts of a text between separators, in order.
std::vector<std::string> Split(const std::string& text, const std::string& separator = " ") {
    std::vector<std::string> parts;
    for (size_t at = 0, end; at < text.size(); at = end + separator.size()) {
        end = std::min(text.find(separator, at), text.size());
        parts.push_back(text.substr(at, end - at));
    }
    return parts;
}

// The 93 writes of a save, in order, each with the type it is written in
// and the value a control placed anew on a fresh thread record writes
// (InitialSave.txt). "PValue" is written as it is stored: text, today.
// "TodayFontSize" is 11 points realised as 15 pixels at 96 dpi.
#include "InitialSave.inc"

std::string InitialSave() {
    std::string text = kInitialSave;
    const std::string today = "PValue VT_BSTR today";
    return text.replace(text.find(today), today.size(), "PValue VT_BSTR " + Narrow(TodayText()));
}

// The 93 reads of a load, in order (LoadOrder.txt).
#include "LoadOrder.inc"

struct Control {
    ComPtr<IDispatch> dispatch;
    ComPtr<IPersistPropertyBag> bag;
    ComPtr<IPersistStreamInit> stream;
    IDispatch* Get() const { return dispatch.Get(); }
};

// A new object, neither initialised nor loaded yet; or placed anew, as a
// form designer does.
Control Unloaded() {
    Control c{Ocx::Get().Create(), nullptr, nullptr};
    EXPECT_EQ(c.dispatch.As(&c.bag), S_OK);
    EXPECT_EQ(c.dispatch.As(&c.stream), S_OK);
    return c;
}
Control Placed() {
    Control c = Unloaded();
    EXPECT_EQ(c.bag->InitNew(), S_OK);
    return c;
}

void Put(IDispatch* object, const wchar_t* name, const Var& value) {
    EXPECT_EQ(PropPut(object, IdOf(object, name), value).hr, S_OK) << Narrow(name);
}
void PutRef(IDispatch* object, const wchar_t* name, IDispatch* value) {
    EXPECT_EQ(PropPutRef(object, IdOf(object, name), Var::Object(value)).hr, S_OK) << Narrow(name);
}

// The named properties as "Name VT_xx value, ...".
std::string Values(IDispatch* object, const std::string& names) {
    std::string text;
    for (const std::string& name : Split(names)) {
        const DispResult r = PropGet(object, IdOf(object, Widen(name).c_str()));
        text += (text.empty() ? "" : ", ") + name + " " + (FAILED(r.hr) ? "failed" : Text(r.value));
    }
    return text;
}

// The properties of _Zarn a client can read (INVOKE_PROPERTYGET) or set
// (INVOKE_PROPERTYPUT), by id and name, in member order.
std::vector<std::pair<MEMBERID, std::string>> Properties(IDispatch* object, INVOKEKIND kind) {
    std::vector<std::pair<MEMBERID, std::string>> properties;
    ComPtr<ITypeInfo> info;
    EXPECT_EQ(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.GetAddressOf()), S_OK);
    TYPEATTR* attr = nullptr;
    info->GetTypeAttr(&attr);
    const WORD funcs = attr->cFuncs;
    info->ReleaseTypeAttr(attr);
    for (UINT i = 0; i < funcs; ++i) {
        FUNCDESC* func = nullptr;
        info->GetFuncDesc(i, &func);
        const bool wanted = func->invkind == kind && func->cParams == (kind == INVOKE_PROPERTYGET ? 0 : 1);
        const MEMBERID member = func->memid;
        info->ReleaseFuncDesc(func);
        Bstr name;
        if (wanted && SUCCEEDED(info->GetDocumentation(member, name.Put(), nullptr, nullptr, nullptr)))
            properties.emplace_back(member, Narrow(name.Text()));
    }
    return properties;
}

// Every property a client can read, as "Name value" lines.
std::string Snapshot(IDispatch* object) {
    std::vector<std::string> values;
    for (const auto& [member, name] : Properties(object, INVOKE_PROPERTYGET)) {
        const DispResult r = PropGet(object, member);
        values.push_back(name + " " + (FAILED(r.hr) ? "failed" : Text(r.value)));
    }
    return Lines(values);
}

int TextBoxLength(const Control& z) {
    ComPtr<IOleWindow> window;
    HWND surface = nullptr;
    if (FAILED(z.dispatch.As(&window)) || FAILED(window->GetWindow(&surface)))
        return -1;
    return GetWindowTextLengthW(FindWindowExW(surface, nullptr, L"EDIT", nullptr));
}

std::vector<std::string> SavedEntries(const Control& z) {
    RecordingBag bag;
    EXPECT_EQ(z.bag->Save(&bag, TRUE, TRUE), S_OK);
    return bag.writes;
}

std::vector<BYTE> SaveToBytes(IPersistStreamInit* persist, BOOL clearDirty = TRUE) {
    ComPtr<IStream> stream;
    EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf()), S_OK);
    EXPECT_EQ(persist->Save(stream.Get(), clearDirty), S_OK);
    return BytesOf(*stream.Get());
}

// A placed control saves its initial settings, in order and type, and lets
// the bag go. Initialising leaves the control's own TextMaxLength at 0 and
// some calendar settings as the thread's record holds them, which on a new
// record is 0 or False: the module is loaded afresh for this.
TEST(ComPersistence, PlacedControlSavesItsInitialSettings) {
    ASSERT_EQ(Ocx::Get().CanUnloadNow(), S_OK);
    ASSERT_TRUE(Ocx::Get().Reload());
    RecordingBag bag;
    {
        const Control z = Placed();
        ASSERT_EQ(z.bag->Save(&bag, TRUE, TRUE), S_OK);
    }
    EXPECT_EQ(Lines(bag.writes), InitialSave());
    EXPECT_EQ(bag.refs, 1u);
}

// Pictures go into the bag, and come back from the getter, as the picture
// objects themselves, not copies.
TEST(ComPersistence, SaveWritesPicturesAsObjects) {
    const Control z = Placed();
    const ComPtr<IPictureDisp> picture = FilePicture(4, 2);
    PutRef(z.Get(), L"WeekSignPicture", picture.Get());
    RecordingBag bag;
    ASSERT_EQ(z.bag->Save(&bag, TRUE, TRUE), S_OK);
    ComPtr<IUnknown> saved, given, got;
    V_DISPATCH(&bag.held["WeekSignPicture"])->QueryInterface(IID_PPV_ARGS(&saved));
    picture->QueryInterface(IID_PPV_ARGS(&given));
    EXPECT_EQ(saved.Get(), given.Get());
    const DispResult r = PropGet(z.Get(), id::WeekSignPicture);
    ASSERT_EQ(V_VT(&r.value), VT_DISPATCH);
    V_DISPATCH(&r.value)->QueryInterface(IID_PPV_ARGS(&got));
    EXPECT_EQ(got.Get(), given.Get());
}

TEST(ComPersistence, LoadReadsTheEntriesInTheirOrder) {
    const Control z = Unloaded();
    RecordingBag bag;
    ASSERT_EQ(z.bag->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(Lines(bag.reads), kLoadOrder);
    EXPECT_EQ(bag.refs, 1u);
}

// An empty bag gives each setting its read default, and the load tells the
// container about nothing but the mouse icon, which goes through its setter.
TEST(ComPersistence, EmptyBagGivesTheReadDefaultsAndNotifiesOnlyTheMouseIcon) {
    // Another control first moves the thread's settings off their defaults.
    const Control other = Placed();
    for (const auto& [name, value] : {std::pair{L"MinDate", 19450101},
                                      {L"MaxDate", 20501231},
                                      {L"CalendarGridWidth", 44},
                                      {L"WeekColumnWidth", 17},
                                      {L"PValue", 20240229}})
        Put(other.Get(), name, Var(value));

    const Control z = Unloaded();
    NotifySink sink;
    Connection notify(z.Get(), IID_IPropertyNotifySink, &sink);
    RecordingBag bag;
    ASSERT_EQ(z.bag->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(sink.changed, Ids({id::MouseIcon}));
    EXPECT_EQ(z.stream->IsDirty(), S_FALSE);
    EXPECT_EQ(Values(z.Get(),
                     "PValue TextMaxLength FontName MinDate MaxDate CalendarGridWidth WeekColumnWidth "
                     "Enabled Seperator"),
              "PValue VT_BSTR " + Narrow(TodayText()) +
                  ", TextMaxLength VT_I2 30, FontName VT_BSTR Arial, MinDate VT_I4 19010101, MaxDate VT_I4 "
                  "20991231, CalendarGridWidth VT_I2 30, WeekColumnWidth VT_I4 30, Enabled VT_BOOL True, "
                  "Seperator VT_BSTR /");
    EXPECT_GT(TextBoxLength(z), 0) << "the text box shows the value";
    // The text box's own limit was read as 0, apart from the property's 30.
    const std::vector<std::string> saved = SavedEntries(z);
    EXPECT_EQ(std::vector(saved.begin() + 1, saved.begin() + 3),
              (std::vector<std::string>{"TextMaxLength VT_I4 0", "TextMaxLength VT_I2 30"}));
}

TEST(ComPersistence, LoadedValueKeepsItsTypeNumberOrText) {
    for (const Var& value : {Var(20240229), Var(L"20240301")}) {
        const Control z = Unloaded();
        RecordingBag bag;
        bag.Hold("PValue", value);
        ASSERT_EQ(z.bag->Load(&bag, nullptr), S_OK);
        EXPECT_EQ(Values(z.Get(), "PValue"), "PValue " + Text(value));
        RecordingBag saved;
        ASSERT_EQ(z.bag->Save(&saved, TRUE, TRUE), S_OK);
        EXPECT_EQ(Text(saved.held["PValue"]), Text(value));
    }
}

// A stored Empty is the empty text: with null values allowed the text box
// shows nothing, and nobody is told the value is too short.
TEST(ComPersistence, EmptyStoredValueLoadsAsTheEmptyText) {
    MessageBoxCloser boxes;
    const Control z = Unloaded();
    RecordingBag bag;
    bag.Hold("PValue", Var());
    ASSERT_EQ(z.bag->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(boxes.texts, std::vector<std::wstring>{});
    EXPECT_EQ(TextBoxLength(z), 0);
    EXPECT_EQ(Values(z.Get(), "PValue"), "PValue VT_EMPTY");
}

// A value answered by reference is the bag's memory: the control keeps a
// copy, whatever the bag does with it after.
TEST(ComPersistence, ValueAnsweredByReferenceIsCopied) {
    const Control z = Unloaded();
    {
        RecordingBag bag;
        bag.byReference = true;
        bag.Hold("PValue", Var(L"20240301"));
        ASSERT_EQ(z.bag->Load(&bag, nullptr), S_OK);
        bag.held["PValue"] = Var(L"20991231");
    }
    EXPECT_EQ(Values(z.Get(), "PValue"), "PValue VT_BSTR 20240301");
}

// An object whose default value is the one given, as a script's variable
// holding a date object.
class ValueObject final : public Fake<IDispatch> {
public:
    explicit ValueObject(const Var& v) : value(v) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        return Offer(riid, object, this, {IID_IDispatch});
    }
    ZARN_NO_TYPE_INFO
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        return member == DISPID_VALUE && result ? VariantCopy(result, &value) : DISP_E_MEMBERNOTFOUND;
    }
    Var value;
};

// Whatever PValue keeps, a stream saves and loads back in its own type:
// 64-bit, unsigned and decimal numbers, a time of day, and an object's
// default value, which is what is kept of an object.
TEST(ComPersistence, EveryValuePValueKeepsGoesThroughAStream) {
    MessageBoxCloser boxes; // a time of day is no yyyymmdd, which the date module says
    ValueObject clock(Var::Date(0.75));
    Var decimal;
    VarDecFromI4(20240229, &V_DECIMAL(&decimal));
    V_VT(&decimal) = VT_DECIMAL;
    const std::pair<Var, std::string> values[] = {{Var::Raw(VT_I8, LONGLONG{20240229}), "vt 20 20240229"},
                                                  {Var::Raw(VT_UI4, ULONG{20240229}), "VT_UI4 20240229"},
                                                  {decimal, "vt 14 20240229"},
                                                  {Var::Date(0.75), "VT_DATE 18:00:00"},
                                                  {Var::Object(&clock), "VT_DATE 18:00:00"}};
    for (const auto& [value, expected] : values) {
        SCOPED_TRACE(expected);
        const Control a = Placed();
        Put(a.Get(), L"PValue", value);
        ULARGE_INTEGER max{};
        EXPECT_EQ(a.stream->GetSizeMax(&max), S_OK);
        const std::vector<BYTE> bytes = SaveToBytes(a.stream.Get());
        const Control reset = Placed();
        const Control b = Unloaded();
        ASSERT_EQ(b.stream->Load(StreamOf(bytes).Get()), S_OK);
        EXPECT_EQ(Values(b.Get(), "PValue"), "PValue " + expected);
    }
}

// A value that is no number stops the load at "PValue": the date range is
// not read, what came before stays loaded, and the host hears a type
// mismatch.
TEST(ComPersistence, ValueThatIsNoNumberStopsTheLoadBeforeTheDateRange) {
    const Control other = Placed();
    Put(other.Get(), L"MinDate", Var(19300101));
    Put(other.Get(), L"MaxDate", Var(20500101));

    const Control z = Unloaded();
    RecordingBag bag;
    bag.Hold("BorderColor", Var(0x123456));
    bag.Hold("PValue", Var(L"abc"));
    bag.Hold("MaxDate", Var(20301231));
    bag.Hold("MinDate", Var(19990101));
    EXPECT_EQ(z.bag->Load(&bag, nullptr), static_cast<HRESULT>(0x800A000D)); // run-time error 13
    ComPtr<IErrorInfo> error;
    ASSERT_EQ(GetErrorInfo(0, error.GetAddressOf()), S_OK);
    Bstr description;
    error->GetDescription(description.Put());
    EXPECT_EQ(description.Text(), L"Type mismatch");
    EXPECT_EQ(Lines(bag.reads), kLoadOrder.substr(0, kLoadOrder.rfind("MaxDate\n")));
    EXPECT_EQ(Values(z.Get(), "BorderColor MinDate MaxDate"),
              "BorderColor VT_UI4 1193046, MinDate VT_I4 19300101, MaxDate VT_I4 20500101");
}

// A control saved disabled loads disabled with the colours and text box
// states from their own keys; the load applies no setter, so the surface
// itself stays enabled and a stored colour is kept as it is.
TEST(ComPersistence, ControlSavedDisabledLoadsFromItsOwnKeys) {
    const Control a = Placed();
    Put(a.Get(), L"Enabled", Var::Bool(false));
    RecordingBag bag;
    ASSERT_EQ(a.bag->Save(&bag, TRUE, TRUE), S_OK);

    const Control b = Unloaded();
    ASSERT_EQ(b.bag->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(Values(b.Get(), "Enabled BgColor ButtonBgColor Text_Enabled Text_Locked"),
              "Enabled VT_BOOL False, BgColor VT_UI4 14737632, ButtonBgColor VT_UI4 14737632, Text_Enabled "
              "VT_BOOL False, Text_Locked VT_BOOL True");
    ComPtr<IOleWindow> window;
    HWND surface = nullptr;
    ASSERT_EQ(b.dispatch.As(&window), S_OK);
    ASSERT_EQ(window->GetWindow(&surface), S_OK);
    EXPECT_TRUE(IsWindowEnabled(surface)) << "the surface is not switched by a load";

    const Control c = Unloaded();
    RecordingBag green;
    green.Hold("Enabled", Var::Bool(false));
    green.Hold("BgColor", Var(0x00FF00));
    ASSERT_EQ(c.bag->Load(&green, nullptr), S_OK);
    EXPECT_EQ(Values(c.Get(), "BgColor Text_Enabled"), "BgColor VT_UI4 65280, Text_Enabled VT_BOOL True");
}

// The setters' range rules do not apply to what is loaded. With no
// "WeekColumnWidth" in the bag the week column is as wide as the grid
// column just loaded.
TEST(ComPersistence, StoredValuesOutsideTheSettersRangesLoadAsTheyAre) {
    const Control z = Unloaded();
    RecordingBag bag;
    bag.Hold("CalendarGridWidth", Var(10));
    bag.Hold("MinDate", Var(17000101));
    bag.Hold("CalendarFirstDayOfWeek", Var(9));
    ASSERT_EQ(z.bag->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(Values(z.Get(), "CalendarGridWidth WeekColumnWidth MinDate CalendarFirstDayOfWeek"),
              "CalendarGridWidth VT_I2 10, WeekColumnWidth VT_I4 10, MinDate VT_I4 17000101, "
              "CalendarFirstDayOfWeek VT_I4 9");
}

TEST(ComPersistence, DirtyAfterAChangeUntilASaveThatClearsIt) {
    const Control z = Placed();
    RecordingBag bag;
    const std::pair<std::function<void()>, HRESULT> steps[] = {
        {[] {}, S_FALSE},
        {[&] { Put(z.Get(), L"BorderColor", Var(0x102030)); }, S_OK},
        {[&] { z.bag->Save(&bag, FALSE, TRUE); }, S_OK},
        {[&] { z.bag->Save(&bag, TRUE, TRUE); }, S_FALSE},
        {[&] { Put(z.Get(), L"MinDate", Var(19600101)); }, S_OK},
        {[&] { SaveToBytes(z.stream.Get(), FALSE); }, S_OK},
        {[&] { SaveToBytes(z.stream.Get(), TRUE); }, S_FALSE},
        {[&] { Put(z.Get(), L"BorderColor", Var(0x203040)); }, S_OK},
        // Loading leaves a clean control, although the mouse icon was set.
        {[&] { z.bag->Load(&bag, nullptr); }, S_FALSE}};
    for (size_t i = 0; i < std::size(steps); ++i) {
        steps[i].first();
        EXPECT_EQ(z.stream->IsDirty(), steps[i].second) << "after step " << i;
    }
}

TEST(ComPersistence, InitNewAfterUseStartsAgain) {
    const Control z = Placed();
    Put(z.Get(), L"BgColor", Var(0x123456));
    Put(z.Get(), L"MinDate", Var(19500101));
    Put(z.Get(), L"PValue", Var(20240229));
    Put(z.Get(), L"Seperator", Var(L"-"));
    ASSERT_EQ(z.stream->InitNew(), S_OK);
    EXPECT_EQ(Values(z.Get(), "BgColor MinDate PValue Seperator"),
              "BgColor VT_UI4 16777215, MinDate VT_I4 19010101, PValue VT_BSTR " + Narrow(TodayText()) +
                  ", Seperator VT_BSTR /");
    EXPECT_EQ(z.stream->IsDirty(), S_FALSE);
}

// A value for a property unlike its current one ("VT_xx value"). Flipping
// bit 1 of a whole number keeps dates valid, enumerations that start at 0
// or 1 within range and colours colours.
Var Unlike(const std::string& name, const std::string& current) {
    const std::vector<std::string> words = Split(current);
    if (name == "PValue")
        return Var(20240229);
    if (words[0] == "VT_BOOL")
        return Var::Bool(words[1] == "False");
    if (words[0] == "VT_BSTR")
        return Var(name == "Seperator" ? L"-" : name == "PlaceHolder" ? L"#" : L"Courier New");
    return Var(static_cast<long>(std::stod(words[1])) ^ 2);
}

// Every property a client can set takes a new value, tells the container
// under its own DISPID, and comes back through a stream (no longer than its
// size promised) with everything a client can read; the loaded control
// saves the same entries.
TEST(ComPersistence, EverySetterNotifiesAndTheStreamCarriesEveryProperty) {
    const Control a = Placed();
    const ComPtr<IPictureDisp> picture = FilePicture(4, 2);
    PutRef(a.Get(), L"WeekSignPicture", picture.Get());
    PutRef(a.Get(), L"TodayPicture", picture.Get());
    NotifySink sink;
    Connection notify(a.Get(), IID_IPropertyNotifySink, &sink);
    const auto settable = Properties(a.Get(), INVOKE_PROPERTYPUT);
    ASSERT_GT(settable.size(), 70u);
    for (const auto& [member, name] : settable) {
        const std::string before = Text(PropGet(a.Get(), member).value);
        sink.changed.clear();
        EXPECT_EQ(PropPut(a.Get(), member, Unlike(name, before)).hr, S_OK) << name;
        EXPECT_NE(Text(PropGet(a.Get(), member).value), before)
            << name << " unchanged: the round trip proves nothing";
        EXPECT_NE(std::find(sink.changed.begin(), sink.changed.end(), member), sink.changed.end()) << name;
    }
    const std::string saved = Snapshot(a.Get());
    const std::vector<std::string> savedEntries = SavedEntries(a);
    ULARGE_INTEGER max{};
    ASSERT_EQ(a.stream->GetSizeMax(&max), S_OK);
    const std::vector<BYTE> bytes = SaveToBytes(a.stream.Get());
    EXPECT_GE(max.QuadPart, bytes.size());

    const Control reset = Placed(); // puts the thread's settings back first
    const Control b = Unloaded();
    ASSERT_EQ(b.stream->Load(StreamOf(bytes).Get()), S_OK);
    EXPECT_EQ(Snapshot(b.Get()), saved);
    EXPECT_EQ(Lines(SavedEntries(b)), Lines(savedEntries));
}

// A damaged stream is refused, and the control keeps what it had: its own
// settings and the thread's. (Every cut, bit flip and damaged count is the
// persistence soak's.)
TEST(ComPersistence, DamagedStreamIsRefusedAndChangesNothing) {
    const Control a = Placed();
    Put(a.Get(), L"BorderColor", Var(0x010203));
    const std::vector<BYTE> bytes = SaveToBytes(a.stream.Get());
    ASSERT_GT(bytes.size(), 100u);

    const Control b = Placed();
    Put(b.Get(), L"BorderColor", Var(0x445566));
    Put(b.Get(), L"MinDate", Var(19450101));
    const std::string kept = Snapshot(b.Get());
    std::vector<BYTE> cut(bytes.begin(), bytes.end() - 1), magic = bytes, version = bytes;
    magic[0] ^= 0xFF;
    version[4] ^= 0x7F;
    for (const auto& [what, data] :
         {std::pair{"cut", cut}, {"other magic", magic}, {"other version", version}}) {
        EXPECT_TRUE(FAILED(b.stream->Load(StreamOf(data).Get()))) << what;
        EXPECT_EQ(Snapshot(b.Get()), kept) << what;
    }
}

} // namespace
