#include "temp_dir.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <random>

namespace qx::test {

TempDir::TempDir()
{
    static std::atomic<int> counter{0};
    std::random_device random;
    path_ = fs::temp_directory_path() /
            ("qxtest-" + std::to_string(random()) + "-" + std::to_string(counter++));
    fs::create_directories(path_);
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void writeBytes(const fs::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void writeText(const fs::path& path, const std::string& text)
{
    writeBytes(path, bytesOf(text));
}

Bytes bytesOf(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

bool linksWork(const fs::path& dir)
{
    std::error_code error;
    fs::create_symlink("target", dir / "link-probe", error);
    fs::remove(dir / "link-probe");
    return !error;
}

bool patchWorks()
{
    static const bool works = std::system("patch --version >" QX_NULL_DEVICE " 2>&1") == 0;
    return works;
}

}
