#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expr/engine.h"
#include "plot2d/inventory.h"
#include "plot3d/space_kinds.h"
#include "plot3d/space_solutions.h"
#include "plot3d/space_table.h"
#include "plot3d/surface_kinds.h"
#include "plot3d/surface_mesh.h"
#include "plot3d/surface_trees.h"

namespace curvelo {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(text.substr(start, at - start));
    return lines;
}

std::string Cells(std::initializer_list<const char*> cells) {
    std::string line;
    for (const char* c : cells) line += TableCell(c, 8);
    return line;
}

class SpaceTableTest : public ::testing::Test {
protected:
    SpaceTableTest() {
        inventory.SetKindCompiler(&CompileSurface);
        options.width = 8;
        options.format.decimals = 1;
    }
    InventorySlot& Surface(std::uint16_t kind, const char* z, int n1, int n2) {
        const int i = inventory.Begin(kind, 0, 1);
        TExample& e = inventory.At(i);
        e = NewSurfaceExample(kind, e.penColour, 4);
        e.texts[2] = z;
        e.low = -1;
        e.high = 1;
        e.low2 = 0;
        e.high2 = 3;
        e.ints111[0] = static_cast<std::uint16_t>(n1);
        e.ints111[1] = static_cast<std::uint16_t>(n2);
        EXPECT_EQ(inventory.Commit(i, engine), 0);
        return inventory.Slot(i);
    }

    FormulaEngine engine;
    ExampleInventory inventory;
    ExampleTableOptions options;
};

TEST_F(SpaceTableTest, ExplicitSurfaceGridListsTheSecondParameterAcrossAndHeightsInRows) {
    // The mesh is computed by the table when the surface has none yet.
    const std::vector<std::string> lines = Lines(SpaceTableText(engine, Surface(301, "x+10y", 2, 3), options));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], Cells({"x \\ y", "0.0", "1.0", "2.0", "3.0"}));
    EXPECT_EQ(lines[1], Cells({"-1.0", "-1.0", "9.0", "19.0", "29.0"}));
    EXPECT_EQ(lines[3], Cells({"1.0", "1.0", "11.0", "21.0", "31.0"}));
}

TEST_F(SpaceTableTest, CylindricalGridHeadingAndUndefinedHeights) {
    const std::vector<std::string> lines = Lines(SpaceTableText(engine, Surface(302, "sqrt(r)", 2, 1), options));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], Cells({"r \\ t", "0.0", "3.0"}));
    EXPECT_EQ(lines[1], Cells({"-1.0", "nem definiált", "nem definiált"}));
    EXPECT_EQ(lines[3], Cells({"1.0", "1.0", "1.0"}));
}

TEST_F(SpaceTableTest, TooWideAGridIsRefusedAsTooMuchData) {
    SurfaceWork mesh;
    mesh.n1 = 1;
    mesh.n2 = 1499;
    mesh.vertices.resize(3000);
    mesh.defined.assign(3000, 1);
    auto number = [](long double v) { return std::to_string(static_cast<double>(v)); };
    // (1499 + 2) x 255 x (1 + 2) characters would pass the table's million.
    EXPECT_EQ(SurfaceGridTable(301, mesh, 0, 1, 0, 1, 255, number), "túl sok adat");
    const std::string fits = SurfaceGridTable(301, mesh, 0, 1, 0, 1, 14, number);
    EXPECT_EQ(Lines(fits).size(), 3u);
    EXPECT_LT(fits.size(), kTableTextLimit);
    // A mesh whose buffers do not match its counts has no table rather than a wild read.
    mesh.defined.resize(10);
    EXPECT_EQ(SurfaceGridTable(301, mesh, 0, 1, 0, 1, 14, number), "nem betáblázott erre a példára");
}

TEST_F(SpaceTableTest, SpaceCurveIsEvaluatedAtItsSamples) {
    InventorySlot slot;
    slot.example.kind = 304;
    slot.example.low = 0;
    slot.example.high = 2;
    slot.example.ints117[0] = 2;
    const char* texts[3] = {"t", "1/(t-1)", "2t"};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(engine.CompileFormula(texts[i]), 0);
        slot.trees[static_cast<std::size_t>(i)] = engine.TakeCompiledTree();
    }
    SetLetter(engine.letters, kLetterT, 7);
    EXPECT_TRUE(SpaceExampleHasTable(slot));
    const std::vector<std::string> lines = Lines(SpaceTableText(engine, slot, options));
    for (ExprNode* t : slot.trees) FreeTree(t);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], Cells({"t", "x", "y", "z"}));
    EXPECT_EQ(lines[1], Cells({"0.0", "0.0", "-1.0", "0.0"}));
    EXPECT_EQ(lines[2], Cells({"1.0", "nem definiált"}));
    EXPECT_EQ(lines[3], Cells({"2.0", "2.0", "1.0", "4.0"}));
    EXPECT_EQ(GetLetter(engine.letters, kLetterT), 7);
}

TEST_F(SpaceTableTest, SequenceListsEachStartPointsTermsAndOneWithoutStartPointsHasNone) {
    inventory.SetKindCompiler(&CompileSpaceExample);
    const int i = BeginSpaceExample(inventory, kKindSpaceSequence, PointCoordinates::kCartesian);
    ASSERT_GE(i, 0);
    ASSERT_EQ(inventory.Commit(i, engine), 0);
    InventorySlot& slot = inventory.Slot(i);
    EXPECT_EQ(SpaceTableSolutions(slot), 0);
    EXPECT_EQ(SpaceTableText(engine, slot, options), "nem betáblázott erre a példára");
    for (int k = 0; k < 2; ++k) {
        SpaceStartPoint start;
        start.p.x = 1 + k;
        start.p.terms = 3;
        Cv2InitialCondition record;
        WriteSpaceStartPoint(start, record);
        slot.initialConditions.push_back(record);
    }
    EXPECT_TRUE(SpaceExampleHasTable(slot));
    ASSERT_EQ(SpaceTableSolutions(slot), 2);
    options.solution = 1;
    const std::vector<std::string> lines = Lines(SpaceTableText(engine, slot, options));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], Cells({"n", "x", "y", "z"}));
    // The default turn by about 16 degrees and the rise by 0.01 from (2, 0, 0).
    EXPECT_EQ(lines[1], Cells({"0.0", "2.0", "0.0", "0.0"}));
    EXPECT_EQ(lines[2].substr(0, 8), TableCell("1.0", 8));
}

}  // namespace
}  // namespace curvelo
