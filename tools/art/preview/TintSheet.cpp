// SPDX-License-Identifier: GPL-3.0-or-later
// build/art/tints.png: the eight train and town colours side by side on the meadow, as the
// game shows them: every tinted locomotive (two headings, both sides) and every town's
// houses (all six frames, shifted and then given the town contrast), drawn twice the size.
#include <string>
#include <vector>

#include "kit/Draw.h"
#include "kit/Registry.h"
#include "preview/Effects.h"
#include "preview/Layout.h"
#include "railway/Colours.h"

using namespace art;

namespace {

constexpr int kZoom = 2;
constexpr int kLabelW = 120, kHeadH = 34, kColumnW = 224, kEngineRowH = 118,
              kHouseRowH = 2 * 36 * kZoom + 8;

struct Engine {
  const char* name;
  std::string picture;
};
const std::vector<Engine> kEngines = {
    {"small steam", "Dat/Game/parovoz/parovoz_48.jpg"},
    {"large steam", "Dat/Game/parovoz/thege.jpg"},
    {"tank", "Dat/Game/parovoz/2_6_4.jpg"},
    {"electric", "Dat/Game/parovoz/vlc75.jpg"},
    {"diesel", "Dat/Game/parovoz/emdsd.jpg"},
    {"express", "Dat/Game/parovoz/avenger.jpg"},
};

// Frame k of a strip, zoomed with hard pixel edges, its top left at (x, y).
void DrawFrame(cairo_t* cr, const Canvas& strip, int frames, int k, double x, double y) {
  int fw = strip.Width() / frames;
  strip.Flush();
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, kZoom, kZoom);
  cairo_rectangle(cr, 0, 0, fw, strip.Height());
  cairo_clip(cr);
  cairo_set_source_surface(cr, strip.Surface(), -k * fw, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_restore(cr);
}

void Label(cairo_t* cr, const std::string& text, double x, double y, Align align = Align::Left) {
  DrawText(cr, text, x, y,
           {.size = 13, .bold = true, .colour = {1, 1, 1}, .align = align, .outline = 2.5});
}

void EngineRow(cairo_t* cr, const SavedPicture& p, int top) {
  for (int c = 0; c < rail::kColourCount; ++c) {
    auto tinted = PaintedCopy(*p.canvas, c, Painted::Train);
    int fw = p.canvas->Width() / p.frames;
    double x = kLabelW + c * kColumnW + (kColumnW / 2 - fw * kZoom) / 2.0;
    DrawFrame(cr, *tinted, p.frames, 4, x, top);                    // heading 75: left side
    DrawFrame(cr, *tinted, p.frames, 28, x + kColumnW / 2.0, top);  // heading 255: right side
  }
}

void HouseRow(cairo_t* cr, const SavedPicture& p, int top) {
  for (int c = 0; c < rail::kColourCount; ++c) {
    auto tinted = PaintedCopy(*p.canvas, c, Painted::TownHouses);
    for (int f = 0; f < 6; ++f)
      DrawFrame(cr, *tinted, p.frames, f, kLabelW + c * kColumnW + 4 + (f % 3) * 36 * kZoom,
                top + (f / 3) * 36 * kZoom);
  }
}

}  // namespace

ART_GROUP_ORDERED(preview_tints, 100) {
  const SavedPicture* meadow = ctx.Find("Dat/Game/BackMain.jpg");
  const SavedPicture* homes = ctx.Find("Dat/Game/Homes.jpg");
  if (!meadow || !homes) return;
  int w = kLabelW + 8 * kColumnW, h = kHeadH + 6 + int(kEngines.size()) * kEngineRowH + kHouseRowH;
  Canvas out(w, h);
  cairo_t* cr = out.Cr();
  meadow->canvas->Flush();
  cairo_set_source_surface(cr, meadow->canvas->Surface(), 0, 0);
  cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_REFLECT);
  cairo_paint(cr);
  cairo_set_source_rgba(cr, 0.1, 0.12, 0.1, 0.75);
  cairo_rectangle(cr, 0, 0, w, kHeadH);
  cairo_rectangle(cr, 0, kHeadH, kLabelW, h - kHeadH);
  cairo_fill(cr);
  for (int c = 0; c < rail::kColourCount; ++c)
    Label(cr, rail::kColourNames[c], kLabelW + (c + 0.5) * kColumnW, 23, Align::Centre);
  int top = kHeadH + 6;
  for (const Engine& e : kEngines) {
    Label(cr, e.name, 8, top + kEngineRowH / 2);
    if (const SavedPicture* p = ctx.Find(e.picture)) EngineRow(cr, *p, top);
    top += kEngineRowH;
  }
  Label(cr, "houses", 8, top + kHouseRowH / 2);
  HouseRow(cr, *homes, top);
  ctx.SavePng(out, "art/tints.png");
}
