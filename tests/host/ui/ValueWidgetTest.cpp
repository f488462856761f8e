#include "NotifyTrace.h"
#include "host/input/Device.h"
#include "host/input/Event.h"
#include "host/ui/CheckBox.h"
#include "host/ui/EditBox.h"
#include "host/ui/Factory.h"
#include "host/ui/HSlider.h"
#include "host/ui/ListBox.h"
#include "host/ui/RadioButton.h"
#include "host/ui/RadioContainer.h"
#include "support/UiFixture.h"

namespace {

using kel::test::NotifyTrace;
using kel::test::UiFixture;

// A settings page: a check box, a slider, a radio group, a list and a name field.
class ValueWidgets : public UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        page = new NotifyTrace();
        ui->addComponent(page);
        layout(
            "check_music { class = checkbox; position = 20 20; size = 150 20; text = Music\n"
            "              value = true }\n"
            "scroll { class = hslider; position = 20 60; size = 210 20; range = 0 10; value = 5 }\n"
            "radiocontainer { class = radiocontainer; position = 20 100; size = 300 20\n"
            "    value = easy; trivial { class = radio; size = 90 20; text = Trivial }\n"
            "    easy { class = radio; position = 100 0; size = 90 20 }\n"
            "    normal { class = radio; position = 200 0; size = 90 20; value = hard } }\n"
            "list { class = listbox; position = 20 140; size = 200 72 }\n"
            "editname { class = editbox; position = 20 240; size = 200 24; maxLength = 8 }\n",
            page);
        page->setVisible(true);
        ASSERT_TRUE(ui::getFactory()->getComponent("check_music", &check, page, false));
        ASSERT_TRUE(ui::getFactory()->getComponent("scroll", &slider, page, false));
        ASSERT_TRUE(ui::getFactory()->getComponent("radiocontainer", &radios, page, false));
        ASSERT_TRUE(ui::getFactory()->getComponent("list", &list, page, false));
        ASSERT_TRUE(ui::getFactory()->getComponent("editname", &edit, page, false));
    }

    void type(const std::string& text) {
        ui->processInputEvent(counting_ptr<input::Event>(
            new input::events::Character(input::devices::PCKeyboard::instance(), text)));
    }

    NotifyTrace* page = nullptr;
    ui::CheckBox* check = nullptr;
    ui::HSlider* slider = nullptr;
    ui::RadioContainer* radios = nullptr;
    ui::ListBox* list = nullptr;
    ui::EditBox* edit = nullptr;
};

TEST_F(ValueWidgets, ACheckBoxTogglesOnEachClickAndSaysItsNewValue) {
    EXPECT_TRUE(check->getValue()) << "from the layout";
    clickAt(25, 30);
    EXPECT_FALSE(check->getValue());
    clickAt(25, 30);
    check->setValue(false);
    EXPECT_EQ(page->take(), "check_music:valuechanged=false check_music:valuechanged=true ")
        << "values set from code are silent";
}

TEST_F(ValueWidgets, ASliderClickPutsTheThumbUnderThePointerWithinItsRange) {
    // The track runs from x 25 to 225 (the thumb's half width in from each end).
    clickAt(75, 70);
    EXPECT_FLOAT_EQ(slider->getValue(), 2.5f);
    EXPECT_EQ(page->take(), "scroll:valuechanged=2.5 scroll:mouseclick=3 ");
    clickAt(21, 70);
    EXPECT_FLOAT_EQ(slider->getValue(), 0.0f) << "clamped at the low end";
    slider->setStep(1);
    clickAt(178, 70);
    EXPECT_FLOAT_EQ(slider->getValue(), 8.0f) << "7.65 lands on the step";
    EXPECT_EQ(ui->getFocusedComponent(), slider) << "a click focuses the slider";
}

TEST_F(ValueWidgets, SliderKeysMoveByAStepOnlyWhileFocused) {
    ui->setFocusedComponent(nullptr); // the page took it when it was shown
    tap("Right");
    ui->setFocusedComponent(slider);
    tap("Right");
    EXPECT_FLOAT_EQ(slider->getValue(), 6.0f) << "once, by a tenth of the range";
    slider->setRange(3, -3);
    EXPECT_FLOAT_EQ(slider->getMin(), -3);
    EXPECT_FLOAT_EQ(slider->getValue(), 3.0f) << "brought inside the new range";
    tap("Right");
    EXPECT_FLOAT_EQ(slider->getValue(), 3.0f);
    tap("Left");
    EXPECT_NEAR(slider->getValue(), 2.4f, 1e-5);
    EXPECT_EQ(page->take(), "scroll:valuechanged=6 scroll:valuechanged=2.4 ")
        << "no notification when the value stays";
}

