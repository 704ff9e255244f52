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

class EventRules {
public:
    // An empty list of assignments ends the answering.
    void Answer(const std::wstring& event, std::vector<Assignment> assignments);
    void Mute(const std::wstring& event, bool muted);

    const std::vector<Assignment>* AnswerFor(const std::wstring& control, const std::wstring& event) const;
    bool Muted(const std::wstring& control, const std::wstring& event) const;

private:
    std::map<std::wstring, std::vector<Assignment>> answers_;
    std::set<std::wstring> muted_;
};

} // namespace zarnhost
