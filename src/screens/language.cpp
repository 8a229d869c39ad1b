// language.cpp -- the first-run screen that asks in which language every later screen shows its text
#include "screens/language.h"

#include <allegro.h>

#include "core/fatal.h"
#include "core/frame.h"
#include "core/paths.h"
#include "core/settings.h"
#include "core/startup.h"
#include "text/label.h"
#include "widgets/button.h"

namespace {

const char LANGUAGE_BACKGROUND_PATH[] = DATA_FOLDER BACKGROUND_FOLDER "generic_01.jpg";

struct LanguageLabel {
    int slot;
    int x;
    int y;
    int font;
    int align;  // 0 from x, 1 centred on x
    const char *text;
};

// No language is known yet, so these texts are fixed rather than read from a table.
const LanguageLabel LANGUAGE_LABELS[] = {
    {0, 320, 100, 2, 1, "Welcome to Quillbrook!"},
    {1, 320, 132, 2, 1, "Please select a language."},
    {2, 320, 148, 2, 1, "You may change this setting later by selecting \"Options\" from the main menu."},
    {3, 16, 440, 1, 0, "Quillbrook"},
    {4, 16, 448, 1, 0, "Ver. " VERSION_STRING},
    {5, 16, 456, 1, 0, "(c) 2025-2026 The Quillbrook developers"},
};

struct LanguageButton {
    int slot;
    int x;
    const char *image;
    const char *code;  // stored in the language setting when clicked
};

const int LANGUAGE_BUTTON_Y = 250;

// Left to right on screen: EN, DU, SW, SP.
const LanguageButton LANGUAGE_BUTTONS[] = {
    {1, 16, "en", "EN"},
    {3, 120, "du", "DU"},
    {2, 224, "sw", "SW"},
    {4, 328, "sp", "SP"},
};

// Slots in the order their clicks are asked for.
const int CLICK_ORDER[] = {1, 2, 3, 4};

}  // namespace

int build_language_selection()
{
    for (const LanguageLabel &label : LANGUAGE_LABELS)
        create_label(label.slot, label.x, label.y, label.text, label.font, -1, label.align, 0);
    for (const LanguageButton &button : LANGUAGE_BUTTONS)
        create_button(button.slot, button.x, LANGUAGE_BUTTON_Y, button.image, 0);
    return 0;
}

// The code of the first language button that reports a click, or an empty string.
std::string chosen_language()
{
    for (int slot : CLICK_ORDER) {
        if (!button_clicked(slot))
            continue;
        for (const LanguageButton &button : LANGUAGE_BUTTONS)
            if (button.slot == slot)
                return button.code;
    }
    return "";
}

// Esc is read held, not released, so its release is still to come when this screen
// leaves; swallow it here, or the title menu would take it as its own Esc and quit.
static void let_go_of_escape()
{
    while (key[KEY_ESC])
        rest(1);
    update_key_latches();
}

void run_language_selection()
{
    build_language_selection();
    BITMAP *background = load_bitmap(LANGUAGE_BACKGROUND_PATH, NULL);
    if (!background)
        fatal_error(EXIT_MISSING_FILE, "Cannot find the %s file, or it may be corrupt.", LANGUAGE_BACKGROUND_PATH);
    for (;;) {
        if (key[KEY_ESC])
            break;
        blit(background, back_buffer, 0, 0, 0, 0, background->w, background->h);
        refresh_frame();
        std::string code = chosen_language();
        if (!code.empty()) {
            language = code;
            break;
        }
    }
    destroy_bitmap(background);
    destroy_buttons();
    clear_labels();
    let_go_of_escape();
    clear_key_latches();
}
