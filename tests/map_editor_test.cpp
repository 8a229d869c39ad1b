// map_editor_test.cpp -- editing frames without a display: scrolling, painting, picking, tile keys, entry
#include <gtest/gtest.h>

#include <allegro.h>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/frame.h"
#include "core/settings.h"
#include "core/startup.h"
#include "editor/map.h"
#include "editor/map_editor.h"
#include "map_fixture.h"
#include "support.h"
#include "text/font.h"
#include "text/text_table.h"

namespace {

const int ARROWS[] = {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN};

struct Editing : ::testing::Test {
    ScratchBackBuffer buffer;
    MapEditor editor{};

    void SetUp() override
    {
        set_trans_blender(0, 0, 0, 127);
        reset_map(current_map);
        current_map.tileset = make_test_tileset();
        current_map.show_grid = false;
        editor.scroll_divisor = 4;
        scroll_delay_x = scroll_delay_y = 0;
        release_keys();
        mouse_x = 320;
        mouse_y = 240;
        mouse_b = 0;
    }
    void TearDown() override
    {
        release_keys();
        mouse_b = 0;
        current_map.show_grid = false;
        reset_map(current_map);
    }
    static void release_keys()
    {
        for (int k : ARROWS)
            key[k] = 0;
        clear_key_latches();
    }
    // One editing frame as the loop runs it, less presenting; returns the horizontal picture position drawn.
    int frame()
    {
        int shown = TILE_SIZE * editor.scroll_x - editor.offset_x;
        draw_editing_frame(editor);
        handle_editing_input(editor);
        return shown;
    }
    void press(int code)
    {
        key_release_latch[code] = 1;
        frame();
    }
};

TEST_F(Editing, HeldArrowMovesThePictureEightPixelsAFrame)
{
    current_map.width = 30;
    key[KEY_RIGHT] = 1;
    std::vector<int> shown;
    for (int i = 0; i < 10; i++)
        shown.push_back(frame());
    EXPECT_EQ(shown, (std::vector<int>{0, 8, 16, 24, 32, 40, 48, 56, 64, 72}));
}

TEST_F(Editing, MapOneColumnWiderThanTheViewScrollsExactlyOneColumn)
{
    current_map.width = 21;
    key[KEY_RIGHT] = 1;
    std::vector<int> shown;
    for (int i = 0; i < 10; i++)
        shown.push_back(frame());
    EXPECT_EQ(shown, (std::vector<int>{0, 8, 16, 24, 32, 32, 32, 32, 32, 32}));
    EXPECT_EQ(editor.scroll_x, 1);

    // And a map the size of the view does not scroll at all.
    reset_map(current_map);
    current_map.tileset = make_test_tileset();
    editor.scroll_x = 0;
    for (int k : ARROWS)
        key[k] = 1;
    for (int i = 0; i < 8; i++)
        frame();
    EXPECT_EQ(editor.scroll_x + editor.scroll_y + editor.offset_x + editor.offset_y, 0);
}

// The scroll runs to its end; the delay keeps its remainder, so the next press waits for it.
TEST_F(Editing, EarlyReleaseFinishesTheCellAndDelaysTheNextPress)
{
    current_map.width = 30;
    key[KEY_RIGHT] = 1;
    EXPECT_EQ(frame(), 0);
    key[KEY_RIGHT] = 0;
    std::vector<int> shown;
    for (int i = 0; i < 5; i++)
        shown.push_back(frame());
    EXPECT_EQ(shown, (std::vector<int>{8, 16, 24, 32, 32}));
    EXPECT_EQ(scroll_delay_x, 4);

    key[KEY_RIGHT] = 1;
    int frames_held = 0;
    while (editor.offset_x == 0 && frames_held < 10) {
        frame();
        frames_held++;
    }
    EXPECT_EQ(frames_held, 4);  // from rest it starts in the first frame
    EXPECT_EQ(editor.offset_x, -8);
}

TEST_F(Editing, BothDirectionsOfAnAxisShareTheDelayAndTheFirstTestedWins)
{
    current_map.width = current_map.height = 40;
    editor.scroll_x = editor.scroll_y = 5;
    for (int k : ARROWS)
        key[k] = 1;
    frame();
    EXPECT_EQ(editor.offset_x, -8);  // right before left
    EXPECT_EQ(editor.offset_y, -8);  // down before up
    EXPECT_EQ(scroll_delay_x, 3);    // started at 4, then counted down by the other direction
    EXPECT_EQ(scroll_delay_y, 3);
}

TEST_F(Editing, PointerAtTheScreenEdgesScrolls)
{
    struct {
        int x, y, offset_x, offset_y;
    } cases[] = {
        {608, 240, 0, 0}, {609, 240, -8, 0}, {31, 240, 8, 0}, {32, 240, 0, 0},
        {320, 448, 0, 0}, {320, 449, 0, -8}, {320, 31, 0, 8}, {320, 32, 0, 0},
    };
    current_map.width = current_map.height = 40;
    for (auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        editor.scroll_x = editor.scroll_y = 5;
        editor.offset_x = editor.offset_y = 0;
        scroll_delay_x = scroll_delay_y = 0;
        mouse_x = c.x;
        mouse_y = c.y;
        frame();
        EXPECT_EQ(editor.offset_x, c.offset_x);
        EXPECT_EQ(editor.offset_y, c.offset_y);
    }
}

// The first frame after a size change is still drawn at the old position, then the view moves in.
TEST_F(Editing, ShrunkMapPullsTheViewBackInside)
{
    current_map.width = current_map.height = MAP_MAX_CELLS;
    editor.scroll_x = 100;
    editor.scroll_y = 105;
    current_map.width = 110;
    current_map.height = 50;
    EXPECT_EQ(frame(), 100 * TILE_SIZE);
    EXPECT_EQ(editor.scroll_x, 90);
    EXPECT_EQ(editor.scroll_y, 35);
}

TEST_F(Editing, TileKeysStopAtZeroAndTwentyFive)
{
    struct {
        const char *what;
        int code;
        int start;
        int presses;
        int expected;
    } cases[] = {
        {"keypad plus", KEY_PLUS_PAD, 0, 26, 25},
        {"equals", KEY_EQUALS, 20, 10, 25},
        {"keypad minus", KEY_MINUS_PAD, 3, 5, 0},
        {"minus", KEY_MINUS, 3, 5, 0},
    };
    for (auto &c : cases) {
        SCOPED_TRACE(c.what);
        editor.selected_tile = c.start;
        for (int i = 0; i < c.presses; i++)
            press(c.code);
        EXPECT_EQ(editor.selected_tile, c.expected);
    }
}

// The keypad key is asked first; the main key's release waits for the next frame.
TEST_F(Editing, BothMinusKeysInOneFrameCountOverTwoFrames)
{
    editor.selected_tile = 5;
    key_release_latch[KEY_MINUS_PAD] = 1;
    key_release_latch[KEY_MINUS] = 1;
    frame();
    EXPECT_EQ(editor.selected_tile, 4);
    frame();
    EXPECT_EQ(editor.selected_tile, 3);
    frame();
    EXPECT_EQ(editor.selected_tile, 3);

    press(KEY_G);
    EXPECT_TRUE(current_map.show_grid);
    press(KEY_G);
    EXPECT_FALSE(current_map.show_grid);
}

TEST_F(Editing, LeftButtonPaintsATrailAndRightButtonPicks)
{
    current_map.width = current_map.height = 40;
    editor.scroll_x = 2;
    editor.scroll_y = 1;
    editor.selected_tile = 7;
    mouse_b = 1;
    for (int x : {100, 140, 170}) {
        mouse_x = x;
        mouse_y = 100;
        frame();
    }
    EXPECT_EQ(current_map.cells[0][5][4], 7);
    EXPECT_EQ(current_map.cells[0][6][4], 7);
    EXPECT_EQ(current_map.cells[0][7][4], 7);
    EXPECT_EQ(current_map.cells[0][8][4], 1);

    mouse_b = 2;
    current_map.cells[0][9][9] = 9;
    mouse_x = 7 * 32 + 5;
    mouse_y = 8 * 32 + 5;
    frame();
    EXPECT_EQ(editor.selected_tile, 9);
    current_map.cells[0][9][9] = 0;
    frame();
    EXPECT_EQ(editor.selected_tile, 0);
}

TEST_F(Editing, CellsOutsideTheStoredArrayAreNeitherPaintedNorPicked)
{
    struct {
        int scroll_x, scroll_y, cursor_x, cursor_y;
    } cases[] = {{115, 0, 19, 3}, {0, 115, 3, 14}, {0, 0, -1, 3}, {0, 0, 3, -1}};
    static int before[MAP_LAYERS][MAP_MAX_CELLS][MAP_MAX_CELLS];
    current_map.cells[1][14][3] = 4;  // where a column past 119 would land in memory
    std::memcpy(before, current_map.cells, sizeof before);
    for (auto &c : cases) {
        editor.scroll_x = c.scroll_x;
        editor.scroll_y = c.scroll_y;
        editor.cursor_x = c.cursor_x;
        editor.cursor_y = c.cursor_y;
        editor.selected_tile = 7;
        mouse_b = 3;
        paint_or_pick(editor);
        EXPECT_EQ(std::memcmp(before, current_map.cells, sizeof before), 0) << c.scroll_x << "," << c.scroll_y;
        EXPECT_EQ(editor.selected_tile, 7);
    }
}

TEST_F(Editing, CursorSquareFollowsTheGridAndThePreviewThePointer)
{
    mouse_x = 100;
    mouse_y = 100;
    editor.selected_tile = 5;
    draw_editing_frame(editor);
    int white = makecol(255, 255, 255);
    EXPECT_EQ(getpixel(back_buffer, 97, 97), blend_once(tile_body_colour(1), white));
    EXPECT_EQ(getpixel(back_buffer, 95, 97), tile_body_colour(1));
    EXPECT_EQ(getpixel(back_buffer, 107, 122), blend_once(tile_top_colour(1), white));
    EXPECT_EQ(getpixel(back_buffer, 97, 128), tile_body_colour(1));
    EXPECT_EQ(getpixel(back_buffer, 108, 93), tile_top_colour(5));  // preview's corner at (+8, -8)
    EXPECT_EQ(getpixel(back_buffer, 139, 139), tile_body_colour(5));
    EXPECT_NE(getpixel(back_buffer, 140, 139), tile_body_colour(5));

    editor.selected_tile = 0;
    draw_editing_frame(editor);
    EXPECT_EQ(getpixel(back_buffer, 139, 139), tile_body_colour(1));
}

// Entering starts a fresh map at (0, 0) but keeps the grid, the selected tile and a scroll under way.
TEST(MapEditorEntry, ResetsTheMapAndViewButKeepsWhatCarriesOver)
{
    ScratchDir dir;
    std::string saved_language = language;
    language = "XX";
    dir.write("system/text/XX/map_editor.txt", "[quit]Leave^\n");
    std::filesystem::create_directories("system/images/tilesets");
    BITMAP *tiles = make_test_tileset(24);
    ASSERT_EQ(save_bitmap("system/images/tilesets/001.png", tiles, NULL), 0);
    destroy_bitmap(tiles);

    MapEditor editor{};
    editor.quit = true;
    editor.selected_tile = 7;
    editor.offset_x = -16;
    editor.scroll_x = editor.scroll_y = 50;
    current_map.show_grid = true;
    current_map.width = 90;
    current_map.name = "Old";
    current_map.cells[0][3][3] = 9;
    enter_map_editor(editor);

    EXPECT_FALSE(editor.quit);
    EXPECT_EQ(editor.scroll_x + editor.scroll_y, 0);
    EXPECT_EQ(editor.scroll_divisor, 4);
    EXPECT_EQ(editor.selected_tile, 7);
    EXPECT_EQ(editor.offset_x, -16);
    EXPECT_TRUE(current_map.show_grid);
    EXPECT_EQ(current_map.width, 20);
    EXPECT_EQ(current_map.name, "");
    EXPECT_EQ(current_map.cells[0][3][3], 1);
    ASSERT_NE(current_map.tileset, nullptr);
    EXPECT_EQ(getpixel(current_map.tileset, 40, 48 + 30), tile_body_colour(1));
    EXPECT_EQ(get_text(screen_text, "quit"), "Leave");

    current_map.show_grid = false;
    reset_map(current_map);
    language = saved_language;
}

// The shipped captions of every language, measured with the shipped font against the room they get.
TEST(ShippedEditorTexts, EveryLanguageHasEveryCaptionAndItFits)
{
    FontSheet saved_font = font_sheets[2];
    std::string saved_language = language;
    load_font_sheet(2, "system/images/fonts/lat16w.bmp", 16, 16);
    ASSERT_NE(font_sheets[2].sheet, nullptr);
    struct {
        const char *key;
        int room;
    } captions[] = {
        {"prop_ed", 220}, {"save", 220},  {"restore", 220}, {"faction_ed", 220}, {"prep_ed", 220},
        {"help", 220},    {"quit", 220},  {"continue", 220}, {"prop", 180},      {"name", 120},
        {"author", 120},  {"desc", 120},  {"wide", 160},    {"high", 160},       {"okay", 96},
    };
    std::vector<std::string> english;
    for (const char *code : {"EN", "DU", "SW", "SP", "XX"}) {
        SCOPED_TRACE(code);
        std::string path = std::string("system/text/") + code + "/map_editor.txt";
        std::ifstream in(path, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_FALSE(bytes.empty()) << path;
        EXPECT_EQ(bytes.find('\xC3'), std::string::npos) << path << " looks like UTF-8";

        language = code;
        load_text_table(screen_text, "map_editor");
        std::vector<std::string> values;
        for (auto &c : captions) {
            std::string caption = get_text(screen_text, c.key);
            EXPECT_FALSE(caption.empty()) << c.key;
            EXPECT_LE(text_width(2, caption), c.room) << c.key << ": " << caption;
            values.push_back(caption);
        }
        if (std::string(code) == "EN")
            english = values;
        if (std::string(code) == "XX") {
            EXPECT_EQ(values, english);
        }
    }
    destroy_bitmap(font_sheets[2].sheet);
    font_sheets[2] = saved_font;
    language = saved_language;
}

}  // namespace
