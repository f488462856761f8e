#include "host/ReferenceHost.h"
#include "host/config/ConfigManager.h"
#include "host/engine/DegradingManager.h"
#include "host/engine/Model.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/RenderWindow.h"
#include "host/engine/SphereVertexFogManager.h"
#include "host/engine/Timer.h"
#include "host/kelinput/KelInput.h"
#include "host/profile/Profile.h"
#include "host/render/FrameRenderer.h"
#include "host/sound/InsonificatorManager.h"
#include "host/sound/LandInsonificator.h"
#include "host/sound/Manager.h"
#include "host/sound/SoundManager.h"
#include "host/ui/ImageManager.h"

void resetReferenceHost() {
    theTimer->reset();
    theRenderTimer->reset();
    thePausedRenderTimer->reset();
    theDelayedRenderTimer->reset();
    theRenderDriver->reset();
    theRenderWindow->reset();
    theSphereVertexFogManager->reset();
    theDegradingManager->reset();
    theProfile->reset();
    theKelInput->reset();
    theSoundManager->reset();
    theInsonificatorManager->reset();
    theLandInsonificator->reset();
    sound::MANAGER->reset();
    config::theConfigManager->clear();
    // The catalogues are read again from the data root of the new session.
    ui::ImageManager::forgetCatalogue();
    ModelCatalogue::instance().forget();
    render::forgetReportedAssets();
}
