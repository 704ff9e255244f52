// Persistence under damage: a hundred thousand damaged streams of a real
// save (every cut, bit flips, huge counts and lengths), property bags that
// answer each key in turn with a failure, a wrong type or a huge value, and
// saves whose bag or stream fails midway. Nothing may crash or hang; a load
// that fails stops at the key that failed it, and a refused load or save
// leaves a control that still reads, takes a value and saves.
#include "com/ContainerFakes.h"
#include "Soak.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

using namespace zarn::soak;
using namespace zarn::test;

namespace {

constexpr long kStreams = 100000;
constexpr int kKeys = 93;

struct Control {
    ComPtr<IDispatch> dispatch;
    ComPtr<IPersistPropertyBag> bag;
    ComPtr<IPersistStreamInit> stream;
};

Control NewObject() {
    Control c{Ocx::Get().Create(), nullptr, nullptr};
    c.dispatch.As(&c.bag);
    c.dispatch.As(&c.stream);
    return c;
}

std::vector<BYTE> Saved(IPersistStreamInit* persist, HRESULT* hr = nullptr) {
    ComPtr<IStream> stream;
    CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf());
    const HRESULT saved = persist->Save(stream.Get(), FALSE);
    if (hr)
        *hr = saved;
    return BytesOf(*stream.Get());
}

// A control is usable when it still reads, takes a value and saves.
bool Usable(const Control& z) {
    if (FAILED(PropGet(z.dispatch.Get(), id::MinDate).hr) ||
        PropPut(z.dispatch.Get(), id::PValue, Var(L"20240229")).hr != S_OK)
        return false;
    HRESULT hr = E_FAIL;
    Saved(z.stream.Get(), &hr);
    RecordingBag bag;
    return hr == S_OK && z.bag->Save(&bag, FALSE, TRUE) == S_OK;
}

// A control with every kind of value set, pictures and a font included.
Control Source() {
    Control z = NewObject();
    z.bag->InitNew();
    const ComPtr<IPictureDisp> picture = FilePicture(4, 2);
    IDispatch* d = z.dispatch.Get();
    PropPutRef(d, id::WeekSignPicture, Var::Object(picture.Get()));
    PropPutRef(d, id::MouseIcon, Var::Object(picture.Get()));
    PropPut(d, id::FontName, Var(L"Courier New"));
    PropPut(d, id::BorderColor, Var(0x102030));
    PropPut(d, id::Seperator, Var(L"-"));
    PropPut(d, id::PValue, Var(20240229));
    return z;
}

struct Tally {
    long loaded = 0, refused = 0, unusable = 0, pastItsKey = 0;
};

// Every cut of the stream, then bit flips and huge counts and lengths
// until the number of streams is reached.
void DamagedStreams(const std::vector<BYTE>& good, Rng& rng, Watchdog& dog, Tally& t) {
    Control z = NewObject();
    z.bag->InitNew();
    for (long n = 0; n < kStreams; ++n) {
        std::vector<BYTE> data = good;
        if (n < static_cast<long>(good.size())) {
            data.resize(static_cast<size_t>(n));
        } else if (rng.Percent(75)) {
            for (std::uint32_t flips = 1 + rng.Below(3); flips; --flips)
                data[rng.Below(static_cast<std::uint32_t>(data.size()))] ^= static_cast<BYTE>(1u << rng.Below(8));
        } else {
            static constexpr std::uint32_t kHuge[] = {0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, 10001u,
                                                      (64u << 20) / 2 + 1, 0x40000000u};
            const std::uint32_t huge = kHuge[rng.Below(std::size(kHuge))];
            // The count at byte 8, or a length anywhere after it.
            const size_t at = rng.Percent(20) ? 8 : 12 + rng.Below(static_cast<std::uint32_t>(data.size() - 16));
            std::memcpy(&data[at], &huge, sizeof huge);
        }
        const HRESULT hr = z.stream->Load(StreamOf(data).Get());
        (SUCCEEDED(hr) ? t.loaded : t.refused)++;
        if (FAILED(hr) && !Usable(z))
            ++t.unusable;
        dog.Beat("damaged streams");
        if (n % 10000 == 0) {
            std::printf("  %ld streams\n", n);
            std::fflush(stdout);
        }
    }
}

// A bag that answers from a saved control, except at one read, where it
// fails or answers what `fault` gives. By-reference answers point into the
// bag's own memory.
class FaultyBag final : public Fake<IPropertyBag> {
public:
    using Answer = std::function<HRESULT(VARIANT*, FaultyBag&)>;
    FaultyBag(const std::map<std::string, Var>& held, int faultAt, Answer fault)
        : held_(held), faultAt_(faultAt), fault_(std::move(fault)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        return Offer(riid, object, this, {IID_IPropertyBag});
    }
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
        if (reads++ == faultAt_)
            return fault_(value, *this);
        const auto found = held_.find(Narrow(name));
        return found == held_.end() ? E_INVALIDARG : VariantCopy(value, const_cast<Var*>(&found->second));
    }
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR, VARIANT*) override { return E_NOTIMPL; }

    int reads = 0;
    Var target;     // what a by-reference answer points at
    Var reference;  // a reference, for a reference to a reference

