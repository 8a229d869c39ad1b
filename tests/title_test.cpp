// title_test.cpp -- the title menu's layout, its text tables and its fatal conditions
#include <gtest/gtest.h>

#include <algorithm>
#include <allegro.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include "core/frame.h"
#include "core/settings.h"
#include "screens/title.h"
#include "support.h"
#include "text/font.h"
#include "text/label.h"
#include "text/text_table.h"
#include "widgets/button.h"
#include "widgets/panel.h"

namespace {

// A flat picture in a colour of its own, saved where create_button looks for it.
void write_picture(const std::string &path, int width, int height, int colour)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    BITMAP *bitmap = create_bitmap_ex(24, width, height);
    clear_to_color(bitmap, colour);
    ASSERT_EQ(save_bitmap(path.c_str(), bitmap, NULL), 0) << path;
    destroy_bitmap(bitmap);
}

void write_button_pictures(const std::string &name, int width, int height, int colour)
{
    for (const char *suffix : {"_u.png", "_d.png", "_h.png"})
        write_picture("system/images/buttons/" + name + suffix, width, height, colour);
}

std::string title_file(const std::string &welcome)
{
    return "# captions for the layout tests\n"
           "[welcome]" + welcome + "^\n"
           "[campaign]Cam^ [multi]Mul^ [tutorial]Tut^ [editor]Edi^\n"
           "[options]Opt^ [help]Hlp^ [quit]Qui^ [ver]Versie^\n";
}

// Every glyph 8 pixels wide in 12-pixel cells: 34 characters fill the 272-pixel wrap exactly.
struct TitleLayout : ::testing::Test {
    ScratchDir dir;
    std::string saved_language = language;
    FontSheet saved_font = font_sheets[3];

    void SetUp() override
    {
        language = "XX";
        font_sheets[3].sheet = NULL;
        font_sheets[3].cell_width = 12;
        font_sheets[3].cell_height = 12;
        for (int &width : font_sheets[3].glyph_widths)
            width = 8;
        write_button_pictures("big_01", 256, 32, makecol24(90, 60, 30));
        reset_screen_widgets();
    }
    void TearDown() override
    {
        reset_screen_widgets();
        font_sheets[3] = saved_font;
        language = saved_language;
    }
};

struct WelcomeCase {
    const char *what;
    std::string text;
    int lines;
};

TEST_F(TitleLayout, WelcomePanelGrowsUpwardsAndEndsAt447)
{
    const WelcomeCase cases[] = {
        {"one short line", "Welcome.", 1},
        {"a word that just fits the 272 pixels", std::string(32, 'a') + " b", 1},
        {"one pixel beyond 272 wraps", std::string(33, 'a') + " b", 2},
        {"line-break escapes", "One/n two/n three", 3},
        {"three words too wide to share a line", std::string(30, 'a') + " " + std::string(30, 'b') + " " +
                                                     std::string(30, 'c'), 3},
    };
    for (const WelcomeCase &c : cases) {
        SCOPED_TRACE(c.what);
        dir.write("system/text/XX/title.txt", title_file(c.text));
        reset_screen_widgets();
        build_title_menu();

        int height = 12 * c.lines;
        EXPECT_TRUE(panel_pool.active[0]);
        EXPECT_EQ(panel_pool.x[0], 32);
        EXPECT_EQ(panel_pool.y[0], 432 - height);
        EXPECT_EQ(panel_pool.width[0], 288);
        EXPECT_EQ(panel_pool.y[0] + panel_pool.height[0] - 1, 447);

        const TextLabel &welcome = label_pool[15];
        EXPECT_TRUE(welcome.active);
        EXPECT_EQ(welcome.x, 40);
        EXPECT_EQ(welcome.y, 440 - height);
        EXPECT_EQ(welcome.text, c.text);
        EXPECT_EQ(welcome.font, 3);
        EXPECT_EQ(welcome.wrap_width, 272);
        EXPECT_EQ(welcome.align, 0);
        EXPECT_EQ(welcome.shown, int(c.text.size()));
    }
}

