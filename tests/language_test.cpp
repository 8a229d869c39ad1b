// language_test.cpp -- the first-run language screen: its fixed texts, its buttons and what a click stores
#include <gtest/gtest.h>

#include <algorithm>
#include <allegro.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "core/frame.h"
#include "screens/language.h"
#include "support.h"
#include "text/label.h"
#include "widgets/button.h"

namespace {

struct Flag {
    const char *name;
    int colour;
};

// Each language its own colour, so a test can tell whose pictures a button shows.
const Flag FLAGS[] = {{"en", 0xC01010}, {"du", 0x1010C0}, {"sw", 0xE0C000}, {"sp", 0x10A010}};

void write_flag(const Flag &flag)
{
    std::filesystem::create_directories("system/images/buttons");
    BITMAP *bitmap = create_bitmap_ex(24, 96, 64);
    clear_to_color(bitmap, makecol24(getr32(flag.colour), getg32(flag.colour), getb32(flag.colour)));
    for (const char *suffix : {"_u.png", "_d.png", "_h.png"}) {
        std::string path = std::string("system/images/buttons/") + flag.name + suffix;
        ASSERT_EQ(save_bitmap(path.c_str(), bitmap, NULL), 0) << path;
    }
    destroy_bitmap(bitmap);
}

struct LanguageScreen : ::testing::Test {
    ScratchDir dir;

    void SetUp() override
    {
        for (const Flag &flag : FLAGS)
            write_flag(flag);
        reset_screen_widgets();
        build_language_selection();
    }
    void TearDown() override { reset_screen_widgets(); }

    // Active button slots, left to right on screen.
    std::vector<int> slots_by_x() const
    {
        std::vector<int> slots;
        for (int slot = 0; slot < BUTTON_SLOTS; ++slot)
            if (button_pool[slot].active)
                slots.push_back(slot);
        std::sort(slots.begin(), slots.end(),
                  [](int a, int b) { return button_pool[a].x < button_pool[b].x; });
        return slots;
    }
};

TEST_F(LanguageScreen, ButtonsLeftToRightStoreEnDuSwSpWithTheirOwnPictures)
{
    const struct {
        int x;
        const char *code;
        int colour;
    } row[] = {{16, "EN", 0xC01010}, {120, "DU", 0x1010C0}, {224, "SW", 0xE0C000}, {328, "SP", 0x10A010}};

    std::vector<int> slots = slots_by_x();
    ASSERT_EQ(slots.size(), 4u);
    EXPECT_EQ(chosen_language(), "");
    for (size_t i = 0; i < slots.size(); ++i) {
        SCOPED_TRACE(row[i].code);
        Button &button = button_pool[slots[i]];
        EXPECT_EQ(button.x, row[i].x);
        EXPECT_EQ(button.y, 250);
        EXPECT_EQ(button.width, 96);
        EXPECT_EQ(button.height, 64);
        ASSERT_NE(button.image_up, nullptr);
        int pixel = getpixel(button.image_up, 10, 10);
        EXPECT_EQ(makecol(getr(pixel), getg(pixel), getb(pixel)),
                  makecol(getr32(row[i].colour), getg32(row[i].colour), getb32(row[i].colour)));

        button.clicked = 1;
        EXPECT_EQ(chosen_language(), row[i].code);
        EXPECT_EQ(chosen_language(), "") << "a click is taken once";
    }
}

TEST_F(LanguageScreen, FixedEnglishTexts)
{
    const struct {
        int slot;
        int x;
        int y;
        int font;
        int align;
        const char *text;
    } labels[] = {
        {0, 320, 100, 2, 1, "Welcome to Quillbrook!"},
        {1, 320, 132, 2, 1, "Please select a language."},
        {3, 16, 440, 1, 0, "Quillbrook"},
        {4, 16, 448, 1, 0, "Ver. 0.3.1"},
    };
    for (const auto &e : labels) {
        SCOPED_TRACE(e.text);
        const TextLabel &label = label_pool[e.slot];
        EXPECT_TRUE(label.active);
        EXPECT_EQ(label.text, e.text);
        EXPECT_EQ(label.x, e.x);
        EXPECT_EQ(label.y, e.y);
        EXPECT_EQ(label.font, e.font);
        EXPECT_EQ(label.align, e.align);
        EXPECT_LE(label.wrap_width, 0);
        EXPECT_EQ(label.shown, int(label.text.size()));
    }
    EXPECT_NE(label_pool[2].text.find("\"Options\""), std::string::npos) << label_pool[2].text;
    EXPECT_TRUE(label_pool[5].active);
    EXPECT_NE(label_pool[5].text.find("Quillbrook"), std::string::npos) << label_pool[5].text;
    for (int slot = 6; slot < LABEL_SLOTS; ++slot)
        EXPECT_FALSE(label_pool[slot].active) << "label " << slot;
}

TEST_F(LanguageScreen, MissingOrBrokenBackgroundEndsNamingTheFile)
{
    reset_screen_widgets();
    EXPECT_FATAL(run_language_selection(), 255, "system/images/bg/generic_01\\.jpg");
    dir.write("system/images/bg/generic_01.jpg", "\xFF\xD8 truncated");
    EXPECT_FATAL(run_language_selection(), 255, "system/images/bg/generic_01\\.jpg");
}

}  // namespace
