// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/Files.h"
#include "core/LParams.h"
#include "game/LevelFile.h"
#include "game/ReplayFile.h"
#include "game/ReplayText.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Every byte value once, the line break among them.
std::string AllBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  return bytes;
}

// A level with every field away from its default and every kind of action.
Replay EveryField() {
  Replay r;
  r.program = "1.0";
  r.player = " Ann\nLee 100% \r\x01\xff ";
  r.gameType = 1;
  r.level = 6;
  r.seed = 4294967295u;
  r.tips = false;
  r.money = 2147483647;
  r.delivered = 57;
  r.minutes = 123;
  r.actions = {
      {0, ActionKind::kClick, 0, 0, 0},          {10, ActionKind::kRightClick, 799, 599, 0},
      {10, ActionKind::kWheelDown, 400, 300, 0}, {11, ActionKind::kWheelUp, 1, 2, 0},
      {12, ActionKind::kTrackButton, 0, 0, 5},   {20, ActionKind::kSpeed, 0, 0, 4},
      {30, ActionKind::kPause, 0, 0, 0},         {30, ActionKind::kResume, 0, 0, 0},
      {40, ActionKind::kRewind, 0, 0, 15},       {15, ActionKind::kSpeed, 0, 0, 1},
      {16, ActionKind::kSpeed, 0, 0, -2},        {17, ActionKind::kSpeed, 0, 0, -4},
      {50, ActionKind::kSkipLevel, 0, 0, 0},
  };
  r.end = ReplayEnd{ReplayOutcome::kGameOver, 50, 0xfedcba9876543210u, 1};
  return r;
}

// A level resumed from a saved game whose keys and values hold every byte.
Replay SavedStart() {
  Replay r;
  r.program = "1.0";
  r.player = "Manager";
  r.savedState = core::BuildDocument({{"Game.CurrentRound", "3"}, {AllBytes(), AllBytes()}});
  r.actions = {{7, ActionKind::kClick, 300, 200, 0}};
  r.end = ReplayEnd{ReplayOutcome::kQuit, 9, 1, 0};
  return r;
}

// Every default, and an end.
Replay Defaults() {
  Replay r;
  r.end = ReplayEnd{};
  return r;
}

Replay Parsed(const std::string& text) {
  Replay r;
  std::string error;
  EXPECT_TRUE(ParseReplay(text, r, error)) << error << "\n" << text;
  return r;
}

