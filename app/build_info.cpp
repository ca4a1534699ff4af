#include "app/build_info.h"

#include <array>
#include <charconv>

#ifndef CURVELO_VERSION
#define CURVELO_VERSION "0"
#endif

namespace curvelo {
namespace {

int Number(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    int n = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    return ec == std::errc() && end == s.data() + s.size() ? n : -1;
}

}  // namespace

std::string HungarianBuildDate(std::string_view d) {
    static constexpr std::array<std::string_view, 12> kShort = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    static constexpr std::array<std::string_view, 12> kHungarian = {
        "január", "február", "március", "április", "május", "június",
        "július", "augusztus", "szeptember", "október", "november", "december"};
    if (d.size() != 11 || d[3] != ' ' || d[6] != ' ') return {};
    const int day = Number(d.substr(4, 2));
    const int year = Number(d.substr(7, 4));
    if (day < 1 || day > 31 || year < 1) return {};
    for (std::size_t m = 0; m < kShort.size(); ++m)
        if (d.substr(0, 3) == kShort[m])
            return std::to_string(year) + ". " + std::string(kHungarian[m]) + " " + std::to_string(day);
    return {};
}

BuildInfo ThisBuild() { return {CURVELO_VERSION, HungarianBuildDate(__DATE__)}; }

}  // namespace curvelo
