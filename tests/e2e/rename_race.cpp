// Runs the batch against another process that creates files at the very
// names the batch renames to, and counts the files lost. On file systems
// without an atomic no-replace rename (exFAT and NTFS through FUSE) this
// is where a checked rename could replace the other process's file.
//
//   rename_race FOLDER [ROUNDS] [FILES]   exit 0 when nothing was lost

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <string>

#include "core/batch_rename.h"
#include "core/file_list.h"

namespace fs = std::filesystem;

namespace {

std::string novel(int i) {
    return "T" + std::to_string(i) + "\nbody of novel " + std::to_string(i) + "\n";
}

std::string theirs(int i) {
    return "the other program's file " + std::to_string(i) + "\n";
}

std::string read_all(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Follows the batch: waits a moment of random length at the name the batch
// is about to rename to, then creates it exclusively, over and over; each
// file it made is noted in `log`.
[[noreturn]] void other_program(const fs::path& folder, int files, const fs::path& log) {
    const int noted = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND, 0600);
    std::minstd_rand random(static_cast<unsigned>(getpid()));
    int at = 0;
    for (;;) {
        const fs::path source = folder / (std::to_string(at) + ".txt");
        const fs::path title = folder / ("T" + std::to_string(at) + ".txt");
        if (at + 1 < files && (!fs::exists(source) || fs::exists(title))) {
            ++at;
            continue;
        }
        for (unsigned wait = random() % 64; wait > 0; --wait) ::getppid();
        const int fd = ::open(title.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0) continue;
        const std::string bytes = theirs(at);
        if (::write(fd, bytes.data(), bytes.size()) < 0) std::_Exit(2);
        ::close(fd);
        const std::string line = std::to_string(at) + "\n";
        if (::write(noted, line.data(), line.size()) < 0) std::_Exit(2);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: rename_race FOLDER [ROUNDS] [FILES]\n";
        return 2;
    }
    const fs::path base = argv[1];
    const int rounds = argc > 2 ? std::stoi(argv[2]) : 5;
    const int files = argc > 3 ? std::stoi(argv[3]) : 2000;
    const fs::path log = fs::temp_directory_path() / ("varentix-race-" + std::to_string(getpid()));
    int lost_total = 0;
    for (int round = 1; round <= rounds; ++round) {
        const fs::path folder = base / ("round" + std::to_string(round));
        fs::remove_all(folder);
        fs::create_directories(folder);
        varentix::VectorFileList list;
        for (int i = 0; i < files; ++i) {
            const fs::path file = folder / (std::to_string(i) + ".txt");
            std::ofstream(file, std::ios::binary) << novel(i);
            list.append(file.string());
        }
        const pid_t other = fork();
        if (other == 0) other_program(folder, files, log);
        varentix::rename_all(list);
        kill(other, SIGKILL);
        waitpid(other, nullptr, 0);

        std::multiset<std::string> present;
        int placeholders = 0;
        for (const auto& item : fs::directory_iterator(folder)) {
            const std::string bytes = read_all(item.path());
            if (bytes.empty()) ++placeholders;
            present.insert(bytes);
        }
        std::set<int> created;
        std::ifstream noted(log);
        for (int i; noted >> i;) created.insert(i);
        int lost = 0, renamed = 0;
        for (int i = 0; i < files; ++i) {
            if (present.count(novel(i)) != 1) ++lost;
            if (created.count(i) && present.count(theirs(i)) != 1) ++lost;
            if (fs::exists(folder / ("T" + std::to_string(i) + ".txt")) && !created.count(i))
                ++renamed;
        }
        std::cout << "round " << round << ": " << files << " novels, " << renamed << " renamed, "
                  << created.size() << " names taken by the other program, " << placeholders
                  << " empty files left, " << lost << " lost\n";
        lost_total += lost;
        fs::remove_all(folder);
    }
    fs::remove(log);
    std::cout << "files lost: " << lost_total << "\n";
    return lost_total == 0 ? 0 : 1;
}
