#include "host/ui/Snapshot.h"
#include "host/engine/Model.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/SEFading.h"
#include "host/engine/View.h"
#include "host/resource/ResourceManager.h"
#include "host/ui/ModelComponent.h"
#include "host/ui/Scene.h"
#include "support/TempDir.h"
#include "support/UiFixture.h"

#include <fstream>
#include <regex>
#include <vector>

namespace {

using kel::test::TempDir;
using kel::test::UiFixture;

// A small XML checker: one root element, tags properly nested, attributes quoted, only the
// predefined or numeric entities, no raw '<' or '&' in text. Returns "" or what is wrong where.
std::string checkXml(std::string xml) {
    if (xml.compare(0, 5, "<?xml") == 0)
        xml.erase(0, xml.find("?>") + 2);
    static const std::regex entity(R"(&(?!(amp|lt|gt|quot|apos|#x?[0-9a-fA-F]+);))");
    static const std::regex tag(R"(<(/?)([\w:-]+)((?:\s+[\w:-]+=(?:"[^"<]*"|'[^'<]*'))*)\s*(/?)>)");
    if (std::regex_search(xml, entity))
        return "a bare '&'";
    std::vector<std::string> open;
    int roots = 0;
    size_t at = 0;
    for (std::smatch m; at < xml.size(); at += m.position(0) + m.length(0)) {
        if (!std::regex_search(xml.cbegin() + static_cast<long>(at), xml.cend(), m, tag))
            break;
        const std::string text = xml.substr(at, m.position(0));
        if (text.find('<') != std::string::npos)
            return "a malformed tag at byte " + std::to_string(at + text.find('<'));
        if (open.empty() && text.find_first_not_of(" \t\r\n") != std::string::npos)
            return "text outside the root at byte " + std::to_string(at);
        if (m[1] == "/") {
            if (open.empty() || open.back() != m[2])
                return "</" + m[2].str() + "> closes nothing open";
            open.pop_back();
            continue;
        }
        if (open.empty() && ++roots > 1)
            return "a second root element";
        if (m[4] != "/")
            open.push_back(m[2]);
    }
    if (xml.find_first_not_of(" \t\r\n", at) != std::string::npos)
        return "a malformed tag or text after the root at byte " + std::to_string(at);
    if (!open.empty())
        return "<" + open.back() + "> is never closed";
    return roots == 1 ? "" : "no root element";
}

TEST(XmlCheck, TellsWellFormedDocumentsFromBrokenOnes) {
    EXPECT_EQ(checkXml("<?xml version=\"1.0\"?>\n<svg a=\"1\"><g><t>x &amp; y</t></g></svg>"), "");
    for (const char* broken :
         {"<svg><g></svg></g>", "<svg a=1/>", "<svg>a & b</svg>", "<svg/><svg/>", "<svg><text>"})
        EXPECT_NE(checkXml(broken), "") << broken;
}

// Something a view draws that is not a model.
struct Fade : SEFading {
    Fade() : SEFading(0.6f) {}
};

class Snapshots : public UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        data.write("Configs/Engine/models.cfg", "menu_play { box = -0.5 -0.5 -0.5 0.5 0.5 0.5 }\n");
        const auto root = resource::theResourceManager->getDataRoot();
        resource::theResourceManager->setDataRoot(data.get());
        ModelCatalogue::instance().reload();
        resource::theResourceManager->setDataRoot(root);
    }
    void TearDown() override {
        ModelCatalogue::instance().reload();
        UiFixture::TearDown();
    }

