// settings_test.cpp -- the grammar of data/settings.ini, as one table of files
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/settings.h"
#include "support.h"

namespace {

struct SettingsCase {
    const char *name;
    std::string file;
    bool windowed;
    bool debug;
    std::string language;
};

const SettingsCase settings_cases[] = {
    {"empty file keeps defaults", "", false, false, "XX"},
    {"the usual three lines", "WindowedMode ON\nDebugMode OFF\nLanguage EN\n", true, false, "EN"},
    {"debug on", "DebugMode ON\n", false, true, "XX"},
    {"lower-case key ignored", "windowedmode ON\n", false, false, "XX"},
    {"lower-case value ignored", "WindowedMode on\n", false, false, "XX"},
    {"last occurrence wins", "WindowedMode ON\nLanguage SW\nWindowedMode OFF\n", false, false, "SW"},
    {"lone # starts a comment", "# WindowedMode ON\n", false, false, "XX"},
    {"#word is no comment, and no key", "#WindowedMode ON\n", false, false, "XX"},
    {"#note then a setting", "#note WindowedMode ON\n", true, false, "XX"},
    {"comment ends at its line", "# a note\nWindowedMode ON\n", true, false, "XX"},
    {"key and value on two lines", "WindowedMode\n\tON\n", true, false, "XX"},
    {"several on one line", "WindowedMode ON DebugMode ON Language DU", true, true, "DU"},
    {"sections are ignored", "[display]\nWindowedMode ON\n", true, false, "XX"},
    {"a value acts as the next key", "WindowedMode Language SP\n", false, false, "SP"},
    {"language # then a comment", "Language # WindowedMode ON\nDebugMode ON\n", false, true, "#"},
    {"comment on the last line without line feed", "WindowedMode ON\n# the end", true, false, "XX"},
    {"lone # as the last word", "Language EN #", false, false, "EN"},
    {"a key as the last word is ignored", "Language SW\nLanguage", false, false, "SW"},
    {"boolean key as the last word", "WindowedMode ON WindowedMode", true, false, "XX"},
    {"CR LF line ends", "WindowedMode ON\r\nLanguage EN\r\n", true, false, "EN"},
};

class SettingsGrammar : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(SettingsGrammar, ReadsTheExpectedSettings)
{
    const SettingsCase &c = GetParam();
    windowed_mode = false;
    debug_mode = false;
    language = "XX";
    FILE *file = fmemopen((void *)c.file.data(), c.file.size(), "r");
    if (c.file.empty())
        file = fopen("/dev/null", "r");
    ASSERT_NE(file, nullptr);
    parse_settings(file);
    fclose(file);
    EXPECT_EQ(windowed_mode, c.windowed) << c.name;
    EXPECT_EQ(debug_mode, c.debug) << c.name;
    EXPECT_EQ(language, c.language) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Files, SettingsGrammar, ::testing::ValuesIn(settings_cases),
                         case_name<SettingsCase>);

TEST(SettingsWords, AWordPastTheLimitIsCutNotOverrun)
{
    std::string huge(100000, 'A');
    std::string content = "Language " + huge + " WindowedMode ON";
    FILE *file = fmemopen((void *)content.data(), content.size(), "r");
    language = "XX";
    windowed_mode = false;
    parse_settings(file);
    fclose(file);
    EXPECT_EQ(language, std::string(SETTINGS_WORD_MAX, 'A'));
    EXPECT_TRUE(windowed_mode);
}

}  // namespace

namespace {

TEST(SettingsFile, AMissingFileEndsTheProgram)
{
    ScratchDir dir;
    EXPECT_FATAL(read_settings(), 255, "Cannot find the settings.ini file, or it may be corrupt\\.");
}

TEST(SettingsFile, AFileThatCannotBeOpenedCountsAsMissing)
{
    ScratchDir dir;
    dir.write("data/settings.ini/placeholder", "");  // a folder where the file should be
    EXPECT_FATAL(read_settings(), 255, "Cannot find the settings.ini file");
}

TEST(SettingsFile, ReadsTheFileInTheWorkingDirectory)
{
    ScratchDir dir;
    dir.write("data/settings.ini", "WindowedMode ON\nDebugMode OFF\nLanguage EN\n");
    language = "XX";
    windowed_mode = false;
    read_settings();
    EXPECT_TRUE(windowed_mode);
    EXPECT_EQ(language, "EN");
    language = "XX";
    windowed_mode = false;
}

}  // namespace
