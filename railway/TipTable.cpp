// SPDX-License-Identifier: GPL-3.0-or-later
#include "railway/TipTable.h"

namespace {

// Number, Text, ArrowMode, Count, Order, Parity, LastShown.
constexpr std::array<TipRecord, kTipRecords> kTable = {{
    {0, nullptr, kNoArrow, 0, 1, 1, kNever},
    {1, "Move %s train in %s town.", kArrowBeside, 0, 1, 1, kNever},
    {2, "Damaged railway section. The but-ton call repair train.", kArrowBeside, 0, 0, -1, kNever},
    {3, "Damaged railway section. Move here repair train.", kArrowBeside, 0, 0, -1, kNever},
    {4, "The level will be over when the wa-rehouse is empty.", kArrowAbove, 0, 1, 0, kNever},
    {5, "The track has been repaired. You may return the repair tran to any city. ", kNoArrow, 0, 1,
     -1, kNever},
    {6, "Move %s train in this town.", kArrowBeside, 0, 0, 1, kNever},
    {7,
     "When the switch is closed or signal is red  the train will stop and reverse its "
     "movement.",
     kArrowBeside, 0, 1, 1, kNever},
    {8, "Repair train has moved out of %s city because %s button above the sign was pressed.",
     kArrowBeside, 0, 4, 0, kNever},
    {9, "SPACE - pause game.", kNoArrow, 0, 4, 0, kNever},
    {10, "You may disable tips in options).", kNoArrow, 0, 4, 0, kNever},
    {11, "Warehouse is empty. The level will be over when all the trains are in the cities.",
     kNoArrow, 0, 1, -1, kNever},
    // 0x96 is the dash of the game's code page.
    {12,
     "Puzzle Game \x96"
     " game with ready-built railway.",
     kNoArrow, 0, 4, -1, kNever},
    {13,
     "Classic Game \x96"
     " you may build the railway yourself.",
     kNoArrow, 0, 4, 0, kNever},
    {14,
     "The train and the city are of different colours. The train will be returned to the "
     "track.",
     kArrowBeside, 0, 1, -1, kNever},
    {15, "The train will show up now!", kArrowBeside, 0, 4, 0, kNever},
    {16, "The train is waiting to start from the city, but the line is busy.", kArrowBeside, 0, 4,
     0, kNever},
    {17,
     "This is a 'crazy' train. It doesn't stop at danger signals and crashes on closed "
     "switches.",
     kArrowBeside, 0, 1, -1, kNever},
    {18, "'Crazy' train may be routed to any city.", kArrowBeside, 0, 1, -1, kNever},
    {0, nullptr, 0, 0, 0, 0, 0},  // the spare record, saved and loaded with the others
}};

}  // namespace

const std::array<TipRecord, kTipRecords>& TipTable() { return kTable; }

const char* TipText(int number) {
  if (number < 0 || number >= kTipRecords || !kTable[number].Text) return "";
  return kTable[number].Text;
}
