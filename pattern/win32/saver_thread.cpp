#include "saver_thread.h"

#include <string>

namespace vireska {

namespace {

constexpr UINT WM_RUN_STEP = WM_APP + 1;
constexpr char kStepWindowClass[] = "VireskaStepRequest";

// One pass of the calling thread's message pump.
void PumpOnce() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

}  // namespace

MillisecondWait::MillisecondWait() {
    Timer = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                   SYNCHRONIZE | TIMER_MODIFY_STATE);
    if (Timer) return;
    // An older system: ask for 1 ms timer ticks while this object lives.
    char dir[MAX_PATH] = {};
    const UINT n = GetSystemDirectoryA(dir, sizeof dir);
    if (n == 0 || n >= sizeof dir) return;
    Winmm = LoadLibraryA((std::string(dir) + "\\winmm.dll").c_str());
    if (!Winmm) return;
    using Period = UINT(WINAPI*)(UINT);
    const auto begin = reinterpret_cast<Period>(reinterpret_cast<void*>(GetProcAddress(Winmm, "timeBeginPeriod")));
    EndPeriod = reinterpret_cast<Period>(reinterpret_cast<void*>(GetProcAddress(Winmm, "timeEndPeriod")));
    if (!begin || !EndPeriod || begin(1) != 0) EndPeriod = nullptr;
}

MillisecondWait::~MillisecondWait() {
    if (Timer) CloseHandle(Timer);
    if (EndPeriod) EndPeriod(1);
    if (Winmm) FreeLibrary(Winmm);
}

void MillisecondWait::Wait(DWORD ms) {
    if (ms == 0 || !Timer) {
        Sleep(ms);
        return;
    }
    LARGE_INTEGER due;
    due.QuadPart = -static_cast<LONGLONG>(ms) * 10000;  // relative, in 100 ns
    if (SetWaitableTimer(Timer, &due, 0, nullptr, nullptr, FALSE))
        WaitForSingleObject(Timer, INFINITE);
    else
        Sleep(ms);
}

TSaverThread::TSaverThread(PatternSettings& settings, Canvas* canvas, const Rect& area)
    : SleepMs(settings.SleepMs), FineDelay(settings.FineDelay), Runner(settings, canvas, area) {}

TSaverThread::~TSaverThread() {
    if (Thread) CloseHandle(Thread);
}

std::shared_ptr<TSaverThread> TSaverThread::Create(PatternSettings& settings, Canvas* canvas, const Rect& area) {
    std::shared_ptr<TSaverThread> self(new TSaverThread(settings, canvas, area));
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = StepWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kStepWindowClass;
    RegisterClassA(&wc);  // fails harmlessly when a second thread registers it again
    // A message-only window of the creating thread receives the step requests.
    self->StepWindow = CreateWindowExA(0, kStepWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    // Every field is set before the thread starts; it holds its own reference.
    auto* ref = new std::shared_ptr<TSaverThread>(self);
    self->Thread = CreateThread(nullptr, 0, Execute, ref, 0, nullptr);
    if (!self->Thread) delete ref;
    return self;
}

DWORD WINAPI TSaverThread::Execute(void* param) {
    std::unique_ptr<std::shared_ptr<TSaverThread>> ref(static_cast<std::shared_ptr<TSaverThread>*>(param));
    (*ref)->Loop();
    return 0;  // the reference goes here: the object frees itself once the owner let go
}

void TSaverThread::Loop() {
    if (!Runner.HasCanvas()) return;
    MillisecondWait pause;
    while (!Terminated) {
        // Blocks until the owner's thread has run the step.
        SendMessageA(StepWindow, WM_RUN_STEP, 0, reinterpret_cast<LPARAM>(this));
        pause.Wait(SleepMs > 0 ? static_cast<DWORD>(SleepMs) : 0);
        // The fine delay: FineDelay + 1 looks at this thread's empty queue.
        if (SleepMs == 0)
            for (int64_t i = 0; i <= FineDelay; ++i) PumpOnce();
        PumpOnce();
    }
    // The step window belongs to the owner's thread; it goes with the process.
    PostMessageA(StepWindow, WM_CLOSE, 0, 0);
}

void TSaverThread::AStep() {
    if (!Terminated) Runner.AStep();
}

LRESULT CALLBACK TSaverThread::StepWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_RUN_STEP) {
        // The sender is blocked in SendMessage and keeps the object alive.
        reinterpret_cast<TSaverThread*>(lp)->AStep();
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace vireska
