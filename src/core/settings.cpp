// settings.cpp -- reads data/settings.ini once at start-up
#include "core/settings.h"

#include <allegro.h>
#include <cctype>

#include "core/fatal.h"
#include "core/paths.h"
#include "core/startup.h"

bool windowed_mode = false;
bool debug_mode = false;
std::string language = "XX";

// Reads the next white-space separated word into word; false when none is left.
// A word longer than SETTINGS_WORD_MAX keeps its first SETTINGS_WORD_MAX bytes.
static bool read_word(FILE *file, std::string &word)
{
    int c = fgetc(file);
    while (c != EOF && isspace(c))
        c = fgetc(file);
    if (c == EOF)
        return false;
    word.clear();
    while (c != EOF && !isspace(c)) {
        if ((int)word.size() < SETTINGS_WORD_MAX)
            word += (char)c;
        c = fgetc(file);
    }
    if (c != EOF)
        ungetc(c, file);
    return true;
}

static void skip_line(FILE *file)
{
    int c;
    do
        c = fgetc(file);
    while (c != EOF && c != '\n');
}

// Reads the value after an ON/OFF key; any other word leaves the setting as it was.
static bool read_switch(FILE *file, std::string &word, bool &setting)
{
    if (!read_word(file, word))
        return false;
    if (word == "OFF")
        setting = false;
    if (word == "ON")
        setting = true;
    return true;
}

// A value read by one test is the current word for the tests after it, so a
// value may itself act as a later key. A key with no word after it is ignored.
void parse_settings(FILE *file)
{
    std::string word;
    while (read_word(file, word)) {
        if (word == "WindowedMode" && !read_switch(file, word, windowed_mode))
            break;
        if (word == "DebugMode" && !read_switch(file, word, debug_mode))
            break;
        if (word == "Language") {
            if (!read_word(file, word))
                break;
            language = word;
        }
        if (word == "#")
            skip_line(file);
    }
}

int read_settings()
{
    FILE *file = exists(SETTINGS_PATH) ? fopen(SETTINGS_PATH, "rt") : NULL;
    if (!file)
        fatal_error(EXIT_MISSING_FILE, "Cannot find the settings.ini file, or it may be corrupt.");
    parse_settings(file);
    fclose(file);
    return 0;
}
