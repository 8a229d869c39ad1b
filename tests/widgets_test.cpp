// widgets_test.cpp -- labels, buttons, panels and text fields driven frame by frame
#include <gtest/gtest.h>

#include <allegro.h>
#include <string>
#include <vector>

#include "core/frame.h"
#include "core/startup.h"
#include "support.h"
#include "text/font.h"
#include "text/label.h"
#include "widgets/button.h"
#include "widgets/panel.h"
#include "widgets/text_field.h"

namespace {

// ---- labels ----

struct RevealCase {
    const char *name;
    int speed;
    std::string text;
    std::vector<int> shown;  // characters shown in the first frames
};

const RevealCase reveal_cases[] = {
    {"speed 0 shows all at once", 0, "Hello", {5, 5}},
    {"speed 1", 1, "Hello", {1, 2, 3, 4, 5, 5}},
    {"speed 3", 3, "abcdefghij", {3, 6, 9, 10, 10}},
    {"speed -2", -2, "abc", {1, 1, 1, 2, 2, 2, 3, 3}},
    {"empty text", 2, "", {0, 0}},
};

class LabelReveal : public ::testing::TestWithParam<RevealCase> {};

TEST_P(LabelReveal, ShowsTheExpectedCharactersFrameByFrame)
{
    const RevealCase &c = GetParam();
    create_label(0, 0, 0, c.text, 1, -1, 0, c.speed);
    std::vector<int> shown;
    for (size_t i = 0; i < c.shown.size(); i++) {
        reveal_label(label_pool[0]);
        shown.push_back(label_pool[0].shown);
    }
    EXPECT_EQ(shown, c.shown) << "speed " << c.speed;
    clear_labels();
}

INSTANTIATE_TEST_SUITE_P(Speeds, LabelReveal, ::testing::ValuesIn(reveal_cases),
                         case_name<RevealCase>);

TEST(Labels, ANewTextDuringARevealIsShownWhole)
{
    create_label(3, 0, 0, "abcdef", 1, -1, 0, -5);
    reveal_label(label_pool[3]);
    set_label_text(3, "xyz");
    reveal_label(label_pool[3]);
    EXPECT_EQ(label_pool[3].shown, 3);
    clear_labels();
}

class LabelDrawing : public ::testing::Test {
protected:
    ScratchBackBuffer buffer;
    void SetUp() override
    {
        int widths[256];
        for (int &w : widths)
            w = 5;
        make_synthetic_font(7, 8, 10, widths);
    }
    void TearDown() override { clear_labels(); }
};

TEST_F(LabelDrawing, AlignmentAndSlotOrderDecideWhatIsSeen)
{
    create_label(3, 100, 0, "aaaa", 7, -1, 0, 0);
    create_label(7, 100, 0, "bb", 7, -1, 0, 0);
    create_label(8, 100, 20, "cccc", 7, -1, 1, 0);
    create_label(9, 100, 40, "dddd", 7, -1, 2, 0);
    draw_labels();
    EXPECT_EQ(glyph_at(back_buffer, 100, 0), 'b') << "the higher slot is drawn over the lower";
    EXPECT_EQ(glyph_at(back_buffer, 115, 0), 'a');
    EXPECT_EQ(glyph_at(back_buffer, 90, 20), 'c') << "centred on x";
    EXPECT_EQ(glyph_at(back_buffer, 100, 40), -1) << "align 2 is not drawn";
    EXPECT_TRUE(label_pool[9].active);
}

TEST_F(LabelDrawing, AClearedSlotDrawsNothingUntilCreatedAgain)
{
    create_label(4, 0, 0, "old", 7, -1, 0, 0);
    clear_labels();
    draw_labels();
    EXPECT_EQ(glyph_at(back_buffer, 0, 0), -1);
    create_label(4, 0, 0, "new", 7, -1, 0, 0);
    draw_labels();
    EXPECT_EQ(glyph_at(back_buffer, 0, 0), 'n');
}

// ---- buttons ----

class Buttons : public ::testing::Test {
protected:
    ScratchDir dir;
    ScratchBackBuffer buffer;
    void SetUp() override
    {
        picture("big_01", 256, 32);
        picture("small", 16, 8);
        mouse_x = mouse_y = mouse_b = 0;
    }
    void TearDown() override
    {
        destroy_buttons();
        mouse_x = mouse_y = mouse_b = 0;
    }
    // Three pictures in three colours, so the drawn state can be told apart.
    void picture(const std::string &name, int w, int h)
    {
        const char *suffix[] = {"_u.png", "_d.png", "_h.png"};
        for (int i = 0; i < 3; i++) {
            BITMAP *b = create_bitmap(w, h);
            clear_to_color(b, makecol(10 + 100 * i, 20, 30));
            std::string path = "system/images/buttons/" + name + suffix[i];
            dir.write(path, "");
            ASSERT_EQ(save_bitmap(path.c_str(), b, NULL), 0);
            destroy_bitmap(b);
        }
    }
    void frame(int x, int y, bool down)
    {
        mouse_x = x;
        mouse_y = y;
        mouse_b = down ? 1 : 0;
        update_buttons();
    }
};

TEST_F(Buttons, TheHitAreaIncludesTheFarEdges)
{
    create_button(1, 352, 232, "big_01", 0);
    EXPECT_EQ(button_pool[1].width, 256);
    EXPECT_EQ(button_pool[1].height, 32);
    struct { int x, y; bool on; } points[] = {
        {352, 232, true}, {608, 264, true}, {609, 264, false}, {351, 232, false}, {400, 231, false}, {400, 265, false},
    };
    for (auto p : points) {
        frame(p.x, p.y, false);
        EXPECT_EQ(button_pool[1].hovered, p.on) << p.x << "," << p.y;
    }
}

TEST_F(Buttons, AMarginWidensTheHitArea)
{
    create_button(1, 100, 100, "small", 3);
    frame(97, 97, false);
    EXPECT_TRUE(button_pool[1].hovered);
    frame(120, 111, false);
    EXPECT_FALSE(button_pool[1].hovered);
}

struct MouseStep {
    int x, y;
    bool down;
};

struct ClickCase {
    const char *name;
    std::vector<MouseStep> steps;
    bool clicked;
};

const ClickCase click_cases[] = {
    {"press and release on the button", {{110, 105, true}, {110, 105, false}}, true},
    {"press on, move off, release", {{110, 105, true}, {200, 200, true}, {200, 200, false}}, false},
    {"press elsewhere, move on, release", {{200, 200, true}, {110, 105, true}, {110, 105, false}}, true},
    {"press on, release off", {{110, 105, true}, {200, 200, false}}, false},
    {"hover only", {{110, 105, false}, {110, 105, false}}, false},
    {"press and release between two frames", {{110, 105, false}, {110, 105, false}}, false},
};

class ButtonClicks : public Buttons, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ButtonClicks, AClickIsAReleaseOverAButtonSeenPressed)
{
    create_button(2, 100, 100, "small", 0);
    for (const MouseStep &s : GetParam().steps)
        frame(s.x, s.y, s.down);
    EXPECT_EQ(button_clicked(2), GetParam().clicked) << GetParam().name;
    EXPECT_FALSE(button_clicked(2)) << "a click is reported once";
}

