"""test_help.py -- the help browser on the real program: topics, backdrop, closing, and its callers."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

TITLE_BACKGROUND = (150, 110, 70)
FLAT_TITLE = {"system/images/bg/title_01.jpg": harness.solid_jpeg(640, 480, TITLE_BACKGROUND)}

# Pages that each put their heading rule on a row of its own, so one screen row tells which
# page is shown: the rule lies 16 pixels under the heading's top, and each paragraph before
# the heading moves it down by 24.
PAGE_X, PAGE_Y = 160, 64
RULE_LEFT, RULE_RIGHT = PAGE_X + 10, PAGE_X + 406
TOPIC_PAGES = {
    "index": ("<title>Home page</title><h1>Home</h1>", PAGE_Y + 26),
    "vave_rodiz": ("<title>Tile page</title><p>a</p><h1>Tiles</h1>", PAGE_Y + 50),
    "about": ("<title>About page</title><p>a</p><p>b</p><h1>About</h1>", PAGE_Y + 74),
}
PAGE_FILES = {"system/text/EN/manual/%s.txt" % topic: markup for topic, (markup, _) in TOPIC_PAGES.items()}

BUTTONS = {"exit": (32, 424), "home": (32, 64), "tile": (32, 96), "about": (32, 128)}
TITLE_LABEL = (32, 32, 400, 47)
DARKENED_SPOT = (600, 40)  # inside the darkened frame, clear of the page, the buttons and the title
BORDER_SPOTS = [(5, 5), (634, 474), (320, 8), (8, 240)]
PARK = (620, 200)          # the pointer waits here: over nothing on the title menu or in the browser
EDITOR_PARK = (300, 200)   # well away from the edges, which would scroll the map
WHITE = (255, 255, 255)


def button_centre(name):
    x, y = BUTTONS[name]
    return x + 56, y + 16


def click(app, x, y):
    """A click that the program sees whole: the release comes while the pointer is still on the spot."""
    app.click(x, y)
    time.sleep(0.2)


def near(rgb, expected, tolerance=8):
    return all(abs(a - b) <= tolerance for a, b in zip(rgb, expected))


def shown_topic(picture):
    """The topic whose heading rule is on screen, or None."""
    found = [topic for topic, (_, row) in TOPIC_PAGES.items()
             if all(picture.pixel(x, row) == WHITE for x in range(RULE_LEFT, RULE_RIGHT + 1, 11))]
    return found[0] if len(found) == 1 else None


def showing_topic(topic):
    return lambda picture: shown_topic(picture) == topic


def on_title(picture):
    return near(picture.pixel(*DARKENED_SPOT), TITLE_BACKGROUND)


class HelpTest(harness.ProgramTestCase):

    def launch(self, debug=False, files=None, remove=()):
        app = self.start(settings=harness.settings_ini(language="EN", debug=debug),
                         files=dict(FLAT_TITLE, **(files or {})), remove=remove)
        app.wait_for_window()
        return app

    def title_picture(self, app):
        app.move(*PARK)
        app.wait_for_screen(on_title, what="the title menu")
        return app.wait_until_still()

    def open_from_title(self, app, topic="index"):
        click(app, *harness.centre(harness.TITLE_BUTTONS["help"]))
        app.move(*PARK)
        app.wait_for_screen(showing_topic(topic), what="the help page %s" % topic)
        return app.wait_until_still()

    def test_topics_backdrop_and_closing(self):
        app = self.launch(files=PAGE_FILES)
        before = self.title_picture(app)
        browser = self.open_from_title(app)
        app.save(browser, "browser")

        darkened = browser.pixel(*DARKENED_SPOT)
        for channel, full in zip(darkened, TITLE_BACKGROUND):
            self.assertTrue(full / 12 <= channel <= full / 5, "the frame keeps about an eighth: %r" % (darkened,))
        for spot in BORDER_SPOTS:
            self.assertEqual(browser.pixel(*spot), before.pixel(*spot), "the 16-pixel border is the title menu")

        labels = {"index": browser.crop(TITLE_LABEL)}
        for button, topic in (("tile", "vave_rodiz"), ("about", "about"), ("home", "index"), ("tile", "vave_rodiz")):
            with self.subTest(button):
                click(app, *button_centre(button))
                app.move(*PARK)
                picture = app.wait_for_screen(showing_topic(topic), what="the page %s" % topic)
                picture = app.wait_until_still()
                app.save(picture, "topic-%s" % topic)
                self.assertEqual(shown_topic(picture), topic)
                labels.setdefault(topic, picture.crop(TITLE_LABEL))
        self.assertFalse(labels["index"].same_as(labels["vave_rodiz"]), "the title bar follows the page")
        self.assertFalse(labels["vave_rodiz"].same_as(labels["about"]), "the title bar follows the page")

        # Esc acts on its release: held, the browser stays.
        hold = app.hold_in_background("Escape", 1.5)
        time.sleep(1.0)
        self.assertEqual(shown_topic(app.screenshot()), "vave_rodiz", "held Esc does not close the guide")
        hold.wait(harness.TIMEOUT)  # the key comes up at the end of the hold
        after = self.title_picture(app)
        self.assertEqual(after.differences(before)[:10], [], "the title menu is back as it was")
        self.assertTrue(app.running(), "the release closed the guide and did not reach the title menu")

        self.open_from_title(app)
        click(app, *button_centre("exit"))
        after = self.title_picture(app)
        self.assertEqual(after.differences(before)[:10], [], "the exit button closes the guide")

    def test_debug_mode_shows_the_page_on_black(self):
        app = self.launch(debug=True, files=PAGE_FILES)
        self.title_picture(app)
        browser = self.open_from_title(app)
        # Below the rule the page is empty: black all the way down to its last shown row.
        for spot in [(PAGE_X, PAGE_Y + 100), (PAGE_X + 415, PAGE_Y + 383), (PAGE_X + 200, PAGE_Y + 300)]:
            self.assertEqual(browser.pixel(*spot), (0, 0, 0))
        self.assertNotEqual(browser.pixel(PAGE_X + 200, PAGE_Y + 384), (0, 0, 0), "the page ends at row 384")

    def test_f1_in_the_editor_comes_back_to_the_same_map(self):
        app = self.launch(files=PAGE_FILES)
        self.title_picture(app)
        click(app, *harness.centre(harness.TITLE_BUTTONS["editor"]))
        app.move(*EDITOR_PARK)
        app.wait_for_screen(lambda p: not on_title(p), what="the editor")
        app.tap("equal", "equal", "equal", "equal")  # tile 4 or so: anything but the eraser
        app.click(200, 150)
        app.drag([(200, 150), (296, 150)])
        app.move(*EDITOR_PARK)
        before = app.wait_until_still()
        app.save(before, "editor-before")

        app.tap("F1")
        app.wait_for_screen(showing_topic("index"), what="the guide over the editor")
        app.tap("Escape")
        app.move(*EDITOR_PARK)
        app.wait_for_screen(lambda p: shown_topic(p) is None, what="the editor again")
        after = app.wait_until_still()
        app.save(after, "editor-after")
        self.assertEqual(after.differences(before)[:10], [], "the same map, scrolled as it was")

    def test_a_missing_page_ends_with_its_message_and_status_255(self):
        message = "Cannot find the requested file for the help guide, or it may be corrupt."
        for topic, button in (("index", None), ("vave_rodiz", "tile"), ("about", "about")):
            with self.subTest(topic):
                missing = "system/text/EN/manual/%s.txt" % topic
                others = {path: markup for path, markup in PAGE_FILES.items() if path != missing}
                app = self.launch(files=others, remove=[missing])
                self.title_picture(app)
                click(app, *harness.centre(harness.TITLE_BUTTONS["help"]))
                if button:
                    app.move(*PARK)
                    app.wait_for_screen(showing_topic("index"), what="the guide")
                    click(app, *button_centre(button))
                text, status = app.read_message_and_exit()
                self.assertEqual(text, message)
                self.assertEqual(status, 255)
                app.shutdown()


if __name__ == "__main__":
    harness.main()
