// Export of the surfaces' meshes for 3D printing and modelling: binary STL and OBJ. Seams
// where the parameter rectangle closes on itself (a sphere's meridian, its poles, a tube's
// ring) are welded, so a closed surface comes out watertight; an open one stays open.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "plot2d/inventory.h"
#include "plot3d/surface_mesh.h"

namespace curvelo {

// A surface's vertices with coinciding seam vertices made identical, and its quadrilaterals
// as vertex indices (only those with four defined corners).
struct WeldedMesh {
    std::vector<MeshVertex> vertices;
    std::vector<std::array<int, 4>> quads;
};
WeldedMesh WeldMesh(const SurfaceWork& work);

// The triangles of every visible mesh surface of the inventory, degenerate ones left out;
// each closed surface is turned so that its normals point outward.
std::vector<std::array<MeshVertex, 3>> ExportTriangles(const ExampleInventory& inventory);

std::vector<std::uint8_t> EncodeStl(const std::vector<std::array<MeshVertex, 3>>& triangles);
std::string EncodeObj(const ExampleInventory& inventory);

// Writes the meshes to path through the safe writer, STL or OBJ by the extension (".obj",
// any other is STL). False when there is no surface or the file could not be written.
bool ExportMeshFile(const std::string& path, const ExampleInventory& inventory, std::string* error = nullptr);

}  // namespace curvelo