INSTANTIATE_TEST_SUITE_P(Sequences, ButtonClicks, ::testing::ValuesIn(click_cases),
                         case_name<ClickCase>);

TEST_F(Buttons, TheLowerSlotTakesTheMouseAndTheHigherIsDrawnOnTop)
{
    create_button(5, 100, 100, "small", 0);
    create_button(4, 100, 100, "big_01", 0);
    frame(105, 105, false);
    EXPECT_TRUE(button_pool[4].hovered);
    EXPECT_FALSE(button_pool[5].hovered);
    draw_buttons();
    EXPECT_EQ(getpixel(back_buffer, 105, 105), makecol(10, 20, 30)) << "slot 5's normal picture on top";
    EXPECT_EQ(getpixel(back_buffer, 200, 105), makecol(210, 20, 30)) << "slot 4 hovered";
    frame(105, 105, true);
    draw_buttons();
    EXPECT_EQ(getpixel(back_buffer, 200, 105), makecol(110, 20, 30)) << "slot 4 pressed";
}

TEST_F(Buttons, DestroyingDropsAPendingClickAndRecreatingLoadsAfresh)
{
    create_button(2, 100, 100, "small", 0);
    frame(105, 105, true);
    frame(105, 105, false);
    destroy_button(2);
    EXPECT_FALSE(button_clicked(2));
    EXPECT_EQ(button_pool[2].image_up, nullptr);
    create_button(2, 100, 100, "small", 0);
    create_button(2, 100, 100, "big_01", 0);  // over an active slot: the old pictures are released
    EXPECT_EQ(button_pool[2].width, 256);
}

