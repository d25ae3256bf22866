// SPDX-License-Identifier: GPL-3.0-or-later
// ot-art: draws the game's pictures into <out>/Dat/... and a contact sheet into <out>/art/.
// Usage: ot-art <out-folder> [group ...]   (no group names: every group)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "kit/ContactSheet.h"
#include "kit/Registry.h"
#include "kit/Writers.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <out-folder> [group ...]\n", argv[0]);
    return 2;
  }
  std::vector<std::string> only(argv + 2, argv + argc);
  auto groups = art::Groups();
  std::sort(groups.begin(), groups.end(), [](const art::Group& a, const art::Group& b) {
    return a.order != b.order ? a.order < b.order : a.name < b.name;
  });
  art::ArtContext ctx(argv[1]);
  auto start = std::chrono::steady_clock::now();
  for (const art::Group& g : groups) {
    if (!only.empty() && std::find(only.begin(), only.end(), g.name) == only.end()) continue;
    auto t0 = std::chrono::steady_clock::now();
    g.fn(ctx);
    double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    std::printf("art: %-24s %7.0f ms\n", g.name.c_str(), ms);
  }
  if (only.empty()) {
    auto sheet = art::ComposeContactSheet(ctx);
    ctx.SavePng(*sheet, "art/contact-sheet.png");
  }
  double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("art: %zu pictures in %.1f s\n", ctx.Saved().size(), total);
  return ctx.Failures() == 0 ? 0 : 1;
}
