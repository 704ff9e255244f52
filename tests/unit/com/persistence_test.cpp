// Persistence through the built control: the entries a save writes to the
// host's property bag, in order and type; the keys a load reads, in order;
// what a load takes from the bag and what it does not do (setters,
// notifications); the stream form; and the dirty flag.
#include "ContainerFakes.h"

#include <algorithm>

using namespace zarn::test;

namespace {

// The parts of a text between separators, in order.
std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    for (size_t at = 0, end; at < text.size(); at = end + separator.size()) {
        end = std::min(text.find(separator, at), text.size());
        parts.push_back(text.substr(at, end - at));
    }
    return parts;
}

// The 93 writes of a save, in order, each with the type it is written in
// and the value a control placed anew on a fresh thread record writes.
// "PValue" is written as it is stored: text, today. "TodayFontSize" is 11
// points realised as 15 pixels at 96 dpi.
std::vector<std::string> InitialSave() {
    std::vector<std::string> entries = Split(
        "AllowNull VT_BOOL True, TextMaxLength VT_I4 0, TextMaxLength VT_I2 0, TextViewType VT_I4 1, "
        "TextViewFormat VT_I4 1, MaxDate VT_I4 20991231, MinDate VT_I4 19010101, PValue VT_BSTR today, "
        "Icon VT_DISPATCH null, ShowIcon VT_BOOL True, IconSizeWidth VT_I4 16, IconSizeHeight VT_I4 16, "
        "Enabled VT_BOOL True, BorderColor VT_I4 8421504, BgColor VT_I4 16777215, "
        "ButtonBgColor VT_I4 16777215, FocusColor VT_I4 8421504, ForeColor VT_I4 -2147483640, "
        "BackColor VT_I4 -2147483643, FontBold VT_BOOL False, FontItalic VT_BOOL False, "
        "FontName VT_BSTR Arial, FontSize VT_R4 10, FontStrikethru VT_BOOL False, "
        "FontUnderline VT_BOOL False, Text_Enabled VT_BOOL True, Text_Locked VT_BOOL False, "
        "TextFocusCol VT_I4 14737632, DropListEnabled VT_BOOL True, CalendarSelectPicDrawMode VT_I4 0, "
        "CalendarSelectStyle VT_I4 0, CalendarSelectePicMaskColor VT_I4 0, "
        "CalendarSelectePicture VT_DISPATCH null, CalendarBackNormal VT_I4 16777215, "
        "CalendarBackSelected VT_I4 16777215, CalendarBackSelectedG1 VT_I4 33023, "
        "CalendarBackSelectedG2 VT_I4 14737632, OLEDragMode VT_I2 0, OLEDropMode VT_I2 0, "
        "MousePointer VT_I2 0, MouseIcon VT_DISPATCH null, CalendarOption VT_I4 0, "
        "CalendarFirstDayOfWeek VT_I4 1, CalendarDayHeaderFormat VT_I4 1, SelectControl VT_I4 0, "
        "CalendarGridWidth VT_I4 30, CalendarGridHeight VT_I4 30, HoverSelection VT_BOOL True, "
        "HotTracking VT_BOOL True, HoverColor VT_I4 32768, CalendarBorderStyle VT_I4 0, "
        "TodayForeColor VT_I4 0, TodayFontName VT_BSTR Arial, TodayFontSize VT_CY 11, "
        "TodayFontBold VT_BOOL True, TodayFontItalic VT_BOOL False, TodayFontUnderline VT_BOOL False, "
        "TodayFontStrikethrough VT_BOOL False, TodayMaskColor VT_I4 0, TodayPicture VT_DISPATCH null, "
        "TodayPictureWidth VT_I4 0, TodayPictureHeight VT_I4 0, TodayPictureSize VT_I4 0, "
        "TodayOriginalPicSizeW VT_I4 0, TodayOriginalPicSizeH VT_I4 0, DateAlign VT_I4 0, DatePosn VT_I4 0, "
        "DateXOffset VT_I4 0, DateYOffset VT_I4 0, TodayXOffset VT_I4 0, TodayYOffset VT_I4 0, "
        "GridLineColor VT_I4 6592255, Gridline VT_I4 0, CalendarBdHighlightColour VT_I4 8421504, "
        "CalendarBdHighlightDKColour VT_I4 8421504, CalendarBdShadowColour VT_I4 8421504, "
        "CalendarBdShadowDKColour VT_I4 8421504, CalendarBdFlatBorderColour VT_I4 8421504, "
        "ShowWeekSignPicture VT_BOOL False, WeekColumnWidth VT_I4 0, ShowWeek VT_BOOL True, "
        "WeekSignPicXOffset VT_I4 0, WeekSignPicYOffset VT_I4 0, WeekSignPicMaskColor VT_I4 0, "
        "WeekSignPicture VT_DISPATCH null, WeekSignPictureWidth VT_I4 0, WeekSignPictureHeight VT_I4 0, "
        "WeekSignPictureSize VT_I4 0, WeekSignPictureOriginalPicSizeW VT_I4 0, "
        "WeekSignPictureOriginalPicSizeH VT_I4 0, Seperator VT_BSTR /, PlaceHolder VT_BSTR _, "
        "RightToLeft VT_BOOL False",
        ", ");
    std::replace(entries.begin(), entries.end(), std::string("PValue VT_BSTR today"),
                 "PValue VT_BSTR " + Narrow(TodayText()));
    return entries;
}

