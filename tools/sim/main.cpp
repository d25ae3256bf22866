// SPDX-License-Identifier: GPL-3.0-or-later
// ot-sim: runs the railway without a screen from a script and prints what happened.
// Usage: ot-sim SCRIPT   (the script language is described in tools/README.md)
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "SimHost.h"
#include "core/Cipher.h"
#include "core/ClipTable.h"
#include "core/LParams.h"
#include "core/Random.h"
#include "game/LevelTable.h"
#include "railway/Field.h"
#include "railway/FieldReport.h"
#include "railway/HeadlessSprites.h"
#include "railway/LevelRestore.h"
#include "tools/script/ScriptRunner.h"

namespace {

constexpr int kFrame = 20;

struct Pair {
  int junction;
  int type;
};

std::vector<Pair> Pairs(const std::string& text) {
  std::vector<Pair> out;
  std::istringstream in(text);
  std::string item;
  while (in >> item) {
    Pair p{-1, -1};
    if (std::sscanf(item.c_str(), "%d,%d", &p.junction, &p.type) == 2) out.push_back(p);
  }
  return out;
}

class Sim {
 public:
  Sim() { Reset(); }
  // Runs one script line (without its comment); false on a line it cannot understand.
  bool Line(const std::string& line);

 private:
  void Reset() {
    field_.reset();
    sprites_ = std::make_unique<HeadlessSprites>();
    field_ = std::make_unique<Field>(sprites_.get(), &host_);
  }
  Field& F() { return *field_; }
  bool Colour(std::istream& in, int& c);
  bool Kind(std::istream& in, TrainKind& k);
  void Run(int ms);
  void Build();
  bool Puzzle(int index);
  void NewLevel(int j, int t);
  void AddTowns(const std::string& towns);
  bool Save(const std::string& path);
  bool Load(const std::string& path);
  bool Print(const std::string& what);
  bool Launch(std::istream& in);
  bool Place(std::istream& in);
  bool Track(std::istream& in);

