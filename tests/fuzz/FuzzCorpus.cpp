// SPDX-License-Identifier: GPL-3.0-or-later
// fuzz-corpus: writes the seed inputs of every fuzz target, made by the game's own code:
// settings files, fields saved as ot-sim saves them, games saved by the headless game,
// small archives and sealed blocks. The document targets get plain documents behind a
// selector byte (see FuzzSupport.h), plus one sealed file taken as it is.
//   fuzz-corpus OUTDIR   (writes OUTDIR/<target>/<seed>)
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
#include "game/LevelTable.h"
#include "game/Settings.h"
#include "railway/Field.h"
#include "railway/HeadlessSprites.h"
#include "railway/LevelRestore.h"
#include "railway/QuietFieldHost.h"
#include "tests/fuzz/FuzzSupport.h"
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
  MakeField(0);
  MakeField(2);
  MakeArchives();
  MakeSealedBlocks();
  if (!MakeSavedGameSeeds([](const std::string& name, const std::string& file, uint8_t selector) {
        EmitSaved("savedgame", name, file, selector);
      })) {
    ++gFailures;
  }
  fs::current_path("/");
  std::printf("fuzz-corpus: seeds written to %s%s\n", gOut.c_str(),
              gFailures ? " (some missing)" : "");
  return gFailures ? 1 : 0;
}
