// Lifetime: the class object, the module's unload answer, references held by
// connection points and their enumerators, and what a control leaves behind.
#include "ContainerFakes.h"

using namespace zarn::test;

namespace {

TEST(ComLifetime, ClassObjectHandsOutOnlyPlainControls) {
    Ocx& ocx = Ocx::Get();
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(ocx.GetClassObject(kIidZarn, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);

    const auto factory = ocx.Factory();
    ASSERT_TRUE(factory);
    NotifySink outer; // any IUnknown will do: it must not be used
    object = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(&outer, IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(outer.refs, 1u);

    object = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IStream, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(ocx.CanUnloadNow(), S_OK); // the refused object did not stay
}

TEST(ComLifetime, ModuleStaysWhileAnObjectOrALockLives) {
    Ocx& ocx = Ocx::Get();
    EXPECT_EQ(ocx.CanUnloadNow(), S_OK);
    {
        const auto z = NewControl();
        ASSERT_TRUE(z);
        EXPECT_EQ(ocx.CanUnloadNow(), S_FALSE);
    }
    EXPECT_EQ(ocx.CanUnloadNow(), S_OK);

    const auto factory = ocx.Factory();
    ASSERT_TRUE(factory);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(ocx.CanUnloadNow(), S_FALSE);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(ocx.CanUnloadNow(), S_FALSE);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(ocx.CanUnloadNow(), S_OK);
}

TEST(ComLifetime, TwoHundredControlsLeaveNothingBehind) {
    Ocx& ocx = Ocx::Get();
    const int windowsBefore = ThreadWindows();
    NotifySink notifications;
    EventSink events;
    for (int i = 0; i < 200; ++i) {
        ComPtr<IDispatch> z = ocx.Create();
        ASSERT_TRUE(z) << i;
        {
            Connection notify(z.Get(), IID_IPropertyNotifySink, &notifications);
            Connection fire(z.Get(), kDiidZarnEvents, &events);
            ASSERT_EQ(PropPut(z.Get(), id::MinDate, 19500101 + i).hr, S_OK) << i;
        }
        if (i == 0) {
            EXPECT_GT(ThreadWindows(), windowsBefore); // the count sees a control's windows
        }
        EXPECT_EQ(z.Detach()->Release(), 0u) << i;
    }
    // Each control's first use reports PValue, then the new MinDate.
    EXPECT_EQ(notifications.changed.size(), 400u);
    EXPECT_EQ(notifications.refs, 1u);
    EXPECT_EQ(events.refs, 1u);
    EXPECT_EQ(ThreadWindows(), windowsBefore);
    EXPECT_EQ(ocx.CanUnloadNow(), S_OK);
}

TEST(ComLifetime, ConnectionPointEnumeratorHoldsTheControl) {
    Ocx& ocx = Ocx::Get();
    ComPtr<IConnectionPointContainer> container;
    {
        const auto z = NewControl();
        ASSERT_TRUE(z);
        ASSERT_EQ(z.As(&container), S_OK);
    }
    EXPECT_EQ(RefCount(container.Get()), 1u);

    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(container->EnumConnectionPoints(points.GetAddressOf()), S_OK);
    const ULONG withEnumerator = RefCount(container.Get());
    EXPECT_GT(withEnumerator, 1u);

    IConnectionPoint* got[3] = {nullptr, nullptr, nullptr};
    ULONG fetched = 99;
    EXPECT_EQ(points->Next(3, got, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(RefCount(container.Get()), withEnumerator + 2); // each point handed out is held
    IID iids[2] = {GUID_NULL, GUID_NULL};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(got[i]->GetConnectionInterface(&iids[i]), S_OK);
        got[i]->Release();
    }
    EXPECT_TRUE((iids[0] == kDiidZarnEvents && iids[1] == IID_IPropertyNotifySink) ||
                (iids[1] == kDiidZarnEvents && iids[0] == IID_IPropertyNotifySink));
    EXPECT_EQ(RefCount(container.Get()), withEnumerator);

    EXPECT_EQ(points->Next(1, got, nullptr), S_FALSE);
    EXPECT_EQ(points->Reset(), S_OK);
    EXPECT_EQ(points->Skip(1), S_OK);
    ComPtr<IEnumConnectionPoints> copy;
    ASSERT_EQ(points->Clone(copy.GetAddressOf()), S_OK);
    IID iid = GUID_NULL;
    ASSERT_EQ(copy->Next(1, got, nullptr), S_OK); // the copy starts where the original stood
    got[0]->GetConnectionInterface(&iid);
    got[0]->Release();
    EXPECT_TRUE(iid == iids[1]);
    EXPECT_EQ(copy->Next(1, got, nullptr), S_FALSE);
    EXPECT_EQ(points->Skip(2), S_FALSE);
    EXPECT_EQ(points->Next(1, got, nullptr), S_FALSE);

    // The enumerators alone keep the control, and it still answers.
    container.Reset();
    EXPECT_EQ(ocx.CanUnloadNow(), S_FALSE);
    ASSERT_EQ(points->Reset(), S_OK);
    ASSERT_EQ(points->Next(1, got, nullptr), S_OK);
    ComPtr<IConnectionPointContainer> back;
    EXPECT_EQ(got[0]->GetConnectionPointContainer(back.GetAddressOf()), S_OK);
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(back.As(&dispatch), S_OK);
    EXPECT_EQ(ReadLong(dispatch.Get(), id::MinDate), 19010101);
    got[0]->Release();
    back.Reset();
    dispatch.Reset();
    points.Reset();
    EXPECT_EQ(ocx.CanUnloadNow(), S_FALSE);
    copy.Reset();
    EXPECT_EQ(ocx.CanUnloadNow(), S_OK);
}

TEST(ComLifetime, ConnectionsEnumeratorHoldsTheSinks) {
    const auto z = NewControl();
    ASSERT_TRUE(z);
    NotifySink a, b;
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(z.As(&container), S_OK);
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, point.GetAddressOf()), S_OK);
    DWORD cookieA = 0, cookieB = 0;
    ASSERT_EQ(point->Advise(&a, &cookieA), S_OK);
    ASSERT_EQ(point->Advise(&b, &cookieB), S_OK);
    EXPECT_NE(cookieA, cookieB);
    EXPECT_EQ(a.refs, 2u);

    ComPtr<IEnumConnections> connections;
    ASSERT_EQ(point->EnumConnections(connections.GetAddressOf()), S_OK);
    EXPECT_EQ(a.refs, 3u);
    CONNECTDATA data[3] = {};
    ULONG fetched = 99;
    EXPECT_EQ(connections->Next(3, data, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(data[0].dwCookie, cookieA);
    EXPECT_EQ(data[1].dwCookie, cookieB);
    EXPECT_EQ(a.refs, 4u);
    ComPtr<IUnknown> identity;
    ASSERT_EQ(data[0].pUnk->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(identity.GetAddressOf())),
              S_OK);
    EXPECT_EQ(identity.Get(), static_cast<IUnknown*>(&a));
    identity.Reset();
    data[0].pUnk->Release();
    data[1].pUnk->Release();
    EXPECT_EQ(a.refs, 3u);

    // Unadvising does not pull the sink out from under the enumerator.
    EXPECT_EQ(point->Unadvise(cookieA), S_OK);
    EXPECT_EQ(point->Unadvise(cookieA), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(a.refs, 2u);
    EXPECT_EQ(connections->Reset(), S_OK);
    ComPtr<IEnumConnections> copy;
    ASSERT_EQ(connections->Clone(copy.GetAddressOf()), S_OK);
    EXPECT_EQ(a.refs, 3u);
    EXPECT_EQ(copy->Skip(1), S_OK);
    ASSERT_EQ(copy->Next(1, data, nullptr), S_OK);
    EXPECT_EQ(data[0].dwCookie, cookieB);
    data[0].pUnk->Release();
    EXPECT_EQ(copy->Skip(1), S_FALSE);
    connections.Reset();
    copy.Reset();
    EXPECT_EQ(a.refs, 1u);
    EXPECT_EQ(b.refs, 2u);

    // A sink may leave while it is being told.
    b.onChanged = [&](DISPID) { EXPECT_EQ(point->Unadvise(cookieB), S_OK); };
    EXPECT_EQ(PropPut(z.Get(), id::MinDate, 19500101).hr, S_OK);
    EXPECT_EQ(PropPut(z.Get(), id::MinDate, 19600101).hr, S_OK);
    EXPECT_EQ(b.changed, Ids({id::MinDate}));
    EXPECT_EQ(b.refs, 1u);
    EXPECT_EQ(a.changed, Ids({}));
}

TEST(ComLifetime, ClassInfoNamesTheCoclassAndItsSource) {
    const auto z = NewControl();
    ASSERT_TRUE(z);
    ComPtr<IProvideClassInfo2> provide;
    ASSERT_EQ(z.As(&provide), S_OK);
    GUID guid = GUID_NULL;
    EXPECT_EQ(provide->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &guid), S_OK);
    EXPECT_TRUE(guid == kDiidZarnEvents);
    guid = kClsidZarn;
    EXPECT_EQ(provide->GetGUID(2, &guid), E_INVALIDARG);

    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(provide->GetClassInfo(coclass.GetAddressOf()), S_OK);
    BSTR name = nullptr;
    ASSERT_EQ(coclass->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr), S_OK);
    EXPECT_STREQ(name, L"Zarn");
    SysFreeString(name);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(coclass->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->typekind, TKIND_COCLASS);
    EXPECT_TRUE(attr->guid == kClsidZarn);
    coclass->ReleaseTypeAttr(attr);

    // IDispatch's own type information is the dual interface.
    ComPtr<ITypeInfo> dispatch;
    ASSERT_EQ(z->GetTypeInfo(0, LOCALE_USER_DEFAULT, dispatch.GetAddressOf()), S_OK);
    ASSERT_EQ(dispatch->GetTypeAttr(&attr), S_OK);
    EXPECT_TRUE(attr->guid == kIidZarn);
    EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FDUAL);
    dispatch->ReleaseTypeAttr(attr);
    ComPtr<ITypeInfo> none;
    EXPECT_EQ(z->GetTypeInfo(1, LOCALE_USER_DEFAULT, none.GetAddressOf()), DISP_E_BADINDEX);
}

} // namespace
