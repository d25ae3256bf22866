// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Log.h"

#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "core/Files.h"
#include "platform/Terminal.h"

const char kRuleLine[] = "================================================================\n";
static_assert(sizeof(kRuleLine) == 66, "64 '=' characters and a line break");

namespace {

constexpr uint64_t kMegabyte = 1000000;

// One standard stream sent to a log file, and where it pointed before, so that it can
// go back there when the file cannot be written.
struct LogFile {
  int descriptor;     // STDOUT_FILENO or STDERR_FILENO
  std::string path;   // the file, made absolute, for the messages
  int original = -1;  // a copy of the descriptor before the file took it; -1 when not
                      // redirected
  FILE* Stream() const { return descriptor == STDOUT_FILENO ? stdout : stderr; }
};

LogFile g_logFiles[] = {{STDOUT_FILENO, "", -1}, {STDERR_FILENO, "", -1}};

LogFile& LogFileOf(std::FILE* stream) { return g_logFiles[stream == stdout ? 0 : 1]; }

// The C++ streams stop for good once a write failed; the stream's lines go on.
void ClearCppStreams(int descriptor) {
  if (descriptor == STDOUT_FILENO) {
    std::cout.clear();
  } else {
    std::cerr.clear();
    std::clog.clear();
  }
}

// Points one standard stream's descriptor at a new file, keeping a copy of where it
// pointed. When the file cannot be created, the stream stays and says so there.
bool RedirectStream(LogFile& file) {
  const int fd = ::open(file.path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    std::fprintf(file.Stream(), "Warning: cannot create the log file %s (%s); its lines go here.\n",
                 file.path.c_str(), std::strerror(errno));
    std::fflush(file.Stream());
    return false;
  }
  std::fflush(file.Stream());
  // Close-on-exec: helper programs get the log streams, not the terminal.
  const int original =
      file.original >= 0 ? file.original : ::fcntl(file.descriptor, F_DUPFD_CLOEXEC, 3);
  const bool ok = ::dup2(fd, file.descriptor) >= 0;
  ::close(fd);
  if (ok) {
    file.original = original;
    // Only failures of the file count from here on.
    std::clearerr(file.Stream());
    ClearCppStreams(file.descriptor);
  } else if (original >= 0 && original != file.original) {
    ::close(original);
  }
  return ok;
}

// A stream whose file refused a write goes back to where it pointed before, with a
// line there that says so. True when it went back just now.
bool FallBackWhenUnwritten(LogFile& file) {
  FILE* stream = file.Stream();
  if (file.original < 0 || !std::ferror(stream)) return false;
  ::dup2(file.original, file.descriptor);
  ::close(file.original);
  file.original = -1;
  std::clearerr(stream);
  ClearCppStreams(file.descriptor);
  // Standard error back on the terminal shows the terminal's lines already.
  if (file.descriptor == STDERR_FILENO) platform::ForgetTerminal();
  std::fprintf(stream, "Warning: cannot write the log file %s; its lines go here from now on.\n",
               file.path.c_str());
  std::fflush(stream);
  return true;
}

void WriteProcessors(std::ostream& log, const platform::SystemInfo& info) {
  log << "Processor:\n";
  log << "NumberOfProcessors: " << info.processorCount << "\n";
  for (int32_t i = 0; i < info.processorCount; ++i) {
    if (static_cast<size_t>(i) >= info.processors.size()) break;
    const platform::ProcessorInfo& cpu = info.processors[static_cast<size_t>(i)];
    if (cpu.name.empty()) continue;
    log << "\tType: " << cpu.name << "\n";
    if (!cpu.identifier.empty()) log << "\tID: " << cpu.identifier << "\n";
    if (!cpu.vendor.empty()) log << "\tVendor: " << cpu.vendor << "\n";
    if (cpu.mhz > 0) log << "\tClock: " << cpu.mhz << " MHz\n";
  }
}

void WriteVideoCard(std::ostream& log, const platform::VideoCardInfo& card) {
  if (!card.present) return;
  log << "Video card\n";
  const std::pair<const char*, const std::string*> lines[] = {
      {"\tName: ", &card.name},          {"\tDriver file: ", &card.driverFile},
      {"\tVersion: ", &card.version},    {"\tVideo Bios: ", &card.videoBios},
      {"\tChip type: ", &card.chipType}, {"\tDAC type: ", &card.dacType}};
  for (const auto& [label, text] : lines) {
    if (!text->empty()) log << label << *text << "\n";
  }
  if (card.memoryBytes > 0) {
    log << "\tVideo memory: " << (card.memoryBytes >> 20) << " MB\n";
  }
}

void WriteAmount(std::ostream& log, const char* label, uint64_t available, uint64_t total) {
  log << label << available / kMegabyte << " of " << total / kMegabyte << " Mb\n";
}

void WriteMemory(std::ostream& log, const platform::MemoryInfo& memory) {
  log << "Memory allocation\n";
  if (!memory.known) return;
  log << "  memory use:  " << memory.loadPercent << "\n";
  WriteAmount(log, "  physical memory: ", memory.physicalAvailable, memory.physicalTotal);
  WriteAmount(log, "  paging file:    ", memory.pagingAvailable, memory.pagingTotal);
  if (memory.virtualKnown) {
    WriteAmount(log, "  virtual memory:  ", memory.virtualAvailable, memory.virtualTotal);
  }
}

void WriteFolders(std::ostream& log, const platform::SystemInfo& info) {
  if (!info.windowsPath.empty()) log << "Windows path " << info.windowsPath << "\n";
  if (!info.systemPath.empty()) log << "System  path " << info.systemPath << "\n";
  if (!info.programPath.empty()) log << "Programm path " << info.programPath << "\n\n";
}

}  // namespace

