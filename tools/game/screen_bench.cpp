// SPDX-License-Identifier: GPL-3.0-or-later
// screen-bench: what one frame of the in-game screen costs while a busy Puzzle level
// runs, measured against one full-screen blit of the same display.
//
// The real GMainWindow is shown on TopScreen() of SDL's dummy display (800 x 600) with
// the whole clip library of the build folder; the autopilot plays the level with the
// player's clicks. Once every town of the level is there and enough trains run, each
// frame is timed as the frame loop runs it: Tick(20, 20) on the top screen, Render()
// and presenting the changed rectangles (SDL_UpdateRects, or the whole display when
// the screen redraws everything). The level's progress is held back so that it does
// not end while it is measured. Full-screen blits of a display-format picture are
// timed before, between and after the frames.
//
// With --scale K (2 to 4) the screen draws on an 800 x 600 canvas and the changed
// rectangles are scaled into a window K times as large, as the game's window does at that
// scale: by the game's own scaler, repeating pixels or (--smooth) interpolating, or with
// --gfx by SDL_gfx's zoomSurface, for comparison. The present time includes the scaling.
//
// Usage: screen-bench [--level N] [--frames N] [--trains N] [--seed N] [--speed K] [--tips]
//                     [--layers] [--scale K] [--smooth] [--gfx] [--plain] [--no-record]
//   --level   the 1-based Puzzle level (4 is record 103, 6 record 105; default 4)
//   --frames  the frames measured (default 3000)
//   --trains  the trains that must run before and while it measures (default 12)
//   --seed    the random seed (default 7)
//   --speed   the game speed while it measures, 1, 2 or 4, set with the speed key (default 1)
//   --tips    the game's tips are shown (off by default)
//   --layers  also prints which pictures cover the changed areas (counted untimed)
//   --plain   the screen draws without its settled layer, every picture anew
//   --no-record  the level is not recorded (the screen records every level otherwise)
// It prints figures only; nothing is checked.
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/WindowScaler.h"
#include "core/Random.h"
#include "engine/LEngine.h"
#include "game/Autopilot.h"
#include "game/Game.h"
#include "game/Settings.h"
#include "ids/ScreenSize.h"
#include "screens/GMainWindow.h"
#include "screens/ScreenServices.h"
#include "sprites/CompleteIndicator.h"
#include "tools/game/Headless.h"

#ifdef OT_HAVE_SDL_GFX
#include <SDL_rotozoom.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFrameMs = 20;
constexpr int kBlitRounds = 500;  // timed full-screen blits before and after
constexpr int kBlitEvery = 50;    // frames between two short rounds of blits
constexpr int kBlitShortRound = 10;
constexpr int kNaturalFrames = 3 * 60 * 50;  // game time left to the level's own trains
constexpr int kWarmUpLimit = 30 * 60 * 50;   // frames after which it measures regardless
constexpr int kLaunchEvery = 25;             // frames between two extra trains
constexpr double kHoldAt = 50.0;             // the progress is kept below this percent

struct Options {
  int level = 4;
  int frames = 3000;
  int trains = 12;
  unsigned seed = 7;
  int speed = 1;
  bool tips = false;
  bool layers = false;
  int scale = 1;
  bool smooth = false;
  bool gfx = false;
  bool plain = false;
  bool record = true;
};

// The autopilot's clicks reach the top screen as the frame's event dispatch passes them.
class ScreenHands : public PlayerHands {
 public:
  void LeftClick(int x, int y) override {
    if (LEngine* top = TopScreen()) top->OnMouseMove(x, y);
    if (LEngine* top = TopScreen()) top->OnLeftDown(x, y);
    if (LEngine* top = TopScreen()) top->OnLeftUp(x, y);
  }
  void RightClick(int x, int y) override {
    if (LEngine* top = TopScreen()) top->OnMouseMove(x, y);
    if (LEngine* top = TopScreen()) top->OnRightDown(x, y);
    if (LEngine* top = TopScreen()) top->OnRightUp(x, y);
  }
};

