// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/game/GameCopy.h"

#include "ids/ScreenSize.h"
#include "railway/LevelRestore.h"
#include "sprites/ClipLib.h"

// The game of a copy: it counts the crashes the field reports.
class GameCopy::CountingGame : public Game {
 public:
  using Game::Game;
  // The copy goes on from where the game stood: the restore's catch-up step, which
  // moves the trains on by one step, is left out.
  bool TakeCatchUpRequest() override {
    Game::TakeCatchUpRequest();
    return false;
  }
  void PostMessage(const std::string& text, bool important) override {
    if (text.rfind("C R A S H", 0) == 0) ++crashes;
    Game::PostMessage(text, important);
  }
  int crashes = 0;
};

Game& GameCopy::Copy() { return *game_; }

int GameCopy::Crashes() const { return game_ ? game_->crashes : 0; }

SharedState SharedState::Now() {
  return {rnd::RunSeed(), rnd::GameStream().State(), rnd::PresentationStream().State(), Globals()};
}

void SharedState::Apply() const {
  rnd::SetRunSeed(seed);
  rnd::GameStream().Seed(game);
  rnd::PresentationStream().Seed(presentation);
  Globals() = settings;
}

GameCopy::GameCopy(SDL_Surface* display)
    : screen_(std::make_unique<LEngine>(display, 0, 0, screen::kWidth, screen::kHeight, true)),
      sprites_(std::make_unique<HeadlessSprites>()) {
  sprites_->SetPictureTest(&ClipLib::Covers);
  // Every copy lays its level out again: the landscape's pictures are read once and
  // shared from then on, not decoded for each copy.
  ClipLib::KeepEveryPicture();
}

GameCopy::~GameCopy() { game_.reset(); }

bool GameCopy::CopyOf(Game& original, const core::ParamEntries& state) {
  constexpr int kMostRestoreFrames = 200;
  // The game's random stream goes on in the copy from where the game left it.
  const uint32_t stream = rnd::GameStream().State();
  game_.reset();
  GameParts parts;
  parts.screen = screen_.get();
  parts.owner = this;
  parts.fieldSprites = sprites_.get();
  game_ = std::make_unique<CountingGame>(parts);
  game_->KeepSavedGames(false);
  game_->RestoreExactly(true);
  game_->SharePackLevelOf(original);
  ended_ = false;
  if (!game_->LoadFrom(state)) return false;
  // Nobody sees a copy being laid out: each restore frame finishes the tracks at once
  // rather than stage by stage, and the copy comes to play in a few frames.
  for (int i = 0; i < kMostRestoreFrames && game_->GameState == kStateRestoring; ++i) {
    FinishBuilding(game_->GetField());
    Step();
  }
  game_->crashes = 0;
  rnd::GameStream().Seed(stream);
  if (game_->GameState != kStatePlaying) return false;
  game_->TakeRunningOf(original);
  return true;
}

void GameCopy::Step() {
  ++frame_;
  game_->Update(kFrame);
  screen_->Update(kFrame, frame_);
  sprites_->Advance(kFrame);
}

void GameCopy::LeftClick(int x, int y) {
  game_->OnMouseMove(x, y);
  game_->Apply(action::Make(ActionKind::kClick, x, y));
}

void GameCopy::RightClick(int x, int y) {
  game_->OnMouseMove(x, y);
  game_->Apply(action::Make(ActionKind::kRightClick, x, y));
}