// Words of a text, in order.
std::vector<std::string> Words(const std::string& text) {
    return Split(text, " ");
}

// The 93 reads of a load, in order.
const std::vector<std::string> kLoadOrder = Words(
    "Icon ShowIcon IconSizeWidth IconSizeHeight BorderColor BgColor ButtonBgColor FocusColor "
    "TextMaxLength TextMaxLength TextFocusCol Text_Enabled Text_Locked ForeColor BackColor FontBold "
    "FontItalic FontName FontSize FontStrikethru FontUnderline DropListEnabled Enabled "
    "CalendarSelectPicDrawMode CalendarSelectStyle CalendarSelectePicMaskColor CalendarSelectePicture "
    "CalendarBackNormal CalendarBackSelected CalendarBackSelectedG1 CalendarBackSelectedG2 RightToLeft "
    "AllowNull Seperator PlaceHolder OLEDragMode OLEDropMode MousePointer MouseIcon "
    "CalendarFirstDayOfWeek CalendarDayHeaderFormat CalendarOption SelectControl CalendarGridWidth "
    "CalendarGridHeight HoverSelection HotTracking HoverColor CalendarBorderStyle TodayForeColor "
    "TodayFontName TodayFontSize TodayFontBold TodayFontItalic TodayFontUnderline TodayFontStrikethrough "
    "TodayMaskColor TodayPicture TodayPictureWidth TodayPictureHeight TodayPictureSize "
    "TodayOriginalPicSizeW TodayOriginalPicSizeH DateAlign DatePosn DateXOffset DateYOffset TodayXOffset "
    "TodayYOffset GridLineColor Gridline CalendarBdHighlightColour CalendarBdHighlightDKColour "
    "CalendarBdShadowColour CalendarBdShadowDKColour CalendarBdFlatBorderColour ShowWeek WeekColumnWidth "
    "ShowWeekSignPicture WeekSignPicXOffset WeekSignPicYOffset WeekSignPicMaskColor WeekSignPicture "
    "WeekSignPictureWidth WeekSignPictureHeight WeekSignPictureSize WeekSignPictureOriginalPicSizeW "
    "WeekSignPictureOriginalPicSizeH TextViewFormat TextViewType PValue MaxDate MinDate");

// ---------------------------------------------------------------------------
// Helpers

struct Control {
    ComPtr<IDispatch> dispatch;
    ComPtr<IPersistPropertyBag> bag;
    ComPtr<IPersistStreamInit> stream;
    IDispatch* operator->() const { return dispatch.Get(); }
    IDispatch* Get() const { return dispatch.Get(); }
};

// A new object, neither initialised nor loaded yet.
Control Unloaded() {
    Control c;
    c.dispatch = Ocx::Get().Create();
    if (c.dispatch) {
        EXPECT_EQ(c.dispatch.As(&c.bag), S_OK);
        EXPECT_EQ(c.dispatch.As(&c.stream), S_OK);
    }
    return c;
}

// A new object placed anew, as a form designer does.
Control Placed() {
    Control c = Unloaded();
    if (c.bag) {
        EXPECT_EQ(c.bag->InitNew(), S_OK);
    }
    return c;
}

std::string Get(IDispatch* object, const wchar_t* name) {
    const DispResult r = PropGet(object, IdOf(object, name));
    if (FAILED(r.hr))
        return "failed";
    return Text(r.value);
}

