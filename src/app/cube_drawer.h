#pragma once

#include <memory>
#include <vector>

#include "cube.h"
#include "geometry.h"
#include "instanced_mesh.h"

class Material;

// Draws the cubes of a track in one instanced draw of the unit cube with one material.
class CubeDrawer {
public:
    CubeDrawer(const GeometryData& mesh, std::shared_ptr<Material> material);

    // The cubes nearest `cameraPosition` come first, each `blend` of the way between its last two
    // ticks. With `hideBackFaces`, back faces are culled for this draw alone: the caller asks for
    // it only when the depth test is on and polygons are filled, where a closed opaque cube's back
    // faces cannot show.
    void draw(const CubeList& cubes, const glm::vec3& cameraPosition, float blend, bool hideBackFaces);

private:
    InstancedMesh mesh;
    std::shared_ptr<Material> material;
    // Kept from frame to frame: drawing allocates nothing once the track has grown.
    std::vector<std::pair<float, const Cube*>> nearestFirst;
    std::vector<glm::mat4> modelMatrices;
};
