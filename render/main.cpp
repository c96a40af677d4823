// vireska-render: draws steps of the rosette onto a software canvas and writes
// a PNG picture and/or a trace of the drawing operations.
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "numeric.h"
#include "pattern.h"
#include "file_profile.h"
#include "platform_profile.h"
#include "presets.h"
#include "settings_file.h"
#include "soft_canvas.h"
#include "trace_canvas.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace {

using namespace vireska;

constexpr const char* kUsage =
    "usage: vireska-render [--ini PATH | --preset NAME|N] [--start N] [--size WxH] [--steps K] [--png FILE] "
    "[--trace FILE|-] [--settings] [--list-presets]";

// The largest picture the tool draws: 2^28 pixels (1 GiB of canvas).
constexpr int64_t kMaxPixels = int64_t{1} << 28;

struct Options {
    std::optional<std::string> ini;
    std::optional<int> preset;  // a factory preset, by its position
    std::optional<int32_t> start;
    int32_t width = 1024, height = 768;
    int64_t steps = 1000;
    std::optional<std::string> png, trace;
    bool settings = false;  // print the values read and stop
};

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "vireska-render: %s\n", message.c_str());
    std::exit(2);
}

// A whole decimal integer within [lo, hi], or nothing.
std::optional<int64_t> ParseInteger(const std::string& text, int64_t lo, int64_t hi) {
    if (text.empty()) return std::nullopt;
    size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size()) return std::nullopt;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > int64_t{1} << 40) return std::nullopt;
    }
    if (text[0] == '-') value = -value;
    if (value < lo || value > hi) return std::nullopt;
    return value;
}

// A factory preset by its position (0 to 36) or its name.
int FactoryPresetByNameOrNumber(const std::string& text) {
    const int count = static_cast<int>(std::size(kFactoryPresets));
    if (const auto n = ParseInteger(text, 0, count - 1)) return static_cast<int>(*n);
    for (int i = 0; i < count; ++i)
        if (text == kFactoryPresets[i].Name) return i;
    Fail("no factory preset '" + text + "': give a number from 0 to " + std::to_string(count - 1) +
         " or a name, such as 'Alice in Wonderland'");
}

Options ParseArguments(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) Fail("option " + arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--ini") {
            o.ini = value();
        } else if (arg == "--preset") {
            o.preset = FactoryPresetByNameOrNumber(value());
        } else if (arg == "--start") {
            const std::string v = value();
            const auto n = ParseInteger(v, INT32_MIN, INT32_MAX);
            if (!n) Fail("--start needs a 32-bit integer, not '" + v + "'");
            o.start = static_cast<int32_t>(*n);
        } else if (arg == "--size") {
            const std::string v = value();
            const size_t x = v.find_first_of("xX");
            const auto w = x == std::string::npos ? std::nullopt : ParseInteger(v.substr(0, x), 1, 1 << 20);
            const auto h = x == std::string::npos ? std::nullopt : ParseInteger(v.substr(x + 1), 1, 1 << 20);
            if (!w || !h || v[0] == '+' || v[x + 1] == '+')
                Fail("--size needs WxH with whole numbers W, H >= 1, not '" + v + "'");
            if (*w * *h > kMaxPixels) Fail("--size " + v + " is larger than 2^28 pixels");
            o.width = static_cast<int32_t>(*w), o.height = static_cast<int32_t>(*h);
        } else if (arg == "--steps") {
            const std::string v = value();
            const auto k = ParseInteger(v, 0, INT64_C(1) << 40);
            if (!k) Fail("--steps needs a whole number >= 0, not '" + v + "'");
            o.steps = *k;
        } else if (arg == "--png") {
            o.png = value();
        } else if (arg == "--trace") {
            o.trace = value();
        } else if (arg == "--settings") {
            o.settings = true;
        } else if (arg == "--list-presets") {
            for (size_t i = 0; i < std::size(kFactoryPresets); ++i) std::printf("%zu %s\n", i, kFactoryPresets[i].Name);
            std::exit(std::fflush(stdout) == 0 ? 0 : 2);
        } else if (arg == "--help" || arg == "-h") {
            std::printf("%s\n", kUsage);
            std::exit(0);
        } else {
            Fail("unknown option '" + arg + "' (" + kUsage + ")");
        }
    }
    if (!o.png && !o.trace && !o.settings) Fail("nothing to write: give --png FILE and/or --trace FILE, or --settings");
    if (o.ini && o.preset) Fail("--ini and --preset both name the settings: give one of them");
    return o;
}

// An output that appears under its name only when it is complete: it is
// written to a temporary file beside it and renamed at the end.
class Output {
public:
    explicit Output(const std::string& path) : Path(path), Temp(path + ".part") {
        File = std::fopen(Temp.c_str(), "wb");
        if (!File) Fail("cannot write " + path + ": " + std::strerror(errno));
    }
    ~Output() {
        if (File) std::fclose(File);
        if (!Done) std::remove(Temp.c_str());
    }
    std::FILE* Stream() { return File; }
    const std::string& TempPath() const { return Temp; }
    // Closes the stream; the caller may then write the temporary file by name.
    void CloseStream() {
        if (File && std::fclose(File) != 0) {
            File = nullptr;
            Fail("cannot write " + Path + ": " + std::strerror(errno));
        }
        File = nullptr;
    }
    void Commit() {
        CloseStream();
        std::error_code ec;
        std::filesystem::rename(Temp, Path, ec);
        if (ec) Fail("cannot write " + Path + ": " + ec.message());
        Done = true;
    }

private:
    std::string Path, Temp;
    std::FILE* File = nullptr;
    bool Done = false;
};

