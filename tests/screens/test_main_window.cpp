// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/LParams.h"
#include "core/Random.h"
#include "game/ClickTargets.h"
#include "game/KeyboardPlay.h"
#include "game/ReplayFile.h"
#include "game/Settings.h"
#include "railway/Junction.h"
#include "screens/GMainWindow.h"
#include "screens/GWndHelp.h"
#include "screens/GWndLevelStats.h"
#include "screens/GWndMenu.h"
#include "screens/GWndMessage.h"
#include "screens/GWndNewGame.h"
#include "screens/GWndOptions.h"
#include "screens/GWndPickGame.h"
#include "screens/ScreenServices.h"
#include "sprites/ClipLib.h"
#include "sprites/Widgets.h"
#include "tests/sprites/SpriteTestSupport.h"

using namespace spritetest;

namespace {

struct RecordingServices : ScreenServices {
  void SetMusicOn(bool on) override {
    calls.push_back(std::string("music ") + (on ? "on" : "off"));
  }
  void SetMusicVolume(int v) override { calls.push_back("music volume " + std::to_string(v)); }
  void SetSoundVolume(int v) override { calls.push_back("sound volume " + std::to_string(v)); }
  void SetSoundOn(bool on) override {
    calls.push_back(std::string("sound ") + (on ? "on" : "off"));
  }
  void SwitchVideoMode() override { calls.push_back("video mode"); }
  void OpenMakerPage() override { calls.push_back("maker page"); }
  std::vector<std::string> calls;
};

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Globals();
    const std::string dir = MakeTempDir();
    std::filesystem::create_directory(dir + "/savep");
    std::filesystem::create_directory_symlink(LibraryFolder() + "/Dat", dir + "/Dat");
    cwd_ = std::make_unique<ScopedCwd>(dir);
    ASSERT_TRUE(ClipLib::Init());
    while (!ClipLib::IsComplete()) ASSERT_NE(ClipLib::LoadNext(), -1);
    Globals().GameType = 1;
    Globals().PlayerName = "Ostrel";
    Globals().ShowTips = false;
    Globals().DontShowBeginHelp = true;
    Globals().MaxLevelPuzzle = Globals().MaxLevelStrateg = 0;
    rnd::SetRunSeed(5);
    window = std::make_unique<GMainWindow>(Display(), 0, 0, 800, 600, services);
  }
  void TearDown() override {
    window.reset();
    ClipLib::Shutdown();
    Params().Close();
    cwd_.reset();
    Globals() = saved_;
  }
  void ShowWindow() {
    window->Show(&slot);
    Frames(1);
  }
  void Frames(int n) {
    for (int i = 0; i < n && slot; ++i) slot->Tick(20, 20);
  }
  Game& TheGame() { return *window->CurrentGame(); }
  // Where everything on the screen stands: it changes from frame to frame while the
  // game runs (towns appear, track builds, letters fly).
  std::string Scene() {
    std::string scene = std::to_string(TheGame().NumberTown);
    for (const LClip* s : window->Sprites)
      scene += " " + std::to_string(s->x) + "," + std::to_string(s->y) + "," +
               std::to_string(s->cFrame) + (s->Visible ? "v" : "h");
    return scene;
  }
  static bool Exists(const char* path) { return std::filesystem::exists(path); }
  // A switch that a click would throw now, and the point to click; nullptr when none.
  const Junction::Switch* FreeSwitch(int& x, int& y) {
    ClickTargets targets(TheGame());
    for (int j = 0; j < rail::kJunctions; ++j) {
      for (int side = 0; side < 4; ++side) {
        const Junction::Switch& s = TheGame().GetField().At(j).SwitchAt(side);
        if (s.state == SwitchState::kWorking && !s.lock && s.picture &&
            targets.ClickFor(s.picture, x, y))
          return &s;
      }
    }
    return nullptr;
  }
  static std::vector<std::string> Replays() {
    std::vector<std::string> paths;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(kReplaysFolder, ec))
      paths.push_back(e.path().string());
    return paths;
  }

  RecordingServices services;
  std::unique_ptr<GMainWindow> window;
  LEngine* slot = nullptr;

 private:
  Settings saved_;
  std::unique_ptr<ScopedCwd> cwd_;
};

}  // namespace

