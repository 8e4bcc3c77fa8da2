// Feeds a fuzz target every input of its committed corpus, as a plain program: what the fuzzer
// once found stays found in every test run. corpus_replay FOLDER...; fails on an empty or
// missing folder, and a broken input ends the program as it ends the fuzzer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s CORPUS_FOLDER...\n", argv[0]);
    return 2;
  }
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path folder(argv[i]);
    std::error_code error;
    std::vector<std::filesystem::path> inputs;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
      if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
    if (error || inputs.empty()) {
      std::fprintf(stderr, "%s: no inputs in %s\n", argv[0], folder.string().c_str());
      return 1;
    }
    for (const std::filesystem::path& input : inputs) {
      std::ifstream file(input, std::ios::binary);
      const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                    std::istreambuf_iterator<char>());
      if (!file.good() && !file.eof()) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], input.string().c_str());
        return 1;
      }
      std::printf("%s\n", input.filename().string().c_str());
      std::fflush(stdout);
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu inputs of %s replayed\n", inputs.size(), folder.string().c_str());
  }
  return 0;
}
