// frame_bench.cpp -- the editor's heaviest frame (four full layers, grid, cursor, preview) against its bare blits
#include <benchmark/benchmark.h>

#include <allegro.h>
#include <chrono>

#include "core/startup.h"
#include "editor/map.h"
#include "editor/map_editor.h"

namespace {

// Opaque tiles whose overhang is half mask colour, like trees and walls.
BITMAP *make_tileset()
{
    BITMAP *tileset = create_bitmap(64, 48 * 26);
    clear_to_color(tileset, makecol(255, 0, 255));
    for (int t = 1; t <= 25; t++) {
        rectfill(tileset, 32, 48 * t + 16, 63, 48 * t + 47, makecol(8 * t, 120, 200 - 4 * t));
        rectfill(tileset, 40, 48 * t, 55, 48 * t + 15, makecol(200, 8 * t, 40));
    }
    return tileset;
}

void set_up_heaviest_map()
{
    reset_map(current_map);
    current_map.tileset = make_tileset();
    for (int layer = 0; layer < MAP_LAYERS; layer++)
        for (int c = 0; c < MAP_MAX_CELLS; c++)
            for (int r = 0; r < MAP_MAX_CELLS; r++)
                current_map.cells[layer][c][r] = 1 + (layer * 7 + c + r) % 25;
    current_map.show_grid = true;
    editor_state = MapEditor{};
    editor_state.scroll_x = editor_state.scroll_y = 10;
    editor_state.scroll_divisor = 4;
    editor_state.selected_tile = 12;
    mouse_x = 300;
    mouse_y = 200;
}

void editor_frame()
{
    draw_editing_frame(editor_state);
}

// The same 4 x 17 x 22 masked blits that draw_map makes, and nothing else.
void bare_blits()
{
    for (int layer = 0; layer < MAP_LAYERS; layer++)
        for (int r = -1; r < VIEW_ROWS + 1; r++)
            for (int c = -1; c < VIEW_COLUMNS + 1; c++)
                masked_blit(current_map.tileset, back_buffer, TILESET_COLUMN_X,
                            TILE_IMAGE_HEIGHT * (1 + (layer * 7 + c + r + 20) % 25), TILE_SIZE * c,
                            TILE_SIZE * r - 16, TILE_SIZE, TILE_IMAGE_HEIGHT);
}

void BM_EditorFrame(benchmark::State &state)
{
    set_up_heaviest_map();
    for (auto _ : state) {
        editor_frame();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_EditorFrame)->Unit(benchmark::kMillisecond);

void BM_BareBlits(benchmark::State &state)
{
    set_up_heaviest_map();
    for (auto _ : state) {
        bare_blits();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BareBlits)->Unit(benchmark::kMillisecond);

double seconds_for(void (*work)(), int repeats)
{
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repeats; i++)
        work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Both kinds of work interleaved in one loop, so that the ratio sees the same machine load.
void BM_FrameOverBlits(benchmark::State &state)
{
    set_up_heaviest_map();
    const int repeats = 10;
    double frame_total = 0, blits_total = 0;
    for (auto _ : state) {
        double frame = seconds_for(editor_frame, repeats);
        double blits = seconds_for(bare_blits, repeats);
        frame_total += frame;
        blits_total += blits;
        state.SetIterationTime(frame / repeats);
    }
    state.counters["frame_ms"] = 1000 * frame_total / (repeats * state.iterations());
    state.counters["blits_ms"] = 1000 * blits_total / (repeats * state.iterations());
    state.counters["ratio"] = frame_total / blits_total;
}
BENCHMARK(BM_FrameOverBlits)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char **argv)
{
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        return 1;
    set_color_depth(32);
    back_buffer = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    set_trans_blender(0, 0, 0, 127);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
