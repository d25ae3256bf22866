// SPDX-License-Identifier: GPL-3.0-or-later
// ot-params: shows a sealed parameter file as "key = value" lines, or writes one
// from such a listing.
//   ot-params show FILE
//   ot-params write FILE < listing
// In the listing '\' is written "\\", a line break "\n" and any other byte outside
// printable ASCII "\xHH"; in keys '=' is written "\x3D" too, so that the first
// " = " of a line always ends the key and every listing reads back byte for byte.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "core/LParams.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: ot-params show FILE\n       ot-params write FILE < listing\n");
  return 2;
}

std::string Escape(const std::string& text, bool key) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (byte < 0x20 || byte > 0x7E || (key && c == '=')) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool Unescape(const std::string& text, std::string& out) {
  out.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (i + 1 >= text.size()) return false;
    const char kind = text[++i];
    if (kind == '\\') {
      out += '\\';
    } else if (kind == 'n') {
      out += '\n';
    } else if (kind == 'x' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
               HexDigit(text[i + 2]) >= 0) {
      out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
      i += 2;
    } else {
      return false;
    }
  }
  return true;
}

int Show(const std::string& path) {
  LParams params;
  if (!params.OpenRead(path)) {
    std::fprintf(stderr, "ot-params: cannot read %s (missing, damaged or not a parameter file)\n",
                 path.c_str());
    return 1;
  }
  for (const auto& [key, value] : params.Entries()) {
    std::cout << Escape(key, true) << " = " << Escape(value, false) << '\n';
  }
  params.Close();
  return 0;
}

int Write(const std::string& path) {
  std::vector<std::pair<std::string, std::string>> entries;
  std::string line;
  for (int number = 1; std::getline(std::cin, line); ++number) {
    if (line.empty()) continue;
    const size_t split = line.find(" = ");
    std::pair<std::string, std::string> entry;
    if (split == std::string::npos || !Unescape(line.substr(0, split), entry.first) ||
        !Unescape(line.substr(split + 3), entry.second)) {
      std::fprintf(stderr, "ot-params: line %d is not \"key = value\"\n", number);
      return 1;
    }
    entries.push_back(std::move(entry));
  }
  LParams params;
  if (!params.OpenWrite(path)) {
    std::fprintf(stderr, "ot-params: cannot create %s\n", path.c_str());
    return 1;
  }
  for (auto& [key, value] : entries) params.Text("", key, value, kSave);
  if (!params.Close()) {
    std::fprintf(stderr, "ot-params: cannot write %s\n", path.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "show") return Show(args[1]);
  if (args.size() == 2 && args[0] == "write") return Write(args[1]);
  return Usage();
}
