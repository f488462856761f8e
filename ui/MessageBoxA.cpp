#include "ui/MessageBoxA.h"

#include "host/thread/Event.h"
#include "host/ui/Font.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/Ramka.h"
#include "host/ui/TextButton.h"
#include "host/ui/TextComponent.h"
#include "host/ui/UI.h"

namespace kel::ui {

namespace {
const char* const kPrefix = "mb: ";
}

MessageBoxA::MessageBoxA(::ui::UI* ui, const std::string& message, int style, thread::Event* event)
    : Container(ui, 0, 0, ::ui::theUI->getScreenWidth(), ::ui::theUI->getScreenHeight()),
      frame(nullptr), text(nullptr), event(event), result(Button(0)) {
    buttonLabels = {{OK, "OK"},       {YES, "YES"},       {NO, "NO"},        {ABORT, "ABORT"},
                    {RETRY, "RETRY"}, {IGNORE, "IGNORE"}, {CANCEL, "CANCEL"}};

    text = new ::ui::TextComponent(ui, 0, 20, 440, ui->getFont("first_blue")->getHeight("a"));
    text->setFont("first_blue");
    text->setAlign(2);
    text->setText(message);
    text->setVisible(true);
    addComponent(text);

    int n = 0;
    for (const auto& [bit, label] : buttonLabels) {
        if (!(style & bit))
            continue;
        auto* button = new ::ui::TextButton(ui, 70.0f + 170.0f * n, 50, 100, 26);
        addComponent(button);
        button->setVisible(true);
        button->setNotify(true);
        button->setName(kPrefix + label);
        button->setText(label);
        ++n;
    }

    float width = 100.0f * n + 70.0f * (n + 1);
    if (text->getTextWidth() + 30 > width)
        width = text->getTextWidth() + 30;
    frame = new ::ui::Ramka(ui, 0, 0, width, 100);
    frame->setVisible(true);
    addComponent(frame);
    setSize(width, 100);
}

MessageBoxA::~MessageBoxA() {
    setVisible(false);
    repaint();
}

void MessageBoxA::notify(::ui::NotifyEvent& notification) {
    std::string sender;
    notification.getProperty("name", &sender);
    result = Button(0);
    for (const auto& [bit, label] : buttonLabels)
        if (sender == kPrefix + label)
            result = bit;
    event->set();
}

} // namespace kel::ui
