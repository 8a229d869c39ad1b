// settings.h -- the three program-wide settings and their reader
#ifndef QB_SETTINGS_H
#define QB_SETTINGS_H

#include <cstdio>
#include <string>

// Longest word the reader keeps; the rest of a longer word is read and dropped.
const int SETTINGS_WORD_MAX = 1000;

extern bool windowed_mode;    // open a window rather than full screen
extern bool debug_mode;       // frame-rate overlay, "!Error!" for missing texts, help pages on black
extern std::string language;  // folder of the text files; "XX" until a language is chosen

int read_settings();
void parse_settings(FILE *file);

#endif
