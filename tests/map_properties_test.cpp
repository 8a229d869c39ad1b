// map_properties_test.cpp -- the map properties dialog: size clicks, typed texts in the map, no leaks
#include <gtest/gtest.h>

#include <allegro.h>
#include <filesystem>
#include <malloc.h>
#include <string>

#include "core/frame.h"
#include "core/settings.h"
#include "editor/map.h"
#include "editor/map_properties.h"
#include "support.h"
#include "text/font.h"
#include "text/label.h"
#include "text/text_table.h"
#include "widgets/button.h"
#include "widgets/panel.h"
#include "widgets/text_field.h"

namespace {

const int WIDTH_UP = 8, WIDTH_DOWN = 9, HEIGHT_UP = 10, HEIGHT_DOWN = 11;
const int NAME = 5, AUTHOR = 6, DESCRIPTION = 7;

void write_button_pictures(const std::string &name, int width, int height)
{
    std::filesystem::create_directories("system/images/buttons");
    BITMAP *picture = create_bitmap_ex(24, width, height);
    clear_to_color(picture, makecol24(90, 60, 30));
    for (const char *suffix : {"_u.png", "_d.png", "_h.png"})
        ASSERT_EQ(save_bitmap(("system/images/buttons/" + name + suffix).c_str(), picture, NULL), 0);
    destroy_bitmap(picture);
}

// Large blocks such as a screen-sized bitmap are mapped, not taken from the heap proper.
size_t heap_in_use()
{
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Every glyph 9 pixels wide in 16-pixel lines, like the shipped font 2's lower case.
struct PropertiesDialog : ::testing::Test {
    ScratchDir dir;
    ScratchBackBuffer buffer;
    FontSheet saved_font = font_sheets[2];

    void SetUp() override
    {
        font_sheets[2].sheet = NULL;
        font_sheets[2].cell_width = 16;
        font_sheets[2].cell_height = 16;
        for (int &width : font_sheets[2].glyph_widths)
            width = 9;
        write_button_pictures("up", 16, 8);
        write_button_pictures("down", 16, 8);
        write_button_pictures("sml_01", 112, 32);
        clear_text_table(screen_text);
        for (const char *key : {"prop", "name", "author", "desc", "wide", "high", "okay"})
            add_text_entry(screen_text, key, std::string("<") + key + ">");
        reset_screen_widgets();
        reset_map(current_map);
    }
    void TearDown() override
    {
        if (properties_dialog.backdrop)
            close_map_properties(properties_dialog);
        reset_screen_widgets();
        reset_map(current_map);
        font_sheets[2] = saved_font;
    }
    void click(int slot)
    {
        button_pool[slot].clicked = 1;
        handle_size_clicks();
    }
    void type(const std::string &text)
    {
        for (unsigned char c : text)
            type_into_text_field(text_field_pool, c);
    }
};

TEST_F(PropertiesDialog, SizesChangeByOneAClickWithinTheirLimits)
{
    struct {
        const char *what;
        int button;
        int clicks;
        int Map::*size;
        int label;
        int expected;
    } cases[] = {
        {"width down from 20", WIDTH_DOWN, 3, &Map::width, 9, 20},
        {"height down from 15", HEIGHT_DOWN, 3, &Map::height, 11, 15},
        {"width up 100 times", WIDTH_UP, 100, &Map::width, 9, 120},
        {"width up once more", WIDTH_UP, 1, &Map::width, 9, 120},
        {"height up 105 times", HEIGHT_UP, 105, &Map::height, 11, 120},
        {"height up once more", HEIGHT_UP, 1, &Map::height, 11, 120},
        {"width down from 120", WIDTH_DOWN, 1, &Map::width, 9, 119},
        {"height down from 120", HEIGHT_DOWN, 1, &Map::height, 11, 119},
    };
    build_map_properties(properties_dialog);
    EXPECT_EQ(label_pool[9].text, "20");
    EXPECT_EQ(label_pool[11].text, "15");
    for (auto &c : cases) {
        SCOPED_TRACE(c.what);
        for (int i = 0; i < c.clicks; i++)
            click(c.button);
        EXPECT_EQ(current_map.*c.size, c.expected);
        EXPECT_EQ(label_pool[c.label].text, std::to_string(c.expected));
        EXPECT_FALSE(button_pool[c.button].clicked);  // each click is used up
    }
}

// The click is seen inside one frame's refresh; the label drawn in that frame still shows the old number.
TEST_F(PropertiesDialog, TheNumberChangesAfterTheClicksOfTheFrame)
{
    build_map_properties(properties_dialog);
    button_pool[WIDTH_UP].clicked = 1;
    button_pool[HEIGHT_UP].clicked = 1;
    EXPECT_EQ(label_pool[9].text, "20");
    handle_size_clicks();
    EXPECT_EQ(label_pool[9].text, "21");
    EXPECT_EQ(label_pool[11].text, "16");
    EXPECT_EQ(current_map.width, 21);
    EXPECT_EQ(current_map.height, 16);
}

TEST_F(PropertiesDialog, TypedTextsAreTheMapsAndShowWhenReopened)
{
    build_map_properties(properties_dialog);
    const struct {
        int slot;
        std::string text;
        std::string Map::*field;
    } fields[] = {
        {NAME, "Isle", &Map::name}, {AUTHOR, "Ana", &Map::author}, {DESCRIPTION, "Two shores", &Map::description}};
    for (auto &f : fields) {
        text_field_pool.focused = f.slot;
        type(f.text + "x");
        type_into_text_field(text_field_pool, KEY_BACKSPACE << 8);
        EXPECT_EQ(current_map.*f.field, f.text);
    }
    close_map_properties(properties_dialog);

    build_map_properties(properties_dialog);
    for (auto &f : fields)
        EXPECT_EQ(text_field_pool.text[f.slot], f.text);
    close_map_properties(properties_dialog);

    // A new visit to the editor resets the map, and the fields follow it.
    reset_map(current_map);
    build_map_properties(properties_dialog);
    for (auto &f : fields)
        EXPECT_EQ(text_field_pool.text[f.slot], "");
}

// The name field holds one line of 222 pixels, the description six.
TEST_F(PropertiesDialog, FieldsHoldOneLineForNamesAndSixForTheDescription)
{
    build_map_properties(properties_dialog);
    const struct {
        int slot, lines;
    } fields[] = {{NAME, 1}, {AUTHOR, 1}, {DESCRIPTION, 6}};
    for (auto [slot, lines] : fields) {
        text_field_pool.focused = slot;
        for (int i = 0; i < 60; i++)
            type("word ");
        const std::string &text = text_field_pool.text[slot];
        EXPECT_EQ(text_height(2, text, 222, -1), 16 * lines) << slot;
        EXPECT_EQ(text_height(2, text + "word", 222, -1), 16 * (lines + 1)) << slot << ": the field is full";
    }
}

// A leaked backdrop would be 1.2 MB a visit.
TEST_F(PropertiesDialog, OpeningAndClosingAHundredTimesLeavesNothingBehind)
{
    build_map_properties(properties_dialog);
    close_map_properties(properties_dialog);
    size_t before = heap_in_use();
    for (int i = 0; i < 100; i++) {
        build_map_properties(properties_dialog);
        ASSERT_NE(properties_dialog.backdrop, nullptr);
        ASSERT_TRUE(button_pool[2].active);
        close_map_properties(properties_dialog);
        ASSERT_EQ(properties_dialog.backdrop, nullptr);
        for (const Button &b : button_pool)
            ASSERT_FALSE(b.active || b.image_up || b.image_down || b.image_hover);
        ASSERT_FALSE(panel_pool.active[0] || panel_pool.active[1]);
        ASSERT_FALSE(text_field_pool.active[NAME] || label_pool[9].active);
    }
    EXPECT_LT(heap_in_use(), before + 256 * 1024);
}

}  // namespace
