// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/LevelReplay.h"

#include <algorithm>

#include "core/LParams.h"
#include "core/Random.h"
#include "game/Game.h"
#include "game/LevelFile.h"
#include "game/ReplayText.h"
#include "game/Settings.h"

namespace replay {

std::shared_ptr<const LevelFile> CarriedLevel(const ReplayPackLevel& pack, std::string& why) {
  std::optional<LevelFile> level = ParseLevelFile(pack.text, "carried.level", why);
  if (!level) {
    // The reason quotes the file: kept to one line of printable text.
    why = replay_text::Escape(why);
    return nullptr;
  }
  level->id = pack.id;
  level->contentHash = pack.hash;
  return std::make_shared<const LevelFile>(std::move(*level));
}

bool BeginLevel(Game& game, const Replay& start, std::string& why) {
  Settings& settings = Globals();
  if (start.pack) {
    std::shared_ptr<const LevelFile> level = CarriedLevel(*start.pack, why);
    if (!level) return false;
    game.PlayPackLevel(std::move(level), {start.pack->pack, start.pack->number});
  } else {
    settings.GameType = start.gameType;
  }
  settings.ShowTips = start.tips;
  rnd::SetRunSeed(start.seed);
  if (!start.savedState.empty()) {
    core::ParamEntries document;
    if (!core::ParseDocument(start.savedState, true, document) || !game.LoadFrom(document)) {
      why = "its saved starting state does not load";
      return false;
    }
    return true;
  }
  game.StartLevelWith(start.level - 1, start.money, start.delivered, start.minutes);
  return true;
}

void PlayTo(LevelHost& host, Game& game, const std::vector<PlayerAction>& course, size_t& next,
            int32_t update) {
  for (;;) {
    while (next < course.size() && course[next].update <= game.LevelUpdate()) {
      if (course[next].kind != ActionKind::kRewind) game.Apply(course[next]);
      ++next;
    }
    if (game.LevelUpdate() >= update) return;
    host.StepGame();
  }
}

void TakeBack(std::vector<PlayerAction>& course, int32_t target) {
  course.erase(std::remove_if(course.begin(), course.end(),
                              [target](const PlayerAction& a) { return a.update >= target; }),
               course.end());
}

Game* Rebuild(LevelHost& host, const Replay& start, const std::vector<PlayerAction>& course,
              int32_t target, std::string& why) {
  Game& game = host.ReplaceGame();
  if (!BeginLevel(game, start, why)) return nullptr;
  size_t next = 0;
  PlayTo(host, game, course, next, target);
  return &game;
}

}  // namespace replay
