// language.h -- the first-run choice of the language of every screen
#ifndef QB_LANGUAGE_H
#define QB_LANGUAGE_H

#include <string>

void run_language_selection();
int build_language_selection();
std::string chosen_language();

#endif
