// Stands in for an executable copy of the saver left by an earlier version:
// started, it writes its own command line to the file of its own path with
// ".args" appended, and ends.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    if (FILE* f = std::fopen((std::string(self) + ".args").c_str(), "wb")) {
        std::fputs(GetCommandLineA(), f);
        std::fclose(f);
    }
    return 0;
}
