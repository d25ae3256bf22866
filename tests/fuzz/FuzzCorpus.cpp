// SPDX-License-Identifier: GPL-3.0-or-later
// fuzz-corpus: writes the seed inputs of every fuzz target, made by the game's own code:
// settings files, fields saved as ot-sim saves them, games saved by the headless game,
// small archives, sealed blocks, and replays both written by the writer and recorded by
// the headless game. The document targets get plain documents behind a
// selector byte (see FuzzSupport.h), plus one sealed file taken as it is.
//   fuzz-corpus OUTDIR   (writes OUTDIR/<target>/<seed>)
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/Cipher.h"
#include "core/ClipTable.h"
#include "core/LParams.h"
#include "game/Game.h"
#include "game/LevelFile.h"
#include "game/LevelTable.h"
#include "game/ReplayFile.h"
#include "game/Settings.h"
#include "railway/Field.h"
#include "railway/HeadlessSprites.h"
#include "railway/LevelRestore.h"
#include "railway/QuietFieldHost.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/ReplaySeeds.h"
#include "tests/fuzz/SavedGameSeeds.h"
#include "tools/archive/ArchiveWriter.h"
#include "tools/game/Headless.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

fs::path gOut;
int gFailures = 0;

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Emit(const std::string& target, const std::string& name, const Bytes& data) {
  fs::create_directories(gOut / target);
  const std::string path = (gOut / target / name).string();
  if (data.empty() || !fuzz::WriteBytes(path, data.data(), data.size())) {
    std::fprintf(stderr, "fuzz-corpus: cannot make %s\n", path.c_str());
    ++gFailures;
  }
}

// The plain document of a sealed file behind the selector byte, or nothing.
Bytes PlainDocument(const Bytes& sealed, uint8_t selector) {
  const int32_t m = static_cast<int32_t>(sealed.size());
  Bytes plain(sealed.size() + 8);
  const int32_t n = Unseal(ProgramCipher(), sealed.data(), m, plain.data(), m);
  if (n < 0) return {};
  plain.resize(static_cast<size_t>(n));
  plain.insert(plain.begin(), selector);
  return plain;
}

// A saved file as seeds: its plain document for the target and for the parameter
// reader, the sealed file for Unseal.
void EmitSaved(const std::string& target, const std::string& name, const std::string& file,
               uint8_t selector) {
  const Bytes sealed = ReadFile(file);
  const Bytes plain = PlainDocument(sealed, selector);
  Emit(target, name, plain);
  Emit("params", target + "-" + name, plain);
  Emit("unseal", target + "-" + name, sealed);
}

void MakeSettings() {
  LParams store;
  Settings defaults;
  SaveSettingsFile(store, defaults, "globals.sav");
  EmitSaved("settings", "defaults", "globals.sav", 0);
  Bytes sealed = ReadFile("globals.sav");
  sealed.insert(sealed.begin(), 1);
  Emit("settings", "defaults-sealed", sealed);
  Settings changed;
  changed.PlayerName = "Alice";
  changed.SoundVolume = 100;
  changed.MusicOn = false;
  changed.GameType = 0;
  changed.MaxLevelPuzzle = 3;
  changed.MainWindowPosX = 40;
  SaveSettingsFile(store, changed, "globals.sav");
  EmitSaved("settings", "changed", "globals.sav", 0);
  changed.Version = "0.9";
  SaveSettingsFile(store, changed, "globals.sav");
  EmitSaved("settings", "other-version", "globals.sav", 0);
}

// A puzzle level rebuilt as the game does, a train from every town, a few seconds run,
// saved as ot-sim saves a field.
Bytes TextBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// The level pack texts: the Puzzle levels as level files, a pack index, a progress file.
void MakeLevelFiles() {
  for (int level = 0; level <= kLastLevel; ++level) {
    const LevelFile file =
        LevelFileFrom(Level(kPuzzleOffset + level), "Puzzle " + std::to_string(level + 1),
                      "A level of the Puzzle game.", 5 + level);
    Emit("levelfile", "puzzle-" + std::to_string(level + 1) + ".level",
         TextBytes(FormatLevelFile(file)));
  }
  Emit("levelfile", "pack.index",
       TextBytes("ostrel-pack 1\ntitle Puzzle # 1\norder 3  # after the first\nlevel puzzle-1\n"
                 "level puzzle-2\n"));
  Emit("levelfile", "progress.txt",
       TextBytes("ostrel-progress 1\nlevel 0123456789abcdef 1 12 4500\nlevel fedcba9876543210 0 3 "
                 "-200\n"));
}