private:
    const std::map<std::string, Var>& held_;
    int faultAt_;
    Answer fault_;
};

FaultyBag::Answer Gives(Var value) {
    return [value](VARIANT* out, FaultyBag&) { return VariantCopy(out, const_cast<Var*>(&value)); };
}
FaultyBag::Answer Fails(HRESULT hr) {
    return [hr](VARIANT*, FaultyBag&) { return hr; };
}

Var Decimal(double value) {
    Var v;
    VarDecFromR8(value, &V_DECIMAL(&v));
    V_VT(&v) = VT_DECIMAL;
    return v;
}

std::vector<std::pair<const char*, FaultyBag::Answer>> Faults(IDispatch* other) {
    Var array = Var::Of(VT_ARRAY | VT_I4);
    V_ARRAY(&array) = SafeArrayCreateVector(VT_I4, 0, 2);
    Var stream = Var::Of(VT_UNKNOWN);
    CreateStreamOnHGlobal(nullptr, TRUE, reinterpret_cast<IStream**>(&V_UNKNOWN(&stream)));
    return {
        {"E_FAIL", Fails(E_FAIL)},
        {"E_OUTOFMEMORY", Fails(E_OUTOFMEMORY)},
        {"access denied", Fails(STG_E_ACCESSDENIED)},
        {"S_OK and nothing", Fails(S_OK)},
        {"letters", Gives(Var(L"abc"))},
        {"a megabyte of letters", Gives(Var(std::wstring(1 << 20, L'x')))},
        {"a megabyte of digits", Gives(Var(std::wstring(1 << 20, L'9')))},
        {"Null", Gives(Var::Null())},
        {"the largest Long", Gives(Var(LONG_MAX))},
        {"the smallest Long", Gives(Var(LONG_MIN))},
        {"a huge 64-bit number", Gives(Var::Raw(VT_I8, LLONG_MAX))},
        {"a huge unsigned number", Gives(Var::Raw(VT_UI4, 0xFFFFFFFFu))},
        {"1e300", Gives(Var::Double(1e300))},
        {"NaN", Gives(Var::Double(NAN))},
        {"a huge currency", Gives(Var::Raw(VT_CY, LLONG_MAX))},
        {"a huge decimal", Gives(Decimal(7.9e28))},
        {"a date", Gives(Var::Date(0.75))},
        {"an odd Boolean", Gives(Var::Raw(VT_BOOL, SHORT{5}))},
        {"an error value", Gives(Var::Error(E_FAIL))},
        {"an object", Gives(Var::Object(other))},
        {"Nothing", Gives(Var::Object(nullptr))},
        {"an object that is no picture", Gives(stream)},
        {"an array", Gives(array)},
        {"a type no VARIANT has",
         [](VARIANT* out, FaultyBag&) {
             V_VT(out) = 0x7FFF;
             return S_OK;
         }},
        {"a reference into the bag",
         [](VARIANT* out, FaultyBag& bag) {
             bag.target = Var(L"20240229");
             V_VT(out) = VT_BYREF | VT_VARIANT;
             V_VARIANTREF(out) = &bag.target;
             return S_OK;
         }},
        {"a reference to nothing",
         [](VARIANT* out, FaultyBag&) {
             V_VT(out) = VT_BYREF | VT_I4;
             V_I4REF(out) = nullptr;
             return S_OK;
         }},
        {"a reference to a reference",
         [](VARIANT* out, FaultyBag& bag) {
             V_VT(&bag.reference) = VT_BYREF | VT_VARIANT;
             V_VARIANTREF(&bag.reference) = &bag.target;
             V_VT(out) = VT_BYREF | VT_VARIANT;
             V_VARIANTREF(out) = &bag.reference;
             return S_OK;
         }},
    };
}

// Each fault at each of the 93 reads in turn, over an empty bag and over
// a full one: a failed load read nothing after the key it failed at.
void FaultyBags(const std::map<std::string, Var>& full, IDispatch* other, Watchdog& dog, Tally& t, long& loads) {
    const std::map<std::string, Var> empty;
    const auto faults = Faults(other);
    for (const auto* held : {&empty, &full})
        for (int key = 0; key < kKeys; ++key)
            for (const auto& [what, answer] : faults) {
                Control z = NewObject();
                FaultyBag bag(*held, key, answer);
                const HRESULT hr = z.bag->Load(&bag, nullptr);
                ++loads;
                (SUCCEEDED(hr) ? t.loaded : t.refused)++;
                if (FAILED(hr) && bag.reads != key + 1) {
                    ++t.pastItsKey;
                    std::printf("  %s at read %d: failed 0x%08lx after %d reads\n", what, key,
                                static_cast<unsigned long>(hr), bag.reads);
                }
                if (!Usable(z))
                    ++t.unusable;
                dog.Beat("faulty bags");
            }
}

