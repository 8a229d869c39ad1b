// support.cpp -- scratch folders and bitmaps for the unit tests
#include "support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "core/startup.h"
#include "text/font.h"

ScratchDir::ScratchDir()
{
    char pattern[] = "/tmp/qb_test_XXXXXX";
    path = mkdtemp(pattern);
    old_cwd = std::filesystem::current_path().string();
    std::filesystem::current_path(path);
}

ScratchDir::~ScratchDir()
{
    std::filesystem::current_path(old_cwd);
    std::filesystem::remove_all(path);
}

void ScratchDir::write(const std::string &relative, const std::string &content) const
{
    std::filesystem::path file = std::filesystem::path(path) / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << content;
}

ScratchBackBuffer::ScratchBackBuffer() : saved(back_buffer)
{
    back_buffer = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    clear_bitmap(back_buffer);
    set_text_target(back_buffer);
}

ScratchBackBuffer::~ScratchBackBuffer()
{
    destroy_bitmap(back_buffer);
    back_buffer = saved;
    set_text_target(back_buffer);
}

int glyph_colour(int g)
{
    return makecol(g, 100, 50);
}

int glyph_at(BITMAP *bitmap, int x, int y)
{
    int c = getpixel(bitmap, x, y);
    if (getg(c) != 100 || getb(c) != 50)
        return -1;
    return getr(c);
}

void make_synthetic_font(int font, int cell_width, int cell_height, const int widths[256])
{
    FontSheet &f = font_sheets[font];
    if (f.sheet)
        destroy_bitmap(f.sheet);
    f.sheet = create_bitmap(17 * cell_width, 17 * cell_height + 16);
    clear_to_color(f.sheet, makecol(255, 0, 255));
    for (int g = 0; g < 256; g++) {
        int x = cell_width * (g % 16 + 1), y = (cell_height + 1) * (g / 16 + 1);
        rectfill(f.sheet, x, y, x + cell_width - 1, y + cell_height - 1, glyph_colour(g));
        if (widths[g] < cell_width)
            putpixel(f.sheet, x + widths[g], y - 1, makecol(0, 0, 255));
    }
    f.cell_width = cell_width;
    f.cell_height = cell_height;
    measure_glyph_widths(f);
}
