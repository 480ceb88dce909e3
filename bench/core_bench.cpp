// rename_all against the tightest floor of the system calls it cannot
// avoid: the folder opened once, then per file openat, a 512-byte read,
// close and renameat2 on bare names. A second row times the same calls on
// full paths, as a program that does not hold the folder makes them.
//
// Shallow folders and folders 12 levels deep with Chinese names, at 1,000,
// 10,000 and 100,000 files. Each loop runs five times, interleaved with the
// others on the same files, which are renamed back between runs; the
// medians of CPU and wall time are printed with their min–max.
//
//   core_bench [largest-count]

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "core/batch_rename.h"
#include "core/codepage.h"
#include "core/title.h"
#include "measure.h"

namespace fs = std::filesystem;
using varentix::Text;
using varentix::bench::cpu_seconds;
using varentix::bench::median;
using varentix::bench::spread;

namespace {

constexpr int kRuns = 5;
constexpr int kDepth = 12;

// GBK first lines in the three layouts, cycled through the batch.
std::string gbk_first_line(int index) {
    const std::string number = std::to_string(index);
    switch (index % 3) {
        case 0:
            return "\xA1\xB6\xB6\xB7\xC6\xC6\xB2\xD4\xF1\xB7" + number +
                   "\xA1\xB7";  // 《斗破苍穹n》
        case 1:
            return "[\xD6\xEF\xCF\xC9" + number + "]/\xCF\xF4\xB6\xA6";  // [诛仙n]/萧鼎
        default:
            return "\xD5\xDA\xCC\xEC" + number;  // 遮天n
    }
}

struct Batch {
    std::string folder;              // file-system name, with a trailing "/"
    std::vector<Text> paths;         // as the list holds them
    std::vector<std::string> names;  // bare file-system names
    std::vector<std::string> targets;
};

fs::path utf8_path(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

Batch write_batch(const std::string& folder, int count) {
    fs::create_directories(utf8_path(folder));
    Batch batch{folder, {}, {}, {}};
    const Text sentence = *varentix::utf8_to_text("天色已晚，少年背着书箱走出了山村。\r\n");
    std::string body;
    while (body.size() < 4096) body += sentence;
    const Text prefix = *varentix::utf8_to_text(folder);
    for (int i = 0; i < count; ++i) {
        const std::string name = std::to_string(1000 + i) + ".txt";
        std::ofstream(utf8_path(folder + name), std::ios::binary) << gbk_first_line(i) << "\r\n"
                                                                  << body;
        batch.paths.push_back(prefix + name);
        batch.names.push_back(name);
        const Text line = gbk_first_line(i);
        const Text title = varentix::extract_title(line, varentix::detect_layout(line));
        batch.targets.push_back(*varentix::text_to_utf8(title) + ".txt");
    }
    // Flush the new files now, so that their write-back does not land in a
    // timed loop.
    ::sync();
    return batch;
}

// Every file back under its number, untimed, so each run starts alike.
void put_back(const Batch& batch) {
    for (std::size_t i = 0; i < batch.names.size(); ++i)
        ::rename((batch.folder + batch.targets[i]).c_str(),
                 (batch.folder + batch.names[i]).c_str());
}

void run_rename_all(const Batch& batch) {
    varentix::VectorFileList list(batch.paths);
    varentix::rename_all(list);
}

void run_folder_floor(const Batch& batch) {
    char block[512];
    const int folder = ::open(batch.folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    for (std::size_t i = 0; i < batch.names.size(); ++i) {
        const int fd = ::openat(folder, batch.names[i].c_str(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0) {
            if (::read(fd, block, sizeof block) < 0) std::perror("read");
            ::close(fd);
        }
        ::renameat2(folder, batch.names[i].c_str(), folder, batch.targets[i].c_str(),
                    RENAME_NOREPLACE);
    }
    ::close(folder);
}

void run_full_paths(const Batch& batch) {
    char block[512];
    for (std::size_t i = 0; i < batch.names.size(); ++i) {
        const std::string from = batch.folder + batch.names[i];
        const std::string to = batch.folder + batch.targets[i];
        const int fd = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0) {
            if (::read(fd, block, sizeof block) < 0) std::perror("read");
            ::close(fd);
        }
        ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
    }
}

struct Times {
    std::vector<double> cpu;
    std::vector<double> wall;
};

void time_run(void (*loop)(const Batch&), const Batch& batch, Times& times) {
    const double cpu_start = cpu_seconds();
    const auto wall_start = std::chrono::steady_clock::now();
    loop(batch);
    times.wall.push_back(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_start).count());
    times.cpu.push_back(cpu_seconds() - cpu_start);
    put_back(batch);
}

void print_row(const char* what, const Times& times, const Times& floor) {
    std::printf("    %-16s cpu %-24s wall %-24s cpu %.2fx  wall %.2fx\n", what,
                spread(times.cpu).c_str(), spread(times.wall).c_str(),
                median(times.cpu) / median(floor.cpu), median(times.wall) / median(floor.wall));
}

// A folder 12 levels deep, each level a Chinese name.
std::string deep_folder(const std::string& root) {
    std::string folder = root;
    for (int level = 1; level <= kDepth; ++level)
        folder += "小说第" + std::to_string(level) + "卷/";
    return folder;
}

}  // namespace

int main(int argc, char** argv) {
    const int largest = argc > 1 ? std::atoi(argv[1]) : 100000;
    const std::string root = (fs::temp_directory_path() / "varentix-bench").string() + "/";
    std::printf(
        "seconds per batch: median (min-max) of %d interleaved runs; ratios of medians "
        "to the folder-handle floor\n",
        kRuns);
    for (const bool deep : {false, true}) {
        for (int count = 1000; count <= largest; count *= 10) {
            fs::remove_all(root);
            const Batch batch = write_batch(deep ? deep_folder(root) : root + "novels/", count);
            Times floor, core, full;
            const std::pair<void (*)(const Batch&), Times*> loops[] = {
                {run_folder_floor, &floor}, {run_rename_all, &core}, {run_full_paths, &full}};
            for (int run = 0; run < kRuns; ++run)
                // The order turns with each run, so that no loop always goes first.
                for (std::size_t k = 0; k < std::size(loops); ++k) {
                    const auto& [loop, times] = loops[(k + static_cast<std::size_t>(run)) % 3];
                    time_run(loop, batch, *times);
                }
            std::printf("%s, %d files:\n",
                        deep ? "12 levels deep, Chinese folder names" : "shallow", count);
            print_row("folder floor", floor, floor);
            print_row("rename_all", core, floor);
            print_row("full-path loop", full, floor);
        }
    }
    fs::remove_all(root);
    return 0;
}
