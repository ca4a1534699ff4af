#include "plot3d/space_table.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "plot2d/measure_integrand.h"
#include "plot2d/solution_rows.h"
#include "plot3d/space_kinds.h"
#include "plot3d/space_solutions.h"
#include "plot3d/surface_kinds.h"
#include "plot3d/surface_mesh.h"
#include "resources/resources.h"

namespace curvelo {
namespace {

constexpr int kUndefinedText = 85, kTooMuchDataText = 154, kNoTableText = 137;
constexpr std::size_t kGridTextLimit = kTableTextLimit + 1;

bool IsGridKind(std::uint16_t kind) { return kind == kKindSurfaceExplicit || kind == kKindCylindrical; }

// The mesh as the table needs it: computed at the example's own counts.
const SurfaceWork* CurrentMesh(FormulaEngine& engine, InventorySlot& slot) {
    const SurfaceWork* work = SurfaceWorkOf(slot);
    const TExample& e = slot.example;
    const bool current = work && work->n1 == surf::N1(e) && work->n2 == surf::N2(e) &&
                         work->vertices.size() == static_cast<std::size_t>(work->VertexCount());
    if (!current && !ComputeMesh(slot, engine)) return nullptr;
    return SurfaceWorkOf(slot);
}

std::string CurveTable(FormulaEngine& engine, const InventorySlot& slot, const ExampleTableOptions& options) {
    const TExample& e = slot.example;
    std::vector<std::unique_ptr<TreeIntegrand>> columns;
    for (int i = 0; i < 3; ++i) {
        ExprNode* tree = slot.trees[static_cast<std::size_t>(i)];
        if (!tree) return std::string(res::String(kNoTableText));
        columns.push_back(std::make_unique<TreeIntegrand>(engine.letters, tree, kLetterT));
    }
    EvaluatedTable table;
    table.kind = e.kind;
    table.low = e.low;
    table.high = e.high;
    table.steps = std::clamp<int>(e.ints117[0], 1, kMaxSamples);
    table.width = options.width;
    table.stopRequested = options.stopRequested;
    table.number = [&](long double v) { return options.format.FormatForField(v); };
    table.values = [&](long double t, std::vector<long double>& values) {
        for (std::size_t i = 0; i < columns.size(); ++i)
            if (!(*columns[i])(t, values[i])) return false;
        return true;
    };
    return BuildEvaluatedTable(table);
}

}  // namespace

std::string SurfaceGridTable(std::uint16_t kind, const SurfaceWork& mesh, long double low, long double high,
                             long double low2, long double high2, int width, const TableNumberText& number) {
    const int n = mesh.n1, m = mesh.n2;
    if (!IsGridKind(kind) || n < 1 || m < 1 || !number ||
        mesh.vertices.size() < static_cast<std::size_t>(mesh.VertexCount()) ||
        mesh.defined.size() < static_cast<std::size_t>(mesh.VertexCount()))
        return std::string(res::String(kNoTableText));
    const int w = std::clamp(width, 1, kMaxColumnWidth);
    if (static_cast<long long>(m + 2) * w * (n + 2) >= static_cast<long long>(kGridTextLimit))
        return std::string(res::String(kTooMuchDataText));
    std::string corner = kind == kKindSurfaceExplicit ? "x * y" : "r * t";
    corner[2] = '\\';
    std::string text = TableCell(corner, w);
    // The mesh's own parameter values: the last one is the bound itself.
    const long double d1 = (high - low) / n, d2 = (high2 - low2) / m;
    for (int j = 0; j <= m; ++j) text += TableCell(number(j == m ? high2 : low2 + j * d2), w);
    text += "\r\n";
    const std::string undefined = TableCell(res::String(kUndefinedText), w);
    for (int i = 0; i <= n; ++i) {
        text += TableCell(number(i == n ? high : low + i * d1), w);
        for (int j = 0; j <= m; ++j) {
            const std::size_t at = static_cast<std::size_t>(i * (m + 1) + j);
            text += mesh.defined[at] ? TableCell(number(mesh.vertices[at].z), w) : undefined;
        }
        text += "\r\n";
    }
    return text;
}

bool SpaceExampleHasTable(const InventorySlot& slot) {
    const std::uint16_t kind = slot.example.kind;
    return IsGridKind(kind) || IsSpaceCurveKind(kind) || SpaceSolutionCount(slot) > 0 || ExampleHasTable(slot);
}

int SpaceTableSolutions(const InventorySlot& slot) {
    return IsSpaceSolutionKind(slot.example.kind) ? SpaceSolutionCount(slot) : SolutionCount(slot);
}

std::string SpaceTableText(FormulaEngine& engine, InventorySlot& slot, const ExampleTableOptions& options) {
    const TExample& e = slot.example;
    if (IsGridKind(e.kind)) {
        const SurfaceWork* mesh = CurrentMesh(engine, slot);
        if (!mesh) return std::string(res::String(kNoTableText));
        return SurfaceGridTable(e.kind, *mesh, e.low, e.high, e.low2, e.high2, options.width,
                                [&](long double v) { return options.format.FormatForField(v); });
    }
    if (IsSpaceCurveKind(e.kind)) return CurveTable(engine, slot, options);
    if (IsSpaceSolutionKind(e.kind))
        return BuildSolutionTable(e.kind, options.width, [&](long double v) { return options.format.FormatForField(v); },
                                  SpaceSolutionRows(engine, slot, options.solution, options.stopRequested));
    return ExampleTableText(engine, slot, options);
}

}  // namespace curvelo
