// A million random IDispatch calls into a control, as a broken or hostile
// client makes them: every member of _Zarn and identifiers that are none,
// every flag, up to eight arguments of every VARIANT type (numbers, dates,
// currency, decimals, texts from empty to a megabyte, objects, arrays,
// references, references to nothing, types no VARIANT has), names right and
// wrong, and null parameter, result and exception pointers. Each call must
// come back with a defined error or with a clean result.
#include "com/ContainerFakes.h"
#include "Soak.h"
#include "shape/ZarnMemberTable.h"

#include <climits>
#include <cmath>
#include <map>
#include <string>
#include <vector>

using namespace zarn::soak;
using namespace zarn::test;

namespace {

constexpr long kCalls = 1000000;
constexpr UINT kMaxArgs = 8;

// An object whose default value is a time of day, as a script's date is.
class DatedObject final : public zarn::test::Fake<IDispatch> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        return Offer(riid, object, this, {IID_IDispatch});
    }
    ZARN_NO_TYPE_INFO
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        if (member != DISPID_VALUE || !result)
            return DISP_E_MEMBERNOTFOUND;
        V_VT(result) = VT_DATE;
        V_DATE(result) = 0.75;
        return S_OK;
    }
};

// What by-reference arguments point at, one of each type, for one call.
struct Targets {
    SHORT i2 = 1;
    LONG i4 = 20240229;
    FLOAT r4 = 20240229.0f;
    DOUBLE r8 = 20240301.0;
    CY cy{};
    DATE date = 0.75;
    BSTR text = SysAllocString(L"20240229");
    IDispatch* object = nullptr;
    VARIANT_BOOL flag = VARIANT_TRUE;
    SCODE error = DISP_E_PARAMNOTFOUND;
    DECIMAL decimal{};
    LONGLONG i8 = 20240229;
    BYTE ui1 = 7;
    Var value;     // the target of a VARIANT reference
    Var reference; // a reference, which a VARIANT reference must not point at
    SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, 3);

    Targets() = default;
    Targets(const Targets&) = delete;
    Targets& operator=(const Targets&) = delete;
    ~Targets() {
        SysFreeString(text);
        if (object)
            object->Release();
        SafeArrayDestroy(array);
    }
};

// The identifiers a call may name: every member, and some that are none.
std::vector<DISPID> Members() {
    std::vector<DISPID> ids;
    for (DISPID position = 1; position <= zarn::shape::kMemberCount; ++position)
        ids.push_back(zarn::DispIdOf(position));
    return ids;
}
constexpr DISPID kNoMembers[] = {0, -1, DISPID_PROPERTYPUT, DISPID_NEWENUM, 94, 1000, INT_MIN, INT_MAX};

class Client {
public:
    Client(Rng& rng, IDispatch* other, IDispatch* dated, IUnknown* plain, IDispatch* picture)
        : rng_(rng), other_(other), dated_(dated), plain_(plain), picture_(picture) {}

    // One argument by value, or a reference into `t`.
    void Fill(VARIANT& v, Targets& t) {
        const std::uint32_t kind = rng_.Below(30);
        if (kind < 22)
            return Plain(v, kind);
        VariantInit(&v);
        switch (kind) {
        case 22: case 23: return Reference(v, t);
        case 24: // a reference to nothing
            V_VT(&v) = VT_BYREF | kRefTypes[rng_.Below(std::size(kRefTypes))];
            V_BYREF(&v) = nullptr;
            return;
        case 25: case 26: // a reference to a value
            VariantClear(&t.value);
            Plain(t.value, rng_.Below(22));
            V_VT(&v) = VT_BYREF | VT_VARIANT;
            V_VARIANTREF(&v) = &t.value;
            return;
        case 27: // a reference to a reference
            V_VT(&t.reference) = VT_BYREF | VT_I4;
            V_I4REF(&t.reference) = rng_.Percent(50) ? &t.i4 : nullptr;
            V_VT(&v) = VT_BYREF | VT_VARIANT;
            V_VARIANTREF(&v) = &t.reference;
            return;
        default: // a type no VARIANT has, or a random one
            V_VT(&v) = rng_.Percent(50) ? static_cast<VARTYPE>(rng_.Next()) : kBadTypes[rng_.Below(std::size(kBadTypes))];
            V_I8(&v) = 0;
            return;
        }
    }