// Puts the frame on the window: the display itself at scale 1, otherwise the canvas's
// changed rectangles scaled into the window.
class Presenter {
 public:
  Presenter(SDL_Surface* window, WindowScaler* scaler, bool gfx)
      : window_(window), scaler_(scaler), gfx_(gfx) {}
  void Rects(std::vector<SDL_Rect>& rects) {
    if (scaler_ && gfx_) {
      for (SDL_Rect& r : rects) r = GfxScale(r);
    } else if (scaler_) {
      rects = scaler_->ScaleRects(rects);
    }
    if (!rects.empty()) SDL_UpdateRects(window_, static_cast<int>(rects.size()), rects.data());
  }
  void All() {
    if (scaler_ && gfx_)
      GfxScale(SDL_Rect{0, 0, screen::kWidth, screen::kHeight});
    else if (scaler_)
      scaler_->ScaleAll();
    SDL_UpdateRect(window_, 0, 0, 0, 0);
  }

 private:
  // The rectangle (with the same margin as the game's smooth scaling) zoomed by SDL_gfx
  // into a new surface and blitted into the window.
  SDL_Rect GfxScale(SDL_Rect r) {
#ifdef OT_HAVE_SDL_GFX
    SDL_Surface* canvas = scaler_->Canvas();
    const int k = scaler_->Scale(), margin = scaler_->Smooth() ? 1 : 0;
    const int left = std::max(r.x - margin, 0), top = std::max(r.y - margin, 0);
    const int right = std::min(r.x + r.w + margin, screen::kWidth);
    const int bottom = std::min(r.y + r.h + margin, screen::kHeight);
    const SDL_PixelFormat* f = canvas->format;
    SDL_Surface* view = SDL_CreateRGBSurfaceFrom(
        static_cast<Uint8*>(canvas->pixels) + top * canvas->pitch + left * 4, right - left,
        bottom - top, 32, canvas->pitch, f->Rmask, f->Gmask, f->Bmask, f->Amask);
    const int smoothing = scaler_->Smooth() ? SMOOTHING_ON : SMOOTHING_OFF;
    SDL_Surface* zoomed = view ? zoomSurface(view, k, k, smoothing) : nullptr;
    SDL_Rect to{static_cast<Sint16>(left * k), static_cast<Sint16>(top * k),
                static_cast<Uint16>((right - left) * k), static_cast<Uint16>((bottom - top) * k)};
    if (zoomed) {
      SDL_SetAlpha(zoomed, 0, 255);
      SDL_BlitSurface(zoomed, nullptr, window_, &to);
    }
    SDL_FreeSurface(zoomed);
    SDL_FreeSurface(view);
    return to;
#else
    return r;
#endif
  }

  SDL_Surface* window_;
  WindowScaler* scaler_;
  bool gfx_;
};

double Micros(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

// The value below which the share q of the sorted values lies (nearest rank).
double Percentile(const std::vector<double>& sorted, double q) {
  if (sorted.empty()) return 0;
  size_t rank = static_cast<size_t>(std::ceil(q * static_cast<double>(sorted.size())));
  rank = std::clamp<size_t>(rank, 1, sorted.size());
  return sorted[rank - 1];
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return Percentile(values, 0.5);
}

// One frame as the frame loop runs it, with the time of each of its three parts.
struct FrameTimes {
  double tick = 0, render = 0, present = 0, rects = 0, area = 0;
  double Total() const { return tick + render + present; }
};

// With --layers: how many pixels of the changed areas each kind of picture covers (by
// frame size and whether it is blended per pixel), and the background (or the settled
// layer, holding the pictures behind) under them.
class LayerCount {
 public:
  void Add(const LEngine& screen, const std::vector<DirtyRect>& areas) {
    const SettledLayer* layer = LEngine::SettledLayersOn() ? screen.Settled() : nullptr;
    const size_t settled = layer ? layer->Count(screen.Sprites) : 0;
    for (const DirtyRect& a : areas) {
      pixels_[settled > 0 ? "settled layer" : "background"] +=
          Pixels(a.left, a.top, a.right, a.bottom);
      for (size_t i = settled; i < screen.Sprites.size(); ++i) {
        const LClip* s = screen.Sprites[i];
        const SDL_Surface* picture = s->GetSurface();
        if (!s->Visible || !picture) continue;
        const int x = static_cast<int>(std::trunc(s->x)) - s->AlignX;
        const int y = static_cast<int>(std::trunc(s->y)) - s->AlignY;
        const double n =
            Pixels(std::max(a.left, x), std::max(a.top, y), std::min(a.right, x + s->FrameW),
                   std::min(a.bottom, y + s->FrameH));
        if (n <= 0) continue;
        const bool blended = (picture->flags & SDL_SRCALPHA) && picture->format->Amask;
        pixels_[std::to_string(s->FrameW) + "x" + std::to_string(s->FrameH) +
                (blended ? " blended" : " copied")] += n;
      }
    }
  }
  void Print(size_t frames) const {
    std::vector<std::pair<double, std::string>> rows;
    for (const auto& [kind, n] : pixels_) rows.emplace_back(n, kind);
    std::sort(rows.rbegin(), rows.rend());
    std::printf("pixels covered in the changed areas, per frame:\n");
    for (size_t i = 0; i < rows.size() && i < 12; ++i)
      std::printf("  %9.0f  %s\n", rows[i].first / static_cast<double>(std::max<size_t>(frames, 1)),
                  rows[i].second.c_str());
  }

 private:
  static double Pixels(int left, int top, int right, int bottom) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, screen::kWidth);
    bottom = std::min(bottom, screen::kHeight);
    return right > left && bottom > top ? static_cast<double>(right - left) * (bottom - top) : 0;
  }
  std::map<std::string, double> pixels_;
};

