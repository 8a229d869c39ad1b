// main.cpp -- the program's entry: start-up, fonts, first-run language choice, title menu
#include <allegro.h>

#include "core/settings.h"
#include "core/startup.h"
#include "core/paths.h"
#include "screens/language.h"
#include "screens/title.h"
#include "text/font.h"

struct FontFile {
    int font;
    const char *path;
    int cell_width;
    int cell_height;
};

static const FontFile font_files[] = {
    {1, DATA_FOLDER FONT_FOLDER "standard.bmp", 8, 8},
    {2, DATA_FOLDER FONT_FOLDER "lat16w.bmp", 16, 16},
    {3, DATA_FOLDER FONT_FOLDER "lat12w.bmp", 12, 12},
};

int main()
{
    init_system();
    for (const FontFile &f : font_files)
        load_font_sheet(f.font, f.path, f.cell_width, f.cell_height);
    set_text_target(back_buffer);
    if (language == "XX")
        run_language_selection();
    run_title_menu();
    return 0;
}
END_OF_MAIN()
