// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/KeyLines.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/Files.h"

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trimmed(const std::string& s) {
  size_t begin = 0;
  size_t end = s.size();
  while (begin < end && IsBlank(s[begin])) ++begin;
  while (end > begin && IsBlank(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

bool HasControl(const std::string& line) {
  for (const char c : line) {
    const auto u = static_cast<unsigned char>(c);
    if ((u < 0x20 && c != '\t') || u == 0x7f) return true;
  }
  return false;
}
}  // namespace

std::string LineError(const std::string& file, int line, const std::string& reason) {
  return file + ":" + std::to_string(line) + ": " + reason;
}

std::optional<std::vector<KeyLine>> SplitKeyLines(const std::string& text, const std::string& file,
                                                  std::string& why) {
  std::vector<KeyLine> lines;
  size_t start = 0;
  for (int number = 1; start < text.size(); ++number) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > kMaxKeyLineLength) {
      why =
          LineError(file, number,
                    "the line is longer than " + std::to_string(kMaxKeyLineLength) + " characters");
      return std::nullopt;
    }
    if (HasControl(line)) {
      why = LineError(file, number, "the line holds a control character");
      return std::nullopt;
    }
    line = Trimmed(line);
    if (line.empty() || line[0] == '#') continue;
    size_t gap = 0;
    while (gap < line.size() && !IsBlank(line[gap])) ++gap;
    lines.push_back({number, line.substr(0, gap), Trimmed(line.substr(gap))});
  }
  return lines;
}

int LastLineNumber(const std::string& text) {
  int lines = 1;
  for (size_t i = 0; i + 1 < text.size(); ++i) lines += text[i] == '\n';
  return lines;
}

std::string WithoutComment(const std::string& value) {
  return Trimmed(value.substr(0, value.find('#')));
}

namespace {

template <typename Int>
std::optional<Int> WholeInteger(const std::string& value) {
  Int n = 0;
  const char* end = value.data() + value.size();
  const auto [after, error] = std::from_chars(value.data(), end, n);
  if (error != std::errc() || after != end) return std::nullopt;
  return n;
}

}  // namespace

std::optional<int> WholeInt(const std::string& value) { return WholeInteger<int>(value); }

std::optional<int64_t> WholeInt64(const std::string& value) { return WholeInteger<int64_t>(value); }

std::optional<double> WholeReal(const std::string& value) {
  double x = 0;
  const char* end = value.data() + value.size();
  const auto [after, error] = std::from_chars(value.data(), end, x);
  if (error != std::errc() || after != end || !std::isfinite(x)) return std::nullopt;
  return x;
}

std::string RealText(double value) {
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return error == std::errc() ? std::string(buffer, end) : std::string("0");
}

std::string BaseName(const std::string& path, const std::string& suffix) {
  const size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.size() > suffix.size() &&
      name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
    name.resize(name.size() - suffix.size());
  }
  return name;
}

std::optional<std::string> ReadTextFile(const std::string& path, size_t maxBytes,
                                        std::string& why) {
  FILE* f = core::OpenRegularFile(path);
  if (!f) {
    why = LineError(path, 1, "cannot be opened as a file");
    return std::nullopt;
  }
  std::string text;
  const bool read = core::ReadWhole(f, text, maxBytes);
  std::fclose(f);
  if (!read) {
    why = LineError(path, 1,
                    "cannot be read, or is larger than " + std::to_string(maxBytes / 1024) + " KB");
    return std::nullopt;
  }
  return text;
}
