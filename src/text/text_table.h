// text_table.h -- localised captions, loaded per screen from the language's text files
#ifndef QB_TEXT_TABLE_H
#define QB_TEXT_TABLE_H

#include <cstdio>
#include <string>

const int TEXT_TABLE_SLOTS = 500;

struct TextTable {
    unsigned char used[TEXT_TABLE_SLOTS];
    std::string keys[TEXT_TABLE_SLOTS];
    std::string values[TEXT_TABLE_SLOTS];
};

extern TextTable screen_text;  // the file of the screen that was built last

int load_text_table(TextTable &table, const std::string &name);
void read_text_entries(TextTable &table, FILE *file);
int clear_text_table(TextTable &table);
int add_text_entry(TextTable &table, const std::string &key, const std::string &value);
int find_text_entry(const TextTable &table, const std::string &key);
std::string get_text(const TextTable &table, const std::string &key);

#endif
