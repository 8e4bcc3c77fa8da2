// The hive store on a hive the size of a well-used SOFTWARE hive: about 100 MB and 343,000 keys
// (70 x 70 x 70, two values each), made once through hivex and kept in the build folder. One
// run times opening it, a full probe run, an apply and its commit, and reports the peak memory
// beside the file's size. Run by scripts/bench-hive; a benchmark, not a test.
#include <benchmark/benchmark.h>
#include <hivex.h>
#include <sys/resource.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "cli/engine_command.h"
#include "hive/hive_handle.h"
#include "hive/hive_text.h"
#include "hive/hives_by_root.h"
#include "regfile/registry_script.h"
#include "tweaks/headless_tweak_list.h"

namespace quillmark {
namespace {

namespace fs = std::filesystem;

constexpr int kFanOut = 70;

std::string Name(const char* stem, int i) {
  char name[32];
  std::snprintf(name, sizeof name, "%s%02d", stem, i);
  return name;
}

void AddValues(hive_h* hive, hive_node_h node, int i) {
  std::string text = "C:\\Program Files\\Vendor " + std::to_string(i) + "\\bin\\tool.exe";
  std::string wide;
  for (char c : text) wide += {c, '\0'};
  wide += {'\0', '\0'};
  char number[4] = {static_cast<char>(i), 0, 0, 0};
  hive_set_value values[] = {{const_cast<char*>("Path"), hive_t_REG_SZ, wide.size(), wide.data()},
                             {const_cast<char*>("Flags"), hive_t_REG_DWORD, sizeof number, number}};
  if (hivex_node_set_values(hive, node, 2, values, 0) != 0) std::perror("set values");
}

// A tree of the memory store written into a hive, as the system keeps it.
void WriteTree(hive_h* hive, hive_node_h node, const MemoryRegistry::Key& key) {
  std::vector<std::string> names;
  std::vector<HiveBytes> data;
  for (const auto& [name, value] : key.values) {
    names.push_back(NameToHive(name));
    data.push_back(DataToHive(value.type, value.data));
  }
  std::vector<hive_set_value> values;
  std::size_t i = 0;
  for (const auto& [name, value] : key.values) {
    values.push_back(
        {names[i].data(), hive_t_none, data[i].size(), reinterpret_cast<char*>(data[i].data())});
    SetType(values.back(), value.type);
    ++i;
  }
  if (!values.empty()) hivex_node_set_values(hive, node, values.size(), values.data(), 0);
  for (const auto& sub : key.subkeys) {
    hive_node_h child = hivex_node_get_child(hive, node, NameToHive(sub->name).c_str());
    if (child == 0) child = hivex_node_add_child(hive, node, NameToHive(sub->name).c_str());
    WriteTree(hive, child, *sub);
  }
}

// The tweaks' keys as on a fresh Windows 7, for one root.
const MemoryRegistry::Key& Fresh(RootKey root) {
  static const MemoryRegistry fresh = [] {
    std::ifstream file(fs::path(QUILLMARK_FIXTURES) / "fresh_windows7.reg", std::ios::binary);
    return LoadSnapshot(std::string(std::istreambuf_iterator<char>(file), {}));
  }();
  return fresh.Root(root);
}

// A copy of the minimal hive with a root's tweak keys as on a fresh Windows 7, grown further.
template <typename Grow>
void MakeHive(const fs::path& path, RootKey root, Grow grow) {
  fs::copy_file(fs::path(QUILLMARK_FIXTURES) / "minimal.hive", path,
                fs::copy_options::overwrite_existing);
  hive_h* hive = hivex_open(path.c_str(), HIVEX_OPEN_WRITE);
  grow(hive);
  WriteTree(hive, hivex_root(hive), Fresh(root));
  hivex_commit(hive, path.c_str(), 0);
  hivex_close(hive);
}

void Grow(hive_h* hive);

// The generated machine hive, made when missing.
std::string BigHive() {
  const fs::path path = fs::path(QUILLMARK_BENCH_DIR) / "bench-70x70x70-fresh.hive";
  if (fs::exists(path)) return path.string();
  const fs::path making = path.string() + ".making";
  MakeHive(making, RootKey::LocalMachine, [](hive_h* hive) { Grow(hive); });
  fs::rename(making, path);
  return path.string();
}
void Grow(hive_h* hive) {
  const hive_node_h root = hivex_root(hive);
  for (int a = 0; a < kFanOut; ++a) {
    const hive_node_h first = hivex_node_add_child(hive, root, Name("Vendor", a).c_str());
    AddValues(hive, first, a);
    for (int b = 0; b < kFanOut; ++b) {
      const hive_node_h second = hivex_node_add_child(hive, first, Name("Product", b).c_str());
      AddValues(hive, second, b);
      for (int c = 0; c < kFanOut; ++c) {
        AddValues(hive, hivex_node_add_child(hive, second, Name("Setting", c).c_str()), c);
      }
    }
  }
}

double Seconds(const std::chrono::steady_clock::time_point& since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void HiveSteps(benchmark::State& state) {
  const std::string source = BigHive();
  const fs::path folder = fs::path(QUILLMARK_BENCH_DIR) / "bench-hive-run";
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::array<std::string, 3> paths;
    for (std::size_t i = 0; i < 3; ++i) {
      paths[i] = (folder / std::string(RootName(kRootKeys[i]))).string();
      if (kRootKeys[i] == RootKey::LocalMachine) {
        fs::copy_file(source, paths[i]);
      } else {
        MakeHive(paths[i], kRootKeys[i], [](hive_h*) {});
      }
    }
    state.ResumeTiming();

    auto start = std::chrono::steady_clock::now();
    testing::HivesByRoot hives(paths);
    state.counters["open_s"] = Seconds(start);

    start = std::chrono::steady_clock::now();
    HeadlessTweakList list;
    const auto probed =
        RunEngineCommand(hives, EngineCommand{EngineCommand::Kind::Status, ""}, list);
    state.counters["probe_s"] = Seconds(start);

    start = std::chrono::steady_clock::now();
    const auto applied = RunEngineCommand(
        hives, EngineCommand{EngineCommand::Kind::Apply, std::string(14, 'x')}, list);
    state.counters["apply_s"] = Seconds(start);

    start = std::chrono::steady_clock::now();
    hives.Commit();
    state.counters["commit_s"] = Seconds(start);
    if (probed || applied) state.SkipWithError((probed ? *probed : *applied).c_str());
  }
  rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
  state.counters["hive_MB"] = static_cast<double>(fs::file_size(source)) / (1024.0 * 1024.0);
  fs::remove_all(folder);
}

BENCHMARK(HiveSteps)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace quillmark

BENCHMARK_MAIN();
