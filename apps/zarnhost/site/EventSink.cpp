#include "site/EventSink.h"

#include "com/ByRef.h"
#include "com/ClassTypes.h"
#include "com/DispatchClient.h"
#include "com/HResultText.h"
#include "text/ValueText.h"

#include <cwchar>

namespace zarnhost {

EventSink::EventSink(std::wstring control, ITypeInfo* source, const IID& iid, const EventRules& rules,
                     Log& log)
    : control_(std::move(control)), iid_(iid), rules_(rules), log_(log) {
    LearnEvents(source);
}

void* EventSink::Find(REFIID iid) {
    return iid == IID_IDispatch || iid == iid_ ? static_cast<IDispatch*>(this) : nullptr;
}

void EventSink::LearnEvents(ITypeInfo* source) {
    TYPEATTR* attr = nullptr;
    if (!source || FAILED(source->GetTypeAttr(&attr)))
        return;
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        FUNCDESC* func = nullptr;
        if (FAILED(source->GetFuncDesc(i, &func)))
            continue;
        std::vector<std::wstring> names = MemberNames(source, func->memid);
        if (!names.empty()) {
            Event event{names.front(), {names.begin() + 1, names.end()}};
            // Unnamed parameters still show, by their position.
            while (event.parameters.size() < static_cast<size_t>(func->cParams))
                event.parameters.push_back(L"#" + std::to_wstring(event.parameters.size() + 1));
            events_[func->memid] = std::move(event);
        }
        source->ReleaseFuncDesc(func);
    }
    source->ReleaseTypeAttr(attr);
}

// Arguments arrive last first; named arguments say which parameter they
// fill.
const VARIANT* EventSink::Argument(const DISPPARAMS& params, size_t position) const {
    for (UINT i = 0; i < params.cNamedArgs; ++i)
        if (params.rgdispidNamedArgs[i] == static_cast<DISPID>(position))
            return &params.rgvarg[i];
    const size_t positional = params.cArgs - params.cNamedArgs;
    if (position >= positional)
        return nullptr;
    return &params.rgvarg[params.cArgs - 1 - position];
}

std::wstring EventSink::Arguments(const Event& event, const DISPPARAMS& params) const {
    std::wstring text;
    const size_t count = event.parameters.size() > params.cArgs ? event.parameters.size() : params.cArgs;
    for (size_t i = 0; i < count; ++i) {
        const VARIANT* arg = Argument(params, i);
        const std::wstring name =
            i < event.parameters.size() ? event.parameters[i] : L"#" + std::to_wstring(i + 1);
        text += (i ? L", " : L"") + name + L"=" + (arg ? Literal(*arg) : L"(missing)");
    }
    return text;
}

const VARIANT* EventSink::Named(const Event& event, const DISPPARAMS& params,
                                const std::wstring& parameter) const {
    size_t i = 0;
    while (i < event.parameters.size() && _wcsicmp(event.parameters[i].c_str(), parameter.c_str()) != 0)
        ++i;
    return Argument(params, i);
}

std::wstring EventSink::ApplyAnswer(const Event& event, const DISPPARAMS& params) const {
    const std::vector<Assignment>* answer = rules_.AnswerFor(control_, event.name);
    if (!answer)
        return L"";
    std::wstring text;
    for (const Assignment& a : *answer) {
        const VARIANT* arg = Named(event, params, a.parameter);
        const HRESULT hr = arg ? AssignThroughReference(*arg, a.value.Get()) : DISP_E_PARAMNOTFOUND;
        text += (text.empty() ? L" -> " : L", ") + a.parameter + L"=" +
                (SUCCEEDED(hr) ? Literal(*arg) : L"(not answered: " + HResultText(hr) + L")");
    }
    return text;
}

namespace {

IDispatch* ObjectIn(const VARIANT* arg) {
    if (!arg)
        return nullptr;
    if (V_VT(arg) == (VT_BYREF | VT_DISPATCH))
        return V_DISPATCHREF(arg) ? *V_DISPATCHREF(arg) : nullptr;
    return V_VT(arg) == VT_DISPATCH ? V_DISPATCH(arg) : nullptr;
}

// One call on an object argument, as the log shows it.
std::wstring CallOn(IDispatch* object, const ArgumentCall& call) {
    Variant held;
    for (size_t i = 0; object && i + 1 < call.members.size(); ++i) {
        const CallResult r = GetProperty(object, call.members[i]);
        if (!r.ok())
            return call.text + L": " + r.error;
        held = r.value;
        object = held.Type() == VT_DISPATCH ? V_DISPATCH(&held.Get()) : nullptr;
    }
    if (!object)
        return call.text + L": no object";
    const CallResult r = CallMethod(object, call.members.back(), call.args);
    if (!r.ok())
        return call.text + L": " + r.error;
    if (r.value.Type() == VT_EMPTY)
        return call.text;
    return call.text + L" = " + Literal(r.value.Get()) + L" (" + TypeName(r.value.Type()) + L")";
}

} // namespace

// The calls run as a handler's would, before the answers are written.
std::vector<std::wstring> EventSink::MakeCalls(const Event& event, const DISPPARAMS& params) const {
    std::vector<std::wstring> lines;
    if (const std::vector<ArgumentCall>* calls = rules_.CallsFor(control_, event.name))
        for (const ArgumentCall& call : *calls)
            lines.push_back(L"  " + CallOn(ObjectIn(Named(event, params, call.parameter)), call));
    return lines;
}

HRESULT EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                          UINT*) {
    if (result)
        VariantInit(result);
    const DISPPARAMS none{};
    const DISPPARAMS& p = params ? *params : none;
    try {
        const auto found = events_.find(id);
        const Event event = found != events_.end() ? found->second : Event{L"#" + std::to_wstring(id), {}};
        const std::wstring line =
            L"event " + control_ + L"." + event.name + L"(" + Arguments(event, p) + L")";
        std::vector<std::wstring> lines = MakeCalls(event, p);
        lines.insert(lines.begin(), line + ApplyAnswer(event, p));
        const bool repeat = rules_.RepeatsMuted(control_, event.name) && lastLogged_[id] == lines;
        if (!rules_.Muted(control_, event.name) && !repeat)
            for (const std::wstring& l : lines)
                log_.Line(l);
        lastLogged_[id] = std::move(lines);
    } catch (...) {
        return E_UNEXPECTED;
    }
    return S_OK;
}

} // namespace zarnhost
