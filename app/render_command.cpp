#include "app/render_command.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string>

#include "app/batch_time_limit.h"
#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/dc.h"
#include "framework/vector_picture.h"
#include "plot2d/plot2_win.h"
#include "plotwin/safe_file.h"
#include "resources/resources.h"

namespace curvelo {
namespace {

constexpr int kMinSide = 16, kMaxSide = 8192;

struct RenderArgs {
    std::string input, output;
    int width = 800, height = 600;
    int timeout = kDefaultBatchTimeout;
};

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string Extension(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return Lower(path.substr(dot + 1));
}

bool ParseSize(const char* text, int& w, int& h) {
    char* end = nullptr;
    const long a = std::strtol(text, &end, 10);
    if (end == text || (*end != 'x' && *end != 'X')) return false;
    const char* second = end + 1;
    const long b = std::strtol(second, &end, 10);
    if (end == second || *end != '\0') return false;
    if (a < kMinSide || a > kMaxSide || b < kMinSide || b > kMaxSide) return false;
    w = static_cast<int>(a);
    h = static_cast<int>(b);
    return true;
}

// The usage line goes with message 401 for arguments that cannot be understood.
int Usage(std::ostream& err, const std::string& why) {
    err << "error 401: " << res::String(401) << " (" << why << ")\n"
        << "curvelo --render FILE.cv2 -o OUT.png|.svg|.pdf|.cv2 [--size WxH] [--timeout SECONDS]\n";
    return 2;
}

int Fail(std::ostream& err, int code) {
    err << "error " << 400 + code << ": " << res::String(400 + code) << '\n';
    return 1;
}

bool WriteText(const std::string& path, const std::string& text) {
    return WriteFileSafely(path, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

}  // namespace

bool IsRenderCommand(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--render") == 0) return true;
    return false;
}

int RunRender(int argc, char** argv, std::ostream& err) {
    RenderArgs a;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--render" && hasValue) a.input = argv[++i];
        else if (arg == "-o" && hasValue) a.output = argv[++i];
        else if (arg == "--size" && hasValue) {
            if (!ParseSize(argv[++i], a.width, a.height)) return Usage(err, "--size WxH, 16 to 8192");
        } else if (arg == "--timeout" && hasValue) {
            if (!ParseTimeoutSeconds(argv[++i], a.timeout)) return Usage(err, "--timeout SECONDS, 0 to 86400");
        } else return Usage(err, arg);
    }
    if (a.input.empty() || a.output.empty()) return Usage(err, "--render and -o");
    const std::string kind = Extension(a.output);
    if (kind != "png" && kind != "svg" && kind != "pdf" && kind != "cv2") return Usage(err, a.output);

    // No display is needed: everything is drawn off screen.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    fw::TApplication app(argc, argv, "curvelo");
    BatchTimeLimit limit(a.timeout);
    TPlot2Win window(nullptr, a.input);
    ScopedCancelCheck stopAtLimit(window.Engine().letters, limit.Check());
    if (!window.Create()) return Fail(err, 11);
    window.MoveWindow({0, 0, a.width, a.height});
    if (int code = window.ReadDocument(a.input)) return Fail(err, code);
    if (limit.Passed()) return limit.Report(err);

    bool written = false;
    if (kind == "cv2") {
        if (int code = window.WriteDocument(a.output)) return Fail(err, code > 0 ? code : 12);
        written = true;
    } else if (kind == "png") {
        fw::Bitmap bitmap(a.width, a.height);
        if (bitmap.IsNull()) return Fail(err, 12);
        {
            fw::DC dc(bitmap);
            dc.SetAntialias(true);
            window.RenderTo(dc, a.width, a.height, 0, 0, false, true);
        }
        if (limit.Passed()) return limit.Report(err);  // nothing is written
        written = bitmap.SavePng(a.output);
    } else {
        // 96 pixels to the inch, as on a common screen.
        fw::VectorPicture picture(a.width, a.height, a.width * 25.4 / 96, a.height * 25.4 / 96);
        window.RenderTo(picture.Begin(), a.width, a.height, 0, 0, false, true);
        picture.End();
        if (limit.Passed()) return limit.Report(err);  // nothing is written
        const std::string title = window.DocumentTitle();
        written = WriteText(a.output, kind == "svg" ? picture.ToSvg(title) : picture.ToPdf(title));
    }
    return written ? 0 : Fail(err, 12);
}

}  // namespace curvelo
