// SPDX-License-Identifier: GPL-3.0-or-later
// rewind-bench: what Backspace costs at the end of a long level. A Classic level of 25
// minutes is played with recording on: every 5 s of game time the player lays one more
// piece of track (the track-type button when the type changes, then a click on the
// piece's junction: the first piece in junction order that the building rules allow
// beside track already laid or a town), and the autopilot routes the trains over what is
// built. The level starts with a balance carried over that its fines cannot use up, so
// it runs its whole length. At 10 s before the warehouse is empty the rewind is timed:
// the game made anew and played along its recorded course to 10 s back, without drawing.
// After each run the level is played on to the same update (untimed) and rewound again.
// The level is then played to its end (or quit, when trains that never reach a town keep
// it from ending) and the replay it wrote is measured.
//
// The level is played headless, as ot-game plays it; with --screen on the real in-game
// screen on SDL's dummy display instead (its frames run without drawing), whose rewind
// steps the screen's own pictures too.
//
// Usage: rewind-bench [--level N] [--runs N] [--seed N] [--no-autopilot] [--screen]
//   --level         the 1-based Classic level (3 is record 2, 5 is record 4; default 3)
//   --runs          the timed rewinds (default 5)
//   --seed          the run's seed (default 4)
//   --no-autopilot  only the player's click every 5 s: no other action is recorded
//   --screen        the in-game screen as the host
// It prints figures only; nothing is checked.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/Random.h"
#include "game/Autopilot.h"
#include "game/Game.h"
#include "game/LevelTable.h"
#include "game/Settings.h"
#include "ids/ScreenSize.h"
#include "railway/Geometry.h"
#include "screens/GMainWindow.h"
#include "screens/ScreenServices.h"
#include "tools/game/GameSession.h"
#include "tools/game/Headless.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kClassic = 0;
constexpr int kFrameMs = 20;
constexpr int kStepsPerMinute = 60000 / kFrameMs;
constexpr int kPlayerEvery = 5000 / kFrameMs;         // the player's click: every 5 s
constexpr int kFinishingSteps = 3 * kStepsPerMinute;  // after the warehouse is empty
constexpr int32_t kCarriedMoney = 100000000;
constexpr int kFieldLeft = 140;  // a click on the field's first column lays nothing

struct Options {
  int level = 3;
  int runs = 5;
  unsigned seed = 4;
  bool autopilot = true;
  bool screen = false;
};

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Where the level is played: what the bench asks of the headless session or the screen.
class Table : public PlayerHands {
 public:
  virtual ~Table() = default;
  // The level begun with the player's recorder attached.
  virtual Game& Begin(int level) = 0;
  virtual Game& TheGame() = 0;
  // One frame of 20 ms at x1, unless paused.
  virtual void Frame() = 0;
  virtual bool Rewind() = 0;
  virtual void Resume() = 0;
  virtual bool LevelEnded() = 0;
  virtual const LevelRecorder& Recorder() = 0;
  // The rewind's parts, when the table times them.
  virtual std::string Parts() const { return std::string(); }
  virtual void ResetParts() {}
};

// The session as the rewind's host, timing what the rewind asks of it.
class TimedSession : public GameSession {
 public:
  using GameSession::GameSession;
  Game& ReplaceGame() override {
    const Clock::time_point start = Clock::now();
    Game& game = GameSession::ReplaceGame();
    replace += Clock::now() - start;
    return game;
  }
  void StepGame() override {
    const Clock::time_point start = Clock::now();
    GameSession::StepGame();
    steps += Clock::now() - start;
    ++stepCount;
  }
  Clock::duration replace{}, steps{};
  int stepCount = 0;
};

class SessionTable : public Table {
 public:
  explicit SessionTable(SDL_Surface* display) : session_(display, log_) {
    log_.quiet = true;
    session_.Record(kReplaysFolder);
  }
  Game& Begin(int level) override {
    Game& game = session_.GetGame();
    game.StartLevelWith(level - 1, kCarriedMoney, 0, 0);
    return game;
  }
  Game& TheGame() override { return session_.GetGame(); }
  void Frame() override { session_.RunFrame(); }
  bool Rewind() override { return session_.Rewind(); }
  void Resume() override { session_.SetPaused(false); }
  bool LevelEnded() override { return session_.Open() != Dialog::kNone; }
  const LevelRecorder& Recorder() override { return *session_.Recorder(); }
  void LeftClick(int x, int y) override { session_.LeftClick(x, y); }
  void RightClick(int x, int y) override { session_.RightClick(x, y); }
  std::string Parts() const override {
    char text[160];
    std::snprintf(text, sizeof text, " (the game made anew %.1f ms, %d steps %.1f ms)",
                  Ms(session_.replace), session_.stepCount, Ms(session_.steps));
    return text;
  }
  void ResetParts() override {
    session_.replace = session_.steps = Clock::duration::zero();
    session_.stepCount = 0;
  }

