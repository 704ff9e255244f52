#include "site/EventRules.h"

namespace zarnhost {

void EventRules::Answer(const std::wstring& event, std::vector<Assignment> assignments) {
    if (assignments.empty())
        answers_.erase(event);
    else
        answers_[event] = std::move(assignments);
}

void EventRules::Mute(const std::wstring& event, bool muted) {
    repeatsMuted_.erase(event);
    if (muted)
        muted_.insert(event);
    else
        muted_.erase(event);
}

void EventRules::MuteRepeats(const std::wstring& event) {
    muted_.erase(event);
    repeatsMuted_.insert(event);
}

void EventRules::Within(const std::wstring& event, const ArgumentCall* call) {
    if (call)
        calls_[event].push_back(*call);
    else
        calls_.erase(event);
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

bool EventRules::RepeatsMuted(const std::wstring& control, const std::wstring& event) const {
    return repeatsMuted_.count(control + L"." + event) || repeatsMuted_.count(event);
}

const std::vector<ArgumentCall>* EventRules::CallsFor(const std::wstring& control,
                                                      const std::wstring& event) const {
    auto found = calls_.find(control + L"." + event);
    if (found == calls_.end())
        found = calls_.find(event);
    return found == calls_.end() ? nullptr : &found->second;
}

} // namespace zarnhost