bool RedirectLogStreams(const std::string& folder) {
  const std::string absolute = core::AbsolutePath(folder.empty() ? "." : folder);
  const std::string prefix = absolute.back() == '/' ? absolute : absolute + "/";
  LogFile& output = LogFileOf(stdout);
  LogFile& log = LogFileOf(stderr);
  output.path = prefix + "stdout.txt";
  log.path = prefix + "stderr.txt";
  bool ok = RedirectStream(output);
  // Line buffering needs a buffer of our own: without one the C library may keep
  // the full buffering the stream started with.
  static char outputBuffer[BUFSIZ];
  if (ok) std::setvbuf(stdout, outputBuffer, _IOLBF, sizeof outputBuffer);
  platform::KeepTerminal();
  const bool errorOk = RedirectStream(log);
  if (errorOk) std::setvbuf(stderr, nullptr, _IONBF, 0);
  // Standard error still on the terminal shows everything there already.
  if (!errorOk) platform::ForgetTerminal();
  const std::string place = "Log files: " + output.path + " and " + log.path;
  if (ok) std::printf("%s\n", place.c_str());
  if (errorOk) std::fprintf(stderr, "%s\n", place.c_str());
  // A full disk may take the files and then refuse every line.
  ok = !FallBackWhenUnwritten(output) && ok;
  const bool logWritten = !FallBackWhenUnwritten(log) && errorOk;
  platform::TellTerminal(place);
  return ok && logWritten;
}

bool CheckLogStreams() {
  FallBackWhenUnwritten(LogFileOf(stdout));
  return FallBackWhenUnwritten(LogFileOf(stderr));
}

void LogFatal(const std::string& line, std::FILE* log) {
  std::fprintf(log, "%s\n", line.c_str());
  std::fflush(log);
  // A log that refused the line takes it again on the terminal, where it now goes.
  if (FallBackWhenUnwritten(LogFileOf(log))) {
    std::fprintf(log, "%s\n", line.c_str());
    std::fflush(log);
    return;
  }
  platform::TellTerminal(line);
}

void LogWarning(const std::string& line) { LogFatal(line); }

void WriteRuleLine(std::ostream& log) { log << kRuleLine; }

void WriteExitLines(std::ostream& log) {
  WriteRuleLine(log);
  log << "Exit. Ok.\n";
  WriteRuleLine(log);
}

