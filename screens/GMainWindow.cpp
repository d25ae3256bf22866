// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/GMainWindow.h"

#include <algorithm>
#include <utility>

#include "core/ClipTable.h"
#include "engine/LSound.h"
#include "engine/PictureEffects.h"
#include "game/KeyboardPlay.h"
#include "game/Settings.h"
#include "ids/ScreenSize.h"
#include "railway/Colours.h"
#include "railway/FieldArea.h"
#include "railway/Train.h"
#include "screens/GWndHelp.h"
#include "screens/GWndLevelStats.h"
#include "screens/GWndMenu.h"
#include "screens/GWndMessage.h"
#include "screens/GWndNewGame.h"
#include "screens/GWndOptions.h"
#include "screens/GWndPacks.h"
#include "screens/GWndPickGame.h"
#include "screens/ScreenServices.h"
#include "sprites/ClipLib.h"
#include "sprites/Widgets.h"

namespace {

// The frame around the field: vertical lines of the message line, warehouse, tube,
// tunnel, bottom line and right panel, at their library positions.
constexpr int kDecoration[] = {clip::VertLineLeft, clip::VertLineRight, clip::Warehouse,
                               clip::TopTube,      clip::Tunnel,        clip::DownLine,
                               clip::RightPanel};

// Dialogs are centred in the field's rectangle; the help page covers the display.

struct DialogPlace {
  int16_t x, y;
  uint16_t w, h;
};

DialogPlace InField(uint16_t w, uint16_t h) {
  constexpr rail::ScreenRect field = rail::kFieldArea;
  const int32_t x = std::max(0, field.left + (field.width - w) / 2);
  const int32_t y = std::max(0, field.top + (field.height - h) / 2);
  return {static_cast<int16_t>(x), static_cast<int16_t>(y), w, h};
}

constexpr int32_t kCounterY = -3;
constexpr double kCounterZ = -1207;
constexpr int32_t kDigitStep = 20;
constexpr const char* kBigCaptionCharacters = "LEV 0123456789";

// The speed stands in the message line's golden letters in the top bar, between the
// train and money counters, where the bar shows only trees.
constexpr int32_t kSpeedX = 418, kSpeedY = 4;
constexpr int32_t kLabelCentre = 431;
constexpr int32_t kLabelRoom = 100;  // from the train counter's frame to the money's
constexpr double kSpeedZ = -1207;

// The field's ground and the top bar's forest (z 100000, 99999) and the track pieces (about
// 1100) lie at least this deep and change seldom; the trains' shadows (0) and everything
// that moves lie in front of them.
constexpr double kSettledDepth = 1;

}  // namespace

GMainWindow::GMainWindow(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h,
                         ScreenServices& services)
    : LEngine(target, px, py, w, h, true), services_(services) {
  dialogFont_ = std::make_unique<BitmapFont>(EntryClip(clip::FontRed));
  AddDecoration();
  MakeDialogs();
  MenuButton = MakeButton(clip::MenuButton, snd::Button, this, true);
  LogoButton = MakeButton(clip::LogoButton, snd::GlassBtn, this, true);
  MakerButton = MakeButton(clip::MakerButton, snd::GlassBtn, this, true);
  MakeLines();
  MakeSpeedLabel();
  RequestSort();
  MakeHouseClips();
  fieldSprites_ = std::make_unique<ScreenSprites>(this);
  fieldSprites_->SetHousePictures(houseClips_);
  KeepSettledLayer(kSettledDepth);
}

GMainWindow::~GMainWindow() {
  // The game, the field's sprites and the lines take their sprites out of this screen
  // before it goes; the base destroys the rest.
  DropGame();
  fieldSprites_.reset();
  for (LClip*& house : houseClips_) {
    delete house;
    house = nullptr;
  }
  for (CharStatic* c : speedChars_) RemoveSprite(c, true);
  speedChars_.clear();
  Messages.reset();
  NameLine.reset();
  SmallCaption.reset();
  BigCaption.reset();
  MoneyDisplay.reset();
  TrainsDisplay.reset();
}

