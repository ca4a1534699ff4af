// The launcher's two menu flags: reopen the last edited document (48) and ignore the
// windows' settings files (49). They exclude each other.
#pragma once

namespace curvelo {

inline constexpr int kCmdOpenLastEdit = 48;
inline constexpr int kCmdUseDefaults = 49;

class LauncherFlags {
public:
    LauncherFlags() = default;
    LauncherFlags(bool openLastEdit, bool useDefaults)
        : openLastEdit_(openLastEdit && !useDefaults), useDefaults_(useDefaults) {}

    bool OpenLastEdit() const { return openLastEdit_; }
    bool UseDefaults() const { return useDefaults_; }
    // Windows read their settings files unless defaults were asked for.
    bool ReadWindowSettings() const { return !useDefaults_; }

    void ToggleOpenLastEdit() {
        openLastEdit_ = !openLastEdit_;
        useDefaults_ = false;
    }
    void ToggleUseDefaults() {
        useDefaults_ = !useDefaults_;
        openLastEdit_ = false;
    }

private:
    bool openLastEdit_ = false;
    bool useDefaults_ = false;
};

}  // namespace curvelo
