#pragma once
// The ready-built railways of the Puzzle levels: for each Puzzle record (100..105) the
// towns ("inner junction,track type" pairs) and the tracks ("junction,type" pairs).
#include <string>

struct PuzzleLayout {
  int index;
  const char* towns;
  const char* tracks;
};

// The layout of level record index (100..105), or none.
const PuzzleLayout* FindPuzzleLayout(int index);
