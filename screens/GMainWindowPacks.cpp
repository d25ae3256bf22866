// SPDX-License-Identifier: GPL-3.0-or-later
// The in-game screen's level packs: the packs dialog opened with the packs found and the
// player's progress, and the level chosen there begun.
#include <cstdio>

#include "game/LevelFile.h"
#include "game/PackProgress.h"
#include "game/PackRoots.h"
#include "screens/GMainWindow.h"
#include "screens/GWndPacks.h"

namespace {

PackProgress ReadProgress() {
  PackProgress progress;
  progress.Load(kPackProgressFile);
  return progress;
}

// The first level of the pack that is open and not finished, else its first.
size_t FirstToPlay(const LevelPack& pack, const PackProgress& progress) {
  for (size_t i = 0; i < pack.levels.size(); ++i) {
    if (progress.Unlocked(pack, i) && !progress.Finished(pack.levels[i]->contentHash)) return i;
  }
  return 0;
}

}  // namespace

void GMainWindow::OpenPacksWhereThePlayerIs() {
  if (!BeginDialog()) return;
  std::vector<LevelPack> packs = FindLevelPacks(LevelPackRoots());
  const PackProgress progress = ReadProgress();
  size_t pack = 0;
  size_t level = packs.empty() ? 0 : FirstToPlay(packs[0], progress);
  const Game* game = game_.get();
  if (game && game->PackLevel()) {
    const std::string& id = game->PackLevelPlace().pack;
    for (size_t p = 0; p < packs.size(); ++p) {
      if (packs[p].id != id) continue;
      pack = p;
      const auto& levels = packs[p].levels;
      level = 0;
      for (size_t i = 0; i < levels.size(); ++i) {
        if (levels[i]->contentHash == game->PackLevel()->contentHash) level = i;
      }
      if (progress.Unlocked(packs[p], level + 1)) ++level;
      break;
    }
  }
  PacksDialog->Open(TopSlot, std::move(packs), progress, pack, level);
}

void GMainWindow::StartPackLevel() {
  const std::vector<LevelPack>& packs = PacksDialog->Packs();
  const size_t p = PacksDialog->ChosenPack();
  const size_t l = PacksDialog->ChosenLevel();
  if (!game_ || p >= packs.size() || l >= packs[p].levels.size()) return;
  // The level left is recorded, as a quit is; the game type's own game is kept.
  game_->FinishRecording(ReplayOutcome::kQuit);
  if (!game_->PackLevel()) game_->Save();
  StopSpeed();
  std::fprintf(stderr, "Level pack %s, level %zu begins: %s.\n", packs[p].id.c_str(), l + 1,
               packs[p].levels[l]->path.c_str());
  game_->NewPackGame(packs[p].levels[l], {packs[p].id, static_cast<int32_t>(l) + 1});
}
