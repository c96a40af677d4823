// The drawing thread under the platform: steps run on the thread that created
// it, and once told to stop it ends by itself without reading anything that
// belongs to its owner, who never waits for it.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "saver_thread.h"
#include "soft_canvas.h"

namespace vireska {
namespace {

int ThreadsOfThisProcess() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int n = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        n += entry.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    return n;
}

// Serves this thread's messages (the step requests among them) for `ms`.
void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

size_t Lit(const SoftCanvas& canvas) {
    size_t n = 0;
    for (ColorRef c : canvas.Data()) n += c != 0;
    return n;
}

TEST(SaverThread, StepsRunWhileTheOwnerDispatchesAndTheThreadEndsAfterTerminate) {
    struct Case { int32_t sleepMs, fineDelay; } cases[] = {{10, 0}, {0, 2000}};
    for (const auto& c : cases) {
        PatternInput in;
        in.msDelay = c.sleepMs, in.Delay = c.fineDelay, in.continue_ = 1, in.continueat = 1000;
        auto settings = std::make_unique<PatternSettings>(DerivePattern(in, 0));
        SoftCanvas canvas(160, 120);
        const int before = ThreadsOfThisProcess();
        auto thread = TSaverThread::Create(*settings, &canvas, Rect{0, 0, 160, 120});
        PumpFor(300);
        EXPECT_GT(settings->StepCounter, 1000) << "steps ran on this thread";
        EXPECT_GT(Lit(canvas), 0u);
        EXPECT_EQ(ThreadsOfThisProcess(), before + 1);

        // Not dispatching: the thread now waits for its next step.
        Sleep(100);
        const int32_t drawn = settings->StepCounter;
        thread->Terminate();
        thread.reset();
        // The owner is gone: what its record holds now is nobody's business.
        settings->SleepMs = INT32_MAX;
        settings->FineDelay = INT32_MAX;
        int after = -1;
        for (int i = 0; i < 60 && after != before; ++i) {
            PumpFor(50);  // serves the request still pending: it draws nothing
            after = ThreadsOfThisProcess();
        }
        EXPECT_EQ(after, before) << "sleep " << c.sleepMs << ", fine delay " << c.fineDelay
                                 << ": the thread ends by itself";
        EXPECT_EQ(settings->StepCounter, drawn) << "no step after Terminate";
    }
}

// The pause between steps waits at least what it is asked (a timer due in the
// past, or one set in the wrong unit, would not wait at all); 0 only yields.
TEST(MillisecondWait, WaitsAtLeastTheAskedTime) {
    MillisecondWait pause;
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    for (DWORD ms : {1u, 5u, 30u}) {
        QueryPerformanceCounter(&t0);
        pause.Wait(ms);
        QueryPerformanceCounter(&t1);
        const double waited = 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(freq.QuadPart);
        EXPECT_GE(waited, ms - 0.5) << ms << " ms";
    }
}

}  // namespace
}  // namespace vireska
