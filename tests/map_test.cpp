// map_test.cpp -- the map record, tileset loading and the drawing of the map window, checked by pixels
#include <gtest/gtest.h>

#include <allegro.h>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "core/startup.h"
#include "editor/map.h"
#include "map_fixture.h"
#include "support.h"

namespace {

struct MapDrawing : ::testing::Test {
    ScratchBackBuffer buffer;

    void SetUp() override
    {
        set_trans_blender(0, 0, 0, 127);
        reset_map(current_map);
        current_map.show_grid = false;
        current_map.tileset = make_test_tileset();
    }
    void TearDown() override
    {
        current_map.show_grid = false;
        reset_map(current_map);
    }
    int at(int x, int y) const { return getpixel(back_buffer, x, y); }
    void fill_layer(int layer, int tile)
    {
        for (auto &column : current_map.cells[layer])
            for (int &cell : column)
                cell = tile;
    }
};

// Each row's tile covers the lower half of the cell above with its top 16 pixel rows.
TEST_F(MapDrawing, FreshMapShowsTileOneEverywhereWithTheRowBelowReachingUp)
{
    draw_map(current_map, 0, 0, 0, 0);
    for (int r = 0; r < VIEW_ROWS; r++)
        for (int c = 0; c < VIEW_COLUMNS; c++) {
            ASSERT_EQ(at(32 * c + 4, 32 * r + 4), tile_body_colour(1)) << c << "," << r;
            ASSERT_EQ(at(32 * c + 27, 32 * r + 20), tile_top_colour(1)) << c << "," << r;
        }
    EXPECT_EQ(at(639, 479), tile_top_colour(1));  // row 15 shows along the bottom edge
}

TEST_F(MapDrawing, EmptyCellsShowWhatLiesBelowAndHigherLayersCoverLowerOnes)
{
    current_map.cells[0][5][5] = 0;
    current_map.cells[1][2][2] = HOLED_TILE;
    current_map.cells[2][8][8] = 4;
    current_map.cells[1][8][8] = 6;
    draw_map(current_map, 0, 0, 0, 0);

    EXPECT_EQ(at(164, 164), makecol(0, 0, 0));            // nothing drawn in cell (5, 5)...
    EXPECT_EQ(at(164, 180), tile_top_colour(1));          // ...but row 6 still reaches up into it
    EXPECT_EQ(at(164, 148), tile_body_colour(1));         // and row 4's tile is no longer overlapped
    EXPECT_EQ(at(64 + 4, 64 + 4), tile_body_colour(1));   // layer 0 through the holed tile's mask
    EXPECT_EQ(at(64 + 20, 64 + 4), tile_body_colour(HOLED_TILE));
    EXPECT_EQ(at(64 + 20, 64 - 12), tile_top_colour(HOLED_TILE));  // over row 1's own layer-0 picture
    EXPECT_EQ(at(256 + 4, 256 + 4), tile_body_colour(4));  // layer 2 above layer 1
}

struct OffsetCase {
    int offset_x;
    int marked_column;  // relative to scroll_x; holds tile 5
    int marked_x;       // first and last screen column where it shows
    int marked_last_x;
};

TEST_F(MapDrawing, SmoothScrollOffsetsUncoverTheExtraColumns)
{
    const OffsetCase cases[] = {{8, -1, 0, 7}, {-8, 20, 632, 639}};
    for (const OffsetCase &c : cases) {
        SCOPED_TRACE(c.offset_x);
        reset_map(current_map);
        current_map.tileset = make_test_tileset();
        clear_bitmap(back_buffer);
        const int scroll_x = 5;
        for (int r = 0; r < MAP_MAX_CELLS; r++)
            current_map.cells[0][scroll_x + c.marked_column][r] = 5;
        draw_map(current_map, scroll_x, 0, c.offset_x, 0);
        for (int x = c.marked_x; x <= c.marked_last_x; x++)
            EXPECT_EQ(at(x, 100), tile_body_colour(5)) << x;
        int outside = c.offset_x > 0 ? c.marked_last_x + 1 : c.marked_x - 1;
        EXPECT_EQ(at(outside, 100), tile_body_colour(1));
    }
    // Downwards the row above shows only past the overhang of the top row: at 24, in y 0 to 7.
    reset_map(current_map);
    current_map.tileset = make_test_tileset();
    for (int c = 0; c < MAP_MAX_CELLS; c++)
        current_map.cells[0][c][4] = 5;
    draw_map(current_map, 0, 5, 0, 24);
    EXPECT_EQ(at(100, 0), tile_body_colour(5));
    EXPECT_EQ(at(100, 7), tile_body_colour(5));
    EXPECT_EQ(at(100, 8), tile_top_colour(1));
}

// At the last row nothing lies below row 119, so its tiles' lower halves show uncovered.
TEST_F(MapDrawing, CellsPastTheStoredArrayDrawAsEmpty)
{
    current_map.height = MAP_MAX_CELLS;
    struct {
        int scroll_y;
        int bottom_strip;
    } cases[] = {{104, tile_top_colour(1)}, {105, tile_body_colour(1)}};
    for (auto &c : cases) {
        clear_bitmap(back_buffer);
        draw_map(current_map, 0, c.scroll_y, 0, 0);
        for (int y = 464; y < 480; y++)
            EXPECT_EQ(at(300, y), c.bottom_strip) << c.scroll_y << " at y " << y;
    }
    // Column -1 and row -1 do not exist either: with a smooth scroll under way from (0, 0) the strip stays black.
    clear_bitmap(back_buffer);
    draw_map(current_map, 0, 0, 8, 0);
    EXPECT_EQ(at(3, 100), makecol(0, 0, 0));
}

// Lines at every multiple of 32, each pixel darkened exactly once, nothing else touched.
TEST_F(MapDrawing, GridLinesLieOnTheCellEdgesAndDarkenEachPixelOnce)
{
    draw_map(current_map, 0, 0, 0, 0);
    BITMAP *plain = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    blit(back_buffer, plain, 0, 0, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    current_map.show_grid = true;
    draw_map(current_map, 0, 0, 0, 0);
    int black = makecol(0, 0, 0);
    for (int y = 0; y < SCREEN_HEIGHT; y++)
        for (int x = 0; x < SCREEN_WIDTH; x++) {
            int under = getpixel(plain, x, y);
            int expected = (x % 32 == 0 || y % 32 == 0) ? blend_once(under, black) : under;
            ASSERT_EQ(at(x, y), expected) << x << "," << y;
        }
    destroy_bitmap(plain);
}

TEST_F(MapDrawing, GridFollowsTheOffsets)
{
    current_map.show_grid = true;
    draw_map(current_map, 3, 3, -8, 8);
    int black = makecol(0, 0, 0);
    EXPECT_EQ(at(24, 4), blend_once(tile_top_colour(1), black));  // vertical lines 8 pixels left of 32 x k
    EXPECT_EQ(at(56, 4), blend_once(tile_top_colour(1), black));
    EXPECT_EQ(at(4, 8), blend_once(tile_body_colour(1), black));  // horizontal lines 8 pixels below 32 x k
    EXPECT_EQ(at(32, 4), tile_top_colour(1));
    EXPECT_EQ(at(4, 0), tile_top_colour(1));
}

TEST_F(MapDrawing, ResetEmptiesTheMapButKeepsTheGridSwitch)
{
    current_map.name = "Isle";
    current_map.author = "Me";
    current_map.description = "A long story";
    current_map.width = 77;
    current_map.height = 99;
    current_map.cells[0][119][119] = 9;
    current_map.cells[3][0][0] = 9;
    toggle_grid(current_map);
    reset_map(current_map);
    EXPECT_EQ(current_map.name + current_map.author + current_map.description, "");
    EXPECT_EQ(current_map.width, 20);
    EXPECT_EQ(current_map.height, 15);
    EXPECT_EQ(current_map.cells[0][119][119], 1);
    EXPECT_EQ(current_map.cells[3][0][0], 0);
    EXPECT_EQ(current_map.tileset, nullptr);
    EXPECT_TRUE(current_map.show_grid);
}

// Tileset files in a scratch data tree; each picture's tile 1 body is of its own colour.
struct TilesetLoading : ::testing::Test {
    ScratchDir dir;
    ScratchBackBuffer buffer;

    void SetUp() override
    {
        reset_map(current_map);
        std::filesystem::create_directories("system/images/tilesets");
    }
    void TearDown() override { reset_map(current_map); }

    void write_tileset(const std::string &file, int body)
    {
        BITMAP *tiles = make_test_tileset(24);
        rectfill(tiles, 32, 48 + 16, 63, 48 + 47, body);
        ASSERT_EQ(save_bitmap(("system/images/tilesets/" + file).c_str(), tiles, NULL), 0);
        destroy_bitmap(tiles);
    }
    int tile_one_body() const { return getpixel(current_map.tileset, 40, 48 + 30); }
};

TEST_F(TilesetLoading, PngIsPreferredOverBmp)
{
    write_tileset("001.bmp", makecol24(10, 20, 30));
    load_tileset(current_map, "001");
    ASSERT_NE(current_map.tileset, nullptr);
    EXPECT_EQ(tile_one_body(), makecol(10, 20, 30));

    reset_map(current_map);
    write_tileset("001.png", makecol24(40, 50, 60));
    load_tileset(current_map, "001");
    ASSERT_NE(current_map.tileset, nullptr);
    EXPECT_EQ(tile_one_body(), makecol(40, 50, 60));
}

TEST_F(TilesetLoading, PinkIsAsTransparentAsMagenta)
{
    BITMAP *tiles = make_test_tileset(24);
    rectfill(tiles, 32, 48 + 16, 47, 48 + 47, makecol24(255, 128, 255));
    rectfill(tiles, 48, 48 + 16, 63, 48 + 47, makecol24(255, 0, 255));
    ASSERT_EQ(save_bitmap("system/images/tilesets/001.png", tiles, NULL), 0);
    destroy_bitmap(tiles);
    load_tileset(current_map, "001");
    clear_to_color(back_buffer, makecol(7, 7, 7));
    draw_map(current_map, 0, 0, 0, 0);
    EXPECT_EQ(getpixel(back_buffer, 100, 100), makecol(7, 7, 7));  // left half, pink
    EXPECT_EQ(getpixel(back_buffer, 120, 100), makecol(7, 7, 7));  // right half, magenta
    EXPECT_EQ(getpixel(back_buffer, 100, 120), tile_top_colour(1));
}

// After a display fallback to 16 bits the tiles must still match back_buffer for masked drawing.
TEST_F(TilesetLoading, TilesetTakesTheDepthOfTheBackBuffer)
{
    write_tileset("001.png", makecol24(255, 128, 255));
    set_color_depth(16);
    load_tileset(current_map, "001");
    set_color_depth(32);
    ASSERT_NE(current_map.tileset, nullptr);
    EXPECT_EQ(bitmap_color_depth(current_map.tileset), bitmap_color_depth(back_buffer));
    EXPECT_EQ(tile_one_body(), makecol(255, 0, 255));
}

TEST_F(TilesetLoading, MissingTilesetEndsNormallyNamingTheBmp)
{
    EXPECT_FATAL(load_tileset(current_map, "001"), 0,
                 "Cannot find the map tiles requested\\.\nsystem/images/tilesets/001\\.bmp does not appear to "
                 "exist\\.\n\nCurrently, the engine is not able to handle this error\\.");
}

TEST_F(TilesetLoading, UndecodableTilesetEndsWithAnErrorNamingTheFile)
{
    dir.write("system/images/tilesets/001.png", "this is no picture");
    EXPECT_FATAL(load_tileset(current_map, "001"), 255, "system/images/tilesets/001\\.png");
}

}  // namespace
