// Prints the version resource of a program as the platform's version API
// reads it: the fixed file and product versions, then the strings of its
// first translation, one "name=value" line each (a missing one is left out).
// Usage: version_info FILE
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: version_info FILE\n");
        return 2;
    }
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(argv[1], &handle);
    std::vector<char> data(size);
    if (!size || !GetFileVersionInfoA(argv[1], 0, size, data.data())) {
        std::fprintf(stderr, "version_info: %s has no version resource\n", argv[1]);
        return 1;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
        const auto print = [](const char* name, DWORD ms, DWORD ls) {
            std::printf("fixed %s=%u.%u.%u.%u\n", name, unsigned{HIWORD(ms)}, unsigned{LOWORD(ms)}, unsigned{HIWORD(ls)},
                        unsigned{LOWORD(ls)});
        };
        print("FileVersion", fixed->dwFileVersionMS, fixed->dwFileVersionLS);
        print("ProductVersion", fixed->dwProductVersionMS, fixed->dwProductVersionLS);
    }
    struct Translation { WORD language, codePage; }* translation = nullptr;
    if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
        length < sizeof *translation)
        return 1;
    char block[64];
    std::snprintf(block, sizeof block, "\\StringFileInfo\\%04x%04x\\", translation->language, translation->codePage);
    for (const char* name : {"FileDescription", "FileVersion", "InternalName", "OriginalFilename", "ProductName",
                             "ProductVersion"}) {
        char* value = nullptr;
        if (VerQueryValueA(data.data(), (std::string(block) + name).c_str(), reinterpret_cast<void**>(&value), &length) &&
            value)
            std::printf("%s=%s\n", name, value);
    }
    return 0;
}
