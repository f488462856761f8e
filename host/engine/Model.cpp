#include "host/engine/Model.h"
#include "host/config/CheckedRead.h"
#include "host/config/Config.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/RenderDriverListener.h"
#include "host/engine/Timer.h"

#include <algorithm>
#include <limits>
#include <mutex>

namespace {

std::mutex catalogueMutex;

debug::Filter& engineFilter() {
    static debug::Filter filter("engine", true);
    return filter;
}

} // namespace

Animator::Animator(const std::string& modelName)
    : Animator(modelName, ModelCatalogue::instance().find(modelName)) {}

Animator::Animator(const std::string& modelName, const ModelInfo& info)
    : modelName(modelName), base("base", KeyMesh(info.min, info.max)), animations(info.animations),
      lengths(info.lengths) {}

Animator::~Animator() = default;

std::string Animator::getAnimation() const {
    return isPlaying() ? animation : "base";
}

bool Animator::isPlaying() const {
    if (animation == "base")
        return false;
    // A clock set back (a test's reset) counts as the animation's start.
    const float elapsed = std::max(0.0f, theRenderTimer->getTime() - startedAt);
    return looping || elapsed < getLength(animation);
}

float Animator::getLength(const std::string& name) const {
    const auto found = std::find(animations.begin(), animations.end(), name);
    if (found == animations.end())
        return 0.0f;
    const size_t index = static_cast<size_t>(found - animations.begin());
    return index < lengths.size() ? lengths[index] : ModelCatalogue::kDefaultLength;
}

void Animator::playBase() {
    animation = "base";
    looping = false;
}

bool Animator::play(const std::string& name, bool loop) {
    if (!hasAnimation(name)) {
        debug::Error error(
            debug::ContextScope::current(debug::Context("/Configs/Engine/models.cfg", 0)),
            "model '" + modelName + "' has no animation '" + name + "'");
        debug::report(engineFilter(), error);
        return false;
    }
    animation = name;
    looping = loop && name != "base";
    startedAt = theRenderTimer->getTime();
    return true;
}

bool Animator::hasAnimation(const std::string& name) const {
    return name == "base" ||
           std::find(animations.begin(), animations.end(), name) != animations.end();
}

void Animator::addEffect(ScreenEffect* effect) {
    if (!hasEffect(effect))
        effects.push_back(effect);
}

void Animator::removeEffect(ScreenEffect* effect) {
    effects.erase(std::remove(effects.begin(), effects.end(), effect), effects.end());
}

bool Animator::hasEffect(const ScreenEffect* effect) const {
    return std::find(effects.begin(), effects.end(), effect) != effects.end();
}

Model::Model(const std::string& name) : animator(std::make_unique<Animator>(name)) {}

Model::Model(std::unique_ptr<Animator> animator) : animator(std::move(animator)) {}

Model::~Model() {
    setMeshListener(nullptr);
    // The render driver must not trace a model that is gone.
    theRenderDriver->forgetModel(this);
}

void Model::setMeshListener(RenderMeshListener* listener) {
    if (listener == meshListener)
        return;
    if (meshListener) {
        auto& meshes = meshListener->meshes;
        meshes.erase(std::remove(meshes.begin(), meshes.end(), this), meshes.end());
    }
    meshListener = listener;
    if (listener)
        listener->meshes.push_back(this);
}

RenderMeshListener::~RenderMeshListener() {
    for (Model* model : meshes)
        model->meshListener = nullptr;
}

