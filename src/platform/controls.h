#pragma once

#include "platform/geometry.h"
#include "platform/raster/canvas.h"

#include <array>
#include <string>
#include <vector>

// The control kinds the main window is made of, as plain state. A control knows nothing of how it is
// drawn: the host builds a real widget from it once and brings the widget up to date after each
// handler.
namespace platform {

struct Form;

enum class ControlKind { Label, Panel, GroupBox, EditBox, Button, ToolButton, UpDown, Image, StatusBar };

// Named fonts of the layout; height in pixels, as the layout gives it.
struct Font {
    std::string family;
    int height = 0;
    bool bold = false;
};

// Anything that can be the sender of a handler: controls and menu items.
struct Object {
    virtual ~Object() = default;
};

// A control belongs to one form from its construction on: the constructor adds it to the form's
// controls, so that declaring a control is all the host needs to build and sync its widget. Its kind
// is the kind of its class, which only the class gives. A work object is one of the program's own
// stores in the shape of a control (a hidden picture, the undo slots): it is never shown, and the host
// builds no widget for it.
struct Control : Object {
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const ControlKind kind;
    const bool workObject;
    std::string name;
    Control* parent;
    // Left, top in the parent's client area; width and height as right - left, bottom - top.
    Rect bounds;
    bool enabled = true;
    bool visible = true;
    std::string caption;
    std::string hint;
    Font font;

    void setWidth(int width) { bounds.right = bounds.left + width; }
    void setHeight(int height) { bounds.bottom = bounds.top + height; }
    int width() const { return bounds.width(); }
    int height() const { return bounds.height(); }

protected:
    Control(ControlKind kind, Form& owner, std::string name, Control* parent, Rect bounds, bool workObject = false);
};

enum class Bevel { None, Lowered, Raised };

struct PanelSettings {
    raster::Color color = raster::Silver;
    Bevel bevel = Bevel::None;
    // A line between parts of the window rather than a surface.
    bool separator = false;
    bool workObject = false;
};

struct Panel : Control {
    Panel(Form& owner, std::string name, Control* parent, Rect bounds, PanelSettings settings = {});
    raster::Color color;
    Bevel bevel;
    bool separator;
};

// A frame with a caption along its top edge around the controls that have it as their parent.
struct GroupBox : Control {
    GroupBox(Form& owner, std::string name, Control* parent, Rect bounds, std::string caption, Font font);
};

struct EditBoxSettings {
    int maxLength = 0;
    // The place in the order of Tab among the edit boxes; -1 for none.
    int tabOrder = -1;
    std::string text{};
    bool workObject = false;
};

struct EditBox : Control {
    EditBox(Form& owner, std::string name, Control* parent, Rect bounds, EditBoxSettings settings);
    std::string text;
    int maxLength;
    int tabOrder;
    // Sets the text as typing would: the maximum length applies.
    void type(const std::string& typed);
};

struct ButtonSettings {
    bool isDefault = false;
    // Resource name of a glyph shown beside the caption (an OK button's check mark), or empty.
    std::string pictureName{};
    bool workObject = false;
};

struct Button : Control {
    Button(Form& owner, std::string name, Control* parent, Rect bounds, std::string caption,
           ButtonSettings settings = {});
    bool isDefault;
    std::string pictureName;
};

struct ToolButton : Control {
    ToolButton(Form& owner, std::string name, Control* parent, Rect bounds, std::string hint, std::string pictureName,
               bool down = false);
    bool down;
    // Resource name of the button's picture.
    std::string pictureName;
};

struct UpDown : Control {
    UpDown(Form& owner, std::string name, Control* parent, Rect bounds, std::string hint);
    int position = 1;
    int min = 1;
    int max = 8;
    bool wrap = true;
    // One click on an arrow; answers whether the position changed.
    bool step(int delta);
};

struct ImageSettings {
    // Scaled to the control's bounds rather than shown at 1:1.
    bool stretch = false;
    // The view a person draws on: the host sends it every press, motion and release of the pointer.
    bool takesPointer = false;
    bool workObject = false;
};

// An image control holding a bitmap and a drawing surface on it. An empty bitmap is "no picture".
struct Image : Control {
    Image(Form& owner, std::string name, Control* parent, Rect bounds, ImageSettings settings = {});
    Image(Form& owner, std::string name, Control* parent, Rect bounds, int bitmapWidth, int bitmapHeight,
          ImageSettings settings = {});
    raster::Bitmap picture;
    raster::Canvas canvas{picture};
    bool stretch;
    bool takesPointer;
};

struct StatusBar : Control {
    StatusBar(Form& owner, std::string name, Control* parent, Rect bounds);
    std::array<int, 3> panelWidths{70, 60, 460};
    std::array<std::string, 3> panels;
};

struct LabelSettings {
    // A label shows its parent's colour unless it is opaque.
    bool opaque = false;
    raster::Color color = raster::Silver;
    // A swatch is an opaque label that only shows its colour: a person clicks it, or reaches it
    // with Tab and presses Space or Enter.
    bool swatch = false;
    bool handCursor = false;
    bool wordWrap = false;
    // Resource name of a picture shown instead of the caption, or empty.
    std::string pictureName{};
};

struct Label : Control {
    Label(Form& owner, std::string name, Control* parent, Rect bounds, std::string caption, Font font,
          LabelSettings settings = {});
    bool opaque;
    raster::Color color;
    bool swatch;
    bool handCursor;
    bool wordWrap;
    std::string pictureName;
};

struct Menu;

// A menu item belongs to one menu from its construction on, in the order of construction.
struct MenuItem : Object {
    MenuItem(Menu& menu, std::string name, std::string caption, std::string shortcut = {},
             std::string pictureName = {});
    std::string name;
    std::string caption;   // "&" marks the accelerator letter; "-" is a separator
    std::string shortcut;  // "Ctrl+N", "F1" or empty
    bool enabled = true;
    std::string pictureName;  // resource name or empty
};

// A menu of the menu bar; the constructor adds it to the bar, in the order of construction.
struct Menu {
    Menu(std::vector<Menu*>& bar, std::string name, std::string caption);
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;
    std::string name;
    std::string caption;
    std::vector<MenuItem*> items;
};

}  // namespace platform

namespace platform {

enum class ModalResult { None, Ok, Cancel };

struct AccessibleText;

// A window made of controls. The host builds its widgets from `controls`, which the controls fill as
// they are constructed: a parent is declared before its children.
struct Form {
    Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form() = default;
    std::string name;
    std::string caption;
    Size clientSize;
    raster::Color color = raster::Silver;
    Font font;
    std::vector<Control*> controls;
    ModalResult modalResult = ModalResult::None;
    // Runs each time the form is about to show.
    virtual void FormShow() {}
    // What a screen reader announces for one of the form's controls; by default from its caption or hint.
    virtual AccessibleText describe(const Control& control) const;
    Control* find(const std::string& controlName) const;

protected:
    // The bounds of a control at left, top of the given size, as a layout gives them.
    static constexpr Rect at(int left, int top, int width, int height) {
        return {left, top, left + width, top + height};
    }
};

}  // namespace platform
