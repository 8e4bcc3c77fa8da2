// Times start-up to a ready window: from CreateProcess until the process shows a visible
// top-level window with the given title (and, when a control id is given, that control holds
// text). Then closes the window and waits for the process to end. Alternates the programs so
// that a machine getting slower or faster affects both alike.
// usage: startup_timer RUNS TITLE_A PROGRAM_A[:CONTROL_ID] TITLE_B PROGRAM_B[:CONTROL_ID]
// Prints each start in milliseconds, then the medians and their ratio A / B.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Program {
  std::string title;
  std::string path;
  int control = 0;  // 0: the visible window is enough
};

struct Search {
  DWORD process;
  const Program* program;
  HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM l) noexcept {
  auto* search = reinterpret_cast<Search*>(l);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search->process || !IsWindowVisible(window)) return TRUE;
  char title[256] = {};
  GetWindowTextA(window, title, sizeof title);
  if (search->program->title != title) return TRUE;
  if (search->program->control != 0) {
    HWND control = GetDlgItem(window, search->program->control);
    // Asked with a message: GetWindowText does not ask a window of another process.
    DWORD_PTR length = 0;
    if (!control ||
        !SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &length) ||
        length == 0)
      return TRUE;
  }
  search->found = window;
  return FALSE;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Milliseconds to a ready window, or a negative number when it never came.
double TimeOneStart(const Program& program) {
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string command = "\"" + program.path + "\"";
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "cannot start %s (%lu)\n", program.path.c_str(), GetLastError());
    return -1;
  }
  Search search{process.dwProcessId, &program, nullptr};
  double elapsed = -1;
  for (;;) {
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    QueryPerformanceCounter(&now);
    if (search.found) {
      elapsed = Seconds(start, now, frequency) * 1000.0;
      break;
    }
    if (Seconds(start, now, frequency) > 60.0) break;
    Sleep(1);
  }
  if (search.found) PostMessageA(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0)
    TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return elapsed;
}

Program Parse(const char* title, const char* argument) {
  Program program{title, argument, 0};
  // A trailing ":<digits>" names the control; a drive letter's colon is left alone.
  const std::size_t colon = program.path.rfind(':');
  if (colon != std::string::npos && colon > 1 &&
      program.path.find_first_not_of("0123456789", colon + 1) == std::string::npos) {
    program.control = std::atoi(program.path.c_str() + colon + 1);
    program.path.resize(colon);
  }
  return program;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr,
                 "usage: startup_timer RUNS TITLE_A PROGRAM_A[:ID] TITLE_B PROGRAM_B[:ID]\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  const Program a = Parse(argv[2], argv[3]);
  const Program b = Parse(argv[4], argv[5]);
  std::vector<double> times_a, times_b;
  // One start of each first, not counted: the first start in a prefix loads what later ones
  // find in the cache.
  TimeOneStart(a);
  TimeOneStart(b);
  for (int run = 0; run < runs; ++run) {
    for (auto [program, times] : {std::pair{&a, &times_a}, std::pair{&b, &times_b}}) {
      const double ms = TimeOneStart(*program);
      if (ms < 0) {
        std::fprintf(stderr, "%s: no ready window within 60 s\n", program->path.c_str());
        return 1;
      }
      times->push_back(ms);
      std::printf("%-14s start %2d: %8.1f ms\n", program->title.c_str(), run + 1, ms);
    }
  }
  const double median_a = Median(times_a);
  const double median_b = Median(times_b);
  std::printf("median %s: %.1f ms\nmedian %s: %.1f ms\nratio: %.2f\n", a.title.c_str(), median_a,
              b.title.c_str(), median_b, median_a / median_b);
  return 0;
}
