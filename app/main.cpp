// SPDX-License-Identifier: GPL-3.0-or-later
// Entry point of Ostrel Trains: the frame in app/ does all the work.
#include "app/Frame.h"

int main(int argc, char** argv) { return RunGame(argc, argv); }