const LClip* GMainWindow::EntryClip(int entry) {
  std::unique_ptr<LClip> own;
  const LClip* clip = ClipLib::TemplateOrCopy(entry, own);
  if (own) ownClips_.push_back(std::move(own));
  return clip;
}

void GMainWindow::AddDecoration() {
  for (int entry : kDecoration) AddSprite(ClipLib::Create(entry));
  PauseClip = ClipLib::Create(clip::Pause);
  if (PauseClip) PauseClip->Visible = false;
  AddSprite(PauseClip);
}

void GMainWindow::MakeDialogs() {
  SDL_Surface* t = Target;
  const BitmapFont* font = dialogFont_.get();
  DialogPlace p = InField(400, 250);
  NewGameDialog = std::make_unique<GWndNewGame>(t, p.x, p.y, p.w, p.h, font);
  p = InField(400, 520);
  OptionsDialog = std::make_unique<GWndOptions>(t, p.x, p.y, p.w, p.h, font, services_);
  PickGameDialog = std::make_unique<GWndPickGame>(t, p.x, p.y, p.w, p.h, font);
  MenuDialog = std::make_unique<GWndMenu>(t, p.x, p.y, p.w, p.h, font);
  LevelStatsDialog = std::make_unique<GWndLevelStats>(t, p.x, p.y, p.w, p.h, font);
  PacksDialog = std::make_unique<GWndPacks>(t, p.x, p.y, p.w, p.h, font);
  p = InField(400, 250);
  MessageDialog = std::make_unique<GWndMessage>(t, p.x, p.y, p.w, p.h, font);
  HelpDialog = std::make_unique<GWndHelp>(t, static_cast<int16_t>((W - screen::kWidth) / 2),
                                          static_cast<int16_t>((H - screen::kHeight) / 2),
                                          screen::kWidth, screen::kHeight, Globals().Version);
  HelpDialog->Hint = "Level packs: NEW GAME";
}

void GMainWindow::MakeLines() {
  if (const LClip* digits = EntryClip(clip::Digits)) {
    TrainsDisplay =
        std::make_unique<NumberRow>(this, *digits, 301, kCounterY, kCounterZ, 4, kDigitStep, 0);
    MoneyDisplay =
        std::make_unique<NumberRow>(this, *digits, 482, kCounterY, kCounterZ, 10, kDigitStep, 5);
  }
  BigCaption = std::make_unique<FlyingTextLine>(this, EntryClip(clip::FontBig), 140, 220, 650, 10,
                                                kBigCaptionCharacters);
  const LClip* small = EntryClip(clip::FontSmall);
  SmallCaption = std::make_unique<FlyingTextLine>(this, small, 18, 57, 110, 10);
  NameLine = std::make_unique<FlyingTextLine>(this, small, 23, 14, 100, 10);
  Messages = std::make_unique<MessageLine>(this, EntryClip(clip::FontMessage), 140, 575, 650, 50);
}

void GMainWindow::MakeSpeedLabel() {
  speedFont_ = std::make_unique<BitmapFont>(EntryClip(clip::FontMessage));
  for (int i = 0; i < kTopBarLabelLength; ++i) {
    auto* c = new CharStatic(*speedFont_);
    c->z = kSpeedZ;
    speedChars_.push_back(c);
    AddSprite(c);
  }
}

int32_t GMainWindow::LabelWidth(const std::string& text) const {
  int32_t width = 0;
  for (char c : text) width += speedFont_->GlyphWidth(c);
  return width;
}

