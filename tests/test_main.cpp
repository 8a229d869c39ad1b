// test_main.cpp -- runs the unit tests with Allegro up but no display: memory bitmaps only
#include <allegro.h>
#include <loadpng.h>
#include <jpgalleg.h>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        return 1;
    set_color_depth(32);
    register_png_file_type();
    jpgalleg_init();
    return RUN_ALL_TESTS();
}
