// Times rename_all over freshly written novel files against a bare loop of
// the system calls it cannot avoid (open, read 512 bytes, close, renameat2),
// at 1,000, 10,000 and 100,000 files; then, at 10,000 files, what deciding
// each file's encoding costs: GBK and UTF-8 novels through rename_all beside
// the byte-only loop rename_all ran before it looked at encodings.
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
#include <vector>

#include "core/batch_rename.h"
#include "core/codepage.h"
#include "core/file_system.h"
#include "core/first_line.h"
#include "core/title.h"

namespace fs = std::filesystem;
using varentix::Text;

namespace {

constexpr int kRepeats = 3;

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
    fs::path folder;
    std::vector<Text> paths;         // as the list holds them
    std::vector<std::string> names;  // file-system names, for the bare loop
    std::vector<std::string> targets;
};

enum class FileEncoding { Gbk, Utf8 };

// The bytes of a file in the chosen encoding.
std::string encoded(const std::string& gbk, FileEncoding encoding) {
    return encoding == FileEncoding::Gbk ? gbk : *varentix::text_to_utf8(gbk);
}

Batch write_batch(const fs::path& folder, int count, FileEncoding encoding = FileEncoding::Gbk) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    Batch batch{folder, {}, {}, {}};
    const Text sentence = *varentix::utf8_to_text("天色已晚，少年背着书箱走出了山村。\r\n");
    std::string body;
    while (body.size() < 16384) body += sentence;
    const Text prefix = *varentix::utf8_to_text(folder.string() + "/");
    for (int i = 0; i < count; ++i) {
        const std::string name = std::to_string(1000 + i) + ".txt";
        std::ofstream(folder / name, std::ios::binary)
            << encoded(gbk_first_line(i) + "\r\n" + body, encoding);
        batch.paths.push_back(prefix + name);
        batch.names.push_back((folder / name).string());
        const Text gbk_line = gbk_first_line(i);
        const Text title = varentix::extract_title(gbk_line, varentix::detect_layout(gbk_line));
        batch.targets.push_back(folder.string() + "/" + *varentix::text_to_utf8(title) + ".txt");
    }
    // Flush the new files now, so that their write-back does not land in
    // whichever loop is timed next.
    ::sync();
    return batch;
}

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double time_rename_all(const Batch& batch) {
    varentix::VectorFileList list(batch.paths);
    const auto start = std::chrono::steady_clock::now();
    varentix::rename_all(list);
    return seconds_since(start);
}

// rename_all as it was before it looked at encodings: every first line read
// as code-page bytes.
double time_byte_path(const Batch& batch) {
    varentix::VectorFileList list(batch.paths);
    const auto start = std::chrono::steady_clock::now();
    const std::int32_t count = list.count();
    for (std::int32_t index = 0; index < count; ++index) {
        const Text path = varentix::replace_all(list.entry(index), "\r\n", "");
        const Text folder =
            varentix::text_left(path, varentix::find_text_reverse(path, varentix::kPathSeparator));
        const Text line = varentix::read_first_line(path);
        const Text title = varentix::extract_title(line, varentix::detect_layout(line));
        if (title.empty() || varentix::holds_path_separator(title)) continue;
        const Text renamed = varentix::concat(folder, title, ".txt");
        if (varentix::rename_path(path, renamed)) list.replace(index, renamed);
    }
    return seconds_since(start);
}

double time_bare_loop(const Batch& batch) {
    char block[512];
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t i = 0; i < batch.names.size(); ++i) {
        const int fd = ::open(batch.names[i].c_str(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0) {
            if (::read(fd, block, sizeof block) < 0) std::perror("read");
            ::close(fd);
        }
        ::renameat2(AT_FDCWD, batch.names[i].c_str(), AT_FDCWD, batch.targets[i].c_str(),
                    RENAME_NOREPLACE);
    }
    return seconds_since(start);
}

}  // namespace

int main(int argc, char** argv) {
    const int largest = argc > 1 ? std::atoi(argv[1]) : 100000;
    const fs::path root = fs::temp_directory_path() / "varentix-bench";
    std::printf("%9s %16s %16s %7s\n", "files", "rename_all f/s", "bare loop f/s", "ratio");
    for (int count = 1000; count <= largest; count *= 10) {
        double best_core = 1e9;
        double best_bare = 1e9;
        const int repeats = count >= 100000 ? 1 : kRepeats;
        for (int r = 0; r < repeats; ++r) {
            const Batch bare = write_batch(root / "bare", count);
            best_bare = std::min(best_bare, time_bare_loop(bare));
            const Batch core = write_batch(root / "core", count);
            best_core = std::min(best_core, time_rename_all(core));
        }
        std::printf("%9d %16.0f %16.0f %7.2f\n", count, count / best_core, count / best_bare,
                    best_core / best_bare);
    }

    constexpr int kEncodingCount = 10000;
    double byte_path = 1e9;
    double gbk = 1e9;
    double utf8 = 1e9;
    for (int r = 0; r < kRepeats; ++r) {
        byte_path =
            std::min(byte_path, time_byte_path(write_batch(root / "bytes", kEncodingCount)));
        gbk = std::min(gbk, time_rename_all(write_batch(root / "gbk", kEncodingCount)));
        utf8 = std::min(
            utf8, time_rename_all(write_batch(root / "utf8", kEncodingCount, FileEncoding::Utf8)));
    }
    std::printf("\n%d files, deciding the encoding (files per second):\n", kEncodingCount);
    std::printf("  byte path before:  %8.0f\n", kEncodingCount / byte_path);
    std::printf("  GBK novels:        %8.0f  (%.2f of before)\n", kEncodingCount / gbk,
                byte_path / gbk);
    std::printf("  UTF-8 novels:      %8.0f  (%.2f of before)\n", kEncodingCount / utf8,
                byte_path / utf8);
    fs::remove_all(root);
    return 0;
}
