// Any settings file: the start-up reader and the first steps drawn from what it
// read must stay defined (the sanitizers watch), whatever the file holds.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "file_profile.h"
#include "numeric.h"
#include "pattern.h"
#include "settings_file.h"
#include "soft_canvas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/vireska-fuzz-" + std::to_string(getpid()) + ".ini";
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    vireska::FileProfile profile;
    vireska::PatternSettings ps = vireska::ReadIniSet(profile, path, 4711);
    // Keep each run short: the sanitizers look at the arithmetic, not the count.
    if (ps.Corners > 50 || ps.Corners < -50) ps.AngleStep = vireska::Store32(6.28318530718L / 50);
    vireska::SoftCanvas canvas(64, 48);
    vireska::StepRunner runner(ps, &canvas, vireska::Rect{0, 0, 64, 48});
    for (int i = 0; i < 3; ++i) runner.AStep();
    std::remove(path.c_str());
    return 0;
}