void Put(IDispatch* object, const wchar_t* name, const Var& value) {
    const DispResult r = PropPut(object, IdOf(object, name), value);
    EXPECT_EQ(r.hr, S_OK) << Narrow(name);
}

void PutRef(IDispatch* object, const wchar_t* name, IDispatch* value) {
    const DispResult r = PropPutRef(object, IdOf(object, name), Var::Object(value));
    EXPECT_EQ(r.hr, S_OK) << Narrow(name);
}

// The properties of _Zarn a client can read (INVOKE_PROPERTYGET) or set
// (INVOKE_PROPERTYPUT), by id and name, in member order.
std::vector<std::pair<MEMBERID, std::string>> Properties(IDispatch* object, INVOKEKIND kind) {
    std::vector<std::pair<MEMBERID, std::string>> properties;
    ComPtr<ITypeInfo> info;
    EXPECT_EQ(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.GetAddressOf()), S_OK);
    if (!info)
        return properties;
    TYPEATTR* attr = nullptr;
    info->GetTypeAttr(&attr);
    const WORD funcs = attr->cFuncs;
    info->ReleaseTypeAttr(attr);
    for (UINT i = 0; i < funcs; ++i) {
        FUNCDESC* func = nullptr;
        if (FAILED(info->GetFuncDesc(i, &func)))
            continue;
        const bool wanted = func->invkind == kind && func->cParams == (kind == INVOKE_PROPERTYGET ? 0 : 1);
        const MEMBERID member = func->memid;
        info->ReleaseFuncDesc(func);
        BSTR name = nullptr;
        if (wanted && SUCCEEDED(info->GetDocumentation(member, &name, nullptr, nullptr, nullptr)))
            properties.emplace_back(member, Narrow(name ? name : L""));
        SysFreeString(name);
    }
    return properties;
}

// Every property a client can read, as "Name value".
std::vector<std::string> Snapshot(IDispatch* object) {
    std::vector<std::string> values;
    for (const auto& [member, name] : Properties(object, INVOKE_PROPERTYGET)) {
        const DispResult r = PropGet(object, member);
        values.push_back(name + " " + (FAILED(r.hr) ? "failed" : Text(r.value)));
    }
    return values;
}

// A list as lines of one text, so that a failed comparison prints the
// differing lines rather than the first few dozen entries.
std::string Lines(const std::vector<std::string>& list) {
    std::string text;
    for (const std::string& line : list)
        text += line + "\n";
    return text;
}

std::vector<BYTE> SaveToBytes(IPersistStreamInit* persist, BOOL clearDirty = TRUE) {
    ComPtr<IStream> stream;
    EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf()), S_OK);
    EXPECT_EQ(persist->Save(stream.Get(), clearDirty), S_OK);
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    std::vector<BYTE> bytes(static_cast<size_t>(stat.cbSize.QuadPart));
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    if (!bytes.empty())
        stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    EXPECT_EQ(read, bytes.size());
    return bytes;
}

// The text box's window, the EDIT child of the control's surface.
HWND TextBoxOf(IDispatch* object) {
    ComPtr<IOleWindow> window;
    EXPECT_EQ(object->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(window.GetAddressOf())), S_OK);
    HWND surface = nullptr;
    if (window)
        window->GetWindow(&surface);
    return FindWindowExW(surface, nullptr, L"EDIT", nullptr);
}

std::wstring WindowText(HWND window) {
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return text;
}

// ---------------------------------------------------------------------------
// Saving

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
        ASSERT_TRUE(z.bag);
        ASSERT_EQ(z.bag->Save(&bag, TRUE, TRUE), S_OK);
    }
    EXPECT_EQ(Lines(bag.writes), Lines(InitialSave()));
    EXPECT_EQ(bag.refs, 1u);
}

// Pictures go into the bag as the picture objects themselves.
TEST(ComPersistence, SaveWritesPicturesAsObjects) {
    const Control z = Placed();
    ASSERT_TRUE(z.bag);
    const ComPtr<IPictureDisp> picture = FilePicture(4, 2);
    ASSERT_TRUE(picture);
    PutRef(z.Get(), L"WeekSignPicture", picture.Get());
    RecordingBag bag;
    ASSERT_EQ(z.bag->Save(&bag, TRUE, TRUE), S_OK);
    ASSERT_EQ(bag.held.count("WeekSignPicture"), 1u);
    const VARIANT& saved = bag.held["WeekSignPicture"];
    ASSERT_EQ(V_VT(&saved), VT_DISPATCH);
    ComPtr<IUnknown> a, b;
    V_DISPATCH(&saved)->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(a.GetAddressOf()));
    picture->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(b.GetAddressOf()));
    EXPECT_EQ(a.Get(), b.Get()) << "the control's own picture object, not a copy";
}

