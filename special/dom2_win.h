// The domain window of a plane mapping: the plane (real xy or complex z) whose grid and
// curves (explicit and parametric, from the Equation menu) the linked range window shows
// mapped.
#pragma once

#include "plot2d/plote_win.h"
#include "special/plane_map.h"

namespace curvelo {

class TRan2Win;

namespace mapcmd {
inline constexpr int kFunction = 951, kGrid = 952;
}

class TDom2Win : public TPlotEWin {
public:
    TDom2Win(fw::TWindow* parent, const std::string& caption, bool complexPlane);
    ~TDom2Win() override;

    bool ComplexPlane() const { return complexPlane_; }
    // Links both ways; null unlinks.
    void LinkRange(TRan2Win* range);
    TRan2Win* Range() const { return range_; }

    // Closing the domain closes its range window too: the pair belongs together.
    void Destroy(int retVal = 0) override;

    PlaneMap& Map() { return map_; }
    MapGrid& Grid() { return grid_; }
    // The dialogs; true when accepted (both windows then draw again).
    bool EditMap();
    bool EditGrid();
    bool EvCommand(int id) override;
    // A moved or zoomed domain moves the curves that follow its view: the image follows.
    void ViewApplied() override;

    // The pair's documents: .ma2 for the real plane, .maz for the complex one.
    bool HasDocumentFormat() const override { return true; }
    int ReadDocument(const std::string& path) override;
    int WriteDocument(const std::string& path) override;
    std::string DocumentFilter() const override;
    std::string DocumentExtension() const override { return complexPlane_ ? "maz" : "ma2"; }

protected:
    // The grid under the curves.
    void PaintContent(DrawSurface& surface) override;
    // The curves changed: their images too.
    void RefreshInventoryView() override;

private:
    friend class TRan2Win;
    void MappingChanged();
    bool complexPlane_;
    PlaneMap map_;
    MapGrid grid_;
    TRan2Win* range_ = nullptr;
};

}  // namespace curvelo
