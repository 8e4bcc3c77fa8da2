// How the registry layer copes with a registry the size of a well-used system's: a snapshot of
// 200,000 keys loaded and saved, and key look-ups through the registry object.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "regfile/registry_script.h"
#include "registry/registry_api.h"
#include "registry/tregistry.h"
#include "stores/memory_registry.h"

namespace quillmark {
namespace {

constexpr std::size_t kKeyCount = 200000;
constexpr std::size_t kDeepest = 14;
constexpr std::size_t kLookups = 4096;

// A key of the generated tree; paths are below the root, without a leading separator.
struct Node {
  RootKey root;
  std::size_t depth;
  std::string path;
  std::vector<std::size_t> children;
  bool hub;  // a key with thousands of subkeys, as CLSID and Services are
};

struct Tree {
  std::vector<Node> nodes;
  std::string script;
  std::size_t values = 0;
};

constexpr std::array<std::string_view, 24> kWords = {
    "Shell",       "Explorer",   "Settings",    "Parameters",       "Enum",        "Policies",
    "Components",  "Windows",    "Interface",   "TypeLib",          "DefaultIcon", "Control",
    "Advanced",    "Extensions", "Preferences", "InprocServer32",   "Setup",       "Capabilities",
    "Performance", "Security",   "Uninstall",   "FileAssociations", "Devices",     "Recent Files"};

class Generator {
 public:
  Tree Make() {
    Tree tree;
    nodes_ = &tree.nodes;
    AddTop(RootKey::ClassesRoot, "CLSID", true);
    AddTop(RootKey::ClassesRoot, "Interface", true);
    AddTop(RootKey::LocalMachine, "SOFTWARE", true);
    const std::size_t system = AddTop(RootKey::LocalMachine, "SYSTEM", false);
    Add(Add(system, "CurrentControlSet"), "Services", true);
    AddTop(RootKey::CurrentUser, "Software", true);
    AddTop(RootKey::CurrentUser, "Control Panel", false);
    AddTop(RootKey::ClassesRoot, ".txt", false);

    while (tree.nodes.size() < kKeyCount) {
      const std::size_t parent = PickParent(tree.nodes);
      const std::size_t index = tree.nodes.size();
      Add(parent, NameFor(tree.nodes[parent], index));
    }
    Write(tree);
    return tree;
  }

 private:
  std::uint32_t Next() { return static_cast<std::uint32_t>(random_()); }
  std::size_t Below(std::size_t n) { return Next() % n; }

  std::size_t AddTop(RootKey root, std::string_view name, bool hub) {
    nodes_->push_back(Node{root, 1, std::string(name), {}, hub});
    return nodes_->size() - 1;
  }

  std::size_t Add(std::size_t parent, std::string_view name, bool hub = false) {
    std::vector<Node>& nodes = *nodes_;
    Node node{nodes[parent].root,
              nodes[parent].depth + 1,
              nodes[parent].path + "\\" + std::string(name),
              {},
              hub};
    nodes.push_back(std::move(node));
    nodes[parent].children.push_back(nodes.size() - 1);
    return nodes.size() - 1;
  }

  // Mostly near the keys made last, which grows narrow deep branches as an installer does;
  // now and then a hub, which grows the wide ones.
  std::size_t PickParent(const std::vector<Node>& nodes) {
    const std::uint32_t roll = Next() % 100;
    std::size_t parent;
    if (roll < 55) {
      parent = nodes.size() - 1 - Below(std::min<std::size_t>(nodes.size(), 48));
    } else if (roll < 80) {
      parent = Below(nodes.size());
    } else {
      do {
        parent = Below(std::min<std::size_t>(nodes.size(), 16));
      } while (!nodes[parent].hub);
    }
    while (nodes[parent].depth >= kDeepest) parent = Below(9);
    return parent;
  }

  std::string NameFor(const Node& parent, std::size_t index) {
    if (parent.path == "CLSID" || parent.path == "Interface") {
      char guid[40];
      const std::uint32_t a = Next();
      std::snprintf(guid, sizeof guid, "{%08X-%04X-%04X-%04X-%012zX}", a, Next() & 0xFFFF,
                    Next() & 0xFFFF, Next() & 0xFFFF, index);
      return guid;
    }
    // The index keeps sibling names apart, whatever the words drawn.
    return std::string(kWords[Below(kWords.size())]) + " " + std::to_string(index);
  }

  void WriteValues(std::size_t index, Tree& tree) {
    static constexpr char kDigits[] = "0123456789abcdef";
    static constexpr std::array<std::size_t, 10> kCounts = {0, 0, 1, 1, 1, 2, 2, 2, 3, 4};
    const std::size_t count = kCounts[Below(kCounts.size())];
    for (std::size_t v = 0; v < count; ++v) {
      std::string& out = tree.script;
      switch (Below(4)) {
        case 0:
          out += v == 0 ? "@" : "\"Name" + std::to_string(v) + "\"";
          out += "=\"C:\\\\Program Files\\\\Vendor\\\\component" + std::to_string(index) + ".dll\"";
          break;
        case 1:
          out += "\"Flags" + std::to_string(v) + "\"=dword:";
          for (int shift = 28; shift >= 0; shift -= 4) out += kDigits[(Next() >> shift) & 0xF];
          break;
        case 2: {
          out += "\"Data" + std::to_string(v) + "\"=hex:";
          const std::size_t bytes = 8 + Below(33);
          for (std::size_t b = 0; b < bytes; ++b) {
            const std::uint32_t byte = Next() & 0xFF;
            out += kDigits[byte >> 4];
            out += kDigits[byte & 0xF];
            if (b + 1 < bytes) out += ',';
          }
          break;
        }
        default:
          out += "\"Path" + std::to_string(v) + "\"=hex(2):25,00,53,00,79,00,73,00,00,00";
          break;
      }
      out += "\r\n";
      ++tree.values;
    }
  }

