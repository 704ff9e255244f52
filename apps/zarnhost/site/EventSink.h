#pragma once
// The host's handler of one control's events: a dispatch sink for the
// control's default source interface, built from its type information so
// that it knows every event's name and parameter names. It logs each event
// with its arguments and answers it as the rules say.
#include "com/LateBound.h"
#include "log/Log.h"
#include "site/EventRules.h"

#include <oaidl.h>

#include <map>
#include <string>
#include <vector>

namespace zarnhost {

class EventSink final : public LateBound<EventSink, IDispatch> {
public:
    EventSink(std::wstring control, ITypeInfo* source, const IID& iid, const EventRules& rules, Log& log);

    void* Find(REFIID iid);

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;

private:
    struct Event {
        std::wstring name;
        std::vector<std::wstring> parameters;
    };

    void LearnEvents(ITypeInfo* source);
    const VARIANT* Argument(const DISPPARAMS& params, size_t position) const;
    std::wstring Arguments(const Event& event, const DISPPARAMS& params) const;
    std::wstring ApplyAnswer(const Event& event, const DISPPARAMS& params) const;
    std::vector<std::wstring> MakeCalls(const Event& event, const DISPPARAMS& params) const;
    const VARIANT* Named(const Event& event, const DISPPARAMS& params, const std::wstring& parameter) const;

    std::wstring control_;
    IID iid_;
    const EventRules& rules_;
    Log& log_;
    std::map<DISPID, Event> events_;
    std::map<DISPID, std::vector<std::wstring>> lastLogged_;
};

} // namespace zarnhost