// A stream whose Write fails once `budget` bytes are written.
class FailingStream final : public Fake<IStream> {
public:
    explicit FailingStream(ULONG budget) : budget_(budget) { CreateStreamOnHGlobal(nullptr, TRUE, inner_.GetAddressOf()); }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        return Offer(riid, object, this, {IID_IStream, IID_ISequentialStream});
    }
    HRESULT STDMETHODCALLTYPE Write(const void* data, ULONG size, ULONG* written) override {
        if (size > budget_) {
            if (written)
                *written = 0;
            return STG_E_MEDIUMFULL;
        }
        budget_ -= size;
        return inner_->Write(data, size, written);
    }
    HRESULT STDMETHODCALLTYPE Read(void* data, ULONG size, ULONG* read) override { return inner_->Read(data, size, read); }
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* at) override {
        return inner_->Seek(move, origin, at);
    }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) override { return inner_->SetSize(size); }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream* to, ULARGE_INTEGER n, ULARGE_INTEGER* r, ULARGE_INTEGER* w) override {
        return inner_->CopyTo(to, n, r, w);
    }
    HRESULT STDMETHODCALLTYPE Commit(DWORD flags) override { return inner_->Commit(flags); }
    HRESULT STDMETHODCALLTYPE Revert() override { return inner_->Revert(); }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return STG_E_INVALIDFUNCTION; }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return STG_E_INVALIDFUNCTION; }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD flags) override { return inner_->Stat(stat, flags); }
    HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

private:
    ULONG budget_;
    ComPtr<IStream> inner_;
};

// A bag whose Write fails at the n-th write.
class FailingBag final : public Fake<IPropertyBag> {
public:
    explicit FailingBag(int failAt) : failAt_(failAt) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        return Offer(riid, object, this, {IID_IPropertyBag});
    }
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR, VARIANT*, IErrorLog*) override { return E_INVALIDARG; }
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR, VARIANT*) override { return writes++ == failAt_ ? E_FAIL : S_OK; }
    int writes = 0;

private:
    int failAt_;
};

// Saves that fail at each write of the bag, and at each byte of the stream.
void FailingSaves(const Control& z, size_t size, Watchdog& dog, long& saves, long& wrongly) {
    for (int n = 0; n < kKeys; ++n) {
        FailingBag bag(n);
        if (SUCCEEDED(z.bag->Save(&bag, TRUE, TRUE)) || bag.writes != n + 1)
            ++wrongly;
        ++saves;
        dog.Beat("failing bag writes");
    }
    for (ULONG budget = 0; budget < size; ++budget) {
        FailingStream stream(budget);
        if (SUCCEEDED(z.stream->Save(&stream, TRUE)) || stream.refs != 1)
            ++wrongly;
        ++saves;
        dog.Beat("failing stream writes");
    }
}

} // namespace

int main() {
    CatchCrashes("persistence");
    OleInitialize(nullptr);
    int failed = 0;
    {
        MessageBoxCloser boxes;
        Watchdog dog("persistence", 120);
        Rng rng(kSeed);
        const Figures before = Figures::Take();
        const DWORD start = GetTickCount();

        Control source = Source();
        const std::vector<BYTE> good = Saved(source.stream.Get());
        RecordingBag full;
        source.bag->Save(&full, FALSE, TRUE);
        Tally streams, bags;
        DamagedStreams(good, rng, dog, streams);
        long loads = 0, saves = 0, wrongSaves = 0;
        FaultyBags(full.held, source.dispatch.Get(), dog, bags, loads);
        FailingSaves(source, Saved(source.stream.Get()).size(), dog, saves, wrongSaves);
        const bool sourceUsable = Usable(source);
        const DWORD seconds = (GetTickCount() - start) / 1000;
        const Figures after = Figures::Take();
        source = Control{};
        full.held.clear();
        CoFreeUnusedLibraries();
        const Figures released = Figures::Take();

        std::printf("persistence soak, seed %llu\n", static_cast<unsigned long long>(kSeed));
        Figure("saved stream bytes", static_cast<long long>(good.size()));
        Figure("damaged streams", kStreams);
        Figure("  loaded", streams.loaded);
        Figure("  refused", streams.refused);
        Figure("  refused and unusable after", streams.unusable);
        Figure("faulty bag loads", loads);
        Figure("  loaded", bags.loaded);
        Figure("  refused", bags.refused);
        Figure("  refused past their key", bags.pastItsKey);
        Figure("  unusable after", bags.unusable);
        Figure("failing saves", saves);
        Figure("  not refused at their write", wrongSaves);
        Figure("control usable after it all", sourceUsable);
        Figure("message boxes closed", static_cast<long long>(boxes.texts.size()));
        Figure("crashes", 0);
        Figure("hangs", 0);
        Figure("seconds", seconds);
        Print("before", before);
        Print("after", after);
        Print("after release", released);
        failed = streams.unusable || bags.pastItsKey || bags.unusable || wrongSaves || !sourceUsable;
    }
    OleUninitialize();
    std::printf("persistence: %s\n", failed ? "FAILED" : "passed");
    return failed;
}
