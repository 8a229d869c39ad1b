// font_test.cpp -- glyph widths, wrapping, escapes and centring, checked by where glyphs land
#include <gtest/gtest.h>

#include <string>

#include "core/startup.h"
#include "support.h"
#include "text/font.h"

namespace {

const int F = 9;  // a slot no real font uses
const int W = 8, H = 10;

// Every glyph 5 wide, the space 4; a few special widths.
struct SyntheticFont : public ::testing::Test {
    ScratchBackBuffer buffer;
    int widths[256];
    void SetUp() override
    {
        for (int &w : widths)
            w = 5;
        widths[' '] = 4;
        widths['0'] = 0;
        widths['W'] = W;  // no marker: full cell
        widths['i'] = 2;
        make_synthetic_font(F, W, H, widths);
        clear_bitmap(back_buffer);
    }
    int at(int x, int y) { return glyph_at(back_buffer, x, y); }
    // The glyphs whose cells start at the pen positions of one line.
    std::string line_at(int x, int y, int count)
    {
        std::string s;
        for (int i = 0; i < count; i++, x += 5)
            s += (char)at(x, y);
        return s;
    }
};

TEST_F(SyntheticFont, WidthsComeFromTheBlueMarkers)
{
    EXPECT_EQ(font_sheets[F].glyph_widths['0'], 0);
    EXPECT_EQ(font_sheets[F].glyph_widths['i'], 2);
    EXPECT_EQ(font_sheets[F].glyph_widths['W'], W);
    EXPECT_EQ(text_width(F, "iW0 "), 2 + W + 0 + 4);
    EXPECT_EQ(text_width(F, "/n"), 10) << "no escapes when measuring a width";
}

TEST_F(SyntheticFont, AZeroWidthGlyphIsDrawnButDoesNotMoveThePen)
{
    draw_text(F, 20, 30, "0", 0, -1);
    EXPECT_EQ(at(20, 30), '0');
    draw_text(F, 20, 50, "0a", 0, -1);
    EXPECT_EQ(at(20, 50), 'a');
}

TEST_F(SyntheticFont, PinkAndMagentaAreLeftOutWhenLoadedFromAFile)
{
    ScratchDir dir;
    BITMAP *sheet = create_bitmap(17 * W, 17 * H + 16);
    blit(font_sheets[F].sheet, sheet, 0, 0, 0, 0, sheet->w, sheet->h);
    int ax = W * ('A' % 16 + 1), ay = (H + 1) * ('A' / 16 + 1);
    putpixel(sheet, ax + 1, ay + 1, makecol(255, 128, 255));
    putpixel(sheet, ax + 2, ay + 1, makecol(255, 0, 255));
    putpixel(sheet, ax + 3, ay + 1, makecol(255, 129, 255));
    ASSERT_EQ(save_bitmap("sheet.bmp", sheet, NULL), 0);
    destroy_bitmap(sheet);
    load_font_sheet(8, "sheet.bmp", W, H);
    EXPECT_EQ(font_sheets[8].glyph_widths['A'], 5);
    clear_to_color(back_buffer, makecol(1, 2, 3));
    int background = makecol(1, 2, 3);
    draw_text(8, 0, 0, "A", 0, -1);
    EXPECT_EQ(getpixel(back_buffer, 1, 1), background) << "pink is transparent";
    EXPECT_EQ(getpixel(back_buffer, 2, 1), background) << "magenta is transparent";
    EXPECT_EQ(getpixel(back_buffer, 3, 1), makecol(255, 129, 255)) << "only exact pink is replaced";
    EXPECT_EQ(getpixel(back_buffer, 0, 0), glyph_colour('A'));
}

TEST_F(SyntheticFont, TheEscapeStartsANewLineAndIsNotDrawn)
{
    draw_text(F, 10, 20, "Hello /n world", 0, -1);
    EXPECT_EQ(line_at(10, 20, 5), "Hello");
    EXPECT_EQ(at(35, 20), ' ');
    EXPECT_EQ(at(43, 20), -1) << "nothing after the space on the first line";
    EXPECT_EQ(line_at(10, 20 + H, 5), "world");
}

TEST_F(SyntheticFont, EscapeCases)
{
    draw_text(F, 0, 0, "a/b", 0, -1);
    EXPECT_EQ(line_at(0, 0, 3), "a/b") << "a slash without n is drawn";
    clear_bitmap(back_buffer);
    draw_text(F, 0, 0, "/nXYZ", 0, -1);
    EXPECT_EQ(at(0, 0), -1);
    EXPECT_EQ(line_at(0, H, 2), "YZ") << "the X is the escape's third character";
    clear_bitmap(back_buffer);
    draw_text(F, 0, 0, "ab/n", 0, -1);
    draw_text(F, 0, 50, "ab/nX", 0, -1);
    EXPECT_EQ(line_at(0, 0, 2), "ab");
    EXPECT_EQ(at(0, H), -1);
    EXPECT_EQ(at(0, 50 + H), -1);
    EXPECT_EQ(text_height(F, "ab/n", 0, -1), 2 * H);
}

TEST_F(SyntheticFont, HighCodesUseTheirOwnGlyphAlsoAtTheStartOfALine)
{
    draw_text(F, 0, 0, "\xe9/n \xe9 \xe9", 8, -1);
    EXPECT_EQ(at(0, 0), 233);
    EXPECT_EQ(at(0, H), 233) << "after an escape";
    EXPECT_EQ(at(0, 2 * H), 233) << "after a wrap";
}

TEST_F(SyntheticFont, WrapBreaksBeforeTheFirstWordThatWouldPassTheMargin)
{
    // "aaa bb" = 15 + 4 + 10 = 29: fits 29, not 28.
    EXPECT_EQ(text_height(F, "aaa bb", 29, -1), H);
    EXPECT_EQ(text_height(F, "aaa bb", 28, -1), 2 * H);
    draw_text(F, 100, 0, "aaa   bb c", 28, -1);
    EXPECT_EQ(line_at(100, 0, 3), "aaa");
    EXPECT_EQ(at(100, H), 'b') << "the spaces at the break are skipped";
    EXPECT_EQ(at(110, H), ' ');
    EXPECT_EQ(at(114, H), 'c');
}

TEST_F(SyntheticFont, AWordWiderThanTheWrapStaysWhole)
{
    draw_text(F, 0, 0, "aaaaaaaaaa b", 20, -1);
    EXPECT_EQ(at(45, 0), 'a');
    EXPECT_EQ(at(0, H), 'b');
    EXPECT_EQ(text_height(F, "aaaaaaaaaa", 20, -1), H) << "the first word is never moved";
}

TEST_F(SyntheticFont, APartlyShownTextBreaksWhereTheWholeTextDoes)
{
    draw_text(F, 0, 0, "aaa bbbb", 20, 5);
    EXPECT_EQ(at(0, H), 'b');
    EXPECT_EQ(at(8, H), -1);
    EXPECT_EQ(text_height(F, "aaa bbbb", 20, 5), 2 * H);
}

TEST_F(SyntheticFont, CountLimitsWhatIsDrawn)
{
    draw_text(F, 0, 0, "abc", 0, 0);
    EXPECT_EQ(at(0, 0), -1);
    draw_text(F, 0, 0, "abc", 0, -1);
    EXPECT_EQ(line_at(0, 0, 3), "abc");
    clear_bitmap(back_buffer);
    draw_text(F, 0, 0, "abcdef", 0, 2);
    EXPECT_EQ(at(13, 0), -1);
}

TEST_F(SyntheticFont, HeightOfAnEmptyTextOrASpaceIsOneLine)
{
    EXPECT_EQ(text_height(F, "", 0, -1), H);
    EXPECT_EQ(text_height(F, " ", 100, -1), H);
    EXPECT_EQ(text_height(F, "a/n b/n c", 0, -1), 3 * H);
}

TEST_F(SyntheticFont, CentredWithoutWrapKeepsThePlaceOfTheWholeText)
{
    draw_text_centred(F, 100, 0, "ABCDEF", -1, 3);
    EXPECT_EQ(at(85, 0), 'A') << "100 - 30 / 2";
    EXPECT_EQ(at(95, 0), 'C');
    EXPECT_EQ(at(103, 0), -1);
}

TEST_F(SyntheticFont, CentredWithWrapCentresEachLineByItsOwnWidth)
{
    // Lines "aa bb" (24 wide) and "ccc d" (24): centre 100.
    draw_text_centred(F, 100, 0, "aa bb ccc d", 25, -1);
    EXPECT_EQ(at(88, 0), 'a');
    EXPECT_EQ(at(110, 0), 'b');
    EXPECT_EQ(at(88, H), 'c') << "leading spaces of the word that begins a line are dropped";
    EXPECT_EQ(at(108, H), 'd');
}

TEST_F(SyntheticFont, CentredWrapAlwaysKeepsTheLastWordOnTheLine)
{
    draw_text_centred(F, 100, 0, "aa bb ccc", 25, -1);
    EXPECT_EQ(at(79, 0), 'a') << "one line 43 wide";
    EXPECT_EQ(at(79, H), -1);
}

TEST_F(SyntheticFont, CentredWithAWordWiderThanTheWrapGivesItALineAndEnds)
{
    draw_text_centred(F, 100, 0, "a bbbbbbbbbb c", 20, -1);
    EXPECT_EQ(at(98, 0), 'a');
    EXPECT_EQ(at(75, H), 'b');
    EXPECT_EQ(at(100, 2 * H), 'c') << "the last word keeps its leading space when centred";
    draw_text_centred(F, 100, 100, "bbbbbbbbbb", 20, 0);
    EXPECT_EQ(at(75, 100), -1) << "count 0 draws nothing";
}

}  // namespace