FrameTimes RunFrame(Presenter& presenter, LayerCount* layers = nullptr) {
  FrameTimes t;
  const Clock::time_point start = Clock::now();
  LEngine* top = TopScreen();
  if (top) top->Tick(kFrameMs, kFrameMs);
  const Clock::time_point ticked = Clock::now();
  top = TopScreen();
  if (!top) return t;
  std::vector<DirtyRect>& changed = top->Render();
  const Clock::time_point rendered = Clock::now();
  if (top->RedrawMode == 1) {
    presenter.All();
    t.rects = 1;
    t.area = screen::kWidth * screen::kHeight;
  } else {
    std::vector<SDL_Rect> rects;
    rects.reserve(changed.size());
    for (const DirtyRect& d : changed) {
      const int left = std::max(d.left, 0), top_ = std::max(d.top, 0);
      const int right = std::min(d.right, screen::kWidth),
                bottom = std::min(d.bottom, screen::kHeight);
      if (right <= left || bottom <= top_) continue;
      rects.push_back(SDL_Rect{static_cast<Sint16>(left), static_cast<Sint16>(top_),
                               static_cast<Uint16>(right - left),
                               static_cast<Uint16>(bottom - top_)});
      t.area += static_cast<double>(right - left) * (bottom - top_);
    }
    t.rects = static_cast<double>(rects.size());
    presenter.Rects(rects);
  }
  const Clock::time_point presented = Clock::now();
  if (layers) layers->Add(*top, changed);
  changed.clear();
  t.tick = Micros(ticked - start);
  t.render = Micros(rendered - ticked);
  t.present = Micros(presented - rendered);
  return t;
}

// Full-screen blits of a display-format picture onto the display, each timed.
void TimeBlits(SDL_Surface* display, SDL_Surface* picture, int rounds, std::vector<double>& out) {
  for (int i = 0; i < rounds; ++i) {
    SDL_Rect whole{0, 0, screen::kWidth, screen::kHeight};
    const Clock::time_point start = Clock::now();
    SDL_BlitSurface(picture, nullptr, display, &whole);
    out.push_back(Micros(Clock::now() - start));
  }
}

SDL_Surface* MakeFullScreenPicture() {
  SDL_Surface* raw = SDL_CreateRGBSurface(SDL_SWSURFACE, screen::kWidth, screen::kHeight, 32,
                                          0x00ff0000, 0x0000ff00, 0x000000ff, 0);
  if (!raw) return nullptr;
  for (int y = 0; y < screen::kHeight; ++y) {
    Uint32* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(raw->pixels) + y * raw->pitch);
    for (int x = 0; x < screen::kWidth; ++x) row[x] = static_cast<Uint32>((x * 7) ^ (y * 13));
  }
  SDL_Surface* picture = SDL_DisplayFormat(raw);
  SDL_FreeSurface(raw);
  return picture;
}

// Trains about to come: behind a start sign.
size_t Signalled(const Field& field) {
  size_t n = 0;
  for (const Town& t : field.Towns()) n += t.countdown != -1 ? 1 : 0;
  return n;
}

// A town whose line is free and which has no train waiting or about to start.
bool ReadyToStart(const Field& field, const Town& town) {
  if (town.countdown != -1 || !town.queue.empty() || town.townJunction < 0) return false;
  const int exit = field.At(town.townJunction).RouteExit(-1, -1, true, false);
  return exit != -1 && !field.LineBusy(exit, town.townJunction);
}

