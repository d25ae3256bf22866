// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/soak/SoakPlayer.h"

#include <SDL.h>

#include <vector>

#include "engine/LClip.h"
#include "game/ClickTargets.h"
#include "game/LevelTable.h"
#include "game/Settings.h"
#include "ids/ScreenSize.h"
#include "railway/FieldArea.h"
#include "sprites/Widgets.h"
#include "tools/game/GameSession.h"

namespace {

constexpr size_t kRecent = 24;
// Chances per frame: of some input while the player plays alone and while the
// autopilot plays, and of answering an open dialog.
constexpr double kActChance = 0.25;
constexpr double kActChanceWithPilot = 0.001;
constexpr double kAnswerChance = 0.03;
// Chance per frame that the autopilot is switched on or off.
constexpr double kPilotSwitchOn = 1.0 / 6000;
constexpr double kPilotSwitchOff = 1.0 / 30000;
// Chances per frame of a new game, a save, and a load (after a save or not): rare
// enough that levels run to their end, and rarer still while the autopilot plays.
constexpr double kNewGameChance = 1.0 / 40000;
constexpr double kSaveChance = 1.0 / 6000;
constexpr double kLoadChance = 1.0 / 20000;
constexpr double kRareWithPilot = 0.25;

// Keys other than Space, Escape, F1 and Backspace, which the in-game screen handles.
const SDLKey kOtherKeys[] = {SDLK_RETURN, SDLK_a,    SDLK_q,  SDLK_9, SDLK_1,
                             SDLK_TAB,    SDLK_LEFT, SDLK_F2, SDLK_p, SDLK_t};
// Modifiers; never all of Shift, Ctrl, Alt and Caps Lock together (the developer's level
// skip, which sets the balance outside the game's rules).
const int kModifiers[] = {KMOD_NONE, KMOD_LSHIFT, KMOD_LCTRL,
                          KMOD_LALT, KMOD_CAPS,   KMOD_LSHIFT | KMOD_LCTRL | KMOD_LALT};

std::string At(int x, int y) { return " at " + std::to_string(x) + "," + std::to_string(y); }

}  // namespace

SoakPlayer::SoakPlayer(GameSession& session, uint32_t seed) : session_(session), rng_(seed) {}

SoakPlayer::~SoakPlayer() = default;

bool SoakPlayer::Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }

int SoakPlayer::Below(int n) {
  return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(rng_);
}

void SoakPlayer::Note(std::string text) {
  ++counts_.actions;
  recent_.push_back("frame " + std::to_string(frame_) + ": " + std::move(text));
  if (recent_.size() > kRecent) recent_.pop_front();
}

std::string SoakPlayer::Recent() const {
  std::string out;
  for (const std::string& line : recent_) out += "  " + line + "\n";
  return out;
}

// The click points belong to one game object; another one needs them afresh (a new
// object may take the old one's memory, so the session's count of games tells them apart).
void SoakPlayer::Targets() {
  Game& game = session_.GetGame();
  if (targets_ && targetsFor_ == session_.GamesMade()) return;
  targets_ = std::make_unique<ClickTargets>(game);
  targetsFor_ = session_.GamesMade();
}

Replaced SoakPlayer::Step(long long frame) {
  frame_ = frame;
  Replaced replaced = Replaced::kNo;
  const long long gamesBefore = session_.GamesMade();
  if (Chance(autopilot_ ? kPilotSwitchOff : kPilotSwitchOn)) {
    autopilot_ = !autopilot_;
    session_.SetAutopilot(autopilot_, false);
    Note(autopilot_ ? "autopilot on" : "autopilot off");
  }
  if (Chance((kNewGameChance + kSaveChance + kLoadChance) * (autopilot_ ? kRareWithPilot : 1))) {
    replaced = Rare();
  } else if (session_.Open() != Dialog::kNone && Chance(kAnswerChance)) {
    replaced = AnswerDialog();
  } else if (Chance(autopilot_ ? kActChanceWithPilot : kActChance)) {
    replaced = Act();
  }
  if (replaced == Replaced::kNo && session_.GamesMade() != gamesBefore) {
    replaced = Replaced::kOtherGame;  // a rewind
    ++counts_.rewinds;
  }
  if (replaced != Replaced::kNo) targets_.reset();
  session_.RunFrame();
  return replaced;
}

Replaced SoakPlayer::AnswerDialog() {
  const Dialog open = session_.Open();
  if (open == Dialog::kMenu && Chance(0.02)) return NewGame();
  const bool box = Chance(0.5);
  session_.Close(open, box);
  Note(std::string("close ") + DialogName(open) + (box ? " (box on)" : ""));
  return Replaced::kNo;
}

Replaced SoakPlayer::Act() {
  const int pick = Below(100);
  if (pick < 30) {
    ClickPicture();
  } else if (pick < 34) {
    ClickCallButton();
  } else if (pick < 37) {
    ClickToggle();
  } else if (pick < 50) {
    const int x = rail::kFieldArea.left + Below(rail::kFieldArea.width),
              y = rail::kFieldArea.top + Below(rail::kFieldArea.height);
    session_.LeftClick(x, y);
    Note("left click on the field" + At(x, y));
  } else if (pick < 54) {
    const int x = Below(screen::kWidth), y = Below(screen::kHeight);
    session_.LeftClick(x, y);
    Note("left click" + At(x, y));
  } else if (pick < 62) {
    RightClickTown();
  } else if (pick < 66) {
    const int x = Below(screen::kWidth), y = Below(screen::kHeight);
    session_.RightClick(x, y);
    Note("right click" + At(x, y));
  } else if (pick < 71) {
    const bool down = Chance(0.5);
    const int x = Below(screen::kWidth), y = Below(screen::kHeight);
    session_.Wheel(down, x, y);
    Note(std::string(down ? "wheel down" : "wheel up") + At(x, y));
  } else if (pick < 80) {
    PressKey();
  } else if (pick < 86) {
    PressTrackButton();
  } else if (pick < 87) {
    SwitchColourSymbols();
  } else {
    const int x = Below(screen::kWidth), y = Below(screen::kHeight);
    session_.MouseMove(x, y);
    Note("mouse move" + At(x, y));
  }
  return Replaced::kNo;
}

