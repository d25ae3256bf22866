// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/levels/LevelPicture.h"

#include <algorithm>

#include "core/Random.h"
#include "engine/LEngine.h"
#include "game/Game.h"
#include "game/Settings.h"
#include "ids/ScreenSize.h"
#include "railway/Track.h"
#include "screens/GMainWindow.h"
#include "screens/ScreenServices.h"

namespace levels {

namespace {

constexpr int kFrameMs = 20;
constexpr int kMostFrames = 50 * 10;  // ten seconds of the level at the most
constexpr int kSettleFrames = 50 * 6;

// The field without the panels: what the contact sheet shows of each level.
constexpr int kCutLeft = 140, kCutTop = 50, kCutWidth = 660, kCutHeight = 530;
constexpr double kSheetScale = 0.42;
constexpr int kLabelHeight = 16;

bool Settled(Game& game) {
  if (game.NumberTown < game.Record().MaxTowns) return false;
  for (const auto& track : game.GetField().Tracks())
    if (track->Progress() < 100) return false;
  return true;
}

// The display copied into a cairo picture (its own 32-bit pixels, whatever the display's).
cairo_surface_t* Copy(SDL_Surface* display) {
  cairo_surface_t* out =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, screen::kWidth, screen::kHeight);
  SDL_Surface* view = SDL_CreateRGBSurfaceFrom(
      cairo_image_surface_get_data(out), screen::kWidth, screen::kHeight, 32,
      cairo_image_surface_get_stride(out), 0x00ff0000, 0x0000ff00, 0x000000ff, 0);
  if (view) {
    SDL_BlitSurface(display, nullptr, view, nullptr);
    SDL_FreeSurface(view);
  }
  cairo_surface_mark_dirty(out);
  return out;
}

}  // namespace

LevelCamera::LevelCamera(SDL_Surface* display)
    : display_(display), services_(std::make_unique<QuietServices>()) {
  Globals().GameType = 1;
  Globals().ShowTips = false;
  Globals().DontShowBeginHelp = true;
  window_ =
      std::make_unique<GMainWindow>(display_, 0, 0, screen::kWidth, screen::kHeight, *services_);
  window_->Show(&TopScreen());
  for (int i = 0; i < 4 && TopScreen() && TopScreen() != window_.get(); ++i) TopScreen()->Close(-1);
}

LevelCamera::~LevelCamera() = default;

cairo_surface_t* LevelCamera::Shoot(const std::shared_ptr<const LevelFile>& level) {
  Game* game = window_->CurrentGame();
  if (!game || TopScreen() != window_.get()) return nullptr;
  rnd::SetRunSeed(1);
  game->AttachRecorder(nullptr);
  game->NewPackGame(level);
  window_->SetPaused(false);
  for (int f = 0; f < kMostFrames && !Settled(*game); ++f) TopScreen()->Tick(kFrameMs, kFrameMs);
  // A moment more: the level's caption flies off and the houses grow.
  for (int f = 0; f < kSettleFrames; ++f) TopScreen()->Tick(kFrameMs, kFrameMs);
  window_->NeedFullRedraw = true;
  window_->Render().clear();
  return Copy(display_);
}

bool WriteSheet(const std::vector<SheetEntry>& entries, int columns, const std::string& path) {
  if (entries.empty() || columns < 1) return false;
  const int cellW = static_cast<int>(kCutWidth * kSheetScale) + 8;
  const int cellH = static_cast<int>(kCutHeight * kSheetScale) + kLabelHeight + 8;
  const int rows = (static_cast<int>(entries.size()) + columns - 1) / columns;
  cairo_surface_t* sheet =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, columns * cellW, rows * cellH);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 0.12, 0.12, 0.12);
  cairo_paint(cr);
  cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 12);
  for (size_t i = 0; i < entries.size(); ++i) {
    const double x = static_cast<double>(static_cast<int>(i) % columns * cellW + 4);
    const double y = static_cast<double>(static_cast<int>(i) / columns * cellH + 4);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_move_to(cr, x, y + 12);
    cairo_show_text(cr, entries[i].label.c_str());
    if (!entries[i].picture) continue;
    cairo_save(cr);
    cairo_rectangle(cr, x, y + kLabelHeight, kCutWidth * kSheetScale, kCutHeight * kSheetScale);
    cairo_clip(cr);
    cairo_translate(cr, x, y + kLabelHeight);
    cairo_scale(cr, kSheetScale, kSheetScale);
    cairo_set_source_surface(cr, entries[i].picture, -kCutLeft, -kCutTop);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
  }
  cairo_destroy(cr);
  const bool ok = cairo_surface_write_to_png(sheet, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(sheet);
  return ok;
}

}  // namespace levels
