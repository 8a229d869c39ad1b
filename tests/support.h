// support.h -- small helpers shared by the unit tests
#ifndef QB_TEST_SUPPORT_H
#define QB_TEST_SUPPORT_H

#include <allegro.h>
#include <gtest/gtest.h>
#include <cctype>
#include <string>
#include <unistd.h>

// A scratch folder that the test works in; removed with everything in it afterwards.
struct ScratchDir {
    std::string path;
    std::string old_cwd;
    ScratchDir();
    ~ScratchDir();
    void write(const std::string &relative, const std::string &content) const;
};

// Gives back_buffer (and the text target) a fresh 640x480 memory bitmap for one test.
struct ScratchBackBuffer {
    BITMAP *saved;
    ScratchBackBuffer();
    ~ScratchBackBuffer();
};

// Puts a generated sheet into font slot `font`: every glyph g is a solid block of
// glyph_colour(g) filling its cell, with its blue width marker at widths[g].
void make_synthetic_font(int font, int cell_width, int cell_height, const int widths[256]);
int glyph_colour(int g);
// The glyph whose colour is at (x, y) of the bitmap, or -1.
int glyph_at(BITMAP *bitmap, int x, int y);

// Names a parameterised case after its `name` field, in the letters, digits and
// underscores that test names allow.
template <class Case>
std::string case_name(const ::testing::TestParamInfo<Case> &info)
{
    std::string name;
    for (const char *c = info.param.name; *c; c++)
        name += isalnum((unsigned char)*c) ? *c : '_';
    return name + "_" + std::to_string(info.index);
}

// Expects statement to end the process with code and a message matching regex.
// Without a display the message goes to standard output, so it is sent to
// standard error, where the death test looks.
#define EXPECT_FATAL(statement, code, regex) \
    EXPECT_EXIT({ dup2(2, 1); statement; }, ::testing::ExitedWithCode(code), regex)
#endif