TEST_F(TitleLayout, SevenCaptionedButtonsAndTheVersionLine)
{
    dir.write("system/text/XX/title.txt", title_file("Hello."));
    // Whatever screen ran before left its own table behind; the menu must read its own.
    clear_text_table(screen_text);
    add_text_entry(screen_text, "quit", "Left over");
    build_title_menu();

    struct Expected {
        int slot;
        int y;
        const char *caption;
    };
    const Expected column[] = {{1, 232, "Cam"}, {2, 264, "Mul"}, {3, 296, "Tut"}, {4, 328, "Edi"},
                               {5, 360, "Opt"}, {6, 392, "Hlp"}, {0, 424, "Qui"}};
    for (const Expected &e : column) {
        SCOPED_TRACE(e.caption);
        const Button &button = button_pool[e.slot];
        EXPECT_TRUE(button.active);
        EXPECT_EQ(button.x, 352);
        EXPECT_EQ(button.y, e.y);
        EXPECT_EQ(button.width, 256);
        EXPECT_EQ(button.height, 32);
        EXPECT_EQ(button.margin_x, 0);
        EXPECT_EQ(button.margin_y, 0);
        EXPECT_NE(button.image_hover, nullptr);
        EXPECT_NE(button.image_down, nullptr);

        const TextLabel &caption = label_pool[e.slot];
        EXPECT_TRUE(caption.active);
        EXPECT_EQ(caption.text, e.caption);
        EXPECT_EQ(caption.x, 480);
        EXPECT_EQ(caption.y, e.y + 5);
        EXPECT_EQ(caption.font, 2);
        EXPECT_EQ(caption.align, 1);
        EXPECT_LE(caption.wrap_width, 0);
    }

    const TextLabel &version = label_pool[16];
    EXPECT_TRUE(version.active);
    EXPECT_EQ(version.text, "Versie 0.3.1");
    EXPECT_EQ(version.x, 32);
    EXPECT_EQ(version.y, 460);
    EXPECT_EQ(version.font, 1);
    EXPECT_EQ(version.align, 0);

    // Nothing outside the menu's own slots.
    for (int slot = 7; slot < BUTTON_SLOTS; ++slot)
        EXPECT_FALSE(button_pool[slot].active) << "button " << slot;
    for (int slot = 7; slot < LABEL_SLOTS; ++slot) {
        if (slot != 15 && slot != 16) {
            EXPECT_FALSE(label_pool[slot].active) << "label " << slot;
        }
    }
    for (int slot = 1; slot < PANEL_SLOTS; ++slot)
        EXPECT_FALSE(panel_pool.active[slot]) << "panel " << slot;
}

TEST_F(TitleLayout, MissingTitleTextEndsWithItsMessage)
{
    EXPECT_FATAL(build_title_menu(), 255,
                 "Cannot find the system/text/XX/title\\.txt file\\.  Check and make sure that it is present\\.");
}

TEST_F(TitleLayout, MissingOrBrokenBackgroundEndsNamingTheFile)
{
    dir.write("system/text/XX/title.txt", title_file("Hello."));
    ASSERT_EQ(title_background, nullptr);
    EXPECT_FATAL(run_title_menu(), 255, "system/images/bg/title_01\\.jpg");
    dir.write("system/images/bg/title_01.jpg", "not a picture at all");
    EXPECT_FATAL(run_title_menu(), 255, "system/images/bg/title_01\\.jpg");
}

// The shipped tables, measured with the shipped fonts.
struct ShippedTitleTexts : ::testing::Test {
    std::string saved_language = language;
    FontSheet saved_fonts[FONT_SLOTS];

    void SetUp() override
    {
        std::copy(std::begin(font_sheets), std::end(font_sheets), saved_fonts);
        load_font_sheet(2, "system/images/fonts/lat16w.bmp", 16, 16);
        load_font_sheet(3, "system/images/fonts/lat12w.bmp", 12, 12);
    }
    void TearDown() override
    {
        for (int font : {2, 3})
            if (font_sheets[font].sheet)
                destroy_bitmap(font_sheets[font].sheet);
        std::copy(std::begin(saved_fonts), std::end(saved_fonts), font_sheets);
        language = saved_language;
    }
};

TEST_F(ShippedTitleTexts, EveryLanguageHasEveryCaptionAndItFits)
{
    ASSERT_NE(font_sheets[2].sheet, nullptr);
    ASSERT_NE(font_sheets[3].sheet, nullptr);
    // Captions are centred on 256-pixel buttons and should keep clear of their rims.
    const char *captions[] = {"campaign", "multi", "tutorial", "editor", "options", "help", "quit"};
    for (const char *code : {"EN", "DU", "SW", "SP", "XX"}) {
        SCOPED_TRACE(code);
        std::string path = std::string("system/text/") + code + "/title.txt";
        std::ifstream in(path, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_FALSE(bytes.empty()) << path;
        // A UTF-8 accent would read as two Latin-1 glyphs, the first an A with a tilde.
        EXPECT_EQ(bytes.find('\xC3'), std::string::npos) << path << " looks like UTF-8";

        language = code;
        load_text_table(screen_text, "title");
        std::string welcome = get_text(screen_text, "welcome");
        int lines = text_height(3, welcome, 272, -1) / 12;
        EXPECT_GE(lines, 2) << welcome;
        EXPECT_LE(lines, 4) << welcome;
        for (const char *key : captions) {
            std::string caption = get_text(screen_text, key);
            EXPECT_FALSE(caption.empty()) << key;
            EXPECT_LE(text_width(2, caption), 220) << key << ": " << caption;
        }
        EXPECT_FALSE(get_text(screen_text, "ver").empty());
    }
}

}  // namespace
