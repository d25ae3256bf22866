// SPDX-License-Identifier: GPL-3.0-or-later
// The replay file's reader: it takes the text line by line and refuses anything the
// writer could not have written, naming the line, without reading past the text.
#include <array>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/LParams.h"
#include "core/Random.h"
#include "game/GameSpeed.h"
#include "game/LevelPacks.h"
#include "game/LevelReplay.h"
#include "game/LevelTable.h"
#include "game/ReplayFile.h"
#include "game/ReplayNames.h"
#include "game/ReplayText.h"
#include "ids/ScreenSize.h"

namespace {

using Tokens = std::vector<std::string_view>;

constexpr int32_t kTrackButtons = 6;  // the track-type buttons of the left panel

// The header lines, each once, in the order the writer puts them; those before kPack
// must be there.
enum Header { kProgram, kPlayer, kType, kLevel, kSeed, kTips, kStart, kPack, kHeaders };
constexpr std::array<const char*, kHeaders> kHeaderKeys = {"program", "player", "type",  "level",
                                                           "seed",    "tips",   "start", "pack"};

std::optional<int> HeaderOf(std::string_view key) {
  for (size_t i = 0; i < kHeaderKeys.size(); ++i) {
    if (key == kHeaderKeys[i]) return static_cast<int>(i);
  }
  return std::nullopt;
}

// A piece of the file inside a message: quoted, escaped and cut when long, so that the
// message stays one line of text.
std::string Shown(std::string_view text) {
  constexpr size_t kLongest = 24;
  const bool cut = text.size() > kLongest;
  // Built piece by piece: GCC 12 warns falsely of overlapping copies in "\"" + a
  // temporary string.
  std::string shown = "\"";
  shown += replay_text::Escape(cut ? text.substr(0, kLongest) : text);
  shown += cut ? "...\"" : "\"";
  return shown;
}

Tokens Split(std::string_view line) {
  Tokens tokens;
  size_t start = 0;
  while (true) {
    const size_t space = line.find(' ', start);
    tokens.push_back(line.substr(start, space == std::string_view::npos ? space : space - start));
    if (space == std::string_view::npos) return tokens;
    start = space + 1;
  }
}

// An action line begins with its update: a number, perhaps a wrong negative one.
bool StartsWithNumber(std::string_view line) {
  const size_t first = !line.empty() && line[0] == '-' ? 1 : 0;
  return line.size() > first && line[first] >= '0' && line[first] <= '9';
}

class Parser {
 public:
  Parser(Replay& out, std::string& error) : out_(out), error_(error) {}

  bool Run(const std::string& text);

 private:
  bool Fail(const std::string& what);
  bool Line(std::string_view line);
  bool Magic(std::string_view line);
  bool HeaderLine(std::string_view line);
  bool HeaderValue(int header, std::string_view value);
  bool Start(const Tokens& t);
  bool Pack(const Tokens& t);
  bool StartsActions();
  bool Action(const Tokens& t);
  bool ActionArguments(const Tokens& t, PlayerAction& a);
  bool End(const Tokens& t);
  std::optional<int64_t> Number(std::string_view text, int64_t min, int64_t max, const char* what);
  std::string FloorText() const;

