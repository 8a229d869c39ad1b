// support.cpp -- scratch folders and bitmaps for the unit tests
#include "support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "core/startup.h"
#include "text/font.h"

ScratchDir::ScratchDir()
{
    char pattern[] = "/tmp/qb_test_XXXXXX";
    path = mkdtemp(pattern);
    old_cwd = std::filesystem::current_path().string();
    std::filesystem::current_path(path);
}

ScratchDir::~ScratchDir()
{
    std::filesystem::current_path(old_cwd);
    std::filesystem::remove_all(path);
}

void ScratchDir::write(const std::string &relative, const std::string &content) const
{
    std::filesystem::path file = std::filesystem::path(path) / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << content;
}

ScratchBackBuffer::ScratchBackBuffer() : saved(back_buffer)
{
    back_buffer = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    clear_bitmap(back_buffer);
    set_text_target(back_buffer);
}

ScratchBackBuffer::~ScratchBackBuffer()
{
    destroy_bitmap(back_buffer);
    back_buffer = saved;
    set_text_target(back_buffer);
}
