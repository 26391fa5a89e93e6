#include "platform/controls.h"

#include <utility>

namespace platform {

Control::Control(ControlKind kind_, Form& owner, std::string name_, Control* parent_, Rect bounds_, bool workObject_)
    : kind(kind_), workObject(workObject_), name(std::move(name_)), parent(parent_), bounds(bounds_) {
    // The program's handlers see a work object as a hidden control, as they always have.
    visible = !workObject;
    owner.controls.push_back(this);
}

Panel::Panel(Form& owner, std::string name_, Control* parent_, Rect bounds_, PanelSettings settings)
    : Control(ControlKind::Panel, owner, std::move(name_), parent_, bounds_, settings.workObject),
      color(settings.color),
      bevel(settings.bevel),
      separator(settings.separator) {}

GroupBox::GroupBox(Form& owner, std::string name_, Control* parent_, Rect bounds_, std::string caption_, Font font_)
    : Control(ControlKind::GroupBox, owner, std::move(name_), parent_, bounds_) {
    caption = std::move(caption_);
    font = std::move(font_);
}

EditBox::EditBox(Form& owner, std::string name_, Control* parent_, Rect bounds_, EditBoxSettings settings)
    : Control(ControlKind::EditBox, owner, std::move(name_), parent_, bounds_, settings.workObject),
      text(std::move(settings.text)),
      maxLength(settings.maxLength),
      tabOrder(settings.tabOrder) {}

void EditBox::type(const std::string& typed) {
    text = maxLength > 0 && typed.size() > static_cast<std::size_t>(maxLength) ? typed.substr(0, maxLength) : typed;
}

Button::Button(Form& owner, std::string name_, Control* parent_, Rect bounds_, std::string caption_,
               ButtonSettings settings)
    : Control(ControlKind::Button, owner, std::move(name_), parent_, bounds_, settings.workObject),
      isDefault(settings.isDefault),
      pictureName(std::move(settings.pictureName)) {
    caption = std::move(caption_);
}

ToolButton::ToolButton(Form& owner, std::string name_, Control* parent_, Rect bounds_, std::string hint_,
                       std::string pictureName_, bool down_)
    : Control(ControlKind::ToolButton, owner, std::move(name_), parent_, bounds_),
      down(down_),
      pictureName(std::move(pictureName_)) {
    hint = std::move(hint_);
}

UpDown::UpDown(Form& owner, std::string name_, Control* parent_, Rect bounds_, std::string hint_)
    : Control(ControlKind::UpDown, owner, std::move(name_), parent_, bounds_) {
    hint = std::move(hint_);
}

bool UpDown::step(int delta) {
    int next = position + delta;
    if (next > max) next = wrap ? min : max;
    if (next < min) next = wrap ? max : min;
    const bool changed = next != position;
    position = next;
    return changed;
}

Image::Image(Form& owner, std::string name_, Control* parent_, Rect bounds_, ImageSettings settings)
    : Image(owner, std::move(name_), parent_, bounds_, 0, 0, settings) {}

Image::Image(Form& owner, std::string name_, Control* parent_, Rect bounds_, int bitmapWidth, int bitmapHeight,
             ImageSettings settings)
    : Control(ControlKind::Image, owner, std::move(name_), parent_, bounds_, settings.workObject),
      picture(bitmapWidth, bitmapHeight),
      stretch(settings.stretch),
      takesPointer(settings.takesPointer) {}

StatusBar::StatusBar(Form& owner, std::string name_, Control* parent_, Rect bounds_)
    : Control(ControlKind::StatusBar, owner, std::move(name_), parent_, bounds_) {}

Label::Label(Form& owner, std::string name_, Control* parent_, Rect bounds_, std::string caption_, Font font_,
             LabelSettings settings)
    : Control(ControlKind::Label, owner, std::move(name_), parent_, bounds_),
      opaque(settings.opaque || settings.swatch),
      color(settings.color),
      swatch(settings.swatch),
      handCursor(settings.handCursor),
      wordWrap(settings.wordWrap),
      pictureName(std::move(settings.pictureName)) {
    caption = std::move(caption_);
    font = std::move(font_);
}

MenuItem::MenuItem(Menu& menu, std::string name_, std::string caption_, std::string shortcut_, std::string pictureName_)
    : name(std::move(name_)),
      caption(std::move(caption_)),
      shortcut(std::move(shortcut_)),
      pictureName(std::move(pictureName_)) {
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
