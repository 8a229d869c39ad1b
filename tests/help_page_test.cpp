// help_page_test.cpp -- help page layout checked by where ink lands in the page image
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "core/settings.h"
#include "core/startup.h"
#include "screens/help_page.h"
#include "support.h"
#include "text/font.h"

namespace {

// Synthetic sheets: every glyph but the space is a solid block as wide as its advance,
// in a colour of its own per font, so each inked rectangle tells which font drew what.
struct SyntheticFont {
    int font;
    int cell_width;
    int cell_height;
    int advance;
    int red, green, blue;
};

const SyntheticFont synthetic_fonts[] = {
    {1, 8, 8, 5, 255, 0, 0},
    {2, 16, 16, 10, 0, 255, 0},
    {3, 12, 12, 6, 255, 255, 0},
};

const int WHITE = 0;  // the heading rule, in place of a font number

int ink_colour(int font)
{
    for (const SyntheticFont &f : synthetic_fonts)
        if (f.font == font)
            return makecol(f.red, f.green, f.blue);
    return makecol(255, 255, 255);
}

BITMAP *make_sheet(const SyntheticFont &f)
{
    BITMAP *sheet = create_bitmap(17 * f.cell_width, 17 * (f.cell_height + 1));
    clear_to_color(sheet, makecol(255, 0, 255));
    for (int g = 0; g < 256; g++) {
        int x = f.cell_width * (g % 16 + 1);
        int y = (f.cell_height + 1) * (g / 16 + 1);
        putpixel(sheet, x + f.advance, y - 1, makecol(0, 0, 255));
        if (g != ' ')
            rectfill(sheet, x, y, x + f.advance - 1, y + f.cell_height - 1, ink_colour(f.font));
    }
    return sheet;
}

// Puts the synthetic sheets (or the shipped ones) in font slots 1 to 3 for one test.
class HelpPageTest : public ::testing::Test {
protected:
    FontSheet saved_fonts[4];
    bool saved_debug;
    HelpView view{};
    ScratchBackBuffer back;

    void SetUp() override
    {
        for (int font = 1; font <= 3; font++) {
            saved_fonts[font] = font_sheets[font];
            font_sheets[font].sheet = NULL;
        }
        saved_debug = debug_mode;
        debug_mode = false;
        init_help_page(view, 0, 160, 64, 416, 384, 10);
    }

    void TearDown() override
    {
        destroy_bitmap(view.page[0]);
        for (int font = 1; font <= 3; font++) {
            if (font_sheets[font].sheet)
                destroy_bitmap(font_sheets[font].sheet);
            font_sheets[font] = saved_fonts[font];
        }
        debug_mode = saved_debug;
    }

    void load_synthetic_fonts()
    {
        for (const SyntheticFont &f : synthetic_fonts) {
            font_sheets[f.font].sheet = make_sheet(f);
            font_sheets[f.font].cell_width = f.cell_width;
            font_sheets[f.font].cell_height = f.cell_height;
            measure_glyph_widths(font_sheets[f.font]);
        }
    }

    int lay_out(const std::string &markup)
    {
        FILE *file = fmemopen(const_cast<char *>(markup.data()), markup.size(), "r");
        int y = lay_out_help_page(view, 0, file);
        fclose(file);
        return y;
    }

