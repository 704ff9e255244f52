// The drag and drop data object as a script sees it, through IDispatch by
// name: each format kept and read back, both from the object itself and
// through the IDataObject a drop target reads; a format promised without
// a value asked of the source; and the errors of wrong calls.
#include "TestSupport.h"
#include "activex/DataObject.h"
#include "activex/Module.h"
#include "control/ZarnDragDrop.h"

#include <gtest/gtest.h>

namespace zarn::test {
namespace {

using Microsoft::WRL::ComPtr;

struct Outcome {
    HRESULT hr = S_OK;
    Variant value;
    std::string error; // the exception's description
};

// A late-bound call the way a script makes one: by name, method or get.
Outcome Script(IDispatch* object, const wchar_t* name, std::vector<Variant> args = {}) {
    Outcome out;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    out.hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(out.hr))
        return out;
    std::vector<VARIANT> reversed;
    for (auto it = args.rbegin(); it != args.rend(); ++it)
        reversed.push_back(it->Get());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    EXCEPINFO excep{};
    out.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                            &params, out.value.Put(), &excep, nullptr);
    if (out.hr == DISP_E_EXCEPTION) {
        out.error = Narrow(excep.bstrDescription ? excep.bstrDescription : L"");
        SysFreeString(excep.bstrSource), SysFreeString(excep.bstrDescription),
            SysFreeString(excep.bstrHelpFile);
    }
    return out;
}

Variant Missing() {
    Variant v;
    V_VT(v.Put()) = VT_ERROR;
    V_ERROR(const_cast<VARIANT*>(&v.Get())) = DISP_E_PARAMNOTFOUND;
    return v;
}

Variant ObjectValue(IUnknown* object) {
    Variant v;
    VARIANT* p = v.Put();
    V_VT(p) = VT_DISPATCH;
    object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&V_DISPATCH(p)));
    return v;
}

Variant PictureOf(PICTDESC desc) {
    desc.cbSizeofstruct = sizeof desc;
    ComPtr<IPictureDisp> picture;
    OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(picture.GetAddressOf()));
    return ObjectValue(picture.Get());
}

Variant MetafilePicture() {
    HDC dc = CreateMetaFileW(nullptr);
    Rectangle(dc, 0, 0, 40, 20);
    PICTDESC desc{};
    desc.picType = PICTYPE_METAFILE;
    desc.wmf.hmeta = CloseMetaFile(dc);
    desc.wmf.xExt = 1058;
    desc.wmf.yExt = 529;
    return PictureOf(desc);
}

Variant EnhMetafilePicture() {
    const RECT frame{0, 0, 1000, 500};
    HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
    Rectangle(dc, 0, 0, 40, 20);
    PICTDESC desc{};
    desc.picType = PICTYPE_ENHMETAFILE;
    desc.emf.hemf = CloseEnhMetaFile(dc);
    return PictureOf(desc);
}

Variant PalettePicture() {
    struct {
        WORD version = 0x300, count = 2;
        PALETTEENTRY entries[2] = {{255, 0, 0, 0}, {0, 0, 255, 0}};
    } log;
    HDC screen = GetDC(nullptr);
    PICTDESC desc{};
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = CreateCompatibleBitmap(screen, 3, 2);
    desc.bmp.hpal = CreatePalette(reinterpret_cast<LOGPALETTE*>(&log));
    ReleaseDC(nullptr, screen);
    return PictureOf(desc);
}

Variant FileNames() {
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, 2);
    const wchar_t* names[] = {L"C:\\a.txt", L"C:\\dir\\b c.txt"};
    for (LONG i = 0; i < 2; ++i) {
        Variant name = Variant::FromText(names[i]);
        SafeArrayPutElement(array, &i, const_cast<VARIANT*>(&name.Get()));
    }
    Variant v;
    V_VT(v.Put()) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(const_cast<VARIANT*>(&v.Get())) = array;
    return v;
}