void MakeField(int level) {
  QuietFieldHost host(50);
  HeadlessSprites sprites;
  Field field(&sprites, &host);
  const LevelParams& params = Level(kPuzzleOffset + level);
  RebuildLevel(field, params.TownsText, params.TracksText, NoForest(), {}, clip::Trees);
  const int towns = static_cast<int>(field.Towns().size());
  for (int t = 0; t < towns; ++t) {
    field.LaunchTrain({.colour = (t + 1) % towns,
                       .cars = 2 + t % 3,
                       .loco = 4,
                       .kind = t == 1 ? TrainKind::kCrazy : TrainKind::kOrdinary,
                       .town = t},
                      Departure::kNow);
  }
  for (int ms = 0; ms < 6000; ms += 20) {
    field.FieldUpdate(20);
    sprites.Advance(20);
  }
  LParams store;
  store.OpenWrite("field.sav");
  std::string townRecord = field.TownRecord();
  std::string trackRecord = field.BuiltTrackRecord();
  store.Text("Sim.", "Towns", townRecord, kSave);
  store.Text("Sim.", "Tracks", trackRecord, kSave);
  field.SaveField(store, "Game.");
  store.Close();
  EmitSaved("field", "puzzle-" + std::to_string(level + 1), "field.sav", 0);
}

// The archive target's plain-index form of an archive image: "IDX:", the header with
// the plain index's length, the unsealed index, then the records as they were.
Bytes PlainIndex(const Bytes& image) {
  if (image.size() < 12) return {};
  const uint32_t sealedLength = uint32_t{image[8]} | uint32_t{image[9]} << 8 |
                                uint32_t{image[10]} << 16 | uint32_t{image[11]} << 24;
  if (sealedLength > image.size() - 12) return {};
  Bytes plain(sealedLength + 8);
  const int32_t n = Unseal(ProgramCipher(), image.data() + 12, static_cast<int32_t>(sealedLength),
                           plain.data(), static_cast<int32_t>(sealedLength));
  if (n < 0) return {};
  Bytes out{'I', 'D', 'X', ':'};
  out.insert(out.end(), image.begin(), image.begin() + 8);
  for (int k = 0; k < 4; ++k) out.push_back(static_cast<uint8_t>(uint32_t(n) >> (8 * k)));
  out.insert(out.end(), plain.begin(), plain.begin() + n);
  out.insert(out.end(), image.begin() + 12 + sealedLength, image.end());
  return out;
}

void MakeArchives() {
  const std::vector<archive_tool::PackEntry> entries{{"Dat/ver.txt", {'1', '.', '0'}},
                                                     {"Dat/empty.txt", {}},
                                                     {"Dat/midi/tune.mid", Bytes(300, 0x5A)}};
  for (size_t count : {size_t{1}, entries.size()}) {
    Bytes image;
    std::string error;
    const std::vector<archive_tool::PackEntry> some(entries.begin(), entries.begin() + count);
    if (!archive_tool::BuildArchive(some, kProgramKey, kProgramKeyLength, image, error)) {
      std::fprintf(stderr, "fuzz-corpus: %s\n", error.c_str());
      ++gFailures;
    }
    Emit("archive", "records-" + std::to_string(count), image);
    Emit("archive", "plain-index-" + std::to_string(count), PlainIndex(image));
  }
}

void MakeSealedBlocks() {
  const std::string text = "a short text, sealed";
  for (bool modeA : {false, true}) {
    const int32_t n = static_cast<int32_t>(text.size());
    Bytes sealed(static_cast<size_t>(SealedLength(n)));
    Seal(ProgramCipher(), reinterpret_cast<const uint8_t*>(text.data()), n, sealed.data(),
         static_cast<int32_t>(sealed.size()), modeA);
    Emit("unseal", modeA ? "text-mode-a" : "text-mode-n", sealed);
  }
}

// A played level's actions: a click every few seconds over the field, a track type
// chosen now and then, a stretch at double speed and a pause.
std::vector<PlayerAction> PlayedActions(int32_t from, int32_t updates) {
  std::vector<PlayerAction> actions;
  for (int32_t u = from + 40; u < from + updates; u += 150 + u % 97) {
    actions.push_back({u, ActionKind::kClick, 140 + u * 7 % 660, 50 + u * 13 % 520, 0});
    if (u % 5 == 0) actions.push_back({u + 3, ActionKind::kRightClick, 300 + u % 200, 200, 0});
    if (u % 7 == 0) actions.push_back({u + 5, ActionKind::kTrackButton, 0, 0, u % 6});
  }
  actions.push_back({from + updates / 3, ActionKind::kSpeed, 0, 0, 2});
  actions.push_back({from + updates / 2, ActionKind::kSpeed, 0, 0, 1});
  actions.push_back({from + updates / 2, ActionKind::kPause, 0, 0, 0});
  actions.push_back({from + updates / 2, ActionKind::kResume, 0, 0, 0});
  std::stable_sort(
      actions.begin(), actions.end(),
      [](const PlayerAction& a, const PlayerAction& b) { return a.update < b.update; });
  return actions;
}

