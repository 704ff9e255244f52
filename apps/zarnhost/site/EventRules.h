#pragma once
// How the host handles events, as a script sets it up: which events it
// answers by writing into their by-reference arguments, and which it
// leaves out of the log. A rule names an event ("KeyDown", for every
// control) or one control's event ("Zarn1.KeyDown"), which comes first.
#include "com/Variant.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace zarnhost {

struct Assignment {
    std::wstring parameter;
    Variant value;
};

// A call on an object an event hands over (Data.GetData 1): the members
// before the last are read as properties, the last is called.
struct ArgumentCall {
    std::wstring text; // as the script wrote it, for the log
    std::wstring parameter;
    std::vector<std::wstring> members;
    std::vector<Variant> args;
};

class EventRules {
public:
    // An empty list of assignments ends the answering.
    void Answer(const std::wstring& event, std::vector<Assignment> assignments);
    void Mute(const std::wstring& event, bool muted);
    // Leaves out a firing that would log the same as the event's last one.
    void MuteRepeats(const std::wstring& event);
    // Adds a call to make whenever the event fires; none ends the calls.
    void Within(const std::wstring& event, const ArgumentCall* call);

    const std::vector<Assignment>* AnswerFor(const std::wstring& control, const std::wstring& event) const;
    bool Muted(const std::wstring& control, const std::wstring& event) const;
    bool RepeatsMuted(const std::wstring& control, const std::wstring& event) const;
    const std::vector<ArgumentCall>* CallsFor(const std::wstring& control, const std::wstring& event) const;

private:
    std::map<std::wstring, std::vector<Assignment>> answers_;
    std::set<std::wstring> muted_;
    std::set<std::wstring> repeatsMuted_;
    std::map<std::wstring, std::vector<ArgumentCall>> calls_;
};

} // namespace zarnhost