  SimHost host_;
  std::unique_ptr<HeadlessSprites> sprites_;
  std::unique_ptr<Field> field_;
};

bool Sim::Colour(std::istream& in, int& c) {
  std::string word;
  return (in >> word) && script::Colour(word, c);
}

bool Sim::Kind(std::istream& in, TrainKind& k) {
  std::string word;
  return (in >> word) && script::Kind(word, k);
}

void Sim::Run(int ms) {
  while (ms > 0) {
    int dt = ms < kFrame ? ms : kFrame;
    host_.time += dt;
    F().FieldUpdate(dt);
    sprites_->Advance(dt);
    ms -= dt;
  }
}

void Sim::Build() {
  for (int i = 0; i < 100000 && !F().AllTracksBuilt(); ++i) F().BuildStep(1000);
}

void Sim::NewLevel(int j, int t) {
  // One tree far outside the field: the level gets no random forest.
  F().NewLevel(0, 0, j, t, NoForest(), {}, 95);
}

void Sim::AddTowns(const std::string& towns) {
  std::vector<Pair> pairs = Pairs(towns);
  for (size_t i = 0; i < pairs.size(); ++i) {
    Pair next = i + 1 < pairs.size() ? pairs[i + 1] : Pair{-1, -1};
    if (!F().AddNewTown(static_cast<int>(i), next.junction, next.type)) {
      std::printf("town %zu could not be added\n", i);
    }
  }
}

bool Sim::Puzzle(int index) {
  if (index < kPuzzleOffset || index > kPuzzleOffset + kLastLevel) return false;
  const LevelParams& level = Level(index);
  std::vector<Pair> towns = Pairs(level.TownsText);
  NewLevel(towns[0].junction, towns[0].type);
  LayLevelTracks(F(), level.TracksText);
  AddTowns(level.TownsText);
  return true;
}

bool Sim::Save(const std::string& path) {
  LParams params;
  if (!params.OpenWrite(path)) return false;
  std::string towns = F().TownRecord();
  std::string tracks = F().BuiltTrackRecord();
  params.Text("Sim.", "Towns", towns, kSave);
  params.Text("Sim.", "Tracks", tracks, kSave);
  F().SaveField(params, "Game.");
  return params.Close();
}

bool Sim::Load(const std::string& path) {
  LParams params;
  params.OpenRead(path);
  std::string towns, tracks;
  bool ok = params.Text("Sim.", "Towns", towns, kLoad);
  ok = params.Text("Sim.", "Tracks", tracks, kLoad) && ok;
  Reset();
  if (!RebuildLevel(F(), towns, tracks, NoForest(), {}, clip::Trees)) {
    std::printf("town could not be added\n");
  }
  ok = F().LoadField(params, "Game.") && ok;
  std::printf("load %s\n", ok ? "complete" : "incomplete");
  return true;
}

bool Sim::Print(const std::string& what) {
  if (what == "trains")
    std::fputs(report::Trains(F()).c_str(), stdout);
  else if (what == "crashes")
    std::fputs(report::CrashSites(F()).c_str(), stdout);
  else if (what == "queues")
    std::fputs(report::Queues(F()).c_str(), stdout);
  else if (what == "switches")
    std::fputs(report::Switches(F()).c_str(), stdout);
  else if (what == "signals")
    std::fputs(report::Signals(F()).c_str(), stdout);
  else if (what == "towns")
    std::fputs(report::Towns(F()).c_str(), stdout);
  else if (what == "all")
    std::fputs(report::All(F()).c_str(), stdout);
  else if (what == "money")
    std::printf("balance %d delivered %d\n", host_.money, host_.delivered);
  else if (what == "records") {
    std::printf("towns \"%s\"\ntracks \"%s\"\n", F().TownRecord().c_str(),
                F().BuiltTrackRecord().c_str());
  } else {
    return false;
  }
  return true;
}

bool Sim::Launch(std::istream& in) {
  int colour, cars, loco, town;
  TrainKind kind;
  std::string when;
  if (!Colour(in, colour) || !(in >> cars >> loco) || !Colour(in, town) || !Kind(in, kind) ||
      !(in >> when) || (when != "now" && when != "later")) {
    return false;
  }
  F().LaunchTrain({.colour = colour, .cars = cars, .loco = loco, .kind = kind, .town = town},
                  when == "now" ? Departure::kNow : Departure::kDelayed);
  return true;
}

bool Sim::Place(std::istream& in) {
  int loco, cars, colour, j, d, wagon = 0;
  TrainKind kind = TrainKind::kOrdinary;
  double pos;
  if (!(in >> loco >> cars) || !Colour(in, colour) || !(in >> j >> d >> pos)) return false;
  std::string word;
  if (in >> word) {
    std::istringstream k(word);
    if (!Kind(k, kind)) return false;
  }
  if (!rail::ValidJunction(j) || !rail::ValidDirection(d) || loco < 0 || loco > 7) return false;
  F().PlaceTrain(loco, cars, colour, {j, d, pos}, kind, wagon);
  return true;
}

bool Sim::Track(std::istream& in) {
  int j, t;
  if (!(in >> j >> t)) return false;
  std::string mode = "layout";
  in >> mode;
  bool ok;
  if (mode == "layout")
    ok = F().AddTrack(j, t, Laying::kLevelLayout);
  else if (mode == "player")
    ok = F().AddTrack(j, t, Laying::kByPlayer);
  else if (mode == "quiet")
    ok = F().AddTrack(j, t, Laying::kTownTrack);
  else
    return false;
  if (!ok) std::printf("track %d,%d refused\n", j, t);
  return true;
}

bool Sim::Line(const std::string& line) {
  std::istringstream in(line);
  std::string cmd;
  if (!(in >> cmd)) return true;
  if (cmd == "seed") {
    unsigned s;
    if (!(in >> s)) return false;
    rnd::SetRunSeed(s);
  } else if (cmd == "level") {
    int j = -1, t = -1;
    in >> j >> t;
    NewLevel(j, t);
  } else if (cmd == "puzzle") {
    int n;
    if (!(in >> n) || !Puzzle(n)) return false;
  } else if (cmd == "trees") {
    int forests, size;
    if (!(in >> forests >> size)) return false;
    F().PlaceTrees(forests, size);
    std::printf("%zu trees\n", F().Trees().size());
  } else if (cmd == "town") {
    int c, j, t;
    if (!Colour(in, c) || !(in >> j >> t)) return false;
    if (!F().AddTown(c, j, t)) std::printf("town refused\n");
  } else if (cmd == "track") {
    return Track(in);
  } else if (cmd == "tracks") {
    std::string rest;
    std::getline(in, rest);
    if (!LayLevelTracks(F(), rest)) std::printf("some tracks refused\n");
  } else if (cmd == "build") {
    Build();
  } else if (cmd == "switch" || cmd == "signal") {
    int j, side;
    if (!(in >> j >> side) || !rail::ValidJunction(j)) return false;
    if (cmd == "switch")
      F().At(j).ToggleSwitch(side);
    else
      F().At(j).ToggleSignal(side);
  } else if (cmd == "click") {
    int x, y;
    if (!(in >> x >> y)) return false;
    if (F().FieldClick(x, y)) {
      std::printf("call button pressed\n");
      F().CallRepairTrain(F().SelectedTown());
    }
  } else if (cmd == "launch") {
    return Launch(in);
  } else if (cmd == "place") {
    return Place(in);
  } else if (cmd == "reverse") {
    size_t index;
    if (!(in >> index) || index >= F().Trains().size()) return false;
    F().ReverseTrain(*F().Trains()[index]);
  } else if (cmd == "damage") {
    std::string first;
    if (!(in >> first)) return false;
    if (first == "random") {
      F().DamageRandomTrack();
    } else {
      int j = std::atoi(first.c_str()), d;
      double p;
      if (!(in >> d >> p)) return false;
      F().AddCrashSite(j, d, p);
    }
  } else if (cmd == "repair") {
    int town;
    if (!Colour(in, town)) return false;
    F().CallRepairTrain(town);
  } else if (cmd == "run") {
    int ms;
    if (!(in >> ms)) return false;
    Run(ms);
  } else if (cmd == "progress") {
    if (!(in >> host_.progress)) return false;
  } else if (cmd == "catchup") {
    host_.catchUp = true;
  } else if (cmd == "save" || cmd == "load") {
    std::string path;
    if (!(in >> path)) return false;
    if (cmd == "save" && !Save(path)) std::printf("save failed\n");
    if (cmd == "load") Load(path);
  } else if (cmd == "print") {
    std::string what;
    return (in >> what) && Print(what);
  } else if (cmd == "sounds" || cmd == "tips" || cmd == "tipmoves") {
    std::string on;
    if (!(in >> on)) return false;
    bool value = on == "on";
    if (cmd == "sounds")
      host_.showSounds = value;
    else if (cmd == "tips")
      host_.tips = value;
    else
      host_.showTipMoves = value;
  } else if (cmd == "money") {
    if (!(in >> host_.money)) return false;
  } else {
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: ot-sim SCRIPT\n");
    return 2;
  }
  CipherSetup(ProgramCipher(), reinterpret_cast<const uint8_t*>(kProgramKey), kProgramKeyLength);
  rnd::SetRunSeed(1);
  Sim sim;
  return script::RunFile("ot-sim", argv[1],
                         [&sim](const std::string& line) { return sim.Line(line); });
}
