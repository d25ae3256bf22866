// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The recipes of the game's 22 distinct sound effect files.
#include <vector>

#include "Synth.h"

namespace snd {

struct EffectRecipe {
  const char* file;  // archive name, "Dat/Wav/..."
  Samples (*make)();
};

// Every effect file the game loads, each with the routine that synthesises it.
const std::vector<EffectRecipe>& EffectTable();

}  // namespace snd
