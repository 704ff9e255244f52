#pragma once
// A property bag held in memory, in the order the control wrote it, with a
// stream form that carries exactly the same entries: IPersistStreamInit
// saves and loads through it.
#include "control/PropertyBag.h"

#include <objidl.h>

#include <string>
#include <vector>

namespace zarn {

class MemoryBag : public PropertyBag {
public:
    struct Entry {
        std::wstring key;
        Variant value;
    };

    // Keys compare without regard to case; writing a key again replaces its
    // value where it stands.
    Variant ReadProperty(std::wstring_view key, const Variant& defaultValue) override;
    void WriteProperty(std::wstring_view key, const Variant& value, const Variant& defaultValue) override;

    const std::vector<Entry>& Entries() const { return entries_; }

    void SaveTo(IStream& stream) const;
    // Replaces the entries by those of the stream; a damaged stream is an
    // error and leaves the bag as it was.
    void LoadFrom(IStream& stream);

private:
    Entry* Find(std::wstring_view key);
    std::vector<Entry> entries_;
};

// The host's IPropertyBag behind the control's bag interface.
class ComBag : public PropertyBag {
public:
    explicit ComBag(IPropertyBag& bag) : bag_(bag) {}
    Variant ReadProperty(std::wstring_view key, const Variant& defaultValue) override;
    void WriteProperty(std::wstring_view key, const Variant& value, const Variant& defaultValue) override;

private:
    IPropertyBag& bag_;
};

} // namespace zarn
