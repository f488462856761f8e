#include "host/ui/Snapshot.h"
#include "host/engine/Model.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/RenderObject.h"
#include "host/engine/View.h"
#include "host/resource/ResourceManager.h"
#include "host/ui/ModelComponent.h"
#include "host/ui/Scene.h"
#include "host/ui/SpriteText.h"
#include "support/TempDir.h"
#include "support/UiFixture.h"

#include <cctype>
#include <fstream>
#include <vector>

namespace {

using kel::test::TempDir;
using kel::test::UiFixture;

// A small XML checker: one root element, tags properly nested, attributes quoted, only the
// predefined or numeric entities, no raw '<' or '&' in text. Returns "" or what is wrong where.
std::string checkXml(const std::string& xml) {
    size_t i = 0;
    std::vector<std::string> open;
    int roots = 0;
    auto fail = [&](const std::string& what) { return what + " at byte " + std::to_string(i); };
    auto entity = [&](size_t at) {
        const size_t end = xml.find(';', at);
        if (end == std::string::npos || end - at > 10)
            return false;
        const std::string name = xml.substr(at + 1, end - at - 1);
        return name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "apos" ||
               (name.size() > 1 && name[0] == '#');
    };
    if (xml.compare(0, 5, "<?xml") == 0)
        i = xml.find("?>") + 2;
    while (i < xml.size()) {
        if (xml[i] != '<') {
            if (xml[i] == '&' && !entity(i))
                return fail("a bare '&'");
            if (open.empty() && !std::isspace(static_cast<unsigned char>(xml[i])))
                return fail("text outside the root");
            ++i;
            continue;
        }
        if (xml.compare(i, 4, "<!--") == 0) {
            i = xml.find("-->", i) + 3;
            continue;
        }
        const bool closing = xml[i + 1] == '/';
        size_t at = i + (closing ? 2 : 1);
        const size_t nameStart = at;
        while (at < xml.size() && (std::isalnum(static_cast<unsigned char>(xml[at])) ||
                                   xml[at] == '-' || xml[at] == ':' || xml[at] == '_'))
            ++at;
        const std::string name = xml.substr(nameStart, at - nameStart);
        if (name.empty())
            return fail("a tag without a name");
        if (closing) {
            if (open.empty() || open.back() != name)
                return fail("</" + name + "> closes nothing open");
            open.pop_back();
            at = xml.find('>', at);
            if (at == std::string::npos)
                return fail("an unclosed end tag");
            i = at + 1;
            continue;
        }
        // Attributes: name="value" or name='value'.
        while (true) {
            while (at < xml.size() && std::isspace(static_cast<unsigned char>(xml[at])))
                ++at;
            if (at >= xml.size())
                return fail("a tag runs off the end");
            if (xml[at] == '>' || xml.compare(at, 2, "/>") == 0)
                break;
            const size_t attribute = at;
            while (at < xml.size() && xml[at] != '=' &&
                   !std::isspace(static_cast<unsigned char>(xml[at])))
                ++at;
            if (at == attribute || xml[at] != '=' || (xml[at + 1] != '"' && xml[at + 1] != '\''))
                return fail("a malformed attribute in <" + name + ">");
            const char quote = xml[at + 1];
            const size_t end = xml.find(quote, at + 2);
            if (end == std::string::npos)
                return fail("an unterminated attribute");
            for (size_t k = at + 2; k < end; ++k) {
                if (xml[k] == '<')
                    return fail("'<' inside an attribute");
                if (xml[k] == '&' && !entity(k))
                    return fail("a bare '&' in an attribute");
            }
            at = end + 1;
        }
        if (open.empty() && ++roots > 1)
            return fail("a second root element");
        if (xml[at] == '>')
            open.push_back(name);
        i = xml.find('>', at) + 1;
    }
    if (!open.empty())
        return "<" + open.back() + "> is never closed";
    return roots == 1 ? "" : "no root element";
}

TEST(XmlCheck, TellsWellFormedDocumentsFromBrokenOnes) {
    EXPECT_EQ(checkXml("<?xml version=\"1.0\"?>\n<svg a=\"1\"><g><t>x &amp; y</t></g></svg>"), "");
    EXPECT_NE(checkXml("<svg><g></svg></g>"), "");
    EXPECT_NE(checkXml("<svg a=1/>"), "");
    EXPECT_NE(checkXml("<svg>a & b</svg>"), "");
    EXPECT_NE(checkXml("<svg/><svg/>"), "");
    EXPECT_NE(checkXml("<svg><text>"), "");
}

// Something a view draws that is not a model.
class Fade : public RenderObject {
public:
    std::string describe() const override { return "fade 0.6"; }
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
        layout("page { class = container; size = 640 480; visible = true\n"
               "  frame { class = ramka; position = 40 40; size = 560 400; visible = true }\n"
               "  title { class = spritetext; text = \"Sound & <Music>\"; font = efirst_blue;\n"
               "          fit = horizontal; position = 0 60; visible = true }\n"
               "  picture { class = texturecomponent; position = 380 100; size = 160 120;\n"
               "            image = Lighthouse; opacity = 0.5; angle = 90; flip = true;\n"
               "            visible = true }\n"
               "  check { class = checkbox; position = 80 120; size = 160 22; text = Music;\n"
               "          value = true; visible = true }\n"
               "  scroll { class = hslider; position = 80 160; size = 200 20; range = 0 10;\n"
               "           value = 7; visible = true }\n"
               "  list { class = listbox; position = 80 200; size = 200 80;\n"
               "         items = Lighthouse Watermill Garden; visible = true }\n"
               "  name { class = editbox; position = 80 300; size = 200 24; text = Ole;\n"
               "         visible = true }\n"
               "  ok { class = textbutton; position = 420 380; size = 120 30; text = OK;\n"
               "       visible = true }\n"
               "  goal { class = dformattedspritetext; position = 320 250; size = 160 100;\n"
               "         font = balloons; text = \"Reach the old lighthouse before the storm\";\n"
               "         visible = true }\n"
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
    Fade fade;
    ui->getScene()->getView()->registerObject(&fade);
    ui->getScene()->activate();
    const std::string svg = ui::Snapshot().render({});
    ui->getScene()->getView()->unregisterObject(&fade);
    ui->getScene()->deactivate();

    EXPECT_EQ(checkXml(svg), "");
    EXPECT_EQ(svg.compare(0, 5, "<?xml"), 0);
    EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"640\" height=\"480\""),
              std::string::npos);
    EXPECT_NE(svg.find(">Sound &amp; &lt;Music&gt;</text>"), std::string::npos) << svg;
    EXPECT_NE(svg.find(">Watermill</text>"), std::string::npos) << "a list row";
    EXPECT_NE(svg.find("data-image=\"Lighthouse\""), std::string::npos) << "an image label";
    EXPECT_NE(svg.find("opacity=\"0.5\""), std::string::npos);
    EXPECT_NE(svg.find("rotate(90 460 160)"), std::string::npos) << "turned about its centre";
    EXPECT_NE(svg.find("scale(-1 1)"), std::string::npos) << "flipped";
    EXPECT_NE(svg.find("data-model=\"menu_play\""), std::string::npos);
    EXPECT_NE(svg.find(">menu_play</text>"), std::string::npos) << "the model named";
    EXPECT_NE(svg.find("class=\"fade\""), std::string::npos);
    EXPECT_NE(svg.find("fill-opacity=\"0.6\""), std::string::npos);
    EXPECT_EQ(svg.find("class=\"outline\""), std::string::npos) << "no overlay unless asked";
    // The wrapped goal text is drawn line by line, each line its metric width.
    EXPECT_NE(svg.find(">Reach the old lighthouse</text>"), std::string::npos) << svg;
}

