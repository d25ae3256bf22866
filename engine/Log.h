// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's two text streams and the reports written into the log at start.
// The log is standard error; standard output carries the archive, parameter store
// and video start messages. Both go to files in the working folder once the frame
// calls RedirectLogStreams (tests never do, so their output stays on the console).
#include <cstdint>
#include <cstdio>
#include <iosfwd>
#include <string>

#include "platform/SystemInfo.h"

// 64 '=' characters and a line break.
extern const char kRuleLine[];

// Sends standard output to folder/"stdout.txt" (line-buffered) and standard error
// to folder/"stderr.txt" (unbuffered), both created anew. A stream whose file
// cannot be created stays where it was, with a warning line there; false then. Each
// redirected stream starts with the line "Log files: <folder>/stdout.txt and
// <folder>/stderr.txt" (the folder made absolute); when standard error was a
// terminal, it is kept for LogFatal and told the same line. A file that refuses even
// that first line (a full disk) is given up at once, as CheckLogStreams does.
bool RedirectLogStreams(const std::string& folder = ".");

// A redirected stream whose file refused a write since the last check (a full disk)
// goes back to where it pointed before RedirectLogStreams, the terminal the program
// was started from, and its first line there says that the file cannot be written.
// Lines refused before the check are lost. True when standard error went back just
// now. Cheap enough to call once a frame; nothing happens without RedirectLogStreams.
bool CheckLogStreams();

// A line about an error that ends the program: written to the log stream (standard
// error, or standard output for the messages that go there) with a line break, and
// also to the terminal the program was started from, when the log streams were
// redirected away from one. A log file that refuses the line is given up for the
// terminal, which then gets the line.
void LogFatal(const std::string& line, std::FILE* log = stderr);

// A line about a fallback the program goes on after, which a player at a terminal
// should see at once: written to the log and the terminal as LogFatal writes it.
void LogWarning(const std::string& line);

void WriteRuleLine(std::ostream& log);

// The rule line, "Exit. Ok." and the rule line again.
void WriteExitLines(std::ostream& log);
void WriteExitLines();  // to the log

// The system report from the given sources, and from this machine to the log.
void WriteSystemReport(std::ostream& log, const platform::SystemInfo& info);
void WriteSystemReport();

// What the video report shows, as the video library describes itself.
struct VideoReportInfo {
  std::string driverName;  // empty when the library names none
  bool hasInfo = false;    // the library gave its video information
  bool hardwareSurfaces = false;
  bool windowManager = false;
  bool blitHw = false;
  bool blitHwColorkey = false;
  bool blitHwAlpha = false;
  bool blitSw = false;
  bool blitSwColorkey = false;
  bool blitSwAlpha = false;
  bool blitFill = false;
  uint32_t videoMemoryKb = 0;
  bool hasFormat = false;
  uint32_t bitsPerPixel = 0;
  uint32_t bytesPerPixel = 0;
  uint32_t colorkey = 0;
  uint32_t alpha = 0;
};

// The current state of the video library (harmless when it is not started).
VideoReportInfo CollectVideoReportInfo();

void WriteVideoReport(std::ostream& log, const VideoReportInfo& info);
void WriteVideoReport();  // the current state, to the log
