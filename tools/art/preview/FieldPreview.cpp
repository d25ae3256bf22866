// SPDX-License-Identifier: GPL-3.0-or-later
// build/art/field.png: the first Puzzle level's railway laid out on the meadow as the game
// draws it: tracks, switches, signals, houses tinted by town, trees, a few tinted trains,
// and the frame around the field.
#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "ids/ScreenSize.h"
#include "kit/Draw.h"
#include "kit/Registry.h"
#include "preview/Effects.h"
#include "preview/Layout.h"
#include "railway/Geometry.h"

using namespace art;

namespace {

// A picture frame to draw at a screen point, sorted by depth (higher first).
struct Item {
  const Canvas* pic;
  int frames, frame, ax, ay;
  double x, y, z;
};

class Scene {
 public:
  explicit Scene(const ArtContext& ctx) : ctx_(ctx) {}

  const SavedPicture* Pic(const std::string& name) const { return ctx_.Find(name); }

  void Add(const Canvas* pic, int frames, int frame, int ax, int ay, double x, double y, double z) {
    if (pic) items_.push_back({pic, frames, frame, ax, ay, x, y, z});
  }
  void Add(const std::string& name, int frame, Anchor a, double x, double y, double z) {
    if (const SavedPicture* p = Pic(name))
      Add(p->canvas.get(), p->frames, frame, a.x, a.y, x, y, z);
  }
  // A private, tinted copy of a picture (the game's deep copy plus effects).
  const Canvas* Tinted(const std::string& name, int colour, Painted what) {
    const SavedPicture* p = Pic(name);
    if (!p) return nullptr;
    owned_.push_back(PaintedCopy(*p->canvas, colour, what));
    return owned_.back().get();
  }

  void Render(Canvas& out) {
    std::stable_sort(items_.begin(), items_.end(),
                     [](const Item& a, const Item& b) { return a.z > b.z; });
    cairo_t* cr = out.Cr();
    for (const Item& it : items_) {
      int fw = it.pic->Width() / it.frames;
      double left = int(it.x) - it.ax, top = int(it.y) - it.ay;
      cairo_save(cr);
      cairo_rectangle(cr, left, top, fw, it.pic->Height());
      cairo_clip(cr);
      it.pic->Flush();
      cairo_set_source_surface(cr, it.pic->Surface(), left - it.frame * fw, top);
      cairo_paint(cr);
      cairo_restore(cr);
    }
  }