    std::wstring Text() {
        switch (rng_.Below(12)) {
        case 0: return L"";
        case 1: return L"20240229";
        case 2: return L"abcdefgh";
        case 3: return L"00000000";
        case 4: return L"1234567";
        case 5: return L"99999999";
        case 6: return L"20241331";
        case 7: return std::wstring(1 + rng_.Below(3), L"/-_:#\\ ."[rng_.Below(8)]);
        case 8:
            if (rng_.Percent(2))
                return std::wstring(1 << 20, rng_.Percent(50) ? L'x' : L'2');
            [[fallthrough]];
        default: {
            std::wstring text(rng_.Below(40), L' ');
            for (wchar_t& c : text)
                c = static_cast<wchar_t>(rng_.Percent(80) ? L' ' + rng_.Below(95) : rng_.Below(0x10000));
            return text;
        }
        }
    }

    DISPID Member() {
        static const std::vector<DISPID> members = Members();
        if (rng_.Percent(92))
            return members[rng_.Below(static_cast<std::uint32_t>(members.size()))];
        return rng_.Percent(80) ? kNoMembers[rng_.Below(std::size(kNoMembers))] : static_cast<DISPID>(rng_.Next());
    }

    WORD Flags() {
        const std::uint32_t pick = rng_.Below(100);
        if (pick < 70)
            return static_cast<WORD>(rng_.Below(16));
        if (pick < 95)
            return kUsualFlags[rng_.Below(std::size(kUsualFlags))];
        return static_cast<WORD>(rng_.Next());
    }

    UINT ArgCount() {
        const std::uint32_t pick = rng_.Below(100);
        return pick < 35 ? 0 : pick < 80 ? 1 : 2 + rng_.Below(kMaxArgs - 1);
    }

    // The names of the last `count` arguments: none, a put's value, some
    // parameters, or nonsense.
    std::vector<DISPID> Names(UINT count) {
        const std::uint32_t pick = rng_.Below(100);
        if (count == 0 || pick < 50)
            return {};
        if (pick < 80)
            return {DISPID_PROPERTYPUT};
        std::vector<DISPID> names(1 + rng_.Below(count));
        for (DISPID& n : names)
            n = rng_.Percent(90) ? static_cast<DISPID>(rng_.Below(6)) - 1 : static_cast<DISPID>(rng_.Next());
        return names;
    }

    Rng& rng() { return rng_; }

private:
    static constexpr VARTYPE kRefTypes[] = {VT_I2,   VT_I4,    VT_R4,      VT_R8,   VT_CY,
                                            VT_DATE, VT_BSTR,  VT_DISPATCH, VT_BOOL, VT_VARIANT,
                                            VT_ERROR, VT_DECIMAL, VT_I8,   VT_UI1,  VT_ARRAY | VT_I4};
    static constexpr VARTYPE kBadTypes[] = {VT_BYREF | VT_EMPTY, VT_BYREF | VT_NULL, VT_VARIANT, VT_VOID,
                                            VT_HRESULT,          VT_PTR,             VT_LPSTR,   VT_RECORD,
                                            VT_VECTOR | VT_I4,   VT_ARRAY | VT_EMPTY, 0x7FFF,   VT_CLSID};
    static constexpr WORD kUsualFlags[] = {DISPATCH_METHOD, DISPATCH_PROPERTYGET,
                                           DISPATCH_METHOD | DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT,
                                           DISPATCH_PROPERTYPUTREF};

    LONG Number() {
        static constexpr LONG kNumbers[] = {0,        -1,       1,        20240229, 19000101, 20991231,
                                            21000101, 18991231, 99999999, 10000000, LONG_MAX, LONG_MIN,
                                            32767,    -32768,   45351,    30};
        return rng_.Percent(80) ? kNumbers[rng_.Below(std::size(kNumbers))] : static_cast<LONG>(rng_.Next());
    }

