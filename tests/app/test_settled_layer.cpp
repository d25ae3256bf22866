// SPDX-License-Identifier: GPL-3.0-or-later
// The in-game screen draws the same pictures with its settled layer as without: one
// scripted Classic game at the fastest speed (track built piece by piece, the level's
// trains running with their colour symbols, a head-on crash, the repair train restoring
// the track) is played twice on the real screen with the game's own pictures, and the
// whole window is compared every few frames, at window scale 1 (in 32 and in 16 bits
// per pixel) and 2.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/WindowScaler.h"
#include "core/Cipher.h"
#include "core/LParams.h"
#include "core/Random.h"
#include "engine/LArchive.h"
#include "engine/LEngine.h"
#include "game/Game.h"
#include "game/Settings.h"
#include "platform/Folders.h"
#include "railway/Geometry.h"
#include "railway/Train.h"
#include "screens/GMainWindow.h"
#include "screens/ScreenServices.h"
#include "sprites/ClipLib.h"

namespace {

constexpr int kW = 800, kH = 600;
constexpr int kCompareEvery = 3;  // frames between two comparisons of the window

// What one run showed: a digest of the whole window every few frames, and the steps of
// the script it reached.
struct Recording {
  std::vector<size_t> frames;
  std::vector<std::string> steps;
};

size_t Digest(SDL_Surface* s) {
  if (SDL_MUSTLOCK(s)) SDL_LockSurface(s);
  const std::string_view pixels(static_cast<const char*>(s->pixels),
                                static_cast<size_t>(s->pitch) * static_cast<size_t>(s->h));
  const size_t digest = std::hash<std::string_view>{}(pixels);
  if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
  return digest;
}

// One game on the real in-game screen, drawn on the display at scale 1 or on the
// scaler's canvas and scaled into the window as the game's frame does.
class Player {
 public:
  Player(SDL_Surface* window, int scale) : window_(window) {
    if (scale > 1) scaler_ = std::make_unique<WindowScaler>(window, kW, kH, scale, false);
    screen_ = std::make_unique<GMainWindow>(Canvas(), 0, 0, kW, kH, services_);
  }
  ~Player() {
    if (TopScreen()) TopScreen()->Close(0);
    screen_.reset();
    TopScreen() = nullptr;
  }
  SDL_Surface* Canvas() { return scaler_ ? scaler_->Canvas() : window_; }

  // The screen shown, a Classic game begun at level 1 and running.
  bool Start() {
    screen_->Show(&TopScreen());
    for (int i = 0; i < 4 && TopScreen() && TopScreen() != screen_.get(); ++i)
      TopScreen()->Close(-1);
    game_ = screen_->CurrentGame();
    if (!game_ || TopScreen() != screen_.get()) return false;
    game_->StartLevelNumber = 0;
    game_->SetState(kStateNewGame);
    screen_->SetPaused(false);
    // The fastest game speed: more happens in fewer frames.
    return game_->GameState == kStatePlaying && SetSpeed(GameSpeed::kFastest);
  }
  // The game speed set with Tab, as the player sets it.
  bool SetSpeed(int factor) {
    for (int i = 0; i < 3 && screen_->Speed().Factor() != factor; ++i)
      screen_->OnKeyDown(SDLK_TAB, 0);
    return screen_->Speed().Factor() == factor;
  }
  Game& TheGame() { return *game_; }
  Field& TheField() { return game_->GetField(); }

  // Frames until the condition holds; false when it did not within the frames given.
  bool RunUntil(const std::function<bool()>& done, int frames) {
    for (int i = 0; i < frames; ++i) {
      if (done()) return true;
      Frame();
    }
    return done();
  }
  void Run(int frames) {
    for (int i = 0; i < frames; ++i) Frame();
  }

  Recording record;

 private:
  void Frame() {
    LEngine* top = TopScreen();
    ASSERT_NE(top, nullptr);
    top->Tick(20, 20);
    std::vector<DirtyRect>& changed = TopScreen()->Render();
    std::vector<SDL_Rect> rects;
    for (const DirtyRect& d : changed) rects.push_back(area::ToSdl(d));
    changed.clear();
    // The window shows what the changed rectangles bring to it, as the frame presents them.
    if (scaler_) scaler_->ScaleRects(rects);
    if (++frame_ % kCompareEvery == 0) record.frames.push_back(Digest(window_));
  }

