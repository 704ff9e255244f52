// Lifetime: the class object, the module's unload answer, references held by
// connection points and their enumerators, and the class information.
#include "ContainerFakes.h"

using namespace zarn::test;

namespace {

TEST(ComLifetime, ClassObjectHandsOutOnlyPlainControls) {
    Ocx& ocx = Ocx::Get();
    void* object = &object;
    EXPECT_EQ(ocx.GetClassObject(kIidZarn, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);

    const auto factory = ocx.Factory();
    NotifySink outer; // any IUnknown will do: it must not be used
    object = &object;
    EXPECT_EQ(factory->CreateInstance(&outer, IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(outer.refs, 1u);
    object = &object;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IStream, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(ocx.CanUnloadNow(), S_OK); // the refused object did not stay
}

TEST(ComLifetime, ModuleStaysWhileAnObjectOrALockLives) {
    Ocx& ocx = Ocx::Get();
    EXPECT_EQ(ocx.CanUnloadNow(), S_OK);
    {
        const auto z = NewControl();
        EXPECT_EQ(ocx.CanUnloadNow(), S_FALSE);
    }
    EXPECT_EQ(ocx.CanUnloadNow(), S_OK);
    const auto factory = ocx.Factory();
    // An unlock too many first: it must not cancel the lock after it.
    const std::pair<BOOL, HRESULT> steps[] = {
        {FALSE, S_OK}, {TRUE, S_FALSE}, {TRUE, S_FALSE}, {FALSE, S_FALSE}, {FALSE, S_OK}};
    for (const auto& [lock, unload] : steps) {
        EXPECT_EQ(factory->LockServer(lock), S_OK);
        EXPECT_EQ(ocx.CanUnloadNow(), unload);
    }
}

// The interface each connection point a list of them holds stands for.
std::vector<std::string> Interfaces(IConnectionPoint** points, ULONG count) {
    std::vector<std::string> names;
    for (ULONG i = 0; i < count; ++i) {
        IID iid = GUID_NULL;
        EXPECT_EQ(points[i]->GetConnectionInterface(&iid), S_OK);
        names.push_back(iid == kDiidZarnEvents           ? "__Zarn"
                        : iid == IID_IPropertyNotifySink ? "notify"
                                                         : "other");
        points[i]->Release();
    }
    return names;
}

TEST(ComLifetime, ConnectionPointEnumeratorHoldsTheControl) {
    Ocx& ocx = Ocx::Get();
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(NewControl().As(&container), S_OK);
    EXPECT_EQ(RefCount(container.Get()), 1u);

    ComPtr<IEnumConnectionPoints> points, copy;
    ASSERT_EQ(container->EnumConnectionPoints(points.GetAddressOf()), S_OK);
    const ULONG withEnumerator = RefCount(container.Get());
    EXPECT_GT(withEnumerator, 1u);
    IConnectionPoint* got[3] = {};
    ULONG fetched = 99;
    EXPECT_EQ(points->Next(3, got, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(RefCount(container.Get()), withEnumerator + 2); // each point handed out is held
    const std::vector<std::string> both = Interfaces(got, 2);
    EXPECT_TRUE(both == std::vector<std::string>({"__Zarn", "notify"}) ||
                both == std::vector<std::string>({"notify", "__Zarn"}));
    EXPECT_EQ(RefCount(container.Get()), withEnumerator);

    ASSERT_EQ(points->Clone(copy.GetAddressOf()), S_OK);

    // The enumerators alone keep the control, and it still answers. (The
    // cursor itself is the connections enumerator's, tested below.)
    container.Reset();
    EXPECT_EQ(ocx.CanUnloadNow(), S_FALSE);
    ASSERT_EQ(points->Reset(), S_OK);
    ASSERT_EQ(points->Next(1, got, nullptr), S_OK);
    ComPtr<IConnectionPointContainer> back;
    EXPECT_EQ(got[0]->GetConnectionPointContainer(back.GetAddressOf()), S_OK);
    got[0]->Release();
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(back.As(&dispatch), S_OK);
    EXPECT_EQ(ReadLong(dispatch.Get(), id::MinDate), 19010101);
    back.Reset(), dispatch.Reset(), points.Reset();
    EXPECT_EQ(ocx.CanUnloadNow(), S_FALSE);
    copy.Reset();
    EXPECT_EQ(ocx.CanUnloadNow(), S_OK);
}

TEST(ComLifetime, ConnectionsEnumeratorHoldsTheSinks) {
    const auto z = NewControl();
    NotifySink a, b;
    ComPtr<IConnectionPointContainer> container;
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(z.As(&container), S_OK);
    ASSERT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, point.GetAddressOf()), S_OK);
    DWORD cookieA = 0, cookieB = 0;
    ASSERT_EQ(point->Advise(&a, &cookieA), S_OK);
    ASSERT_EQ(point->Advise(&b, &cookieB), S_OK);
    EXPECT_NE(cookieA, cookieB);
    EXPECT_EQ(a.refs, 2u);

    ComPtr<IEnumConnections> connections, copy;
    ASSERT_EQ(point->EnumConnections(connections.GetAddressOf()), S_OK);
    EXPECT_EQ(a.refs, 3u);
    CONNECTDATA data[3] = {};
    ULONG fetched = 99;
    EXPECT_EQ(connections->Next(3, data, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(std::pair(data[0].dwCookie, data[1].dwCookie), std::pair(cookieA, cookieB));
    EXPECT_EQ(a.refs, 4u);
    ComPtr<IUnknown> identity;
    ASSERT_EQ(data[0].pUnk->QueryInterface(IID_PPV_ARGS(&identity)), S_OK);
    EXPECT_EQ(identity.Get(), static_cast<IUnknown*>(&a));
    identity.Reset(), data[0].pUnk->Release(), data[1].pUnk->Release();
    EXPECT_EQ(a.refs, 3u);

    // Unadvising does not pull the sink out from under the enumerator.
    EXPECT_EQ(point->Unadvise(cookieA), S_OK);
    EXPECT_EQ(point->Unadvise(cookieA), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(a.refs, 2u);
    EXPECT_EQ(connections->Reset(), S_OK);
    EXPECT_EQ(connections->Skip(1), S_OK);
    ASSERT_EQ(connections->Clone(copy.GetAddressOf()), S_OK);
    EXPECT_EQ(a.refs, 3u);
    ASSERT_EQ(copy->Next(1, data, nullptr), S_OK);
    EXPECT_EQ(data[0].dwCookie, cookieB) << "the copy starts where the original stood";
    data[0].pUnk->Release();
    EXPECT_EQ(copy->Skip(1), S_FALSE);
    EXPECT_EQ(copy->Next(1, data, nullptr), S_FALSE);
    connections.Reset(), copy.Reset();
    EXPECT_EQ(std::pair(a.refs, b.refs), std::pair(1UL, 2UL));

    // A sink may leave while it is being told.
    b.onChanged = [&](DISPID) { EXPECT_EQ(point->Unadvise(cookieB), S_OK); };
    EXPECT_EQ(PropPut(z.Get(), id::MinDate, 19500101).hr, S_OK);
    EXPECT_EQ(PropPut(z.Get(), id::MinDate, 19600101).hr, S_OK);
    EXPECT_EQ(b.changed, Ids({id::MinDate}));
    EXPECT_EQ(b.refs, 1u);
    EXPECT_EQ(a.changed, Ids({}));
}

// The class information is the coclass with its default source, and
// IDispatch's own type information is the dual interface (both are checked
// whole with the type library).
TEST(ComLifetime, ClassInfoNamesTheCoclassAndItsSource) {
    const auto z = NewControl();
    ComPtr<IProvideClassInfo2> provide;
    ComPtr<ITypeInfo> coclass, dispatch, none;
    ASSERT_EQ(z.As(&provide), S_OK);
    GUID guid = GUID_NULL;
    EXPECT_EQ(provide->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &guid), S_OK);
    EXPECT_EQ(guid, kDiidZarnEvents);
    EXPECT_EQ(provide->GetGUID(2, &guid), E_INVALIDARG);
    ASSERT_EQ(provide->GetClassInfo(coclass.GetAddressOf()), S_OK);
    ASSERT_EQ(z->GetTypeInfo(0, LOCALE_USER_DEFAULT, dispatch.GetAddressOf()), S_OK);
    EXPECT_EQ(z->GetTypeInfo(1, LOCALE_USER_DEFAULT, none.GetAddressOf()), DISP_E_BADINDEX);
    for (const auto& [info, expected] : {std::pair{coclass.Get(), kClsidZarn}, {dispatch.Get(), kIidZarn}}) {
        TYPEATTR* attr = nullptr;
        ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
        EXPECT_EQ(attr->guid, expected);
        info->ReleaseTypeAttr(attr);
    }
}

} // namespace

// A host that loads and frees the control over and over (a test runner,
// a server reloading its plug-ins) gets back every TLS slot and handle (a
// hundred times here; soak/lifetime does it 2,000 times). A copy of the
// module, so that the one the other tests hold does not keep it.
TEST(ComLifetime, LoadingAndFreeingTheModuleLeavesNoSlotOrHandle) {
    const std::wstring path = BuiltFile(L"Zarn2-reloaded.ocx");
    ASSERT_TRUE(CopyFileW(BuiltFile(L"Zarn2.ocx").c_str(), path.c_str(), FALSE));
    LoadUseAndFree(path, true);
    const int handles = OpenHandles();
    const DWORD slot = FreeTlsSlot();
    for (int i = 0; i < 100 && !HasFailure(); ++i)
        LoadUseAndFree(path, i % 10 == 0);
    EXPECT_EQ(OpenHandles(), handles);
    EXPECT_EQ(FreeTlsSlot(), slot);
    DeleteFileW(path.c_str());
}
