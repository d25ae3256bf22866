// SPDX-License-Identifier: GPL-3.0-or-later
// Library entries 113 to 117: the six track types in their stages of construction.
#include <array>

#include "kit/Registry.h"
#include "kit/Strip.h"
#include "railway/Geometry.h"
#include "track/TrackDraw.h"

using namespace art;

namespace {

constexpr int kFrameW = 118;
constexpr int kFrameH = 68;
constexpr int kPlannedFrameH = 80;

struct Anchor {
  int x, y;
};
// The start junction of each frame, as the clip library anchors the pieces.
constexpr std::array<Anchor, 6> kAnchors = {
    {{70, 2}, {5, 39}, {46, 2}, {4, 26}, {31, 17}, {30, 50}}};
constexpr std::array<Anchor, 6> kPlannedAnchors = {
    {{70, 13}, {6, 51}, {47, 13}, {5, 37}, {31, 28}, {31, 62}}};

int TypeOfFrame(int frame) {
  for (int t = 0; t < rail::kTrackTypeCount; ++t)
    if (rail::TypeFrame(t) == frame) return t;
  return 0;
}

using PieceFn = void (*)(cairo_t*, const TrackCurve&, double, double, int);

CanvasPtr Pieces(int frameH, const std::array<Anchor, 6>& anchors, PieceFn draw) {
  return DrawStrip(kFrameW, frameH, 6, [&](cairo_t* cr, int f) {
    TrackCurve curve(TypeOfFrame(f));
    draw(cr, curve, anchors[f].x, anchors[f].y, f);
  });
}

}  // namespace

ART_GROUP(track_pieces) {
  auto planned = Pieces(
      kPlannedFrameH, kPlannedAnchors,
      [](cairo_t* cr, const TrackCurve& c, double x, double y, int) { DrawPlanned(cr, c, x, y); });
  ctx.Save(*planned, "Dat/Game/trackReserved.jpg", "Dat/Game/trackReserved.gif", 6, {113});

  auto ground =
      Pieces(kFrameH, kAnchors, [](cairo_t* cr, const TrackCurve& c, double x, double y, int f) {
        DrawBed(cr, c, x, y, 100 + f);
      });
  ctx.Save(*ground, "Dat/Game/trackGround.jpg", "Dat/Game/trackGround.gif", 6, {114});

  auto sleepers =
      Pieces(kFrameH, kAnchors, [](cairo_t* cr, const TrackCurve& c, double x, double y, int f) {
        DrawSleepers(cr, c, x, y, 200 + f);
      });
  ctx.Save(*sleepers, "Dat/Game/TrackShpali.jpg", "Dat/Game/TrackShpali.gif", 6, {115});

  auto finished =
      Pieces(kFrameH, kAnchors, [](cairo_t* cr, const TrackCurve& c, double x, double y, int f) {
        DrawSleepers(cr, c, x, y, 200 + f);
        DrawRails(cr, c, x, y);
      });
  ctx.Save(*finished, "Dat/Game/track.jpg", "Dat/Game/track.gif", 6, {116});

  auto forbidden =
      Pieces(kFrameH, kAnchors, [](cairo_t* cr, const TrackCurve& c, double x, double y, int) {
        DrawForbidden(cr, c, x, y);
      });
  ctx.Save(*forbidden, "Dat/Game/trackNo.jpg", "Dat/Game/trackNo.gif", 6, {117});
}