class Bench {
 public:
  Bench(SDL_Surface* display, Presenter& presenter, const Options& options)
      : display_(display), presenter_(presenter), options_(options) {}

  int Run();

 private:
  bool StartLevel();
  // One frame of play: the autopilot looks, then the frame; the level is held running.
  FrameTimes Play(LayerCount* layers = nullptr);
  void HoldLevel();
  void TopUpTrains(int frame);
  void WarmUp();
  void Measure();
  void Report(const std::vector<FrameTimes>& frames, const std::vector<double>& blits) const;

  SDL_Surface* display_;
  Presenter& presenter_;
  Options options_;
  QuietServices services_;
  ScreenHands hands_;
  LayerCount layers_;
  std::unique_ptr<GMainWindow> window_;
  std::unique_ptr<Autopilot> autopilot_;
  int warmUpFrames_ = 0;
  int extraTrains_ = 0;
  int minTrains_ = 1 << 30, maxTrains_ = 0;
  double sumTrains_ = 0;
};

bool Bench::StartLevel() {
  Globals().GameType = 1;
  Globals().ShowTips = options_.tips;
  Globals().DontShowBeginHelp = true;
  window_ =
      std::make_unique<GMainWindow>(display_, 0, 0, screen::kWidth, screen::kHeight, services_);
  window_->Show(&TopScreen());
  // The start help, when it comes, is answered with OK as the player would.
  for (int i = 0; i < 4 && TopScreen() && TopScreen() != window_.get(); ++i) TopScreen()->Close(-1);
  Game* game = window_->CurrentGame();
  if (!game || TopScreen() != window_.get()) return false;
  game->StartLevelNumber = options_.level - 1;
  game->SetState(kStateNewGame);
  if (!options_.record) game->AttachRecorder(nullptr);
  window_->SetPaused(false);
  autopilot_ = std::make_unique<Autopilot>(*game, hands_, nullptr);
  return game->GameState == kStatePlaying;
}

void Bench::HoldLevel() {
  Game& game = *window_->CurrentGame();
  CompleteIndicator& progress = game.GetProgress();
  // Two half trips back keep the shunting engine's side.
  if (progress.Percent >= kHoldAt) progress.Percent -= 2 * progress.DeltaPercent;
  if (game.MoneyCounter < Game::kStartMoney / 2) game.ChangeMoney(Game::kStartMoney);
}

// Extra trains, one at a time, while fewer than wanted run or are about to: each from a
// town whose line is free, to another town's colour, with the normal delayed start.
void Bench::TopUpTrains(int frame) {
  Game& game = *window_->CurrentGame();
  Field& field = game.GetField();
  const size_t soon = field.Trains().size() + Signalled(field);
  if (frame % kLaunchEvery != 0 || soon >= static_cast<size_t>(options_.trains)) return;
  const int towns = static_cast<int>(field.Towns().size());
  std::vector<int> ready;
  for (int t = 0; t < towns; ++t)
    if (ReadyToStart(field, field.Towns()[static_cast<size_t>(t)])) ready.push_back(t);
  if (towns < 2 || ready.empty()) return;
  const int town = ready[static_cast<size_t>(rnd::Below(static_cast<int>(ready.size())))];
  int colour = rnd::Below(towns - 1);
  if (colour >= town) ++colour;
  const int cars = rnd::Below(std::max(1, game.Record().TrainCars));
  field.LaunchTrain({.colour = colour, .cars = cars, .loco = game.ChooseLocoType(), .town = town},
                    Departure::kDelayed);
  ++extraTrains_;
}

FrameTimes Bench::Play(LayerCount* layers) {
  if (TopScreen() == window_.get()) autopilot_->Act();
  FrameTimes t = RunFrame(presenter_, layers);
  HoldLevel();
  return t;
}

void Bench::WarmUp() {
  Game& game = *window_->CurrentGame();
  const int wanted = options_.trains;
  for (warmUpFrames_ = 0; warmUpFrames_ < kWarmUpLimit; ++warmUpFrames_) {
    const bool allTowns = game.NumberTown >= game.Record().MaxTowns;
    const int running = static_cast<int>(game.GetField().Trains().size());
    if (allTowns && running >= wanted) return;
    if (warmUpFrames_ >= kNaturalFrames) TopUpTrains(warmUpFrames_);
    Play();
  }
  std::fprintf(stderr, "screen-bench: only %zu trains and %d towns after %d s; measuring anyway\n",
               game.GetField().Trains().size(), game.NumberTown, kWarmUpLimit * kFrameMs / 1000);
}