TEST_F(MainWindow, DialogsStandCentredInTheFieldAndTheHelpOnTheDisplay) {
  EXPECT_EQ(window->MenuDialog->X, 275);
  EXPECT_EQ(window->MenuDialog->Y, 50);
  EXPECT_EQ(window->NewGameDialog->X, 275);
  EXPECT_EQ(window->NewGameDialog->Y, 185);
  EXPECT_EQ(window->MessageDialog->Y, 185);
  EXPECT_EQ(window->HelpDialog->X, 0);
  EXPECT_EQ(window->HelpDialog->Y, 0);
  EXPECT_FALSE(window->PauseClip->Visible);
  EXPECT_EQ(window->MenuButton->x, 14);
  EXPECT_EQ(window->MenuButton->y, 78);
}

TEST_F(MainWindow, FirstStartShowsTheHelpThenPlaysANewPuzzleGame) {
  Globals().DontShowBeginHelp = false;
  ShowWindow();
  ASSERT_EQ(slot, window->HelpDialog.get());
  EXPECT_TRUE(window->Paused);
  EXPECT_TRUE(window->PauseClip->Visible);
  window->HelpDialog->StartHelpBox->SetChecked(true);
  window->HelpDialog->Close(0);
  EXPECT_EQ(slot, window.get());
  EXPECT_FALSE(window->Paused);
  EXPECT_TRUE(Globals().DontShowBeginHelp);
  Frames(50);
  EXPECT_EQ(TheGame().GameState, kStatePlaying);
  EXPECT_EQ(TheGame().GameType(), 1);
  const std::string scene = Scene();
  Frames(5);
  EXPECT_NE(Scene(), scene);
}

TEST_F(MainWindow, PauseStopsTheGameAndAnyPressEndsIt) {
  ShowWindow();
  Frames(100);
  window->OnKeyDown(SDLK_SPACE, 0);
  ASSERT_TRUE(window->Paused);
  EXPECT_TRUE(window->PauseClip->Visible);
  const std::string scene = Scene();
  Frames(20);
  EXPECT_EQ(Scene(), scene);
  // A key while paused only ends the pause: Escape does not open the menu.
  window->OnKeyDown(SDLK_ESCAPE, 0);
  EXPECT_FALSE(window->Paused);
  EXPECT_EQ(slot, window.get());
  window->OnKeyDown(SDLK_SPACE, 0);
  EXPECT_TRUE(window->Paused);
  window->OnRightDown(400, 300);
  EXPECT_FALSE(window->Paused);
  window->OnActivate(false);
  EXPECT_TRUE(window->Paused);
  window->OnLeftDown(400, 300);
  EXPECT_FALSE(window->Paused);
  window->OnKeyDown(SDLK_SPACE, 0);
  window->OnKeyDown(SDLK_a, 0);
  Frames(5);
  EXPECT_NE(Scene(), scene);
}

TEST_F(MainWindow, HotKeysOpenOneDialogAtATimeAndClosingEndsThePause) {
  ShowWindow();
  window->OnKeyDown(SDLK_ESCAPE, 0);
  ASSERT_EQ(slot, window->MenuDialog.get());
  EXPECT_TRUE(window->Paused);
  window->OpenOptions();  // a second dialog never opens over the first
  EXPECT_EQ(slot, window->MenuDialog.get());
  window->MenuDialog->Close(menu::kContinue);
  EXPECT_EQ(slot, window.get());
  EXPECT_FALSE(window->Paused);
  window->OnKeyDown(SDLK_F1, 0);
  EXPECT_EQ(slot, window->HelpDialog.get());
  window->HelpDialog->Close(-2);
  EXPECT_FALSE(window->Paused);
}

TEST_F(MainWindow, MenuChoicesOpenTheirDialogs) {
  ShowWindow();
  const std::pair<int32_t, LEngine*> choices[] = {
      {menu::kNewGame, window->NewGameDialog.get()},
      {menu::kPickGame, window->PickGameDialog.get()},
      {menu::kOptions, window->OptionsDialog.get()},
      {menu::kHelp, window->HelpDialog.get()},
      {menu::kExit, window->MessageDialog.get()},
  };
  for (const auto& [code, dialog] : choices) {
    window->OpenMenu();
    window->MenuDialog->Close(code);
    EXPECT_EQ(slot, dialog) << code;
    EXPECT_TRUE(window->Paused);
    dialog->Close(-2);
    EXPECT_EQ(slot, window.get());
  }
  window->OpenMenu();
  window->MenuDialog->Close(-2);
  EXPECT_EQ(slot, window.get());
}

