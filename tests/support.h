// support.h -- small helpers shared by the unit tests
#ifndef QB_TEST_SUPPORT_H
#define QB_TEST_SUPPORT_H

#include <allegro.h>
#include <string>

// A scratch folder that the test works in; removed with everything in it afterwards.
struct ScratchDir {
    std::string path;
    std::string old_cwd;
    ScratchDir();
    ~ScratchDir();
    void write(const std::string &relative, const std::string &content) const;
};

// Gives back_buffer (and the text target) a fresh 640x480 memory bitmap for one test.
struct ScratchBackBuffer {
    BITMAP *saved;
    ScratchBackBuffer();
    ~ScratchBackBuffer();
};

#endif
