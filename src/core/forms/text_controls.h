// Text boxes and labels: controls that hold one text and run no handler.
#pragma once

#include "forms/control.h"

#include <string>

namespace fenlark {

// A text box; a change of its text runs its handler (a search box reacts as it is typed into).
class TextBox : public Control, public HandlerSlot {
public:
    explicit TextBox(std::string name) : Control(std::move(name)) {}

    const std::string& text() const { return m_text; }
    void setText(std::string text)
    {
        if (m_text != text) {
            m_text = std::move(text);
            changed();
            runHandler();
        }
    }
    // Same as setText(text() + more), without copying the text.
    void appendText(std::string_view more)
    {
        if (!more.empty()) {
            m_text.append(more);
            changed();
            runHandler();
        }
    }

private:
    std::string m_text;
};

class Label : public Control {
public:
    explicit Label(std::string name, std::string caption = {})
        : Control(std::move(name)), m_caption(std::move(caption))
    {
    }

    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption)
    {
        if (m_caption != caption) {
            m_caption = std::move(caption);
            changed();
        }
    }

private:
    std::string m_caption;
};

// A frame or a menu title: a captioned container with no behaviour of its own.
class Frame : public Label {
public:
    using Label::Label;
};
using MenuTitle = Frame;

} // namespace fenlark
