#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <unistd.h>
#include <string>

#include "framework/settings_dir.h"

namespace curvelo::fw {
namespace {

// Sets environment variables for one test and restores them afterwards.
class EnvGuard {
public:
    void Set(const char* name, const char* value) {
        if (!saved_.count(name)) {
            const char* old = std::getenv(name);
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value) setenv(name, value, 1);
        else unsetenv(name);
    }
    ~EnvGuard() {
        for (auto& [name, value] : saved_) {
            if (value) setenv(name.c_str(), value->c_str(), 1);
            else unsetenv(name.c_str());
        }
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

class SettingsDirTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() / ("curvelo_settings_" + std::to_string(getpid()));
        std::filesystem::remove_all(root_);
    }
    void TearDown() override { std::filesystem::remove_all(root_); }
    std::filesystem::path root_;
    EnvGuard env_;
};

TEST_F(SettingsDirTest, OverrideThenXdgThenHomeAndCreatedWhenMissing) {
    std::string own = (root_ / "own").string();
    env_.Set("CURVELO_CONFIG_DIR", own.c_str());
    env_.Set("XDG_CONFIG_HOME", (root_ / "xdg").string().c_str());
    EXPECT_EQ(SettingsDirectory(), own + "/");
    EXPECT_TRUE(std::filesystem::is_directory(own));

    env_.Set("CURVELO_CONFIG_DIR", "");  // empty counts as unset
    EXPECT_EQ(SettingsDirectory(), (root_ / "xdg" / "curvelo").string() + "/");
    EXPECT_TRUE(std::filesystem::is_directory(root_ / "xdg" / "curvelo"));

    env_.Set("CURVELO_CONFIG_DIR", nullptr);
    env_.Set("XDG_CONFIG_HOME", nullptr);
    env_.Set("HOME", (root_ / "home").string().c_str());
    EXPECT_EQ(SettingsDirectory(), (root_ / "home" / ".config" / "curvelo").string() + "/");
    EXPECT_TRUE(std::filesystem::is_directory(root_ / "home" / ".config" / "curvelo"));
}

TEST_F(SettingsDirTest, TrailingSlashIsNotDoubled) {
    std::string own = (root_ / "slash").string() + "/";
    env_.Set("CURVELO_CONFIG_DIR", own.c_str());
    EXPECT_EQ(SettingsDirectory(), own);
}

}  // namespace
}  // namespace curvelo::fw

#include "framework/application.h"

namespace curvelo::fw {
namespace {

TEST(DisplayCheck, RefusesWithoutAnyDisplayUnlessAPlatformIsChosen) {
    EnvGuard env;
    env.Set("DISPLAY", nullptr);
    env.Set("WAYLAND_DISPLAY", nullptr);
    env.Set("QT_QPA_PLATFORM", nullptr);
    std::string why;
    EXPECT_FALSE(TApplication::DisplayAvailable(&why));
    EXPECT_NE(why.find("DISPLAY"), std::string::npos);
    env.Set("WAYLAND_DISPLAY", "wayland-0");
    EXPECT_TRUE(TApplication::DisplayAvailable());
    env.Set("WAYLAND_DISPLAY", nullptr);
    env.Set("QT_QPA_PLATFORM", "offscreen");
    EXPECT_TRUE(TApplication::DisplayAvailable());
}

}  // namespace
}  // namespace curvelo::fw
