// Wall-clock timing, medians, and child processes with their peak resident memory.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace kvo::bench {

// Seconds that f takes.
template <class F>
double Seconds(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Seconds of the whole process on all processors (user and system), for figures that other
// work on a shared machine disturbs less than wall-clock time.
double ProcessCpuSeconds();

struct Timing {
  double wall = 0;
  double cpu = 0;
};

// Wall-clock and process CPU seconds that f takes.
template <class F>
Timing Time(F&& f) {
  const double cpu = ProcessCpuSeconds();
  Timing t;
  t.wall = Seconds(f);
  t.cpu = ProcessCpuSeconds() - cpu;
  return t;
}

double Median(std::vector<double> values);

struct ChildRun {
  bool ok = false;     // exited with 0
  std::string output;  // its standard output
  double seconds = 0;
  double peakMiB = 0;  // peak resident memory
};

// Runs the program argv[0] (a path, or a name looked up in PATH) with its arguments and waits for
// it; standard error stays ours.
ChildRun RunChild(const std::vector<std::string>& argv);

// This program's own path, for running it as a child.
std::string SelfPath();

}  // namespace kvo::bench