TEST_F(MainWindow, OptionsApplyOnOkAndCancelUndoesTheMusicPreview) {
  Globals().MusicVolume = 40;
  Globals().MusicOn = true;
  Globals().FullScreen = false;
  ShowWindow();
  window->OpenOptions();
  window->OptionsDialog->MusicSlider->SetValue(100);
  window->OptionsDialog->MusicOnBox->SetChecked(false);
  Frames(1);
  services.calls.clear();
  window->OptionsDialog->Close(-2);
  EXPECT_EQ(services.calls, (std::vector<std::string>{"music volume 40", "music on"}));
  EXPECT_EQ(Globals().MusicVolume, 40);

  window->OpenOptions();
  window->OptionsDialog->FullScreenBox->SetChecked(true);
  window->OptionsDialog->SoundOnBox->SetChecked(false);
  services.calls.clear();
  window->OptionsDialog->Close(-1);
  const std::string volume = "sound volume " + std::to_string(Globals().SoundVolume);
  EXPECT_EQ(services.calls, (std::vector<std::string>{"video mode", "sound off", volume}));
  EXPECT_TRUE(Globals().FullScreen);
  EXPECT_FALSE(Globals().SoundOn);

  // The colour symbols reach the running game with OK, not with cancel.
  Globals().ColourSymbols = false;
  for (int32_t code : {-2, -1}) {
    window->OpenOptions();
    window->OptionsDialog->SymbolsBox->SetChecked(true);
    window->OptionsDialog->Close(code);
    EXPECT_EQ(Globals().ColourSymbols, code == -1);
    EXPECT_EQ(TheGame().GetField().ColourSymbols(), code == -1);
  }

  // So do acting while paused and the lock marks; the dialog opens with the settings.
  for (int32_t code : {-2, -1}) {
    window->OpenOptions();
    EXPECT_FALSE(window->OptionsDialog->ActInPauseBox->Checked);
    EXPECT_TRUE(window->OptionsDialog->LockMarksBox->Checked);
    window->OptionsDialog->ActInPauseBox->SetChecked(true);
    window->OptionsDialog->LockMarksBox->SetChecked(false);
    window->OptionsDialog->Close(code);
    EXPECT_EQ(Globals().ActWhilePaused, code == -1);
    EXPECT_EQ(Globals().LockMarks, code != -1);
  }
}

TEST_F(MainWindow, PickingTheTypeInUseNeitherSavesNorReloads) {
  ShowWindow();
  Frames(100);
  Game* before = &TheGame();
  const std::string scene = Scene();
  window->OpenGameType();
  window->PickGameDialog->Close(pick::kPuzzle);
  EXPECT_FALSE(Exists("savep/OstrelPUZZLE.sav"));
  EXPECT_EQ(&TheGame(), before);
  EXPECT_EQ(TheGame().NumberTown, std::stoi(scene));

  // The other type: the Puzzle game is saved and a Classic one starts.
  window->OpenGameType();
  window->PickGameDialog->Close(pick::kClassic);
  EXPECT_TRUE(Exists("savep/OstrelPUZZLE.sav"));
  EXPECT_EQ(Globals().GameType, 0);
  Frames(5);
  EXPECT_EQ(TheGame().GameType(), 0);
  EXPECT_EQ(TheGame().iGameMode, kBuildingMode);
  window->OpenGameType();
  window->PickGameDialog->Close(-2);
  EXPECT_EQ(Globals().GameType, 0);
}

TEST_F(MainWindow, NewGameStartsAtTheChosenLevel) {
  Globals().MaxLevelPuzzle = 3;
  ShowWindow();
  window->OpenNewGame();
  EXPECT_EQ(window->NewGameDialog->MaxLevel, 3);
  window->NewGameDialog->Spinner.SetValue(3);
  window->NewGameDialog->Close(-1);
  Frames(2);
  EXPECT_EQ(TheGame().CurrentRoundInType, 2);
  window->OpenNewGame();
  window->NewGameDialog->Spinner.SetValue(1);
  window->NewGameDialog->Close(-2);
  Frames(2);
  EXPECT_EQ(TheGame().CurrentRoundInType, 2);
}

