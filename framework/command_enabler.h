// The answer of a window to "may this command run now, and is it checked?".
#pragma once

#include <optional>
#include <string>

namespace curvelo::fw {

class TCommandEnabler {
public:
    explicit TCommandEnabler(int id) : id_(id) {}
    int Id() const { return id_; }
    void Enable(bool enable = true) { enabled_ = enable; }
    void SetCheck(bool checked) { checked_ = checked; }
    void SetText(const std::string& text) { text_ = text; }

    // What the handler asked for; unset means "leave as it is".
    std::optional<bool> Enabled() const { return enabled_; }
    std::optional<bool> Checked() const { return checked_; }
    const std::optional<std::string>& Text() const { return text_; }

private:
    int id_;
    std::optional<bool> enabled_;
    std::optional<bool> checked_;
    std::optional<std::string> text_;
};

}  // namespace curvelo::fw
