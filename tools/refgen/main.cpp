// refgen: writes docs/reference.md, the reference of the control's members,
// events and enumerations.
//   refgen <saved entries> <output.md>
// Names, types, parameters and enumeration values come from the shape
// tables (src/shape); whether a property is shared by the controls of a
// thread from SharedSettings; its default and persisted key from the
// entries a new control saves (tests/unit/com/InitialSave.txt, which the
// persistence test holds the control to); the one-line notes from Notes.h.
#include "Notes.h"

#include "settings/SharedSettings.h"
#include "shape/ZarnEvents.h"
#include "shape/ZarnMemberTable.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>

namespace {

using namespace zarn::shape;

constexpr bool SameNames(const auto& notes, const auto& table) {
    if (std::size(notes) != std::size(table))
        return false;
    for (size_t i = 0; i < std::size(notes); ++i)
        if (std::string_view(notes[i].name) != table[i].name)
            return false;
    return true;
}
static_assert(SameNames(refgen::kMemberNotes, kMembers),
              "Notes.h: one note per member, in the table's order");
static_assert(SameNames(refgen::kEventNotes, kEvents), "Notes.h: one note per event, in the table's order");

// A member is shared when the thread's SharedSettings holds it, or when it
// is an attribute of the thread's one TodayFont.
// clang-format off
#define ZARN_HELD(N, ...) template <class S> constexpr bool Held_##N = requires { &S::N; };
ZARN_MEMBERS(ZARN_HELD, ZARN_HELD, ZARN_HELD, ZARN_HELD, ZARN_HELD, ZARN_HELD)
#undef ZARN_HELD
#define ZARN_HELD(N, ...) Held_##N<SharedSettings>,
constexpr bool kHeld[] = {ZARN_MEMBERS(ZARN_HELD, ZARN_HELD, ZARN_HELD, ZARN_HELD, ZARN_HELD, ZARN_HELD)};
#undef ZARN_HELD
// clang-format on

bool Shared(int i) {
    return kHeld[i] || std::string_view(kMembers[i].name).starts_with("TodayFont");
}

std::string TypeName(const zarn::types::LibType& t) {
    using zarn::types::LibKind;
    if (t.kind != LibKind::Plain)
        return t.name;
    switch (t.vt) {
    case VT_BOOL:
        return "Boolean";
    case VT_I4:
        return "Long";
    case VT_I2:
        return "Integer";
    case VT_R4:
        return "Single";
    case VT_BSTR:
        return "String";
    case VT_VARIANT:
        return "Variant";
    case VT_DISPATCH:
        return "Object";
    default:
        return "";
    }
}

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// A saved entry: "Key VT_xx value". The first entry of a key is the one a
// new control writes for the property (TextMaxLength is written twice).
struct Saved {
    std::string key, type, value;
};
std::map<std::string, Saved> ReadSaved(const char* file) {
    std::map<std::string, Saved> saved;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::istringstream words(line);
        Saved s;
        words >> s.key >> s.type;
        std::getline(words >> std::ws, s.value);
        if (!s.key.empty())
            saved.emplace(Lower(s.key), s);
    }
    return saved;
}

std::string Hex(long long n) {
    char text[24];
    std::snprintf(text, sizeof text, "&H%llX", static_cast<unsigned long long>(static_cast<unsigned>(n)));
    return text;
}

std::string DefaultText(const Member& m, const Saved& s) {
    if (s.type == "VT_DISPATCH")
        return s.value == "null" ? "Nothing" : s.value;
    if (s.type == "VT_BSTR")
        return s.value == "today" && std::string_view(m.name) == "PValue" ? "today, as text yyyymmdd"
                                                                          : "\"" + s.value + "\"";
    if (m.type.kind == zarn::types::LibKind::Stdole && TypeName(m.type) == "OLE_COLOR")
        return Hex(std::stoll(s.value));
    if (m.type.kind == zarn::types::LibKind::Enum)
        for (const Enumeration& e : kEnumerations)
            if (std::string_view(e.name) == m.type.name)
                for (const EnumItem& item : e.items)
                    if (std::to_string(item.value) == s.value)
                        return s.value + " (`" + item.name + "`)";
    return s.value;
}

