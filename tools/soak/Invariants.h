// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What must hold of a game at every frame, whatever the player does: the balance never
// negative and changed only by the game's earnings and costs, every car on built track,
// no picture without an owner, the state moving only along the game's own transitions,
// and the counters matching the field.
//
// One GameInvariants follows one game from frame to frame: each Check compares the game
// with what the previous Check saw. A single Check (a game just loaded) tests only what
// holds of the game as it stands.
#include <cstdint>
#include <string>
#include <vector>

class FieldSprite;
class Game;
class HeadlessSprites;

class GameInvariants {
 public:
  // An empty text when all is well, otherwise what failed. sprites, when given, are the
  // field pictures of the game (and of nothing else): every one must belong to the game.
  std::string Check(const Game& game, const HeadlessSprites* sprites = nullptr);

  // The next Check sees a game that the player has just replaced by a new one (the
  // new-game dialog): the state may jump to playing and the balance and counters start
  // again.
  void ExpectNewGame() { newGameExpected_ = true; }
  // The next Check sees another game object (a game loaded): nothing is compared with
  // what came before.
  void Forget() { seen_ = false; }

 private:
  struct Seen {
    int32_t state = 0;
    int32_t money = 0;
    int32_t trains = 0;    // TrainCounter
    int playerTracks = 0;  // tracks laid at a price
    int running = 0;       // ordinary and crazy trains on the field
  };

  static std::string Counters(const Game& game);
  static std::string Cars(const Game& game);
  std::string Pictures(const Game& game, const HeadlessSprites& sprites);
  std::string Transition(const Game& game, const Seen& now) const;
  std::string Money(const Game& game, const Seen& now) const;
  static Seen Observe(const Game& game);

  bool seen_ = false;
  bool newGameExpected_ = false;
  Seen last_;
  // Kept from check to check, so that each frame's check reuses their room.
  std::vector<const FieldSprite*> held_;
  std::vector<const FieldSprite*> alive_;
};
