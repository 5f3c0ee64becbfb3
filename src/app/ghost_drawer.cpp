#include "ghost_drawer.h"

#include <glm/gtc/matrix_transform.hpp>

#include "ghost.h"
#include "gl.h"
#include "model_loader.h"
#include "scene_resources.h"

namespace {

constexpr float kMarkerHeight = 2.5f;

// Blending over the scene without writing depth, for as long as it lives; back faces are left
// out, so each part of the runner is seen once, however the display switches have culling.
class SeeThrough {
public:
    SeeThrough() : culling(glIsEnabled(GL_CULL_FACE))
    {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDepthMask(GL_FALSE);
        glEnable(GL_CULL_FACE);
    }
    ~SeeThrough()
    {
        if (culling == GL_FALSE)
            glDisable(GL_CULL_FACE);
        glDepthMask(GL_TRUE);
        glDisable(GL_BLEND);
    }
    SeeThrough(const SeeThrough&) = delete;
    SeeThrough& operator=(const SeeThrough&) = delete;

private:
    GLboolean culling;
};

} // namespace

GhostDrawer::GhostDrawer(const SceneResources& resources)
    : runner(instantiateModel(resources.ghostModel, glm::mat4(1.0f), resources.ghostMaterial)),
      marker(glm::mat4(1.0f), unitCubeData, resources.ghostMaterial)
{
}

void GhostDrawer::draw(const Ghost& ghost, float blend)
{
    if (ghost.fell()) {
        // From the top of the cubes it stood on, upwards.
        const glm::vec3 base = ghost.lastFooting() + glm::vec3(0.0f, kMarkerHeight / 2.0f - 0.5f, 0.0f);
        marker.setModelMatrix(glm::scale(glm::translate(glm::mat4(1.0f), base), glm::vec3(0.15f, kMarkerHeight, 0.15f)));
        const SeeThrough seeThrough;
        marker.draw();
        return;
    }
    drawRunner(ghost.ended() ? ghost.position() : glm::mix(ghost.previousPosition(), ghost.position(), blend),
               ghost.yaw());
}

void GhostDrawer::drawRunner(glm::vec3 eyes, float yaw)
{
    // The model faces -z, as a yaw of -90 degrees looks.
    const glm::mat4 placed =
        glm::rotate(glm::translate(glm::mat4(1.0f), eyes), glm::radians(-(yaw + 90.0f)), glm::vec3(0, 1, 0));
    const SeeThrough seeThrough;
    for (Geometry& mesh : runner) {
        mesh.setModelMatrix(placed);
        mesh.draw();
    }
}