 private:
  EventLog log_;
  TimedSession session_;
};

// The in-game screen, ticked as the frame loop ticks it; what it would draw is dropped.
class ScreenTable : public Table {
 public:
  explicit ScreenTable(SDL_Surface* display)
      : window_(std::make_unique<GMainWindow>(display, 0, 0, screen::kWidth, screen::kHeight,
                                              services_)) {}
  ~ScreenTable() override { window_->Close(0); }
  Game& Begin(int level) override {
    Globals().DontShowBeginHelp = true;
    window_->Show(&TopScreen());
    for (int i = 0; i < 4 && TopScreen() && TopScreen() != window_.get(); ++i)
      TopScreen()->Close(-1);
    window_->SetPaused(false);
    Game& game = TheGame();
    game.StartLevelWith(level - 1, kCarriedMoney, 0, 0);
    return game;
  }
  Game& TheGame() override { return *window_->CurrentGame(); }
  void Frame() override {
    if (LEngine* top = TopScreen()) {
      top->Tick(kFrameMs, ++frame_);
      top->DirtyRects.clear();
    }
  }
  bool Rewind() override { return window_->Rewind(); }
  void Resume() override { window_->SetPaused(false); }
  bool LevelEnded() override { return TopScreen() != window_.get(); }
  const LevelRecorder& Recorder() override { return window_->Recorder(); }
  void LeftClick(int x, int y) override {
    window_->OnMouseMove(x, y);
    window_->OnLeftDown(x, y);
    window_->OnLeftUp(x, y);
  }
  void RightClick(int x, int y) override {
    window_->OnMouseMove(x, y);
    window_->OnRightDown(x, y);
    window_->OnRightUp(x, y);
  }

 private:
  QuietServices services_;
  std::unique_ptr<GMainWindow> window_;
  int frame_ = 0;
};

bool Touched(const Field& field, int j) {
  for (int d = 0; d < rail::kDirectionCount; ++d)
    if (field.At(j).HasEnd(d)) return true;
  return false;
}

// The player who lays one piece of track every 5 s.
class TrackLayer {
 public:
  explicit TrackLayer(Table& table) : table_(table) {}
  void Act() {
    Game& game = table_.TheGame();
    const Field& field = game.GetField();
    for (int tried = 0; tried < kPieces; ++tried) {
      const int j = next_ / rail::kTrackTypeCount, t = next_ % rail::kTrackTypeCount;
      next_ = (next_ + 1) % kPieces;
      const rail::Point at = rail::JunctionPos(j);
      const int far = rail::Neighbour(j, t);
      const bool touches = Touched(field, j) || (rail::ValidJunction(far) && Touched(field, far));
      if (!touches || field.HasTrack(j, t) || !field.CanBuild(j, t) ||
          rail::NodeAt(at.x, at.y) != j || at.x <= kFieldLeft) {
        continue;
      }
      if (game.CurrSelectTrackType != t || game.iGameMode != kBuildingMode) {
        game.Apply(action::Make(ActionKind::kTrackButton, 0, 0, t));
        ++actions;
      }
      table_.LeftClick(at.x, at.y);
      ++actions;
      ++pieces;
      return;
    }
  }
  int actions = 0;
  int pieces = 0;

 private:
  static constexpr int kPieces = rail::kJunctions * rail::kTrackTypeCount;
  Table& table_;
  int next_ = 0;
};

class Bench {
 public:
  Bench(Table& table, const Options& options) : options_(options), table_(table), layer_(table) {}
  int Run();

 private:
  void Play();
  bool PlayTo(int32_t update);
  void Rewinds(int32_t target);
  void Finish();

  Options options_;
  Table& table_;
  TrackLayer layer_;
  std::unique_ptr<Autopilot> autopilot_;  // made for the game of the moment
  double trainSteps_ = 0;                 // trains summed over the frames played
  size_t mostTrains_ = 0;
  int frames_ = 0;
};

// One frame of play: the player's click every 5 s of game time, the autopilot's look.
void Bench::Play() {
  Game& game = table_.TheGame();
  const size_t trains = game.GetField().Trains().size();
  trainSteps_ += static_cast<double>(trains);
  mostTrains_ = std::max(mostTrains_, trains);
  ++frames_;
  if (game.GameState == kStatePlaying && game.LevelUpdate() % kPlayerEvery == kPlayerEvery - 1)
    layer_.Act();
  if (options_.autopilot) {
    if (!autopilot_) autopilot_ = std::make_unique<Autopilot>(game, table_, nullptr);
    autopilot_->Act();
  }
  table_.Frame();
}

bool Bench::PlayTo(int32_t update) {
  table_.Resume();
  while (table_.TheGame().LevelUpdate() < update) {
    if (table_.TheGame().GameState != kStatePlaying || table_.LevelEnded()) return false;
    Play();
  }
  return true;
}

