// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/game/GameReport.h"

#include <cstdio>
#include <string>
#include <vector>

#include "game/LevelFile.h"
#include "game/ReplayNames.h"
#include "railway/FieldReport.h"
#include "railway/Track.h"
#include "tools/game/GameSession.h"
#include "tools/script/ScriptRunner.h"

namespace {

using report::Format;

const char* StateName(int state) {
  switch (state) {
    case kStateConstructed:
      return "constructed";
    case kStateNewGame:
      return "new game";
    case kStateRestoring:
      return "restoring";
    case kStateStartHelp:
      return "start help";
    case kStatePlaying:
      return "playing";
    case kStateLevelStatistics:
      return "level statistics";
    case kStateFinalStatistics:
      return "final statistics";
    case kStateLevelFinishing:
      return "level finishing";
    case kStateOutOfMoney:
      return "out of money";
    default:
      return "unknown";
  }
}

std::string SceneryLines(const std::vector<Scenery>& items, const char* what) {
  std::string out;
  for (const Scenery& s : items) {
    out += Format("%s %d,%d frame %d", what, s.x, s.y, s.frame);
    if (s.town >= 0) out += std::string(" of ") + ColourName(s.town);
    out += s.mark ? " (being removed)\n" : "\n";
  }
  return out;
}

// The building cursor: the preview piece under the mouse and the forbidden marker.
std::string Cursor(const ::Game& g) {
  const Track* preview = g.Preview();
  const FieldSprite* shown = preview ? preview->Picture(0) : nullptr;
  if (!shown || !shown->Visible()) return "cursor: no preview\n";
  const FieldSprite* marker = g.ForbiddenMarker();
  return Format("cursor: preview of type %d at %d,%d%s\n", preview->Type(), preview->X(),
                preview->Y(), marker && marker->Visible() ? ", forbidden" : "");
}

}  // namespace