TEST_F(ValueWidgets, ARadioClickChoosesItAndNotifiesWithItsOwnName) {
    EXPECT_EQ(radios->get(), "easy");
    EXPECT_EQ(radios->getValue(), "easy") << "a radio's value defaults to its name";
    clickAt(225, 110);
    EXPECT_EQ(radios->get(), "normal");
    EXPECT_EQ(radios->getValue(), "hard");
    EXPECT_EQ(page->take(), "normal:job=hard ");
    EXPECT_FALSE(radios->getRadio("easy")->isSelected());

    EXPECT_TRUE(radios->set("trivial"));
    EXPECT_FALSE(radios->set("impossible"));
    EXPECT_EQ(radios->get(), "trivial") << "an unknown name changes nothing";
    EXPECT_TRUE(radios->setValue("hard"));
    EXPECT_EQ(radios->get(), "normal");
    EXPECT_EQ(page->take(), "");
}

TEST_F(ValueWidgets, AListSelectsByClickAndByArrowKeysAndScrollsToTheSelection) {
    // Rows of the default font, 16 high, from y 144: four rows are shown.
    for (const char* name : {"alpha", "beta", "gamma", "delta", "epsilon", "zeta"})
        list->addString(name);
    EXPECT_EQ(list->getSelectedString(), "alpha") << "the first string added is selected";
    EXPECT_EQ(list->getVisibleRows(), 4);
    clickAt(60, 144 + 16 * 2 + 3);
    EXPECT_EQ(list->getSelectedString(), "gamma");
    EXPECT_EQ(page->take(), "list:selchanged=gamma list:mouseclick=3 ");
    tap("Down");
    tap("Down");
    EXPECT_EQ(list->getSelectedString(), "epsilon");
    EXPECT_EQ(list->getTopItem(), 1) << "scrolled so the selection shows";
    tap("Up");
    EXPECT_EQ(page->take(), "list:selchanged=delta list:selchanged=epsilon list:selchanged=delta ");

    clickAt(60, 144 + 16 * 3 + 3); // the fourth row shown is "epsilon"
    EXPECT_EQ(list->getSelectedString(), "epsilon");
    page->take();
}

TEST_F(ValueWidgets, RemovingStringsKeepsTheSelectionOnARealRow) {
    for (const char* name : {"A", "B", "C"})
        list->addString(name);
    ASSERT_TRUE(list->selectString("C"));
    EXPECT_TRUE(list->removeString("A"));
    EXPECT_EQ(list->getSelectedString(), "C") << "the selection follows its string";
    EXPECT_TRUE(list->removeString("C"));
    EXPECT_EQ(list->getSelectedString(), "B") << "the neighbour takes the place";
    EXPECT_FALSE(list->removeString("C"));
    EXPECT_TRUE(list->removeString("B"));
    EXPECT_EQ(list->getSelectedIndex(), -1);
    list->addString("D");
    list->resetContent();
    EXPECT_EQ(list->getCount(), 0);
    EXPECT_EQ(page->take(), "") << "changes from code are silent";
}

TEST_F(ValueWidgets, AnEditBoxTakesTypedTextAndBackspaceOnlyWhileFocused) {
    type("x");
    EXPECT_EQ(edit->getText(), "") << "not focused";
    clickAt(30, 250);
    EXPECT_EQ(ui->getFocusedComponent(), edit);
    page->take();
    type("Ol");
    type("\xC3\xA9"); // é: one character of two bytes
    tap("Backspace");
    type("e\t");
    EXPECT_EQ(edit->getText(), "Ole");
    EXPECT_EQ(page->take(), "editname:changed=Ol editname:changed=Ol\xC3\xA9 editname:changed=Ol "
                            "editname:changed=Ole ");
    type("Gunnarsson");
    EXPECT_EQ(edit->getText(), "OleGunna") << "eight characters at most";
    edit->setText("");
    EXPECT_EQ(page->take(), "editname:changed=OleGunna ");
    tap("Backspace");
    EXPECT_EQ(page->take(), "") << "nothing to erase, nothing changed";
}

} // namespace