TEST(ReplayFile, EveryFieldAndEveryKindSurviveTheText) {
  for (const Replay& r : {EveryField(), SavedStart(), Defaults()}) {
    const std::string text = FormatReplay(r);
    EXPECT_EQ(Parsed(text), r) << text;
    // Lines of printable text only, whatever bytes the name and the saved game hold.
    EXPECT_EQ(
        text.find_first_not_of("\n !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                               "[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~"),
        std::string::npos);
  }
  const std::string text = FormatReplay(EveryField());
  for (const char* line :
       {"OSTREL-TRAINS-REPLAY 1\n", "\nplayer %20Ann%0ALee 100%25 %0D%01%FF%20\n",
        "\ntype puzzle\nlevel 6\nseed 4294967295\ntips off\n",
        "\nstart fresh money 2147483647 delivered 57 minutes 123\n0 click 0 0\n",
        "\n12 track 5\n20 speed 4\n30 pause\n30 resume\n40 rewind 15\n15 speed 1\n16 speed -2\n17 "
        "speed -4\n50 skip\n",
        "\nend game-over update 50 rewinds 1 hash fedcba9876543210\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << "\nin\n" << text;
  }
  EXPECT_NE(FormatReplay(SavedStart()).find("\nstart saved ICAgICAgIDI"), std::string::npos);

  // Names of every length and byte come back as they were.
  for (const std::string& name : {std::string(), std::string(" "), std::string("%"),
                                  std::string("a  b"), std::string("\n"), AllBytes()}) {
    Replay r = EveryField();
    r.player = name;
    r.program = name;
    EXPECT_EQ(Parsed(FormatReplay(r)), r);
  }
}

TEST(ReplayFile, ALevelOf25MinutesWithAClickEvery5SecondsStaysSmall) {
  Replay r = EveryField();
  r.actions.clear();
  for (int32_t update = 125; update < 75000; update += 250) {
    r.actions.push_back({update, ActionKind::kClick, 100 + update % 670, 50 + update % 520, 0});
  }
  r.end = ReplayEnd{ReplayOutcome::kLevelComplete, 75000, 42, 0};
  const std::string text = FormatReplay(r);
  EXPECT_LT(text.size(), 10000u);
  EXPECT_EQ(Parsed(text), r);
}

TEST(ReplayFile, EveryCutOfARealTextIsRefusedAsCutShort) {
  const std::string text = FormatReplay(EveryField());
  const size_t firstLine = text.find('\n') + 1;
  for (size_t cut = 0; cut < text.size(); ++cut) {
    Replay r;
    std::string error;
    ASSERT_FALSE(ParseReplay(text.substr(0, cut), r, error)) << cut;
    if (cut < firstLine) continue;
    const auto lines = std::count(text.begin(), text.begin() + static_cast<long>(cut), '\n');
    EXPECT_EQ(error.rfind("line " + std::to_string(lines + 1) + ": the file ends ", 0), 0u)
        << cut << ": " << error;
    EXPECT_NE(error.find("cut short"), std::string::npos) << error;
  }
  // A recording still under way has no end line yet.
  Replay unfinished = EveryField();
  unfinished.end.reset();
  Replay r;
  std::string error;
  EXPECT_FALSE(ParseReplay(FormatReplay(unfinished), r, error));
  EXPECT_EQ(error, "line 22: the file ends before its end line: it is cut short");
}

// A small real text, line by line:
const char kText[] =
    "OSTREL-TRAINS-REPLAY 1\n"                                    // 1
    "program 1.0\n"                                               // 2
    "player Manager\n"                                            // 3
    "type classic\n"                                              // 4
    "level 3\n"                                                   // 5
    "seed 42\n"                                                   // 6
    "tips on\n"                                                   // 7
    "start fresh money 100000 delivered 0 minutes 0\n"            // 8
    "100 click 10 20\n"                                           // 9
    "200 rewind 50\n"                                             // 10
    "60 track 2\n"                                                // 11
    "300 speed 2\n"                                               // 12
    "end complete update 400 rewinds 1 hash 0123456789abcdef\n";  // 13

struct Damage {
  std::string from, to;  // the text's first "from" becomes "to"
  std::string message;   // how the error begins
};

TEST(ReplayFile, EveryKindOfDamageIsRefusedNamingItsLine) {
  Parsed(kText);
  const std::string doc = core::BuildDocument({{"Game.CurrentRound", "3"}});
  const std::vector<Damage> damages = {
      {"", "", "line 1: the file is empty"},
      {"REPLAY 1", "REPLAI 1", "line 1: not a replay file"},
      {"REPLAY 1", "REPLAY 2", "line 1: format version 2 is newer than this program reads (1)"},
      {"REPLAY 1", "REPLAY 0", "line 1: unknown format version 0"},
      {"REPLAY 1", "REPLAY x", "line 1: the format version \"x\" is not a number"},
      {"type classic", "type arcade", "line 4: the game type \"arcade\" is neither"},
      {"level 3", "level 0", "line 5: the level \"0\" is not a number from 1 to 6"},
      {"level 3", "level 7", "line 5: the level \"7\" is not"},
      {"level 3", "level 3x", "line 5: the level \"3x\" is not"},
      {"seed 42", "seed 4294967296", "line 6: the seed \"4294967296\" is not a number"},
      {"seed 42", "seed -1", "line 6: the seed \"-1\" is not"},
      {"tips on", "tips yes", "line 7: tips \"yes\" is not on or off"},
      {"player Manager", "player 50%", "line 3: a '%' not followed by two hexadecimal digits"},
      {"player Manager", "colour red\nplayer Manager", "line 3: unknown key \"colour\""},
      {"level 3\n", "level 3\nlevel 4\n", "line 6: a second \"level\" line"},
      {"seed 42\n", "", "line 8: the header has no \"seed\" line"},
      {"start fresh money 100000 delivered 0 minutes 0\n", "",
       "line 8: the header has no \"start\""},
      {"money 100000", "money -1", "line 8: money \"-1\" is not a number"},
      {"delivered 0", "delivered 2147483648", "line 8: delivered \"2147483648\" is not"},
      {"start fresh", "start new", "line 8: start must be"},
      {"start fresh money 100000 delivered 0 minutes 0", "start saved IC!!",
       "line 8: the saved game is not in base64"},
      {"start fresh money 100000 delivered 0 minutes 0", "start saved ICAgIB==",
       "line 8: the saved game is not in base64"},  // bits set past the data
      {"start fresh money 100000 delivered 0 minutes 0",
       "start saved ICAgIA==", "line 8: the saved game is not a parameter document"},
      {"start fresh money 100000 delivered 0 minutes 0",
       "start saved " + replay_text::Base64(doc + "x"),
       "line 8: the saved game is not a parameter document"},
      {"start fresh money 100000 delivered 0 minutes 0", "start saved", "line 8: start must be"},
      {"100 click 10 20", "100 jump 10 20", "line 9: unknown action \"jump\""},
      {"100 click 10 20", "100 click 10", "line 9: click takes 2 numbers, not 1"},
      {"100 click 10 20", "100 click 800 20", "line 9: x \"800\" is not a number from 0 to 799"},
      {"100 click 10 20", "100 click 10 600", "line 9: y \"600\" is not a number from 0 to 599"},
      {"100 click 10 20", "100 rclick -1 20", "line 9: x \"-1\" is not"},
      {"100 click 10 20", "100 click 10  20", "line 9: click takes 2 numbers, not 3"},
      {"100 click 10 20", "100", "line 9: an update without an action"},
      {"100 click 10 20", "-100 click 10 20", "line 9: the update \"-100\" is not"},
      {"100 click 10 20", "2147483648 pause", "line 9: the update \"2147483648\" is not"},
      {"60 track 2", "60 track 6", "line 11: the track type \"6\" is not a number from 0 to 5"},
      {"60 track 2", "60 track -1", "line 11: the track type \"-1\" is not"},
      {"300 speed 2", "300 speed 3", "line 12: the speed 3 is not 1, 2, 4, -2 or -4"},
      {"300 speed 2", "300 speed 8", "line 12: the speed \"8\" is not"},
      {"300 speed 2", "300 speed -3", "line 12: the speed -3 is not 1, 2, 4, -2 or -4"},
      {"300 speed 2", "300 speed 0", "line 12: the speed 0 is not 1, 2, 4, -2 or -4"},
      {"200 rewind 50", "200 rewind 201",
       "line 10: the rewind's target \"201\" is not a number "
       "from 0 to 200"},
      {"200 rewind 50", "200 rewind -1", "line 10: the rewind's target \"-1\" is not"},
      {"200 rewind 50", "99 rewind 50", "line 10: update 99 goes back before update 100 of line 9"},
      {"60 track 2", "49 track 2",
       "line 11: update 49 goes back before the rewind to update 50 "
       "of line 10"},
      {"300 speed 2", "59 speed 2", "line 12: update 59 goes back before update 60 of line 11"},
      {"update 400", "update 299",
       "line 13: the end at update 299 comes before update 300 of "
       "line 12"},
      {"\nend", "\nseed 42\nend", "line 13: the header line \"seed\" among the actions"},
      {"hash 0123456789abcdef\n", "hash 0123456789abcdef\n300 pause\n",
       "line 14: a line after the end line"},
      {"hash 0123456789abcdef\n", "hash 0123456789abcdef\n\n", "line 14: a line after the end"},
      {"300 speed 2\n", "300 speed 2\n\n", "line 13: an empty line"},
      {"100 click 10 20", "100 click 10 20\r", "line 9: the byte 0x0d where only printable"},
      {"player Manager", "player Man\tager", "line 3: the byte 0x09"},
      {"end complete update", "end complete updates", "line 13: the end line must be"},
      {"end complete", "end won-a", "line 13: the outcome \"won-a\" is not complete"},
      {"hash 0123456789abcdef", "hash 0123456789abcde",
       "line 13: the hash \"0123456789abcde\" is "
       "not 16 hexadecimal digits"},
      {"hash 0123456789abcdef", "hash 0123456789abcdeg", "line 13: the hash"},
      {"rewinds 1", "rewinds -1", "line 13: rewinds \"-1\" is not"},
  };
  for (const Damage& d : damages) {
    std::string text = kText;
    if (d.from.empty()) {
      text.clear();
    } else {
      const size_t at = text.find(d.from);
      ASSERT_NE(at, std::string::npos) << d.from;
      text.replace(at, d.from.size(), d.to);
    }
    Replay r = EveryField();
    std::string error;
    EXPECT_FALSE(ParseReplay(text, r, error)) << d.to;
    EXPECT_EQ(r, EveryField()) << "a refused text changed the replay: " << d.to;
    EXPECT_EQ(error.rfind(d.message, 0), 0u)
        << "expected: " << d.message << "\n     got: " << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
  }
}

// A level of a pack carries its level file and its ids, of any bytes (a level made in
// memory has no hash and may have no ids). Damage to that line, the carried level's
// own included, refuses the replay with one line.
TEST(ReplayFile, APackLevelCarriesItsLevelFile) {
  const std::string level =
      FormatLevelFile(LevelFileFrom(Level(kPuzzleOffset), "Level A", "Two towns.", 2));
  Replay r = EveryField();
  r.level = 1;
  r.pack = ReplayPackLevel{"first steps/2", 3, "a b%", "0123456789abcdef", level};
  const std::string text = FormatReplay(r);
  EXPECT_NE(text.find("\ntips off\npack 3 0123456789abcdef first%20steps/2/a%20b%25 " +
                      replay_text::Base64(level) + "\nstart fresh "),
            std::string::npos)
      << text;
  EXPECT_EQ(Parsed(text), r);
  Replay memory = r;
  memory.pack = ReplayPackLevel{"", 1, "", "", level};
  EXPECT_NE(FormatReplay(memory).find("\npack 1 - / "), std::string::npos);
  EXPECT_EQ(Parsed(FormatReplay(memory)), memory);

  const std::string damaged = replay_text::Base64("ostrel-level 1\nname A\n");
  const std::vector<Damage> damages = {
      {"pack 3 ", "pack 101 ", "line 8: the level's number in its pack \"101\" is not"},
      {"pack 3 ", "pack 3 - ", "line 8: pack must be"},
      {" 0123456789abcdef ", " 0123456789ABCDEF ", "line 8: the level's hash"},
      {"first%20steps/2/a%20b%25", "first", "line 8: the level's ids \"first\" are not"},
      {"first%20steps/2/a%20b%25", "a%2Fb%", "line 8: the level's ids"},
      {replay_text::Base64(level), damaged,
       "line 8: the level file it carries is refused: carried.level:"},
      {replay_text::Base64(level), "b3N!", "line 8: the level file is not in base64"},
      {"type puzzle", "type classic", "line 10: a level of a pack is played as puzzle level 1"},
      {"\nstart fresh", "\npack 1 - / " + replay_text::Base64(level) + "\nstart fresh",
       "line 9: a second \"pack\" line"},
  };
  for (const Damage& d : damages) {
    std::string bad = text;
    const size_t at = bad.find(d.from);
    ASSERT_NE(at, std::string::npos) << d.from;
    bad.replace(at, d.from.size(), d.to);
    Replay out = EveryField();
    std::string error;
    EXPECT_FALSE(ParseReplay(bad, out, error)) << d.to;
    EXPECT_EQ(out, EveryField());
    EXPECT_EQ(error.rfind(d.message, 0), 0u)
        << "expected: " << d.message << "\n     got: " << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
  }
}

TEST(ReplayFile, TooManyActionsOrTooManyBytesAreRefused) {
  std::string text = kText;
  const size_t end = text.find("end ");
  std::string actions;
  for (int32_t i = 0; i <= kReplayMaxActions; ++i) actions += "300 skip\n";
  text.insert(end, actions);
  Replay r;
  std::string error;
  EXPECT_FALSE(ParseReplay(text, r, error));
  EXPECT_EQ(error, "line " + std::to_string(9 + kReplayMaxActions) + ": more than 1000000 actions");

  text.assign(kReplayMaxBytes + 1, 'x');
  EXPECT_FALSE(ParseReplay(text, r, error));
  EXPECT_EQ(error, "33554433 bytes, more than a replay can be (33554432)");
}

class ReplayFolder : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/ot_replays_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    folder_ = dir_ + "/replays/";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names = core::ListFolder(folder_);
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string dir_, folder_;
};

TEST_F(ReplayFolder, FilesAreNamedByTimeAndOnlyTheNewest100AreKept) {
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  const std::time_t start = 1796665681;  // 2026-12-07 17:48:01 UTC
  Replay r = EveryField();
  r.gameType = 0;
  r.level = 3;
  ASSERT_NE(SaveNewReplay(folder_, r, start), "");
  EXPECT_EQ(Names(), std::vector<std::string>{"20261207-174801-CLASSIC-L03.otr"});
  core::DeleteFile(folder_ + "20261207-174801-CLASSIC-L03.otr");

  // The player's own file and a killed writer's leftover lie in the folder.
  WriteFile(folder_ + "best-run.otr", "mine");
  WriteFile(folder_ + "20261207-174800-PUZZLE-L01.otr.tmp", "half");
  std::vector<std::string> written;
  for (int i = 0; i < 103; ++i) {
    // Three files of one level in every second: the later two get a counter.
    r.level = 1 + i / 3 % 6;
    r.end->update = i;
    const std::string path = SaveNewReplay(folder_, r, start + i / 3);
    ASSERT_FALSE(path.empty()) << i;
    written.push_back(path.substr(folder_.size()));
  }
  EXPECT_EQ(written[0], "20261207-174801-CLASSIC-L01.otr");
  EXPECT_EQ(written[1], "20261207-174801-CLASSIC-L01-002.otr");
  EXPECT_EQ(written[2], "20261207-174801-CLASSIC-L01-003.otr");
  EXPECT_EQ(written[3], "20261207-174802-CLASSIC-L02.otr");
  std::vector<std::string> kept(written.begin() + 3, written.end());
  kept.push_back("best-run.otr");
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(Names(), kept);

  // A clock set back: the new file looks the oldest, yet it stays, and the oldest other
  // one goes.
  const std::string back = SaveNewReplay(folder_, r, start - 3600);
  EXPECT_EQ(back, folder_ + "20261207-164801-CLASSIC-L05.otr");
  kept.erase(std::find(kept.begin(), kept.end(), written[3]));
  kept.push_back(back.substr(folder_.size()));
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(Names(), kept);

  Replay read;
  std::string error;
  ASSERT_TRUE(ReadReplayFile(folder_ + written.back(), read, error)) << error;
  EXPECT_EQ(read.end->update, 102);
}

TEST_F(ReplayFolder, AFailedWriteLeavesThePreviousFileWhole) {
  ASSERT_TRUE(core::CreateFolder(folder_));
  const std::string path = folder_ + "a.otr";
  const Replay before = EveryField();
  ASSERT_TRUE(WriteReplayFile(path, before));
  const std::string old = ReadFile(path);

  Replay after = SavedStart();
  after.actions.assign(5000, PlayerAction{7, ActionKind::kPause});
  // The temporary file cannot be made: a folder stands in its place.
  ASSERT_TRUE(core::CreateFolder(path + ".tmp"));
  EXPECT_FALSE(WriteReplayFile(path, after));
  EXPECT_EQ(ReadFile(path), old);
  ASSERT_EQ(::rmdir((path + ".tmp").c_str()), 0);

  // The disk fills up halfway through the write.
  std::fflush(nullptr);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit size{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &size);
    ::_exit(WriteReplayFile(path, after) ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the write did not fail";
  EXPECT_EQ(ReadFile(path), old);
  EXPECT_EQ(core::ListFolder(folder_), std::vector<std::string>{"a.otr"});
  Replay back;
  std::string error;
  ASSERT_TRUE(ReadReplayFile(path, back, error)) << error;
  EXPECT_EQ(back, before);

  // Files that are no replays' place are refused without waiting, and so is a file over
  // the cap, unread.
  ASSERT_EQ(::mkfifo((folder_ + "fifo.otr").c_str(), 0600), 0);
  for (const char* name : {"fifo.otr", "missing.otr", ""}) {
    EXPECT_FALSE(ReadReplayFile(folder_ + name, back, error)) << name;
    EXPECT_EQ(error.rfind(folder_ + name + ": cannot be read (", 0), 0u) << error;
  }
  ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(kReplayMaxBytes) + 1), 0);
  EXPECT_FALSE(ReadReplayFile(path, back, error));
  EXPECT_EQ(error, path + ": 33554433 bytes, more than a replay can be (33554432)");
  WriteFile(path, "OSTREL-TRAINS-REPLAY 9\n");
  EXPECT_FALSE(ReadReplayFile(path, back, error));
  EXPECT_EQ(error, path + ": line 1: format version 9 is newer than this program reads (1)");
}

}  // namespace
