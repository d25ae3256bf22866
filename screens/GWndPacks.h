// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The level packs dialog: one pack at a time (two arrows step through the packs), its
// levels in play order with the player's progress on each (locked, open, finished with
// the best result), and the chosen level's description and par. A click on a level
// chooses it, a second click or OK plays it when it is open; Escape or cancel closes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/LEngine.h"
#include "game/LevelPacks.h"
#include "game/PackProgress.h"
#include "sprites/BitmapFont.h"

class LClipButton;

class GWndPacks : public LEngine {
 public:
  // The levels a page lists at once; the list scrolls with the choice.
  static constexpr size_t kRowsShown = 10;

  GWndPacks(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h,
            const BitmapFont* titleFont);
  ~GWndPacks() override;

  // Shows the packs with the progress over the screen in slot, the level of the pack
  // chosen (both clamped to what there is). Closes with -1 when a level is to be
  // played (ChosenPack, ChosenLevel), -2 when cancelled.
  void Open(LEngine** slot, std::vector<LevelPack> packs, const PackProgress& progress, size_t pack,
            size_t level);
  size_t ChosenPack() const { return pack_; }
  size_t ChosenLevel() const { return level_; }
  const std::vector<LevelPack>& Packs() const { return packs_; }
  // Whether the chosen level can be played.
  bool ChosenOpen() const;

  LControl* OnLeftDown(int32_t px, int32_t py) override;
  int32_t OnKeyDown(int32_t key, int32_t modifiers) override;
  void OnControlClick(LControl* control) override;

  LClipButton* PreviousPack = nullptr;
  LClipButton* NextPack = nullptr;
  LClipButton* OkButton = nullptr;
  LClipButton* CancelButton = nullptr;
  // The texts of the page last drawn, title first, as they stand on it.
  std::vector<std::string> Lines;
  // The y of the first row, the height of one, and their left edge (dialog coordinates).
  static constexpr int kFirstRowY = 100;
  static constexpr int kRowHeight = 28;

 private:
  // Draws the page afresh for the chosen pack and level.
  void Redraw();
  void DrawRow(size_t index, int y);
  void DrawChosen();
  void DrawLine(const BitmapFont& font, int x, int y, const std::string& text, bool centred);
  std::string StateText(size_t index) const;
  void Choose(size_t pack, size_t level);
  void Play();

  const BitmapFont* titleFont_;
  std::unique_ptr<LClip> textSheet_;
  std::unique_ptr<BitmapFont> textFont_;
  std::vector<LevelPack> packs_;
  PackProgress progress_;
  size_t pack_ = 0;
  size_t level_ = 0;
  size_t firstRow_ = 0;  // the level the list begins with
};
