#pragma once

#include "host/HostApi.h"
#include "host/engine/Math.h"
#include "host/engine/RenderObject.h"
#include "host/engine/Transformable.h"

#include <memory>
#include <string>
#include <vector>

class RenderMeshListener;
class ScreenEffect;

// One pose of a model's mesh: its bounding box in model space.
class KEL_HOST_API KeyMesh {
public:
    KeyMesh(const Vector& min, const Vector& max) : min(min), max(max) {}
    void getBoundingBox(Vector* outMin, Vector* outMax) const {
        *outMin = min;
        *outMax = max;
    }
    float getHeight() const { return max.z - min.z; }
    Vector getCentre() const { return (min + max) * 0.5f; }

private:
    Vector min;
    Vector max;
};

// An animation of a model: its key meshes (the reference engine has one per animation).
class KEL_HOST_API BaseAnimation {
public:
    BaseAnimation(std::string name, const KeyMesh& mesh) : name(std::move(name)), mesh(mesh) {}
    const std::string& getName() const { return name; }
    const KeyMesh* getBaseKeyMesh(int index) const { return index == 0 ? &mesh : nullptr; }

private:
    std::string name;
    KeyMesh mesh;
};

// What the model catalogue knows of a model: its bounding box and its animations besides the
// base one, with their lengths in seconds (one per animation, in the same order).
struct ModelInfo {
    Vector min{-0.5f, -0.5f, 0.0f};
    Vector max{0.5f, 0.5f, 1.0f};
    std::vector<std::string> animations;
    std::vector<float> lengths;
    // The words the model shows a player, for models that carry some (menu entries).
    std::string caption;
};

// Places a model in the world and plays its animations; effects (highlight, contour) are
// attached to it. Effects are not owned.
//
// Animations run on the engine's render timer (theRenderTimer). A looping animation plays until
// another is chosen; one played once ends when its length has passed, and the model is back at
// its base pose. Playing an animation the model does not have is reported on the "engine" log and
// changes nothing.
class KEL_HOST_API Animator : public Transformable {
public:
    explicit Animator(const std::string& modelName);
    ~Animator() override;

    const std::string& getModelName() const { return modelName; }
    const BaseAnimation* getBaseAnimation() const { return &base; }
    // The animation shown now: "base" at rest (also once an animation played once has ended),
    // or a named one such as "Walk".
    std::string getAnimation() const;
    bool isLooping() const { return looping; }
    // Whether a named animation is running (not the base pose, not ended).
    bool isPlaying() const;
    void playBase();
    // False, with the report described above, for an animation the model does not have.
    bool play(const std::string& name, bool loop);
    bool hasAnimation(const std::string& name) const;
    // The animation's length in seconds; 0 for the base pose and for an unknown name.
    float getLength(const std::string& name) const;

    void addEffect(ScreenEffect* effect);
    void removeEffect(ScreenEffect* effect);
    bool hasEffect(const ScreenEffect* effect) const;
    const std::vector<ScreenEffect*>& getEffects() const { return effects; }

private:
    Animator(const std::string& modelName, const ModelInfo& info);

    std::string modelName;
    BaseAnimation base;
    std::vector<std::string> animations;
    std::vector<float> lengths;
    std::string animation = "base";
    bool looping = false;
    float startedAt = 0.0f; // render timer time of the last play
    std::vector<ScreenEffect*> effects;
};

// An animator of a landscape object, which also stands at a degree of the world's sphere.
class KEL_HOST_API LandscapeObjectAnimator : public Animator {
public:
    LandscapeObjectAnimator(const std::string& modelName, float degree)
        : Animator(modelName), degree(degree) {}
    float getDegree() const { return degree; }

private:
    float degree;
};

// A model registered as a render object in a view. Its mesh can be picked under the pointer:
// the engine tells its mesh listener (not owned) when it comes under the pointer or leaves it.
class KEL_HOST_API Model : public RenderObject {
public:
    explicit Model(const std::string& name);
    // Builds on an animator of another kind (a landscape object's); takes ownership.
    explicit Model(std::unique_ptr<Animator> animator);
    ~Model() override;

    const std::string& getName() const { return animator->getModelName(); }
    Animator* getAnimator() const { return animator.get(); }
    // Attaches the listener (null detaches); see RenderMeshListener for their lifetimes.
    void setMeshListener(RenderMeshListener* listener);
    RenderMeshListener* getMeshListener() const { return meshListener; }

    // Whether the ray hits the model's bounding box (key mesh 0 in the animator's global
    // transformation); the distance along the ray to the hit.
    bool intersect(const Vector& origin, const Vector& direction, float* distance) const;
    // The eight corners of the bounding box in the world.
    std::vector<Vector> worldCorners() const;
    std::string describe() const override;
    Model* asModel() override { return this; }

private:
    friend class RenderMeshListener;
    std::unique_ptr<Animator> animator;
    RenderMeshListener* meshListener = nullptr;
};

// Every model's mesh data, from "/Configs/Engine/models.cfg": one block per model with
// "box" (min x y z, max x y z), "animations" (names besides the base one), "lengths" (their
// lengths in seconds, one each, above 0) and, for models that show words (menu entries),
// "caption". An unknown model gets a unit box and is reported once on the "engine" log filter.
// Mistakes are reported with file, line and column; animations without a right length last
// kDefaultLength.
class KEL_HOST_API ModelCatalogue {
public:
    static constexpr float kDefaultLength = 1.0f;

    static ModelCatalogue& instance();
    const ModelInfo& find(const std::string& name);
    // Reads the catalogue again (after the data root changed).
    void reload();
    // Forgets the catalogue and the models already reported; it is read again when next needed.
    void forget();

private:
    void load();

    bool loaded = false;
    std::vector<std::pair<std::string, ModelInfo>> entries;
    std::vector<std::string> reported;
    ModelInfo unknown;
};
