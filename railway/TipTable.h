// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tip table: the short help texts the field and the game ask for by number, with
// where their arrow goes and when they may show. The tips object (game/Tips) shows
// them; the numbers live here, next to the table, because the field asks for them.
#include <array>
#include <cstdint>

// Tips by their number in the tip table.
namespace tip {
constexpr int CallersText = 0;
constexpr int MoveTrainToTown = 1;
constexpr int CallRepairButton = 2;
constexpr int MoveRepairTrainHere = 3;
constexpr int WarehouseLevelEnd = 4;
constexpr int TrackRepaired = 5;
constexpr int MoveTrainToThisTown = 6;
constexpr int SwitchClosedOrRed = 7;
constexpr int RepairTrainMovedOut = 8;
constexpr int SpacePauses = 9;
constexpr int DisableTips = 10;
constexpr int WarehouseEmpty = 11;
constexpr int PuzzleGame = 12;
constexpr int ClassicGame = 13;
constexpr int WrongColour = 14;
constexpr int TrainShowsUp = 15;
constexpr int LineBusy = 16;
constexpr int CrazyTrain = 17;
constexpr int CrazyAnyTown = 18;
}  // namespace tip

// Where a tip's arrow is and points.
enum TipArrow : int32_t { kArrowAbove = 0, kArrowBeside = 1, kNoArrow = 2 };

struct TipRecord {
  int32_t Number;
  const char* Text;  // nullptr: the caller's text
  int32_t ArrowMode;
  int32_t Count;      // times shown in this level
  int32_t Order;      // 0: no precondition
  int32_t Parity;     // -1 any level, 0 even levels only, 1 odd levels only
  int32_t LastShown;  // tips clock when last shown, -9999999 never
};

constexpr int kTipRecords = 20;  // the 19 tips and an empty record
constexpr int kNever = -9999999;
// Callers pass this position for a tip without arrow.
constexpr int kNoPlace = -999999;

// The constant table, in number order, with every counter at its start.
const std::array<TipRecord, kTipRecords>& TipTable();
// The table's text of a tip, or "" (tip 0 and numbers outside the table).
const char* TipText(int number);