std::string Params(std::span<const Param> params) {
    std::string out;
    for (const Param& p : params) {
        if (!out.empty())
            out += ", ";
        out += std::string(p.byRef ? "ByRef " : "ByVal ") + p.name + " As " + TypeName(p.type);
    }
    return out.empty() ? "none" : out;
}

std::string Access(Kind k) {
    switch (k) {
    case Kind::GetPut:
        return "read, write";
    case Kind::GetPutRef:
        return "read, Set";
    case Kind::GetOnly:
        return "read";
    default:
        return "";
    }
}

void WriteProperties(std::ostream& out, const std::map<std::string, Saved>& saved) {
    out << "## Properties\n\n"
        << "| Property | Type | Access | Shared | New control | Saved as | What it does |\n"
        << "|---|---|---|---|---|---|---|\n";
    for (int i = 0; i < kMemberCount; ++i) {
        const Member& m = kMembers[i];
        if (m.kind == Kind::Method)
            continue;
        const auto s = saved.find(Lower(m.name));
        std::string key = "not saved", value = "—";
        if (s != saved.end()) {
            key = "`" + s->second.key + "`";
            value = DefaultText(m, s->second);
        } else if (m.type.kind == zarn::types::LibKind::Stdole && TypeName(m.type) == "Font") {
            key = "its attributes' keys";
        }
        out << "| `" << m.name << "` | " << TypeName(m.type) << " | " << Access(m.kind) << " | "
            << (Shared(i) ? "yes" : "no") << " | " << value << " | " << key << " | "
            << refgen::kMemberNotes[i].text << " |\n";
    }
}

void WriteMethods(std::ostream& out) {
    out << "\n## Methods\n\n"
        << "| Method | Parameters | Returns | What it does |\n|---|---|---|---|\n";
    for (int i = 0; i < kMemberCount; ++i) {
        const Member& m = kMembers[i];
        if (m.kind != Kind::Method)
            continue;
        const std::string result = m.type.vt == VT_VOID ? "nothing" : TypeName(m.type);
        out << "| `" << m.name << "` | " << Params(m.params) << " | " << result << " | "
            << refgen::kMemberNotes[i].text << " |\n";
    }
}

void WriteEvents(std::ostream& out) {
    out << "\n## Events\n\nEvery argument goes by reference: what a handler writes into it comes back to the "
           "control.\n\n"
        << "| DISPID | Event | Parameters | Raised when |\n|---|---|---|---|\n";
    for (int i = 0; i < kEventCount; ++i)
        out << "| " << i + 1 << " | `" << kEvents[i].name << "` | " << Params(kEvents[i].params) << " | "
            << refgen::kEventNotes[i].text << " |\n";
}

void WriteEnumerations(std::ostream& out) {
    out << "\n## Enumerations\n\nMember names are published as they stand, blanks and parentheses "
           "included.\n";
    for (const Enumeration& e : kEnumerations) {
        out << "\n### " << e.name << "\n\n| Member | Value |\n|---|---|\n";
        for (const EnumItem& item : e.items)
            out << "| `" << item.name << "` | " << item.value << " |\n";
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: refgen <saved entries> <output.md>\n");
        return 2;
    }
    const auto saved = ReadSaved(argv[1]);
    if (saved.empty()) {
        std::fprintf(stderr, "refgen: no saved entries in %s\n", argv[1]);
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << "# Zarn2 reference\n\n"
        << "The members of `_Zarn`, the events of `__Zarn` and the enumerations of the type library "
           "`Zarn2`.\n"
        << "Generated by `tools/refgen` from the control's own tables: do not edit; rebuild it with\n"
        << "`cmake --build build/x64 --target reference`.\n\n"
        << "*Shared*: the value is kept once per thread, so setting it on one control changes it for every\n"
        << "control of the thread (and for the calendar they open). *New control*: the value a control "
           "placed\n"
        << "anew saves. *Saved as*: the key of its entry in the host's property bag.\n\n";
    WriteProperties(out, saved);
    WriteMethods(out);
    WriteEvents(out);
    WriteEnumerations(out);
    return out ? 0 : 1;
}
