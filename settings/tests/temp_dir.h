// A folder of its own for each test, removed afterwards.
#pragma once
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace vireska::test {

class TempDir {
public:
    TempDir() {
        static int counter = 0;
        const auto base = std::filesystem::temp_directory_path();
        for (int i = 0;; ++i) {
            Path = base / ("vireska-test-" + std::to_string(Run()) + "-" + std::to_string(counter++));
            if (std::filesystem::create_directory(Path)) break;
        }
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(Path, ec);
    }
    std::string File(const std::string& name) const { return (Path / name).string(); }

    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

private:
    // Tells this run's folders from those of other test programs.
    static unsigned Run() {
        static const unsigned id = std::random_device{}();
        return id;
    }
    std::filesystem::path Path;
};

#ifdef VIRESKA_FIXTURES_DIR
// A file of the fixtures folder, by a path the build's platform opens (a
// Windows program under Wine reaches the Unix folder through drive Z:).
inline std::string FixturePath(const std::string& name) {
    std::string path = std::string(VIRESKA_FIXTURES_DIR) + "/" + name;
#ifdef _WIN32
    for (char& c : path)
        if (c == '/') c = '\\';
    path = "Z:" + path;
#endif
    return path;
}
#endif

}  // namespace vireska::test
