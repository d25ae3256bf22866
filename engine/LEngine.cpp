// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/LEngine.h"

#include <algorithm>
#include <cmath>

#include "engine/PictureEffects.h"

using area::CurrentRect;
using area::FromClipRect;
using area::Intersection;
using area::IsEmpty;

// ---------------------------------------------------------------------------
// Controls: the base answers nothing; widgets override.

bool LControl::OnMouseMove(int32_t, int32_t, bool) { return false; }
bool LControl::OnMouseDown(int32_t, int32_t) { return false; }
bool LControl::OnMouseUp(int32_t, int32_t) { return false; }
bool LControl::OnKeyDown(int32_t, int32_t) { return false; }
void LControl::OnKeyForward(int32_t, int32_t) {}
void LControl::SetHighlight(bool) {}
void LControl::SetState(int32_t) {}

LEngine*& TopScreen() {
  static LEngine* slot = nullptr;
  return slot;
}

namespace {

constexpr double kNoScreenDepth = -1000000.0;
constexpr double kTiny = 0.00001;

double Sign(double v) { return (v > 0.0) - (v < 0.0); }

}  // namespace

// ---------------------------------------------------------------------------
// Construction and the sprite lists.

LEngine::LEngine() = default;

LEngine::LEngine(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h,
                 bool keepBackground)
    : Target(target), KeepBackground(keepBackground) {
  SetRect(px, py, w, h);
}

LEngine::~LEngine() {
  // The carrier sprite of a stacked screen belongs to the screen below, which may
  // already be gone: it is left alone. Whoever owns the screens closes them first.
  ReleaseBackground();
  for (LClip* sprite : Sprites) delete sprite;
  Sprites.clear();
  Controls.clear();
  DirtyRects.clear();
}

void LEngine::StampSprite(LClip* sprite) {
  if (!sprite || !Background) return;
  SDL_Surface* picture = sprite->GetSurface();
  const int32_t px = TruncToInt(sprite->x);
  const int32_t py = TruncToInt(sprite->y);
  if (picture) {
    SDL_Rect src{0, 0, static_cast<Uint16>(sprite->FrameW), static_cast<Uint16>(sprite->FrameH)};
    SDL_Rect dst{static_cast<Sint16>(std::clamp(px, -32768, 32767)),
                 static_cast<Sint16>(std::clamp(py, -32768, 32767)), 0, 0};
    SDL_BlitSurface(picture, &src, Background, &dst);
  }
  // The backdrop changed under that area: redraw it with the next changed-areas pass.
  MergeDirty({px, py, px + sprite->FrameW, py + sprite->FrameH});
  if (settled_) settled_->Touch({px, py, px + sprite->FrameW, py + sprite->FrameH});
  if (std::find(Sprites.begin(), Sprites.end(), sprite) != Sprites.end())
    RemoveSprite(sprite, true);
  else
    delete sprite;
}

void LEngine::RemoveSprite(LClip* sprite, bool destroy) {
  if (!sprite) return;
  auto it = std::find(Sprites.begin(), Sprites.end(), sprite);
  if (it != Sprites.end()) {
    const int32_t px = TruncToInt(sprite->x);
    const int32_t py = TruncToInt(sprite->y);
    DirtyRect r{std::min(sprite->LastRect.x, px), std::min(sprite->LastRect.y, py),
                std::max(sprite->LastRect.x, px) + sprite->FrameW,
                std::max(sprite->LastRect.y, py) + sprite->FrameH};
    r = Intersection(r, {0, 0, W, H});
    if (!IsEmpty(r)) DirtyRects.push_back(r);
    if (settled_) settled_->Forget(sprite);
    Sprites.erase(it);
  }
  auto control = std::find(Controls.begin(), Controls.end(), sprite);
  if (control != Controls.end()) Controls.erase(control);
  if (destroy) delete sprite;
}

void LEngine::ClearSprites(bool destroy) {
  Controls.clear();
  if (settled_) settled_->Invalidate();
  if (destroy)
    for (LClip* sprite : Sprites) delete sprite;
  Sprites.clear();
}

void LEngine::AddControl(LControl* control) {
  if (!control) return;
  Sprites.push_back(control);
  Controls.push_back(control);
}

void LEngine::AddSprite(LClip* sprite) {
  if (sprite) Sprites.push_back(sprite);
}

// ---------------------------------------------------------------------------
// Moving and animating.

