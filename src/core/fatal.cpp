// fatal.cpp -- shows why the program cannot go on, then ends it
#include "core/fatal.h"

#include <allegro.h>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

void fatal_error(int code, const char *format, ...)
{
    char message[2048];
    va_list args;
    va_start(args, format);
    vsnprintf(message, sizeof message, format, args);
    va_end(args);
    allegro_message("%s", message);
    exit(code);
}
