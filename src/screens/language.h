// language.h -- the first-run choice of the language of every screen
#ifndef QB_LANGUAGE_H
#define QB_LANGUAGE_H

void run_language_selection();

#endif
