// Runs a fuzz target over saved inputs without libFuzzer, so that a g++ build and ctest replay
// the seed corpus and the kept findings: every argument is a file, or a directory whose regular
// files are all run (sorted by name, so a failure is reproducible).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool RunFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
  }
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
  // A fresh copy of exactly the file's size, so ASan sees a read past the end.
  std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
  std::fprintf(stderr, "running %s (%zu bytes)\n", path.c_str(), data.size());
  LLVMFuzzerTestOneInput(data.empty() ? nullptr : data.data(), data.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t runs = 0;
  bool ok = true;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path arg(argv[i]);
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(arg)) {
      for (const auto& entry : std::filesystem::directory_iterator(arg)) {
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') {
          files.push_back(entry.path());
        }
      }
      std::sort(files.begin(), files.end());
    } else {
      files.push_back(arg);
    }
    for (const auto& file : files) {
      ok = RunFile(file) && ok;
      ++runs;
    }
  }
  std::printf("replayed %zu inputs\n", runs);
  return ok ? 0 : 1;
}