TEST_F(MainWindow, QuitQuestionOkClosesTheScreenAndSavesTheGame) {
  ShowWindow();
  window->OpenQuitQuestion();
  ASSERT_EQ(slot, window->MessageDialog.get());
  window->MessageDialog->Close(-2);
  EXPECT_EQ(slot, window.get());
  window->OpenQuitQuestion();
  window->MessageDialog->Close(-1);
  EXPECT_EQ(slot, nullptr);
  EXPECT_EQ(window->CurrentGame(), nullptr);
  EXPECT_TRUE(Exists("savep/OstrelPUZZLE.sav"));
}

TEST_F(MainWindow, ClosingWithADialogOpenClosesTheDialogFirst) {
  ShowWindow();
  window->OpenMenu();
  window->Close(0);
  EXPECT_EQ(slot, nullptr);
  EXPECT_EQ(window->MenuDialog->Parent, nullptr);
  EXPECT_TRUE(Exists("savep/OstrelPUZZLE.sav"));
}

TEST_F(MainWindow, LogoButtonsOpenTheMakersPageAndTheMenuButtonTheMenu) {
  ShowWindow();
  window->OnControlClick(window->LogoButton);
  window->OnControlClick(window->MakerButton);
  EXPECT_EQ(services.calls, (std::vector<std::string>{"maker page", "maker page"}));
  window->OnControlClick(window->MenuButton);
  EXPECT_EQ(slot, window->MenuDialog.get());
}

TEST_F(MainWindow, LevelEndShowsItsStatisticsAndClosingThemEndsThePause) {
  ShowWindow();
  window->ShowLevelEnd({"Ostrel", 2, 15, 31, 17, 48000, 21000});
  ASSERT_EQ(slot, window->LevelStatsDialog.get());
  EXPECT_TRUE(window->LevelStatsDialog->NextButton->Visible);
  EXPECT_FALSE(window->LevelStatsDialog->OkButton->Visible);
  window->LevelStatsDialog->Close(-1);
  EXPECT_FALSE(window->Paused);
}

TEST_F(MainWindow, TabRunsTheGameFasterUntilThePauseADialogOrTheLevelEnd) {
  ShowWindow();
  auto shownLetters = [&] {
    int n = 0;
    for (const CharStatic* c : window->SpeedChars()) n += c->Visible ? 1 : 0;
    return n;
  };
  EXPECT_EQ(shownLetters(), 0);
  window->OnKeyDown(SDLK_TAB, 0);
  EXPECT_EQ(window->Speed().Factor(), 2);
  EXPECT_EQ(shownLetters(), 2);
  window->OnKeyDown(SDLK_TAB, 0);
  ASSERT_EQ(window->Speed().Factor(), 4);
  const int32_t before = TheGame().CounterTimeMinuteTips;
  Frames(10);
  EXPECT_EQ(TheGame().CounterTimeMinuteTips - before, 4 * 10 * 20);
  window->OnKeyDown(SDLK_TAB, 0);
  EXPECT_EQ(window->Speed().Factor(), 1);
  EXPECT_EQ(shownLetters(), 0);

  // The pause drops the speed; Tab while paused only ends the pause.
  window->OnKeyDown(SDLK_TAB, 0);
  window->OnKeyDown(SDLK_TAB, 0);
  window->OnKeyDown(SDLK_SPACE, 0);
  EXPECT_EQ(window->Speed().Factor(), 1);
  EXPECT_EQ(shownLetters(), 0);
  window->OnKeyDown(SDLK_TAB, 0);
  EXPECT_FALSE(window->Paused);
  EXPECT_EQ(window->Speed().Factor(), 1);

  // So does a dialog, which keeps Tab to itself.
  window->OnKeyDown(SDLK_TAB, 0);
  window->OnKeyDown(SDLK_ESCAPE, 0);
  ASSERT_EQ(slot, window->MenuDialog.get());
  EXPECT_EQ(window->Speed().Factor(), 1);
  slot->OnKeyDown(SDLK_TAB, 0);
  EXPECT_EQ(slot, window->MenuDialog.get());
  window->MenuDialog->Close(menu::kContinue);
  EXPECT_EQ(window->Speed().Factor(), 1);

  // And the end of a level.
  window->OnKeyDown(SDLK_TAB, 0);
  window->ShowLevelEnd({"Ostrel", 1, 10, 3, 3, 104000, 4000});
  EXPECT_EQ(window->Speed().Factor(), 1);
}