  Replay& out_;
  std::string& error_;
  int line_ = 0;
  std::array<bool, kHeaders> seen_{};
  bool inActions_ = false;
  bool ended_ = false;
  // The lowest update the next action may have, and the line that set it (0: none).
  int32_t floor_ = 0;
  int floorLine_ = 0;
  bool floorIsRewind_ = false;
};

bool Parser::Fail(const std::string& what) {
  error_ = "line " + std::to_string(line_) + ": " + what;
  return false;
}

std::optional<int64_t> Parser::Number(std::string_view text, int64_t min, int64_t max,
                                      const char* what) {
  const std::optional<int64_t> value = replay_text::Number(text, min, max);
  if (!value) {
    Fail(std::string(what) + " " + Shown(text) + " is not a number from " + std::to_string(min) +
         " to " + std::to_string(max));
  }
  return value;
}

// What the lowest update allowed next comes from, for a message.
std::string Parser::FloorText() const {
  return (floorIsRewind_ ? "the rewind to update " : "update ") + std::to_string(floor_) +
         " of line " + std::to_string(floorLine_);
}

bool Parser::Run(const std::string& text) {
  if (text.size() > kReplayMaxBytes) {
    error_ = std::to_string(text.size()) + " bytes, more than a replay can be (" +
             std::to_string(kReplayMaxBytes) + ")";
    return false;
  }
  size_t pos = 0;
  while (pos < text.size()) {
    ++line_;
    const size_t newline = text.find('\n', pos);
    const std::string_view line(text.data() + pos,
                                (newline == std::string::npos ? text.size() : newline) - pos);
    if (line_ == 1 && !Magic(line)) return false;
    if (newline == std::string::npos)
      return Fail("the file ends inside this line: it is cut short");
    if (line_ > 1 && !Line(line)) return false;
    pos = newline + 1;
  }
  if (line_ == 0) {
    ++line_;
    return Fail("the file is empty: not a replay");
  }
  if (!ended_) {
    ++line_;
    return Fail("the file ends before its end line: it is cut short");
  }
  return true;
}

bool Parser::Magic(std::string_view line) {
  const std::string expected = std::string(replay_names::kMagic) + " ";
  if (line.substr(0, expected.size()) != expected) {
    return Fail("not a replay file: it must begin with \"" + expected +
                std::to_string(Replay::kFormatVersion) + "\"");
  }
  const std::string_view version = line.substr(expected.size());
  const std::optional<int64_t> number = replay_text::Number(version, INT32_MIN, INT32_MAX);
  if (!number) return Fail("the format version " + Shown(version) + " is not a number");
  if (*number > Replay::kFormatVersion) {
    return Fail("format version " + std::to_string(*number) +
                " is newer than this program reads (" + std::to_string(Replay::kFormatVersion) +
                ")");
  }
  if (*number < Replay::kFormatVersion) {
    return Fail("unknown format version " + std::to_string(*number));
  }
  out_.format = static_cast<int32_t>(*number);
  return true;
}

bool Parser::Line(std::string_view line) {
  for (const char c : line) {
    if (c < ' ' || c > '~') {
      char code[8];
      std::snprintf(code, sizeof code, "0x%02x", static_cast<unsigned char>(c));
      return Fail(std::string("the byte ") + code + " where only printable text may stand");
    }
  }
  if (ended_) return Fail("a line after the end line");
  if (line.empty()) return Fail("an empty line");
  if (StartsWithNumber(line)) return StartsActions() && Action(Split(line));
  if (line.substr(0, 4) == "end " || line == "end") return StartsActions() && End(Split(line));
  return HeaderLine(line);
}

bool Parser::HeaderLine(std::string_view line) {
  const size_t space = line.find(' ');
  const std::string_view key = line.substr(0, space);
  const std::optional<int> header = HeaderOf(key);
  if (!header) return Fail("unknown key " + Shown(key));
  if (inActions_) return Fail("the header line " + Shown(key) + " among the actions");
  if (seen_[*header]) return Fail("a second " + Shown(key) + " line");
  seen_[*header] = true;
  return HeaderValue(*header, space == std::string_view::npos ? "" : line.substr(space + 1));
}

bool Parser::HeaderValue(int header, std::string_view value) {
  switch (header) {
    case kProgram:
    case kPlayer: {
      std::optional<std::string> text = replay_text::Unescape(value);
      if (!text) return Fail("a '%' not followed by two hexadecimal digits");
      (header == kProgram ? out_.program : out_.player) = std::move(*text);
      return true;
    }
    case kType:
      if (value != replay_names::kTypes[0] && value != replay_names::kTypes[1]) {
        return Fail("the game type " + Shown(value) + " is neither classic nor puzzle");
      }
      out_.gameType = value == replay_names::kTypes[0] ? 0 : 1;
      return true;
    case kLevel: {
      const auto level = Number(value, 1, kLastLevel + 1, "the level");
      if (level) out_.level = static_cast<int32_t>(*level);
      return level.has_value();
    }
    case kSeed: {
      const std::optional<uint32_t> seed = rnd::ReadSeed(std::string(value));
      if (!seed) return Fail("the seed " + Shown(value) + " is not a number from 0 to 4294967295");
      out_.seed = *seed;
      return true;
    }
    case kTips:
      if (value != "on" && value != "off")
        return Fail("tips " + Shown(value) + " is not on or off");
      out_.tips = value == "on";
      return true;
    case kStart:
      return Start(Split(value));
    default:
      return Pack(Split(value));
  }
}

bool Parser::Pack(const Tokens& t) {
  if (t.size() != 4) return Fail("pack must be \"pack NUMBER HASH PACK/LEVEL FILE\"");
  ReplayPackLevel pack;
  const auto number =
      Number(t[0], 1, static_cast<int64_t>(kMaxPackLevels), "the level's number in its pack");
  if (!number) return false;
  pack.number = static_cast<int32_t>(*number);
  // "-": a level made in memory, which no file's hash names.
  const bool lower = t[1].find_first_of("ABCDEF") == std::string_view::npos;
  if (t[1] != "-" && (!replay_text::Hex64(t[1]) || !lower)) {
    return Fail("the level's hash " + Shown(t[1]) +
                " is neither 16 lower-case hexadecimal digits nor \"-\"");
  }
  if (t[1] != "-") pack.hash = std::string(t[1]);
  const std::optional<std::string> names = replay_text::Unescape(t[2]);
  const size_t slash = names ? names->rfind('/') : std::string::npos;
  if (slash == std::string::npos)
    return Fail("the level's ids " + Shown(t[2]) + " are not PACK/LEVEL");
  pack.pack = names->substr(0, slash);
  pack.id = names->substr(slash + 1);
  std::optional<std::string> text = replay_text::FromBase64(t[3]);
  if (!text) return Fail("the level file is not in base64");
  pack.text = std::move(*text);
  std::string why;
  if (!replay::CarriedLevel(pack, why)) return Fail("the level file it carries is refused: " + why);
  out_.pack = std::move(pack);
  return true;
}

bool Parser::Start(const Tokens& t) {
  if (t.size() == 2 && t[0] == "saved") {
    std::optional<std::string> state = replay_text::FromBase64(t[1]);
    if (!state) return Fail("the saved game is not in base64");
    core::ParamEntries entries;
    if (state->empty() || !core::ParseDocument(*state, true, entries)) {
      return Fail("the saved game is not a parameter document");
    }
    out_.savedState = std::move(*state);
    return true;
  }
  if (t.size() == 7 && t[0] == "fresh" && t[1] == "money" && t[3] == "delivered" &&
      t[5] == "minutes") {
    const auto money = Number(t[2], 0, INT32_MAX, "money");
    const auto delivered = money ? Number(t[4], 0, INT32_MAX, "delivered") : std::nullopt;
    const auto minutes = delivered ? Number(t[6], 0, INT32_MAX, "minutes") : std::nullopt;
    if (!minutes) return false;
    out_.money = static_cast<int32_t>(*money);
    out_.delivered = static_cast<int32_t>(*delivered);
    out_.minutes = static_cast<int32_t>(*minutes);
    return true;
  }
  return Fail(
      "start must be \"start fresh money M delivered N minutes T\" or \"start saved DATA\"");
}

// The first action or the end line closes the header: every header line must be there.
bool Parser::StartsActions() {
  if (inActions_) return true;
  for (size_t i = 0; i < kPack; ++i) {
    if (!seen_[i]) return Fail(std::string("the header has no \"") + kHeaderKeys[i] + "\" line");
  }
  if (out_.pack && (out_.gameType != 1 || out_.level != 1)) {
    return Fail("a level of a pack is played as puzzle level 1");
  }
  inActions_ = true;
  return true;
}

bool Parser::Action(const Tokens& t) {
  if (out_.actions.size() >= static_cast<size_t>(kReplayMaxActions)) {
    return Fail("more than " + std::to_string(kReplayMaxActions) + " actions");
  }
  PlayerAction a;
  const auto update = Number(t[0], 0, INT32_MAX, "the update");
  if (!update) return false;
  a.update = static_cast<int32_t>(*update);
  if (t.size() < 2) return Fail("an update without an action");
  const std::optional<ActionKind> kind = action::FromName(std::string(t[1]));
  if (!kind) return Fail("unknown action " + Shown(t[1]));
  a.kind = *kind;
  if (a.update < floor_) {
    return Fail("update " + std::to_string(a.update) + " goes back before " + FloorText());
  }
  if (!ActionArguments(t, a)) return false;
  floor_ = a.kind == ActionKind::kRewind ? a.arg : a.update;
  floorLine_ = line_;
  floorIsRewind_ = a.kind == ActionKind::kRewind;
  out_.actions.push_back(a);
  return true;
}

bool Parser::ActionArguments(const Tokens& t, PlayerAction& a) {
  const bool position = action::HasPosition(a.kind);
  const bool arg = action::HasArg(a.kind);
  const size_t wanted = 2 + (position ? 2 : 0) + (arg ? 1 : 0);
  if (t.size() != wanted) {
    return Fail(std::string(action::Name(a.kind)) + " takes " + std::to_string(wanted - 2) +
                " numbers, not " + std::to_string(t.size() - 2));
  }
  if (position) {
    const auto x = Number(t[2], 0, screen::kWidth - 1, "x");
    const auto y = x ? Number(t[3], 0, screen::kHeight - 1, "y") : std::nullopt;
    if (!y) return false;
    a.x = static_cast<int32_t>(*x);
    a.y = static_cast<int32_t>(*y);
  }
  if (!arg) return true;
  std::optional<int64_t> value;
  if (a.kind == ActionKind::kTrackButton) {
    value = Number(t[2], 0, kTrackButtons - 1, "the track type");
  } else if (a.kind == ActionKind::kSpeed) {
    // 1, 2 and 4 run that many steps a frame; -2 and -4 one step every second or fourth.
    value = Number(t[2], GameSpeed::kSlowest, GameSpeed::kFastest, "the speed");
    if (value && !GameSpeed::Valid(static_cast<int>(*value))) {
      return Fail("the speed " + std::to_string(*value) + " is not 1, 2, 4, -2 or -4");
    }
  } else {
    value = Number(t[2], 0, a.update, "the rewind's target");
  }
  if (value) a.arg = static_cast<int32_t>(*value);
  return value.has_value();
}

bool Parser::End(const Tokens& t) {
  if (t.size() != 8 || t[2] != "update" || t[4] != "rewinds" || t[6] != "hash") {
    return Fail("the end line must be \"end OUTCOME update U rewinds R hash H\"");
  }
  const std::optional<ReplayOutcome> outcome = replay_names::OutcomeFromName(t[1]);
  if (!outcome) return Fail("the outcome " + Shown(t[1]) + " is not complete, game-over or quit");
  const auto update = Number(t[3], 0, INT32_MAX, "the update");
  const auto rewinds = update ? Number(t[5], 0, INT32_MAX, "rewinds") : std::nullopt;
  if (!rewinds) return false;
  const std::optional<uint64_t> hash = replay_text::Hex64(t[7]);
  if (!hash) return Fail("the hash " + Shown(t[7]) + " is not 16 hexadecimal digits");
  if (*update < floor_) {
    return Fail("the end at update " + std::to_string(*update) + " comes before " + FloorText());
  }
  out_.end =
      ReplayEnd{*outcome, static_cast<int32_t>(*update), *hash, static_cast<int32_t>(*rewinds)};
  ended_ = true;
  return true;
}

}  // namespace

bool ParseReplay(const std::string& text, Replay& out, std::string& error) {
  try {
    Replay replay;
    if (!Parser(replay, error).Run(text)) return false;
    out = std::move(replay);
    return true;
  } catch (const std::exception& e) {
    // Only memory can run out here; the file is refused rather than the game stopped.
    error = std::string("cannot read the replay: ") + e.what();
    return false;
  }
}
