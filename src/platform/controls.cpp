#include "platform/controls.h"

#include <utility>

namespace platform {

Control::Control(ControlKind kind_, Form& owner, std::string name_, Control* parent_, Rect bounds_)
    : kind(kind_), name(std::move(name_)), parent(parent_), bounds(bounds_) {
    owner.controls.push_back(this);
}

Panel::Panel(Form& owner, std::string name_, Control* parent_, Rect bounds_, raster::Color color_, Bevel bevel_)
    : Control(ControlKind::Panel, owner, std::move(name_), parent_, bounds_), color(color_), bevel(bevel_) {}

EditBox::EditBox(Form& owner, std::string name_, Control* parent_, Rect bounds_, int maxLength_, int tabOrder_)
    : Control(ControlKind::EditBox, owner, std::move(name_), parent_, bounds_),
      maxLength(maxLength_),
      tabOrder(tabOrder_) {}

void EditBox::type(const std::string& typed) {
    text = maxLength > 0 && typed.size() > static_cast<std::size_t>(maxLength) ? typed.substr(0, maxLength) : typed;
}

Button::Button(Form& owner, std::string name_, Control* parent_, Rect bounds_, std::string caption_)
    : Control(ControlKind::Button, owner, std::move(name_), parent_, bounds_) {
    caption = std::move(caption_);
}

ToolButton::ToolButton(Form& owner, std::string name_, Control* parent_, Rect bounds_, std::string hint_,
                       std::string pictureName_)
    : Control(ControlKind::ToolButton, owner, std::move(name_), parent_, bounds_),
      pictureName(std::move(pictureName_)) {
    hint = std::move(hint_);
}

UpDown::UpDown(Form& owner, std::string name_, Control* parent_, Rect bounds_)
    : Control(ControlKind::UpDown, owner, std::move(name_), parent_, bounds_) {}

bool UpDown::step(int delta) {
    int next = position + delta;
    if (next > max) next = wrap ? min : max;
    if (next < min) next = wrap ? max : min;
    const bool changed = next != position;
    position = next;
    return changed;
}

Image::Image(Form& owner, std::string name_, Control* parent_, Rect bounds_, int bitmapWidth, int bitmapHeight)
    : Control(ControlKind::Image, owner, std::move(name_), parent_, bounds_), picture(bitmapWidth, bitmapHeight) {}

StatusBar::StatusBar(Form& owner, std::string name_, Control* parent_, Rect bounds_)
    : Control(ControlKind::StatusBar, owner, std::move(name_), parent_, bounds_) {}

Label::Label(Form& owner, std::string name_, Control* parent_, Rect bounds_, std::string caption_, Font font_)
    : Control(ControlKind::Label, owner, std::move(name_), parent_, bounds_) {
    caption = std::move(caption_);
    font = std::move(font_);
}

MenuItem::MenuItem(Menu& menu, std::string name_, std::string caption_, std::string shortcut_)
    : name(std::move(name_)), caption(std::move(caption_)), shortcut(std::move(shortcut_)) {
    menu.items.push_back(this);
}

Menu::Menu(std::vector<Menu*>& bar, std::string name_, std::string caption_)
    : name(std::move(name_)), caption(std::move(caption_)) {
    bar.push_back(this);
}

Control* Form::find(const std::string& controlName) const {
    for (Control* control : controls)
        if (control->name == controlName) return control;
    return nullptr;
}

}  // namespace platform