void WriteExitLines() { WriteExitLines(std::cerr); }

void WriteSystemReport(std::ostream& log, const platform::SystemInfo& info) {
  log << "===================== System info ==============================\n";
  if (!info.osLine.empty()) log << info.osLine << " detected.\n";
  WriteProcessors(log, info);
  WriteVideoCard(log, info.video);
  if (info.screen.known) {
    log << "Screen: " << info.screen.width << "x" << info.screen.height << "x" << info.screen.bits
        << "\n";
  }
  WriteMemory(log, info.memory);
  WriteFolders(log, info);
  WriteRuleLine(log);
}

void WriteSystemReport() {
  WriteSystemReport(std::cerr, platform::GatherSystemInfo());
  std::cerr.flush();
}

VideoReportInfo CollectVideoReportInfo() {
  VideoReportInfo report;
  char name[128] = {};
  if (SDL_VideoDriverName(name, sizeof name) != nullptr) report.driverName = name;
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return report;
  const SDL_VideoInfo* info = SDL_GetVideoInfo();
  if (info == nullptr) return report;
  report.hasInfo = true;
  report.hardwareSurfaces = info->hw_available;
  report.windowManager = info->wm_available;
  report.blitHw = info->blit_hw;
  report.blitHwColorkey = info->blit_hw_CC;
  report.blitHwAlpha = info->blit_hw_A;
  report.blitSw = info->blit_sw;
  report.blitSwColorkey = info->blit_sw_CC;
  report.blitSwAlpha = info->blit_sw_A;
  report.blitFill = info->blit_fill;
  report.videoMemoryKb = info->video_mem;
  // Once a mode is set its surface's format is the current one; the library's own
  // video information may keep describing the desktop (as sdl12-compat does).
  const SDL_Surface* screen = SDL_GetVideoSurface();
  const SDL_PixelFormat* format = screen != nullptr ? screen->format : info->vfmt;
  if (format != nullptr) {
    report.hasFormat = true;
    report.bitsPerPixel = format->BitsPerPixel;
    report.bytesPerPixel = format->BytesPerPixel;
    report.colorkey = format->colorkey;
    report.alpha = format->alpha;
  }
  return report;
}

void WriteVideoReport(std::ostream& log, const VideoReportInfo& info) {
  log << "====================== Video info ==============================\n";
  if (!info.driverName.empty()) log << "Name of the video driver: " << info.driverName << "\n";
  log << "Initialized video info:\n";
  if (info.hasInfo) {
    const std::pair<const char*, bool> flags[] = {
        {"Is it possible to create hardware surfaces? . . . . .", info.hardwareSurfaces},
        {"Is there a window manager available . . . . . . . . .", info.windowManager},
        {"Are hardware to hardware blits accelerated? . . . . .", info.blitHw},
        {"Are hardware to hardware colorkey blits accelerated? ", info.blitHwColorkey},
        {"Are hardware to hardware alpha blits accelerated? . .", info.blitHwAlpha},
        {"Are software to hardware blits accelerated? . . . . .", info.blitSw},
        {"Are software to hardware colorkey blits accelerated? ", info.blitSwColorkey},
        {"Are software to hardware alpha blits accelerated? . .", info.blitSwAlpha},
        {"Are color fills accelerated?  . . . . . . . . . . . .", info.blitFill}};
    for (const auto& [label, value] : flags) log << label << (value ? 1 : 0) << "\n";
    log << "Total amount of video memory in Kilobytes . . . . . ." << info.videoMemoryKb << "\n";
    log << "\n";
    if (info.hasFormat) {
      log << "BitsPerPixel  " << info.bitsPerPixel << "\n";
      log << "BytesPerPixel " << info.bytesPerPixel << "\n";
      log << "colorkey      " << info.colorkey << "\n";
      log << "alpha         " << info.alpha << "\n";
    }
  }
  WriteRuleLine(log);
}

void WriteVideoReport() {
  WriteVideoReport(std::cerr, CollectVideoReportInfo());
  std::cerr.flush();
}
