#pragma once

#include "host/HostApi.h"
#include "host/thread/SynchronizedObject.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class Image3D;

namespace ui {

// The images a UI draws, by id. An image is registered by name (localised through the data store
// when it has a per-language variant), gets an id and a reference count, and knows its size from
// the image catalogue "/Configs/UI/images.cfg" (one property per image: name = width height).
// An image the catalogue does not know is 64 x 64 and reported once. It is a synchronized object:
// hosts may register images from any thread under its lock.
class KEL_HOST_API ImageManager : public thread::SynchronizedObject {
public:
    struct Image {
        std::string name;      // as registered (localised)
        std::string directory; // where the host looks for the file
        int flags = 0;
        float width = 64;
        float height = 64;
        int references = 0;
    };

    explicit ImageManager(std::string kind);
    ~ImageManager() override;

    // The id of the image, registering it on first use. The name is localised first.
    int registerImage(const std::string& name, const std::string& directory = "", int flags = 0);
    // The id of an image registered before, or -1.
    int findImage(const std::string& name) const;
    void addReference(int id);
    void release(int id);
    const Image* getImage(int id) const;
    // The 3D texture of a registered image (decals draw with it): made on first use, kept by the
    // manager until it goes and shared by everyone who asks. Null for an unknown id.
    Image3D* getTexture3D(int id);
    int getCount() const { return static_cast<int>(images.size()); }
    const std::string& getKind() const { return kind; }

    // The catalogue size of an image name (localised or not); false when unknown.
    static bool lookUpSize(const std::string& name, float* width, float* height);
    // Reads the catalogue again and forgets which unknown images were reported.
    static void reloadCatalogue();
    // True the first time an unknown image `name` is reported since the catalogue was read.
    static bool firstReportOf(const std::string& name);
    // Forgets the catalogue and the images already reported; it is read again when next needed
    // (after the data root changed, for a new session).
    static void forgetCatalogue();

private:
    std::string kind; // "sprite" or "texture", for messages
    std::vector<Image> images;
    std::map<std::string, int> ids;
    std::map<int, std::unique_ptr<Image3D>> textures3D; // by id
};

} // namespace ui
