#pragma once

#include "host/config/Block.h"
#include "host/engine/View.h"
#include "host/ui/Component.h"
#include "host/ui/Scene.h"
#include "ui/UiApi.h"

#include <memory>

class Environment;
class SEFading;

namespace kel::ui {

// The sky and weather behind the menus and the battle. It owns the host's environment renderer
// and draws it either in a scene of its own (arranged from the UI scene setup "uisky") while the
// menus are shown, or in a view given from outside (the game-board view) during a battle. It can
// lay one of five fades over that view and keeps the last map sky configuration so the host can
// take it back. A custom view that is destroyed while the sky draws in it (the host ended the
// battle first) is forgotten, and the sky goes back to its own scene.
class KEL_UI_API Sky : public ::ui::Component, public ViewObserver {
public:
    // 0 none; 1 menu appearing (0 to L); 2 leaving the battle (L up to 1); 3 back to the battle
    // (L down to 0); 4 out of a battle (1 down to 0); 5 into a battle (0 up to 1).
    using FadingType = int;

    Sky();
    ~Sky() override;

    std::string_view getClassName() const override { return "sky"; }

    Environment* getEnvironment() const { return environment.get(); }

    // The component's options, then the sub-block "configuration": the menus' sky.
    void readConfig(config::Block* block) override;
    // Loads the menus' sky again.
    void setUIConfiguration();
    // A map's sky: kept for saveConfiguration; its "fogColor" (black when absent) goes to the
    // fog manager.
    void loadConfiguration(config::Block* block);
    void saveConfiguration(config::Block* block);

    void updateShowed() override;
    // Draws in `view` (null: the own scene) from now on; the fade leaves the old view.
    void setCustomView(View* view);
    View* getCustomView() const { return customView; }
    void viewDestroyed(View* view) override;
    void setEnvironmentVisible(bool visible);
    bool getEnvironmentVisible() const { return environmentVisible; }

    void startFading(FadingType type);
    // Progress of the fade; 1 or more ends it.
    void doFading(float progress);
    FadingType getFadingType() const { return fadingType; }
    SEFading* getFading() const { return fading.get(); }
    bool isFadingRegistered() const { return fadingRegistered; }
    ::ui::Scene& getScene() { return scene; }

private:
    View* currentView() const;
    void activateDrawing();
    void deactivateDrawing();
    void setOpacity(float opacity);

    std::unique_ptr<Environment> environment;
    ::ui::Scene scene;
    View* customView = nullptr; // not owned
    std::unique_ptr<SEFading> fading;
    bool fadingRegistered = false;
    config::Block uiConfiguration;
    config::Block mapConfiguration;
    float fadeLevel = 0.6f;
    FadingType fadingType = 0;
    bool environmentVisible = true;
};

} // namespace kel::ui