 private:
  const ArtContext& ctx_;
  std::vector<Item> items_;
  std::vector<CanvasPtr> owned_;
};

std::vector<std::pair<int, int>> Pairs(const std::string& text) {
  std::vector<std::pair<int, int>> out;
  std::istringstream in(text);
  std::string item;
  while (in >> item) {
    int a = 0, b = 0;
    if (std::sscanf(item.c_str(), "%d,%d", &a, &b) == 2) out.push_back({a, b});
  }
  return out;
}

// Every laid track of the layout, the towns' own tracks included.
std::vector<std::pair<int, int>> AllTracks() {
  std::vector<std::pair<int, int>> tracks = Pairs(kLevelTracks);
  for (auto [inner, type] : Pairs(kLevelTowns)) {
    bool left = inner % 8 == 1;
    tracks.push_back({left ? rail::Neighbour(inner, rail::Opposite(type)) : inner, type});
  }
  return tracks;
}

void AddTracks(Scene& s, const std::vector<std::pair<int, int>>& tracks) {
  for (auto [j, t] : tracks) {
    int f = rail::TypeFrame(t), x = rail::JunctionX(j), y = rail::JunctionY(j);
    s.Add("Dat/Game/trackGround.jpg", f, kTrackAnchors[f], x, y, 1104);
    s.Add("Dat/Game/track.jpg", f, kTrackAnchors[f], x, y, 1100);
  }
}

void AddSwitchesAndSignals(Scene& s, const std::vector<std::pair<int, int>>& tracks) {
  std::map<int, std::vector<int>> ends;  // junction -> directions with an end
  for (auto [j, t] : tracks) {
    ends[j].push_back(t);
    ends[rail::Neighbour(j, t)].push_back(rail::Opposite(t));
  }
  int red = 0;
  for (auto& [j, dirs] : ends) {
    int perSide[4][3], count[4] = {0, 0, 0, 0};
    for (int side = 0; side < 4; ++side)
      for (int k = 0; k < 3; ++k) {
        int d = rail::SideDirection(side, k);
        if (std::find(dirs.begin(), dirs.end(), d) != dirs.end()) perSide[side][count[side]++] = d;
      }
    int x = rail::JunctionX(j), y = rail::JunctionY(j);
    bool anySwitch = false;
    for (int side = 0; side < 4; ++side)
      if (count[side] >= 2) {
        int f = SwitchFrame(perSide[side][0], perSide[side][1]);
        s.Add("Dat/Game/strelki.tga", f, kSwitchAnchors[f], x, y, 1090);
        anySwitch = true;
      }
    // A curve meeting a through line gets a signal on the curve's side.
    for (int side = 0; side < 4 && !anySwitch; ++side) {
      int opposite = (side + 2) % 4;
      if (count[side] == 1 && count[opposite] == 1 && !rail::IsStraight(perSide[side][0]) &&
          rail::IsStraight(perSide[opposite][0])) {
        int f = kSignalBase[side] + (red++ % 3 == 1 ? 1 : 0);
        double sx = x + kSignalOffsets[side][0], sy = y + kSignalOffsets[side][1];
        s.Add("Dat/Game/semaphor.tga", f, kSignalAnchors[f], sx, sy, -2 * sy);
      }
    }
  }
}

bool NearTrack(const std::vector<std::pair<int, int>>& tracks, double x, double y, double dist) {
  for (auto [j, t] : tracks)
    for (double p = 0; p <= rail::TrackLength(t); p += 5) {
      rail::PrecisePoint q = rail::TrackPointPrecise(j, t, p);
      if (std::abs(q.x - x) < dist && std::abs(q.y - y) < dist) return true;
    }
  return false;
}

void AddTownsAndTrees(Scene& s, const std::vector<std::pair<int, int>>& tracks) {
  Rng rng(100);
  auto towns = Pairs(kLevelTowns);
  for (size_t c = 0; c < towns.size(); ++c) {
    const Canvas* homes = s.Tinted("Dat/Game/Homes.jpg", int(c), Painted::TownHouses);
    int jx = rail::JunctionX(towns[c].first), jy = rail::JunctionY(towns[c].first);
    for (int n = 0, tries = 0; n < 6 && tries < 200; ++tries) {
      double x = jx + rng.Range(-30, 30), y = jy + rng.Range(-30, 30);
      if (x < 150 || y < 60 || NearTrack(tracks, x, y, 12)) continue;
      int f = std::min(4, int(rng.Uniform() * 3) + n / 2);
      s.Add(homes, 6, f, kHouseAnchors[f].x, kHouseAnchors[f].y, x, y, -2 * y);
      ++n;
    }
  }
  for (int n = 0, tries = 0; n < 45 && tries < 2000; ++tries) {
    double x = 150 + rng.Uniform() * 630, y = 70 + rng.Uniform() * 490;
    if (NearTrack(tracks, x, y, 22)) continue;
    int f = int(rng.Uniform() * 11);
    s.Add("Dat/Game/Trees.jpg", f, kTreeAnchors[f], x, y, -2 * y);
    ++n;
  }
}

// One car on track (j, d) with its centre at position p.
void AddCar(Scene& s, const Vehicle& v, const Canvas* body, int j, int d, double p) {
  rail::TrackPose q = rail::TrackPoint(j, d, p);
  int f = rail::CarFrame(d, q.heading, 48, false);
  const SavedPicture* shadow = s.Pic(v.shadow);
  if (shadow) s.Add(shadow->canvas.get(), 48, f, v.shadowAnchor.x, v.shadowAnchor.y, q.x, q.y, 0);
  s.Add(body, 48, f, v.anchor.x, v.anchor.y, q.x, q.y, q.x / 1000 - 2 * q.y - 3);
}

void AddTrains(Scene& s) {
  for (const PreviewTrain& t : kPreviewTrains) {
    double p = t.head;
    for (size_t i = 0; i < t.cars.size(); ++i) {
      const Vehicle& v = kVehicles[t.cars[i]];
      if (i > 0) p -= (kVehicles[t.cars[i - 1]].length + v.length) / 2.0;
      // The game tints the locomotive only; wagons keep their own colours.
      const Canvas* body = t.colour >= 0 && i == 0
                               ? s.Tinted(v.picture, t.colour, Painted::Train)
                               : (s.Pic(v.picture) ? s.Pic(v.picture)->canvas.get() : nullptr);
      AddCar(s, v, body, t.junction, t.direction, p);
    }
  }
}

void AddFrame(Scene& s) {
  s.Add("Dat/Interface/MainWindow/top_forest.jpg", 0, {0, 0}, 140, 0, 0);
  s.Add("Dat/Interface/MainWindow/sklad_.tga", 0, {0, 0}, 144, 0, -1215);
  s.Add("Dat/Interface/MainWindow/top_tube.jpg", 0, {0, 0}, 140, 0, -1216);
  s.Add("Dat/Interface/MainWindow/tunnel_.tga", 0, {0, 0}, 749, 15, -1208);
  s.Add("Dat/Interface/MainWindow/DownLine.jpg", 0, {0, 0}, 140, 570, -1200);
  s.Add("Dat/Interface/MainWindow/right_panel.tga", 0, {0, 0}, 793, 0, -1217);
  s.Add("Dat/Interface/MainWindow/VertLine.jpg", 0, {0, 0}, 199, 575, -1204);
  s.Add("Dat/Interface/MainWindow/VertLine.jpg", 0, {0, 0}, 725, 575, -1204);
  s.Add("Dat/Game/left_panel.jpg", 0, {0, 0}, 0, 0, -1200);
  s.Add("Dat/Game/top_train_2.jpg", 0, {0, 0}, 420, 25, -1205);
  for (int i = 0; i < 3; ++i) s.Add("Dat/Game/box-7.tga", 0, {0, 0}, 145, 23 + 3 * (7 - i), -1211);
  for (int j = 0; j < 4; ++j)
    s.Add("Dat/Game/box.jpg", 0, {0, 0}, 144 + 9 * j, 22 + 3 * (7 - 3), -1212);
}

}  // namespace

ART_GROUP_ORDERED(preview_field, 100) {
  Scene scene(ctx);
  if (!scene.Pic("Dat/Game/BackMain.jpg")) return;
  scene.Add("Dat/Game/BackMain.jpg", 0, {0, 0}, 140, 0, 5000);
  auto tracks = AllTracks();
  AddTracks(scene, tracks);
  AddSwitchesAndSignals(scene, tracks);
  AddTownsAndTrees(scene, tracks);
  AddTrains(scene);
  AddFrame(scene);
  Canvas out(screen::kWidth, screen::kHeight);
  cairo_set_source_rgb(out.Cr(), 0, 0, 0);
  cairo_paint(out.Cr());
  scene.Render(out);
  ctx.SavePng(out, "art/field.png");
}
