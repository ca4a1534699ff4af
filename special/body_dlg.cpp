#include "special/body_dlg.h"

#include <cmath>

#include "framework/kit_services.h"

namespace curvelo {

using namespace bodyid;

namespace {
constexpr std::array<int, 3> kPositionIds = {kX, kY, kZ};
constexpr std::array<int, 3> kVelocityIds = {kVx, kVy, kVz};
constexpr int kMsgNotUnderstood = 1, kMsgOutOfBounds = 17;
}  // namespace

TBodyDlg::TBodyDlg(fw::TWindow* parent, OrbitalSystem& system, const OrbitalSimulation& current,
                   const NumberFormat& format, bool plane, std::function<void()> clearPicture)
    : TDlg(parent, "EQUA219"), system_(system), current_(current), format_(format), plane_(plane),
      clearPicture_(std::move(clearPicture)), originFixed_(system.originFixed), originIndex_(system.originIndex) {
    for (int i = 0; i < static_cast<int>(system.entries.size()); ++i) fields_.push_back(FieldsOf(i));
}

TBodyDlg::Fields TBodyDlg::FieldsOf(int i) const {
    const OrbitalBody& b = system_.entries[static_cast<std::size_t>(i)];
    Fields f;
    const std::array<long double, 3> p = {b.position.x, b.position.y, b.position.z};
    for (std::size_t k = 0; k < 3; ++k) {
        f.position[0][k] = format_.FormatForField(p[k]);
        f.velocity[0][k] = b.velocity[k];
    }
    // The last run's state follows the system as last drawn; the centre of mass comes after
    // the bodies.
    const bool centre = i == system_.CentreIndex();
    const int slot = centre ? current_.BodyCount() : i;
    if (current_.BodyCount() == system_.BodyCount()) {
        const Vec3 cp = current_.Position(slot), cv = current_.Velocity(slot);
        f.position[1] = {format_.FormatForField(cp.x), format_.FormatForField(cp.y), format_.FormatForField(cp.z)};
        f.velocity[1] = {format_.FormatForField(cv.x), format_.FormatForField(cv.y), format_.FormatForField(cv.z)};
    } else {
        f.position[1] = f.position[0];
        f.velocity[1] = f.velocity[0];
    }
    f.mass = format_.FormatForField(b.mass);
    f.name = b.name;
    f.pen = std::to_string(b.penWidth);
    f.colour = std::to_string(b.colour);
    return f;
}

void TBodyDlg::SetupWindow() {
    TDlg::SetupWindow();
    for (int id : kPositionIds) SetItemLimit(id, 60);
    for (int id : kVelocityIds) SetItemLimit(id, static_cast<int>(TExample::kTextCapacity));
    SetItemLimit(kName, static_cast<int>(kMaxBodyName));
    for (int id : {kZ, kVz, kZLabel, kVzLabel}) ShowItem(id, !plane_);
    // Counts are whole numbers.
    SetItemText(kPositions, std::to_string(std::llround(system_.positions)));
    SetItemText(kInterval, format_.FormatForField(system_.interval));
    SetItemText(kComputations, std::to_string(std::llround(system_.computations)));
    SetItemText(kG, format_.FormatForField(system_.G));
    SetItemText(kMarkerSize, std::to_string(system_.markerSize));
    CheckItem(kShow, system_.showWhileComputing);
    CheckItem(kStopAtBorder, system_.stopAtBorder);
    CheckItem(kMarkers, system_.markers);
    CheckItem(kInitial, true);
    FillList();
    ShowEntry(0);
}

void TBodyDlg::FillList() {
    filling_ = true;
    ClearList(kList);
    for (int i = 0; i < static_cast<int>(fields_.size()); ++i)
        AddString(kList, (originFixed_ && originIndex_ == i ? "* " : "") + fields_[static_cast<std::size_t>(i)].name);
    SetSelIndex(kList, selected_);
    filling_ = false;
}

void TBodyDlg::StoreShown() {
    Fields& f = fields_[static_cast<std::size_t>(selected_)];
    for (std::size_t k = 0; k < 3; ++k) {
        f.position[static_cast<std::size_t>(mode_)][k] = GetItemText(kPositionIds[k]);
        f.velocity[static_cast<std::size_t>(mode_)][k] = GetItemText(kVelocityIds[k]);
    }
    f.mass = GetItemText(kMass);
    f.name = GetItemText(kName);
    f.pen = GetItemText(kPen);
    f.colour = GetItemText(kColour);
}

void TBodyDlg::ShowEntry(int index) {
    selected_ = index;
    const Fields& f = fields_[static_cast<std::size_t>(index)];
    for (std::size_t k = 0; k < 3; ++k) {
        SetItemText(kPositionIds[k], f.position[static_cast<std::size_t>(mode_)][k]);
        SetItemText(kVelocityIds[k], f.velocity[static_cast<std::size_t>(mode_)][k]);
    }
    SetItemText(kMass, f.mass);
    SetItemText(kName, f.name);
    SetItemText(kPen, f.pen);
    SetItemText(kColour, f.colour);
    // The centre of mass is computed, never typed.
    const bool body = index < Bodies();
    for (int id : kPositionIds) EnableItem(id, body);
    for (int id : kVelocityIds) EnableItem(id, body);
    EnableItem(kMass, body);
    EnableButtons();
}

void TBodyDlg::EnableButtons() {
    EnableItem(kNew, Bodies() + 1 < kOrbitalSlots);
    EnableItem(kDelete, Bodies() >= 3 && selected_ < Bodies());
}

void TBodyDlg::EvNotify(int id, fw::Notify code) {
    if (id != kList || code != fw::Notify::SelChange || filling_) return TDlg::EvNotify(id, code);
    const int index = GetSelIndex(kList);
    if (index < 0 || index >= static_cast<int>(fields_.size()) || index == selected_) return;
    StoreShown();
    ShowEntry(index);
}

bool TBodyDlg::EvCommand(int id) {
    switch (id) {
    case kInitial:
    case kCurrent: {
        const int mode = id == kCurrent ? 1 : 0;
        if (mode == mode_) return true;
        StoreShown();
        mode_ = mode;
        ShowEntry(selected_);
        return true;
    }
    case kNew: {
        if (Bodies() + 1 >= kOrbitalSlots) return true;
        StoreShown();
        const int n = Bodies();
        Fields f;
        for (auto& mode : f.position) mode = {"0.0", "0.0", "0.0"};
        f.velocity = f.position;
        f.mass = "1.0";
        f.name = BodyName(n);
        f.pen = fields_[static_cast<std::size_t>(n - 1)].pen;
        f.colour = fields_[static_cast<std::size_t>(n - 1)].colour;
        fields_.insert(fields_.begin() + n, f);
        if (originFixed_ && originIndex_ >= n) ++originIndex_;  // the centre moved down one
        selected_ = n;
        FillList();
        ShowEntry(n);
        return true;
    }
    case kDelete: {
        if (Bodies() < 3 || selected_ >= Bodies()) return true;
        fields_.erase(fields_.begin() + selected_);
        originFixed_ = false;
        selected_ = std::min(selected_, Bodies() - 1);
        FillList();
        ShowEntry(selected_);
        return true;
    }
    case kAbsolute:
        originFixed_ = false;
        FillList();
        return true;
    case kToOrigin:
        StoreShown();
        originFixed_ = true;
        originIndex_ = selected_;
        FillList();
        return true;
    case kClearPicture:
        SetItemText(kPositions, "0");
        CheckItem(kMarkers, false);
        if (clearPicture_) clearPicture_();
        return true;
    case kMore:
        SetItemText(kPositions, "2147483647");
        return true;
    default: return TDlg::EvCommand(id);
    }
}

bool TBodyDlg::CanClose() {
    StoreShown();
    long double g = 0, dt = 0, p = 0, k = 0, marker = 0;
    if (!ParseDecimal(GetItemText(kG), g) || g < kOrbitalEpsilon) return false;
    if (!ParseDecimal(GetItemText(kInterval), dt) || dt < kOrbitalEpsilon) return false;
    if (!ParseDecimal(GetItemText(kPositions), p) || std::round(p) < 1) return false;
    if (!ParseDecimal(GetItemText(kComputations), k) || std::round(k) < 1) return false;
    if (std::round(p) > kMaxPositions || std::round(k) > kMaxComputations || !ParseDecimal(GetItemText(kMarkerSize), marker) ||
        std::round(marker) < 1 || std::round(marker) > kMaxMarkerSize) {
        ShowMessage(this, kMsgOutOfBounds);
        return false;
    }
    OrbitalSystem s = system_;
    s.entries.clear();
    const auto m = static_cast<std::size_t>(mode_);
    for (int i = 0; i < static_cast<int>(fields_.size()); ++i) {
        const Fields& f = fields_[static_cast<std::size_t>(i)];
        OrbitalBody b;
        std::array<long double, 3> pos{};
        long double mass = 0, pen = 0, colour = 0;
        bool ok = ParseDecimal(f.pen, pen) && ParseDecimal(f.colour, colour);
        const bool body = i < Bodies();
        for (std::size_t c = 0; c < 3 && body; ++c) {
            long double v = 0;
            ok = ok && ParseDecimal(f.position[m][c], pos[c]) && ParseDecimal(f.velocity[m][c], v);
        }
        if (body) ok = ok && ParseDecimal(f.mass, mass);
        if (!ok) {
            ShowMessage(this, kMsgNotUnderstood);
            if (i != selected_) {
                SetSelIndex(kList, i);
                ShowEntry(i);
            }
            return false;
        }
        if (std::round(pen) < 1 || std::round(pen) > kMaxBodyPenWidth || std::round(colour) < 0 || std::round(colour) > 24) {
            ShowMessage(this, kMsgOutOfBounds);
            return false;
        }
        b.position = {pos[0], pos[1], pos[2]};
        for (std::size_t c = 0; c < 3; ++c) b.velocity[c] = f.velocity[m][c];
        // A mass of 1e-18 or less cannot attract anything; the body keeps its old one (1 when new).
        const bool known = i < system_.BodyCount();
        b.mass = mass > kOrbitalEpsilon ? mass : known ? system_.entries[static_cast<std::size_t>(i)].mass : 1.0L;
        b.name = f.name.substr(0, kMaxBodyName);
        b.penWidth = static_cast<std::uint16_t>(std::round(pen));
        b.colour = static_cast<std::uint16_t>(std::round(colour));
        s.entries.push_back(std::move(b));
    }
    UpdateCentreRecord(s, format_);
    s.G = g;
    s.interval = dt;
    s.positions = std::round(p);
    s.computations = std::round(k);
    s.step = dt / s.computations;
    s.markerSize = static_cast<std::uint16_t>(std::round(marker));
    s.showWhileComputing = IsItemChecked(kShow);
    s.stopAtBorder = IsItemChecked(kStopAtBorder);
    s.markers = IsItemChecked(kMarkers);
    s.originFixed = originFixed_;
    s.originIndex = static_cast<std::uint16_t>(originFixed_ ? originIndex_ : 0);
    system_ = std::move(s);
    return true;
}

}  // namespace curvelo
