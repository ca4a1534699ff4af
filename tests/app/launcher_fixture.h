// A launcher frame whose plot windows are only recorded, in a fresh settings folder.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/launcher_windows.h"
#include "app/plot_frame.h"
#include "framework/automation.h"

namespace curvelo::testing {

struct RecordedWindows : TLauncherWindows {
    std::vector<NewWindowRequest>* log;
    std::vector<std::string>* helpShown;
    RecordedWindows(std::vector<NewWindowRequest>* l, std::vector<std::string>* h) : log(l), helpShown(h) {}
    bool Open(fw::TWindow*, const NewWindowRequest& r) override {
        log->push_back(r);
        return true;
    }
    void CreateServiceWindow(fw::TWindow*) override {}
    void ShowHelp(const std::string& text) override { helpShown->push_back(text); }
};

// Points CURVELO_CONFIG_DIR at an empty folder of its own for the frame it makes.
class LauncherFixture {
public:
    explicit LauncherFixture(const std::string& name, std::string channel = {}) {
        fw::automation::EnsureApplication();
        const char* base = std::getenv("CURVELO_CONFIG_DIR");
        root_ = std::filesystem::path(base ? base : std::filesystem::temp_directory_path().string());
        folder_ = root_ / ("launcher_" + name);
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        channel_ = channel.empty() ? "curvelo-test-" + name + "-" + std::to_string(::getpid()) : channel;
    }
    ~LauncherFixture() {
        if (frame) {
            frame->Destroy();
            delete frame;
        }
        if (root_.empty()) return;
        setenv("CURVELO_CONFIG_DIR", root_.string().c_str(), 1);
    }

    // Constructs the frame (the settings folder is taken now) without creating it.
    TPlotFrame* Make() {
        setenv("CURVELO_CONFIG_DIR", folder_.string().c_str(), 1);
        frame = new TPlotFrame(nullptr, "Curvelo", std::make_unique<RecordedWindows>(&requests, &help),
                               channel_);
        return frame;
    }
    TPlotFrame* MakeAndShow() {
        Make();
        frame->Create();
        frame->Show();
        fw::automation::ProcessEvents();
        return frame;
    }
    std::filesystem::path SettingsFile() const { return folder_ / "cv.ini"; }

    TPlotFrame* frame = nullptr;
    std::vector<NewWindowRequest> requests;
    std::vector<std::string> help;

private:
    std::filesystem::path root_, folder_;
    std::string channel_;
};

}  // namespace curvelo::testing