// The wall time of each rewind, and the processor time it took (the two part on a busy
// machine, where the process waits for its turn).
void Bench::Rewinds(int32_t target) {
  std::vector<double> totals, processor;
  for (int r = 0; r < options_.runs; ++r) {
    table_.ResetParts();
    const std::clock_t cpu = std::clock();
    const Clock::time_point start = Clock::now();
    const bool rewound = table_.Rewind();
    const double total = Ms(Clock::now() - start);
    const double used = 1000.0 * static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
    autopilot_.reset();  // the game is made anew
    if (!rewound) {
      std::fprintf(stderr, "rewind-bench: the level could not be rewound\n");
      return;
    }
    std::printf("rewind %d: %.1f ms (processor %.1f ms) to update %d%s\n", r + 1, total, used,
                table_.TheGame().LevelUpdate(), table_.Parts().c_str());
    totals.push_back(total);
    processor.push_back(used);
    if (!PlayTo(target)) break;
  }
  if (totals.empty()) return;
  std::sort(totals.begin(), totals.end());
  std::sort(processor.begin(), processor.end());
  std::printf("median of %zu rewinds: %.1f ms (processor %.1f ms)\n", totals.size(),
              totals[totals.size() / 2], processor[processor.size() / 2]);
}

// The level played to its statistics, and the replay it wrote.
void Bench::Finish() {
  table_.Resume();
  for (int frames = 0; !table_.LevelEnded() && frames < kFinishingSteps; ++frames) Play();
  if (!table_.LevelEnded()) table_.TheGame().FinishRecording(ReplayOutcome::kQuit);
  const std::string written = table_.Recorder().LastWritten();
  std::error_code ec;
  const auto size = written.empty() ? 0 : std::filesystem::file_size(written, ec);
  Replay replay;
  std::string why;
  const bool read = !written.empty() && ReadReplayFile(written, replay, why);
  const bool complete = read && replay.end && replay.end->outcome == ReplayOutcome::kLevelComplete;
  std::printf(
      "replay written at the level's %s: %ju bytes, %zu actions (%d of the player: %d pieces "
      "laid)\n",
      complete ? "end" : "quit", static_cast<uintmax_t>(ec ? 0 : size),
      read ? replay.actions.size() : size_t{0}, layer_.actions, layer_.pieces);
}

int Bench::Run() {
  Game& game = table_.Begin(options_.level);
  const LevelParams& level = game.Record();
  const int32_t target = level.LevelMinutes * kStepsPerMinute - 10000 / kFrameMs;
  std::printf("level: Classic %d (record %d), %d minutes, seed %u, autopilot %s, %s\n",
              options_.level, game.CurrentRound, level.LevelMinutes, options_.seed,
              options_.autopilot ? "on" : "off",
              options_.screen ? "the in-game screen" : "headless");
  const Clock::time_point start = Clock::now();
  if (!PlayTo(target)) {
    std::fprintf(stderr, "rewind-bench: the level ended before update %d\n", target);
    return 1;
  }
  std::printf(
      "played to update %d in %.0f ms: %zu towns, trains on the field %.1f on average and at "
      "most %zu, %d delivered, %zu actions in the course\n",
      target, Ms(Clock::now() - start), table_.TheGame().GetField().Towns().size(),
      trainSteps_ / std::max(frames_, 1), mostTrains_, table_.TheGame().TrainCounter,
      table_.Recorder().Course().size());
  Rewinds(target);
  Finish();
  return 0;
}

bool ParseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--no-autopilot" || arg == "--screen") {
      (arg == "--screen" ? o.screen : o.autopilot) = arg == "--screen";
      continue;
    }
    if (i + 1 >= argc) return false;
    const long value = std::strtol(argv[++i], nullptr, 10);
    if (arg == "--level" && value >= 1 && value <= kLastLevel + 1)
      o.level = static_cast<int>(value);
    else if (arg == "--runs" && value > 0)
      o.runs = static_cast<int>(value);
    else if (arg == "--seed" && value >= 0)
      o.seed = static_cast<unsigned>(value);
    else
      return false;
  }
  return true;
}

int RunOn(SDL_Surface* display, const Options& options) {
  Globals().ShowTips = false;
  Globals().GameType = kClassic;
  rnd::SetRunSeed(options.seed);
  std::unique_ptr<Table> table;
  if (options.screen)
    table = std::make_unique<ScreenTable>(display);
  else
    table = std::make_unique<SessionTable>(display);
  return Bench(*table, options).Run();
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: rewind-bench [--level N] [--runs N] [--seed N] [--no-autopilot] "
                 "[--screen]\n");
    return 2;
  }
  const HeadlessRun run;
  if (!run.Display()) {
    std::fprintf(stderr, "rewind-bench: %s\n", run.Error().c_str());
    return 1;
  }
  return RunOn(run.Display(), options);
}