TEST_F(Buttons, AMissingPictureEndsTheProgramWithItsName)
{
    EXPECT_FATAL(create_button(0, 0, 0, "nothing", 0), 255, "system/images/buttons/nothing_u\\.png");
}

// ---- panels ----

TEST(Panels, DarkenOncePerPanelAndLeaveTheBlenderAt127)
{
    ScratchBackBuffer buffer;
    clear_to_color(back_buffer, makecol(200, 200, 200));
    create_panel(panel_pool, 0, "window", 10, 10, 20, 20);
    create_panel(panel_pool, 1, "default", 20, 20, 20, 20);
    draw_panels(panel_pool);
    int outside = getr(getpixel(back_buffer, 5, 5));
    int once = getr(getpixel(back_buffer, 12, 12));
    int twice = getr(getpixel(back_buffer, 25, 25));
    EXPECT_EQ(outside, 200);
    EXPECT_NEAR(once, 200 * 63 / 255, 2);
    EXPECT_NEAR(twice, once * 63 / 255, 2);
    EXPECT_EQ(getr(getpixel(back_buffer, 29, 12)), once) << "the right edge is x + width - 1";
    EXPECT_EQ(getr(getpixel(back_buffer, 30, 12)), 200);

    // The blender is back at 127: a translucent black fill halves the brightness.
    drawing_mode(DRAW_MODE_TRANS, NULL, 0, 0);
    putpixel(back_buffer, 5, 5, makecol(0, 0, 0));
    solid_mode();
    EXPECT_NEAR(getr(getpixel(back_buffer, 5, 5)), 100, 2);
    clear_panels(panel_pool);

    clear_to_color(back_buffer, makecol(200, 200, 200));
    set_trans_blender(0, 0, 0, 30);
    draw_panels(panel_pool);
    EXPECT_EQ(getr(getpixel(back_buffer, 12, 12)), 200) << "no panel, nothing drawn";
    drawing_mode(DRAW_MODE_TRANS, NULL, 0, 0);
    putpixel(back_buffer, 5, 5, makecol(0, 0, 0));
    solid_mode();
    EXPECT_NEAR(getr(getpixel(back_buffer, 5, 5)), 100, 2) << "blender reset also with no panel";
}

// ---- text fields ----

class TextFields : public ::testing::Test {
protected:
    ScratchBackBuffer buffer;
    std::string one_line, six_lines;
    void SetUp() override
    {
        int widths[256];
        for (int &w : widths)
            w = 10;
        widths[' '] = 5;
        make_synthetic_font(2, 16, 16, widths);
        clear_text_fields(text_field_pool);
        create_text_field(text_field_pool, 5, 2, one_line, 272, 128, 100, 16);
        create_text_field(text_field_pool, 7, 2, six_lines, 272, 168, 100, 96);
        mouse_b = 0;
    }
    void TearDown() override
    {
        clear_text_fields(text_field_pool);
        mouse_x = mouse_y = mouse_b = 0;
    }
    void click(int x, int y)
    {
        mouse_x = x;
        mouse_y = y;
        mouse_b = 1;
        focus_text_field_under_mouse(text_field_pool);
        mouse_b = 0;
    }
    void type(const std::string &keys)
    {
        for (unsigned char c : keys)
            type_into_text_field(text_field_pool, c);
    }
    void press(int scancode) { type_into_text_field(text_field_pool, scancode << 8); }
    const std::string &text(int slot) { return text_field_pool.text[slot]; }
};

TEST_F(TextFields, TypingGoesToTheFocusedFieldOnly)
{
    type("lost");
    EXPECT_EQ(text(5), "");
    click(272, 128);
    EXPECT_EQ(text_field_pool.focused, 5);
    type("ab");
    EXPECT_EQ(text(5), "ab");
    EXPECT_EQ(one_line, "ab") << "every change reaches the bound string";
    click(10, 10);
    EXPECT_EQ(text_field_pool.focused, 5) << "a click outside every field keeps the focus";
}

