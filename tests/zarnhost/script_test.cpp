// Scripts are checked whole before anything runs: a mistake is reported
// with its line, and what is accepted is what the commands will use.
#include "script/Keys.h"
#include "script/Script.h"

#include <gtest/gtest.h>

namespace zarnhost {
namespace {

std::wstring ErrorOf(const char* text) {
    try {
        ParseScript(text);
    } catch (const ScriptError& e) {
        return e.message;
    }
    return L"(accepted)";
}

TEST(Script, ReadsCommandsWithTheirLinesAndSkipsCommentsAndBlankLines) {
    const auto commands = ParseScript("# a comment\n\n  set Zarn1.PValue \"2024 02 29\"  \r\nkey alt+Down\n");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].line, 3);
    EXPECT_EQ(commands[0].verb, L"set");
    EXPECT_EQ(commands[0].text, L"set Zarn1.PValue \"2024 02 29\"");
    ASSERT_EQ(commands[0].args.size(), 2u);
    EXPECT_TRUE(commands[0].args[1].quoted);
    EXPECT_EQ(commands[0].args[1].text, L"2024 02 29");
    EXPECT_EQ(commands[1].line, 4);
}

TEST(Script, MistakesAreReportedWithTheirLine) {
    EXPECT_EQ(ErrorOf("echo fine\nfly away\n"), L"line 2: unknown command fly");
    EXPECT_EQ(ErrorOf("get\n"), L"line 1: usage: get <control>.<property>");
    EXPECT_EQ(ErrorOf("get PValue\n"),
              L"line 1: expected <control>.<member>, found PValue (usage: get <control>.<property>)");
    EXPECT_EQ(ErrorOf("set Zarn1.PValue abc\n"),
              L"line 1: not a literal: abc (usage: set <control>.<property> <literal>)");
    EXPECT_EQ(ErrorOf("key hyper+a\n"),
              L"line 1: unknown key hyper+a (usage: key <key>, e.g. key F4, key alt+Down)");
    EXPECT_EQ(ErrorOf("type hello\n"), L"line 1: the text to type must be quoted (usage: type \"<text>\")");
    EXPECT_EQ(ErrorOf("wait -1\n"),
              L"line 1: expected a whole number from 0 to 600000, found -1 (usage: wait <milliseconds>)");
    EXPECT_EQ(ErrorOf("mode edit\n"), L"line 1: unexpected edit (usage: mode design|run)");
    EXPECT_EQ(ErrorOf("snapshot form\n"), L"line 1: usage: snapshot form|popup <file.png>");
    EXPECT_EQ(ErrorOf("echo \"open\n"), L"line 1: a quoted text has no closing quote");
    EXPECT_EQ(ErrorOf("mute KeyDown twice\n"), L"line 1: unexpected twice (usage: mute <event> [repeats])");
    EXPECT_EQ(ErrorOf("within OLEDragDrop Data. 1\n"),
              L"line 1: expected <parameter>.<member>, found Data. (usage: within <event> "
              L"[<parameter>.<member>... [<literal>...]])");
}

TEST(Script, AnswersNameParametersAndTheirLiterals) {
    const auto commands = ParseScript("answer KeyDown KeyCode=0 Shift=1\nanswer OLESetData Text= \"a b\"\n");
    std::vector<Assignment> a;
    std::wstring error;
    ASSERT_TRUE(ParseAssignments(commands[0].args, 1, a, error));
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[0].parameter, L"KeyCode");
    EXPECT_EQ(a[0].value.Type(), VT_I4);
    EXPECT_EQ(V_I4(&a[1].value.Get()), 1);
    a.clear();
    ASSERT_TRUE(ParseAssignments(commands[1].args, 1, a, error));
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a[0].value.Type(), VT_BSTR);
    EXPECT_STREQ(V_BSTR(&a[0].value.Get()), L"a b");
    EXPECT_EQ(ErrorOf("answer KeyDown KeyCode\n"),
              L"line 1: expected <parameter>=<literal>, found KeyCode (usage: answer <event> "
              L"[<parameter>=<literal>...])");
}

TEST(Script, KeyNamesAndModifiers) {
    KeyChord chord;
    ASSERT_TRUE(ParseChord(L"alt+Down", chord));
    EXPECT_EQ(chord.modifiers, std::vector<WORD>{VK_MENU});
    EXPECT_EQ(chord.key, VK_DOWN);
    ASSERT_TRUE(ParseChord(L"ctrl+shift+F12", chord));
    EXPECT_EQ(chord.modifiers, (std::vector<WORD>{VK_CONTROL, VK_SHIFT}));
    EXPECT_EQ(chord.key, VK_F12);
    ASSERT_TRUE(ParseChord(L"q", chord));
    EXPECT_EQ(chord.key, 'Q');
    ASSERT_TRUE(ParseChord(L"Backspace", chord));
    EXPECT_EQ(chord.key, VK_BACK);
    EXPECT_FALSE(ParseChord(L"F25", chord));
    EXPECT_FALSE(ParseChord(L"shift+", chord));
    EXPECT_FALSE(ParseChord(L"", chord));
    EXPECT_TRUE(IsExtendedKey(VK_DELETE));
    EXPECT_FALSE(IsExtendedKey(VK_BACK));
}

} // namespace
} // namespace zarnhost