TEST_F(MainWindow, ShiftTabSlowsTheGameAndASlowSpeedOutlastsThePauseAndDialogs) {
  ShowWindow();
  auto speed = [&] { return window->Speed().Factor(); };
  window->OnKeyDown(SDLK_TAB, KMOD_LSHIFT);
  ASSERT_EQ(speed(), -2);
  EXPECT_EQ(window->TopBarLabel(), "x1/2");
  int32_t update = TheGame().LevelUpdate();
  Frames(10);
  EXPECT_EQ(TheGame().LevelUpdate() - update, 5);
  window->OnKeyDown(SDLK_TAB, KMOD_RSHIFT);
  ASSERT_EQ(speed(), -4);
  EXPECT_EQ(window->TopBarLabel(), "x1/4");
  update = TheGame().LevelUpdate();
  Frames(12);
  EXPECT_EQ(TheGame().LevelUpdate() - update, 3);
  window->OnKeyDown(SDLK_TAB, 0);  // one step up
  EXPECT_EQ(speed(), -2);
  EXPECT_EQ(TheGame().LevelActions().back(),
            (PlayerAction{update + 3, ActionKind::kSpeed, 0, 0, -2}));

  // The pause and a dialog keep it.
  window->OnKeyDown(SDLK_SPACE, 0);
  EXPECT_TRUE(window->PauseClip->Visible);
  EXPECT_EQ(window->TopBarLabel(), "x1/2");
  window->OnKeyDown(SDLK_SPACE, 0);
  window->OnKeyDown(SDLK_ESCAPE, 0);
  ASSERT_EQ(slot, window->MenuDialog.get());
  window->MenuDialog->Close(menu::kContinue);
  EXPECT_EQ(speed(), -2);

  // Below x1/4 comes x1 again; Shift+Tab at a fast speed goes one step down.
  window->OnKeyDown(SDLK_TAB, KMOD_LSHIFT);
  window->OnKeyDown(SDLK_TAB, KMOD_LSHIFT);
  EXPECT_EQ(speed(), 1);
  EXPECT_EQ(window->TopBarLabel(), "");
  window->OnKeyDown(SDLK_TAB, 0);
  window->OnKeyDown(SDLK_TAB, 0);
  window->OnKeyDown(SDLK_TAB, KMOD_LSHIFT);
  EXPECT_EQ(speed(), 2);

  // A new game starts at x1.
  window->OnKeyDown(SDLK_TAB, KMOD_LSHIFT);
  window->OnKeyDown(SDLK_TAB, KMOD_LSHIFT);
  ASSERT_EQ(speed(), -2);
  window->NewGame();
  EXPECT_EQ(speed(), 1);
}

