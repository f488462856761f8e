#include "ui/MessageBoxA.h"

#include "host/input/Event.h"
#include "host/input/Keys.h"
#include "host/thread/Event.h"
#include "host/ui/Font.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/Ramka.h"
#include "host/ui/TextButton.h"
#include "host/ui/TextComponent.h"
#include "host/ui/TextLayout.h"
#include "host/ui/UI.h"

#include <algorithm>

namespace kel::ui {

namespace {
const char* const kPrefix = "mb: ";
// The box keeps this far from the screen's sides; a longer question wraps.
constexpr float kScreenMargin = 20;
// Room around the question inside the box.
constexpr float kTextMargin = 30;
} // namespace

MessageBoxA::MessageBoxA(::ui::UI* ui, const std::string& message, int style, thread::Event* event)
    : Container(ui, 0, 0, ::ui::theUI->getScreenWidth(), ::ui::theUI->getScreenHeight()),
      frame(nullptr), text(nullptr), event(event), result(Button(0)) {
    // It watches input meant for others (see processInputEvent).
    setHearsEveryEvent(true);
    buttonLabels = {{OK, "OK"},       {YES, "YES"},       {NO, "NO"},        {ABORT, "ABORT"},
                    {RETRY, "RETRY"}, {IGNORE, "IGNORE"}, {CANCEL, "CANCEL"}};

    const ::ui::Font* font = ui->getFont("first_blue");
    const float lineHeight = font->getHeight("a");
    text = new ::ui::TextComponent(ui, 0, 20, 440, lineHeight);
    text->setFont("first_blue");
    text->setAlign(2);
    text->setText(message);
    text->setVisible(true);
    addComponent(text);

    int n = 0;
    for (const auto& [bit, label] : buttonLabels)
        n += (style & bit) != 0;
    const float buttonsWidth = 100.0f * n + 70.0f * (n + 1);

    // As wide as the buttons, or as the question and its margin; a question wider than the
    // screen allows wraps, and the box grows down by its extra lines.
    const float widest = std::max(buttonsWidth, ui->getScreenWidth() - 2 * kScreenMargin);
    float width = std::max(buttonsWidth, text->getTextWidth() + kTextMargin);
    if (width > widest) {
        width = widest;
        // As many lines as the screen's height allows; a question longer still ends in "...".
        const size_t most =
            1 + static_cast<size_t>(
                    std::max(0.0f, (ui->getScreenHeight() - 2 * kScreenMargin - 100) / lineHeight));
        std::vector<std::string> lines =
            ::ui::TextLayout::wrap(*font, message, width - kTextMargin);
        if (lines.size() > most) {
            lines.resize(most);
            lines.back() += "...";
        }
        std::string wrapped;
        for (const std::string& line : lines)
            wrapped += (wrapped.empty() ? "" : "\n") + line;
        text->setText(wrapped);
    }
    const size_t lines = ::ui::TextLayout::lines(text->getText()).size();
    const float extra = lines > 1 ? static_cast<float>(lines - 1) * lineHeight : 0.0f;
    // A box wider than the text line's 440 widens the line, so its text stays centred in it.
    text->setSize(std::max(440.0f, width), lineHeight + extra);

    for (const auto& [bit, label] : buttonLabels) {
        if (!(style & bit))
            continue;
        const int index = static_cast<int>(buttons.size());
        auto* button = new ::ui::TextButton(ui, 70.0f + 170.0f * index, 50 + extra, 100, 26);
        addComponent(button);
        button->setVisible(true);
        button->setNotify(true);
        button->setName(kPrefix + label);
        button->setText(label);
        buttons.push_back(bit);
    }

    frame = new ::ui::Ramka(ui, 0, 0, width, 100 + extra);
    frame->setVisible(true);
    addComponent(frame);
    setSize(width, 100 + extra);
}

MessageBoxA::~MessageBoxA() {
    setVisible(false);
    repaint();
}

MessageBoxA::Button MessageBoxA::getResult() const {
    thread::Lock hold(resultLock);
    return result;
}

void MessageBoxA::answer(Button button) {
    {
        thread::Lock hold(resultLock);
        if (answered)
            return; // the first answer decides
        answered = true;
        result = button;
    }
    event->set();
}

void MessageBoxA::notify(::ui::NotifyEvent& notification) {
    std::string sender;
    notification.getProperty("name", &sender);
    Button pressed = Button(0);
    for (const auto& [bit, label] : buttonLabels)
        if (sender == kPrefix + label)
            pressed = bit;
    answer(pressed);
}

void MessageBoxA::processInputEvent(const counting_ptr<::input::Event>& event) {
    Container::processInputEvent(event);
    auto* button = event.as<::input::events::Button>();
    if (!button || !button->isPressed() || button->getCode() != ::input::keys::Escape)
        return;
    // Escape answers with the box's way out, when it has one.
    for (Button cancelling : {CANCEL, NO})
        if (std::find(buttons.begin(), buttons.end(), cancelling) != buttons.end()) {
            answer(cancelling);
            return;
        }
}

} // namespace kel::ui
