// The drawing thread's cost, under the platform: steps per second of the
// paced saver (msDelay 0, Delay 0) against a loop that draws the same steps
// directly on the same window, and the main thread's share of the time; then
// the paced saver at msDelay 5, 10, 20 and 50 against the most that pause
// allows (1000 / msDelay steps a second), and the same pause made by Sleep.
// Run by hand: wine vireska-pacing-bench.exe [seconds]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <memory>

#include "gdi_canvas.h"
#include "pattern.h"
#include "saver_thread.h"

namespace {

using namespace vireska;

double Seconds(const FILETIME& f) {
    return static_cast<double>((static_cast<uint64_t>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 1e7;
}

double MainThreadCpu() {
    FILETIME c, e, k, u;
    GetThreadTimes(GetCurrentThread(), &c, &e, &k, &u);
    return Seconds(k) + Seconds(u);
}

PatternSettings Settings(int32_t msDelay = 0) {
    PatternInput in;
    in.msDelay = msDelay;
    in.Delay = 0;
    in.continue_ = 1;
    in.continueat = 100000;
    return DerivePattern(in, 0);
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    WNDCLASSA wc{};
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VireskaPacingBench";
    RegisterClassA(&wc);
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    HWND hwnd = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "bench", WS_POPUP | WS_VISIBLE, 0, 0, w, h, nullptr,
                                nullptr, wc.hInstance, nullptr);
    GdiCanvas canvas(GetDC(hwnd));
    const Rect area{0, 0, w, h};
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    auto elapsed = [&] { QueryPerformanceCounter(&t1); return static_cast<double>(t1.QuadPart - t0.QuadPart) / freq.QuadPart; };

    // The same steps drawn directly, on the main thread.
    PatternSettings direct = Settings();
    StepRunner runner(direct, &canvas, area);
    QueryPerformanceCounter(&t0);
    long directSteps = 0;
    while (elapsed() < seconds) {
        runner.AStep();
        Pump();
        ++directSteps;
    }
    const double directTime = elapsed();

    // The paced saver: the drawing thread asks, the main thread draws.
    PatternSettings paced = Settings();
    const double cpu0 = MainThreadCpu();
    QueryPerformanceCounter(&t0);
    auto thread = TSaverThread::Create(paced, &canvas, area);
    thread->SetPriority(THREAD_PRIORITY_HIGHEST);
    while (elapsed() < seconds) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT | QS_SENDMESSAGE);
        Pump();
    }
    thread->Terminate();
    const double pacedTime = elapsed();
    const double mainShare = (MainThreadCpu() - cpu0) / pacedTime;
    const long pacedSteps = paced.StepCounter - 100000;
    thread.reset();

    const double directRate = directSteps / directTime, pacedRate = pacedSteps / pacedTime;
    std::printf("area %dx%d, %.1f s each\n", w, h, seconds);
    std::printf("direct loop:  %8.0f steps/s\n", directRate);
    std::printf("paced saver:  %8.0f steps/s (%.1f%% slower)\n", pacedRate, 100.0 * (1.0 - pacedRate / directRate));
    std::printf("main thread:  %5.1f%% of the paced run's time\n", 100.0 * mainShare);

    // The pauses: steps per second of the paced saver, and of a loop that
    // draws the same steps with Sleep for the pause.
    std::printf("msDelay  at most  paced saver  with Sleep\n");
    for (int32_t ms : {5, 10, 20, 50}) {
        PatternSettings timed = Settings(ms);
        QueryPerformanceCounter(&t0);
        auto pacer = TSaverThread::Create(timed, &canvas, area);
        while (elapsed() < seconds) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT | QS_SENDMESSAGE);
            Pump();
        }
        pacer->Terminate();
        const double timedRate = (timed.StepCounter - 100000) / elapsed();
        pacer.reset();
        PatternSettings slept = Settings(ms);
        StepRunner sleptRunner(slept, &canvas, area);
        QueryPerformanceCounter(&t0);
        while (elapsed() < seconds) {
            sleptRunner.AStep();
            Pump();
            Sleep(static_cast<DWORD>(ms));
        }
        const double sleptRate = (slept.StepCounter - 100000) / elapsed();
        std::printf("%7d  %7.0f  %11.0f  %10.0f\n", ms, 1000.0 / ms, timedRate, sleptRate);
    }
    DestroyWindow(hwnd);
    return 0;
}
