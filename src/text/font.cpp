// font.cpp -- loads glyph sheets and measures, wraps and draws single-byte text with them
#include "text/font.h"

#include "core/fatal.h"
#include "core/startup.h"
#include "text/colour.h"

FontSheet font_sheets[FONT_SLOTS];
BITMAP *text_target = NULL;

int load_font_sheet(int font, const char *path, int cell_width, int cell_height)
{
    FontSheet &f = font_sheets[font];
    f.sheet = load_bmp(path, NULL);
    if (!f.sheet)
        fatal_error(EXIT_MISSING_FILE, "Cannot find the font sheet %s, or it may be corrupt.", path);
    replace_colour(f.sheet, makecol(255, 128, 255), makecol(255, 0, 255));
    f.cell_height = cell_height;
    f.cell_width = cell_width;
    measure_glyph_widths(f);
    return 0;
}

// A glyph's advance is the run of its marker line before the first blue pixel.
int measure_glyph_widths(FontSheet &f)
{
    int blue = makecol(0, 0, 255);
    for (int g = 0; g < GLYPH_COUNT; g++) {
        int marker_x = f.cell_width * (g % 16 + 1);
        int marker_y = (g / 16) * (f.cell_height + 1) + f.cell_height;
        int j = 0;
        while (j < f.cell_width && getpixel(f.sheet, marker_x + j, marker_y) != blue)
            j++;
        f.glyph_widths[g] = j;
    }
    return 0;
}

int set_text_target(BITMAP *bitmap)
{
    text_target = bitmap;
    return 0;
}

int text_width(int font, const std::string &text)
{
    int width = 0;
    for (unsigned char c : text)
        width += font_sheets[font].glyph_widths[c];
    return width;
}

static void draw_glyph(const FontSheet &f, int g, int x, int y)
{
    masked_blit(f.sheet, text_target, f.cell_width * (g % 16 + 1), (f.cell_height + 1) * (g / 16 + 1), x, y,
                f.cell_width, f.cell_height);
}

static bool is_line_break(const std::string &text, size_t i)
{
    return text[i] == '/' && i + 1 < text.size() && text[i + 1] == 'n';
}

// The space at i and the word after it, up to the next space or the end of the
// whole text, so a partly revealed text breaks where the whole one does.
static std::string word_after(const std::string &text, size_t i)
{
    size_t end = text.find(' ', i + 1);
    if (end == std::string::npos)
        end = text.size();
    return " " + text.substr(i + 1, end - i - 1);
}

// The one walk behind drawing and measuring; returns the top of the last line.
// It stops at count, and where a break or an escape runs off the end of the text.
static int walk_text(int font, int x, int y, const std::string &text, int wrap_width, int count, bool draw)
{
    const FontSheet &f = font_sheets[font];
    size_t n = text.size();
    size_t limit = (count < 0 || (size_t)count > n) ? n : (size_t)count;
    int x0 = x;
    size_t i = 0;
    while (i < limit) {
        if (text[i] == ' ' && wrap_width > 0 && x + text_width(font, word_after(text, i)) > x0 + wrap_width) {
            while (i < n && text[i] == ' ')
                i++;
            x = x0;
            y += f.cell_height;
            if (i >= limit)
                break;
        }
        if (is_line_break(text, i)) {
            i += 3;
            x = x0;
            y += f.cell_height;
            if (i >= limit)
                break;
        }
        unsigned char g = text[i];
        if (draw)
            draw_glyph(f, g, x, y);
        x += f.glyph_widths[g];
        i++;
    }
    return y;
}

int draw_text(int font, int x, int y, const std::string &text, int wrap_width, int count)
{
    walk_text(font, x, y, text, wrap_width, count, true);
    return 0;
}

int text_height(int font, const std::string &text, int wrap_width, int count)
{
    return walk_text(font, 0, 0, text, wrap_width, count, false) + font_sheets[font].cell_height;
}

static void draw_centred_line(int font, int centre_x, int y, const std::string &line)
{
    draw_text(font, centre_x - text_width(font, line) / 2, y, line, 0, -1);
}

// Lines are filled greedily with whole words, each centred by its own width.
// A word wider than the wrap width on its own gets a line of its own.
int draw_text_centred(int font, int centre_x, int y, const std::string &text, int wrap_width, int count)
{
    size_t n = text.size();
    size_t limit = (count < 0 || (size_t)count > n) ? n : (size_t)count;
    if (wrap_width <= 0) {
        draw_text(font, centre_x - text_width(font, text) / 2, y, text, 0, (int)limit);
        return 0;
    }
    std::string line;
    size_t p = 0;
    while (p < limit) {
        size_t q = p;
        while (q < limit && text[q] == ' ')
            q++;
        while (q < limit && text[q] != ' ')
            q++;
        std::string word = text.substr(p, q - p);
        if (text_width(font, line + word) <= wrap_width && q != limit) {
            line += word;
            p = q;
            continue;
        }
        while (p < limit && text[p] == ' ')
            p++;
        if (q == limit) {
            line += word;
            p = limit;
        } else if (line.empty()) {
            line = text.substr(p, q - p);
            p = q;
        }
        draw_centred_line(font, centre_x, y, line);
        y += font_sheets[font].cell_height;
        line.clear();
    }
    return 0;
}
