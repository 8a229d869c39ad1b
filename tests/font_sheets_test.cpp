// font_sheets_test.cpp -- the shipped glyph sheets hold every printable Latin-1 glyph, cleanly masked
#include <gtest/gtest.h>

#include <ostream>

#include "text/font.h"

namespace {

const int SLOT = 9;  // a slot the program never loads, so the real fonts stay as other tests left them

struct SheetCase {
    const char *path;
    int cell_width;
    int cell_height;
};

std::ostream &operator<<(std::ostream &out, const SheetCase &c)
{
    return out << c.path;
}

const SheetCase SHEETS[] = {
    {"system/images/fonts/standard.bmp", 8, 8},
    {"system/images/fonts/lat16w.bmp", 16, 16},
    {"system/images/fonts/lat12w.bmp", 12, 12},
};

bool printable(int g)
{
    return (g >= 32 && g <= 126) || g >= 160;
}

bool blank(int g)
{
    return g == 32 || g == 160;  // space and no-break space
}

// Loads one shipped sheet into the spare slot and puts the slot back afterwards.
class ShippedSheet : public ::testing::TestWithParam<SheetCase> {
protected:
    FontSheet saved;
    FontSheet *font = nullptr;
    void SetUp() override
    {
        saved = font_sheets[SLOT];
        font_sheets[SLOT].sheet = NULL;
        const SheetCase &c = GetParam();
        ASSERT_TRUE(exists(c.path)) << "made by tools/make_fonts.py";
        load_font_sheet(SLOT, c.path, c.cell_width, c.cell_height);
        font = &font_sheets[SLOT];
    }
    void TearDown() override
    {
        if (font_sheets[SLOT].sheet)
            destroy_bitmap(font_sheets[SLOT].sheet);
        font_sheets[SLOT] = saved;
    }
    int cell_left(int g) const { return font->cell_width * (g % 16 + 1); }
    int cell_top(int g) const { return (font->cell_height + 1) * (g / 16 + 1); }
    bool masked(int colour) const { return colour == makecol(255, 0, 255); }
    // Ink columns of glyph g: the leftmost and rightmost column holding a non-mask pixel, or -1.
    void ink_columns(int g, int &first, int &last) const
    {
        first = last = -1;
        for (int j = 0; j < font->cell_height; j++)
            for (int i = 0; i < font->cell_width; i++)
                if (!masked(getpixel(font->sheet, cell_left(g) + i, cell_top(g) + j))) {
                    if (first < 0 || i < first)
                        first = i;
                    if (i > last)
                        last = i;
                }
    }
};

TEST_P(ShippedSheet, HasTheGridSize)
{
    EXPECT_EQ(font->sheet->w, 17 * font->cell_width);
    EXPECT_EQ(font->sheet->h, 17 * font->cell_height + 16);
}

// Every printable glyph has ink and an advance that clears its ink, so neighbours never overlap;
// the blanks move the pen without ink, and control codes neither draw nor move it.
TEST_P(ShippedSheet, PrintableGlyphsHaveInkAndAnAdvanceBeyondIt)
{
    for (int g = 0; g < GLYPH_COUNT; g++) {
        SCOPED_TRACE(g);
        int width = font->glyph_widths[g];
        int first, last;
        ink_columns(g, first, last);
        if (!printable(g)) {
            EXPECT_EQ(width, 0);
            EXPECT_EQ(last, -1) << "a control code has ink";
        } else if (blank(g)) {
            EXPECT_GT(width, 0);
            EXPECT_LT(width, font->cell_width / 2);
            EXPECT_EQ(last, -1) << "a blank has ink";
        } else {
            EXPECT_GE(width, 1);
            EXPECT_LE(width, font->cell_width);
            if (last < 0) {
                ADD_FAILURE() << "no ink";
                continue;
            }
            EXPECT_LE(first, 1) << "ink starts late in its cell";
            EXPECT_TRUE(last < width || width == font->cell_width) << "ink reaches column " << last;
        }
    }
}

// Masked drawing copies every other colour as it is, so a blended fringe pixel would show as a
// tinted halo; blue belongs only on marker lines, and only once on each.
TEST_P(ShippedSheet, UsesOnlyMaskMarkerAndGlyphColours)
{
    const int w = font->cell_width, h = font->cell_height;
    const int blue = makecol(0, 0, 255);
    const int fill = makecol(255, 246, 222), rim = makecol(22, 16, 12);
    int blue_on_line[GLYPH_COUNT] = {};
    int tones[2] = {0, 0};
    for (int y = 0; y < font->sheet->h; y++)
        for (int x = 0; x < font->sheet->w; x++) {
            int colour = getpixel(font->sheet, x, y);
            if (masked(colour))
                continue;
            bool in_grid = x >= w && y >= h;
            bool marker_line = in_grid && (y + 1) % (h + 1) == 0;
            int g = in_grid ? ((y + 1) / (h + 1) - 1) * 16 + (x / w - 1) : -1;
            if (colour == blue && marker_line) {
                blue_on_line[g]++;
            } else if ((colour == fill || colour == rim) && in_grid && !marker_line) {
                tones[colour == rim]++;
            } else {
                ADD_FAILURE() << "stray colour " << std::hex << colour << std::dec << " at " << x << ","
                              << y;
                return;
            }
        }
    for (int g = 0; g < GLYPH_COUNT; g++)
        EXPECT_EQ(blue_on_line[g], font->glyph_widths[g] < w ? 1 : 0) << "marker line of glyph " << g;
    EXPECT_GT(tones[0], 0) << "no fill pixels";
    EXPECT_GT(tones[1], 0) << "no outline pixels";
}

INSTANTIATE_TEST_SUITE_P(Fonts, ShippedSheet, ::testing::ValuesIn(SHEETS));

}  // namespace
