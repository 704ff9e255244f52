// Change notification and the connection points: a script's first use of a
// property, and the event point's own rules. Each setter's notice is
// checked with the stream, for every property at once.
#include "ContainerFakes.h"

using namespace zarn::test;

namespace {

// A script's CreateObject gets no InitNew: the first use of any property
// initialises the control, and the initial value of PValue is reported
// once, before the getter returns. A sink that reads the property back
// while it is told sees the new value.
TEST(ComFirstUse, InitialisesAndReportsPValueOnce) {
    const auto z = Ocx::Get().Create();
    ASSERT_TRUE(z);
    NotifySink sink;
    std::wstring seenInside;
    sink.onChanged = [&](DISPID member) {
        if (member == id::PValue)
            seenInside = Read(z.Get(), id::PValue);
    };
    Connection notify(z.Get(), IID_IPropertyNotifySink, &sink);
    EXPECT_EQ(sink.changed, Ids({})); // connecting is no use of a property

    const std::wstring today = L"VT_BSTR " + TodayText();
    EXPECT_EQ(Read(z.Get(), id::PValue), today);
    EXPECT_EQ(sink.changed, Ids({id::PValue}));
    EXPECT_EQ(seenInside, today);
    EXPECT_EQ(Read(z.Get(), id::PValue), today);
    EXPECT_EQ(ReadLong(z.Get(), id::MinDate), 19010101);
    EXPECT_EQ(sink.changed, Ids({id::PValue}));
}

// The __Zarn connection point refuses a sink without the outgoing
// interface, and names that interface.
TEST(ComConnectionPoints, EventPointRefusesOtherSinks) {
    const auto z = NewControl();
    NotifySink notOne;
    ComPtr<IConnectionPointContainer> container;
    ComPtr<IConnectionPoint> point, none;
    ASSERT_EQ(z.As(&container), S_OK);
    ASSERT_EQ(container->FindConnectionPoint(kDiidZarnEvents, point.GetAddressOf()), S_OK);
    DWORD cookie = 0xdeadbeef;
    EXPECT_EQ(point->Advise(&notOne, &cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(notOne.refs, 1u);
    EXPECT_EQ(point->Unadvise(12345), CONNECT_E_NOCONNECTION);
    IID iid = GUID_NULL;
    EXPECT_EQ(point->GetConnectionInterface(&iid), S_OK);
    EXPECT_EQ(iid, kDiidZarnEvents);
    EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, none.GetAddressOf()), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(none.Get(), nullptr);
}

} // namespace
