// SPDX-License-Identifier: GPL-3.0-or-later
// A saved field (sealed by the selector byte, see FuzzSupport.h) in the form ot-sim
// saves it: the level's towns and tracks as "Sim.Towns" and "Sim.Tracks", the running
// state below "Game.". The level is rebuilt as the game rebuilds it, the running state
// loaded, and the field runs for one second of game time in 20 ms steps.
#include <string>

#include "core/ClipTable.h"
#include "core/LParams.h"
#include "railway/Field.h"
#include "railway/HeadlessSprites.h"
#include "railway/LevelRestore.h"
#include "railway/QuietFieldHost.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = fuzz::TempPath("field.sav");
  if (!fuzz::WriteDocument(path, data, size)) return 0;
  LParams params;
  if (!params.OpenRead(path)) return 0;
  std::string towns, tracks;
  params.Text("Sim.", "Towns", towns, kLoad);
  params.Text("Sim.", "Tracks", tracks, kLoad);
  QuietFieldHost host(50);
  HeadlessSprites sprites;
  Field field(&sprites, &host);
  // One tree far outside the field: no random forest.
  RebuildLevel(field, towns, tracks, NoForest(), {}, clip::Trees);
  field.LoadField(params, "Game.");
  for (int step = 0; step < 50; ++step) {
    field.FieldUpdate(20);
    sprites.Advance(20);
  }
  return 0;
}