void EmitReplay(const std::string& name, const Replay& replay) {
  const std::string text = FormatReplay(replay);
  Emit("replay", name, Bytes(text.begin(), text.end()));
}

// Levels as the recorder writes them: started fresh, resumed from a saved game, rewound,
// and one still being recorded (no end line).
void MakeReplays(const std::string& savedDocument) {
  Replay fresh;
  fresh.program = Globals().Version;
  fresh.player = "Manager";
  fresh.gameType = 0;
  fresh.level = 2;
  fresh.seed = 1796665681;
  fresh.money = 131500;
  fresh.delivered = 14;
  fresh.minutes = 9;
  fresh.actions = PlayedActions(0, 3000);
  fresh.actions.push_back({3000, ActionKind::kSkipLevel, 0, 0, 0});
  fresh.end = ReplayEnd{ReplayOutcome::kLevelComplete, 3000, 0x5eed0000c0ffee11u, 0};
  EmitReplay("classic-fresh", fresh);

  Replay rewound = fresh;
  rewound.player = "Ann Lee";
  rewound.gameType = 1;
  rewound.level = 5;
  rewound.tips = false;
  rewound.actions = PlayedActions(0, 1200);
  rewound.actions.push_back({1200, ActionKind::kRewind, 0, 0, 700});
  for (const PlayerAction& a : PlayedActions(700, 800)) rewound.actions.push_back(a);
  rewound.actions.push_back({1500, ActionKind::kRewind, 0, 0, 1400});
  rewound.actions.push_back({1400, ActionKind::kWheelUp, 500, 400, 0});
  rewound.actions.push_back({1420, ActionKind::kWheelDown, 500, 400, 0});
  rewound.end = ReplayEnd{ReplayOutcome::kGameOver, 1600, 0x0123456789abcdefu, 2};
  EmitReplay("puzzle-rewound", rewound);

  Replay recording = rewound;
  recording.end.reset();
  EmitReplay("puzzle-recording", recording);

  if (savedDocument.empty()) {
    std::fprintf(stderr, "fuzz-corpus: no saved game for the replay seeds\n");
    ++gFailures;
    return;
  }
  Replay saved = fresh;
  saved.gameType = 1;
  saved.level = 1;
  saved.money = 100000;
  saved.delivered = 0;
  saved.minutes = 0;
  saved.savedState = savedDocument;
  saved.actions = PlayedActions(400, 600);
  saved.end = ReplayEnd{ReplayOutcome::kQuit, 1000, 0xfeedfacecafebeefu, 0};
  EmitReplay("puzzle-saved", saved);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz-corpus OUTDIR\n");
    return 2;
  }
  gOut = fs::absolute(argv[1]);
  fs::remove_all(gOut);
  fuzz::Init();
  std::string error;
  if (!EnterGameFolder(fuzz::TempFolder(), error)) {
    std::fprintf(stderr, "fuzz-corpus: %s\n", error.c_str());
    return 1;
  }
  MakeSettings();
  MakeLevelFiles();
  MakeField(0);
  MakeField(2);
  MakeArchives();
  MakeSealedBlocks();
  std::string savedDocument;
  const auto saved = [&savedDocument](const std::string& name, const std::string& file,
                                      uint8_t selector) {
    EmitSaved("savedgame", name, file, selector);
    if (name == "puzzle-1") {
      const Bytes plain = PlainDocument(ReadFile(file), 0);
      if (!plain.empty()) savedDocument.assign(plain.begin() + 1, plain.end());
    }
  };
  // Levels recorded by the headless game, on the same session.
  const auto recorded = [](GameSession& session) {
    return MakeReplaySeeds(session, [](const std::string& name, const std::string& file) {
      Emit("replay", name, ReadFile(file));
    });
  };
  if (!MakeSavedGameSeeds(saved, recorded)) ++gFailures;
  MakeReplays(savedDocument);
  fs::current_path("/");
  std::printf("fuzz-corpus: seeds written to %s%s\n", gOut.c_str(),
              gFailures ? " (some missing)" : "");
  return gFailures ? 1 : 0;
}
