"""test_editor.py -- the map editor and its properties dialog, driven on the real program.

Every check compares pictures the program itself drew: a cell before and after, one cell
against another, the tile preview against a painted cell, a scrolled view against the view
it came from shifted by one cell.
"""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

TITLE_BACKGROUND = (150, 110, 70)
FLAT_TITLE = {"system/images/bg/title_01.jpg": harness.solid_jpeg(640, 480, TITLE_BACKGROUND)}
TITLE_SPOT = (300, 50)  # plain background on the title menu, map on the editor

CELL = 32
# The pointer rests here while pictures are taken: clear of the screen's scroll edges, of the
# menu's darkened box and of the dialog's panels. Its cell gets the cursor square, the tile
# preview sits 8 right and 8 above it, and the pointer's own picture covers 12 by 19 pixels.
PARK = (540, 240)
PARK_CELL = (PARK[0] // CELL, PARK[1] // CELL)
POINTER_SPRITE = (PARK[0], PARK[1], PARK[0] + 11, PARK[1] + 18)
POINTER_AREA = (PARK[0] // CELL * CELL, PARK[1] // CELL * CELL, PARK[0] + 39, PARK[1] + 39)
# The part of the preview below the pointer's reach, and where it lies in a painted cell:
# the preview's lower 32 rows are the tile's cell picture.
PREVIEW_AREA = (PARK[0] + 12, PARK[1] + 8, PARK[0] + 39, PARK[1] + 39)
PREVIEW_IN_CELL = (12 - 8, 0)

MENU_SHADE = (164, 48, 475, 431)
MENU_BUTTONS = {name: (192, y, 192 + 255, y + 31) for name, y in (
    ("properties", 60), ("save", 100), ("restore", 140), ("faction", 180), ("preparation", 220),
    ("help", 260), ("quit", 300), ("continue", 380))}

DIALOG_PARK = (560, 440)  # over the frozen backdrop, where nothing reacts
DIALOG_TAB = (144, 80, 335, 111)
OKAY = (384, 344, 384 + 111, 344 + 31)
WIDTH_UP, WIDTH_DOWN = (144, 288, 159, 295), (144, 296, 159, 303)
HEIGHT_UP, HEIGHT_DOWN = (320, 288, 335, 295), (320, 296, 335, 303)
WIDTH_NUMBER = (162, 288, 317, 307)
HEIGHT_NUMBER = (338, 288, 510, 307)
NAME_TEXT = (272, 128, 493, 143)
NAME_FRAME_SPOTS = [(495, y) for y in range(127, 144)] + [(x, 144) for x in range(300, 495)]


def cell_box(column, row):
    return (column * CELL, row * CELL, column * CELL + CELL - 1, row * CELL + CELL - 1)


def region(picture, box):
    """The pixels of a box as bytes, for quick comparisons."""
    return picture.crop(box).data


def moved_box(box, dx, dy):
    left, top, right, bottom = box
    return (left + dx, top + dy, right + dx, bottom + dy)


def overlaps(a, b):
    return a[0] <= b[2] and b[0] <= a[2] and a[1] <= b[3] and b[1] <= a[3]


def inside(point, box):
    return box[0] <= point[0] <= box[2] and box[1] <= point[1] <= box[3]


def differences(a, b, box=None):
    """The points where two pictures differ, row by row only where a row differs."""
    left, top, right, bottom = a.box(box)
    found = []
    for y in range(top, bottom + 1):
        row = (left, y, right, y)
        if region(a, row) != region(b, row):
            found += [(x, y) for x in range(left, right + 1) if a.pixel(x, y) != b.pixel(x, y)]
    return found


def about_half(darker, lighter, tolerance=3):
    return all(abs(d - l / 2) <= tolerance for d, l in zip(darker, lighter))


def on_title(picture):
    return all(abs(a - b) <= 8 for a, b in zip(picture.pixel(*TITLE_SPOT), TITLE_BACKGROUND))


class EditorTest(harness.ProgramTestCase):

    def launch(self):
        app = self.start(settings=harness.settings_ini(language="EN"), files=FLAT_TITLE)
        app.wait_for_window()
        app.move(300, 120)
        app.wait_for_screen(on_title, what="the title menu")
        app.wait_until_still()
        return app

    def enter_editor(self, app):
        app.click_button(harness.TITLE_BUTTONS["editor"])
        app.move(*PARK)
        app.wait_for_screen(lambda p: not on_title(p), what="the editor")
        return app.wait_until_still()

    def editing(self, app, label=None):
        """The settled editing screen with the pointer parked."""
        app.move(*PARK)
        picture = app.wait_until_still()
        if label:
            app.save(picture, label)
        return picture

    def paint_at(self, app, column, row, button=1):
        app.click(column * CELL + 16, row * CELL + 16, button=button, hold=0.15)

    def open_menu(self, app, editing):
        app.tap("Escape")
        app.wait_for_screen(lambda p: p.pixel(170, 60) != editing.pixel(170, 60), what="the editor menu")
        return app.wait_until_still()

    def open_dialog(self, app, menu):
        app.click_button(MENU_BUTTONS["properties"])
        app.move(*DIALOG_PARK)
        app.wait_for_screen(lambda p: not p.same_as(menu, DIALOG_TAB), what="the properties dialog")
        return app.wait_until_still()

    def click_in_dialog(self, app, box):
        app.click_button(box)
        app.move(*DIALOG_PARK)
        return app.wait_until_still()

    def assert_same(self, picture, expected, box=None, message=""):
        found = differences(picture, expected, box)
        self.assertEqual(found[:10], [], "%s (%d pixels differ)" % (message, len(found)))

    def assert_trail_and_preview(self, painted, before, trail):
        """The cells of the trail, and only they, changed; all show one tile, the previewed one."""
        trail_box = (trail[0][0] * CELL, trail[0][1] * CELL, trail[-1][0] * CELL + 31, trail[-1][1] * CELL + 31)
        outside = [xy for xy in differences(painted, before) if not inside(xy, trail_box)]
        self.assertEqual(outside[:10], [], "only the dragged-over cells change")
        first = region(painted, cell_box(*trail[0]))
        for column, row in trail:
            box = cell_box(column, row)
            self.assertTrue(region(painted, box) != region(before, box), "cell %d,%d is painted" % (column, row))
            self.assertTrue(region(painted, box) == first, "cell %d,%d shows the same tile" % (column, row))
        dx, dy = PREVIEW_IN_CELL
        left, top = cell_box(*trail[0])[:2]
        width, height = PREVIEW_AREA[2] - PREVIEW_AREA[0], PREVIEW_AREA[3] - PREVIEW_AREA[1]
        in_cell = (left + dx, top + dy, left + dx + width, top + dy + height)
        self.assertTrue(region(painted, in_cell) == region(painted, PREVIEW_AREA),
                        "the tile painted is the tile previewed next to the pointer")

    def assert_no_scroll_while(self, app, still, action, box):
        """Does action() (which holds a key or parks the pointer) and checks, on several pictures
        taken meanwhile and after, that the map in box has not moved."""
        action()
        for _ in range(5):
            self.assert_same(app.screenshot(), still, box, "the view must not move")
            time.sleep(0.15)

    def test_paint_pick_no_scroll_grid_menu_quit_and_enter_again(self):
        app = self.launch()
        self.enter_editor(app)
        fresh = self.editing(app, "fresh")
        grass = region(fresh, cell_box(0, 0))
        for column in range(20):
            for row in range(15):
                if not overlaps(cell_box(column, row), POINTER_SPRITE) and (column, row) != PARK_CELL:
                    self.assertTrue(region(fresh, cell_box(column, row)) == grass,
                                    "a new map is one tile everywhere (cell %d,%d)" % (column, row))
        self.assertTrue(region(fresh, PREVIEW_AREA) == region(fresh, moved_box(PREVIEW_AREA, 0, -2 * CELL)),
                        "tile 0 selected: no preview")

        # The first entry has tile 0 selected: a click empties the cell, and black shows.
        blank = (4, 5)
        self.paint_at(app, *blank)
        emptied = self.editing(app, "emptied")
        self.assertTrue(emptied.uniform(cell_box(*blank)) and emptied.pixel(*cell_box(*blank)[:2]) == (0, 0, 0),
                        "the emptied cell is black")
        self.assert_same(emptied, fresh, (0, 0, 639, cell_box(*blank)[1] - 1), "nothing else changes")

        app.tap("KP_Add", "KP_Add", "KP_Add")  # tile 3
        app.wait_for_screen(lambda p: not p.same_as(fresh, PREVIEW_AREA), what="the tile preview")
        before = self.editing(app)
        trail = [(column, 3) for column in range(2, 9)]
        app.drag([(x, 3 * CELL + 16) for x in range(2 * CELL + 16, 8 * CELL + 17, 16)], step=0.1)
        painted = self.editing(app, "painted")
        self.assert_trail_and_preview(painted, before, trail)

        # 20 by 15 cells fit the screen: neither the arrow keys nor the edges scroll it.
        top_rows = (0, 0, 639, 6 * CELL - 1)
        self.assert_no_scroll_while(app, painted, lambda: app.key_down("Right", "Down"), top_rows)
        app.key_up("Right", "Down")
        for edge in ((630, 240), (300, 470), (639, 479)):
            self.assert_no_scroll_while(app, painted, lambda: app.move(*edge), top_rows)
        self.assert_same(self.editing(app), painted, message="the view stays where it was")

        # Picking: the main-keyboard plus moves on to tile 5; the right button takes the tile
        # of the cell, 0 from the emptied one (no preview), 3 from the trail.
        app.tap("equal", "equal")
        app.wait_for_screen(lambda p: not p.same_as(painted, PREVIEW_AREA), what="another tile in the preview")
        self.paint_at(app, *blank, button=3)
        app.move(*PARK)
        app.wait_for_screen(lambda p: p.same_as(fresh, PREVIEW_AREA), what="the preview to go")
        self.paint_at(app, 5, 3, button=3)
        app.move(*PARK)
        app.wait_for_screen(lambda p: p.same_as(painted, PREVIEW_AREA), what="tile 3 in the preview again")
        self.assert_same(self.editing(app, "picked"), painted, message="picking paints nothing")

        # G: translucent black lines along every 32nd row and column, nothing else changes.
        app.tap("g")
        app.wait_for_screen(lambda p: p.pixel(64, 10) != painted.pixel(64, 10), what="the grid")
        grid = self.editing(app, "grid")
        changed = 0
        for x, y in ((x, y) for y in range(480) for x in range(640)):
            if inside((x, y), POINTER_AREA):
                continue
            old, new = painted.pixel(x, y), grid.pixel(x, y)
            if x % CELL == 0 or y % CELL == 0:
                self.assertTrue(about_half(new, old), "grid pixel %d,%d: %r over %r" % (x, y, new, old))
                changed += new != old
            else:
                self.assertEqual(new, old, "off the grid lines at %d,%d" % (x, y))
        self.assertGreater(changed, 15000, "the grid lines darken the map")

        # The menu: the map with its grid darkened in a box, no cursor square or preview.
        menu = self.open_menu(app, grid)
        app.save(menu, "menu")
        for x, y in ((x, y) for y in range(480) for x in range(0, 640, 3)):
            if inside((x, y), POINTER_AREA):
                continue
            if not inside((x, y), MENU_SHADE):
                self.assertEqual(menu.pixel(x, y), grid.pixel(x, y), "outside the box at %d,%d" % (x, y))
            elif x < MENU_BUTTONS["quit"][0] or x > MENU_BUTTONS["quit"][2]:
                self.assertTrue(about_half(menu.pixel(x, y), grid.pixel(x, y)), "darkened at %d,%d" % (x, y))
        left, top = cell_box(*PARK_CELL)[:2]
        beside_pointer = (left, top, PARK[0] - 1, top + CELL - 1)
        for box in (beside_pointer, PREVIEW_AREA):
            self.assertTrue(region(menu, box) == region(grid, moved_box(box, 0, -2 * CELL)),
                            "neither the cursor square nor the preview shows under the menu")

        # Save, restore and the two other editors react and do nothing.
        for name in ("save", "restore", "faction", "preparation"):
            box = MENU_BUTTONS[name]
            pressed = app.click_button(box)
            self.assertFalse(pressed.same_as(menu, box), "%s shows itself pressed" % name)
            app.move(*PARK)
            app.wait_until_still()
            self.assert_same(app.screenshot(), menu, message="the menu is as it was after %s" % name)

        # Esc closes the menu, and its release does not open it again; continue closes it too.
        app.tap("Escape")
        app.wait_for_screen(lambda p: p.same_as(grid), what="editing after Esc")
        time.sleep(0.5)
        self.assert_same(app.screenshot(), grid, message="still editing after the release of Esc")
        self.open_menu(app, grid)
        app.click_button(MENU_BUTTONS["continue"])
        app.move(*PARK)
        app.wait_for_screen(lambda p: p.same_as(grid), what="editing after continue")

        # Quit and enter again: a new map, the grid still on, tile 3 still selected.
        self.open_menu(app, grid)
        app.click_button(MENU_BUTTONS["quit"])
        app.move(300, 120)
        app.wait_for_screen(on_title, what="the title menu after quit")
        self.enter_editor(app)
        again = self.editing(app, "again")
        trail_box = (2 * CELL, 3 * CELL, 9 * CELL - 1, 4 * CELL - 1)
        outside = [xy for xy in differences(again, grid)
                   if not inside(xy, trail_box) and not inside(xy, cell_box(*blank))]
        self.assertEqual(outside[:10], [], "the grid and the preview of tile 3 are as they were")
        plain = region(again, cell_box(0, 0))
        for cell in trail + [blank]:
            self.assertTrue(region(again, cell_box(*cell)) == plain, "cell %d,%d is back to the first tile" % cell)

    def test_properties_dialog_keeps_name_and_size_and_the_grown_map_scrolls(self):
        app = self.launch()
        self.enter_editor(app)
        fresh = self.editing(app, "fresh")
        menu = self.open_menu(app, fresh)
        dialog = self.open_dialog(app, menu)
        app.save(dialog, "dialog")

        app.tap("Escape")
        time.sleep(0.5)
        self.assert_same(app.screenshot(), dialog, message="Esc does not close the dialog")

        app.click(NAME_TEXT[0] + 8, NAME_TEXT[1] + 8,
                  until=lambda p: any(p.pixel(*s) != dialog.pixel(*s) for s in NAME_FRAME_SPOTS))
        app.type_text("Big Isle")  # a G that reached the editor would switch its grid on
        app.move(*DIALOG_PARK)
        typing = app.wait_until_still()
        app.save(typing, "typing")
        app.tap("Escape")  # drops the focus, nothing more
        time.sleep(0.5)
        typed = app.wait_until_still()
        app.save(typed, "typed")
        found = differences(typed, dialog)
        self.assertTrue(found, "the name shows")
        self.assertEqual([xy for xy in found if not inside(xy, NAME_TEXT)][:10], [],
                         "only the name's glyphs are new: the frame has lost its focus colour, the dialog stays")
        self.assertTrue(region(typing, NAME_TEXT) != region(typed, NAME_TEXT), "the typing mark has gone")

        # The width stops at 20 (so down then up gives 21), the height at 15 (down, up, down: 15).
        self.click_in_dialog(app, WIDTH_DOWN)
        shown = self.click_in_dialog(app, WIDTH_UP)
        self.assertTrue(region(shown, WIDTH_NUMBER) != region(dialog, WIDTH_NUMBER),
                        "down at 20 does nothing, so up gives 21")
        self.click_in_dialog(app, HEIGHT_DOWN)
        self.click_in_dialog(app, HEIGHT_UP)
        grown = self.click_in_dialog(app, HEIGHT_DOWN)
        app.save(grown, "grown")
        self.assertTrue(region(grown, HEIGHT_NUMBER) == region(dialog, HEIGHT_NUMBER),
                        "down at 15 does nothing, so up and down give 15 again")
        self.assert_same(grown, typed, (0, 0, 639, WIDTH_NUMBER[1] - 1), "the name stays while the size changes")

        self.click_in_dialog(app, OKAY)
        app.move(*PARK)
        app.wait_for_screen(lambda p: p.same_as(menu), what="the menu, with every widget of the dialog gone")
        reopened = self.open_dialog(app, menu)
        app.save(reopened, "reopened")
        self.assert_same(reopened, grown, message="the dialog shows the name typed and the size 21 by 15")
        self.click_in_dialog(app, OKAY)
        app.move(*PARK)
        app.wait_for_screen(lambda p: p.same_as(menu), what="the menu again")
        app.click_button(MENU_BUTTONS["continue"])
        app.move(*PARK)
        app.wait_for_screen(lambda p: p.same_as(fresh), what="editing at the first column")

        # Marks to follow: two emptied cells in the top rows.
        self.paint_at(app, 10, 4)
        self.paint_at(app, 18, 2)
        marked = self.editing(app, "marked")
        top_rows = (0, 0, 639, 6 * CELL - 1)

        # 21 columns: x 608 is not yet the edge, the right arrow held scrolls one column and stops.
        app.move(608, 240)
        time.sleep(1.0)
        self.assert_same(self.editing(app), marked, message="x 608 does not scroll")
        app.hold("Right", 1.5)
        right = self.editing(app, "right")
        self.assertTrue(region(right, (0, 0, 607, top_rows[3])) == region(marked, (32, 0, 639, top_rows[3])),
                        "the view moved left by exactly one column")
        self.assertTrue(region(right, cell_box(19, 2)) == region(marked, cell_box(0, 0)),
                        "the map's 21st column shows the first tile")
        app.move(32, 240)
        time.sleep(1.0)
        self.assert_same(self.editing(app), right, message="x 32 does not scroll")
        app.move(31, 240)
        app.wait_for_screen(lambda p: p.same_as(marked, top_rows), what="x 31 to scroll back")
        self.assert_same(self.editing(app), marked, message="back at the first column")

        # Narrowed back to 20 columns while scrolled to the 21st, the view follows the new edge;
        # then 16 rows: y 448 is not yet the edge, y 449 scrolls one row, y 31 scrolls back.
        app.hold("Right", 1.0)
        self.assert_same(self.editing(app), right, message="scrolled to the last column again")
        self.open_dialog(app, self.open_menu(app, right))
        self.click_in_dialog(app, WIDTH_DOWN)
        self.click_in_dialog(app, HEIGHT_UP)
        self.click_in_dialog(app, OKAY)
        app.click_button(MENU_BUTTONS["continue"])
        app.move(*PARK)
        app.wait_for_screen(lambda p: p.same_as(marked), what="editing back at the first column")
        app.move(300, 448)
        time.sleep(1.0)
        self.assert_same(self.editing(app), marked, message="y 448 does not scroll")
        app.move(300, 449)
        time.sleep(1.0)
        down = self.editing(app, "down")
        self.assertTrue(region(down, (0, 0, 479, 415)) == region(marked, (0, 32, 479, 447)),
                        "the view moved up by exactly one row")
        app.move(300, 31)
        app.wait_for_screen(lambda p: p.same_as(marked, (0, 64, 479, 415)), what="y 31 to scroll back")
        self.assert_same(self.editing(app), marked, message="back at the first row")

        # A new visit has a new map: the dialog shows empty fields and 20 by 15 again.
        self.open_menu(app, marked)
        app.click_button(MENU_BUTTONS["quit"])
        app.move(300, 120)
        app.wait_for_screen(on_title, what="the title menu after quit")
        self.enter_editor(app)
        self.editing(app)
        self.assert_same(self.open_menu(app, fresh), menu, message="the menu over a new map at its first cell")
        self.assert_same(self.open_dialog(app, menu), dialog, message="empty name, 20 by 15")


if __name__ == "__main__":
    harness.main()
