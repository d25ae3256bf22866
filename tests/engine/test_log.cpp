// SPDX-License-Identifier: GPL-3.0-or-later
#include <SDL.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <type_traits>

#include "engine/Log.h"

namespace {

const std::string kRule(64, '=');

platform::SystemInfo SampleMachine() {
  platform::SystemInfo info;
  info.osLine = "Linux 6.1.0 x86_64";
  info.processorCount = 2;
  info.processors = {{"Fast CPU", "family 6 model 158 stepping 10", "GenuineIntel", 3600},
                     {"Fast CPU", "", "", 0}};
  info.video.present = true;
  info.video.name = "PCI vendor 0x8086 device 0x3e92";
  info.video.driverFile = "i915";
  info.video.memoryBytes = 256u << 20;
  info.screen = {true, 1920, 1080, 24};
  info.memory.known = true;
  info.memory.loadPercent = 37;
  info.memory.physicalAvailable = 5'999'999'999;
  info.memory.physicalTotal = 16'000'000'000;
  info.memory.pagingAvailable = 2'000'000;
  info.memory.pagingTotal = 2'500'000;
  info.programPath = "/home/player/ostrel";
  return info;
}

TEST(SystemReport, WritesEveryKnownLineInOrder) {
  std::ostringstream log;
  WriteSystemReport(log, SampleMachine());
  EXPECT_EQ(log.str(),
            "===================== System info ==============================\n"
            "Linux 6.1.0 x86_64 detected.\n"
            "Processor:\n"
            "NumberOfProcessors: 2\n"
            "\tType: Fast CPU\n"
            "\tID: family 6 model 158 stepping 10\n"
            "\tVendor: GenuineIntel\n"
            "\tClock: 3600 MHz\n"
            "\tType: Fast CPU\n"
            "Video card\n"
            "\tName: PCI vendor 0x8086 device 0x3e92\n"
            "\tDriver file: i915\n"
            "\tVideo memory: 256 MB\n"
            "Screen: 1920x1080x24\n"
            "Memory allocation\n"
            "  memory use:  37\n"
            "  physical memory: 5999 of 16000 Mb\n"
            "  paging file:    2 of 2 Mb\n"
            "Programm path /home/player/ostrel\n"
            "\n" +
                kRule + "\n");
}

TEST(SystemReport, LeavesOutWhatCannotBeRead) {
  platform::SystemInfo info = SampleMachine();
  info.processors[0].name.clear();  // a processor without a name string
  info.processors.pop_back();       // and one not described at all
  info.osLine.clear();
  info.video = {};
  info.screen = {};
  info.memory.virtualKnown = true;
  info.memory.virtualAvailable = 3'000'000'000;
  info.memory.virtualTotal = 4'294'967'295;
  info.windowsPath = "/";
  info.systemPath = "/usr/lib";
  std::ostringstream log;
  WriteSystemReport(log, info);
  const std::string text = log.str();
  EXPECT_NE(text.find("Processor:\nNumberOfProcessors: 2\nMemory allocation\n"), std::string::npos)
      << text;
  EXPECT_EQ(text.find("\tType: "), std::string::npos);
  EXPECT_EQ(text.find("detected"), std::string::npos);
  EXPECT_EQ(text.find("Video card"), std::string::npos);
  EXPECT_EQ(text.find("Screen: "), std::string::npos);
  EXPECT_NE(text.find("  virtual memory:  3000 of 4294 Mb\n"), std::string::npos);
  EXPECT_NE(text.find("Windows path /\nSystem  path /usr/lib\nProgramm path "), std::string::npos);

  info.memory = {};
  std::ostringstream bare;
  WriteSystemReport(bare, info);
  EXPECT_NE(bare.str().find("Memory allocation\nWindows path "), std::string::npos) << bare.str();
}

TEST(LogLines, RuleAndExitLines) {
  EXPECT_EQ(std::string(kRuleLine), kRule + "\n");
  std::ostringstream log;
  WriteExitLines(log);
  EXPECT_EQ(log.str(), kRule + "\nExit. Ok.\n" + kRule + "\n");
}

TEST(VideoReport, WritesLabelsAndFormat) {
  VideoReportInfo info;
  info.driverName = "x11";
  info.hasInfo = true;
  info.windowManager = true;
  info.blitFill = true;
  info.videoMemoryKb = 8192;
  info.hasFormat = true;
  info.bitsPerPixel = 16;
  info.bytesPerPixel = 2;
  info.colorkey = 0;
  info.alpha = 255;
  std::ostringstream log;
  WriteVideoReport(log, info);
  EXPECT_EQ(log.str(),
            "====================== Video info ==============================\n"
            "Name of the video driver: x11\n"
            "Initialized video info:\n"
            "Is it possible to create hardware surfaces? . . . . .0\n"
            "Is there a window manager available . . . . . . . . .1\n"
            "Are hardware to hardware blits accelerated? . . . . .0\n"
            "Are hardware to hardware colorkey blits accelerated? 0\n"
            "Are hardware to hardware alpha blits accelerated? . .0\n"
            "Are software to hardware blits accelerated? . . . . .0\n"
            "Are software to hardware colorkey blits accelerated? 0\n"
            "Are software to hardware alpha blits accelerated? . .0\n"
            "Are color fills accelerated?  . . . . . . . . . . . .1\n"
            "Total amount of video memory in Kilobytes . . . . . .8192\n"
            "\n"
            "BitsPerPixel  16\n"
            "BytesPerPixel 2\n"
            "colorkey      0\n"
            "alpha         255\n" +
                kRule + "\n");
}

TEST(VideoReport, WithoutVideoOnlyTheFrame) {
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) GTEST_SKIP() << "video already running";
  std::ostringstream log;
  WriteVideoReport(log, CollectVideoReportInfo());
  EXPECT_EQ(log.str(),
            "====================== Video info ==============================\n"
            "Initialized video info:\n" +
                kRule + "\n");
}