// A value as the test compares it: a picture by kind and size, a palette
// by its number of colours, a list of names one by one.
std::string Described(const Variant& value, short format) {
    const VARIANT& v = value.Get();
    if (V_VT(&v) & VT_ARRAY) {
        std::string text = "names";
        LONG low = 0, high = -1;
        SafeArrayGetLBound(V_ARRAY(&v), 1, &low), SafeArrayGetUBound(V_ARRAY(&v), 1, &high);
        for (LONG i = low; i <= high; ++i) {
            Variant name;
            SafeArrayGetElement(V_ARRAY(&v), &i, name.Put());
            text += " " + Narrow(ToText(name.Get()));
        }
        return text;
    }
    ComPtr<IPicture> picture;
    if (format == data::kPalette && V_VT(&v) == VT_DISPATCH &&
        SUCCEEDED(
            V_DISPATCH(&v)->QueryInterface(IID_IPicture, reinterpret_cast<void**>(picture.GetAddressOf())))) {
        OLE_HANDLE palette = 0;
        picture->get_hPal(&palette);
        WORD colours = 0;
        GetObjectW(reinterpret_cast<HPALETTE>(static_cast<INT_PTR>(palette)), sizeof colours, &colours);
        return "palette of " + std::to_string(colours);
    }
    if (format == data::kEnhMetafile && V_VT(&v) == VT_DISPATCH &&
        SUCCEEDED(
            V_DISPATCH(&v)->QueryInterface(IID_IPicture, reinterpret_cast<void**>(picture.GetAddressOf())))) {
        // Wine's picture object gives an enhanced metafile no size: the
        // metafile's own frame tells.
        OLE_HANDLE handle = 0;
        picture->get_Handle(&handle);
        ENHMETAHEADER head{};
        GetEnhMetaFileHeader(reinterpret_cast<HENHMETAFILE>(static_cast<INT_PTR>(handle)), sizeof head,
                             &head);
        return "enhanced metafile " + std::to_string(head.rclFrame.right) + " x " +
               std::to_string(head.rclFrame.bottom);
    }
    return Text(v);
}

class NoSource : public DragSourceListener {
public:
    void StartDrag(DragData&, long&) override {}
    void GiveFeedback(long&, VARIANT_BOOL&) override {}
    void SetData(DragData&, short&) override {}
    void CompleteDrag(long&) override {}
};

struct RoundTrip {
    const char* name;
    Variant (*value)();
    short format;
    const char* kept; // what GetData gives back, from the object and through a drop
};

const RoundTrip kRoundTrips[] = {
    {"text", [] { return Variant::FromText(L"05 Dec 2026"); }, 1, "VT_BSTR 05 Dec 2026"},
    {"number as text", [] { return Variant::FromLong(20261205); }, 1, "VT_BSTR 20261205"},
    {"rich text", [] { return Variant::FromText(L"{\\rtf1 Dec}"); }, -16639, "VT_BSTR {\\rtf1 Dec}"},
    {"bitmap", [] { return ObjectValue(FilePicture(4, 3).Get()); }, 2,
     "VT_DISPATCH picture type 1, 106 x 79"},
    {"device-independent bitmap", [] { return ObjectValue(FilePicture(4, 3).Get()); }, 8,
     "VT_DISPATCH picture type 1, 106 x 79"},
    {"palette", PalettePicture, 9, "palette of 2"},
    {"metafile", MetafilePicture, 3, "VT_DISPATCH picture type 2, 1058 x 529"},
    {"enhanced metafile", EnhMetafilePicture, 14, "enhanced metafile 1000 x 500"},
    {"files", FileNames, 15, "names C:\\a.txt C:\\dir\\b c.txt"},
};