    double Real() {
        static const double kReals[] = {0.0,  0.75,     20240229.0, 20240229.5, 45351.0, -1e300, 1e300,
                                        NAN, INFINITY, -INFINITY,  1e-300,     -0.0,    2958465.0};
        return kReals[rng_.Below(std::size(kReals))];
    }

    IDispatch* Object() {
        switch (rng_.Below(4)) {
        case 0: return other_;
        case 1: return dated_;
        case 2: return picture_;
        default: return nullptr;
        }
    }

    SAFEARRAY* Array() {
        const VARTYPE types[] = {VT_I4, VT_VARIANT, VT_BSTR, VT_UI1};
        return SafeArrayCreateVector(types[rng_.Below(4)], 0, rng_.Below(4));
    }

    // A value of one of the 22 plain kinds, owned by the VARIANT.
    void Plain(VARIANT& v, std::uint32_t kind) {
        VariantInit(&v);
        V_I8(&v) = 0;
        switch (kind) {
        case 0: break;
        case 1: V_VT(&v) = VT_NULL; return;
        case 2: V_VT(&v) = VT_I2; V_I2(&v) = static_cast<SHORT>(Number()); return;
        case 3: V_VT(&v) = VT_I4; V_I4(&v) = Number(); return;
        case 4: V_VT(&v) = VT_R4; V_R4(&v) = static_cast<FLOAT>(Real()); return;
        case 5: V_VT(&v) = VT_R8; V_R8(&v) = Real(); return;
        case 6: V_VT(&v) = VT_CY; V_CY(&v).int64 = static_cast<LONGLONG>(Number()) * 10000; return;
        case 7: V_VT(&v) = VT_DATE; V_DATE(&v) = Real(); return;
        case 8: case 9: {
            const std::wstring text = Text();
            V_VT(&v) = VT_BSTR;
            V_BSTR(&v) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
            return;
        }
        case 10:
            V_VT(&v) = VT_DISPATCH;
            V_DISPATCH(&v) = Object();
            if (V_DISPATCH(&v))
                V_DISPATCH(&v)->AddRef();
            return;
        case 11: V_VT(&v) = VT_ERROR; V_ERROR(&v) = rng_.Percent(50) ? DISP_E_PARAMNOTFOUND : E_FAIL; return;
        case 12: V_VT(&v) = VT_BOOL; V_BOOL(&v) = rng_.Percent(90) ? (rng_.Percent(50) ? VARIANT_TRUE : 0) : 5; return;
        case 13:
            V_VT(&v) = VT_UNKNOWN;
            V_UNKNOWN(&v) = rng_.Percent(50) ? plain_ : nullptr;
            if (V_UNKNOWN(&v))
                V_UNKNOWN(&v)->AddRef();
            return;
        case 14:
            VarDecFromI4(Number(), &V_DECIMAL(&v));
            V_VT(&v) = VT_DECIMAL;
            return;
        case 15: V_VT(&v) = VT_I1; V_I1(&v) = static_cast<CHAR>(Number()); return;
        case 16: V_VT(&v) = VT_UI1; V_UI1(&v) = static_cast<BYTE>(Number()); return;
        case 17: V_VT(&v) = VT_UI2; V_UI2(&v) = static_cast<USHORT>(Number()); return;
        case 18: V_VT(&v) = rng_.Percent(50) ? VT_UI4 : VT_UINT; V_UI4(&v) = static_cast<ULONG>(Number()); return;
        case 19: V_VT(&v) = rng_.Percent(50) ? VT_I8 : VT_UI8; V_I8(&v) = Number(); return;
        case 20: V_VT(&v) = VT_INT; V_INT(&v) = Number(); return;
        default:
            V_VT(&v) = VT_ARRAY | VT_I4;
            V_ARRAY(&v) = rng_.Percent(80) ? Array() : nullptr;
            if (V_ARRAY(&v)) {
                VARTYPE type = VT_I4;
                SafeArrayGetVartype(V_ARRAY(&v), &type);
                V_VT(&v) = VT_ARRAY | type;
            }
            return;
        }
    }