  SDL_Surface* window_;
  std::unique_ptr<WindowScaler> scaler_;
  QuietServices services_;
  std::unique_ptr<GMainWindow> screen_;
  Game* game_ = nullptr;
  int frame_ = 0;
};

// Lays track as the player does: pieces from the end of the first town's track towards
// the end of the second town's, each the buildable one ending nearest to it, stopping
// short of it so that no train of the level finds its way onto the line. The pieces, as
// (junction, type), in order. The line meets no other track, so no switch turns a train off it.
std::vector<std::pair<int, int>> LayLine(Field& field, int pieces) {
  std::vector<std::pair<int, int>> line;
  if (field.Towns().size() < 2) return line;
  const int goal = field.Towns()[1].innerJunction;
  const rail::Point target = rail::JunctionPos(goal);
  auto distance = [&target](int j) {
    const rail::Point p = rail::JunctionPos(j);
    return (p.x - target.x) * (p.x - target.x) + (p.y - target.y) * (p.y - target.y);
  };
  // A junction no track reaches yet: the line gets no switch there.
  auto fresh = [&field](int j) {
    for (int d = 0; d < rail::kDirectionCount; ++d)
      if (field.At(j).HasEnd(d)) return false;
    return true;
  };
  int j = field.Towns()[0].innerJunction;
  for (int piece = 0; piece < pieces && j != goal; ++piece) {
    int best = -1;
    for (int t = 0; t < rail::kTrackTypeCount; ++t) {
      const int far = rail::Neighbour(j, t);
      if (rail::ValidJunction(far) && fresh(far) && field.CanBuild(j, t) &&
          (best < 0 || distance(far) < distance(rail::Neighbour(j, best))))
        best = t;
    }
    if (best < 0 || distance(rail::Neighbour(j, best)) >= distance(j) ||
        !field.AddTrack(j, best, Laying::kByPlayer))
      break;
    line.emplace_back(j, best);
    j = rail::Neighbour(j, best);
  }
  return line;
}

// The script: a line built from the first town while the level's trains run, two
// trains crashing head-on on its first piece, the level's trains taken off, and the
// repair train sent from the first town over the damage.
void Play(Player& p) {
  auto step = [&p](const std::string& name, bool reached) {
    p.record.steps.push_back(name + (reached ? "" : " (not reached)"));
  };
  step("start", p.Start());
  p.Run(50);
  Field& field = p.TheField();
  const std::vector<std::pair<int, int>> line = LayLine(field, 6);
  step("laid", line.size() >= 4);
  step("built", p.RunUntil([&] { return field.AllTracksBuilt(); }, 3000));
  p.Run(20);
  if (line.size() >= 4) {  // both ends of the first piece, facing each other
    const auto [j, type] = line[0];
    field.PlaceTrain(4, 2, 1, {j, type, 10}, TrainKind::kOrdinary, 0);
    field.PlaceTrain(4, 3, 0, {rail::Neighbour(j, type), rail::Opposite(type), 10},
                     TrainKind::kOrdinary, 0);
  }
  step("crash", p.RunUntil([&] { return !field.CrashSites().empty(); }, 1500));
  p.Run(60);  // the explosions
  // The level's trains leave the field, so that none meets the repair train head-on.
  while (!field.Trains().empty()) field.RemoveTrain(0, 0, false);
  field.CallRepairTrain(0);
  step("repair train", field.RepairTrainOnField());
  step("repaired", p.RunUntil([&] { return field.CrashSites().empty(); }, 1500));
  p.Run(50);
}

// A window: its scale and its bits per pixel (the full screen's 16 at scale 1).
struct WindowMode {
  int scale;
  int bits;
};

class SettledLayerPictures : public testing::TestWithParam<WindowMode> {
 protected:
  void SetUp() override {
    saved_ = Globals();
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    char pattern[] = "/tmp/ot_settled_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    CipherSetup(ProgramCipher(), reinterpret_cast<const uint8_t*>(kProgramKey), kProgramKeyLength);
    Archive().SetLooseRoot(OT_BINARY_DIR);
    const std::string archive = std::string(OT_BINARY_DIR) + "/" + platform::kArchiveName;
    ASSERT_TRUE(std::filesystem::exists(archive)) << "the game's data is built with the tests";
    Archive().Open(archive, kProgramKey, kProgramKeyLength);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    const WindowMode mode = GetParam();
    window_ = SDL_SetVideoMode(kW * mode.scale, kH * mode.scale, mode.bits, SDL_SWSURFACE);
    ASSERT_NE(window_, nullptr);
    ASSERT_EQ(window_->format->BitsPerPixel, mode.bits);
    ASSERT_TRUE(ClipLib::Init());
    while (!ClipLib::IsComplete()) ASSERT_NE(ClipLib::LoadNext(), -1);
  }
  void TearDown() override {
    LEngine::SettledLayersOn() = true;
    ClipLib::Shutdown();
    Archive().Close();
    Params().Close();
    SDL_Quit();
    Globals() = saved_;
    std::filesystem::current_path(old_);
    std::filesystem::remove_all(dir_);
  }

  // The script played from a fresh folder and seed, with or without the settled layer.
  Recording Played(bool settled) {
    LEngine::SettledLayersOn() = settled;
    const std::string folder = dir_ + (settled ? "/settled" : "/plain");
    std::filesystem::create_directories(folder + "/savep");
    std::filesystem::current_path(folder);
    Globals() = Settings{};
    Globals().GameType = 0;
    Globals().ShowTips = false;
    Globals().DontShowBeginHelp = true;
    Globals().ColourSymbols = true;
    rnd::SetRunSeed(3);
    SDL_FillRect(window_, nullptr, 0);
    Player player(window_, GetParam().scale);
    Play(player);
    return player.record;
  }

  std::string dir_;
  std::filesystem::path old_;
  SDL_Surface* window_ = nullptr;
  Settings saved_;
};

TEST_P(SettledLayerPictures, EveryFrameIsTheSameWithAndWithoutIt) {
  const Recording plain = Played(false);
  const Recording settled = Played(true);
  const std::vector<std::string> script = {"start", "laid",         "built",
                                           "crash", "repair train", "repaired"};
  EXPECT_EQ(plain.steps, script) << "the script ran as meant";
  EXPECT_EQ(settled.steps, plain.steps);
  ASSERT_EQ(settled.frames.size(), plain.frames.size());
  for (size_t i = 0; i < plain.frames.size(); ++i)
    ASSERT_EQ(settled.frames[i], plain.frames[i])
        << "first difference at frame " << (i + 1) * kCompareEvery;
}

INSTANTIATE_TEST_SUITE_P(Windows, SettledLayerPictures,
                         testing::Values(WindowMode{1, 32}, WindowMode{1, 16}, WindowMode{2, 32}));

}  // namespace
