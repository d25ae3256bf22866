#include "app/DemoScreen.h"

#include <array>

namespace {

constexpr uint16_t kWidth = 800;
constexpr uint16_t kHeight = 600;
// Speed of the runner, in screen widths (or heights) per 30 ms.
constexpr double kRunnerSpeed = 0.006;

struct Corner {
  double x, y;
};
constexpr Corner kLoop[] = {{120, 140}, {680, 140}, {680, 460}, {120, 460}};

void Fill(SDL_Surface* s, int x, int y, int w, int h, Uint8 r, Uint8 g, Uint8 b) {
  SDL_Rect rect{static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w),
                static_cast<Uint16>(h)};
  SDL_FillRect(s, &rect, SDL_MapRGB(s->format, r, g, b));
}

}  // namespace

DemoScreen::DemoScreen(SDL_Surface* display, Kind kind)
    : LEngine(display, 0, 0, kWidth, kHeight, false), kind_(kind) {
  PaintBackground();
  AddRunner();
}

void DemoScreen::PaintBackground() {
  if (Background == nullptr) return;
  const bool intro = kind_ == Kind::Intro;
  Fill(Background, 0, 0, kWidth, kHeight, 46, intro ? 70 : 96, 40);
  Fill(Background, 0, 0, kWidth, 40, 24, 32, 56);  // the drag band along the top
  // The track of the loop: sleepers under two rails.
  for (const auto& [x, y, w, h] : {std::array<int, 4>{110, 130, 580, 20},
                                   std::array<int, 4>{110, 450, 580, 20},
                                   std::array<int, 4>{110, 130, 20, 340},
                                   std::array<int, 4>{670, 130, 20, 340}})
    Fill(Background, x, y, w, h, 110, 84, 56);
  for (const int inset : {3, 15}) {
    Fill(Background, 110, 130 + inset, 580, 2, 200, 200, 210);
    Fill(Background, 110, 450 + inset, 580, 2, 200, 200, 210);
    Fill(Background, 110 + inset, 130, 2, 340, 200, 200, 210);
    Fill(Background, 670 + inset, 130, 2, 340, 200, 200, 210);
  }
}

void DemoScreen::AddRunner() {
  auto* sprite = new LClip();
  sprite->SetSize(36, 20);
  if (!sprite->CreateBlank(false)) {
    delete sprite;
    return;
  }
  SDL_Surface* s = sprite->GetSurface();
  Fill(s, 0, 0, 36, 20, 190, 30, 30);
  Fill(s, 24, 3, 9, 14, 240, 220, 120);
  sprite->SetAllAlign(18, 10);
  sprite->SetPosition(kLoop[3].x, kLoop[3].y);
  QueueLoop(*sprite);
  AddSprite(sprite);
  runner_ = sprite;
}

void DemoScreen::QueueLoop(LClip& sprite) {
  for (const Corner& c : kLoop) sprite.Waypoints.push_back(Waypoint{c.x, c.y, 0.0, kRunnerSpeed, false});
}

void DemoScreen::OnSpritePathEnd(LClip* sprite, Waypoint) {
  if (sprite != nullptr && sprite == runner_) QueueLoop(*sprite);
}

LControl* DemoScreen::OnLeftDown(int32_t px, int32_t py) {
  LControl* hit = LEngine::OnLeftDown(px, py);
  if (kind_ == Kind::Intro && py >= 40) Close(0);
  return hit;
}

int32_t DemoScreen::OnKeyDown(int32_t key, int32_t modifiers) {
  LEngine::OnKeyDown(key, modifiers);
  // Modifier keys alone do not close it (Alt is held down before Alt+F4).
  const bool modifier = key >= SDLK_NUMLOCK && key <= SDLK_COMPOSE;
  if (kind_ == Kind::Intro && key != SDLK_F4 && !modifier) Close(0);
  return 0;
}
