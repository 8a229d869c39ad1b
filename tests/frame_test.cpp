// frame_test.cpp -- the key release latch, frame-tick dropping and the frame-rate count
#include <gtest/gtest.h>

#include <allegro.h>
#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "core/frame.h"
#include "core/settings.h"
#include "support.h"

namespace {

class KeyLatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        memset((void *)key, 0, KEY_MAX);
        memset(key_held, 0, sizeof key_held);
        clear_key_latches();
    }
    void TearDown() override { SetUp(); }
    // One frame's scan with the given key down or up.
    void frame(int code, bool down)
    {
        key[code] = down;
        update_key_latches();
    }
};

TEST_F(KeyLatch, AReleaseIsReportedOnceAfterTheFrameThatSawIt)
{
    frame(KEY_G, true);
    EXPECT_FALSE(key_released(KEY_G));
    frame(KEY_G, true);
    EXPECT_FALSE(key_released(KEY_G));
    frame(KEY_G, false);
    EXPECT_TRUE(key_released(KEY_G));
    EXPECT_FALSE(key_released(KEY_G));
    frame(KEY_G, false);
    EXPECT_FALSE(key_released(KEY_G));
}

TEST_F(KeyLatch, APressBetweenTwoScansIsNeverSeen)
{
    frame(KEY_G, false);
    frame(KEY_G, false);
    EXPECT_FALSE(key_released(KEY_G));
}

TEST_F(KeyLatch, TwoReleasesBeforeTheScreenAsksCountAsOne)
{
    frame(KEY_ESC, true);
    frame(KEY_ESC, false);
    frame(KEY_ESC, true);
    frame(KEY_ESC, false);
    EXPECT_TRUE(key_released(KEY_ESC));
    EXPECT_FALSE(key_released(KEY_ESC));
}

TEST_F(KeyLatch, ClearingDropsReleasesButNotHeldKeys)
{
    frame(KEY_A, true);
    frame(KEY_A, false);
    frame(KEY_B, true);
    clear_key_latches();
    EXPECT_FALSE(key_released(KEY_A));
    frame(KEY_B, false);
    EXPECT_TRUE(key_released(KEY_B)) << "a key held across a screen change gives its release to the new screen";
}

TEST_F(KeyLatch, KeysAreLatchedIndependently)
{
    key[KEY_MINUS] = key[KEY_MINUS_PAD] = 1;
    update_key_latches();
    key[KEY_MINUS] = key[KEY_MINUS_PAD] = 0;
    update_key_latches();
    EXPECT_TRUE(key_released(KEY_MINUS_PAD));
    EXPECT_TRUE(key_released(KEY_MINUS));
}

TEST(FrameTicks, PiledUpTicksAreDroppedAndTheNextFrameWaitsForAFreshOne)
{
    frame_ticks = 3;
    wait_for_frame_tick();
    EXPECT_EQ(frame_ticks, 0);

    std::atomic<bool> ticked(false);
    std::thread timer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        ticked = true;
        frame_timer_tick();
    });
    wait_for_frame_tick();
    EXPECT_TRUE(ticked) << "returned before the timer ticked";
    EXPECT_EQ(frame_ticks, 0);
    timer.join();
}

TEST(FrameRate, TheShownCountIsTheFramesOfTheLastWholeSecond)
{
    debug_mode = false;
    second_ticks = 0;
    fps_frame_count = 0;
    fps_shown = 0;
    for (int i = 0; i < 5; i++)
        count_frame();
    EXPECT_EQ(fps_shown, 0) << "nothing shown during the first second";
    second_timer_tick();
    count_frame();
    EXPECT_EQ(fps_shown, 5);
    EXPECT_EQ(fps_frame_count, 1) << "the frame that closes a second is the first of the next";
    count_frame();
    count_frame();
    second_timer_tick();
    second_timer_tick();
    second_timer_tick();
    count_frame();
    EXPECT_EQ(fps_shown, 3) << "a long pause still closes only one second";
    EXPECT_FALSE(second_elapsed());
}

}  // namespace