namespace gamereport {

std::string Game(GameSession& session) {
  if (!session.HasGame()) return "no game\n";
  ScriptedGame& g = session.GetGame();
  const LevelParams& r = g.Record();
  std::string out;
  out += Format("game state %d (%s), %s game, level %d (record %d), %s mode, track type %d\n",
                g.GameState, StateName(g.GameState), g.GameType() == 1 ? "puzzle" : "classic",
                g.CurrentRoundInType + 1, g.CurrentRound,
                g.iGameMode == kBuildingMode ? "building" : "operating", g.CurrSelectTrackType);
  if (const LevelFile* file = g.PackLevel()) {
    out +=
        Format("level file %s \"%s\", par %d\n", file->path.c_str(), file->name.c_str(), file->par);
  }
  out += Format("money %d (level start %d), delivered %d (level start %d), total time %d min\n",
                g.MoneyCounter, g.MoneyCounterBeginLevel, g.TrainCounter, g.TrainCounterBeginLevel,
                g.TotalTime);
  if (g.HintsUsed > 0) out += Format("hints used %d\n", g.HintsUsed);
  out += Keys(session);
  out += Format("towns %d of %d, progress %.2f%% of %d min, caption \"%s\"\n", g.NumberTown,
                r.MaxTowns, g.Progress(), r.LevelMinutes, g.LevelCaption.c_str());
  out += Format(
      "timers: train %d/%d, crazy %d/%d, damage %d/%d, wave %d/%d, empty field %d, "
      "minute tips %d\n",
      g.CounterNewTrain, g.TimeNewTrain, g.CounterNewCrazy, g.TimeNewCrazy, g.CounterNewCrashes,
      g.TimeNewCrashes, g.CounterWave, g.TimeWave, g.CounterTimeWithoutTrain,
      g.CounterTimeMinuteTips);
  out += Cursor(g);
  const std::string speed = session.Speed() != 1 ? ", speed " + session.SpeedName() : std::string();
  out += Format("screen: %s%s, dialog %s\n", session.Paused() ? "paused" : "running", speed.c_str(),
                DialogName(session.Open()));
  return out;
}

// The keyboard's marks as they are shown, "" while none is.
std::string Keys(GameSession& session) {
  if (!session.HasGame()) return "";
  const KeyboardPlay& k = session.GetGame().Keyboard();
  auto where = [](const char* name, const std::optional<FieldControl>& c, const FieldSprite* p) {
    if (!c || !p || !p->Visible()) return std::string();
    return Format("%s %s %d side %d at %d,%d", name, c->signal ? "signal" : "switch", c->junction,
                  c->side, static_cast<int>(p->X()), static_cast<int>(p->Y()));
  };
  const std::string ring = where("ring on", k.Selected(), k.Ring());
  std::string hint = where("hint on", k.Hinted(), k.HintMark());
  if (!hint.empty()) hint += Format(" for %d ms", k.HintLeft());
  if (ring.empty() && hint.empty()) return "";
  return "keys: " + ring + (ring.empty() || hint.empty() ? "" : ", ") + hint + "\n";
}

std::string ShownTips(GameSession& session) {
  if (!session.HasGame()) return "";
  ScriptedGame& g = session.GetGame();
  const auto& shown = g.GetTips().ShownTips();
  if (shown.empty()) return "tips shown: none\n";
  std::string out;
  for (const Tips::Shown& t : shown) {
    auto text = g.TipTexts().find(t.number);
    out += Format("tip %d shown %d ms, box %d,%d %dx%d \"%s\"\n", t.number, t.age, t.boxX, t.boxY,
                  t.boxW, t.boxH,
                  text == g.TipTexts().end() ? "" : script::Printable(text->second).c_str());
  }
  return out;
}

std::string Trees(GameSession& session) {
  return session.HasGame() ? SceneryLines(session.GetGame().GetField().Trees(), "tree") : "";
}

std::string Houses(GameSession& session) {
  return session.HasGame() ? SceneryLines(session.GetGame().GetField().Houses(), "house") : "";
}

std::string Marks(GameSession& session) {
  if (!session.HasGame()) return "";
  const LockMark& mark = session.GetGame().GetLockMark();
  const FieldSprite* sprite = mark.Sprite();
  if (!mark.Shown() || !sprite || !sprite->Visible()) return "no lock mark\n";
  return Format("lock mark at %d,%d, %d ms left\n", static_cast<int>(sprite->X()),
                static_cast<int>(sprite->Y()), mark.TimeLeft());
}

std::string AutopilotCounts(GameSession& session) {
  const Autopilot* a = session.GetAutopilot();
  if (!a) return "autopilot off\n";
  std::string out = Format(
      "autopilot: %d clicks, %d right clicks; trains turned %d times, "
      "sent round %d times\n",
      a->Clicks(), a->RightClicks(), a->TurnBacks(), a->Diversions());
  if (const Solver* s = session.GetSolver()) {
    out +=
        Format("solver: %d looks ahead, %d tries, %d holds\n", s->Looks(), s->Tries(), s->Holds());
  }
  return out;
}

bool FieldPart(GameSession& session, const std::string& what, std::string& out) {
  static const char* const kParts[] = {"trains",  "crashes", "queues", "switches",
                                       "signals", "towns",   "field",  "records"};
  bool known = false;
  for (const char* part : kParts) known = known || what == part;
  if (!known) return false;
  if (!session.HasGame()) {
    out = "no game\n";
    return true;
  }
  const Field& f = session.GetGame().GetField();
  if (what == "trains")
    out = report::Trains(f);
  else if (what == "crashes")
    out = report::CrashSites(f);
  else if (what == "queues")
    out = report::Queues(f);
  else if (what == "switches")
    out = report::Switches(f);
  else if (what == "signals")
    out = report::Signals(f);
  else if (what == "towns")
    out = report::Towns(f);
  else if (what == "field")
    out = report::All(f);
  else if (what == "records") {
    out = "towns \"" + f.TownRecord() + "\"\ntracks \"" + f.BuiltTrackRecord() + "\"\n";
  } else {
    return false;
  }
  return true;
}

bool CallButtonPoint(GameSession& session, int n, int& x, int& y) {
  if (!session.HasGame()) return false;
  const auto& sites = session.GetGame().GetField().CrashSites();
  if (n < 0 || n >= static_cast<int>(sites.size())) return false;
  const FieldSprite* button = sites[static_cast<size_t>(n)].button;
  if (!button || !button->Visible()) return false;
  // The middle of the points the button answers at, near its place (its picture's, or
  // without pictures the 50 x 30 box below and right of its point).
  const int bx = static_cast<int>(button->X()), by = static_cast<int>(button->Y());
  long sumX = 0, sumY = 0, count = 0;
  for (int py = by - 80; py <= by + 80; ++py) {
    for (int px = bx - 80; px <= bx + 80; ++px) {
      if (!button->Hit(px, py)) continue;
      sumX += px, sumY += py, ++count;
    }
  }
  if (count == 0) return false;
  x = static_cast<int>(sumX / count);
  y = static_cast<int>(sumY / count);
  return button->Hit(x, y);
}

std::string Hash(GameSession& session) {
  if (!session.HasGame()) return "no game\n";
  ScriptedGame& g = session.GetGame();
  return Format("hash %016llx, update %d\n", static_cast<unsigned long long>(g.StateHash()),
                g.LevelUpdate());
}

std::string ReplayHeader(const std::string& name, const Replay& r) {
  int32_t rewinds = 0;
  for (const PlayerAction& a : r.actions) rewinds += a.kind == ActionKind::kRewind ? 1 : 0;
  std::string out = Format("replay %s: %s level %d", script::Printable(name).c_str(),
                           replay_names::kTypes[r.gameType & 1], r.level);
  if (r.pack) {
    out += Format(" (level %d \"%s\" of the pack \"%s\")", r.pack->number,
                  script::Printable(r.pack->id).c_str(), script::Printable(r.pack->pack).c_str());
  }
  out += Format(", seed %u, start %s, actions %zu, rewinds %d", r.seed,
                r.savedState.empty() ? "fresh" : "saved",
                r.actions.size() - static_cast<size_t>(rewinds), rewinds);
  if (r.end) {
    out +=
        Format(", ended %s at update %d", replay_names::OutcomeName(r.end->outcome), r.end->update);
  }
  return out + "\n";
}

std::string ReplayEnd(GameSession& session) {
  const std::optional<WatchEnd>& end = session.WatchEnded();
  if (!end) return "the replay has not ended\n";
  std::string out = Format("replay ended at update %d", end->update);
  if (end->update != end->recordedUpdate) out += Format(" (recorded %d)", end->recordedUpdate);
  out += '\n';
  out += Game(session);
  out += ShownTips(session);
  out += Format("hash %016llx ", static_cast<unsigned long long>(end->hash));
  if (end->AsRecorded()) return out + "as recorded\n";
  return out + Format("differs from the recorded %016llx\n",
                      static_cast<unsigned long long>(end->recorded));
}

}  // namespace gamereport
