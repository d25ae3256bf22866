// SPDX-License-Identifier: GPL-3.0-or-later
// The level packs on the screens: the packs dialog with the player's progress, the way
// there from the new game dialog, a pack level's statistics with its par, and the next
// level offered after them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/LParams.h"
#include "core/Random.h"
#include "game/LevelFile.h"
#include "game/PackProgress.h"
#include "game/Settings.h"
#include "screens/GMainWindow.h"
#include "screens/GWndLevelStats.h"
#include "screens/GWndNewGame.h"
#include "screens/GWndPacks.h"
#include "screens/ScreenServices.h"
#include "sprites/ClipLib.h"
#include "sprites/CompleteIndicator.h"
#include "sprites/Widgets.h"
#include "tests/sprites/SpriteTestSupport.h"

using namespace spritetest;

namespace {

struct NoServices : ScreenServices {
  void SetMusicOn(bool) override {}
  void SetMusicVolume(int) override {}
  void SetSoundVolume(int) override {}
  void SetSoundOn(bool) override {}
  void SwitchVideoMode() override {}
  void OpenMakerPage() override {}
};

// The screen the dialogs open over; it records the codes they close with.
struct Recorder : LEngine {
  Recorder() : LEngine(Display(), 0, 0, 800, 600, false) {}
  void OnChildClosed(LEngine*, int32_t code) override { Codes.push_back(code); }
  std::vector<int32_t> Codes;
};

// The text of a level file: the first Puzzle level under name and par, one of two towns.
std::string LevelText(const std::string& name, int par) {
  LevelFile level = LevelFileFrom(Level(kPuzzleOffset), name, "Two towns and a loop.", par);
  level.towns = "17,0 62,2";
  level.maxTowns = 2;
  return FormatLevelFile(level);
}

void WriteText(const std::string& path, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// A pack of the player's levels/ folder with levels of the given pars.
void WritePack(const std::string& id, int order, const std::vector<int>& pars) {
  std::string index = "ostrel-pack 1\ntitle Pack " + id + "\norder " + std::to_string(order) + "\n";
  for (size_t i = 0; i < pars.size(); ++i) {
    const std::string name = "level" + std::to_string(i + 1);
    index += "level " + name + "\n";
    WriteText("levels/" + id + "/" + name + ".level",
              LevelText(id + " " + std::to_string(i + 1), pars[i]));
  }
  WriteText("levels/" + id + "/pack.index", index);
}

class PackScreens : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Globals();
    const std::string dir = MakeTempDir();
    std::filesystem::create_directory(dir + "/savep");
    std::filesystem::create_directory_symlink(LibraryFolder() + "/Dat", dir + "/Dat");
    cwd_ = std::make_unique<ScopedCwd>(dir);
    ASSERT_TRUE(ClipLib::Init());
    while (!ClipLib::IsComplete()) ASSERT_NE(ClipLib::LoadNext(), -1);
    font = std::make_unique<BitmapFont>(ClipLib::GetTemplate(clip::FontRed));
    Globals().GameType = 1;
    Globals().PlayerName = "Ostrel";
    Globals().ShowTips = false;
    Globals().DontShowBeginHelp = true;
    rnd::SetRunSeed(5);
    WritePack("a", 1, {0, 2, 2});
    WritePack("b", 2, {1});
    parent.Show(&slot);
  }
  void TearDown() override {
    window.reset();
    ClipLib::Shutdown();
    Params().Close();
    cwd_.reset();
    Globals() = saved_;
  }
  static void Click(LEngine& d, int x, int y) {
    d.OnLeftDown(d.X + x, d.Y + y);
    d.OnLeftUp(d.X + x, d.Y + y);
  }
  static void Click(LEngine& d, const LClip* c) { Click(d, c->x + 4, c->y + 5); }
  static int RowY(size_t row) {
    return GWndPacks::kFirstRowY + static_cast<int>(row) * GWndPacks::kRowHeight + 5;
  }
  static PackProgress Progress() {
    PackProgress progress;
    progress.Load(kPackProgressFile);
    return progress;
  }
  void Frames(int n) {
    for (int i = 0; i < n && slot; ++i) slot->Tick(20, 20);
  }

  std::unique_ptr<BitmapFont> font;
  Recorder parent;
  LEngine* slot = nullptr;
  NoServices services;
  std::unique_ptr<GMainWindow> window;

 private:
  Settings saved_;
  std::unique_ptr<ScopedCwd> cwd_;
};

}  // namespace

