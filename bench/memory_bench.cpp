// Peak memory and time of rename_all on files whose first line never ends:
// 1 GiB without any line terminator, and a 50 MB novel with old Mac CR-only
// line ends. The floor reads the same file to its end in 8 KiB blocks and
// keeps nothing. Each loop runs three times, interleaved, each run in a
// child process of its own so its peak is its own; medians with min-max.
//
//   memory_bench [MiB of the terminator-less file]

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/batch_rename.h"
#include "core/file_list.h"
#include "measure.h"

namespace fs = std::filesystem;
using varentix::bench::cpu_seconds;
using varentix::bench::spread;

namespace {

constexpr int kRuns = 3;

struct Run {
    double peak_kib;  // growth of the peak resident size during the run
    double cpu;
    double wall;
};

long peak_kib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void run_rename_all(const fs::path& file) {
    varentix::VectorFileList list({file.string()});
    varentix::rename_all(list);
}

void run_floor(const fs::path& file) {
    char block[8192];
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    while (::read(fd, block, sizeof block) > 0) {
    }
    ::close(fd);
}

// Runs the loop in a child and reports what it cost there.
Run measure(void (*loop)(const fs::path&), const fs::path& file) {
    int pipe_ends[2];
    if (::pipe(pipe_ends) != 0) std::exit(1);
    const pid_t child = fork();
    if (child == 0) {
        const long before = peak_kib();
        const double cpu_start = cpu_seconds();
        const auto wall_start = std::chrono::steady_clock::now();
        loop(file);
        const Run run{
            static_cast<double>(peak_kib() - before), cpu_seconds() - cpu_start,
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_start).count()};
        if (::write(pipe_ends[1], &run, sizeof run) != sizeof run) std::_Exit(1);
        std::_Exit(0);
    }
    Run run{};
    if (::read(pipe_ends[0], &run, sizeof run) != sizeof run) std::exit(1);
    ::close(pipe_ends[0]);
    ::close(pipe_ends[1]);
    waitpid(child, nullptr, 0);
    return run;
}

void bench(const char* what, const fs::path& file) {
    std::vector<double> peak[2], cpu[2], wall[2];
    void (*const loops[2])(const fs::path&) = {run_floor, run_rename_all};
    for (int run = 0; run < kRuns; ++run)
        for (int k = 0; k < 2; ++k) {
            const int which = (k + run) % 2;
            const Run result = measure(loops[which], file);
            peak[which].push_back(result.peak_kib);
            cpu[which].push_back(result.cpu);
            wall[which].push_back(result.wall);
        }
    std::printf("%s:\n", what);
    const char* names[2] = {"read-to-end floor", "rename_all"};
    for (int which = 0; which < 2; ++which)
        std::printf("    %-18s peak growth KiB %-22s cpu s %-24s wall s %s\n", names[which],
                    spread(peak[which], "%.0f").c_str(), spread(cpu[which], "%.3f").c_str(),
                    spread(wall[which], "%.3f").c_str());
}

void write_repeated(const fs::path& file, const std::string& piece, std::size_t size) {
    std::ofstream out(file, std::ios::binary);
    std::string chunk;
    while (chunk.size() < (1u << 20)) chunk += piece;
    for (std::size_t written = 0; written < size; written += chunk.size())
        out.write(chunk.data(),
                  static_cast<std::streamsize>(std::min(chunk.size(), size - written)));
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t mib = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1024;
    const fs::path folder = fs::temp_directory_path() / "varentix-memory-bench";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path endless = folder / "1001.txt";
    write_repeated(endless, "x", mib << 20);
    const fs::path mac = folder / "1002.txt";
    write_repeated(mac, "\xD5\xDA\xCC\xEC\xA3\xAC\xC9\xD9\xC4\xEA\xB1\xB3\xD7\xC5\xCA\xE9\r",
                   50'000'000);
    ::sync();
    std::printf(
        "peak resident growth in KiB, CPU and wall seconds: median (min-max) of %d "
        "interleaved runs\n",
        kRuns);
    bench((std::to_string(mib) + " MiB, no line terminator").c_str(), endless);
    bench("50 MB novel with CR-only lines", mac);
    fs::remove_all(folder);
    return 0;
}
