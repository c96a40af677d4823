// A stand-in for the display control panel, for the installer tests: its
// rundll32 entry "InstallScreenSaver" records the argument and the working
// directory it was given in desk-cpl-record.txt beside this file.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {
HMODULE Self = nullptr;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) Self = instance;
    return TRUE;
}

extern "C" __declspec(dllexport) void CALLBACK InstallScreenSaver(HWND, HINSTANCE, LPSTR commandLine, int) {
    char path[MAX_PATH] = {}, dir[MAX_PATH] = {};
    GetModuleFileNameA(Self, path, sizeof path);
    std::string record = path;
    record.erase(record.find_last_of('\\') + 1);
    record += "desk-cpl-record.txt";
    GetCurrentDirectoryA(sizeof dir, dir);
    if (FILE* f = std::fopen(record.c_str(), "wb")) {
        std::fprintf(f, "%s\n%s\n", commandLine ? commandLine : "", dir);
        std::fclose(f);
    }
}