// The top bar's label and the pause picture. A player who acts in the pause sees PAUSE in
// the label, not the picture over the middle of the field; a replay watched takes no
// clicks, so its pause keeps the picture. While a replay is watched REPLAY goes before the
// speed, when both fit between the two counters.
void GMainWindow::ShowSpeed() {
  const bool pauseLabel = Paused && Globals().ActWhilePaused && !watch_;
  if (PauseClip) PauseClip->SetVisible(Paused && !pauseLabel);
  std::string label = pauseLabel ? "PAUSE" : speed_.Label();
  if (watch_) {
    const std::string both = label.empty() ? "REPLAY" : "REPLAY " + label;
    if (LabelWidth(both) <= kLabelRoom) label = both;
  }
  topBarLabel_ = label;
  // The speed alone stands at its place; PAUSE and REPLAY are centred in the gap between
  // the two counters.
  int32_t x = watch_ || pauseLabel ? kLabelCentre - LabelWidth(label) / 2 : kSpeedX;
  for (size_t i = 0; i < speedChars_.size(); ++i) {
    CharStatic* c = speedChars_[i];
    const bool shown = i < label.size();
    if (shown) {
      c->SetChar(label[i]);
      c->SetPosition(x, kSpeedY);
      x += speedFont_->GlyphWidth(label[i]);
    }
    c->SetVisible(shown);
  }
}

void GMainWindow::StopSpeed() {
  speed_.Stop();
  ShowSpeed();
}

// Tab speeds the game up, Shift+Tab slows it down.
void GMainWindow::ChangeSpeed(int32_t modifiers) {
  if (modifiers & KMOD_SHIFT)
    speed_.CycleDown();
  else
    speed_.Cycle();
  ShowSpeed();
}

// One copy of the houses picture per town colour, tinted towards the colour.
void GMainWindow::MakeHouseClips() {
  for (int colour = 0; colour < 8; ++colour) {
    LClip* house = ClipLib::Create(clip::Homes, true);
    if (house && house->GetSurface()) {
      int rgb[3];
      ColourTint(colour, rgb);
      ShiftColour(house->GetSurface(), rgb[0], rgb[1], rgb[2]);
      Contrast(house->GetSurface(), rail::kHouseContrast);
    }
    houseClips_[colour] = house;
  }
}

// ---------------------------------------------------------------- the game

void GMainWindow::DropGame() {
  if (game_) {
    game_->FinishRecording(ReplayOutcome::kQuit);
    game_->Save();
  }
  game_.reset();
  panel_.reset();
}

void GMainWindow::NewGame() {
  DropGame();
  StopSpeed();
  const GameParts parts = Parts(&recorder_);
  game_ = std::make_unique<Game>(parts);
  game_->LoadOrStartNew();
}

void GMainWindow::Show(LEngine** slot) {
  NameLine->SetText(Globals().PlayerName);
  if (!watch_) NewGame();
  LEngine::Show(slot);
  if (game_ && !watch_) game_->SetState(kStateStartHelp);
}

void GMainWindow::Close(int32_t code) {
  // A dialog still open goes first, as if cancelled.
  while (TopSlot && *TopSlot && *TopSlot != this) (*TopSlot)->Close(-2);
  // A replay watched is not the player's game: it goes, and the settings it borrowed
  // go back before they are saved.
  if (watch_) StopWatching();
  DropGame();
  LEngine::Close(code);
}

// The message line keeps its reading time at any speed; the game and the sprites that
// show it (trains, flags, explosions, whose frames the field reads) run in steps of
// kGameStep ms, once per step and speed factor. Fixed steps make the game's course
// independent of the frame rate, so a recorded level plays the same again.
void GMainWindow::Update(int32_t elapsed, int32_t /*frame*/) {
  if (ownGameDue_) BeginOwnGame();
  // The game's passing marks count real time: they go away in a pause too.
  if (game_) game_->TickMarks(elapsed);
  if (Paused) {
    if (Globals().ActWhilePaused) RunMessageLineAlone(elapsed);
    return;
  }
  Messages->Tick(elapsed);
  stepTime_ += elapsed;
  while (stepTime_ >= kGameStep) {
    stepTime_ -= kGameStep;
    if (watch_) {
      if (!StepWatched()) stepTime_ = 0;
    } else {
      speed_.RunFrame([&] { StepGame(); });
    }
    if (Paused) stepTime_ = 0;
  }
}

// In a pause the field's sprites stand still, but a player who acts there reads the
// answers on the message line: its letters go on appearing and rising.
void GMainWindow::RunMessageLineAlone(int32_t elapsed) {
  Messages->Tick(elapsed);
  const double k = SpeedFactor(elapsed);
  for (CharStatic* letter : Messages->Chars()) MoveSprite(letter, k, W * k, H * k);
}