bool Model::intersect(const Vector& origin, const Vector& direction, float* distance) const {
    Vector min, max;
    animator->getBaseAnimation()->getBaseKeyMesh(0)->getBoundingBox(&min, &max);
    // Into model space, where the box is axis-aligned (slab test).
    const Matrix3 inverse = animator->getGlobalOrientation().transposed();
    const Vector o = inverse * (origin - animator->getGlobalPosition());
    const Vector d = inverse * direction;
    float near = -std::numeric_limits<float>::infinity();
    float far = std::numeric_limits<float>::infinity();
    for (int axis = 0; axis < 3; ++axis) {
        if (std::fabs(d[axis]) < 1e-9f) {
            if (o[axis] < min[axis] || o[axis] > max[axis])
                return false;
            continue;
        }
        float t1 = (min[axis] - o[axis]) / d[axis];
        float t2 = (max[axis] - o[axis]) / d[axis];
        if (t1 > t2)
            std::swap(t1, t2);
        near = std::max(near, t1);
        far = std::min(far, t2);
        if (near > far)
            return false;
    }
    if (far < 0)
        return false;
    *distance = near > 0 ? near : 0;
    return true;
}

std::vector<Vector> Model::worldCorners() const {
    Vector min, max;
    animator->getBaseAnimation()->getBaseKeyMesh(0)->getBoundingBox(&min, &max);
    std::vector<Vector> corners;
    for (int i = 0; i < 8; ++i) {
        const Vector local(i & 1 ? max.x : min.x, i & 2 ? max.y : min.y, i & 4 ? max.z : min.z);
        corners.push_back(animator->getGlobalOrientation() * local + animator->getGlobalPosition());
    }
    return corners;
}

std::string Model::describe() const {
    return "model " + getName();
}

ModelCatalogue& ModelCatalogue::instance() {
    static ModelCatalogue catalogue;
    return catalogue;
}

const ModelInfo& ModelCatalogue::find(const std::string& name) {
    std::lock_guard<std::mutex> guard(catalogueMutex);
    if (!loaded)
        load();
    for (const auto& entry : entries)
        if (entry.first == name)
            return entry.second;
    if (std::find(reported.begin(), reported.end(), name) == reported.end()) {
        reported.push_back(name);
        // A model a layout or map names is reported where it is named.
        debug::Error error(
            debug::ContextScope::current(debug::Context("/Configs/Engine/models.cfg", 0)),
            "unknown model '" + name + "': drawn as a unit box");
        debug::report(engineFilter(), error);
    }
    return unknown;
}

void ModelCatalogue::reload() {
    std::lock_guard<std::mutex> guard(catalogueMutex);
    load();
}

void ModelCatalogue::forget() {
    std::lock_guard<std::mutex> guard(catalogueMutex);
    loaded = false;
    entries.clear();
    reported.clear();
}

void ModelCatalogue::load() {
    loaded = true;
    entries.clear();
    reported.clear();
    config::Config file;
    if (!file.readFile("/Configs/Engine/models.cfg"))
        return;
    config::BlockEntry<config::Block*>* block = nullptr;
    for (file.getProperties(&block); block; block = block->getNext()) {
        ModelInfo entry;
        const config::Block& model = *block->getValue();
        const config::CheckedReader reader(engineFilter(), model,
                                           "model '" + block->getName() + "': ");
        float box[6];
        if (!model.hasProperty("box")) {
            debug::Error error(
                debug::Context(file.getSourceFile(), block->getLine(), block->getColumn()),
                "model '" + block->getName() + "' needs \"box = minx miny minz maxx maxy maxz\"");
            debug::report(engineFilter(), error);
        } else if (reader.readNumbers("box", 6, config::Range(), box)) {
            if (box[0] <= box[3] && box[1] <= box[4] && box[2] <= box[5]) {
                entry.min = Vector(box[0], box[1], box[2]);
                entry.max = Vector(box[3], box[4], box[5]);
            } else {
                reader.report("box", "a minimum is above its maximum (minx miny minz maxx maxy "
                                     "maxz)");
            }
        }
        entry.animations = block->getValue()->getList("animations");
        entry.lengths.assign(entry.animations.size(), kDefaultLength);
        if (!entry.animations.empty()) {
            if (!model.hasProperty("lengths"))
                reader.report("lengths", "each animation needs its length in seconds");
            else
                reader.readNumbers("lengths", entry.animations.size(), config::Range::above(0),
                                   entry.lengths.data());
        }
        block->getValue()->getProperty("caption", &entry.caption);
        entries.emplace_back(block->getName(), std::move(entry));
    }
}
