// SPDX-License-Identifier: GPL-3.0-or-later
// A library named as SDL 1.2 (libSDL-1.2.so.0) that holds none of SDL's functions. The
// tests labelled "once" whose programs link SDL find it first: they run on the classic
// library only, which is right only while they call no SDL function, and the first call
// of one ends such a test with a symbol lookup error.
extern "C" {
int ot_no_sdl_functions = 0;
}
