// SPDX-License-Identifier: GPL-3.0-or-later
// ot-sound: writes the game's sound effects (Dat/Wav/*.wav) and its tunes
// (Dat/midi/*.mid) below the given output folder.
#include <cstdio>
#include <string>

#include "Composer.h"
#include "Effects.h"
#include "Midi.h"
#include "Wav.h"

namespace {

bool WriteEffects(const std::string& root) {
  for (const snd::EffectRecipe& effect : snd::EffectTable()) {
    const std::string path = root + "/" + effect.file;
    if (!snd::WriteBytes(path, snd::EncodeWav(effect.make()))) {
      std::fprintf(stderr, "ot-sound: cannot write %s\n", path.c_str());
      return false;
    }
  }
  return true;
}

bool WriteTunes(const std::string& root) {
  for (const music::Style& style : music::TuneStyles()) {
    music::Composer composer(style);
    const std::vector<uint8_t> bytes = midi::EncodeFile(composer.Compose());
    const std::string path = root + "/" + style.file;
    if (!snd::WriteBytes(path, bytes)) {
      std::fprintf(stderr, "ot-sound: cannot write %s\n", path.c_str());
      return false;
    }
    std::printf("ot-sound: %s \"%s\", %.0f s\n", style.file.c_str(), style.title.c_str(),
                composer.Seconds());
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: ot-sound <output folder>\n");
    return 2;
  }
  const std::string root = argv[1];
  if (!WriteEffects(root) || !WriteTunes(root)) return 1;
  std::printf("ot-sound: %zu effects and %zu tunes written below %s/Dat\n",
              snd::EffectTable().size(), music::TuneStyles().size(), root.c_str());
  return 0;
}
