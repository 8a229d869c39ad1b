"""test_title.py -- the first-run language screen and the title menu, driven on the real program."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

# Flat backgrounds in two colours, so a test can tell the screens apart by one pixel.
LANGUAGE_BACKGROUND = (40, 90, 140)
TITLE_BACKGROUND = (150, 110, 70)
FLAT_BACKGROUNDS = {
    "system/images/bg/generic_01.jpg": harness.solid_jpeg(640, 480, LANGUAGE_BACKGROUND),
    "system/images/bg/title_01.jpg": harness.solid_jpeg(640, 480, TITLE_BACKGROUND),
}
SPOT = (300, 50)   # only background on both screens
PARK = (300, 100)  # where the pointer waits while pictures are compared; it covers no widget
CAPTIONS = (352, 232, 607, 455)  # the column of title buttons
WELCOME = (32, 300, 319, 470)    # welcome panel and version line
INERT = ("campaign", "multi", "tutorial", "options")
EDITOR_MENU_QUIT = (192, 300, 447, 331)


def near(rgb, expected, tolerance=8):
    return all(abs(a - b) <= tolerance for a, b in zip(rgb, expected))


def showing(background):
    return lambda picture: near(picture.pixel(*SPOT), background)


def not_showing(background):
    return lambda picture: not near(picture.pixel(*SPOT), background)


class TitleTest(harness.ProgramTestCase):

    def launch(self, language, remove=(), files=None):
        app = self.start(settings=harness.settings_ini(language=language),
                         files=dict(FLAT_BACKGROUNDS, **(files or {})), remove=remove)
        app.wait_for_window()
        return app

    def title_picture(self, app, label=None):
        """The settled title menu with the pointer parked out of the way."""
        app.move(*PARK)
        app.wait_for_screen(showing(TITLE_BACKGROUND), what="the title menu")
        picture = app.wait_until_still()
        if label:
            app.save(picture, label)
        return picture

    def reference(self, language):
        """The title menu of a run that starts in the language without asking."""
        app = self.launch(language)
        picture = self.title_picture(app, "title-%s" % language)
        app.shutdown()
        return picture

    def language_screen(self, app):
        app.wait_for_screen(showing(LANGUAGE_BACKGROUND), what="the language screen")
        return app.wait_until_still()

    def test_each_language_button_gives_the_title_menu_in_its_language(self):
        references = {}
        for code, box in harness.LANGUAGE_BUTTONS.items():
            with self.subTest(code):
                references[code] = self.reference(code)
                app = self.launch("XX")
                app.save(self.language_screen(app), "language-screen")
                app.click_button(box)
                chosen = self.title_picture(app, "chosen-%s" % code)
                self.assertEqual(chosen.differences(references[code])[:10], [],
                                 "the title menu after choosing %s is the %s menu, with nothing left over" % (code, code))
                app.shutdown()
        codes = list(references)
        for i, a in enumerate(codes):
            for b in codes[i + 1:]:
                self.assertFalse(references[a].same_as(references[b], CAPTIONS),
                                 "%s and %s captions should differ" % (a, b))

    def test_escape_on_the_language_screen_leaves_a_working_english_menu(self):
        english = self.reference("EN")
        cases = {"tapped": lambda app: app.tap("Escape"),
                 "held a while": lambda app: app.hold("Escape", 1.0)}
        for case, press in cases.items():
            with self.subTest(case):
                app = self.launch("XX")
                self.language_screen(app)
                press(app)
                menu = self.title_picture(app, "after-escape")
                time.sleep(1.0)
                self.assertTrue(app.running(), "the release of that Escape must not end the title menu too")
                self.assertTrue(menu.same_as(english), "the XX texts are the English ones")
                app.tap("Escape")
                self.assertEqual(app.wait_exit(), 0)
                app.shutdown()

    def test_quit_and_escape_end_the_program_with_status_0(self):
        cases = {"quit button": lambda app: app.click_button(harness.TITLE_BUTTONS["quit"]),
                 "Escape": lambda app: app.tap("Escape")}
        for case, leave in cases.items():
            with self.subTest(case):
                app = self.launch("EN")
                self.title_picture(app)
                leave(app)
                self.assertEqual(app.wait_exit(), 0)
                app.shutdown()

    def test_the_four_inert_buttons_press_and_do_nothing(self):
        app = self.launch("EN")
        before = self.title_picture(app)
        outside = (0, 0, 351, 479)  # everything left of the column, pointer-free while it is on a button
        first = None
        for name in INERT:
            with self.subTest(name):
                box = harness.TITLE_BUTTONS[name]
                pressed = app.click_button(box)
                released = app.wait_until_still()
                self.assertFalse(released.same_as(pressed, box), "the pressed picture goes with the release")
                first = first or released
                self.assertTrue(released.same_as(first, outside), "nothing else on the screen changes")
                self.assertTrue(app.running())
        self.assertTrue(self.title_picture(app).same_as(before), "the menu is as it was")
        self.assertTrue(app.running())

    def test_editor_and_help_come_back_to_the_same_menu(self):
        app = self.launch("SW")
        before = self.title_picture(app, "before")
        for name in ("help", "editor"):
            with self.subTest(name):
                app.click_button(harness.TITLE_BUTTONS[name])
                app.wait_for_screen(not_showing(TITLE_BACKGROUND), what="the %s screen" % name)
                app.wait_until_still()
                app.tap("Escape")
                if name == "editor":
                    app.wait_until_still()  # the editor menu
                    app.click_button(EDITOR_MENU_QUIT)
                after = self.title_picture(app, "after-%s" % name)
                self.assertEqual(after.differences(before)[:10], [])

    def test_missing_data_ends_with_a_message_naming_the_file_and_status_255(self):
        picture = "Cannot find the %s file, or it may be corrupt."
        cases = [
            ("EN", "system/images/bg/title_01.jpg", None, picture % "system/images/bg/title_01.jpg"),
            ("EN", None, {"system/images/bg/title_01.jpg": b"not a picture"},
             picture % "system/images/bg/title_01.jpg"),
            ("XX", "system/images/bg/generic_01.jpg", None, picture % "system/images/bg/generic_01.jpg"),
            ("XX", None, {"system/images/bg/generic_01.jpg": b"\xff\xd8 cut short"},
             picture % "system/images/bg/generic_01.jpg"),
            ("EN", "system/text/EN/title.txt", None,
             "Cannot find the system/text/EN/title.txt file.  Check and make sure that it is present."),
        ]
        for language, removed, files, message in cases:
            with self.subTest(removed or list(files)[0], language=language):
                app = self.start(settings=harness.settings_ini(language=language),
                                 remove=[removed] if removed else (), files=files)
                text, status = app.read_message_and_exit()
                self.assertEqual(text, message)
                self.assertEqual(status, 255)
                app.shutdown()


if __name__ == "__main__":
    harness.main()
