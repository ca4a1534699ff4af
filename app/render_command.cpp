#include "app/render_command.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>

#include "app/batch_time_limit.h"
#include "app/command_line.h"
#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/dc.h"
#include "framework/kit_lock.h"
#include "framework/safe_file.h"
#include "framework/vector_picture.h"
#include "plot2d/plot2_win.h"
#include "plot3d/plot3_win.h"
#include "plotwin/value_parser.h"
#include "resources/resources.h"

namespace curvelo {
namespace {

constexpr int kMinSide = 16, kMaxSide = 8192;

struct RenderArgs {
    std::string input, output;
    int width = 800, height = 600;
    int timeout = kDefaultBatchTimeout;
    PictexSettings tex;
    int letter = 0;
    int frames = kDefaultFrames;
};

constexpr std::string_view kRenderUsage =
    "curvelo --render FILE.cv2|FILE.cv3 -o OUT.png|.svg|.pdf|.tex|.tikz|.cv2|.cv3|.stl|.obj [--size WxH] [--width CM] "
    "[--pictex-mode 0..3] [--timeout SECONDS]\n";
constexpr std::string_view kAnimateUsage =
    "curvelo --animate FILE.cv2 --letter A..W -o OUT.gif|.png [--frames 3..200] [--size WxH] "
    "[--timeout SECONDS]\n";

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
int Usage(std::ostream& err, const std::string& why, std::string_view usage = kRenderUsage) {
    err << "error 401: " << res::String(401) << " (" << why << ")\n" << usage;
    return 2;
}

// A plain decimal number within [lo, hi].
bool ParseNumberIn(std::string_view text, long double lo, long double hi, long double& v) {
    long double x = 0;
    if (!ParsePlainNumber(text, &x) || !(x >= lo && x <= hi)) return false;
    v = x;
    return true;
}

// Reads the options of both commands; 0, or the usage error's exit code after its message.
int ReadArgs(const CommandLine& line, RenderArgs& a, std::ostream& err, std::string_view usage) {
    for (const OptionValue& v : line.options) {
        const std::string_view name = v.option->name;
        long double x = 0;
        if (name == "--render" || name == "--animate") a.input = v.value;
        else if (name == "-o") a.output = v.value;
        else if (name == "--size") {
            if (!ParseSize(std::string(v.value).c_str(), a.width, a.height))
                return Usage(err, "--size WxH, 16 to 8192", usage);
        } else if (name == "--timeout") {
            if (!ParseTimeoutSeconds(v.value, a.timeout)) return Usage(err, "--timeout SECONDS, 0 to 86400", usage);
        } else if (name == "--width") {
            if (!ParseNumberIn(v.value, kMinExportWidthCm, kMaxExportWidthCm, x))
                return Usage(err, "--width CM, 0.1 to 500", usage);
            a.tex.widthCm = x;
        } else if (name == "--pictex-mode") {
            if (!ParseNumberIn(v.value, 0, 3, x) || x != std::floor(x)) return Usage(err, "--pictex-mode 0..3", usage);
            a.tex.mode = static_cast<int>(x);
        } else if (name == "--letter") {
            const bool ok = v.value.size() == 1 && std::toupper(static_cast<unsigned char>(v.value[0])) >= 'A' &&
                            std::toupper(static_cast<unsigned char>(v.value[0])) <= 'A' + kLastParamLetter - 1;
            if (!ok) return Usage(err, "--letter A..W", usage);
            a.letter = std::toupper(static_cast<unsigned char>(v.value[0])) - 'A' + 1;
        } else if (name == "--frames") {
            if (!ParseNumberIn(v.value, kMinFrames, kMaxFrames, x) || x != std::floor(x))
                return Usage(err, "--frames 3..200", usage);
            a.frames = static_cast<int>(x);
        } else return Usage(err, std::string(name), usage);  // an option of the table not handled here
    }
    return 0;
}

// The program's message; why (when known) says in English what the system reported.
int Fail(std::ostream& err, int code, const std::string& why = {}) {
    err << "error " << 400 + code << ": " << res::String(400 + code);
    if (!why.empty()) err << " (" << why << ")";
    err << '\n';
    return 1;
}

// Creates the window at the picture's size and reads the document into it; 0, or the exit
// code after the error was reported.
int OpenDocument(TPlot0Win& window, const RenderArgs& a, const BatchTimeLimit& limit, std::ostream& err) {
    if (!window.Create()) return Fail(err, 11);
    window.MoveWindow({0, 0, a.width, a.height});
    if (int code = window.ReadDocument(a.input)) return Fail(err, code);
    if (limit.Passed()) return limit.Report(err);
    return 0;
}

}  // namespace

int RunRender(int argc, char** argv, std::ostream& err) {
    const CommandLine line = ParseCommandLine(argc, argv);
    if (line.error != CommandLineError::None) return Usage(err, line.culprit);
    if (line.command != Command::Render) return Usage(err, "--render");
    RenderArgs a;
    if (int usage = ReadArgs(line, a, err, kRenderUsage)) return usage;
    if (a.input.empty() || a.output.empty()) return Usage(err, "--render and -o");
    const std::string kind = Extension(a.output);
    const bool tex = kind == "tex" || kind == "tikz";
    // A 3D document is drawn by a 3D window and saved again only as a 3D document.
    const bool space = Extension(a.input) == "cv3";
    const std::string documentKind = space ? "cv3" : "cv2";
    // A 3D document's surfaces may also go out as a mesh for 3D printing.
    const bool mesh = space && (kind == "stl" || kind == "obj");
    if (kind != "png" && kind != "svg" && kind != "pdf" && kind != documentKind && !mesh && !tex)
        return Usage(err, a.output);

    // No display is needed: everything is drawn off screen.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    fw::TApplication app(argc, argv, "curvelo");
    fw::SetBatchMode(true);  // nobody is there to answer a dialog
    BatchTimeLimit limit(a.timeout);
    std::unique_ptr<TPlot0Win> drawn;
    if (space)
        drawn = std::make_unique<TPlot3Win>(nullptr, a.input);
    else
        drawn = std::make_unique<TPlot2Win>(nullptr, a.input);
    TPlot0Win& window = *drawn;
    ScopedCancelCheck stopAtLimit(window.Engine().letters, limit.Check());
    if (int code = OpenDocument(window, a, limit, err)) return code;

    std::string why;
    bool written = false;
    if (mesh) {
        // No surface, or the file could not be written: nothing to show for it.
        if (!static_cast<TPlot3Win&>(window).ExportMesh(a.output)) return Fail(err, 12);
        written = true;
    } else if (kind == documentKind) {
        const int code = window.WriteDocument(a.output);
        // A document whose lock protects saving cannot be saved without its password.
        if (code < 0) return Fail(err, kMsgNotAuthorised);
        if (code > 0) return Fail(err, code);
        written = true;
    } else if (tex) {
        const std::string text =
            window.ExportText(kind == "tikz" ? ExportKind::kTikz : ExportKind::kPictex, a.tex, a.width, a.height);
        if (limit.Passed()) return limit.Report(err);  // nothing is written
        written = WriteFileSafely(a.output, text, &why);
    } else if (kind == "png") {
        fw::Bitmap bitmap(a.width, a.height);
        if (bitmap.IsNull()) return Fail(err, 12);
        {
            fw::DC dc(bitmap);
            dc.SetAntialias(true);
            window.RenderTo(dc, a.width, a.height, 0, 0, false, true);
        }
        if (limit.Passed()) return limit.Report(err);  // nothing is written
        written = bitmap.SavePng(a.output, &why);
    } else {
        // 96 pixels to the inch, as on a common screen.
        fw::VectorPicture picture(a.width, a.height, a.width * 25.4 / 96, a.height * 25.4 / 96);
        window.RenderTo(picture.Begin(), a.width, a.height, 0, 0, false, true);
        picture.End();
        if (limit.Passed()) return limit.Report(err);  // nothing is written
        const std::string title = window.DocumentTitle();
        written = WriteFileSafely(a.output, kind == "svg" ? picture.ToSvg(title) : picture.ToPdf(title), &why);
    }
    return written ? 0 : Fail(err, 12, why);
}

int RunAnimate(int argc, char** argv, std::ostream& err) {
    const CommandLine line = ParseCommandLine(argc, argv);
    if (line.error != CommandLineError::None) return Usage(err, line.culprit, kAnimateUsage);
    if (line.command != Command::Animate) return Usage(err, "--animate", kAnimateUsage);
    RenderArgs a;
    if (int usage = ReadArgs(line, a, err, kAnimateUsage)) return usage;
    if (a.input.empty() || a.output.empty() || a.letter == 0) return Usage(err, "--animate, --letter and -o", kAnimateUsage);
    const std::string kind = Extension(a.output);
    if (kind != "gif" && kind != "png") return Usage(err, a.output, kAnimateUsage);

    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    fw::TApplication app(argc, argv, "curvelo");
    fw::SetBatchMode(true);
    BatchTimeLimit limit(a.timeout);
    TPlot2Win window(nullptr, a.input);
    ScopedCancelCheck stopAtLimit(window.Engine().letters, limit.Check());
    if (int code = OpenDocument(window, a, limit, err)) return code;
    std::string why;
    const int result = window.SaveFrameAnimation(a.letter, a.frames, a.output, a.width, a.height, &why);
    if (limit.Passed()) return limit.Report(err);
    return result == 0 ? 0 : Fail(err, 12, why);
}

}  // namespace curvelo
