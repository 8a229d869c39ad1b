// help_page.cpp -- reads a help page's markup one character at a time and lays its blocks out into the page image
#include "screens/help_page.h"

#include "core/fatal.h"
#include "core/settings.h"
#include "core/startup.h"
#include "text/colour.h"
#include "text/font.h"

HelpView help_view;

namespace {

// Tags that only switch collecting on; the block is laid out by its closing tag.
const char *const opening_tags[] = {"title", "p", "h1", "h2", "h6"};

// How each tag that lays out the collected content draws it. "br" keeps collecting and adds no gap.
struct BlockStyle {
    const char *tag;
    int font;
    bool centred;
    bool rule;      // a white line under the block, across the text column
    int gap_font;   // one line of this font is left empty below the block; 0 for none
    bool closes;    // ends the element: collecting off
};

const BlockStyle block_styles[] = {
    {"/p", 3, false, false, 3, true},
    {"/h1", 2, true, true, 2, true},
    {"/h2", 2, true, false, 2, true},
    {"/h6", 1, true, false, 2, true},
    {"br", 2, false, false, 0, false},
};

// Where the layout of one page stands between two characters of its file.
struct PageLayout {
    HelpView &view;
    int slot;
    int y;
    bool collecting;
    std::string content;
};

void lay_out_block(PageLayout &layout, const BlockStyle &style)
{
    HelpView &view = layout.view;
    int margin = view.margin[layout.slot];
    int width = view.width[layout.slot];
    int wrap = width - 2 * margin;

    if (style.centred)
        draw_text_centred(style.font, width / 2, layout.y, layout.content, wrap, -1);
    else
        draw_text(style.font, margin, layout.y, layout.content, wrap, -1);
    layout.y += text_height(style.font, layout.content, wrap, -1);
    if (style.rule)
        line(view.page[layout.slot], margin, layout.y, width - margin, layout.y, makecol(255, 255, 255));
    if (style.gap_font)
        layout.y += text_height(style.gap_font, " ", wrap, -1);
    layout.content.clear();
    if (style.closes)
        layout.collecting = false;
}

void act_on_tag(PageLayout &layout, const std::string &name)
{
    for (const char *tag : opening_tags)
        if (name == tag) {
            layout.collecting = true;
            return;
        }
    if (name == "/title") {
        layout.view.title[layout.slot] = layout.content;
        layout.content.clear();
        layout.collecting = false;
        return;
    }
    for (const BlockStyle &style : block_styles)
        if (name == style.tag) {
            lay_out_block(layout, style);
            return;
        }
}

// Reads a tag after its "<" and returns its name, or false when the file ends before the
// tag's ">": such a tag is never acted on. What follows a space after the name is skipped.
bool read_tag(FILE *file, std::string &name)
{
    int c = fgetc(file);
    while (c != EOF && c != '>' && c != ' ') {
        name += static_cast<char>(c);
        c = fgetc(file);
    }
    while (c != EOF && c != '>')
        c = fgetc(file);
    return c == '>';
}

}  // namespace

int init_help_page(HelpView &view, int slot, int screen_x, int screen_y, int width, int view_height, int margin)
{
    view.screen_x[slot] = screen_x;
    view.screen_y[slot] = screen_y;
    view.width[slot] = width;
    view.view_height[slot] = view_height;
    view.margin[slot] = margin;
    if (view.page[slot])
        destroy_bitmap(view.page[slot]);
    view.page[slot] = create_bitmap(width, HELP_PAGE_HEIGHT);
    clear_bitmap(view.page[slot]);
    replace_colour(view.page[slot], makecol(0, 0, 0), makecol(255, 0, 255));
    return 0;
}

int render_help_page(HelpView &view, int slot, const std::string &topic)
{
    std::string path = view.base_path + topic + ".txt";
    FILE *file = exists(path.c_str()) ? fopen(path.c_str(), "rt") : NULL;
    if (!file)
        fatal_error(EXIT_MISSING_FILE, "Cannot find the requested file for the help guide, or it may be corrupt.");
    lay_out_help_page(view, slot, file);
    fclose(file);
    return 0;
}

int lay_out_help_page(HelpView &view, int slot, FILE *file)
{
    BITMAP *page = view.page[slot];
    clear_bitmap(page);
    if (!debug_mode)
        replace_colour(page, makecol(0, 0, 0), makecol(255, 0, 255));
    set_text_target(page);

    PageLayout layout = {view, slot, view.margin[slot], false, ""};
    std::string pending;  // text since the last tag; kept only while an element collects
    int c;
    while ((c = fgetc(file)) != EOF) {
        if (c != '<') {
            pending += static_cast<char>(c);
            continue;
        }
        if (layout.collecting)
            layout.content += pending;
        pending.clear();
        std::string name;
        if (!read_tag(file, name))
            break;
        act_on_tag(layout, name);
    }

    set_text_target(back_buffer);
    return layout.y;
}