// With ACT IN PAUSE, clicks and keys act while paused, at the update the pause stands at,
// and Space alone ends the pause; the pause shows in the top bar, not over the field.
TEST_F(MainWindow, ActingWhilePausedPressesActAndOnlySpaceEndsThePause) {
  Globals().ActWhilePaused = true;
  ShowWindow();
  Frames(150);
  window->OnKeyDown(SDLK_SPACE, 0);
  ASSERT_TRUE(window->Paused);
  EXPECT_FALSE(window->PauseClip->Visible);
  EXPECT_EQ(window->TopBarLabel(), "PAUSE");
  const int32_t update = TheGame().LevelUpdate();
  const uint64_t hash = TheGame().StateHash();
  int x = 0, y = 0;
  const Junction::Switch* thrown = FreeSwitch(x, y);
  ASSERT_NE(thrown, nullptr) << "no switch to throw";
  const int before = thrown->active;
  window->OnLeftDown(x, y);
  window->OnKeyDown(SDLK_TAB, 0);
  Frames(20);
  EXPECT_TRUE(window->Paused);
  EXPECT_EQ(TheGame().LevelUpdate(), update);
  EXPECT_NE(thrown->active, before);
  EXPECT_NE(TheGame().StateHash(), hash);
  EXPECT_EQ(window->Speed().Factor(), 2);
  EXPECT_EQ(window->TopBarLabel(), "PAUSE");
  const std::vector<PlayerAction>& actions = TheGame().LevelActions();
  ASSERT_GE(actions.size(), 3u);
  EXPECT_EQ(actions[actions.size() - 2], (PlayerAction{update, ActionKind::kClick, x, y, 0}));
  // The message line goes on, so that the answers to keys can be read in the pause.
  TheGame().PostMessage("No switch to change", false);
  Frames(150);
  EXPECT_TRUE(window->Messages->Queue().empty());
  ASSERT_FALSE(window->Messages->Chars().empty());
  const CharStatic* letter = window->Messages->Chars()[0];
  EXPECT_TRUE(letter->Visible);
  // A second message makes the first one's letters rise off the line.
  const double standing = letter->y;
  TheGame().PostMessage("No signal here", false);
  double highest = standing;
  for (int i = 0; i < 100; ++i) {
    Frames(1);
    highest = std::min(highest, letter->y);
  }
  EXPECT_LT(highest, standing - 5);
  EXPECT_EQ(TheGame().LevelUpdate(), update);

  // F1 opens the help, whose closing ends the pause.
  window->OnKeyDown(SDLK_F1, 0);
  ASSERT_EQ(slot, window->HelpDialog.get());
  window->HelpDialog->Close(-2);
  EXPECT_FALSE(window->Paused);
  EXPECT_EQ(window->TopBarLabel(), "");  // the pause fell back to x1
  window->OnKeyDown(SDLK_SPACE, 0);
  window->OnRightDown(400, 300);
  EXPECT_TRUE(window->Paused);
  window->OnKeyDown(SDLK_SPACE, 0);
  EXPECT_FALSE(window->Paused);
  Frames(5);
  EXPECT_EQ(TheGame().LevelUpdate(), update + 5);

  // Without the option the pause picture is back, and a press only ends the pause.
  Globals().ActWhilePaused = false;
  window->OnKeyDown(SDLK_SPACE, 0);
  EXPECT_TRUE(window->PauseClip->Visible);
  EXPECT_EQ(window->TopBarLabel(), "");
  const int now = thrown->active;
  window->OnLeftDown(x, y);
  EXPECT_FALSE(window->Paused);
  EXPECT_EQ(thrown->active, now);
}

// Backspace and the menu's REWIND go back 10 s of game time and leave the game paused;
// Backspace goes on back while paused, down to the level's start, where it ends the pause.
TEST_F(MainWindow, RewindGoesBackTenSecondsAtATimeAndStaysPaused) {
  ShowWindow();
  Frames(1000);
  const int32_t played = TheGame().LevelUpdate();
  window->OnKeyDown(SDLK_BACKSPACE, 0);
  EXPECT_TRUE(window->Paused);
  EXPECT_EQ(TheGame().LevelUpdate(), played - 500);
  window->OnKeyDown(SDLK_BACKSPACE, 0);
  EXPECT_EQ(TheGame().LevelUpdate(), played - 1000);
  window->OnKeyDown(SDLK_BACKSPACE, 0);
  EXPECT_EQ(TheGame().LevelUpdate(), 0);
  EXPECT_TRUE(window->Paused);
  EXPECT_FALSE(window->CanRewind());
  window->OnKeyDown(SDLK_BACKSPACE, 0);
  EXPECT_FALSE(window->Paused);
  Frames(600);
  window->OpenMenu();
  window->MenuDialog->Close(menu::kRewind);
  EXPECT_TRUE(window->Paused);
  EXPECT_EQ(TheGame().LevelUpdate(), 100);
  EXPECT_EQ(window->Recorder().Rewinds(), 4);
}

TEST_F(MainWindow, ALevelLeftForAnotherTypeOrANewGameIsRecordedAsQuit) {
  ShowWindow();
  Frames(100);
  window->OpenGameType();
  window->PickGameDialog->Close(pick::kClassic);
  Frames(60);
  window->OpenNewGame();
  window->NewGameDialog->Close(-1);
  // Each level's replay, by game type: how many updates it ran before it was left.
  std::map<int32_t, int32_t> left;
  for (const std::string& path : Replays()) {
    Replay replay;
    std::string why;
    ASSERT_TRUE(ReadReplayFile(path, replay, why)) << why;
    ASSERT_TRUE(replay.end);
    EXPECT_EQ(replay.end->outcome, ReplayOutcome::kQuit);
    left[replay.gameType] = replay.end->update;
  }
  EXPECT_EQ(left, (std::map<int32_t, int32_t>{{0, 60}, {1, 101}}));  // and the frame of the show
}

