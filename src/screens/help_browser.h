// help_browser.h -- shows the help guide's pages over the caller's darkened screen
#ifndef QB_HELP_BROWSER_H
#define QB_HELP_BROWSER_H

#include <string>
#include "screens/help_page.h"

int open_help(const std::string &topic);
int run_help_browser(HelpView &view, const std::string &topic);

#endif
