// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names of the sound effects, by which the field and the screens ask for a sound.

// The effects by their index in the effect table (three samples of one crash sound,
// so that crashes can sound over each other).
namespace snd {
constexpr int GlassBtn = 0;
constexpr int Button = 1;
constexpr int CallServer = 2;
constexpr int Telex = 3;
constexpr int NewTrainSemafor = 4;
constexpr int Repair = 5;
constexpr int NewBad = 6;
constexpr int WaitTrain = 7;
constexpr int NewTrain = 8;
constexpr int Switch = 9;
constexpr int Light = 10;
constexpr int NexTrack = 11;
constexpr int Mode = 12;
constexpr int BadGame = 13;
constexpr int Crash = 14;
constexpr int Crash2 = 15;
constexpr int Crash3 = 16;
constexpr int NewTown = 17;
constexpr int ServerLock = 18;
constexpr int SwitchLock = 19;
constexpr int ReturnTrain = 20;
constexpr int SetTrack = 21;
constexpr int BuildTrack = 22;
constexpr int Tips = 23;
}  // namespace snd