void GMainWindow::SetPaused(bool paused) {
  Paused = paused;
  if (paused) speed_.Pause();
  ShowSpeed();
}

// ---------------------------------------------------------------- input

LControl* GMainWindow::OnMouseMove(int32_t px, int32_t py) {
  if (game_) game_->OnMouseMove(px, py);
  return LEngine::OnMouseMove(px, py);
}

bool GMainWindow::ApplyAction(ActionKind kind, int32_t x, int32_t y, int32_t arg) {
  if (!game_) return false;
  return game_->Apply(PlayerAction{.kind = kind, .x = x, .y = y, .arg = arg}).taken;
}

// A press while paused only ends the pause. A player who acts while paused ends it with
// Space alone: every other press acts at once (a replay watched takes no clicks: any
// press ends its pause).
bool GMainWindow::PressEndsPause(bool space) {
  if (!Paused || (Globals().ActWhilePaused && !watch_ && !space)) return false;
  SetPaused(false);
  if (game_) ApplyAction(ActionKind::kResume);
  return true;
}

int32_t GMainWindow::OnRightDown(int32_t px, int32_t py) {
  if (PressEndsPause() || watch_) return 0;
  ApplyAction(ActionKind::kRightClick, px, py);
  return 0;
}

int32_t GMainWindow::OnRightUp(int32_t, int32_t) { return 0; }

LControl* GMainWindow::OnLeftDown(int32_t px, int32_t py) {
  if (PressEndsPause()) return nullptr;
  // A replay watched takes no clicks: the menu button is reached by Escape.
  if (watch_) return nullptr;
  if (ApplyAction(ActionKind::kClick, px, py)) return nullptr;
  return LEngine::OnLeftDown(px, py);
}

LControl* GMainWindow::OnLeftUp(int32_t px, int32_t py) { return LEngine::OnLeftUp(px, py); }

int32_t GMainWindow::OnKeyDown(int32_t key, int32_t modifiers) {
  // Backspace goes on back while the game is paused, as a rewind leaves it.
  if (Paused && key == SDLK_BACKSPACE && CanRewind()) {
    Rewind();
    return 0;
  }
  if (PressEndsPause(key == SDLK_SPACE)) return 0;
  LEngine::OnKeyDown(key, modifiers);
  if (watch_) return OnWatchKey(key, modifiers);
  if (game_ && game_->Keyboard().OnKey(key, modifiers)) return 0;
  if (key == SDLK_SPACE) {
    SetPaused(true);
    ApplyAction(ActionKind::kPause);
  } else if (key == SDLK_TAB) {
    ChangeSpeed(modifiers);
    ApplyAction(ActionKind::kSpeed, 0, 0, speed_.Factor());
  } else if (key == SDLK_F1) {
    OpenHelp();
  } else if (key == SDLK_ESCAPE) {
    OpenMenu();
  } else if (key == SDLK_BACKSPACE) {
    Rewind();
  } else if (Game::IsSkipLevelKey(key, modifiers)) {
    ApplyAction(ActionKind::kSkipLevel);
  }
  return 0;
}

int32_t GMainWindow::OnWheelDown(int32_t px, int32_t py) {
  if (!watch_) ApplyAction(ActionKind::kWheelDown, px, py);
  return 0;
}

int32_t GMainWindow::OnWheelUp(int32_t px, int32_t py) {
  if (!watch_) ApplyAction(ActionKind::kWheelUp, px, py);
  return 0;
}

void GMainWindow::OnActivate(bool active) {
  if (!active) SetPaused(true);
}

void GMainWindow::OnControlClick(LControl* control) {
  if (watch_) return;
  const int trackType = panel_ ? panel_->TrackTypeOf(control) : -1;
  if (trackType >= 0) ApplyAction(ActionKind::kTrackButton, 0, 0, trackType);
  if (control == MenuButton)
    OpenMenu();
  else if (control == LogoButton || control == MakerButton)
    services_.OpenMakerPage();
}