TEST_F(MainWindow, AWatchedReplaysStatisticsGiveWayToThePlayersGameUnlessTheProgramEnds) {
  ShowWindow();
  Frames(150);
  window->Close(0);
  const std::vector<std::string> recorded = Replays();
  ASSERT_EQ(recorded.size(), 1u);
  Replay replay;
  std::string why;
  ASSERT_TRUE(ReadReplayFile(recorded[0], replay, why)) << why;
  auto watchToTheEnd = [&] {
    window = std::make_unique<GMainWindow>(Display(), 0, 0, 800, 600, services);
    ASSERT_TRUE(window->WatchReplay(replay, why)) << why;
    window->Show(&slot);
    Frames(200);
    ASSERT_EQ(slot, window->LevelStatsDialog.get());
  };

  // The program ends as the frame closes it, the statistics first: the player's own
  // game is neither taken up nor recorded.
  watchToTheEnd();
  window->LevelStatsDialog->Close(-2);
  window->Close(0);
  EXPECT_EQ(slot, nullptr);
  EXPECT_EQ(Replays(), recorded);

  // NEXT: the player's own game comes back at the next frame, taken up from its save.
  watchToTheEnd();
  window->LevelStatsDialog->Close(-1);
  Frames(1);
  EXPECT_FALSE(window->Watching());
  ASSERT_NE(window->CurrentGame(), nullptr);
  EXPECT_EQ(TheGame().GameState, kStateRestoring);
}

// A replay watched takes no clicks: acting while paused changes nothing there, its pause
// shows the picture and any key ends it; a slow speed runs it slower.
TEST_F(MainWindow, AReplayWatchedKeepsItsPausePictureWhenThePlayerActsWhilePaused) {
  ShowWindow();
  Frames(150);
  window->Close(0);
  Replay replay;
  std::string why;
  ASSERT_EQ(Replays().size(), 1u);
  ASSERT_TRUE(ReadReplayFile(Replays()[0], replay, why)) << why;
  Globals().ActWhilePaused = true;
  window = std::make_unique<GMainWindow>(Display(), 0, 0, 800, 600, services);
  ASSERT_TRUE(window->WatchReplay(replay, why)) << why;
  window->Show(&slot);
  window->OnKeyDown(SDLK_TAB, KMOD_LSHIFT);
  const int32_t update = TheGame().LevelUpdate();
  Frames(20);
  EXPECT_EQ(TheGame().LevelUpdate() - update, 10);
  window->OnKeyDown(SDLK_SPACE, 0);
  EXPECT_TRUE(window->PauseClip->Visible);
  window->OnKeyDown(SDLK_a, 0);
  EXPECT_FALSE(window->Paused);
  EXPECT_FALSE(window->PauseClip->Visible);
}

// The screen hands the keyboard's keys to the game's keyboard play: the ring shows with
// the first arrow key and Enter clicks its control; the hint's highlight counts the
// screen's frames, paused or not.
TEST_F(MainWindow, KeysPlayTheFieldAndTheHintsHighlightGoesAfterTwoSecondsEvenPaused) {
  ShowWindow();
  Frames(150);
  window->OnKeyDown(SDLK_RIGHT, 0);
  const KeyboardPlay& keys = TheGame().Keyboard();
  ASSERT_TRUE(keys.Selected());
  ASSERT_NE(keys.Ring(), nullptr);
  EXPECT_TRUE(keys.Ring()->Visible());
  window->OnKeyDown(SDLK_RETURN, 0);
  ASSERT_FALSE(TheGame().LevelActions().empty());
  EXPECT_EQ(
      TheGame().LevelActions().back(),
      (PlayerAction{TheGame().LevelUpdate(), ActionKind::kClick, keys.RingX(), keys.RingY()}));

  for (int i = 0; i < 100 && !TheGame().Keyboard().NextChange(); ++i) Frames(25);
  window->OnKeyDown(SDLK_h, 0);
  EXPECT_EQ(TheGame().HintsUsed, 1);
  ASSERT_TRUE(keys.Hinted());
  ASSERT_NE(keys.HintMark(), nullptr);
  window->OnKeyDown(SDLK_SPACE, 0);
  ASSERT_TRUE(window->Paused);
  Frames(KeyboardPlay::kHintMs / 20 - 1);
  EXPECT_TRUE(keys.HintMark()->Visible());
  Frames(1);
  EXPECT_FALSE(keys.HintMark()->Visible());
  EXPECT_TRUE(window->Paused);
}
