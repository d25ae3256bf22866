// SPDX-License-Identifier: GPL-3.0-or-later
// The replay form of a fuzz target: runs every file of the folders named on the command
// line (files named README* aside) through the target's entry point, in name order, and
// prints how many it ran. Missing folders are skipped. Paths are made absolute first: a
// target may change the working folder.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    std::error_code ec;
    if (fs::is_regular_file(argv[i], ec)) {
      inputs.push_back(fs::absolute(argv[i], ec));
      continue;
    }
    for (const auto& entry : fs::directory_iterator(argv[i], ec)) {
      if (entry.is_regular_file() && entry.path().filename().string().rfind("README", 0) != 0) {
        inputs.push_back(fs::absolute(entry.path(), ec));
      }
    }
  }
  std::sort(inputs.begin(), inputs.end());
  for (const fs::path& path : inputs) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "cannot read %s\n", path.c_str());
      return 1;
    }
    std::vector<uint8_t> data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::printf("running %s (%zu bytes)\n", path.c_str(), data.size());
    std::fflush(stdout);
    LLVMFuzzerTestOneInput(data.data(), data.size());
  }
  std::printf("%s: ran %zu inputs\n", argc > 0 ? argv[0] : "replay", inputs.size());
  return inputs.empty() ? 1 : 0;
}