TEST_F(Snapshots, TheOverlayNamesComponentsAndHiddenOnesAreLeftOut) {
    buildScreen();
    auto* page = dynamic_cast<ui::Container*>(ui->getComponent("page"));
    page->getComponent("ok")->setVisible(false);
    ui::Snapshot::Options options;
    options.overlay = true;
    options.title = "Sound menu";
    const std::string svg = ui::Snapshot(ui.get()).render(options);
    EXPECT_EQ(checkXml(svg), "");
    EXPECT_NE(svg.find(">check : checkbox</text>"), std::string::npos);
    EXPECT_EQ(svg.find(">ok : textbutton</text>"), std::string::npos);
    EXPECT_EQ(svg.find(">OK</text>"), std::string::npos);
    EXPECT_NE(svg.find(">Sound menu</text>"), std::string::npos);
}

TEST_F(Snapshots, TheBackgroundColourShowsWhileTheDriverWantsIt) {
    theRenderDriver->setBackground(config::Color(1, 0, 0, 1), true);
    const std::string with = ui::Snapshot().render({});
    theRenderDriver->setBackground(config::Color(0, 0, 0, 1), false);
    EXPECT_NE(with.find("class=\"background\"><rect x=\"0\" y=\"0\" width=\"640\" "
                        "height=\"480\" fill=\"rgb(255,0,0)\""),
              std::string::npos);
    EXPECT_EQ(ui::Snapshot().render({}).find("class=\"background\""), std::string::npos);
}

TEST_F(Snapshots, TextThatXmlCannotCarryIsReplacedNotWrittenRaw) {
    auto* text = new ui::SpriteText(ui.get(), 0, 0, 300, 30);
    text->setText(std::string("bell\x07 bad\xFF utf8 \xC3\xA9t\xC3\xA9"));
    ui->addComponent(text);
    text->setVisible(true);
    const std::string svg = ui::Snapshot().render({});
    EXPECT_EQ(checkXml(svg), "");
    EXPECT_NE(svg.find(">bell? bad? utf8 \xC3\xA9t\xC3\xA9</text>"), std::string::npos);
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
