#include "plot3d/mesh_export.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "expr/byte_io.h"
#include "framework/safe_file.h"
#include "plot3d/surface_kinds.h"

namespace curvelo {
namespace {

double Distance(const MeshVertex& a, const MeshVertex& b) {
    return std::fabs(a.x - b.x) + std::fabs(a.y - b.y) + std::fabs(a.z - b.z);
}

bool SameCorner(const MeshVertex& a, const MeshVertex& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

MeshVertex Cross(const MeshVertex& a, const MeshVertex& b, const MeshVertex& c) {
    const double u[3] = {b.x - a.x, b.y - a.y, b.z - a.z};
    const double v[3] = {c.x - a.x, c.y - a.y, c.z - a.z};
    return {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
}

bool HasOpenEdge(const WeldedMesh& m) {
    // A closed surface uses every edge twice.
    std::vector<std::pair<int, int>> edges;
    edges.reserve(m.quads.size() * 4);
    for (const auto& q : m.quads)
        for (int k = 0; k < 4; ++k) {
            int a = q[static_cast<std::size_t>(k)], b = q[static_cast<std::size_t>((k + 1) % 4)];
            if (a == b) continue;
            edges.emplace_back(std::min(a, b), std::max(a, b));
        }
    std::sort(edges.begin(), edges.end());
    for (std::size_t i = 0; i < edges.size();) {
        std::size_t j = i;
        while (j < edges.size() && edges[j] == edges[i]) ++j;
        if (j - i != 2) return true;
        i = j;
    }
    return edges.empty();
}

void AppendTriangles(const WeldedMesh& m, std::vector<std::array<MeshVertex, 3>>& out) {
    const std::size_t first = out.size();
    double volume = 0;
    for (const auto& q : m.quads) {
        const MeshVertex* c[4];
        for (int k = 0; k < 4; ++k) c[k] = &m.vertices[static_cast<std::size_t>(q[static_cast<std::size_t>(k)])];
        const std::array<std::array<int, 3>, 2> halves = {{{0, 1, 2}, {0, 2, 3}}};
        for (const auto& h : halves) {
            const MeshVertex& a = *c[h[0]];
            const MeshVertex& b = *c[h[1]];
            const MeshVertex& d = *c[h[2]];
            if (SameCorner(a, b) || SameCorner(b, d) || SameCorner(a, d)) continue;
            const MeshVertex n = Cross(a, b, d);
            if (n.x == 0 && n.y == 0 && n.z == 0) continue;
            volume += a.x * (b.y * d.z - b.z * d.y) - a.y * (b.x * d.z - b.z * d.x) + a.z * (b.x * d.y - b.y * d.x);
            out.push_back({a, b, d});
        }
    }
    // Outward normals for a closed surface: its signed volume is then positive.
    if (volume < 0 && !HasOpenEdge(m))
        for (std::size_t i = first; i < out.size(); ++i) std::swap(out[i][1], out[i][2]);
}

void PutFloat(std::vector<std::uint8_t>& out, double v) {
    const float f = static_cast<float>(v);
    std::uint32_t bits = 0;
    std::memcpy(&bits, &f, sizeof bits);
    std::uint8_t b[4];
    PutU32(b, bits);
    out.insert(out.end(), b, b + 4);
}

std::string Number(double v) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.9g", v);
    return buffer;
}

}  // namespace

WeldedMesh WeldMesh(const SurfaceWork& work) {
    WeldedMesh m;
    const int rows = work.n1 + 1, cols = work.n2 + 1;
    m.vertices.assign(work.vertices.begin(), work.vertices.begin() + rows * cols);
    // Tolerance relative to the mesh's size, so rounding in the formulas does not open a seam.
    double size = 0;
    for (const MeshVertex& v : m.vertices) size = std::max({size, std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)});
    const double eps = 1e-9 * std::max(size, 1e-300);
    std::vector<int> index(m.vertices.size());
    for (std::size_t k = 0; k < index.size(); ++k) index[k] = static_cast<int>(k);
    auto join = [&](int i1, int j1, int i2, int j2) {
        const std::size_t a = static_cast<std::size_t>(i1 * cols + j1), b = static_cast<std::size_t>(i2 * cols + j2);
        if (work.defined[a] && work.defined[b] && Distance(m.vertices[a], m.vertices[b]) <= eps) {
            m.vertices[b] = m.vertices[a];
            index[b] = index[a];
        }
    };
    // A row or column that shrinks to one point (a pole) becomes that point.
    for (int i = 0; i < rows; ++i)
        for (int j = 1; j < cols; ++j) join(i, 0, i, j);
    for (int j = 0; j < cols; ++j)
        for (int i = 1; i < rows; ++i) join(0, j, i, j);
    // The parameter rectangle's opposite edges meeting (a closed ring or meridian).
    for (int i = 0; i < rows; ++i) join(i, 0, i, cols - 1);
    for (int j = 0; j < cols; ++j) join(0, j, rows - 1, j);
    for (int i = 0; i < work.n1; ++i)
        for (int j = 0; j < work.n2; ++j) {
            const int c[4] = {i * cols + j, i * cols + j + 1, (i + 1) * cols + j + 1, (i + 1) * cols + j};
            bool ok = true;
            for (int k : c) ok = ok && work.defined[static_cast<std::size_t>(k)];
            if (ok) m.quads.push_back({index[static_cast<std::size_t>(c[0])], index[static_cast<std::size_t>(c[1])],
                                       index[static_cast<std::size_t>(c[2])], index[static_cast<std::size_t>(c[3])]});
        }
    return m;
}

std::vector<std::array<MeshVertex, 3>> ExportTriangles(const ExampleInventory& inventory) {
    std::vector<std::array<MeshVertex, 3>> out;
    for (int x = 0; x < inventory.Count(); ++x) {
        const SurfaceWork* w = SurfaceWorkOf(inventory.Slot(x));
        if (!w || !inventory.Slot(x).example.visible || w->vertices.empty()) continue;
        AppendTriangles(WeldMesh(*w), out);
    }
    return out;
}

std::vector<std::uint8_t> EncodeStl(const std::vector<std::array<MeshVertex, 3>>& triangles) {
    std::vector<std::uint8_t> out(80, 0);
    const char header[] = "curvelo surface mesh";
    std::memcpy(out.data(), header, sizeof header - 1);
    std::uint8_t count[4];
    PutU32(count, static_cast<std::uint32_t>(triangles.size()));
    out.insert(out.end(), count, count + 4);
    out.reserve(out.size() + triangles.size() * 50);
    for (const auto& t : triangles) {
        MeshVertex n = Cross(t[0], t[1], t[2]);
        const double l = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        if (l > 0) n = {n.x / l, n.y / l, n.z / l};
        PutFloat(out, n.x);
        PutFloat(out, n.y);
        PutFloat(out, n.z);
        for (const MeshVertex& v : t) {
            PutFloat(out, v.x);
            PutFloat(out, v.y);
            PutFloat(out, v.z);
        }
        out.push_back(0);
        out.push_back(0);
    }
    return out;
}

std::string EncodeObj(const ExampleInventory& inventory) {
    std::string out = "# curvelo surface mesh\n";
    int base = 0;
    for (int x = 0; x < inventory.Count(); ++x) {
        const SurfaceWork* w = SurfaceWorkOf(inventory.Slot(x));
        if (!w || !inventory.Slot(x).example.visible || w->vertices.empty()) continue;
        const WeldedMesh m = WeldMesh(*w);
        out += "o surface" + std::to_string(x + 1) + "\n";
        for (const MeshVertex& v : m.vertices) out += "v " + Number(v.x) + " " + Number(v.y) + " " + Number(v.z) + "\n";
        for (const auto& q : m.quads) {
            // Corners a weld made one are written once; fewer than three is no face.
            int face[4];
            int n = 0;
            for (int k : q)
                if (n == 0 || (face[n - 1] != k && (n < 3 || face[0] != k))) face[n++] = k;
            if (n >= 3 && face[n - 1] == face[0]) --n;
            if (n < 3) continue;
            out += "f";
            for (int k = 0; k < n; ++k) out += " " + std::to_string(base + face[k] + 1);
            out += "\n";
        }
        base += static_cast<int>(m.vertices.size());
    }
    return out;
}

bool ExportMeshFile(const std::string& path, const ExampleInventory& inventory, std::string* error) {
    const auto triangles = ExportTriangles(inventory);
    if (triangles.empty()) {
        if (error) *error = "no surface to export";
        return false;
    }
    const bool obj = path.size() >= 4 && (path.compare(path.size() - 4, 4, ".obj") == 0 ||
                                          path.compare(path.size() - 4, 4, ".OBJ") == 0);
    if (obj) return WriteFileSafely(path, EncodeObj(inventory), error);
    return WriteFileSafely(path, EncodeStl(triangles), error);
}

}  // namespace curvelo