    void Reference(VARIANT& v, Targets& t) {
        const VARTYPE type = kRefTypes[rng_.Below(std::size(kRefTypes))];
        V_VT(&v) = VT_BYREF | type;
        switch (type) {
        case VT_I2: V_I2REF(&v) = &t.i2; break;
        case VT_I4: t.i4 = Number(); V_I4REF(&v) = &t.i4; break;
        case VT_R4: V_R4REF(&v) = &t.r4; break;
        case VT_R8: t.r8 = Real(); V_R8REF(&v) = &t.r8; break;
        case VT_CY: V_CYREF(&v) = &t.cy; break;
        case VT_DATE: V_DATEREF(&v) = &t.date; break;
        case VT_BSTR: V_BSTRREF(&v) = &t.text; break;
        case VT_DISPATCH:
            if (!t.object && (t.object = Object()) != nullptr)
                t.object->AddRef();
            V_DISPATCHREF(&v) = &t.object;
            break;
        case VT_BOOL: V_BOOLREF(&v) = &t.flag; break;
        case VT_VARIANT:
            VariantClear(&t.value);
            Plain(t.value, rng_.Below(22));
            V_VARIANTREF(&v) = &t.value;
            break;
        case VT_ERROR: V_ERRORREF(&v) = &t.error; break;
        case VT_DECIMAL: V_DECIMALREF(&v) = &t.decimal; break;
        case VT_I8: V_I8REF(&v) = &t.i8; break;
        case VT_UI1: V_UI1REF(&v) = &t.ui1; break;
        default: V_ARRAYREF(&v) = &t.array; break;
        }
    }

    Rng& rng_;
    IDispatch* other_;
    IDispatch* dated_;
    IUnknown* plain_;
    IDispatch* picture_;
};

bool IsCleanResult(const VARIANT& v) {
    const VARTYPE vt = V_VT(&v);
    if (vt & (VT_BYREF | VT_VECTOR | VT_RESERVED))
        return false;
    switch (vt) {
    case VT_EMPTY: case VT_NULL: case VT_I2: case VT_I4: case VT_R4: case VT_R8: case VT_CY: case VT_DATE:
    case VT_ERROR: case VT_UI4: case VT_I8: case VT_UI1: case VT_UI2: case VT_I1: case VT_INT: case VT_UINT:
    case VT_UI8: case VT_DECIMAL:
        return true;
    case VT_BOOL:
        return V_BOOL(&v) == VARIANT_TRUE || V_BOOL(&v) == VARIANT_FALSE;
    case VT_BSTR:
        return !V_BSTR(&v) || SysStringLen(V_BSTR(&v)) <= (1u << 20);
    case VT_DISPATCH: case VT_UNKNOWN: {
        if (!V_UNKNOWN(&v))
            return true;
        ComPtr<IUnknown> same;
        return SUCCEEDED(V_UNKNOWN(&v)->QueryInterface(IID_PPV_ARGS(&same)));
    }
    default:
        return false;
    }
}

// The answers a caller may get: success, the dispatch errors, a run-time
// error of the control's (as an exception, or as its own code when the
// caller passed no exception record), and the argument errors of COM.
bool IsDefined(HRESULT hr) {
    switch (hr) {
    case S_OK: case E_INVALIDARG: case E_POINTER: case E_NOTIMPL: case DISP_E_MEMBERNOTFOUND:
    case DISP_E_BADPARAMCOUNT: case DISP_E_PARAMNOTFOUND: case DISP_E_BADVARTYPE: case DISP_E_TYPEMISMATCH:
    case DISP_E_EXCEPTION: case DISP_E_OVERFLOW: case DISP_E_NOTACOLLECTION:
        return true;
    default:
        return HRESULT_FACILITY(hr) == FACILITY_CONTROL;
    }
}

long gCall = -1;

struct Tally {
    std::map<HRESULT, long> answers;
    long undefined = 0;
    long garbage = 0;
    long leftInFailure = 0;
};

