#include "site/EventRules.h"

namespace zarnhost {

void EventRules::Answer(const std::wstring& event, std::vector<Assignment> assignments) {
    if (assignments.empty())
        answers_.erase(event);
    else
        answers_[event] = std::move(assignments);
}

void EventRules::Mute(const std::wstring& event, bool muted) {
    if (muted)
        muted_.insert(event);
    else
        muted_.erase(event);
}

const std::vector<Assignment>* EventRules::AnswerFor(const std::wstring& control,
                                                     const std::wstring& event) const {
    auto found = answers_.find(control + L"." + event);
    if (found == answers_.end())
        found = answers_.find(event);
    return found == answers_.end() ? nullptr : &found->second;
}

bool EventRules::Muted(const std::wstring& control, const std::wstring& event) const {
    return muted_.count(control + L"." + event) || muted_.count(event);
}

} // namespace zarnhost
