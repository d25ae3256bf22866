// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the start-up system report says about the machine: operating system,
// processors, video card, desktop, memory and folders. Gathered on Linux from
// uname, /proc, /sys and the window system; a value that cannot be read stays
// empty (or zero) and the report leaves its line out.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct ProcessorInfo {
  std::string name;        // "model name"
  std::string identifier;  // "family F model M stepping S"
  std::string vendor;      // "vendor_id"
  uint32_t mhz = 0;        // "cpu MHz", truncated
};

// Amounts in bytes.
struct MemoryInfo {
  bool known = false;
  uint32_t loadPercent = 0;  // share of physical memory in use
  uint64_t physicalAvailable = 0;
  uint64_t physicalTotal = 0;
  uint64_t pagingAvailable = 0;  // swap
  uint64_t pagingTotal = 0;
  bool virtualKnown = false;  // only when the address space is limited
  uint64_t virtualAvailable = 0;
  uint64_t virtualTotal = 0;
};

struct VideoCardInfo {
  bool present = false;
  std::string name;        // PCI vendor and device ids
  std::string driverFile;  // kernel driver
  std::string version;
  std::string videoBios;
  std::string chipType;
  std::string dacType;
  uint64_t memoryBytes = 0;  // 0 when unknown
};

struct ScreenInfo {
  bool known = false;
  int32_t width = 0;
  int32_t height = 0;
  int32_t bits = 0;
};

struct SystemInfo {
  std::string osLine;  // e.g. "Linux 6.1.0-13-amd64 x86_64"; empty when unknown
  int32_t processorCount = 0;
  std::vector<ProcessorInfo> processors;  // may hold fewer than processorCount
  VideoCardInfo video;
  ScreenInfo screen;
  MemoryInfo memory;
  std::string windowsPath;  // no equivalent on Linux: left empty
  std::string systemPath;   // no equivalent on Linux: left empty
  std::string programPath;  // the current working folder
};

// One entry per "processor" block of a /proc/cpuinfo text.
std::vector<ProcessorInfo> ParseCpuInfo(const std::string& text);

// Physical memory, swap and load from a /proc/meminfo text (virtual left unknown).
MemoryInfo ParseMemInfo(const std::string& text);

// The first "cardN" of a DRM class folder that has a PCI device.
VideoCardInfo ReadVideoCard(const std::string& drmFolder = "/sys/class/drm");

// Everything above for this process and machine. Safe under any video driver: the
// desktop is asked of SDL when its video is running, else of the X server unless
// the video driver is the dummy one.
SystemInfo GatherSystemInfo();

}  // namespace platform