    // A menu page with most widgets on it, a model in the UI's view and a fade in a scene.
    void buildScreen() {
        layout("page { class = container; size = 640 480\n"
               "  frame { class = ramka; position = 40 40; size = 560 400 }\n"
               "  title { class = spritetext; text = \"Sound & <Music>\"; font = efirst_blue\n"
               "          fit = horizontal; position = 0 60 }\n"
               "  picture { class = texturecomponent; position = 380 100; size = 160 120\n"
               "            image = Lighthouse; opacity = 0.5; angle = 90; flip = true }\n"
               "  check { class = checkbox; position = 80 120; size = 160 22; text = Music }\n"
               "  scroll { class = hslider; position = 80 160; size = 200 20; value = 0.7 }\n"
               "  list { class = listbox; position = 80 200; size = 200 80\n"
               "         items = Lighthouse Watermill Garden }\n"
               "  name { class = editbox; position = 80 300; size = 200 24; text = Ole }\n"
               "  ok { class = textbutton; position = 420 380; size = 120 30; text = OK }\n"
               "  noise { class = spritetext; position = 0 440; size = 300 30\n"
               "          text = \"bell\\x07 bad\\xFF utf8 \xC3\xA9t\xC3\xA9\" }\n"
               "  goal { class = dformattedspritetext; position = 320 250; size = 160 100\n"
               "         font = balloons; text = \"Reach the old lighthouse before the storm\" }\n"
               "}\n");
        auto* page = dynamic_cast<ui::Container*>(ui->getComponent("page"));
        auto* model = new ui::ModelComponent(ui.get(), ui->getView(), "menu_play");
        model->setInitialTransformation(Matrix3(), Vector(5, 0, 0));
        page->addComponent(model);
        model->setVisible(true);
    }

    TempDir data;
};

TEST_F(Snapshots, APictureOfTheScreenIsWellFormedSvgWithItsTextsImagesAndModels) {
    buildScreen();
    dynamic_cast<ui::Container*>(ui->getComponent("page"))->getComponent("ok")->setVisible(false);
    Fade fade;
    ui->getScene()->getView()->registerObject(&fade);
    ui->getScene()->activate();
    theRenderDriver->setBackground(config::Color(1, 0, 0, 1), true);
    ui::Snapshot::Options options;
    options.overlay = true;
    options.title = "Sound menu";
    const std::string svg = ui::Snapshot(ui.get()).render(options);
    ui->getScene()->getView()->unregisterObject(&fade);
    ui->getScene()->deactivate();
    theRenderDriver->setBackground(config::Color(0, 0, 0, 1), false);
    const std::string plain = ui::Snapshot().render({});

    EXPECT_EQ(checkXml(svg), "");
    EXPECT_EQ(checkXml(plain), "");
    EXPECT_EQ(svg.compare(0, 5, "<?xml"), 0);
    for (const char* part :
         {"<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"640\" height=\"480\"",
          "class=\"background\"><rect x=\"0\" y=\"0\" width=\"640\" height=\"480\" "
          "fill=\"rgb(255,0,0)\"",
          ">Sound &amp; &lt;Music&gt;</text>",
          ">bell? bad? utf8 \xC3\xA9t\xC3\xA9</text>", // what XML cannot carry is replaced
          ">Watermill</text>",                         // a list row
          "data-image=\"Lighthouse\"", "opacity=\"0.5\"",
          "rotate(90 460 160)", // turned about its centre
          "scale(-1 1)",        // flipped
          "data-model=\"menu_play\"", ">menu_play</text>", "class=\"fade\"", "fill-opacity=\"0.6\"",
          ">Reach the old lighthouse</text>", // the wrapped goal text, line by line
          ">check : checkbox</text>",         // the overlay names what is shown
          ">Sound menu</text>"})
        EXPECT_NE(svg.find(part), std::string::npos) << part;
    for (const char* left : {">ok : textbutton</text>", ">OK</text>"})
        EXPECT_EQ(svg.find(left), std::string::npos) << "hidden: " << left;
    EXPECT_EQ(plain.find("class=\"outline\""), std::string::npos) << "no overlay unless asked";
    EXPECT_EQ(plain.find("class=\"background\""), std::string::npos);
    EXPECT_NE(svg.find("class=\"outline\""), std::string::npos);
}

TEST_F(Snapshots, WritingGoesToTheFileOrSaysWhyNot) {
    TempDir out;
    buildScreen();
    const std::string path = (out / "shots/menu.svg").string();
    std::string error;
    ASSERT_TRUE(ui::Snapshot().write(path, {}, &error)) << error;
    std::ifstream file(path);
    const std::string written((std::istreambuf_iterator<char>(file)), {});
    EXPECT_EQ(written, ui::Snapshot().render({}));
    out.write("blocker", "a file where a directory should be");
    EXPECT_FALSE(ui::Snapshot().write((out / "blocker/menu.svg").string(), {}, &error));
    EXPECT_NE(error.find("blocker/menu.svg"), std::string::npos) << error;
}

} // namespace
