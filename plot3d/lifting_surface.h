// A drawing surface in plane coordinates that hands what a plane drawer draws to another
// surface, every point placed in space by `place` and mapped there by `project`; points the
// hidden test names lift the pen. Without a target it drops everything (a search that only
// wants the branches).
#pragma once

#include <functional>

#include "plotwin/draw_surface.h"
#include "plotwin/plot_view.h"
#include "plotwin/vec3.h"

namespace curvelo {

class LiftingSurface : public DrawSurface {
public:
    using Place = std::function<Vec3(WorldPoint)>;
    using Project = std::function<WorldPoint(const Vec3&)>;
    using HiddenTest = std::function<bool(const Vec3&)>;
    LiftingSurface(const PlotView& plane, DrawSurface* target, Place place, const Project* project,
                   const HiddenTest* hidden = nullptr)
        : DrawSurface(plane), target_(target), place_(std::move(place)), project_(project), hidden_(hidden) {}

    void Save() override { if (target_) target_->Save(); }
    void Restore() override { if (target_) target_->Restore(); }
    void SetPen(Rgb colour, int width, LineStyle style) override {
        if (target_) target_->SetPen(colour, width, style);
    }
    void SetBrush(Rgb colour) override { if (target_) target_->SetBrush(colour); }
    void SetFont(int) override {}
    void SetLogFont(const fw::LogFont&) override {}
    void SetTextColour(Rgb) override {}
    void SetLabelBackground(bool, Rgb) override {}
    void Segment(WorldPoint a, WorldPoint b) override {
        if (target_ && !Hidden(a) && !Hidden(b)) target_->Segment(Map(a), Map(b));
    }
    void BeginPolyline() override {
        if (!target_) return;
        target_->BeginPolyline();
        open_ = true;
    }
    void PolylineTo(WorldPoint p) override {
        if (!target_) return;
        if (Hidden(p)) {
            EndPolyline();
            return;
        }
        if (!open_) BeginPolyline();
        target_->PolylineTo(Map(p));
    }
    void EndPolyline() override {
        if (target_ && open_) target_->EndPolyline();
        open_ = false;
    }
    void Dot(WorldPoint, int) override {}
    void FilledPolygon(const WorldPoint*, int) override {}
    void Label(WorldPoint, std::string_view, int, int, LabelRole) override {}

private:
    WorldPoint Map(WorldPoint p) const { return (*project_)(place_(p)); }
    bool Hidden(WorldPoint p) const { return hidden_ && *hidden_ && (*hidden_)(place_(p)); }
    DrawSurface* target_;
    Place place_;
    const Project* project_;
    const HiddenTest* hidden_;
    bool open_ = false;
};

}  // namespace curvelo