  // Depth first, as an export lists a tree.
  void Write(Tree& tree) {
    tree.script = "Windows Registry Editor Version 5.00\r\n\r\n";
    std::vector<std::size_t> stack;
    for (std::size_t i = tree.nodes.size(); i-- > 0;) {
      if (tree.nodes[i].depth == 1) stack.push_back(i);
    }
    while (!stack.empty()) {
      const std::size_t index = stack.back();
      stack.pop_back();
      const Node& node = tree.nodes[index];
      tree.script += "[" + std::string(RootName(node.root)) + "\\" + node.path + "]\r\n";
      WriteValues(index, tree);
      tree.script += "\r\n";
      for (auto it = node.children.rbegin(); it != node.children.rend(); ++it) {
        stack.push_back(*it);
      }
    }
  }

  std::mt19937 random_{20240601};
  std::vector<Node>* nodes_ = nullptr;
};

const Tree& SharedTree() {
  static const Tree tree = Generator().Make();
  return tree;
}

MemoryRegistry& SharedRegistry() {
  static MemoryRegistry registry = LoadSnapshot(SharedTree().script);
  return registry;
}

struct Lookup {
  RootKey root;
  std::string path;  // absolute, as the registry object takes it
};

// Keys drawn evenly from the whole tree; a missing path is an existing key's path with one
// more name, so the walk goes all the way down before it fails.
std::vector<Lookup> Lookups(bool existing) {
  const Tree& tree = SharedTree();
  std::mt19937 random(7);
  std::vector<Lookup> lookups;
  for (std::size_t i = 0; i < kLookups; ++i) {
    const Node& node = tree.nodes[random() % tree.nodes.size()];
    lookups.push_back({node.root, "\\" + node.path + (existing ? "" : "\\No Such Key")});
  }
  return lookups;
}

std::size_t RootIndex(RootKey root) {
  return static_cast<std::size_t>(static_cast<std::uint32_t>(root) -
                                  static_cast<std::uint32_t>(RootKey::ClassesRoot));
}

void BM_LoadSnapshot(benchmark::State& state) {
  const std::string& script = SharedTree().script;
  for (auto _ : state) {
    MemoryRegistry registry = LoadSnapshot(script);
    benchmark::DoNotOptimize(registry);
    state.PauseTiming();  // tearing the tree down is not loading it
    { MemoryRegistry gone = std::move(registry); }
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * script.size()));
  state.counters["keys"] = static_cast<double>(kKeyCount);
}
BENCHMARK(BM_LoadSnapshot)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_SaveSnapshot(benchmark::State& state) {
  const MemoryRegistry& registry = SharedRegistry();
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string text = SaveSnapshot(registry);
    bytes = text.size();
    benchmark::DoNotOptimize(text);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_SaveSnapshot)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// One registry object per root, so that a look-up never pays for switching roots.
struct Objects {
  explicit Objects(MemoryRegistry& registry)
      : all{TRegistry(registry), TRegistry(registry), TRegistry(registry)} {
    for (RootKey root : kRootKeys) all[RootIndex(root)].SelectRoot(root);
  }
  TRegistry& For(RootKey root) { return all[RootIndex(root)]; }
  std::array<TRegistry, 3> all;
};

// Times one look-up per iteration over existing (argument 1) or missing (0) paths; look_up
// answers whether the path was found.
template <typename LookUp>
void TimeLookUps(benchmark::State& state, LookUp look_up) {
  const bool existing = state.range(0) != 0;
  const std::vector<Lookup> lookups = Lookups(existing);
  Objects objects(SharedRegistry());
  std::size_t i = 0;
  for (auto _ : state) {
    const Lookup& lookup = lookups[i++ % lookups.size()];
    if (look_up(objects.For(lookup.root), lookup.path) != existing) {
      state.SkipWithError("a look-up gave the wrong answer");
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
  state.SetLabel(existing ? "existing" : "missing");
}

void BM_OpenAsCurrent(benchmark::State& state) {
  TimeLookUps(state, [](TRegistry& registry, const std::string& path) {
    return registry.OpenAsCurrent(path, false);
  });
}
BENCHMARK(BM_OpenAsCurrent)->Arg(1)->Arg(0);

void BM_KeyPresent(benchmark::State& state) {
  TimeLookUps(state, [](TRegistry& registry, const std::string& path) {
    return registry.KeyPresent(path);
  });
}
BENCHMARK(BM_KeyPresent)->Arg(1)->Arg(0);

void Describe() {
  const Tree& tree = SharedTree();
  std::size_t deepest = 0;
  std::size_t depths = 0;
  for (const Node& node : tree.nodes) {
    deepest = std::max(deepest, node.depth);
    depths += node.depth;
  }
  char shape[160];
  std::snprintf(shape, sizeof shape,
                "%zu keys, %zu values, %.1f MB of script, depth %.1f on average and %zu at most",
                tree.nodes.size(), tree.values, static_cast<double>(tree.script.size()) / 1e6,
                static_cast<double>(depths) / static_cast<double>(tree.nodes.size()), deepest);
  benchmark::AddCustomContext("snapshot", shape);
}

}  // namespace
}  // namespace quillmark

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  quillmark::Describe();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
