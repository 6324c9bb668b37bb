// The drops' runs (see drops.h). A drop's modelview differs from the one
// before the push by its translation column alone, so its shading
// constants are the first drop's; each instance carries what Mesa computes
// per drop: the MVP's fourth column and the modelview's m[14].
#include "web/gl/drops.h"

#include <vector>

#include "web/gl/display_lists.h"
#include "web/gl/draw.h"
#include "web/gl/draw_uniforms.h"
#include "web/gl/gl_entry.h"
#include "web/gl/gl_layer.h"
#include "web/gl/layer_state.h"

namespace gl_layer {

namespace {

enum class Stage { None, Pushed, Translated, Called, Popped };

Stage stage = Stage::None;
bool instancedOn = true;
long instancedCount = 0;

struct Run {
    unsigned list = 0;
    Mesh mesh;
    DrawUniforms uniforms;
    std::vector<float> instances;
};
Run run;

void addInstance() {
    Matrix mvp;
    multiplyMatrices(mvp, projection(), modelview());
    for (int i = 12; i < 16; i++) run.instances.push_back(mvp.m[i]);
    run.instances.push_back(modelview().m[14]);
}

}  // namespace

void enterCall() {
    drawPendingDrops();
    stage = Stage::None;
}

void notePush() {
    if (layer.matrixMode == MODELVIEW && (stage == Stage::None || stage == Stage::Popped)) {
        stage = Stage::Pushed;
        return;
    }
    enterCall();
}

void noteTranslate() {
    if (layer.matrixMode == MODELVIEW && stage == Stage::Pushed) {
        stage = Stage::Translated;
        return;
    }
    enterCall();
}

void notePop() {
    if (layer.matrixMode == MODELVIEW && stage == Stage::Called) {
        stage = Stage::Popped;
        return;
    }
    enterCall();
}

bool deferDrop(unsigned list) {
    const Mesh* mesh = singleMesh(list);
    if (stage != Stage::Translated || !instancedOn || !instancingAvailable() || !mesh ||
        compilingList()) {
        return false;
    }
    if (!run.instances.empty() && run.list != list) drawPendingDrops();
    if (run.instances.empty()) {
        run.list = list;
        run.mesh = *mesh;
        computeDrawUniforms(run.uniforms);
    } else {
        analyse(modelview());  // as Mesa validates each drop's draw
    }
    addInstance();
    stage = Stage::Called;
    return true;
}

void drawPendingDrops() {
    if (run.instances.empty()) return;
    drawMeshInstances(run.mesh, run.uniforms, run.instances);
    instancedCount += static_cast<long>(run.instances.size() / INSTANCE_FLOATS);
    run.instances.clear();
}

void flush() {
    enterCall();
}

void setInstancedDrops(bool on) {
    enterCall();
    instancedOn = on;
}

long takeInstancedDropCount() {
    const long count = instancedCount;
    instancedCount = 0;
    return count;
}

}  // namespace gl_layer