// ---------------------------------------------------------------------------
// Loading

TEST(ComPersistence, LoadReadsTheEntriesInTheirOrder) {
    const Control z = Unloaded();
    ASSERT_TRUE(z.bag);
    RecordingBag bag;
    ASSERT_EQ(z.bag->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(Lines(bag.reads), Lines(kLoadOrder));
    EXPECT_EQ(bag.refs, 1u);
}

// An empty bag gives each setting its read default, and the load tells the
// container about nothing but the mouse icon, which goes through its setter.
TEST(ComPersistence, EmptyBagGivesTheReadDefaultsAndNotifiesOnlyTheMouseIcon) {
    // Another control first moves the thread's settings off their defaults.
    const Control other = Placed();
    Put(other.Get(), L"MinDate", Var(19450101));
    Put(other.Get(), L"MaxDate", Var(20501231));
    Put(other.Get(), L"CalendarGridWidth", Var(44));
    Put(other.Get(), L"WeekColumnWidth", Var(17));
    Put(other.Get(), L"PValue", Var(20240229));

    const Control z = Unloaded();
    ASSERT_TRUE(z.bag);
    NotifySink sink;
    Connection notify(z.Get(), IID_IPropertyNotifySink, &sink);
    RecordingBag bag;
    ASSERT_EQ(z.bag->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(sink.changed, Ids({id::MouseIcon}));
    EXPECT_EQ(z.stream->IsDirty(), S_FALSE);

    EXPECT_EQ(Get(z.Get(), L"PValue"), "VT_BSTR " + Narrow(TodayText()));
    EXPECT_EQ(Get(z.Get(), L"TextMaxLength"), "VT_I2 30");
    EXPECT_EQ(Get(z.Get(), L"FontName"), "VT_BSTR Arial");
    EXPECT_EQ(Get(z.Get(), L"MinDate"), "VT_I4 19010101");
    EXPECT_EQ(Get(z.Get(), L"MaxDate"), "VT_I4 20991231");
    EXPECT_EQ(Get(z.Get(), L"CalendarGridWidth"), "VT_I2 30");
    EXPECT_EQ(Get(z.Get(), L"WeekColumnWidth"), "VT_I4 30");
    EXPECT_EQ(Get(z.Get(), L"Enabled"), "VT_BOOL True");
    EXPECT_EQ(Get(z.Get(), L"Seperator"), "VT_BSTR /");
    EXPECT_FALSE(WindowText(TextBoxOf(z.Get())).empty()) << "the text box shows the value";

    // The text box's own limit was read as 0, apart from the property's 30.
    RecordingBag saved;
    ASSERT_EQ(z.bag->Save(&saved, TRUE, TRUE), S_OK);
    ASSERT_GE(saved.writes.size(), 3u);
    EXPECT_EQ(saved.writes[1], "TextMaxLength VT_I4 0");
    EXPECT_EQ(saved.writes[2], "TextMaxLength VT_I2 30");
}

TEST(ComPersistence, LoadedValueKeepsItsTypeNumberOrText) {
    for (const Var& value : {Var(20240229), Var(L"20240301")}) {
        const Control z = Unloaded();
        ASSERT_TRUE(z.bag);
        RecordingBag bag;
        bag.Hold("PValue", value);
        ASSERT_EQ(z.bag->Load(&bag, nullptr), S_OK);
        EXPECT_EQ(Get(z.Get(), L"PValue"), Text(value));
        RecordingBag saved;
        ASSERT_EQ(z.bag->Save(&saved, TRUE, TRUE), S_OK);
        EXPECT_EQ(Text(saved.held["PValue"]), Text(value));
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
    ASSERT_TRUE(z.bag);
    RecordingBag bag;
    bag.Hold("BorderColor", Var(0x123456));
    bag.Hold("PValue", Var(L"abc"));
    bag.Hold("MaxDate", Var(20301231));
    bag.Hold("MinDate", Var(19990101));
    const HRESULT hr = z.bag->Load(&bag, nullptr);
    EXPECT_EQ(hr, static_cast<HRESULT>(0x800A000D)) << std::hex << hr; // run-time error 13, type mismatch
    ComPtr<IErrorInfo> error;
    ASSERT_EQ(GetErrorInfo(0, error.GetAddressOf()), S_OK);
    BSTR description = nullptr;
    error->GetDescription(&description);
    EXPECT_STREQ(description, L"Type mismatch");
    SysFreeString(description);
    std::vector<std::string> untilValue(kLoadOrder.begin(), kLoadOrder.end() - 2);
    EXPECT_EQ(Lines(bag.reads), Lines(untilValue));
    EXPECT_EQ(Get(z.Get(), L"BorderColor"), "VT_UI4 1193046"); // &H123456, loaded before the value
    EXPECT_EQ(Get(z.Get(), L"MinDate"), "VT_I4 19300101");
    EXPECT_EQ(Get(z.Get(), L"MaxDate"), "VT_I4 20500101");
}

// A control saved disabled loads disabled with the colours and text box
// states from their own keys; the load applies no setter, so the surface
// itself stays enabled and a stored colour is kept as it is.
TEST(ComPersistence, ControlSavedDisabledLoadsFromItsOwnKeys) {
    const Control a = Placed();
    ASSERT_TRUE(a.bag);
    Put(a.Get(), L"Enabled", Var::Bool(false));
    RecordingBag bag;
    ASSERT_EQ(a.bag->Save(&bag, TRUE, TRUE), S_OK);

    const Control b = Unloaded();
    ASSERT_TRUE(b.bag);
    ASSERT_EQ(b.bag->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(Get(b.Get(), L"Enabled"), "VT_BOOL False");
    EXPECT_EQ(Get(b.Get(), L"BgColor"), "VT_UI4 14737632"); // &HE0E0E0
    EXPECT_EQ(Get(b.Get(), L"ButtonBgColor"), "VT_UI4 14737632");
    EXPECT_EQ(Get(b.Get(), L"Text_Enabled"), "VT_BOOL False");
    EXPECT_EQ(Get(b.Get(), L"Text_Locked"), "VT_BOOL True");
    ComPtr<IOleWindow> window;
    ASSERT_EQ(b.dispatch.As(&window), S_OK);
    HWND surface = nullptr;
    ASSERT_EQ(window->GetWindow(&surface), S_OK);
    EXPECT_TRUE(IsWindowEnabled(surface)) << "the surface is not switched by a load";

    const Control c = Unloaded();
    ASSERT_TRUE(c.bag);
    RecordingBag green;
    green.Hold("Enabled", Var::Bool(false));
    green.Hold("BgColor", Var(0x00FF00));
    ASSERT_EQ(c.bag->Load(&green, nullptr), S_OK);
    EXPECT_EQ(Get(c.Get(), L"BgColor"), "VT_UI4 65280");
    EXPECT_EQ(Get(c.Get(), L"Text_Enabled"), "VT_BOOL True");
}

// The setters' range rules do not apply to what is loaded. With no
// "WeekColumnWidth" in the bag the week column is as wide as the grid
// column just loaded.
TEST(ComPersistence, StoredValuesOutsideTheSettersRangesLoadAsTheyAre) {
    const Control z = Unloaded();
    ASSERT_TRUE(z.bag);
    RecordingBag bag;
    bag.Hold("CalendarGridWidth", Var(10));
    bag.Hold("MinDate", Var(17000101));
    bag.Hold("CalendarFirstDayOfWeek", Var(9));
    ASSERT_EQ(z.bag->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(Get(z.Get(), L"CalendarGridWidth"), "VT_I2 10");
    EXPECT_EQ(Get(z.Get(), L"WeekColumnWidth"), "VT_I4 10");
    EXPECT_EQ(Get(z.Get(), L"MinDate"), "VT_I4 17000101");
    EXPECT_EQ(Get(z.Get(), L"CalendarFirstDayOfWeek"), "VT_I4 9");
}

// ---------------------------------------------------------------------------
// The dirty flag and starting again

TEST(ComPersistence, DirtyAfterAChangeUntilASaveThatClearsIt) {
    const Control z = Placed();
    ASSERT_TRUE(z.bag);
    EXPECT_EQ(z.stream->IsDirty(), S_FALSE);
    Put(z.Get(), L"BorderColor", Var(0x102030));
    EXPECT_EQ(z.stream->IsDirty(), S_OK);

    RecordingBag keep;
    ASSERT_EQ(z.bag->Save(&keep, FALSE, TRUE), S_OK);
    EXPECT_EQ(z.stream->IsDirty(), S_OK);
    RecordingBag clear;
    ASSERT_EQ(z.bag->Save(&clear, TRUE, TRUE), S_OK);
    EXPECT_EQ(z.stream->IsDirty(), S_FALSE);

    Put(z.Get(), L"MinDate", Var(19600101));
    EXPECT_EQ(z.stream->IsDirty(), S_OK);
    SaveToBytes(z.stream.Get(), FALSE);
    EXPECT_EQ(z.stream->IsDirty(), S_OK);
    SaveToBytes(z.stream.Get(), TRUE);
    EXPECT_EQ(z.stream->IsDirty(), S_FALSE);

    // Loading leaves a clean control, although the mouse icon was set.
    Put(z.Get(), L"BorderColor", Var(0x203040));
    RecordingBag empty;
    ASSERT_EQ(z.bag->Load(&empty, nullptr), S_OK);
    EXPECT_EQ(z.stream->IsDirty(), S_FALSE);
}

TEST(ComPersistence, InitNewAfterUseStartsAgain) {
    const Control z = Placed();
    ASSERT_TRUE(z.bag);
    Put(z.Get(), L"BgColor", Var(0x123456));
    Put(z.Get(), L"MinDate", Var(19500101));
    Put(z.Get(), L"PValue", Var(20240229));
    Put(z.Get(), L"Seperator", Var(L"-"));
    ASSERT_EQ(z.stream->InitNew(), S_OK);
    EXPECT_EQ(Get(z.Get(), L"BgColor"), "VT_UI4 16777215");
    EXPECT_EQ(Get(z.Get(), L"MinDate"), "VT_I4 19010101");
    EXPECT_EQ(Get(z.Get(), L"PValue"), "VT_BSTR " + Narrow(TodayText()));
    EXPECT_EQ(Get(z.Get(), L"Seperator"), "VT_BSTR /");
    EXPECT_EQ(z.stream->IsDirty(), S_FALSE);
}

// ---------------------------------------------------------------------------
// The stream

// A value for a property unlike its current one ("VT_xx value"). Flipping
// bit 1 of a whole number keeps dates valid, enumerations that start at 0
// or 1 within range and colours colours.
Var Unlike(const std::string& name, const std::string& current) {
    const std::vector<std::string> words = Words(current);
    if (name == "PValue")
        return Var(20240229);
    if (words[0] == "VT_BOOL")
        return Var::Bool(words[1] == "False");
    if (words[0] == "VT_BSTR")
        return Var(name == "Seperator" ? L"-" : name == "PlaceHolder" ? L"#" : L"Courier New");
    return Var(static_cast<long>(std::stod(words[1])) ^ 2);
}

// Everything a client can set or read comes back through a stream, and the
// loaded control saves the same entries as the one saved.
TEST(ComPersistence, StreamCarriesEveryProperty) {
    const Control a = Placed();
    ASSERT_TRUE(a.stream);
    const ComPtr<IPictureDisp> picture = FilePicture(4, 2);
    PutRef(a.Get(), L"WeekSignPicture", picture.Get());
    PutRef(a.Get(), L"TodayPicture", picture.Get());
    for (const auto& [member, name] : Properties(a.Get(), INVOKE_PROPERTYPUT)) {
        const std::string before = Text(PropGet(a.Get(), member).value);
        EXPECT_EQ(PropPut(a.Get(), member, Unlike(name, before)).hr, S_OK) << name;
        EXPECT_NE(Text(PropGet(a.Get(), member).value), before)
            << name << " unchanged: the round trip proves nothing";
    }
    const std::vector<std::string> saved = Snapshot(a.Get());
    ASSERT_GT(saved.size(), 80u);
    RecordingBag savedEntries;
    ASSERT_EQ(a.bag->Save(&savedEntries, TRUE, TRUE), S_OK);
    const std::vector<BYTE> bytes = SaveToBytes(a.stream.Get());

    // A control placed anew puts the thread's settings back first.
    const Control reset = Placed();
    ASSERT_TRUE(reset.bag);

    const Control b = Unloaded();
    ASSERT_TRUE(b.stream);
    ASSERT_EQ(b.stream->Load(StreamOf(bytes).Get()), S_OK);
    EXPECT_EQ(Lines(Snapshot(b.Get())), Lines(saved));
    RecordingBag loadedEntries;
    ASSERT_EQ(b.bag->Save(&loadedEntries, TRUE, TRUE), S_OK);
    EXPECT_EQ(Lines(loadedEntries.writes), Lines(savedEntries.writes));
}

TEST(ComPersistence, SizeMaxCoversTheSave) {
    const Control z = Placed();
    ASSERT_TRUE(z.stream);
    const ComPtr<IPictureDisp> picture = FilePicture(4, 2);
    PutRef(z.Get(), L"WeekSignPicture", picture.Get());
    PutRef(z.Get(), L"CalendarSelectePicture", picture.Get());
    Put(z.Get(), L"FontName", Var(L"Courier New"));
    ULARGE_INTEGER max{};
    ASSERT_EQ(z.stream->GetSizeMax(&max), S_OK);
    EXPECT_GE(max.QuadPart, SaveToBytes(z.stream.Get()).size());
}

// A damaged stream is refused, and the control keeps what it had: its own
// settings and the thread's.
TEST(ComPersistence, DamagedStreamIsRefusedAndChangesNothing) {
    const Control a = Placed();
    ASSERT_TRUE(a.stream);
    Put(a.Get(), L"BorderColor", Var(0x010203));
    const std::vector<BYTE> bytes = SaveToBytes(a.stream.Get());
    ASSERT_GT(bytes.size(), 100u);

    const Control b = Placed();
    ASSERT_TRUE(b.stream);
    Put(b.Get(), L"BorderColor", Var(0x445566));
    Put(b.Get(), L"MinDate", Var(19450101));
    const std::vector<std::string> kept = Snapshot(b.Get());

    std::vector<std::pair<std::string, std::vector<BYTE>>> damaged;
    for (size_t length : {size_t{0}, size_t{3}, size_t{8}, size_t{11}, bytes.size() / 2, bytes.size() - 1})
        damaged.emplace_back("cut at " + std::to_string(length),
                             std::vector<BYTE>(bytes.begin(), bytes.begin() + static_cast<long>(length)));
    std::vector<BYTE> magic = bytes;
    magic[0] ^= 0xFF;
    damaged.emplace_back("other magic", magic);
    std::vector<BYTE> version = bytes;
    version[4] ^= 0x7F;
    damaged.emplace_back("other version", version);
    std::vector<BYTE> count = bytes;
    count[8] = count[9] = count[10] = count[11] = 0xFF;
    damaged.emplace_back("huge entry count", count);

    for (const auto& [what, data] : damaged) {
        EXPECT_TRUE(FAILED(b.stream->Load(StreamOf(data).Get()))) << what;
        EXPECT_EQ(Lines(Snapshot(b.Get())), Lines(kept)) << what;
    }
}

// Any byte of a saved stream may be damaged: the load succeeds or fails,
// and the control survives to be asked again. A damaged date makes the
// date module say so in a message box, which is closed here.
TEST(ComPersistence, StreamWithAnyByteDamagedNeitherCrashesNorHangs) {
    MessageBoxCloser boxes;
    const Control a = Placed();
    ASSERT_TRUE(a.stream);
    const ComPtr<IPictureDisp> picture = FilePicture(4, 2);
    PutRef(a.Get(), L"WeekSignPicture", picture.Get());
    const std::vector<BYTE> bytes = SaveToBytes(a.stream.Get());
    int refused = 0, loaded = 0;
    const Control b = Unloaded();
    ASSERT_TRUE(b.stream);
    // Every byte of the header and the first entries, then every 11th.
    for (size_t i = 0; i < bytes.size(); i += i < 64 ? 1 : 11) {
        for (BYTE value : {BYTE{0x00}, static_cast<BYTE>(bytes[i] ^ 0xFF)}) {
            std::vector<BYTE> data = bytes;
            data[i] = value;
            (SUCCEEDED(b.stream->Load(StreamOf(data).Get())) ? loaded : refused)++;
            ASSERT_EQ(PropGet(b.Get(), id::MinDate).hr, S_OK) << "byte " << i;
        }
    }
    EXPECT_GT(refused, 0);
    EXPECT_GT(loaded, 0);
    printf("[          ] %d damaged streams refused, %d loaded (%zu message boxes)\n", refused, loaded,
           boxes.texts.size());
}

} // namespace
