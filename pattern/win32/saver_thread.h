// The drawing thread: it only paces. Each pass asks the thread that created
// it (the owner of the window and its canvas) to run one step and blocks until
// the step is done, then sleeps SleepMs or spins FineDelay message-pump passes.
// The request is a message sent to a hidden window of the owner's thread, so it
// is served by the owner's ordinary message dispatching, modal loops included.
#pragma once
#include <windows.h>

#include <atomic>
#include <memory>

#include "pattern.h"

namespace vireska {

// Waits whole milliseconds. Sleep on Windows 10 and 11 waits in timer ticks
// (about 15.6 ms) unless the process asks for finer timing, which would make
// msDelay 5, 10 and 15 one speed. A high-resolution waitable timer does it
// where the system has one (Windows 10 1803 on); elsewhere the timer
// resolution is raised to 1 ms for this object's lifetime. A wait of 0
// gives up the rest of the time slice, as Sleep(0) does.
class MillisecondWait {
public:
    MillisecondWait();
    ~MillisecondWait();
    MillisecondWait(const MillisecondWait&) = delete;
    MillisecondWait& operator=(const MillisecondWait&) = delete;
    void Wait(DWORD ms);

private:
    HANDLE Timer = nullptr;
    HMODULE Winmm = nullptr;  // loaded only where the timer is missing
    UINT (WINAPI* EndPeriod)(UINT) = nullptr;
};

class TSaverThread {
public:
    // Starts the thread at normal priority; the first step fills `area` black.
    // The canvas and the settings are the creator's and are used only by the
    // steps, which run on the creator's thread; the canvas must outlive the
    // thread's last step, which is guaranteed once Terminate has been called
    // (see Terminate).
    static std::shared_ptr<TSaverThread> Create(PatternSettings& settings, Canvas* canvas, const Rect& area);

    // The area to fill black at the next step (owner's thread only).
    void SetRepaintRect(const Rect& r) { Runner.SetRepaintRect(r); }
    void SetPriority(int priority) { SetThreadPriority(Thread, priority); }
    // Asks the thread to stop and returns at once. A step requested before
    // and served after this call draws nothing, so the owner may free its
    // canvas and window as soon as Terminate returns. The thread object goes
    // when both the owner's and the thread's references are dropped.
    void Terminate() { Terminated = true; }

    ~TSaverThread();
    TSaverThread(const TSaverThread&) = delete;
    TSaverThread& operator=(const TSaverThread&) = delete;

private:
    TSaverThread(PatternSettings& settings, Canvas* canvas, const Rect& area);
    static DWORD WINAPI Execute(void* self);
    static LRESULT CALLBACK StepWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void Loop();
    void AStep();

    // The pacing values, copied at creation: this thread reads nothing that
    // belongs to its owner, who never waits for it to end.
    const int32_t SleepMs;
    const int32_t FineDelay;
    StepRunner Runner;
    HWND StepWindow = nullptr;
    HANDLE Thread = nullptr;
    std::atomic<bool> Terminated{false};
};

}  // namespace vireska
