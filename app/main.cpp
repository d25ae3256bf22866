// SPDX-License-Identifier: GPL-3.0-or-later
// Entry point of Ostrel Trains: the frame in app/ does all the work.
#include "app/Frame.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitized game records whole allocation stacks. The system libraries keep no
// frame pointers, so the quick unwinder stops inside them and a leak of their own
// could not be told apart from one our code makes through them; whole stacks name the
// library function, which is what tests/lsan.supp lists.
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }
#endif

int main(int argc, char** argv) { return RunGame(argc, argv); }