// One movement step towards the first waypoint; false when the sprite is gone
// (a hook removed it).
bool LEngine::StepAlongPath(LClip* sprite, double sx, double sy) {
  const Waypoint wp = sprite->Waypoints.front();
  const double dx = wp.X - sprite->x;
  const double dy = wp.Y - sprite->y;
  double vx = 0.0;
  double vy = 0.0;
  if (std::fabs(dx) < kTiny) {
    vy = Sign(dy) * wp.Speed;
  } else if (std::fabs(dy) < kTiny) {
    vx = Sign(dx) * wp.Speed;
  } else {
    const double m = std::fabs(dy / dx);
    vx = Sign(dx) * std::sqrt(wp.Speed * wp.Speed / (m * m + 1.0));
    vy = Sign(dy) * std::fabs(vx) * m;
  }
  const double stepX = vx * sx;
  const double stepY = vy * sy;
  if (stepX * stepX + stepY * stepY < dx * dx + dy * dy) {
    sprite->x += stepX;
    sprite->y += stepY;
    return true;
  }
  sprite->x = wp.X;
  sprite->y = wp.Y;
  sprite->Waypoints.pop_front();
  if (!sprite->Waypoints.empty()) {
    sprite->OnWaypoint(wp);
    OnSpriteWaypoint(sprite, wp);
    return std::find(Sprites.begin(), Sprites.end(), sprite) != Sprites.end();
  }
  sprite->OnPathEnd(wp);
  OnSpritePathEnd(sprite, wp);
  if (std::find(Sprites.begin(), Sprites.end(), sprite) == Sprites.end()) return false;
  sprite->Vx = 0.0;
  sprite->Vy = 0.0;
  if (wp.DieAtEnd) sprite->TimeDie = 0;
  return true;
}

void LEngine::MoveSprite(LClip* sprite, double k, double sx, double sy) {
  sprite->x += sprite->Vx * sx;
  sprite->y += sprite->Vy * sy;
  sprite->z += sprite->Vz * k;
}

// How far the sprites' speeds carry them in elapsed ms, in TimeUnits; a long stall
// moves them at most five units.
double LEngine::SpeedFactor(int32_t elapsed) const {
  const double k = TimeUnit > 0 ? static_cast<double>(elapsed) / TimeUnit : 0.0;
  return std::min(k, 5.0);
}

void LEngine::Update(int32_t elapsed, int32_t /*frame*/) {
  const double k = SpeedFactor(elapsed);
  const double sx = W * k;
  const double sy = H * k;
  // Hooks may add or remove sprites: walk a snapshot and skip the ones that left. The
  // snapshot's memory is kept from one update to the next (a nested update makes its own).
  std::vector<LClip*> snapshot;
  snapshot.swap(snapshotSpare_);
  snapshot.assign(Sprites.begin(), Sprites.end());
  for (size_t i = 0; i < snapshot.size(); ++i) {
    LClip* sprite = snapshot[i];
    // Still at its place in the list, it is still there; otherwise it is looked for.
    const bool inPlace = i < Sprites.size() && Sprites[i] == sprite;
    if (!inPlace && std::find(Sprites.begin(), Sprites.end(), sprite) == Sprites.end()) continue;
    if (!sprite->Waypoints.empty()) {
      if (!StepAlongPath(sprite, sx, sy)) continue;
    } else {
      MoveSprite(sprite, k, sx, sy);
    }
    sprite->Update(elapsed);
    if (sprite->TimeDie == 0) RemoveSprite(sprite, true);
  }
  snapshot.swap(snapshotSpare_);
  if (!ScreenSprite) return;
  X = static_cast<int16_t>(std::clamp(TruncToInt(ScreenSprite->x), -32768, 32767));
  Y = static_cast<int16_t>(std::clamp(TruncToInt(ScreenSprite->y), -32768, 32767));
  if (TopSlot && *TopSlot == this) {
    int mx = 0;
    int my = 0;
    SDL_GetMouseState(&mx, &my);
    for (LControl* control : Controls)
      if (control->Visible) control->OnMouseMove(mx - X, my - Y, MouseDown);
  }
}

void LEngine::Tick(int32_t elapsed, int32_t frame) {
  Update(elapsed, frame);
  if (Parent) Parent->Tick(elapsed, frame);
}

// ---------------------------------------------------------------------------
// Events.

int32_t LEngine::SpareHook(int32_t, int32_t) { return 0; }

LControl* LEngine::OnMouseMove(int32_t px, int32_t py) {
  LControl* answered = nullptr;
  for (LControl* control : Controls)
    if (control->Visible && control->OnMouseMove(px - X, py - Y, MouseDown)) answered = control;
  return answered;
}

int32_t LEngine::OnRightDown(int32_t, int32_t) { return 0; }
int32_t LEngine::OnRightUp(int32_t, int32_t) { return 0; }

LControl* LEngine::OnLeftDown(int32_t px, int32_t py) {
  MouseDown = true;
  LControl* answered = nullptr;
  for (LControl* control : Controls)
    if (control->Visible && control->OnMouseDown(px - X, py - Y)) answered = control;
  return answered;
}

