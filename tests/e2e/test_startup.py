"""test_startup.py -- start-up, display modes, Escape and the frame-rate overlay, on the real program."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

# A flat title background, so every pixel under the overlay is known.
BACKGROUND = (200, 180, 160)
FLAT_TITLE = {"system/images/bg/title_01.jpg": harness.solid_jpeg(640, 480, BACKGROUND)}
BACKGROUND_SPOT = (300, 50)  # nothing but background is drawn here

LEFT, TOP, RIGHT, BOTTOM = harness.FPS_BOX
TEXT_ROWS = range(461, 469)  # font 1 is 8 pixels high, drawn from y 461


def near(rgb, expected, tolerance=8):
    return all(abs(a - b) <= tolerance for a, b in zip(rgb, expected))


def shows_background(picture):
    return near(picture.pixel(*BACKGROUND_SPOT), BACKGROUND)


def overlay_visible(picture):
    """Compares background rows just inside the box with rows just above it."""
    inside = sum(picture.mean((LEFT + 1, TOP + 1, RIGHT - 1, TOP + 2)))
    above = sum(picture.mean((LEFT + 1, TOP - 3, RIGHT - 1, TOP - 2)))
    if inside < 0.6 * above:
        return True
    if inside > 0.9 * above:
        return False
    raise AssertionError("the overlay box is neither there nor gone: %.0f inside, %.0f above" % (inside, above))


class StartupTest(harness.ProgramTestCase):

    def test_missing_settings_file_shows_its_message_and_exits_255(self):
        cases = {"no file": None, "a folder in its place": harness.FOLDER}
        for case, content in cases.items():
            with self.subTest(case):
                files = {"data/settings.ini": content} if content is not None else {}
                app = self.start(settings=None, files=files)
                message = app.wait_for_message()
                self.assertEqual(message.text, "Cannot find the settings.ini file, or it may be corrupt.")
                self.assertIsNone(app.window_state().mode, "no display is opened before the settings are read")
                app.dismiss_message(message)
                self.assertEqual(app.wait_exit(), 255)
                app.shutdown()

    def test_display_mode_follows_the_settings_and_the_shift_keys(self):
        # (settings, keys held from before the start, root size, mode, where the picture's corner is)
        cases = [
            ("WindowedMode ON", (), (640, 480), "windowed", (0, 0)),
            ("WindowedMode OFF", (), (640, 480), "fullscreen", (0, 0)),
            ("WindowedMode OFF", (), (1024, 768), "fullscreen", (192, 144)),
            ("WindowedMode OFF", ("Shift_L",), (640, 480), "windowed", (0, 0)),
            ("WindowedMode OFF", ("Shift_R",), (640, 480), "windowed", (0, 0)),
        ]
        for settings, keys, screen, mode, origin in cases:
            with self.subTest(settings=settings, keys=keys, screen=screen):
                app = self.start(settings=settings + "\nLanguage EN\n", files=FLAT_TITLE, screen=screen,
                                 hold_keys=keys)
                state = app.wait_for_window()
                app.release_holds()
                self.assertEqual(state.mode, mode, state)
                self.assertEqual(state.size, (640, 480))
                self.assertEqual(state.origin, origin)
                self.assertEqual(app.window_title(state), "Quillbrook")
                picture = app.wait_for_screen(shows_background, what="the title background")
                if screen != (640, 480):
                    # Full screen on a larger root: the picture sits centred on black.
                    self.assertEqual(picture.moved((0, 0)).pixel(0, 0), (0, 0, 0))
                app.shutdown()

    def test_escape_ends_the_program_on_release_with_status_0(self):
        app = self.start(files=FLAT_TITLE)
        app.wait_for_window()
        app.wait_for_screen(shows_background, what="the title menu")
        app.key_down("Escape")
        time.sleep(1.0)
        self.assertTrue(app.running(), "Escape must act when it is released, not while it is held")
        app.key_up("Escape")
        self.assertEqual(app.wait_exit(), 0)

    def test_display_hotkeys_switch_between_window_and_full_screen(self):
        app = self.start(settings=harness.settings_ini(windowed=True), files=FLAT_TITLE)
        app.wait_for_window("windowed")
        for key, mode in (("F5", "fullscreen"), ("F6", "windowed"), ("F5", "fullscreen")):
            app.tap(key)
            state = app.wait_for_window(mode)
            self.assertEqual(state.size, (640, 480))
            app.wait_for_screen(shows_background, what="the title menu after %s" % key)
        app.tap("Escape")
        self.assertEqual(app.wait_exit(), 0)

    def assert_overlay(self, shown, hidden):
        """shown has the overlay, hidden the same screen without it."""
        darkened, lighter = 0, []
        for (x, y), rgb in shown.pixels(harness.FPS_BOX):
            under = hidden.pixel(x, y)
            if all(abs(a - b / 2) <= 3 for a, b in zip(rgb, under)):
                darkened += 1
            elif sum(rgb) > sum(under) / 2 + 60:
                lighter.append((x, y))
        area = (RIGHT - LEFT + 1) * (BOTTOM - TOP + 1)
        self.assertGreater(darkened, area // 2, "the box halves what lies under it")
        self.assertGreater(len(lighter), 15, "light text is drawn in the box")
        self.assertEqual([xy for xy in lighter if xy[1] not in TEXT_ROWS], [], "the text stands on y 461")
        ring = [(x, y) for x in range(LEFT - 1, RIGHT + 2) for y in (TOP - 1, BOTTOM + 1)]
        ring += [(x, y) for x in (LEFT - 1, RIGHT + 1) for y in range(TOP, BOTTOM + 1) if y not in TEXT_ROWS]
        self.assertEqual([xy for xy in ring if shown.pixel(*xy) != hidden.pixel(*xy)], [],
                         "nothing outside the box changes")
        return set(lighter)

    def test_debug_mode_shows_the_overlay_from_the_first_frame_and_f9_toggles_it(self):
        for debug in (True, False):
            with self.subTest(debug=debug):
                app = self.start(settings=harness.settings_ini(debug=debug), files=FLAT_TITLE)
                first = app.wait_for_screen(shows_background, what="the first frame")
                started = time.monotonic()
                self.assertEqual(overlay_visible(first), debug, "the overlay follows DebugMode from the first frame")
                app.tap("F9")
                toggled = app.wait_for_screen(lambda p: overlay_visible(p) != debug, what="F9 to toggle the overlay")
                if debug:
                    text_at_start = self.assert_overlay(first, toggled)
                    time.sleep(max(0.0, 1.5 - (time.monotonic() - started)))
                    app.tap("F9")
                    again = app.wait_for_screen(overlay_visible, what="F9 to show the overlay again")
                    # The first second counts 0 frames; later seconds count more.
                    self.assertTrue(self.assert_overlay(again, toggled) != text_at_start,
                                    "the frame count shown after the first second differs from the 0 at start")
                else:
                    self.assert_overlay(toggled, first)
                app.save(toggled, "toggled")
                app.shutdown()


if __name__ == "__main__":
    harness.main()
