#include "fuzz/seeds/seed_folder.h"
#include "tests/engine/platform/cursor_builder.h"

namespace fuzz {

void WriteCursorSeeds(const SeedFolder& seeds) {
    using namespace tests;
    DibDesc colour;
    colour.pixel = [](int x, int y) { return 0xFF000000u | static_cast<std::uint32_t>(x * 60 + y * 0x3C00); };
    DibDesc indexed;
    indexed.bits = 4;
    indexed.palette = {0x000000, 0xFFFFFF, 0xFF0000};
    indexed.pixel = [](int x, int y) { return static_cast<std::uint32_t>((x + y) % 3); };
    indexed.masked = [](int x, int) { return x == 0; };
    DibDesc mono;
    mono.bits = 1;
    mono.width = 8;
    mono.palette = {0x000000, 0xFFFFFF};
    mono.pixel = [](int x, int) { return static_cast<std::uint32_t>(x % 2); };
    mono.masked = [](int, int y) { return y == 3; };

    seeds.Write("cursor", "arrow.cur", Cursor(colour, 1, 2));
    seeds.Write("cursor", "two-sizes.ico",
                IconFile(1, {{Dib(indexed), 4, 4, 0, 0}, {Dib(mono), 8, 4, 0, 0}}));
    AniDesc ani;
    ani.frames = 2;
    ani.steps = 3;
    ani.rate = Words({5, 10, 15});
    ani.sequence = Words({0, 1, 0});
    ani.icons = {Cursor(colour), Cursor(indexed, 3, 3)};
    seeds.Write("cursor", "sequenced.ani", Ani(ani));
    AniDesc plain;
    plain.frames = 1;
    plain.steps = 1;
    plain.icons = {Cursor(mono)};
    seeds.Write("cursor", "plain.ani", Ani(plain));
}

}  // namespace fuzz