// The options' colour symbols box, ticked or cleared, and the game told at once.
void SoakPlayer::SwitchColourSymbols() {
  if (!session_.HasGame()) return;
  Settings& s = Globals();
  s.ColourSymbols = !s.ColourSymbols;
  session_.GetGame().ApplyColourSymbols();
  Note(s.ColourSymbols ? "colour symbols on" : "colour symbols off");
}

// New games, saves and loads.
Replaced SoakPlayer::Rare() {
  const double pick =
      std::uniform_real_distribution<double>(0, kNewGameChance + kSaveChance + kLoadChance)(rng_);
  if (pick < kNewGameChance) {
    if (session_.Open() == Dialog::kMenu) {
      session_.Close(Dialog::kMenu, false);
      Note("close menu");
    }
    if (session_.Open() != Dialog::kNone) return Replaced::kNo;
    return NewGame();
  }
  if (pick < kNewGameChance + kSaveChance) {
    session_.Save();
    ++counts_.saves;
    Note("save");
    return Replaced::kNo;
  }
  const bool save = Chance(0.7);
  if (save) {
    session_.Save();
    ++counts_.saves;
  }
  const bool restored = session_.Load();
  ++counts_.loads;
  Note(std::string(save ? "save and load" : "load") + (restored ? ": restoring" : ": a new game"));
  return Replaced::kOtherGame;
}

Replaced SoakPlayer::NewGame() {
  const int type = Below(2);
  const int level = 1 + Below(kLastLevel + 1);
  if (session_.Open() == Dialog::kMenu) session_.Close(Dialog::kMenu, false);
  session_.NewGame(type, level);
  ++counts_.newGames;
  Note(std::string("new game ") + (type == 1 ? "puzzle" : "classic") + " level " +
       std::to_string(level));
  return Replaced::kNewGame;
}

// A switch or signal picture of a random junction that has one.
void SoakPlayer::ClickPicture() {
  Game& game = session_.GetGame();
  const Field& field = game.GetField();
  std::vector<const FieldSprite*> pictures;
  for (int j = 0; j < rail::kJunctions; ++j) {
    for (int s = 0; s < 4; ++s) {
      if (field.At(j).SwitchAt(s).picture) pictures.push_back(field.At(j).SwitchAt(s).picture);
      if (field.At(j).SignalAt(s).picture) pictures.push_back(field.At(j).SignalAt(s).picture);
    }
  }
  if (pictures.empty()) return;
  const FieldSprite* p = pictures[Below(static_cast<int>(pictures.size()))];
  int x = static_cast<int>(p->X()) + Below(13) - 6;
  int y = static_cast<int>(p->Y()) + Below(13) - 6;
  if (Chance(0.5)) {
    Targets();
    int tx = 0, ty = 0;
    if (targets_->ClickFor(p, tx, ty)) {
      x = tx;
      y = ty;
    }
  }
  session_.LeftClick(x, y);
  Note("left click on a switch or signal" + At(x, y));
}

void SoakPlayer::ClickCallButton() {
  const auto& sites = session_.GetGame().GetField().CrashSites();
  if (sites.empty()) return;
  const FieldSprite* b = sites[Below(static_cast<int>(sites.size()))].button;
  if (!b) return;
  const int x = static_cast<int>(b->X()) + Below(9) - 4,
            y = static_cast<int>(b->Y()) + Below(9) - 4;
  session_.LeftClick(x, y);
  Note("left click on a call button" + At(x, y));
}

void SoakPlayer::ClickToggle() {
  const PanelBox toggle = session_.GetGame().Panel().ToggleBox();
  if (toggle.Empty()) return;
  const int x = toggle.x + Below(toggle.w);
  const int y = toggle.y + Below(toggle.h);
  session_.LeftClick(x, y);
  Note("left click on the mode toggle" + At(x, y));
}

void SoakPlayer::RightClickTown() {
  const Field& field = session_.GetGame().GetField();
  const int towns = static_cast<int>(field.Towns().size());
  if (towns == 0) return;
  const Town& t = field.Towns()[Below(towns)];
  const rail::Point p = rail::JunctionPos(Chance(0.5) ? t.townJunction : t.innerJunction);
  const int x = p.x + Below(31) - 15, y = p.y + Below(31) - 15;
  session_.RightClick(x, y);
  Note("right click on a town" + At(x, y));
}

void SoakPlayer::PressKey() {
  const int pick = Below(5);
  SDLKey key = SDLK_SPACE;
  if (pick == 1) key = SDLK_ESCAPE;
  if (pick == 2) key = SDLK_F1;
  if (pick == 3) key = SDLK_BACKSPACE;
  if (pick == 4) key = kOtherKeys[Below(static_cast<int>(std::size(kOtherKeys)))];
  const int modifiers = kModifiers[Below(static_cast<int>(std::size(kModifiers)))];
  session_.Key(key, modifiers);
  Note("key " + std::string(SDL_GetKeyName(key)) + " modifiers " + std::to_string(modifiers));
}

void SoakPlayer::PressTrackButton() {
  const int i = Below(GamePanel::kTrackButtons);
  const LControl* button = session_.GetGame().Panel().TrackButton(i);
  if (!button) return;
  session_.PressButton(button);
  Note("panel button " + std::to_string(i));
}
