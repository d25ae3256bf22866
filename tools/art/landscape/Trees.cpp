// SPDX-License-Identifier: GPL-3.0-or-later
// Library entries 95 to 97: trees of the three landscape sets. The last frame of each is
// the look of a tree that a track is clearing.
#include <vector>

#include "kit/Registry.h"
#include "kit/Strip.h"
#include "landscape/Flora.h"

using namespace art;

namespace {

struct Anchor {
  int x, y;
};

const std::vector<Anchor> kMeadowAnchors = {{11, 35}, {14, 34}, {16, 35}, {14, 36},
                                            {17, 35}, {15, 35}, {14, 35}, {14, 36},
                                            {14, 36}, {15, 35}, {18, 36}, {19, 33}};
const std::vector<Anchor> kSandAnchors = {{16, 39}, {17, 39}, {16, 39}, {16, 39},
                                          {16, 39}, {17, 39}, {17, 39}, {18, 39}};
const std::vector<Anchor> kWinterAnchors = {{20, 37}, {18, 36}, {17, 36}, {23, 35}, {17, 36},
                                            {26, 35}, {18, 36}, {17, 36}, {17, 37}, {16, 36}};

const Rgb kLeafGreens[] = {Hex(0x3f7a2c), Hex(0x4c8a32), Hex(0x366e2a), Hex(0x5a9436),
                           Hex(0x44802e)};

}  // namespace

ART_GROUP(landscape_trees) {
  auto meadow = DrawStrip(36, 40, 12, [](cairo_t* cr, int f) {
    Anchor a = kMeadowAnchors[f];
    if (f == 11) return FelledTree(cr, a.x, a.y, 10, kLeafGreens[0], false, 11);
    // Crowns as wide as the anchor allows, a little variety in size and green.
    double r = std::min(a.x - 1.0, 9.0 + (f % 4) * 1.2);
    if (f == 9) return Shrub(cr, a.x, a.y, r, kLeafGreens[1], 90 + f);
    DeciduousTree(cr, a.x, a.y, r, kLeafGreens[f % 5], 50 + f);
  });
  ctx.Save(*meadow, "Dat/Game/Trees.jpg", "Dat/Game/Trees.gif", 12, {95});

  auto sand = DrawStrip(40, 44, 8, [](cairo_t* cr, int f) {
    Anchor a = kSandAnchors[f];
    if (f == 7) return FelledTree(cr, a.x, a.y, 10, Hex(0x6a8a3a), false, 17);
    if (f % 3 == 2) return Shrub(cr, a.x, a.y, 8 + f % 2, Hex(0x6d8a3a), 70 + f);
    Palm(cr, a.x, a.y, 12 + f % 3, 60 + f);
  });
  ctx.Save(*sand, "Dat/Game/trees_for_sand.jpg", "Dat/Game/trees_for_sand.gif", 8, {96});

  auto winter = DrawStrip(48, 42, 10, [](cairo_t* cr, int f) {
    Anchor a = kWinterAnchors[f];
    if (f == 9) return FelledTree(cr, a.x, a.y, 10, Hex(0x2f5a34), true, 19);
    if (f == 4) return BareTree(cr, a.x, a.y, 13, true, 80 + f);
    Fir(cr, a.x, a.y, 9 + f % 3 * 1.5, 30 + f % 4, true, 40 + f);
  });
  ctx.Save(*winter, "Dat/Game/winter_trees.jpg", "Dat/Game/winter_trees.gif", 10, {97});
}
