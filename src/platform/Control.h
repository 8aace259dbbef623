#pragma once

#include <functional>
#include <string>
#include <utility>

#include "platform/ChangeNotifier.h"
#include "platform/TwipRect.h"

namespace quendrix::platform {

class Container;
class Window;

enum class ControlKind { Window, Frame, TextBox, Label, Button, Shape, PictureBox, Grid };

// A control is storage first: its text, caption, visibility and colour are the program's
// values. A view draws it by observing `changed`; the operator's input comes back through
// the control's own operations, so the core never knows which toolkit is behind it.
class Control {
public:
    Control(std::string name, ControlKind kind, int index = -1);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return name_; }
    // Position in a control array, or -1 for a control that stands alone.
    int index() const { return index_; }
    ControlKind kind() const { return kind_; }

    bool visible() const { return visible_; }
    void setVisible(bool visible);

    const TwipRect& geometry() const { return geometry_; }
    void move(int left, int top, int width, int height);
    void setGeometry(const TwipRect& geometry);

    Container* parent() const { return parent_; }
    Window* window() const;

    // Keyboard focus goes through the window, which tells the controls that lose and gain it.
    void setFocus();
    bool hasFocus() const;
    Event<> onGotFocus;
    Event<> onLostFocus;

    [[nodiscard]] Subscription observe(std::function<void()> observer) const {
        return changed_.subscribe(std::move(observer));
    }

protected:
    void changed() const { changed_.notify(); }
    // Stores a new value and tells the observers, unless nothing changes.
    template <typename T>
    void assign(T& field, T value) {
        if (field != value) {
            field = std::move(value);
            changed();
        }
    }

private:
    friend class Container;
    std::string name_;
    ControlKind kind_;
    int index_;
    bool visible_ = true;
    TwipRect geometry_;
    Container* parent_ = nullptr;
    ChangeNotifier<> changed_;
};

}  // namespace quendrix::platform
