#include "app/main_form.h"
#include "document/editing_state.h"
#include "document/limits.h"

using document::MaxHeight;
using document::MaxWidth;
using document::Zoom;
using platform::Bevel;
using platform::Font;
using platform::Rect;

namespace {

Rect at(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

Font arial(int height, bool bold = false) {
    return {"Arial", height, bold};
}

}  // namespace

// The layout of the main window: every control at its position, size, caption, hint and font.
// PW, ZoomLabel, SizeLabel and WidthLabel are one to two pixels wider (PW also taller) than the
// Windows boxes they come from, which were sized to its own fonts: here their widest texts ("8",
// "Zoom: 600%", "96 x 80", " Width:") are drawn in Liberation Sans, at scale 1 and 2.
TMainForm::TMainForm(platform::Services& platformServices, TApplication& application)
    : services(platformServices),
      Application(application),
      Paneeli("Paneeli", nullptr, at(34, 15, MaxWidth * Zoom, MaxHeight * Zoom), raster::White),
      Boxi("Boxi", &Paneeli, at(0, 0, MaxWidth * Zoom, MaxHeight * Zoom), MaxWidth, MaxHeight),
      Alaviiva("Alaviiva", nullptr, at(33, 495, 578, 2), raster::Silver, Bevel::Lowered),
      Reunaviiva("Reunaviiva", nullptr, at(609, 15, 2, 482), raster::Silver, Bevel::Lowered),
      Pen("Pen", nullptr, at(4, 24, 25, 25), "Pen", "pen"),
      Fill("Fill", nullptr, at(4, 56, 25, 25), "Fill", "fill"),
      Line("Line", nullptr, at(4, 88, 25, 25), "Line", "line"),
      RectangleButton("RectangleButton", nullptr, at(4, 120, 25, 25), "Rectangle", "rectangle"),
      Circle("Circle", nullptr, at(4, 152, 25, 25), "Ellipse", "ellipse"),
      RoundRect("RoundRect", nullptr, at(4, 184, 25, 25), "Round Rectangle", "roundrect"),
      FilledRect("FilledRect", nullptr, at(4, 216, 25, 25), "Filled Rectangle", "filledrect"),
      FilledCircle("FilledCircle", nullptr, at(4, 248, 25, 25), "Filled Ellipse", "filledellipse"),
      FilledRoundRect("FilledRoundRect", nullptr, at(4, 280, 25, 25), "Filled Round Rectangle", "filledroundrect"),
      Panel1("Panel1", nullptr, at(1, 15, 31, 2), raster::Silver, Bevel::Lowered),
      Panel3("Panel3", nullptr, at(1, 312, 31, 2), raster::Silver, Bevel::Lowered),
      Panel2("Panel2", nullptr, at(1, 373, 31, 2), raster::Silver, Bevel::Lowered),
      Bevel1("Bevel1", nullptr, at(1, 321, 31, 25), raster::Silver, Bevel::Lowered),
      PenWidth("PenWidth", nullptr, at(2, 322, 29, 23)),
      PenSize("PenSize", nullptr, at(17, 322, 0, 23), 1, -1),
      PW("PW", nullptr, at(12, 353, 8, 15), "1", {}),
      ZoomLabel("ZoomLabel", nullptr, at(546, 0, 63, 14), "Zoom: " + std::to_string(Zoom * 100) + "%", arial(11)),
      SizeLabel("SizeLabel", nullptr, at(624, 0, 37, 14), std::to_string(MaxWidth) + " x " + std::to_string(MaxHeight),
                arial(11)),
      PikkuPaneeli("PikkuPaneeli", nullptr, at(624, 15, MaxWidth, MaxHeight), raster::White),
      PikkuBoxi("PikkuBoxi", &PikkuPaneeli, at(0, 0, MaxWidth, MaxHeight)),
      PiirtoColor(platform::ControlKind::GroupBox, "PiirtoColor", nullptr, at(624, 267, 96, 70)),
      PiirtoWhite("PiirtoWhite", &PiirtoColor, at(16, 21, 20, 16), "", {}),
      PiirtoBlack("PiirtoBlack", &PiirtoColor, at(16, 44, 20, 16), "", {}),
      ColorPaneeli("ColorPaneeli", &PiirtoColor, at(51, 21, 31, 39), raster::Black),
      Tiedot(platform::ControlKind::GroupBox, "Tiedot", nullptr, at(624, 347, 96, 138)),
      WidthLabel("WidthLabel", &Tiedot, at(6, 29, 38, 14), " Width:", arial(11, true)),
      Label1("Label1", &Tiedot, at(55, 12, 34, 12), "max. " + std::to_string(MaxWidth), arial(9)),
      Leveys("Leveys", &Tiedot, at(55, 24, 33, 23), 2, 0),
      HeightLabel("HeightLabel", &Tiedot, at(6, 69, 41, 14), " Height:", arial(11, true)),
      Label2("Label2", &Tiedot, at(55, 52, 34, 12), "max. " + std::to_string(MaxHeight), arial(9)),
      Korkeus("Korkeus", &Tiedot, at(55, 64, 33, 23), 2, 1),
      OKButton("OKButton", &Tiedot, at(20, 102, 57, 25), "OK"),
      StatusBar("StatusBar", nullptr, at(0, 498, 729, 21)),
      Mappi("Mappi", nullptr, at(728, 210, MaxWidth, MaxHeight)),
      CopyImg("CopyImg", nullptr, at(728, 304, MaxWidth, MaxHeight)),
      UndoPaneeli1("UndoPaneeli1", nullptr, at(728, 16, MaxWidth, MaxHeight), raster::White),
      UndoBoxi1("UndoBoxi1", &UndoPaneeli1, at(0, 0, MaxWidth, MaxHeight), MaxWidth, MaxHeight),
      UndoPaneeli2("UndoPaneeli2", nullptr, at(728, 112, MaxWidth, MaxHeight), raster::White),
      UndoBoxi2("UndoBoxi2", &UndoPaneeli2, at(0, 0, MaxWidth, MaxHeight), MaxWidth, MaxHeight),
      TaustaWhite("TaustaWhite", nullptr, at(672, 184, 17, 25), ""),
      New("New", "&New", "Ctrl+N"),
      Open("Open", "&Open", "Ctrl+O"),
      Save("Save", "&Save", "Ctrl+S"),
      SaveAs("SaveAs", "Save &As"),
      N1("N1", "-"),
      Exit("Exit", "E&xit"),
      Undo("Undo", "&Undo", "Ctrl+Z"),
      N2("N2", "-"),
      Cut("Cut", "Cu&t"),
      Copy("Copy", "&Copy", "Ctrl+C"),
      Paste("Paste", "&Paste", "Ctrl+V"),
      N3("N3", "-"),
      ClearClip("ClearClip", "Clear Clip&board"),
      Invert("Invert", "&Invert", "Ctrl+I"),
      Flip("Flip", "&Flip", "Ctrl+F"),
      Mirror("Mirror", "&Mirror", "Ctrl+M"),
      HelpContents("HelpContents", "&Help", "F1"),
      AboutVelmora("AboutVelmora", "&About"),
      File1{"File1", "&File", {&New, &Open, &Save, &SaveAs, &N1, &Exit}},
      Editti{"Editti", "&Edit", {&Undo, &N2, &Cut, &Copy, &Paste, &N3, &ClearClip}},
      Image1{"Image1", "&Image", {&Invert, &Flip, &Mirror}},
      Help1{"Help1", "&Help", {&HelpContents, &AboutVelmora}},
      MainMenu1{&File1, &Editti, &Image1, &Help1},
      toolButtons{&Pen,       &Fill,       &Line,         &RectangleButton, &Circle,
                  &RoundRect, &FilledRect, &FilledCircle, &FilledRoundRect} {
    name = "MainForm";
    caption = " Velmora";
    clientSize = {729, 519};
    color = raster::Silver;
    font = {"System", 13, false};

    Boxi.stretch = true;
    Boxi.takesPointer = true;
    Pen.down = true;
    PenWidth.hint = "Change Pen Width";
    PenSize.visible = false;
    PenSize.text = "1";
    PiirtoColor.caption = " Color ";
    PiirtoColor.font = arial(12);
    Tiedot.caption = " Size ";
    Tiedot.font = arial(12);
    PiirtoWhite.opaque = true;
    PiirtoWhite.color = raster::White;
    PiirtoBlack.opaque = true;
    PiirtoBlack.color = raster::Black;
    Leveys.text = "1";
    Korkeus.text = "1";
    OKButton.isDefault = true;
    OKButton.pictureName = "ok";
    HelpContents.pictureName = "help";
    SaveDialog.Options = {"Wireless Bitmap (*.wbmp)|*.wbmp", true, true, true};
    OpenDialog.Options = {"Wireless Bitmap (*.wbmp)|*.wbmp", false, true, true};

    for (platform::Control* hidden :
         {static_cast<platform::Control*>(&Mappi), static_cast<platform::Control*>(&CopyImg),
          static_cast<platform::Control*>(&UndoPaneeli1), static_cast<platform::Control*>(&UndoPaneeli2),
          static_cast<platform::Control*>(&TaustaWhite)})
        hidden->visible = false;

    for (platform::Control* control : std::initializer_list<platform::Control*>{
             &Paneeli,     &Boxi,         &Alaviiva,        &Reunaviiva, &Pen,
             &Fill,        &Line,         &RectangleButton, &Circle,     &RoundRect,
             &FilledRect,  &FilledCircle, &FilledRoundRect, &Panel1,     &Panel3,
             &Panel2,      &Bevel1,       &PenWidth,        &PenSize,    &PW,
             &ZoomLabel,   &SizeLabel,    &PikkuPaneeli,    &PikkuBoxi,  &PiirtoColor,
             &PiirtoWhite, &PiirtoBlack,  &ColorPaneeli,    &Tiedot,     &WidthLabel,
             &Label1,      &Leveys,       &HeightLabel,     &Label2,     &Korkeus,
             &OKButton,    &StatusBar,    &Mappi,           &CopyImg,    &UndoPaneeli1,
             &UndoBoxi1,   &UndoPaneeli2, &UndoBoxi2,       &TaustaWhite})
        add(*control);
}

TMainForm::~TMainForm() = default;

void TMainForm::add(platform::Control& control) {
    controls.push_back(&control);
}

platform::Control* TMainForm::findControl(const std::string& controlName) const {
    return find(controlName);
}

platform::MenuItem* TMainForm::findMenuItem(const std::string& itemName) const {
    for (platform::Menu* menu : MainMenu1)
        for (platform::MenuItem* item : menu->items)
            if (item->name == itemName) return item;
    return nullptr;
}

// The window's creation: no document yet, only the size group, the tools and the menus usable.
void TMainForm::FormCreate(platform::Object*) {
    for (platform::MenuItem* item : {&Cut, &Copy, &Paste, &Invert, &Mirror, &Flip}) item->enabled = false;
    Paneeli.setHeight(0);
    Paneeli.setWidth(0);
    Application.HintPause = 200;
    ImageWidth = 0;
    ImageHeight = 0;
    PikkuPaneeli.setHeight(0);
    PikkuPaneeli.setWidth(0);
    Undo.enabled = false;
    SizeLabel.caption = "1 x 1";
    document::enableSizeEntry(*this);
}

void TMainForm::close() {
    platform::CloseAction action = platform::CloseAction::None;
    FormClose(nullptr, action);
    if (action == platform::CloseAction::Free) closed = true;
}
