// Change notification: what a container's IPropertyNotifySink hears for
// each setter, in order, and what it does not hear.
#include "ContainerFakes.h"

using namespace zarn::test;

namespace {

using ComNotify = OcxTest;

// The keys "MousePointer" and "Gridline" are spelt unlike their members;
// the sink must still hear the members' DISPIDs, Enabled's own among those
// of the face it sets first.
TEST_F(ComNotify, KeysReachTheirMembersDispids) {
    EXPECT_EQ(PropPut(z.Get(), id::mousePointer, 11).hr, S_OK);
    EXPECT_EQ(PropPut(z.Get(), id::GridLine, 3).hr, S_OK);
    EXPECT_EQ(PropPut(z.Get(), id::TextMaxLength, 10).hr, S_OK);
    EXPECT_EQ(PropPut(z.Get(), id::AllowNull, Var::Bool(false)).hr, S_OK); // the value is set: no PValue
    EXPECT_EQ(PropPut(z.Get(), id::CalendarFirstDayOfWeek, 3).hr, S_OK);
    EXPECT_EQ(PropPut(z.Get(), id::Enabled, Var::Bool(false)).hr, S_OK);
    EXPECT_EQ(sink.changed, Ids({id::mousePointer, id::GridLine, id::TextMaxLength, id::AllowNull,
                                 id::CalendarFirstDayOfWeek, id::BgColor, id::ButtonBgColor, id::Text_Enabled,
                                 id::Text_Locked, id::Enabled}));
    EXPECT_EQ(Read(z.Get(), id::Text_Locked), L"VT_BOOL True");
    EXPECT_EQ(ReadLong(z.Get(), id::mousePointer), 11);
    EXPECT_EQ(ReadLong(z.Get(), id::GridLine), 3);
}

TEST_F(ComNotify, WeekSignPictureNotifiesTwice) {
    const auto picture = FilePicture(8, 8);
    ASSERT_TRUE(picture);

    EXPECT_EQ(PropPutRef(z.Get(), id::WeekSignPicture, Var::Object(picture.Get())).hr, S_OK);
    EXPECT_EQ(sink.changed, Ids({id::WeekSignPicture, id::WeekSignPicture}));
    const DispResult got = PropGet(z.Get(), id::WeekSignPicture);
    ASSERT_EQ(got.hr, S_OK);
    ASSERT_EQ(V_VT(&got.value), VT_DISPATCH);
    EXPECT_EQ(V_DISPATCH(&got.value), picture.Get());

    sink.changed.clear();
    EXPECT_EQ(PropPutRef(z.Get(), id::WeekSignPicture, Var::Object(nullptr)).hr, S_OK);
    EXPECT_EQ(sink.changed, Ids({id::WeekSignPicture, id::WeekSignPicture}));
}

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
TEST_F(ComNotify, EventPointRefusesOtherSinks) {
    NotifySink notOne;
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(z.As(&container), S_OK);
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(container->FindConnectionPoint(kDiidZarnEvents, point.GetAddressOf()), S_OK);
    DWORD cookie = 0xdeadbeef;
    EXPECT_EQ(point->Advise(&notOne, &cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(notOne.refs, 1u);
    EXPECT_EQ(point->Unadvise(12345), CONNECT_E_NOCONNECTION);

    IID iid = GUID_NULL;
    EXPECT_EQ(point->GetConnectionInterface(&iid), S_OK);
    EXPECT_TRUE(iid == kDiidZarnEvents);
    ComPtr<IConnectionPoint> none;
    EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, none.GetAddressOf()), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(none.Get(), nullptr);
}

} // namespace