TEST(DataObject, EachFormatComesBackAsItWasSetAndThroughADrop) {
    const long objects = module::ObjectCount();
    NoSource source;
    for (const RoundTrip& t : kRoundTrips) {
        SCOPED_TRACE(t.name);
        const ComPtr<DataObject> offered = DataObject::Offering(&source);
        ASSERT_EQ(S_OK, Script(offered.Get(), L"SetData", {t.value(), Variant::FromInteger(t.format)}).hr);
        const Outcome kept = Script(offered.Get(), L"GetData", {Variant::FromInteger(t.format)});
        EXPECT_EQ(t.kept, Described(kept.value, t.format)) << kept.error;

        ComPtr<IDataObject> dragged;
        ASSERT_EQ(S_OK, offered.As(&dragged));
        const ComPtr<DataObject> dropped = DataObject::Reading(dragged.Get());
        const Outcome read = Script(dropped.Get(), L"GetData", {Variant::FromInteger(t.format)});
        EXPECT_EQ(t.kept, Described(read.value, t.format)) << read.error;
        EXPECT_EQ("VT_BOOL True",
                  Text(Script(dropped.Get(), L"GetFormat", {Variant::FromInteger(t.format)}).value.Get()));
        const short other = t.format == 14 ? 3 : 14;
        EXPECT_EQ("VT_BOOL False",
                  Text(Script(dropped.Get(), L"GetFormat", {Variant::FromInteger(other)}).value.Get()));
    }
    EXPECT_EQ(objects, module::ObjectCount()) << "a data object or its files left behind";
}

// Text goes out as Unicode and ANSI; a drop reads either; the files of a
// drop are its Files collection.
TEST(DataObject, ADropReadsTextAndFilesAsTheyCome) {
    NoSource source;
    const ComPtr<DataObject> offered = DataObject::Offering(&source);
    const ComPtr<IDispatch> files = V_DISPATCH(&Script(offered.Get(), L"Files").value.Get());
    Script(files.Get(), L"Add", {Variant::FromText(L"C:\\b.txt")});
    Script(files.Get(), L"Add", {Variant::FromText(L"C:\\a.txt"), Variant::FromLong(1)});
    Script(offered.Get(), L"SetData", {Missing(), Variant::FromInteger(15)});
    offered->SetText(L"Dec 05 2026");

    FORMATETC ansi{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    ASSERT_EQ(S_OK, offered->GetData(&ansi, &medium));
    EXPECT_STREQ("Dec 05 2026", static_cast<const char*>(GlobalLock(medium.hGlobal)));
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);

    const ComPtr<DataObject> dropped = DataObject::Reading(offered.Get());
    std::wstring text;
    EXPECT_TRUE(dropped->Text(text));
    EXPECT_EQ(L"Dec 05 2026", text);
    const ComPtr<IDispatch> read = V_DISPATCH(&Script(dropped.Get(), L"Files").value.Get());
    EXPECT_EQ("VT_I4 2", Text(Script(read.Get(), L"Count").value.Get()));
    EXPECT_EQ("VT_BSTR C:\\a.txt", Text(Script(read.Get(), L"Item", {Variant::FromLong(1)}).value.Get()));
    EXPECT_EQ("VT_BSTR C:\\b.txt", Text(Script(read.Get(), L"Item", {Variant::FromLong(2)}).value.Get()));
}

// A target that asks for a promised format gets what the host sets then.
TEST(DataObject, APromisedFormatIsAskedOfTheSourceWhenATargetWantsIt) {
    class Source : public NoSource {
    public:
        void SetData(DragData& data, short& format) override {
            asked.push_back(format);
            Script(data.Object(), L"SetData", {Variant::FromText(L"20261224"), Variant::FromInteger(format)});
        }
        std::vector<short> asked;
    } source;
    const ComPtr<DataObject> offered = DataObject::Offering(&source);
    Script(offered.Get(), L"SetData", {Missing(), Variant::FromInteger(1)});
    EXPECT_EQ("VT_BOOL True",
              Text(Script(offered.Get(), L"GetFormat", {Variant::FromInteger(1)}).value.Get()));
    EXPECT_TRUE(source.asked.empty());

    const ComPtr<DataObject> dropped = DataObject::Reading(offered.Get());
    EXPECT_EQ("VT_BSTR 20261224", Text(Script(dropped.Get(), L"GetData", {}).value.Get()));
    EXPECT_EQ(std::vector<short>{1}, source.asked);
}

struct WrongCall {
    const char* name;
    bool dropped; // on the data of a drop rather than of a drag
    const wchar_t* member;
    std::vector<Variant> (*args)();
    HRESULT hr;
    const char* error;
};