// The values the saver would draw with: the start-up reader's, after its
// checksum and limits, and the start given on the command line.
// A factory preset as the saver reads it once the dialog has picked it and
// written the settings: the preset's nine values in the fields, the file's
// rules (checksum, limits) for the rest.
PatternInput PresetInput(int index) {
    const PresetValues& v = kFactoryPresets[index].Values;  // SpinEdit1 to SpinEdit9
    DialogValues dialog;
    dialog.BoxIndex = index;
    dialog.Delay = v[0], dialog.LinZahl = v[1], dialog.EckenZahl = v[2], dialog.LinLaenge = v[3];
    dialog.Spinit = v[4], dialog.Erase = v[5], dialog.AutoLength = v[6], dialog.msDelay = v[7], dialog.Zoom = v[8];
    MemoryProfile profile;
    const std::string path = "vireska.ini";
    WriteIniSet(profile, path, dialog);
    return ReadPatternInput(profile, path);
}

PatternInput LoadInput(const Options& o) {
    PatternInput in;  // the values of a missing file
    if (o.preset) in = PresetInput(*o.preset);
    if (o.ini) {
        std::error_code ec;
        const std::string full = std::filesystem::absolute(*o.ini, ec).string();
        PlatformProfile profile;
        in = ReadPatternInput(profile, ec ? *o.ini : full);
    }
    if (o.start) {
        in.continue_ = 1;
        in.continueat = *o.start;
    }
    return in;
}

// One "key=value" line per key of the settings file, in the reader's order.
void PrintSettings(const PatternInput& in) {
    const int32_t values[] = {in.Delay, in.msDelay, in.LinZahl,    in.EckenZahl, in.LinLaenge, in.Spinit,
                              in.Erase, in.AutoLength, in.Zoom, in.continueat, in.continue_};
    const SettingId ids[] = {kDelay,  kMsDelay,    kLinZahl, kEckenZahl, kLinLaenge, kSpinit,
                             kErase,  kAutoLength, kZoom,    kContinueAt, kContinue};
    for (size_t i = 0; i < std::size(ids); ++i) std::printf("%s=%d\n", kSettingKeys[ids[i]].Name, values[i]);
}

bool WritePng(const SoftCanvas& canvas, const std::string& path) {
    std::vector<unsigned char> rgb(static_cast<size_t>(canvas.Width()) * canvas.Height() * 3);
    size_t i = 0;
    for (ColorRef c : canvas.Data()) {
        rgb[i++] = static_cast<unsigned char>(c & 0xFF);
        rgb[i++] = static_cast<unsigned char>((c >> 8) & 0xFF);
        rgb[i++] = static_cast<unsigned char>((c >> 16) & 0xFF);
    }
    return stbi_write_png(path.c_str(), canvas.Width(), canvas.Height(), 3, rgb.data(), canvas.Width() * 3) != 0;
}

}  // namespace

int main(int argc, char** argv) {
    vireska::UseExtendedPrecision();
    const Options o = ParseArguments(argc, argv);
    const PatternInput input = LoadInput(o);
    if (o.settings) {
        PrintSettings(input);
        return std::fflush(stdout) == 0 ? 0 : 2;
    }
    PatternSettings settings = DerivePattern(input, TimeOfDayMs());

    // Open every output before drawing, so a bad path fails at once.
    std::unique_ptr<Output> traceFile, pngFile;
    std::FILE* traceStream = nullptr;
    if (o.trace) {
        if (*o.trace == "-") {
            traceStream = stdout;
        } else {
            traceFile = std::make_unique<Output>(*o.trace);
            traceStream = traceFile->Stream();
        }
    }
    if (o.png) pngFile = std::make_unique<Output>(*o.png);

    std::unique_ptr<SoftCanvas> picture;
    if (o.png) picture = std::make_unique<SoftCanvas>(o.width, o.height);
    NullCanvas nothing;
    Canvas* target = picture ? static_cast<Canvas*>(picture.get()) : &nothing;
    std::unique_ptr<TraceCanvas> tracer;
    if (traceStream) {
        tracer = std::make_unique<TraceCanvas>(traceStream, target);
        target = tracer.get();
    }

    // The first step fills the whole area black, as the drawing thread's does.
    StepRunner runner(settings, target, Rect{0, 0, o.width, o.height});
    for (int64_t i = 0; i < o.steps; ++i) runner.AStep();

    if (traceStream && (std::fflush(traceStream) != 0 || std::ferror(traceStream)))
        Fail("cannot write " + *o.trace + ": " + std::strerror(errno));
    if (traceFile) traceFile->Commit();
    if (pngFile) {
        pngFile->CloseStream();
        if (!WritePng(*picture, pngFile->TempPath())) Fail("cannot write " + *o.png);
        pngFile->Commit();
        std::printf("%s\n", o.png->c_str());
    }
    return 0;
}
