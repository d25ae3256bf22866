// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemInfo.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <limits.h>
#include <sys/resource.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/Files.h"
#include "platform/Window.h"

namespace platform {
namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  const size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

// Splits "key<TAB>: value" lines; false for lines without a colon.
bool SplitField(const std::string& line, std::string& key, std::string& value) {
  const size_t colon = line.find(':');
  if (colon == std::string::npos) return false;
  key = Trim(line.substr(0, colon));
  value = Trim(line.substr(colon + 1));
  return true;
}

// Adds the family/model/stepping fields gathered for one processor.
void FinishProcessor(ProcessorInfo& cpu, const std::string& family, const std::string& model,
                     const std::string& stepping) {
  if (family.empty()) return;
  cpu.identifier = "family " + family;
  if (!model.empty()) cpu.identifier += " model " + model;
  if (!stepping.empty()) cpu.identifier += " stepping " + stepping;
}

// A /proc/meminfo amount ("1234 kB") in bytes.
uint64_t KiloBytes(const std::string& value) {
  return std::strtoull(value.c_str(), nullptr, 10) * 1024;
}

std::string OsLine() {
  utsname names{};
  if (::uname(&names) != 0) return "";
  return std::string(names.sysname) + " " + names.release + " " + names.machine;
}

std::string WorkingFolder() {
  char path[PATH_MAX];
  return ::getcwd(path, sizeof path) != nullptr ? std::string(path) : std::string();
}

// The limit of the address space and how much of it is still free.
void ReadVirtualMemory(MemoryInfo& memory) {
  rlimit limit{};
  if (::getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return;
  uint64_t used = 0;
  std::istringstream status(ReadText("/proc/self/status"));
  for (std::string line, key, value; std::getline(status, line);) {
    if (SplitField(line, key, value) && key == "VmSize") used = KiloBytes(value);
  }
  memory.virtualKnown = true;
  memory.virtualTotal = limit.rlim_cur;
  memory.virtualAvailable = limit.rlim_cur > used ? limit.rlim_cur - used : 0;
}

bool ScreenFromSdl(ScreenInfo& screen) {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return false;
  const SDL_VideoInfo* info = SDL_GetVideoInfo();
  if (info == nullptr || info->vfmt == nullptr || info->current_w <= 0 || info->current_h <= 0) {
    return false;
  }
  screen = {true, info->current_w, info->current_h, info->vfmt->BitsPerPixel};
  return true;
}

bool ScreenFromX11(ScreenInfo& screen) {
  if (IsDummyVideo()) return false;
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') return false;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  const int number = DefaultScreen(display);
  screen = {true, DisplayWidth(display, number), DisplayHeight(display, number),
            DefaultDepth(display, number)};
  XCloseDisplay(display);
  return screen.width > 0 && screen.height > 0;
}

bool IsCardName(const std::string& name) {
  return name.size() > 4 && name.compare(0, 4, "card") == 0 &&
         std::all_of(name.begin() + 4, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::vector<ProcessorInfo> ParseCpuInfo(const std::string& text) {
  std::vector<ProcessorInfo> cpus;
  std::string family, model, stepping;
  std::istringstream lines(text);
  for (std::string line, key, value; std::getline(lines, line);) {
    if (!SplitField(line, key, value)) continue;
    if (key == "processor") {
      if (!cpus.empty()) FinishProcessor(cpus.back(), family, model, stepping);
      cpus.emplace_back();
      family.clear();
      model.clear();
      stepping.clear();
      continue;
    }
    if (cpus.empty()) continue;
    ProcessorInfo& cpu = cpus.back();
    if (key == "model name") cpu.name = value;
    if (key == "vendor_id") cpu.vendor = value;
    if (key == "cpu MHz") cpu.mhz = static_cast<uint32_t>(std::strtod(value.c_str(), nullptr));
    if (key == "cpu family") family = value;
    if (key == "model") model = value;
    if (key == "stepping") stepping = value;
  }
  if (!cpus.empty()) FinishProcessor(cpus.back(), family, model, stepping);
  return cpus;
}

MemoryInfo ParseMemInfo(const std::string& text) {
  MemoryInfo memory;
  bool total = false;
  bool available = false;
  uint64_t free = 0;
  std::istringstream lines(text);
  for (std::string line, key, value; std::getline(lines, line);) {
    if (!SplitField(line, key, value)) continue;
    if (key == "MemTotal") {
      memory.physicalTotal = KiloBytes(value);
      total = true;
    }
    if (key == "MemAvailable") {
      memory.physicalAvailable = KiloBytes(value);
      available = true;
    }
    if (key == "MemFree") free = KiloBytes(value);
    if (key == "SwapTotal") memory.pagingTotal = KiloBytes(value);
    if (key == "SwapFree") memory.pagingAvailable = KiloBytes(value);
  }
  if (!available) memory.physicalAvailable = free;
  memory.known = total && memory.physicalTotal > 0;
  if (memory.known) {
    const uint64_t used =
        memory.physicalTotal - std::min(memory.physicalAvailable, memory.physicalTotal);
    memory.loadPercent = static_cast<uint32_t>(used * 100 / memory.physicalTotal);
  }
  return memory;
}

VideoCardInfo ReadVideoCard(const std::string& drmFolder) {
  VideoCardInfo card;
  std::vector<std::string> names = core::ListFolder(drmFolder);
  names.erase(std::remove_if(names.begin(), names.end(),
                             [](const std::string& n) { return !IsCardName(n); }),
              names.end());
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
  });
  for (const std::string& name : names) {
    const std::string device = drmFolder + "/" + name + "/device";
    const std::string vendor = Trim(ReadText(device + "/vendor"));
    const std::string product = Trim(ReadText(device + "/device"));
    if (vendor.empty() || product.empty()) continue;
    card.present = true;
    card.name = "PCI vendor " + vendor + " device " + product;
    char target[PATH_MAX] = {};
    const ssize_t length = ::readlink((device + "/driver").c_str(), target, sizeof target - 1);
    if (length > 0) {
      const std::string driver(target, static_cast<size_t>(length));
      card.driverFile = driver.substr(driver.rfind('/') + 1);
    }
    card.memoryBytes =
        std::strtoull(ReadText(device + "/mem_info_vram_total").c_str(), nullptr, 10);
    break;
  }
  return card;
}

SystemInfo GatherSystemInfo() {
  SystemInfo info;
  info.osLine = OsLine();
  info.processors = ParseCpuInfo(ReadText("/proc/cpuinfo"));
  info.processorCount = static_cast<int32_t>(info.processors.size());
  if (info.processorCount == 0) {
    info.processorCount = static_cast<int32_t>(std::max(0L, ::sysconf(_SC_NPROCESSORS_CONF)));
  }
  info.video = ReadVideoCard();
  if (!ScreenFromSdl(info.screen)) ScreenFromX11(info.screen);
  info.memory = ParseMemInfo(ReadText("/proc/meminfo"));
  ReadVirtualMemory(info.memory);
  info.programPath = WorkingFolder();
  return info;
}

}  // namespace platform
