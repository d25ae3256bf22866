// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The new game dialog: OK and cancel, and, once a level beyond the first has been
// reached, the start level chosen with two arrows between 1 and that level; below them
// LEVEL PACKS, which leads to the levels of the level packs.
#include <cstdint>
#include <memory>

#include "engine/LEngine.h"
#include "screens/LevelSpinner.h"
#include "sprites/BitmapFont.h"

class LClipButton;

// The result codes of the new game dialog beside OK (-1) and cancel (-2).
namespace newgame {
constexpr int32_t kPacks = 1;  // the level packs
}  // namespace newgame

class GWndNewGame : public LEngine {
 public:
  GWndNewGame(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h,
              const BitmapFont* titleFont);
  ~GWndNewGame() override;

  // The highest level reached, 0-based (0: none beyond the first).
  void SetMaxLevel(int32_t n) { MaxLevel = n; }
  // The chosen start level, 0-based.
  int32_t GetStartLevel() const { return Spinner.Value - 1; }

  void Show(LEngine** slot) override;
  void Update(int32_t elapsed, int32_t frame) override;
  LControl* OnLeftDown(int32_t px, int32_t py) override;
  LControl* OnLeftUp(int32_t px, int32_t py) override;
  int32_t OnKeyDown(int32_t key, int32_t modifiers) override;
  void OnControlClick(LControl* control) override;

  int32_t MaxLevel = 0;
  LevelSpinner Spinner;
  LClip* Label = nullptr;
  LClip* NumberBox = nullptr;
  LClipButton* LeftArrow = nullptr;
  LClipButton* RightArrow = nullptr;
  LClipButton* OkButton = nullptr;
  LClipButton* CancelButton = nullptr;
  LClipButton* PacksButton = nullptr;

 private:
  void RedrawNumber();

  const BitmapFont* titleFont_;
  // The level font's sheet when the library keeps no template of it.
  std::unique_ptr<LClip> levelSheet_;
  std::unique_ptr<BitmapFont> levelFont_;
  // The font of LEVEL PACKS, the menu's item font, and its sheet when not a template.
  std::unique_ptr<LClip> itemSheet_;
  std::unique_ptr<BitmapFont> itemFont_;
};