void Bench::Measure() {
  std::vector<double> blits;
  SDL_Surface* picture = MakeFullScreenPicture();
  if (picture) TimeBlits(display_, picture, kBlitRounds, blits);
  window_->NeedFullRedraw = true;
  RunFrame(presenter_);
  while (window_->Speed().Factor() != options_.speed) window_->OnKeyDown(SDLK_TAB, 0);

  std::vector<FrameTimes> frames;
  frames.reserve(static_cast<size_t>(options_.frames));
  for (int i = 0; i < options_.frames; ++i) {
    const int running = static_cast<int>(window_->CurrentGame()->GetField().Trains().size());
    minTrains_ = std::min(minTrains_, running);
    maxTrains_ = std::max(maxTrains_, running);
    sumTrains_ += running;
    TopUpTrains(i);
    // Blits in between, so that both figures see the same state of the machine; the
    // frame after them, with the display out of the cache, is played untimed.
    if (picture && i % kBlitEvery == kBlitEvery - 1) {
      TimeBlits(display_, picture, kBlitShortRound, blits);
      Play();
    }
    frames.push_back(Play(options_.layers ? &layers_ : nullptr));
  }

  if (picture) TimeBlits(display_, picture, kBlitRounds, blits);
  SDL_FreeSurface(picture);
  Report(frames, blits);
}

void Bench::Report(const std::vector<FrameTimes>& frames, const std::vector<double>& blits) const {
  std::vector<double> total, tick, render, present, rects, area;
  for (const FrameTimes& f : frames) {
    total.push_back(f.Total());
    tick.push_back(f.tick);
    render.push_back(f.render);
    present.push_back(f.present);
    rects.push_back(f.rects);
    area.push_back(f.area);
  }
  for (std::vector<double>* v : {&total, &tick, &render, &present, &rects, &area})
    std::sort(v->begin(), v->end());
  const double blit = Median(blits);
  const double median = Percentile(total, 0.5);
  const double p99 = Percentile(total, 0.99);
  const Game& game = *window_->CurrentGame();
  const double n = static_cast<double>(std::max<size_t>(frames.size(), 1));
  std::printf("level: Puzzle %d (record %d)\n", options_.level, game.CurrentRound);
  std::printf("display: %dx%d, %d bits per pixel\n", display_->w, display_->h,
              display_->format->BitsPerPixel);
  std::printf("settled layer: %s\n", options_.plain ? "off" : "on");
  std::printf("recording: %s\n", options_.record ? "on" : "off");
  std::printf("window scale: %d%s\n", options_.scale,
              options_.scale == 1 ? ""
              : options_.gfx      ? (options_.smooth ? " smooth, SDL_gfx" : " doubling, SDL_gfx")
                             : (options_.smooth ? " smooth, own scaler" : " doubling, own scaler"));
  std::printf("towns: %d of %d\n", game.NumberTown, game.Record().MaxTowns);
  std::printf("trains while measured: min %d, mean %.1f, max %d\n", minTrains_, sumTrains_ / n,
              maxTrains_);
  std::printf("warm-up: %d frames (%d s of game time)\n", warmUpFrames_,
              warmUpFrames_ * kFrameMs / 1000);
  std::printf("extra trains launched: %d\n", extraTrains_);
  std::printf("sprites on the screen: %zu\n", window_->Sprites.size());
  std::printf("frames measured: %zu of %d ms at x%d\n", frames.size(), kFrameMs,
              window_->Speed().Factor());
  std::printf("frame cost median: %.1f us\n", median);
  std::printf("frame cost p90: %.1f us\n", Percentile(total, 0.90));
  std::printf("frame cost p99: %.1f us\n", p99);
  std::printf("frame cost max: %.1f us\n", total.empty() ? 0.0 : total.back());
  std::printf("tick median / p99: %.1f / %.1f us\n", Percentile(tick, 0.5), Percentile(tick, 0.99));
  std::printf("render median / p99: %.1f / %.1f us\n", Percentile(render, 0.5),
              Percentile(render, 0.99));
  std::printf("present median / p99: %.1f / %.1f us\n", Percentile(present, 0.5),
              Percentile(present, 0.99));
  std::printf("changed rectangles median / p99: %.0f / %.0f\n", Percentile(rects, 0.5),
              Percentile(rects, 0.99));
  std::printf("changed pixels median / p99: %.0f / %.0f\n", Percentile(area, 0.5),
              Percentile(area, 0.99));
  std::printf("full-screen blit median: %.1f us (%zu blits)\n", blit, blits.size());
  std::printf("median / blit: %.2f\n", blit > 0 ? median / blit : 0.0);
  std::printf("p99 / blit: %.2f\n", blit > 0 ? p99 / blit : 0.0);
  if (options_.layers) layers_.Print(frames.size());
}

