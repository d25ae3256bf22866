// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The line form shared by the level files, the pack indexes and the pack progress: one
// "key value" a line, blank lines and lines starting with '#' skipped. Each refusal is
// one line "FILE:LINE: reason".
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct KeyLine {
  int number = 0;     // 1-based line number in the file
  std::string key;    // the first word
  std::string value;  // the rest of the line, blanks around it removed
};

constexpr size_t kMaxKeyLineLength = 8192;

// "FILE:LINE: reason".
std::string LineError(const std::string& file, int line, const std::string& reason);

// The key lines of text. Refused (nullopt, why set) when a line is longer than
// kMaxKeyLineLength or holds a control character other than a tab.
std::optional<std::vector<KeyLine>> SplitKeyLines(const std::string& text, const std::string& file,
                                                  std::string& why);

// The number of the last line of text (where a missing key is reported).
int LastLineNumber(const std::string& text);

// value without a '#' comment and the blanks before it.
std::string WithoutComment(const std::string& value);

// Whole-text numbers: the value must be exactly one number and nothing else.
std::optional<int> WholeInt(const std::string& value);
std::optional<int64_t> WholeInt64(const std::string& value);
std::optional<double> WholeReal(const std::string& value);  // finite values only

// The shortest text that reads back as the same double.
std::string RealText(double value);

// The file name without its folders and without suffix, when it ends so.
std::string BaseName(const std::string& path, const std::string& suffix);

// The whole text of the regular file at path, at most maxBytes; nullopt with why set
// ("PATH:1: reason") when it cannot be opened or read, or is larger.
std::optional<std::string> ReadTextFile(const std::string& path, size_t maxBytes, std::string& why);
