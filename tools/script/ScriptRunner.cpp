// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/script/ScriptRunner.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "railway/FieldReport.h"
#include "railway/Train.h"

namespace script {

std::string Clean(const std::string& raw) {
  std::string line = raw.substr(0, raw.find('#'));
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) {
    line.pop_back();
  }
  return line;
}

int RunFile(const char* tool, const char* path,
            const std::function<bool(const std::string&)>& run) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "%s: cannot read %s\n", tool, path);
    return 2;
  }
  std::string raw;
  int number = 0;
  while (std::getline(in, raw)) {
    ++number;
    const std::string line = Clean(raw);
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    std::printf("> %s\n", line.c_str());
    if (!run(line)) {
      std::fflush(stdout);
      std::fprintf(stderr, "%s:%d: cannot run: %s\n", path, number, line.c_str());
      return 2;
    }
  }
  return 0;
}

bool Colour(const std::string& word, int& colour) {
  for (int i = 0; i < 8; ++i) {
    if (word == ColourName(i)) {
      colour = i;
      return true;
    }
  }
  if (word.empty()) return false;
  char* end = nullptr;
  const long value = std::strtol(word.c_str(), &end, 10);
  if (!end || *end != '\0' || value < -1000 || value > 1000) return false;
  colour = static_cast<int>(value);
  return true;
}

bool Kind(const std::string& word, TrainKind& kind) {
  for (TrainKind i : {TrainKind::kOrdinary, TrainKind::kRepair, TrainKind::kCrazy}) {
    if (word == report::KindName(i)) {
      kind = i;
      return true;
    }
  }
  return false;
}

void Event(int time, const std::string& text) { std::printf("@%d %s\n", time, text.c_str()); }

std::string Printable(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 32 && c < 127) {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

}  // namespace script
