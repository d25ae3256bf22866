// SPDX-License-Identifier: GPL-3.0-or-later
// The hash of the game's state: the saved game as Save writes it, and beside it what the
// saved game leaves out or rounds, every double exactly. Written through the same save
// routines into a document in memory, hashed as the document's plain text.
#include <cstdio>

#include "core/Hash.h"
#include "core/LParams.h"
#include "core/Random.h"
#include "engine/LClip.h"
#include "game/Game.h"
#include "game/Settings.h"
#include "sprites/CompleteIndicator.h"

namespace {

const char kPrefix[] = "State.";

// Formats values into one text; doubles go as %a, which keeps every bit.
template <typename... Values>
std::string Text(const char* format, Values... values) {
  char text[256];
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

void Put(core::ValueStore& store, const char* name, std::string text) {
  store.Text(kPrefix, name, text, kSave);
}

std::string PairsText(const std::vector<TrackPair>& pairs) {
  std::string text;
  for (const TrackPair& p : pairs) text += Text("%d,%d ", p.junction, p.type);
  return text;
}

}  // namespace

uint64_t Game::StateHash() {
  core::MemoryStore store;
  WriteSavedGame(store);
  WriteRunningState(store);
  core::ParamEntries entries = store.TakeEntries();
  // Once a level is over, where its progress engine stands changes nothing: the next
  // level starts the engine anew. The screen moves the engine on after the game's last
  // step, in which the level's end hash is taken, so its place is left out then.
  if (GameState == kStateLevelStatistics || GameState == kStateFinalStatistics) {
    std::erase_if(entries, [](const std::pair<std::string, std::string>& e) {
      return e.first == "CompleteIndicator.x" || e.first == "CompleteIndicator.y" ||
             e.first == "State.ProgressEngine";
    });
  }
  uint64_t hash = core::Fnv1a64(core::BuildDocument(entries));
  // A restore still to read its second phase goes on as its document says.
  if (!restoring_.Entries().empty()) {
    hash = core::Fnv1a64(core::BuildDocument(restoring_.Entries()), hash);
  }
  return hash;
}

void Game::WriteRunningState(core::ValueStore& store) {
  // Whether the start help was shown and where the next new game begins are the
  // screen's and the player's, not the level's: a replay may differ in them. So is the
  // state the start help last went back to, once it has: it counts only while the help
  // is up (the in-game screen shows it whenever it is shown, a replay never). Whether a
  // new game is due is in the saved game's part as a save writes it; the member itself
  // changes only when a save is made, which no replay makes.
  const int32_t helpReturnsTo = GameState == kStateStartHelp ? PreviousState : -1;
  Put(store, "Flow",
      Text("%d %d %d %d %d %u %u %d", GameType(), GameState, helpReturnsTo, TotalTime, CaptionTimer,
           OutOfMoneyTimer, FinishTimer, NumberTown));
  Put(store, "Restore", Text("%d %d %d", catchUp_, townLost_, restoreUpdates_));
  Put(store, "Level", PairsText(BeginTowns) + "|" + PairsText(BeginTracks));
  Put(store, "Towns",
      Text("%a %a %a %a %a", TownAddPeriod, NewTownAdd, PercentCounterNewHouse, PercentAddNewHouse,
           PercentDeltaFirstTown));
  const CompleteIndicator& p = *progress_;
  Put(store, "Progress",
      Text("%a %a %d %d %a %d", p.Percent, p.DeltaPercent, p.iState, p.WaitCounter, p.SaveV,
           p.NeedShow));
  if (p.Engine) {
    Put(store, "ProgressEngine",
        Text("%a %a %a %d", p.Engine->x, p.Engine->y, p.Engine->Vx, p.Engine->cFrame));
  }
  Put(store, "Random", Text("%u %u", rnd::RunSeed(), rnd::GameStream().State()));
  field_.SaveRunningState(store, kPrefix);
}
