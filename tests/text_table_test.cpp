// text_table_test.cpp -- the text file grammar and the lookups of the caption table
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "core/settings.h"
#include "support.h"
#include "text/text_table.h"

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

struct TextFileCase {
    const char *name;
    std::string file;
    Entries entries;  // every stored entry, in slot order
};

const TextFileCase text_file_cases[] = {
    {"spaces after ] are skipped, before ^ kept", "[quit]   Quit ^", {{"quit", "Quit "}}},
    {"a line end before the value becomes a space", "[quit]\nQuit^", {{"quit", " Quit"}}},
    {"a value over two lines", "[hello]Hello\nWorld^", {{"hello", "Hello World"}}},
    {"CR LF counts as one line end", "[hello]Hello\r\nWorld^\r\n", {{"hello", "Hello World"}}},
    {"line ends and spaces inside a key belong to it", "[a b\nc]x^", {{"a b\nc", "x"}}},
    {"an empty value", "[x]^", {{"x", ""}}},
    {"# [ ] inside a value", "[v]a # b [c] d^", {{"v", "a # b [c] d"}}},
    {"comment between entries", "# [no]x^\n[yes]y^", {{"yes", "y"}}},
    {"comment right after ^", "[a]1^# [b]2^\n[c]3^", {{"a", "1"}, {"c", "3"}}},
    {"anything else between entries is skipped", "junk ]^ \n\n[a]1^ more junk [b]2^", {{"a", "1"}, {"b", "2"}}},
    {"duplicate keys take two slots", "[ver]one^[ver]two^", {{"ver", "one"}, {"ver", "two"}}},
    {"file ending in a comment", "[a]1^\n# no line end", {{"a", "1"}}},
    {"file ending in a key", "[a]1^[unfinished", {{"a", "1"}}},
    {"file ending after ]", "[a]1^[b]   ", {{"a", "1"}}},
    {"file ending in a value", "[a]1^[b]no end", {{"a", "1"}}},
    {"Latin-1 bytes pass through", "[e]caf\xe9^", {{"e", "caf\xe9"}}},
};

class TextFileGrammar : public ::testing::TestWithParam<TextFileCase> {};

TEST_P(TextFileGrammar, StoresTheExpectedEntries)
{
    const TextFileCase &c = GetParam();
    TextTable table;
    clear_text_table(table);
    FILE *file = fmemopen((void *)c.file.data(), c.file.size(), "r");
    ASSERT_NE(file, nullptr);
    read_text_entries(table, file);
    fclose(file);
    Entries stored;
    for (int i = 0; i < TEXT_TABLE_SLOTS && table.used[i]; i++)
        stored.push_back({table.keys[i], table.values[i]});
    EXPECT_EQ(stored, c.entries) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Files, TextFileGrammar, ::testing::ValuesIn(text_file_cases),
                         case_name<TextFileCase>);

class TextLookup : public ::testing::Test {
protected:
    ScratchDir dir;
    void TearDown() override
    {
        debug_mode = false;
        language = "XX";
    }
};

TEST_F(TextLookup, LoadsFromTheLanguageFolderAndAnswersByExactKey)
{
    language = "SW";
    dir.write("system/text/SW/title.txt", "# title\n[quit]Avsluta^\n[ver]Version^\n[ver]second^\n[x]^\n");
    load_text_table(screen_text, "title");
    EXPECT_EQ(get_text(screen_text, "quit"), "Avsluta");
    EXPECT_EQ(get_text(screen_text, "ver"), "Version") << "the first of two entries answers";
    debug_mode = true;
    EXPECT_EQ(get_text(screen_text, "Quit"), "!Error!") << "keys are case-sensitive";
    EXPECT_EQ(get_text(screen_text, "x"), "") << "an empty value is no error";
    EXPECT_EQ(get_text(screen_text, ""), "") << "an empty key finds the first free slot";
    debug_mode = false;
    EXPECT_EQ(get_text(screen_text, "missing"), "");
}

TEST_F(TextLookup, ReloadingReplacesTheWholeTable)
{
    language = "EN";
    dir.write("system/text/EN/a.txt", "[one]1^[two]2^");
    dir.write("system/text/EN/b.txt", "[three]3^");
    load_text_table(screen_text, "a");
    load_text_table(screen_text, "b");
    debug_mode = true;
    EXPECT_EQ(get_text(screen_text, "one"), "!Error!");
    EXPECT_EQ(get_text(screen_text, "three"), "3");
}

TEST_F(TextLookup, The501stEntryIsDropped)
{
    language = "EN";
    std::string file;
    for (int i = 0; i < 501; i++)
        file += "[k" + std::to_string(i) + "]v" + std::to_string(i) + "^\n";
    dir.write("system/text/EN/many.txt", file);
    load_text_table(screen_text, "many");
    debug_mode = true;
    EXPECT_EQ(get_text(screen_text, "k499"), "v499");
    EXPECT_EQ(get_text(screen_text, "k500"), "!Error!");
    EXPECT_EQ(add_text_entry(screen_text, "more", "x"), -1);
}

TEST_F(TextLookup, AMissingFileEndsTheProgramWithItsPath)
{
    language = "DU";
    EXPECT_FATAL(load_text_table(screen_text, "title"), 255,
                 "Cannot find the system/text/DU/title.txt file.  Check and make sure that it is present\\.");
}

}  // namespace
