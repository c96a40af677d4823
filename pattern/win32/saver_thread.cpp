#include "saver_thread.h"

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

}  // namespace

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
    while (!Terminated) {
        // Blocks until the owner's thread has run the step.
        SendMessageA(StepWindow, WM_RUN_STEP, 0, reinterpret_cast<LPARAM>(this));
        Sleep(SleepMs > 0 ? static_cast<DWORD>(SleepMs) : 0);
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