TEST(VideoReport, BeforeAndAfterTheModeIsSetDiffer) {
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
  std::ostringstream before;
  WriteVideoReport(before, CollectVideoReportInfo());
  ASSERT_NE(SDL_SetVideoMode(800, 600, 16, SDL_SWSURFACE), nullptr) << SDL_GetError();
  std::ostringstream after;
  WriteVideoReport(after, CollectVideoReportInfo());
  SDL_Quit();
  EXPECT_NE(before.str(), after.str());
  EXPECT_NE(after.str().find("Name of the video driver: "), std::string::npos);
  EXPECT_NE(after.str().find("BitsPerPixel  16\nBytesPerPixel 2\n"), std::string::npos)
      << after.str();
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A fresh folder, by its real path.
std::string MakeLogFolder() {
  char pattern[] = "/tmp/ot_log_XXXXXX";
  if (::mkdtemp(pattern) == nullptr) return "";
  char* real = ::realpath(pattern, nullptr);
  const std::string dir = real != nullptr ? real : pattern;
  std::free(real);
  return dir;
}

// Runs body in a child process whose standard error is fd (and standard output
// outFd, when given); its exit status, or body's result when it gives one.
template <typename Body>
int InChild(int fd, Body body, int outFd = -1) {
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child < 0) return -1;
  if (child == 0) {
    ::dup2(fd, STDERR_FILENO);
    if (outFd >= 0) ::dup2(outFd, STDOUT_FILENO);
    if constexpr (std::is_same_v<decltype(body()), void>) {
      body();
    } else {
      const int status = body();
      std::fflush(nullptr);
      ::_exit(status);
    }
    std::fflush(nullptr);
    ::_exit(0);
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// All a descriptor set to non-blocking has to give now.
std::string ReadAvailable(int fd) {
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
  std::string text;
  char buffer[512];
  ssize_t n = 0;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
  return text;
}

TEST(LogStreams, RedirectSendsBothStreamsToTheirFiles) {
  const std::string dir = MakeLogFolder();
  ASSERT_FALSE(dir.empty());
  std::fflush(nullptr);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (!RedirectLogStreams(dir)) ::_exit(1);
    std::printf("Error open file data.dat\n");
    std::fprintf(stderr, "Error init ClipLib.\n");
    std::cerr << "Exit";               // unbuffered: on disk at once
    std::printf("no line break yet");  // line-buffered: lost when the process dies
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const std::string where = "Log files: " + dir + "/stdout.txt and " + dir + "/stderr.txt\n";
  EXPECT_EQ(ReadFile(dir + "/stdout.txt"), where + "Error open file data.dat\n");
  EXPECT_EQ(ReadFile(dir + "/stderr.txt"), where + "Error init ClipLib.\nExit");
  std::system(("rm -rf '" + dir + "'").c_str());
}

// Started from a terminal, the program tells it where the log is and why it ends;
// started with standard error going elsewhere, the log files have it all.
TEST(LogStreams, FatalLinesAlsoReachTheTerminalTheProgramStartedFrom) {
  const std::string dir = MakeLogFolder();
  ASSERT_FALSE(dir.empty());
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  const int terminal = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
  ASSERT_GE(terminal, 0);
  auto run = [&] {
    RedirectLogStreams(dir);
    LogFatal("Unable to initialize SDL: no video", stdout);
    LogFatal("Error init ClipLib.");
  };

  EXPECT_EQ(InChild(terminal, run), 0);
  const std::string shown = ReadAvailable(master);
  EXPECT_NE(shown.find("ostrel-trains: Log files: " + dir + "/stdout.txt and "), std::string::npos)
      << shown;
  EXPECT_NE(shown.find("ostrel-trains: Unable to initialize SDL: no video\r\n"
                       "ostrel-trains: Error init ClipLib.\r\n"),
            std::string::npos)
      << shown;
  EXPECT_NE(ReadFile(dir + "/stdout.txt").find("\nUnable to initialize SDL: no video\n"),
            std::string::npos);
  EXPECT_NE(ReadFile(dir + "/stderr.txt").find("\nError init ClipLib.\n"), std::string::npos);
  ::close(terminal);
  ::close(master);

  int pipe[2];
  ASSERT_EQ(::pipe(pipe), 0);
  EXPECT_EQ(InChild(pipe[1], run), 0);
  ::close(pipe[1]);
  EXPECT_EQ(ReadAvailable(pipe[0]), "");
  EXPECT_NE(ReadFile(dir + "/stderr.txt").find("\nError init ClipLib.\n"), std::string::npos);
  ::close(pipe[0]);
  std::system(("rm -rf '" + dir + "'").c_str());
}

// Two pipes standing for the terminal's standard output and standard error.
struct Terminal {
  int out[2] = {-1, -1};
  int err[2] = {-1, -1};
  Terminal() {
    if (::pipe(out) != 0 || ::pipe(err) != 0) ADD_FAILURE() << "no pipes";
  }
  ~Terminal() {
    for (int fd : {out[0], out[1], err[0], err[1]}) ::close(fd);
  }
  template <typename Body>
  int Run(Body body) {
    const int status = InChild(err[1], body, out[1]);
    ::close(out[1]);
    ::close(err[1]);
    out[1] = err[1] = -1;
    return status;
  }
};

// A folder that cannot hold the files (here one under a regular file, which fails
// for root too) leaves the streams on the terminal, which is told so.
TEST(LogStreams, AFolderThatCannotTakeTheFilesLeavesTheStreams) {
  const std::string dir = MakeLogFolder();
  ASSERT_FALSE(dir.empty());
  std::ofstream(dir + "/file") << "a file, not a folder";
  Terminal terminal;
  EXPECT_EQ(terminal.Run([&] {
    const bool redirected = RedirectLogStreams(dir + "/file/log");
    std::printf("Error open file data.dat\n");
    std::fprintf(stderr, "Error init ClipLib.\n");
    return redirected ? 1 : 0;
  }),
            0);
  const std::string where = dir + "/file/log/";
  EXPECT_EQ(ReadAvailable(terminal.out[0]),
            "Warning: cannot create the log file " + where +
                "stdout.txt (Not a directory); its lines go here.\nError open file data.dat\n");
  EXPECT_EQ(ReadAvailable(terminal.err[0]),
            "Warning: cannot create the log file " + where +
                "stderr.txt (Not a directory); its lines go here.\nError init ClipLib.\n");
  std::system(("rm -rf '" + dir + "'").c_str());
}

// /dev/full takes every file and refuses every write, as a full disk does: the log
// goes back to the terminal before the first report, with one line saying why.
TEST(LogStreams, LogFilesOnAFullDiskGiveWayToTheTerminalAtOnce) {
  const std::string dir = MakeLogFolder();
  ASSERT_FALSE(dir.empty());
  ASSERT_EQ(::symlink("/dev/full", (dir + "/stdout.txt").c_str()), 0);
  ASSERT_EQ(::symlink("/dev/full", (dir + "/stderr.txt").c_str()), 0);
  Terminal terminal;
  EXPECT_EQ(terminal.Run([&] {
    const bool redirected = RedirectLogStreams(dir);
    std::printf("Error open file data.dat\n");
    std::fprintf(stderr, "Error init ClipLib.\n");
    std::cerr << "Exit. Ok.\n";
    return redirected || CheckLogStreams() ? 1 : 0;
  }),
            0);
  const std::string out = ReadAvailable(terminal.out[0]);
  EXPECT_NE(out.find("Warning: cannot write the log file " + dir +
                     "/stdout.txt; its lines go here from now on.\nError open file data.dat\n"),
            std::string::npos)
      << out;
  EXPECT_EQ(ReadAvailable(terminal.err[0]),
            "Warning: cannot write the log file " + dir +
                "/stderr.txt; its lines go here from now on.\nError init ClipLib.\nExit. Ok.\n");
  std::system(("rm -rf '" + dir + "'").c_str());
}

// A disk that fills up during the run: the next check (or a fatal line) gives the log
// up for the terminal; what the file took before stays in it.
TEST(LogStreams, ALogFileThatFillsUpGivesWayAtTheNextCheck) {
  const std::string dir = MakeLogFolder();
  ASSERT_FALSE(dir.empty());
  Terminal terminal;
  EXPECT_EQ(terminal.Run([&] {
    if (!RedirectLogStreams(dir)) return 1;
    std::fprintf(stderr, "Random seed: 5\n");
    if (CheckLogStreams()) return 2;
    // The files' descriptors now write where every write fails with ENOSPC.
    const int full = ::open("/dev/full", O_WRONLY);
    ::dup2(full, STDOUT_FILENO);
    ::dup2(full, STDERR_FILENO);
    ::close(full);
    std::cerr << "Error. Field::AddInitialTowns.\n";  // refused: lost
    if (!CheckLogStreams() || CheckLogStreams()) return 3;
    std::cerr << "Error init ClipLib.\n";
    LogFatal("Unable to set video mode: no mode", stdout);
    return 0;
  }),
            0);
  EXPECT_EQ(ReadAvailable(terminal.err[0]),
            "Warning: cannot write the log file " + dir +
                "/stderr.txt; its lines go here from now on.\nError init ClipLib.\n");
  EXPECT_EQ(ReadAvailable(terminal.out[0]), "Warning: cannot write the log file " + dir +
                                                "/stdout.txt; its lines go here from now on.\n"
                                                "Unable to set video mode: no mode\n");
  EXPECT_NE(ReadFile(dir + "/stderr.txt").find("\nRandom seed: 5\n"), std::string::npos);
  std::system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace
