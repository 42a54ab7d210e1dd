// A fresh folder per test, removed afterwards, and whole-file helpers.
#pragma once

#include <sys/mount.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace qv::test {

struct TempDir {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("qv-files-" + std::to_string(std::random_device{}()));
    TempDir() { std::filesystem::create_directories(path); }
    ~TempDir() { std::filesystem::remove_all(path); }
    std::string File(const std::string& name) const { return (path / name).string(); }
};

// A small file system of its own, when this machine lets the test mount one
// (root in a container that allows it); full and read-only disks can only
// be had that way.
struct SmallDisk {
    TempDir dir;
    bool mounted = false;
    explicit SmallDisk(const char* options) {
        mounted = ::mount("tmpfs", dir.path.c_str(), "tmpfs", 0, options) == 0;
    }
    ~SmallDisk() {
        if (mounted) ::umount(dir.path.c_str());
    }
    bool RemountReadOnly() {
        return ::mount("tmpfs", dir.path.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
};

inline void WriteAll(const std::string& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

inline std::string ReadAll(const std::string& file) {
    std::ostringstream text;
    text << std::ifstream(file, std::ios::binary).rdbuf();
    return text.str();
}

// Splits at CR LF only, so a stray LF or an unended last line shows.
inline std::vector<std::string> CrLfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    if (start != text.size()) lines.push_back("<unended>" + text.substr(start));
    return lines;
}

}  // namespace qv::test