LControl* LEngine::OnLeftUp(int32_t px, int32_t py) {
  MouseDown = false;
  for (LControl* control : Controls) {
    if (control->Visible && control->Pressed && control->OnMouseUp(px - X, py - Y)) {
      OnControlClick(control);
      return control;
    }
  }
  return nullptr;
}

int32_t LEngine::OnKeyDown(int32_t key, int32_t modifiers) {
  for (LControl* control : Controls)
    if (control->TakesKeys) control->OnKeyDown(key, modifiers);
  return 0;
}

int32_t LEngine::OnKeyUp(int32_t, int32_t) { return 0; }
int32_t LEngine::OnWheelDown(int32_t, int32_t) { return 0; }
int32_t LEngine::OnWheelUp(int32_t, int32_t) { return 0; }
void LEngine::OnActivate(bool) {}
void LEngine::OnControlClick(LControl*) {}

void LEngine::ForwardToKeyControls(int32_t a, int32_t b) {
  for (LControl* control : Controls)
    if (control->TakesKeys) control->OnKeyForward(a, b);
}

void LEngine::SpareHook2(int32_t) {}
void LEngine::OnSpriteWaypoint(LClip*, Waypoint) {}
void LEngine::OnSpritePathEnd(LClip*, Waypoint) {}

// ---------------------------------------------------------------------------
// The screen stack.

void LEngine::Show(LEngine** slot) {
  if (!slot) return;
  if (*slot == this) {
    // Already on top of this stack: it stays where it is, over the same screen.
    TopSlot = slot;
    NeedFullRedraw = true;
    return;
  }
  if (ScreenSprite && Parent) Parent->BottomScreen()->RemoveSprite(ScreenSprite, true);
  ScreenSprite = nullptr;
  TopSlot = slot;
  Parent = *slot;
  if (Parent) {
    LEngine* bottom = BottomScreen();
    ScreenSprite = new LClip();
    ScreenSprite->SetSize(W, H);
    ScreenSprite->x = X;
    ScreenSprite->y = Y;
    ScreenSprite->z = Parent->Parent ? Parent->Parent->Depth() - 1 : kNoScreenDepth - 1;
    ScreenSprite->CreateBlank(false);
    bottom->AddSprite(ScreenSprite);
    bottom->NeedSort = true;
    Target = nullptr;
  }
  *slot = this;
  NeedFullRedraw = true;
}

void LEngine::OnChildClosed(LEngine*, int32_t) {}

void LEngine::Close(int32_t code) {
  LEngine* parent = Parent;
  const bool wasShown = TopSlot != nullptr;
  if (wasShown) {
    *TopSlot = parent;
    TopSlot = nullptr;
    if (parent) {
      parent->BottomScreen()->RemoveSprite(ScreenSprite, true);
      ScreenSprite = nullptr;
      Parent = nullptr;
    }
  }
  if (!KeepBackground) ReleaseBackground();
  // Last, as the uncovered screen may show this one again at once.
  if (wasShown && parent) parent->OnChildClosed(this, code);
}

LEngine* LEngine::BottomScreen() {
  LEngine* screen = this;
  while (screen->Parent) screen = screen->Parent;
  return screen;
}

double LEngine::Depth() const { return ScreenSprite ? ScreenSprite->z : kNoScreenDepth; }

void LEngine::KeepSettledLayer(double depth) {
  if (settled_ && settled_->Depth() == depth) return;
  settled_ = std::make_unique<SettledLayer>(depth);
}

bool& LEngine::SettledLayersOn() {
  static bool on = true;
  return on;
}

bool LEngine::SetRect(int16_t px, int16_t py, uint16_t w, uint16_t h) {
  X = px;
  Y = py;
  if (W != w || H != h || !Background) {
    W = w;
    H = h;
    ReleaseBackground();
    CreateBackground();
  }
  if (ScreenSprite) ScreenSprite->SetPosition(px, py);
  return true;
}

void LEngine::CreateBackground() {
  if (W == 0 || H == 0) return;
  SDL_Surface* shape = Target;
  if (!shape && ScreenSprite) {
    shape = ScreenSprite->GetSurface();
    ScreenSprite->Changed = true;
  }
  const int depth = shape ? shape->format->BitsPerPixel : 32;
  SDL_Surface* raw = SDL_CreateRGBSurface(SDL_SWSURFACE, W, H, depth, 0, 0, 0, 0);
  if (!raw) return;
  Background = ToDisplayFormat(raw, false);
  SDL_FreeSurface(raw);
}

