// What the benches that race Pillow share: the best of several runs, a shell
// step, and the times a Pillow script prints as "name milliseconds" lines.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <string>

namespace ZAVBench {

inline double BestOf(int runs, const std::function<void()>& run)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        best =
            std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

inline bool Shell(const std::string& command)
{
    return std::system(command.c_str()) == 0;
}

// The "name milliseconds" lines the shell command prints, by name.
inline std::map<std::string, double> NamedTimes(const std::string& command)
{
    std::map<std::string, double> times;
    FILE* pipe = popen(command.c_str(), "r");
    char name[64];
    double ms = 0;
    while (pipe && std::fscanf(pipe, "%63s %lf", name, &ms) == 2)
        times[name] = ms;
    if (pipe)
        pclose(pipe);
    return times;
}

// Runs FOLDER/pillow_times.py FOLDER RUNS with Debian's interpreter.
inline std::map<std::string, double> PillowTimes(const std::string& folder, int runs)
{
    return NamedTimes("/usr/bin/python3 " + folder + "/pillow_times.py " + folder + " " + std::to_string(runs));
}

// What every timing script starts with: its folder and runs from the
// command line, and best(f), the best of the runs of f in milliseconds.
const char kPillowTimesHead[] = R"(
import sys, time
from PIL import Image
folder, runs = sys.argv[1], int(sys.argv[2])
def best(f):
    times = []
    for _ in range(runs):
        s = time.perf_counter(); f(); times.append((time.perf_counter() - s) * 1000)
    return min(times)
)";

// Writes the bench's two Pillow scripts into FOLDER (the timing script
// after kPillowTimesHead) and runs the one that makes the input files;
// false, with a message, when Pillow could not.
inline bool PreparePillowFiles(const std::string& folder, const char* makeFiles, const char* pillowTimes)
{
    Shell("mkdir -p " + folder);
    std::ofstream(folder + "/make_files.py") << makeFiles;
    std::ofstream(folder + "/pillow_times.py") << kPillowTimesHead << pillowTimes;
    if (!Shell("/usr/bin/python3 " + folder + "/make_files.py " + folder)) {
        std::fprintf(stderr, "Pillow (python3-pil) could not make the files\n");
        return false;
    }
    return true;
}

// One line of the table: ours, Pillow's and their ratio, in milliseconds.
inline void PrintPillowRow(const char* what, double ours, double theirs)
{
    std::printf("%-34s %9.1f %10.1f %9.2f\n", what, ours, theirs, theirs > 0 ? ours / theirs : 0.0);
}

}  // namespace ZAVBench
