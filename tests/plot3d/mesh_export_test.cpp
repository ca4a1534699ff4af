#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <tuple>
#include <unistd.h>

#include "expr/byte_io.h"
#include "framework/safe_file.h"
#include "plot3d/mesh_export.h"
#include "plot3d/surface_commands.h"
#include "plot3d/surface_kinds.h"
#include "plot3d/surface_trees.h"

namespace curvelo {
namespace {

class MeshExportTest : public ::testing::Test {
protected:
    MeshExportTest() { inventory.SetKindCompiler(&CompileSurface); }
    void Add(std::uint16_t kind) {
        const int i = BeginSurface(inventory, kind);
        ASSERT_GE(i, 0);
        CommitSurface(inventory, i, engine);
    }
    FormulaEngine engine;
    ExampleInventory inventory;
};

using Edge = std::tuple<float, float, float, float, float, float>;

// Every undirected edge of the triangles with how often it is used, on the corners as
// written (floats).
std::map<Edge, int> EdgeUses(const std::vector<std::array<MeshVertex, 3>>& triangles) {
    std::map<Edge, int> uses;
    for (const auto& t : triangles)
        for (int k = 0; k < 3; ++k) {
            const MeshVertex& a = t[static_cast<std::size_t>(k)];
            const MeshVertex& b = t[static_cast<std::size_t>((k + 1) % 3)];
            auto key = [](const MeshVertex& v) { return std::make_tuple(float(v.x), float(v.y), float(v.z)); };
            auto ka = key(a), kb = key(b);
            if (kb < ka) std::swap(ka, kb);
            ++uses[std::tuple_cat(ka, kb)];
        }
    return uses;
}

TEST_F(MeshExportTest, SphereComesOutClosedWithOutwardNormals) {
    Add(kKindSurfaceParametric);  // the unit sphere
    const auto triangles = ExportTriangles(inventory);
    // 36 x 36 quadrilaterals, one triangle lost at each pole quadrilateral.
    EXPECT_EQ(triangles.size(), 2u * 36 * 36 - 2 * 36);
    for (const auto& [edge, n] : EdgeUses(triangles)) ASSERT_EQ(n, 2);
    double volume = 0;
    for (const auto& t : triangles) {
        const MeshVertex &a = t[0], &b = t[1], &c = t[2];
        volume += (a.x * (b.y * c.z - b.z * c.y) - a.y * (b.x * c.z - b.z * c.x) + a.z * (b.x * c.y - b.y * c.x)) / 6;
    }
    EXPECT_NEAR(volume, 4 * M_PI / 3, 0.05);
}

TEST_F(MeshExportTest, OpenSurfaceStaysOpenAndUndefinedQuadsAreLeftOut) {
    const int i = BeginSurface(inventory, kKindSurfaceExplicit);
    inventory.At(i).texts[2] = "sqrt(4-xx-yy)";
    CommitSurface(inventory, i, engine);
    const auto triangles = ExportTriangles(inventory);
    EXPECT_GT(triangles.size(), 0u);
    EXPECT_LT(triangles.size(), 2u * 36 * 36);
    int border = 0;
    for (const auto& [edge, n] : EdgeUses(triangles)) border += n == 1;
    EXPECT_GT(border, 0);
}

TEST_F(MeshExportTest, StlAndObjFilesAreWrittenSafely) {
    Add(kKindTube);
    const auto triangles = ExportTriangles(inventory);
    const std::vector<std::uint8_t> stl = EncodeStl(triangles);
    ASSERT_EQ(stl.size(), 84 + 50 * triangles.size());
    EXPECT_EQ(GetU32(stl.data() + 80), triangles.size());
    char dir[] = "/tmp/meshXXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string stlPath = std::string(dir) + "/cso.stl", objPath = std::string(dir) + "/cso.obj";
    ASSERT_TRUE(ExportMeshFile(stlPath, inventory));
    ASSERT_TRUE(ExportMeshFile(objPath, inventory));
    std::vector<std::uint8_t> read;
    ASSERT_EQ(ReadFileBounded(stlPath, read), ReadFileStatus::Ok);
    EXPECT_EQ(read, stl);
    ASSERT_EQ(ReadFileBounded(objPath, read), ReadFileStatus::Ok);
    const std::string obj(read.begin(), read.end());
    EXPECT_EQ(obj.rfind("# curvelo", 0), 0u);
    EXPECT_NE(obj.find("\nf "), std::string::npos);
    // Nothing to export: refused, and the old file stays.
    ExampleInventory empty;
    EXPECT_FALSE(ExportMeshFile(stlPath, empty));
    ASSERT_EQ(ReadFileBounded(stlPath, read), ReadFileStatus::Ok);
    EXPECT_EQ(read, stl);
    unlink(stlPath.c_str());
    unlink(objPath.c_str());
    rmdir(dir);
}

TEST_F(MeshExportTest, RevolutionOfA2DCurveKeepsItsFormulaAndRange) {
    TExample curve = NewExample(201, -2, 3, 6);
    curve.texts[1] = "xsin(x)";
    const int i = BeginRevolutionOf(inventory, curve);
    ASSERT_GE(i, 0);
    const TExample& e = inventory.At(i);
    EXPECT_EQ(e.kind, kKindRevolution);
    EXPECT_EQ(e.texts[1], "xsin(x)");
    EXPECT_TRUE(e.texts[0].empty());
    EXPECT_EQ(e.low, -2);
    EXPECT_EQ(e.high, 3);
    EXPECT_EQ(e.penColour, 6);
    TExample point = NewExample(209, 0, 1, 6);
    EXPECT_EQ(BeginRevolutionOf(inventory, point), -1);
}

}  // namespace
}  // namespace curvelo