TEST_F(TextFields, AOneLineFieldRefusesWhatWouldWrap)
{
    click(300, 130);
    type("aaaa bbbbbbbbbb");  // 40 + 5 + 100 would need a second line at the second word's last letter
    EXPECT_EQ(text(5), "aaaa bbbbb");
    type("cccccccccccccc");
    EXPECT_EQ(text(5), "aaaa bbbbb") << "a word that stays on its line is not refused, a wrapping one is";
    std::string unbroken;
    clear_text_fields(text_field_pool);
    create_text_field(text_field_pool, 0, 2, unbroken, 0, 0, 50, 16);
    click(1, 1);
    type("xxxxxxxxxxxxxxxxxxxx");
    EXPECT_EQ(text(0).size(), 20u) << "a text without spaces is never refused";
}

TEST_F(TextFields, TheSlashNEscapeNeedsASecondLine)
{
    click(300, 130);
    type("a/n");
    EXPECT_EQ(text(5), "a/");
    click(300, 170);
    type("a/n b");
    EXPECT_EQ(text(7), "a/n b");
}

TEST_F(TextFields, ASixLineFieldTakesSixLines)
{
    click(300, 170);
    for (int i = 0; i < 10; i++)
        type("aaaaaaaaa ");
    EXPECT_EQ(text_height(2, text(7), 100, -1), 96);
    std::string six_words;
    for (int i = 0; i < 6; i++)
        six_words += "aaaaaaaaa ";
    EXPECT_EQ(text(7), six_words + " ") << "spaces are taken while they fit on the sixth line";
}

TEST_F(TextFields, IgnoredKeysBackspaceAndLeaving)
{
    click(300, 130);
    type("ab\t\xe9\x7f");
    EXPECT_EQ(text(5), "ab") << "Tab, DEL and codes above 127 are ignored";
    press(KEY_BACKSPACE);
    EXPECT_EQ(text(5), "a");
    press(KEY_BACKSPACE);
    press(KEY_BACKSPACE);
    EXPECT_EQ(text(5), "");
    EXPECT_EQ(one_line, "");
    press(KEY_ENTER_PAD);
    EXPECT_EQ(text_field_pool.focused, 5) << "the keypad's Enter does not leave";
    press(KEY_ENTER);
    EXPECT_EQ(text_field_pool.focused, -1);
    click(300, 130);
    press(KEY_ESC);
    EXPECT_EQ(text_field_pool.focused, -1);
}

TEST_F(TextFields, DraggingMovesTheFocusAndTheHighestSlotWins)
{
    mouse_b = 1;
    mouse_x = 300, mouse_y = 130;
    focus_text_field_under_mouse(text_field_pool);
    EXPECT_EQ(text_field_pool.focused, 5);
    mouse_y = 200;
    focus_text_field_under_mouse(text_field_pool);
    EXPECT_EQ(text_field_pool.focused, 7);
    std::string s;
    create_text_field(text_field_pool, 9, 2, s, 272, 128, 10, 10);
    mouse_x = 275, mouse_y = 130;
    focus_text_field_under_mouse(text_field_pool);
    EXPECT_EQ(text_field_pool.focused, 9);
}

TEST_F(TextFields, ARecreatedFieldShowsItsBoundStringAndBadSlotsAreRefused)
{
    click(300, 130);
    type("name");
    clear_text_fields(text_field_pool);
    create_text_field(text_field_pool, 5, 2, one_line, 272, 128, 100, 16);
    EXPECT_EQ(text(5), "name");
    std::string fresh;
    create_text_field(text_field_pool, 5, 2, fresh, 272, 128, 100, 16);
    EXPECT_EQ(text(5), "") << "a field shows the string it is bound to";
    EXPECT_EQ(create_text_field(text_field_pool, 50, 2, fresh, 0, 0, 1, 1), -1);
}

TEST_F(TextFields, TheOutlineAndCaretShowTheFocus)
{
    click(300, 130);
    type("a");
    draw_text_fields(text_field_pool);
    EXPECT_EQ(getpixel(back_buffer, 270, 126), makecol(255, 255, 0)) << "focused outline is yellow";
    EXPECT_EQ(getpixel(back_buffer, 373, 144), makecol(255, 255, 0)) << "to x + width + 1, y + height";
    EXPECT_EQ(getpixel(back_buffer, 270, 166), makecol(255, 255, 255));
    EXPECT_EQ(glyph_at(back_buffer, 282, 128), '|') << "the caret follows the text";
}

}  // namespace
