// fatal.h -- the one way out for conditions the program cannot go on from
#ifndef QB_FATAL_H
#define QB_FATAL_H

// Shows the formatted message in a message box, then ends the process with code.
[[noreturn]] void fatal_error(int code, const char *format, ...)
    __attribute__((format(printf, 2, 3)));

#endif