void LEngine::ReleaseBackground() {
  if (settled_) settled_->Release();
  SDL_FreeSurface(Background);
  Background = nullptr;
}

// ---------------------------------------------------------------------------
// Drawing.

std::vector<DirtyRect>& LEngine::Render() {
  LEngine* screen = this;
  while (screen) {
    screen->RenderOne();
    if (!screen->Parent) break;
    screen = screen->Parent;
  }
  return screen->DirtyRects;
}

SDL_Surface* LEngine::DrawingSurface() const {
  if (Target) return Target;
  return ScreenSprite ? ScreenSprite->GetSurface() : nullptr;
}

void LEngine::RenderOne() {
  if (NeedSort) {
    std::stable_sort(Sprites.begin(), Sprites.end(),
                     [](const LClip* a, const LClip* b) { return a->z > b->z; });
    NeedSort = false;
  }
  SDL_Surface* surface = DrawingSurface();
  if (!surface || !Background) return;
  if (RedrawMode == 1 || NeedFullRedraw) {
    FullRedraw(surface);
    NeedFullRedraw = false;
  } else if (RedrawMode == 2) {
    ChangedAreasRedraw(surface);
  }
  // Only the bottom screen's areas are presented; a stacked screen's areas have been
  // drawn into its sprite, which the bottom screen redraws.
  if (ScreenSprite) DirtyRects.clear();
}

void LEngine::FullRedraw(SDL_Surface* surface) {
  if (ScreenSprite && surface == ScreenSprite->GetSurface()) ScreenSprite->Changed = true;
  SDL_Rect whole{0, 0, W, H};
  SDL_BlitSurface(Background, nullptr, surface, &whole);
  if (settled_) settled_->Invalidate();
  const DirtyRect screen{0, 0, surface->w, surface->h};
  for (LClip* sprite : Sprites) {
    if (sprite->Visible && sprite->Changed) {
      const ClipRect cur = CurrentRect(*sprite);
      area::DrawSpritePart(sprite, cur, screen, surface);
      sprite->LastRect = cur;
    } else {
      sprite->LastRect = ClipRect{-1000, -1000, sprite->FrameW, sprite->FrameH};
    }
    sprite->ShownRect = sprite->LastRect;
  }
  DirtyRects.clear();
  DirtyRects.push_back({0, 0, W, H});
}

void LEngine::MergeDirty(DirtyRect r) { area::Merge(DirtyRects, r, {0, 0, W, H}); }

size_t LEngine::UpdateSettled(SDL_Surface* surface, const std::vector<ClipRect>& rects,
                              const std::vector<ClipRect>& shown) {
  if (!settled_) return 0;
  const size_t count = SettledLayersOn() ? settled_->Count(Sprites) : 0;
  if (count > 0 &&
      settled_->Update(surface, Background, Sprites, rects, shown, count, {0, 0, W, H}))
    return count;
  // Not used in this pass: composed whole when it is used again.
  settled_->Invalidate();
  return 0;
}

void LEngine::ChangedAreasRedraw(SDL_Surface* surface) {
  // With the settled layer, what changes and what is drawn is cut to the visible boxes.
  const bool quick = settled_ && SettledLayersOn();
  std::vector<ClipRect> rects(Sprites.size());
  std::vector<ClipRect> shown(Sprites.size());
  for (size_t i = 0; i < Sprites.size(); ++i) {
    rects[i] = CurrentRect(*Sprites[i]);
    shown[i] = quick ? Sprites[i]->VisibleRect(rects[i]) : rects[i];
  }
  const size_t settled = UpdateSettled(surface, rects, shown);
  const DirtyRect bounds{0, 0, W, H};
  for (size_t i = 0; i < Sprites.size(); ++i) {
    LClip* sprite = Sprites[i];
    const ClipRect& cur = rects[i];
    if (cur == sprite->LastRect && !sprite->Changed) continue;
    if (quick) {
      area::MergeApart(DirtyRects, FromClipRect(sprite->ShownRect), bounds);
      area::MergeApart(DirtyRects, FromClipRect(shown[i]), bounds);
    } else {
      MergeDirty(FromClipRect(sprite->LastRect));
      MergeDirty(FromClipRect(cur));
    }
    sprite->LastRect = cur;
    sprite->ShownRect = shown[i];
    sprite->Changed = false;
  }
  if (DirtyRects.empty()) return;
  SDL_Surface* base = settled > 0 ? settled_->Picture() : Background;
  drawList_.Fill(Sprites, rects, shown, settled, Sprites.size());
  drawList_.quickCopy = quick;
  for (const DirtyRect& area : DirtyRects) drawList_.Compose(surface, base, area);
  if (ScreenSprite) ScreenSprite->Changed = true;
}