    int ink_count(int from_y) const
    {
        BITMAP *page = view.page[0];
        int mask = makecol(255, 0, 255);
        int count = 0;
        for (int y = from_y; y < page->h; y++)
            for (int x = 0; x < page->w; x++)
                count += getpixel(page, x, y) != mask;
        return count;
    }
};

struct Ink {
    int font;  // WHITE for the heading rule
    int x, y, w, h;
};

struct LayoutCase {
    const char *name;
    std::string markup;
    std::vector<Ink> ink;  // exactly these rectangles are inked, nothing else
    int end_y;
    const char *title;
};

const std::string long_word(66, 'a');  // 66 glyphs of 6 pixels fill the 396-pixel column exactly

const LayoutCase layout_cases[] = {
    {"h1 with its line", "<h1>ab</h1><p>c</p>",
     {{2, 198, 10, 20, 16}, {WHITE, 10, 26, 397, 1}, {3, 10, 42, 6, 12}}, 66, ""},
    {"two paragraphs", "<p>ab</p>\n<p>cd</p>\n", {{3, 10, 10, 12, 12}, {3, 10, 34, 12, 12}}, 58, ""},
    {"br in a paragraph", "<p>ab<br>cd</p>", {{2, 10, 10, 20, 16}, {3, 10, 26, 12, 12}}, 50, ""},
    {"capitals are other tags", "<TITLE>x</TITLE><p>ab</P>cd</p>", {{3, 10, 10, 24, 12}}, 34, ""},
    {"title stored, nothing drawn", "<title>Map tiles</title>", {}, 10, "Map tiles"},
    {"h6 advances by the 16-pixel line", "<h6>ab</h6><p>c</p>", {{1, 203, 10, 10, 8}, {3, 10, 34, 6, 12}}, 58, ""},
    {"empty elements still advance", "<p></p><br><h2></h2><h1></h1><p>a<>b</p>",
     {{WHITE, 10, 98, 397, 1}, {3, 10, 114, 12, 12}}, 138, ""},
    {"tag with a space, stray >", "<p class=x>a>b</p junk>", {{3, 10, 10, 18, 12}}, 34, ""},
    {"end of file inside a tag", "<p>ab</p><br", {{3, 10, 10, 12, 12}}, 34, ""},
    {"end of file after a name and space", "<p>ab</p><br x", {{3, 10, 10, 12, 12}}, 34, ""},
    {"unclosed content is never drawn", "<p>ab</p", {}, 10, ""},
    {"line end drawn as a glyph, no break", "<p>a\nb</p>", {{3, 10, 10, 18, 12}}, 34, ""},
    {"text outside elements dropped", "ab<p>cd</p>ef<h2>gh</h2>", {{3, 10, 10, 12, 12}, {2, 198, 34, 20, 16}}, 66, ""},
    {"closing tag takes all since the last", "<p>ab<h2>cd</h2>ef</p>", {{2, 188, 10, 40, 16}}, 66, ""},
    {"wrapped paragraph moves the next block", "<p>" + long_word + " b</p><p>c</p>",
     {{3, 10, 10, 396, 12}, {3, 10, 22, 6, 12}, {3, 10, 46, 6, 12}}, 70, ""},
};

TEST_F(HelpPageTest, InkLandsWhereTheMarkupSays)
{
    load_synthetic_fonts();
    for (const LayoutCase &c : layout_cases) {
        SCOPED_TRACE(c.name);
        view.title[0].clear();
        EXPECT_EQ(lay_out(c.markup), c.end_y);
        EXPECT_EQ(view.title[0], c.title);
        int area = 0;
        for (const Ink &ink : c.ink) {
            int colour = ink_colour(ink.font);
            int wrong = 0;
            for (int y = ink.y; y < ink.y + ink.h; y++)
                for (int x = ink.x; x < ink.x + ink.w; x++)
                    wrong += getpixel(view.page[0], x, y) != colour;
            EXPECT_EQ(wrong, 0) << "rectangle at " << ink.x << "," << ink.y;
            area += ink.w * ink.h;
        }
        EXPECT_EQ(ink_count(0), area) << "ink outside the expected rectangles";
        EXPECT_EQ(text_target, back_buffer);
    }
}

TEST_F(HelpPageTest, RenderReadsTheTopicAndRedrawsThePage)
{
    load_synthetic_fonts();
    ScratchDir dir;
    dir.write("manual/first.txt", "<title>First</title><p>ab</p>");
    dir.write("manual/second.txt", "<h2>c</h2>");
    view.base_path = "manual/";
    EXPECT_EQ(view.page[0]->w, 416);
    EXPECT_EQ(view.page[0]->h, HELP_PAGE_HEIGHT);

    render_help_page(view, 0, "first");
    EXPECT_EQ(getpixel(view.page[0], 10, 10), ink_colour(3));
    render_help_page(view, 0, "second");
    EXPECT_EQ(view.title[0], "First") << "a page without a title keeps the one before";
    EXPECT_EQ(getpixel(view.page[0], 203, 10), ink_colour(2));
    EXPECT_EQ(ink_count(0), 10 * 16) << "the first page's ink is gone";

    debug_mode = true;
    render_help_page(view, 0, "second");
    EXPECT_EQ(getpixel(view.page[0], 0, HELP_PAGE_HEIGHT - 1), makecol(0, 0, 0));
    debug_mode = false;
    render_help_page(view, 0, "second");
    EXPECT_EQ(getpixel(view.page[0], 0, HELP_PAGE_HEIGHT - 1), makecol(255, 0, 255));
}

TEST_F(HelpPageTest, MissingPageEndsTheProgram)
{
    ScratchDir dir;
    dir.write("manual/folder.txt/inside.txt", "");
    view.base_path = "manual/";
    const char *message = "Cannot find the requested file for the help guide, or it may be corrupt\\.";
    for (const char *topic : {"nowhere", "folder"}) {
        SCOPED_TRACE(topic);
        EXPECT_FATAL(render_help_page(view, 0, topic), 255, message);
    }
}

// The browser shows only the top 384 rows of a page: every shipped page must fit in them.
TEST_F(HelpPageTest, ShippedPagesFitTheBrowser)
{
    const struct { int font; const char *path; int cell; } sheets[] = {
        {1, "system/images/fonts/standard.bmp", 8},
        {2, "system/images/fonts/lat16w.bmp", 16},
        {3, "system/images/fonts/lat12w.bmp", 12},
    };
    for (const auto &s : sheets) {
        ASSERT_TRUE(exists(s.path)) << s.path;
        load_font_sheet(s.font, s.path, s.cell, s.cell);
    }
    const char *dump = getenv("QB_HELP_DUMP");  // a folder: each page is saved there as a PNG to look at
    for (const char *code : {"EN", "DU", "SW", "SP", "XX"})
        for (const char *topic : {"index", "vave_rodiz", "about"}) {
            SCOPED_TRACE(std::string(code) + "/" + topic);
            view.base_path = std::string("system/text/") + code + "/manual/";
            view.title[0].clear();
            std::string path = view.base_path + topic + ".txt";
            FILE *file = fopen(path.c_str(), "rt");
            ASSERT_TRUE(file) << path;
            int end_y = lay_out_help_page(view, 0, file);
            fclose(file);
            EXPECT_FALSE(view.title[0].empty()) << "the browser's title bar names the page";
            EXPECT_EQ(ink_count(384), 0) << "ink below the shown part; the last block ends at " << end_y;
            EXPECT_GT(ink_count(0), 0);
            if (dump) {
                debug_mode = true;
                render_help_page(view, 0, topic);
                debug_mode = false;
                BITMAP *shot = create_bitmap(416, 420);
                blit(view.page[0], shot, 0, 0, 0, 0, 416, 420);
                hline(shot, 0, 384, 415, makecol(255, 0, 0));
                save_bitmap((std::string(dump) + "/" + code + "_" + topic + ".png").c_str(), shot, NULL);
                destroy_bitmap(shot);
            }
        }
}

}  // namespace