const WrongCall kWrongCalls[] = {
    {"unknown format asked", false, L"GetFormat", [] { return std::vector{Variant::FromLong(4)}; },
     DISP_E_EXCEPTION,
     "Invalid format 4: the data object knows the formats 1, 2, 3, 8, 9, 14, 15 and -16639"},
    {"format as a word", false, L"GetFormat", [] { return std::vector{Variant::FromText(L"text")}; },
     DISP_E_TYPEMISMATCH, ""},
    {"no format", false, L"GetFormat", [] { return std::vector<Variant>{}; }, DISP_E_BADPARAMCOUNT, ""},
    {"unknown format set", false, L"SetData",
     [] {
         return std::vector{Variant::FromText(L"x"), Variant::FromLong(-1)};
     },
     DISP_E_EXCEPTION,
     "Invalid format -1: the data object knows the formats 1, 2, 3, 8, 9, 14, 15 and -16639"},
    {"text as a bitmap", false, L"SetData",
     [] {
         return std::vector{Variant::FromText(L"x"), Variant::FromLong(2)};
     },
     DISP_E_TYPEMISMATCH, ""},
    {"bitmap as text", false, L"SetData",
     [] {
         return std::vector{ObjectValue(FilePicture(2, 2).Get()), Variant::FromLong(1)};
     },
     DISP_E_TYPEMISMATCH, ""},
    {"bitmap as a metafile", false, L"SetData",
     [] {
         return std::vector{ObjectValue(FilePicture(2, 2).Get()), Variant::FromLong(3)};
     },
     DISP_E_TYPEMISMATCH, ""},
    {"nothing set", false, L"SetData", [] { return std::vector<Variant>{}; }, DISP_E_EXCEPTION,
     "SetData needs a value, a format or both"},
    {"format not held", false, L"GetData", [] { return std::vector{Variant::FromLong(14)}; },
     DISP_E_EXCEPTION, "The data object holds nothing in format 14"},
    {"too many arguments", false, L"Clear", [] { return std::vector{Variant::FromLong(1)}; },
     DISP_E_BADPARAMCOUNT, ""},
    {"a drop written", true, L"SetData", [] { return std::vector{Variant::FromText(L"x")}; },
     DISP_E_EXCEPTION, "The data of a drop can only be read"},
    {"a drop cleared", true, L"Clear", [] { return std::vector<Variant>{}; }, DISP_E_EXCEPTION,
     "The data of a drop can only be read"},
};

TEST(DataObject, WrongCallsGiveAClearError) {
    NoSource source;
    for (const WrongCall& t : kWrongCalls) {
        SCOPED_TRACE(t.name);
        const ComPtr<DataObject> offered = DataObject::Offering(&source);
        const ComPtr<DataObject> object = t.dropped ? DataObject::Reading(offered.Get()) : offered;
        const Outcome out = Script(object.Get(), t.member, t.args());
        EXPECT_EQ(t.hr, out.hr);
        EXPECT_EQ(t.error, out.error);
    }
    const ComPtr<DataObject> offered = DataObject::Offering(&source);
    const ComPtr<IDispatch> files = V_DISPATCH(&Script(offered.Get(), L"Files").value.Get());
    EXPECT_EQ("Subscript out of range", Script(files.Get(), L"Item", {Variant::FromLong(1)}).error);
    EXPECT_EQ(DISP_E_UNKNOWNNAME, Script(offered.Get(), L"Paste").hr);
}

// What a drop on a box in drop mode 2 takes as a date (the user's locale
// is en-GB here: dd/MM/yyyy); anything else the box refuses.
TEST(DragDrop, ADroppedTextIsADateOnlyWhenItReadsAsOne) {
    const struct {
        const wchar_t* text;
        long date; // 0: refused
    } cases[] = {
        {L"20261205", 20261205},
        {L" 20261205\r\n", 20261205},
        {L"20260230", 0},
        {L"05/12/2026", 20261205},
        {L"05 Dec 2026", 20261205},
        {L"45000", 0},
        {L"2026120", 0},
        {L"tomorrow", 0},
        {L"", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.date, TextDragDrop::DateOfText(c.text).value_or(0)) << Narrow(c.text);
}

} // namespace
} // namespace zarn::test
