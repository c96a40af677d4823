// The installer: asks once, copies vireska.scr from its own folder into the
// system directory as vireska.scr and vireska.exe, and hands the installed
// file to the display control panel's screen-saver installation. It shows one
// message box, looks at no result and always exits with code 0.
// The 32-bit installer started on 64-bit Windows copies nothing: its copies
// would land in the 32-bit system directory, where the display settings do
// not look; its one message box sends the user to the 64-bit package.
//
// It calls the platform and nothing else: no C or C++ runtime is linked in,
// and the system calls InstallerMain directly. Texts live on the process
// heap, each allocated at the size it needs; the process ends right after.
#include <windows.h>
#include <shellapi.h>

namespace {

const char kQuestion[] = "This will install Vireska Screen Saver 3.3 with Murmura(TM) technology. Continue ?";
const char kCaption[] = "Hi - Orvanta is presenting you Vireska";
const char kUse64BitPackage[] =
    "This is the 32-bit package of Vireska Screen Saver 3.3, and this Windows is 64-bit: its display settings "
    "list only 64-bit screen savers. Please install the 64-bit package (vireska-3.3.0-win64.zip) instead.";

// True for a 32-bit program on 64-bit Windows.
bool Under64BitWindows() {
#ifdef _WIN64
    return false;
#else
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
#endif
}

char* NewText(DWORD size) { return static_cast<char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size)); }

// `a` followed by `b`, or nothing when there is no memory for it.
char* Joined(const char* a, const char* b) {
    char* text = NewText(static_cast<DWORD>(lstrlenA(a) + lstrlenA(b) + 1));
    if (text) lstrcatA(lstrcpyA(text, a), b);
    return text;
}

// The system directory without a trailing backslash, however long it is.
char* SystemDirectory() {
    const UINT size = GetSystemDirectoryA(nullptr, 0);  // with its NUL
    char* dir = size ? NewText(size) : nullptr;
    if (dir && GetSystemDirectoryA(dir, size) >= size) dir[0] = '\0';
    return dir;
}

// The installer's own program file, however long its path is.
char* OwnProgramFile() {
    for (DWORD size = MAX_PATH;; size *= 2) {
        char* path = NewText(size);
        if (!path) return nullptr;
        if (GetModuleFileNameA(nullptr, path, size) < size) return path;
        HeapFree(GetProcessHeap(), 0, path);
    }
}

// Cuts a path after its folder: everything up to and including the last "\" or ":".
void KeepFolder(char* path) {
    char* end = path;
    for (char* p = path; *p; ++p)
        if (*p == '\\' || *p == ':') end = p + 1;
    *end = '\0';
}

void Install() {
    if (Under64BitWindows()) {
        MessageBoxA(nullptr, kUse64BitPackage, kCaption, MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (MessageBoxA(nullptr, kQuestion, kCaption, MB_YESNOCANCEL | MB_ICONINFORMATION) != IDYES) return;
    const char* system = SystemDirectory();
    char* own = OwnProgramFile();
    if (!system || !own) return;
    KeepFolder(own);
    const char* source = Joined(own, "vireska.scr");
    const char* saver = Joined(system, "\\vireska.scr");
    const char* copy = Joined(system, "\\vireska.exe");
    if (source && saver) CopyFileA(source, saver, FALSE);
    if (source && copy) CopyFileA(source, copy, FALSE);
    ShellExecuteA(nullptr, nullptr, "rundll32.exe", "desk.cpl,InstallScreenSaver vireska.scr", system, SW_SHOW);
}

}  // namespace

extern "C" void InstallerMain() {
    Install();
    ExitProcess(0);
}