void OneCall(Client& client, IDispatch* z, Tally& tally) {
    Rng& rng = client.rng();
    Targets targets;
    const UINT count = client.ArgCount();
    std::vector<VARIANTARG> args(kMaxArgs);
    for (UINT i = 0; i < count; ++i)
        client.Fill(args[i], targets);
    std::vector<DISPID> names = client.Names(count);
    if (rng.Percent(1))
        names.resize(count + 1, 0); // more names than arguments
    DISPPARAMS params{args.data(), names.data(), count, static_cast<UINT>(names.size())};
    if (count && rng.Percent(1))
        params.rgvarg = nullptr;
    if (!names.empty() && rng.Percent(1))
        params.rgdispidNamedArgs = nullptr;
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO excep{};
    UINT argErr = 0;
    const HRESULT hr = z->Invoke(client.Member(), IID_NULL, LOCALE_USER_DEFAULT, client.Flags(),
                                 rng.Percent(1) ? nullptr : &params, rng.Percent(10) ? nullptr : &result,
                                 rng.Percent(20) ? nullptr : &excep, rng.Percent(50) ? nullptr : &argErr);
    ++tally.answers[hr];
    if (!IsDefined(hr))
        ++tally.undefined;
    if (SUCCEEDED(hr) && !IsCleanResult(result))
        ++tally.garbage;
    if (FAILED(hr) && V_VT(&result) != VT_EMPTY)
        ++tally.leftInFailure;
    VariantClear(&result);
    if (excep.pfnDeferredFillIn)
        excep.pfnDeferredFillIn(&excep);
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrHelpFile);
    for (UINT i = 0; i < count; ++i)
        if (VariantClear(&args[i]) != S_OK)
            V_VT(&args[i]) = VT_EMPTY; // a type no VARIANT has owns nothing
}

} // namespace

int main() {
    CatchCrashes("dispatch", &gCall);
    OleInitialize(nullptr);
    int failed = 0;
    {
        zarn::test::MessageBoxCloser boxes;
        Watchdog dog("dispatch", 120);
        ComPtr<IDispatch> z = zarn::test::Ocx::Get().Create();
        ComPtr<IDispatch> other = zarn::test::Ocx::Get().Create();
        ComPtr<IStream> plain;
        CreateStreamOnHGlobal(nullptr, TRUE, plain.GetAddressOf());
        ComPtr<IPictureDisp> picture = zarn::test::FilePicture(4, 2);
        DatedObject dated;
        Rng rng(kSeed);
        Client client(rng, other.Get(), &dated, plain.Get(), picture.Get());
        Tally tally;

        const Figures before = Figures::Take();
        const std::vector<HGDIOBJ> gdiBefore = GdiHandles();
        const DWORD start = GetTickCount();
        for (gCall = 0; gCall < kCalls; ++gCall) {
            OneCall(client, z.Get(), tally);
            dog.Beat();
            if (gCall % 100000 == 0) {
                std::printf("  %ld calls\n", gCall);
                std::fflush(stdout);
            }
        }
        const DWORD seconds = (GetTickCount() - start) / 1000;
        const Figures after = Figures::Take();
        z.Reset();
        other.Reset();
        picture.Reset();
        plain.Reset();
        CoFreeUnusedLibraries();
        const Figures released = Figures::Take();

        std::printf("dispatch soak, seed %llu\n", static_cast<unsigned long long>(kSeed));
        Figure("calls", kCalls);
        Figure("seconds", seconds);
        Figure("crashes", 0);
        Figure("hangs", 0);
        Figure("undefined answers", tally.undefined);
        Figure("successes with garbage", tally.garbage);
        Figure("failures leaving a result", tally.leftInFailure);
        Figure("message boxes closed", static_cast<long long>(boxes.texts.size()));
        std::printf("  answers:\n");
        for (const auto& [hr, n] : tally.answers)
            std::printf("    0x%08lx %ld\n", static_cast<unsigned long>(hr), n);
        Print("before", before);
        Print("after", after);
        Print("after release", released);
        PrintNewGdiObjects(gdiBefore);
        failed = tally.undefined || tally.garbage;
    }
    OleUninitialize();
    std::printf("dispatch: %s\n", failed ? "FAILED" : "passed");
    return failed;
}
