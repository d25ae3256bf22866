// SPDX-License-Identifier: GPL-3.0-or-later
// A parameter document (sealed by the selector byte, see FuzzSupport.h) read by
// LParams::OpenRead, then typed values of keys the game uses, optional and not.
#include <string>

#include "core/LParams.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = fuzz::TempPath("params.sav");
  if (!fuzz::WriteDocument(path, data, size)) return 0;
  LParams params;
  if (!params.OpenRead(path)) return 0;
  std::string text;
  int32_t number = 0;
  double real = 0;
  bool flag = false;
  for (bool optional : {false, true}) {
    params.Text("Globals.", "Globals.PlayerName", text, kLoad, optional);
    params.Text("Globals.", "ver", text, kLoad, optional);
    params.Long("Globals.", "Globals.SoundVolume", number, kLoad, optional);
    params.Bool("Globals.", "Globals.AutoSave", flag, kLoad, optional);
    params.Long("Game.", "CurrentRound", number, kLoad, optional);
    params.Bool("Game.", "NeedNewGame", flag, kLoad, optional);
    params.Double("Game.", "TownAddPeriod", real, kLoad, optional);
    params.Text("Game.", "BeginTowns", text, kLoad, optional);
    params.Long("Game.GameField.", "NumberTrains", number, kLoad, optional);
    params.Double("Game.GameField.", "CounterMinusMoney", real, kLoad, optional);
  }
  params.Close();
  return 0;
}