int Bench::Run() {
  rnd::SetRunSeed(options_.seed);
  if (!StartLevel()) {
    std::fprintf(stderr, "screen-bench: the level did not start\n");
    return 2;
  }
  WarmUp();
  Measure();
  autopilot_.reset();
  window_->Close(0);
  window_.reset();
  return 0;
}

bool ParseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--no-record") {
      o.record = false;
      continue;
    }
    if (arg == "--tips" || arg == "--layers" || arg == "--smooth" || arg == "--gfx" ||
        arg == "--plain") {
      bool& flag = arg == "--tips"     ? o.tips
                   : arg == "--layers" ? o.layers
                   : arg == "--smooth" ? o.smooth
                   : arg == "--gfx"    ? o.gfx
                                       : o.plain;
      flag = true;
      continue;
    }
    if (i + 1 >= argc) return false;
    const long value = std::strtol(argv[++i], nullptr, 10);
    if (arg == "--level" && value >= 1 && value <= 6)
      o.level = static_cast<int>(value);
    else if (arg == "--frames" && value > 0)
      o.frames = static_cast<int>(value);
    else if (arg == "--trains" && value >= 0)
      o.trains = static_cast<int>(value);
    else if (arg == "--seed" && value >= 0)
      o.seed = static_cast<unsigned>(value);
    else if (arg == "--speed" && (value == 1 || value == 2 || value == GameSpeed::kFastest))
      o.speed = static_cast<int>(value);
    else if (arg == "--scale" && value >= 1 && value <= WindowScaler::kLargestScale)
      o.scale = static_cast<int>(value);
    else
      return false;
  }
  return true;
}

// At a scale above 1 the window is made K times as large (same pixel format, so the
// pictures already loaded fit it) and the screen draws on the scaler's canvas.
int RunScaled(SDL_Surface* display, const Options& options) {
#ifndef OT_HAVE_SDL_GFX
  if (options.gfx) {
    std::fprintf(stderr, "screen-bench: built without SDL_gfx\n");
    return 2;
  }
#endif
  if (options.scale == 1) {
    Presenter presenter(display, nullptr, false);
    return Bench(display, presenter, options).Run();
  }
  SDL_Surface* window = SDL_SetVideoMode(screen::kWidth * options.scale,
                                         screen::kHeight * options.scale, 32, SDL_SWSURFACE);
  if (!window) {
    std::fprintf(stderr, "screen-bench: cannot set the scaled mode: %s\n", SDL_GetError());
    return 2;
  }
  WindowScaler scaler(window, screen::kWidth, screen::kHeight, options.scale, options.smooth);
  if (!scaler.Canvas()) return 2;
  Presenter presenter(window, &scaler, options.gfx);
  return Bench(scaler.Canvas(), presenter, options).Run();
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(
        stderr,
        "usage: screen-bench [--level N] [--frames N] [--trains N] [--seed N] [--speed K]\n"
        "                    [--tips] [--layers] [--scale K] [--smooth] [--gfx]\n"
        "                    [--plain] [--no-record]\n");
    return 2;
  }
  const std::string folder = MakeTempFolder();
  std::string error;
  if (folder.empty()) error = "cannot make a temp folder";
  if (folder.empty() || !EnterGameFolder(folder, error)) {
    std::fprintf(stderr, "screen-bench: %s\n", error.c_str());
    return 2;
  }
  LEngine::SettledLayersOn() = !options.plain;
  int status = 2;
  if (SDL_Surface* display = StartHeadless(error)) {
    status = RunScaled(display, options);
    StopHeadless();
  } else {
    std::fprintf(stderr, "screen-bench: %s\n", error.c_str());
  }
  std::error_code ec;
  std::filesystem::current_path("/", ec);
  std::filesystem::remove_all(folder, ec);
  return status;
}