TEST_F(PackScreens, PacksDialogShowsTheProgressAndPlaysOnlyOpenLevels) {
  GWndPacks dialog(Display(), 200, 40, 400, 520, font.get());
  std::vector<LevelPack> packs = FindLevelPacks({"levels"});
  ASSERT_EQ(packs.size(), 2u);
  PackProgress progress = Progress();
  ASSERT_TRUE(progress.Record(packs[0].levels[0]->contentHash, 4, 103000, true));
  ASSERT_TRUE(progress.Record(packs[0].levels[1]->contentHash, 1, 99000, false));

  dialog.Open(&slot, packs, progress, 0, 2);
  ASSERT_EQ(slot, &dialog);
  EXPECT_EQ(dialog.Lines,
            (std::vector<std::string>{"LEVEL PACKS", "Pack a   (1 of 2)", "1.  a 1", "done  4 / 0",
                                      "2.  a 2", "best  1 / 2", ">", "3.  a 3", "locked",
                                      "Two towns and a loop.", "Par:  2 trains"}));
  EXPECT_FALSE(dialog.OkButton->Visible);
  EXPECT_FALSE(dialog.PreviousPack->Visible);
  EXPECT_TRUE(dialog.NextPack->Visible);
  // A locked level is not played, by Enter or by a second click.
  dialog.OnKeyDown(SDLK_RETURN, 0);
  Click(dialog, 100, RowY(2));
  EXPECT_EQ(slot, &dialog);

  // The second level is open: its best stands under the description.
  Click(dialog, 100, RowY(1));
  EXPECT_EQ(dialog.ChosenLevel(), 1u);
  EXPECT_TRUE(dialog.OkButton->Visible);
  EXPECT_EQ(dialog.Lines.back(), "Par:  2 trains     Best:  1,  99000");
  Click(dialog, dialog.NextPack);
  EXPECT_EQ(dialog.ChosenPack(), 1u);
  EXPECT_EQ(dialog.ChosenLevel(), 0u);
  EXPECT_FALSE(dialog.NextPack->Visible);
  EXPECT_EQ(dialog.Lines[1], "Pack b   (2 of 2)");
  dialog.OnKeyDown(SDLK_LEFT, 0);
  dialog.OnKeyDown(SDLK_DOWN, 0);
  EXPECT_EQ(dialog.ChosenPack(), 0u);
  EXPECT_EQ(dialog.ChosenLevel(), 1u);
  Click(dialog, 100, RowY(1));  // the chosen level again: played
  EXPECT_EQ(slot, &parent);

  // A pack alone is named without its place among the packs, and no arrow shows.
  dialog.Open(&slot, {packs[1]}, progress, 0, 0);
  EXPECT_EQ(dialog.Lines[1], "Pack b");
  EXPECT_FALSE(dialog.PreviousPack->Visible);
  EXPECT_FALSE(dialog.NextPack->Visible);

  dialog.Open(&slot, {}, progress, 3, 3);
  EXPECT_EQ(dialog.Lines, (std::vector<std::string>{"LEVEL PACKS", "No level packs found."}));
  EXPECT_FALSE(dialog.OkButton->Visible);
  dialog.OnKeyDown(SDLK_RETURN, 0);
  Click(dialog, dialog.CancelButton);
  EXPECT_EQ(parent.Codes, (std::vector<int32_t>{-1, -2}));
}

TEST_F(PackScreens, APackLevelIsReachedFromNewGameAndItsEndOffersTheNextLevel) {
  window = std::make_unique<GMainWindow>(Display(), 0, 0, 800, 600, services);
  window->Show(&slot);
  Frames(1);
  GWndNewGame& newGame = *window->NewGameDialog;
  window->OpenNewGame();
  ASSERT_TRUE(newGame.PacksButton->Visible);
  Click(newGame, newGame.PacksButton);
  ASSERT_EQ(slot, window->PacksDialog.get());
  GWndPacks& packs = *window->PacksDialog;
  EXPECT_EQ(packs.ChosenPack(), 0u);
  EXPECT_EQ(packs.ChosenLevel(), 0u);
  packs.OnKeyDown(SDLK_RETURN, 0);
  EXPECT_EQ(slot, window.get());

  Game& game = *window->CurrentGame();
  ASSERT_NE(game.PackLevel(), nullptr);
  EXPECT_EQ(game.PackLevel()->name, "a 1");
  EXPECT_TRUE(Globals().PackGame);
  EXPECT_TRUE(std::filesystem::exists("savep/OstrelPUZZLE.sav"));

  // The level ends: its statistics name the par, and the pack's next level is offered.
  Frames(50);
  CompleteIndicator& progress = game.GetProgress();
  progress.Percent = 100;
  Frames(200);
  ASSERT_EQ(slot, window->LevelStatsDialog.get());
  const std::vector<std::string>& lines = window->LevelStatsDialog->Lines;
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Par:  0"), 1);
  window->LevelStatsDialog->Close(-1);
  ASSERT_EQ(slot, window->PacksDialog.get());
  EXPECT_EQ(packs.ChosenLevel(), 1u);
  EXPECT_TRUE(packs.OkButton->Visible);
  EXPECT_TRUE(Progress().Unlocked(packs.Packs()[0], 1));
  Click(packs, packs.OkButton);
  EXPECT_EQ(window->CurrentGame()->PackLevel()->name, "a 2");

  // A new game of the game type leaves the pack.
  window->OpenNewGame();
  newGame.Close(-1);
  EXPECT_EQ(window->CurrentGame()->PackLevel(), nullptr);
  EXPECT_FALSE(Globals().PackGame);
}
