// tileset_file_test.cpp -- checks the shipped tileset picture against the layout the map drawing reads
#include <allegro.h>
#include <gtest/gtest.h>

namespace {

const char *const TILESET_PATH = "system/images/tilesets/001.png";
const int LAST_TILE = 25;
const int LAST_GROUND_TILE = 12;  // tiles 1..12 lie flat; from 13 on they may rise over the cell above
const int OVERHANG = 16;          // rows of a tile drawn over the cell above

class TilesetFile : public ::testing::Test {
protected:
    static BITMAP *sheet;

    static void SetUpTestSuite() { sheet = load_bitmap(TILESET_PATH, NULL); }
    static void TearDownTestSuite()
    {
        if (sheet)
            destroy_bitmap(sheet);
        sheet = NULL;
    }

    void SetUp() override { ASSERT_NE(sheet, nullptr) << "cannot load " << TILESET_PATH; }

    // Magenta, and the pink that loading turns into magenta, are both left out when drawn.
    static bool is_mask(int x, int y)
    {
        int depth = bitmap_color_depth(sheet);
        int c = getpixel(sheet, x, y);
        int r = getr_depth(depth, c), g = getg_depth(depth, c), b = getb_depth(depth, c);
        return r == 255 && b == 255 && (g == 0 || g == 128);
    }

    // Counts the mask pixels of tile t in its rows first_row .. last_row.
    static int mask_pixels(int t, int first_row, int last_row)
    {
        int count = 0;
        for (int y = first_row; y <= last_row; y++)
            for (int x = 0; x < TILE_WIDTH; x++)
                if (is_mask(TILE_WIDTH + x, TILE_HEIGHT * t + y))
                    count++;
        return count;
    }

    static const int TILE_WIDTH = 32;
    static const int TILE_HEIGHT = 48;
};

BITMAP *TilesetFile::sheet = NULL;

TEST_F(TilesetFile, HoldsEveryTileTheEditorOffers)
{
    EXPECT_GE(sheet->w, 2 * TILE_WIDTH);
    EXPECT_GE(sheet->h, TILE_HEIGHT * (LAST_TILE + 1));
}

TEST_F(TilesetFile, EveryTileShowsSomethingOnItsCell)
{
    const int cell_pixels = TILE_WIDTH * (TILE_HEIGHT - OVERHANG);
    for (int t = 1; t <= LAST_TILE; t++) {
        SCOPED_TRACE(t);
        EXPECT_LT(mask_pixels(t, OVERHANG, TILE_HEIGHT - 1), cell_pixels);
    }
}

// A fresh map is tile 1 everywhere, so tile 1 must cover its cell fully and
// must not reach up, or it would hide the lower half of whatever stands above.
// The other ground tiles share that rule so they can sit anywhere among grass.
TEST_F(TilesetFile, GroundTilesCoverTheirCellAndLeaveTheOverhangClear)
{
    const int overhang_pixels = TILE_WIDTH * OVERHANG;
    for (int t = 1; t <= LAST_GROUND_TILE; t++) {
        SCOPED_TRACE(t);
        EXPECT_EQ(mask_pixels(t, OVERHANG, TILE_HEIGHT - 1), 0);
        EXPECT_EQ(mask_pixels(t, 0, OVERHANG - 1), overhang_pixels);
    }
}

// Objects are painted onto the grass map on layer 0, where nothing lies
// beneath them, so each brings its own ground: a hole would show black.
TEST_F(TilesetFile, ObjectTilesStandOnGroundOfTheirOwn)
{
    for (int t = LAST_GROUND_TILE + 1; t <= LAST_TILE; t++) {
        SCOPED_TRACE(t);
        EXPECT_EQ(mask_pixels(t, OVERHANG, TILE_HEIGHT - 1), 0);
    }
}

}  // namespace
