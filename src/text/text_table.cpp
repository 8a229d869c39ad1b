// text_table.cpp -- reads a language's text file into the table the screens take captions from
#include "text/text_table.h"

#include <allegro.h>

#include "core/fatal.h"
#include "core/paths.h"
#include "core/settings.h"
#include "core/startup.h"

TextTable screen_text;

int load_text_table(TextTable &table, const std::string &name)
{
    std::string path = DATA_FOLDER TEXT_FOLDER + language + "/" + name + ".txt";
    FILE *file = fopen(path.c_str(), "rt");
    if (!file) {
        if (!system_driver)  // a second start while the display is up would take it down
            allegro_init();
        fatal_error(EXIT_MISSING_FILE, "Cannot find the %s file.  Check and make sure that it is present.",
                    path.c_str());
    }
    clear_text_table(table);
    read_text_entries(table, file);
    fclose(file);
    return 0;
}

// Text files written on Windows end their lines with CR LF; both read as one line end.
static int read_char(FILE *file)
{
    int c = fgetc(file);
    if (c == '\r') {
        int next = fgetc(file);
        if (next == '\n')
            return '\n';
        if (next != EOF)
            ungetc(next, file);
    }
    return c;
}

// Reads characters into text up to (not including) stop; false when the file ends first.
static bool read_until(FILE *file, int stop, std::string &text, bool line_end_as_space)
{
    int c;
    while ((c = read_char(file)) != EOF) {
        if (c == stop)
            return true;
        text += (line_end_as_space && c == '\n') ? ' ' : (char)c;
    }
    return false;
}

// An entry cut off by the end of the file is not stored.
static void read_entry(TextTable &table, FILE *file)
{
    std::string key, value;
    if (!read_until(file, ']', key, false))
        return;
    int c;
    do
        c = read_char(file);
    while (c == ' ');
    if (c == EOF)
        return;
    ungetc(c, file);
    if (read_until(file, '^', value, true))
        add_text_entry(table, key, value);
}

void read_text_entries(TextTable &table, FILE *file)
{
    int c;
    while ((c = read_char(file)) != EOF) {
        if (c == '[') {
            read_entry(table, file);
        } else if (c == '#') {
            std::string comment;
            read_until(file, '\n', comment, false);
        }
    }
}

int clear_text_table(TextTable &table)
{
    for (int i = 0; i < TEXT_TABLE_SLOTS; i++) {
        table.used[i] = 0;
        table.keys[i].clear();
        table.values[i].clear();
    }
    return 0;
}

int add_text_entry(TextTable &table, const std::string &key, const std::string &value)
{
    for (int i = 0; i < TEXT_TABLE_SLOTS; i++) {
        if (!table.used[i]) {
            table.used[i] = 1;
            table.keys[i] = key;
            table.values[i] = value;
            return 0;
        }
    }
    return -1;
}

// Free slots take part too: an empty key finds the first free slot.
int find_text_entry(const TextTable &table, const std::string &key)
{
    for (int i = 0; i < TEXT_TABLE_SLOTS; i++)
        if (table.keys[i] == key)
            return i;
    return -1;
}

std::string get_text(const TextTable &table, const std::string &key)
{
    int slot = find_text_entry(table, key);
    if (slot < 0)
        return debug_mode ? "!Error!" : "";
    return table.values[slot];
}
