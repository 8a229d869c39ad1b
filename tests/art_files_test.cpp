// art_files_test.cpp -- the pictures the screens load are present, readable and of the sizes the layouts assume
#include <allegro.h>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

const int MASK_COLOUR_24 = 0xFF00FF;  // magenta as read back with getpixel at 32 bits

struct ButtonCase {
    const char *name;
    int width;
    int height;
};

std::ostream &operator<<(std::ostream &out, const ButtonCase &c)
{
    return out << c.name << " " << c.width << "x" << c.height;
}

const ButtonCase BUTTON_CASES[] = {
    {"big_01", 256, 32},
    {"sml_01", 112, 32},
    {"up", 16, 8},
    {"down", 16, 8},
    {"en", 96, 64},
    {"du", 96, 64},
    {"sw", 96, 64},
    {"sp", 96, 64},
};

// Owns one loaded picture for the length of a check.
struct Picture {
    BITMAP *bmp;
    explicit Picture(const std::string &path) : bmp(load_bitmap(path.c_str(), NULL)) {}
    ~Picture()
    {
        if (bmp)
            destroy_bitmap(bmp);
    }
};

bool same_pixels(BITMAP *a, BITMAP *b)
{
    for (int y = 0; y < a->h; y++)
        for (int x = 0; x < a->w; x++)
            if (getpixel(a, x, y) != getpixel(b, x, y))
                return false;
    return true;
}

int count_mask_pixels(BITMAP *bmp)
{
    int n = 0;
    for (int y = 0; y < bmp->h; y++)
        for (int x = 0; x < bmp->w; x++)
            if ((getpixel(bmp, x, y) & 0xFFFFFF) == MASK_COLOUR_24)
                n++;
    return n;
}

class ButtonPictures : public ::testing::TestWithParam<ButtonCase> {};

// The normal picture gives the button its size, so the other two must match it,
// and a state that looks like another one would hide hover or press from the user.
TEST_P(ButtonPictures, ThreeStatesLoadAtTheirSizeAndDiffer)
{
    const ButtonCase &c = GetParam();
    const std::string base = std::string("system/images/buttons/") + c.name;
    Picture up(base + "_u.png"), down(base + "_d.png"), hover(base + "_h.png");
    ASSERT_NE(up.bmp, nullptr) << base << "_u.png";
    ASSERT_NE(down.bmp, nullptr) << base << "_d.png";
    ASSERT_NE(hover.bmp, nullptr) << base << "_h.png";

    EXPECT_EQ(up.bmp->w, c.width);
    EXPECT_EQ(up.bmp->h, c.height);
    for (BITMAP *other : {down.bmp, hover.bmp}) {
        ASSERT_EQ(other->w, up.bmp->w);
        ASSERT_EQ(other->h, up.bmp->h);
    }
    EXPECT_FALSE(same_pixels(up.bmp, down.bmp)) << "normal and pressed look the same";
    EXPECT_FALSE(same_pixels(up.bmp, hover.bmp)) << "normal and hovered look the same";
    EXPECT_FALSE(same_pixels(down.bmp, hover.bmp)) << "pressed and hovered look the same";

    // draw_sprite must leave something of the plate visible
    EXPECT_LT(count_mask_pixels(up.bmp), c.width * c.height / 2);
}

INSTANTIATE_TEST_SUITE_P(AllButtons, ButtonPictures, ::testing::ValuesIn(BUTTON_CASES),
                         [](const ::testing::TestParamInfo<ButtonCase> &info) {
                             return std::string(info.param.name);
                         });

// The start-up code puts the pointer's focus at (32, 32): the tip must be painted
// there, while the bitmap's own corner is see-through.
TEST(PointerPicture, TipSitsOnTheFocusPixel)
{
    Picture pointer("system/images/mouse/pointer_01.bmp");
    ASSERT_NE(pointer.bmp, nullptr);
    ASSERT_GT(pointer.bmp->w, 32);
    ASSERT_GT(pointer.bmp->h, 32);
    EXPECT_NE(getpixel(pointer.bmp, 32, 32) & 0xFFFFFF, MASK_COLOUR_24);
    EXPECT_EQ(getpixel(pointer.bmp, 0, 0) & 0xFFFFFF, MASK_COLOUR_24);
    // nothing above or left of the tip, or the pointer would seem to click beside itself
    EXPECT_EQ(getpixel(pointer.bmp, 31, 32) & 0xFFFFFF, MASK_COLOUR_24);
    EXPECT_EQ(getpixel(pointer.bmp, 32, 31) & 0xFFFFFF, MASK_COLOUR_24);
}

class BackgroundPictures : public ::testing::TestWithParam<const char *> {};

// Both screens blit the picture unscaled; a smaller one would leave stale pixels behind.
TEST_P(BackgroundPictures, LoadAtFullScreenSize)
{
    Picture bg(std::string("system/images/bg/") + GetParam());
    ASSERT_NE(bg.bmp, nullptr) << GetParam();
    EXPECT_EQ(bg.bmp->w, 640);
    EXPECT_EQ(bg.bmp->h, 480);
}

INSTANTIATE_TEST_SUITE_P(BothScreens, BackgroundPictures, ::testing::Values("title_01.jpg", "generic_01.jpg"));

}  // namespace
