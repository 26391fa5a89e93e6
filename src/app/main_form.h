#pragma once

#include "document/limits.h"
#include "platform/accessible_text.h"
#include "platform/controls.h"
#include "platform/input.h"
#include "platform/services.h"
#include "platform/surface.h"
#include "platform/window_input.h"

#include <cstdint>
#include <string>
#include <vector>

class TAboutBox;

// The application object: what the program start sets and the host reads.
struct TApplication {
    std::string HelpFile;
    int HintPause = 500;
};

// The save and open dialogs as the form holds them: their options and the remembered file name.
struct TFileDialog {
    platform::FileDialogOptions Options;
    std::string FileName;
};

// The main window. It owns every control, every image and the document state for the whole run; the
// bodies of its handlers live with their subsystem (document/, wbmp/, editor/, about/). Its window
// reaches it only as a WindowInput, whose inputs are the commands of app/commands.h.
class TMainForm : public platform::Form, public platform::WindowInput {
    static constexpr int MaxWidth = document::MaxWidth;
    static constexpr int MaxHeight = document::MaxHeight;
    static constexpr int Zoom = document::Zoom;
    static constexpr int ViewWidth = MaxWidth * Zoom;
    static constexpr int ViewHeight = MaxHeight * Zoom;
    static constexpr platform::Bevel Lowered = platform::Bevel::Lowered;
    static platform::Font arial(int height, bool bold = false) { return {"Arial", height, bold}; }

public:
    TMainForm(platform::Services& platformServices, TApplication& application);
    ~TMainForm() override;

    platform::Services& services;
    TApplication& Application;
    TAboutBox* AboutBox = nullptr;

    // The layout of the window: each control with its position, size, caption, hint and font, in the
    // order the host builds them. PW, ZoomLabel, SizeLabel and WidthLabel are one to two pixels wider
    // (PW also taller) than the boxes they come from, which were sized to other fonts: here their
    // widest texts ("8", "Zoom: 600%", "96 x 80", " Width:") are drawn in Liberation Sans, at scale 1
    // and 2.

    // A table, one control to a line, that the formatter leaves as it stands.
    // clang-format off

    // Editing area.
    platform::Panel Paneeli{*this, "Paneeli", nullptr, at(34, 15, ViewWidth, ViewHeight), {.color = raster::White}};
    platform::Image Boxi{*this, "Boxi", &Paneeli, at(0, 0, ViewWidth, ViewHeight), MaxWidth, MaxHeight,
                         {.stretch = true, .takesPointer = true}};
    platform::Panel Alaviiva{*this, "Alaviiva", nullptr, at(33, 495, 578, 2), {.bevel = Lowered, .separator = true}};
    platform::Panel Reunaviiva{*this, "Reunaviiva", nullptr, at(609, 15, 2, 482), {.bevel = Lowered, .separator = true}};

    // Tool column.
    platform::ToolButton Pen{*this, "Pen", nullptr, at(4, 24, 25, 25), "Pen", "pen", true};
    platform::ToolButton Fill{*this, "Fill", nullptr, at(4, 56, 25, 25), "Fill", "fill"};
    platform::ToolButton Line{*this, "Line", nullptr, at(4, 88, 25, 25), "Line", "line"};
    platform::ToolButton RectangleButton{*this, "RectangleButton", nullptr, at(4, 120, 25, 25),
                                         "Rectangle", "rectangle"};
    platform::ToolButton Circle{*this, "Circle", nullptr, at(4, 152, 25, 25), "Ellipse", "ellipse"};
    platform::ToolButton RoundRect{*this, "RoundRect", nullptr, at(4, 184, 25, 25),
                                   "Round Rectangle", "roundrect"};
    platform::ToolButton FilledRect{*this, "FilledRect", nullptr, at(4, 216, 25, 25),
                                    "Filled Rectangle", "filledrect"};
    platform::ToolButton FilledCircle{*this, "FilledCircle", nullptr, at(4, 248, 25, 25),
                                      "Filled Ellipse", "filledellipse"};
    platform::ToolButton FilledRoundRect{*this, "FilledRoundRect", nullptr, at(4, 280, 25, 25),
                                         "Filled Round Rectangle", "filledroundrect"};
    platform::Panel Panel1{*this, "Panel1", nullptr, at(1, 15, 31, 2), {.bevel = Lowered, .separator = true}};
    platform::Panel Panel3{*this, "Panel3", nullptr, at(1, 312, 31, 2), {.bevel = Lowered, .separator = true}};
    platform::Panel Panel2{*this, "Panel2", nullptr, at(1, 373, 31, 2), {.bevel = Lowered, .separator = true}};
    platform::Panel Bevel1{*this, "Bevel1", nullptr, at(1, 321, 31, 25), {.bevel = Lowered}};
    platform::UpDown PenWidth{*this, "PenWidth", nullptr, at(2, 322, 29, 23), "Change Pen Width"};
    // The pen width as text, which the up-down control's steps write and PenSizeChange reads.
    platform::EditBox PenSize{*this, "PenSize", nullptr, at(17, 322, 0, 23),
                              {.maxLength = 1, .text = "1", .workObject = true}};
    platform::Label PW{*this, "PW", nullptr, at(12, 353, 8, 15), "1", {}};

    // Right column.
    platform::Label ZoomLabel{*this, "ZoomLabel", nullptr, at(546, 0, 63, 14),
                              "Zoom: " + std::to_string(Zoom * 100) + "%", arial(11)};
    platform::Label SizeLabel{*this, "SizeLabel", nullptr, at(624, 0, 37, 14),
                              std::to_string(MaxWidth) + " x " + std::to_string(MaxHeight), arial(11)};
    platform::Panel PikkuPaneeli{*this, "PikkuPaneeli", nullptr, at(624, 15, MaxWidth, MaxHeight), {.color = raster::White}};
    platform::Image PikkuBoxi{*this, "PikkuBoxi", &PikkuPaneeli, at(0, 0, MaxWidth, MaxHeight)};
    platform::GroupBox PiirtoColor{*this, "PiirtoColor", nullptr, at(624, 267, 96, 70), " Color ", arial(12)};
    platform::Label PiirtoWhite{*this, "PiirtoWhite", &PiirtoColor, at(16, 21, 20, 16), "", {},
                                {.color = raster::White, .swatch = true}};
    platform::Label PiirtoBlack{*this, "PiirtoBlack", &PiirtoColor, at(16, 44, 20, 16), "", {},
                                {.color = raster::Black, .swatch = true}};
    platform::Panel ColorPaneeli{*this, "ColorPaneeli", &PiirtoColor, at(51, 21, 31, 39), {.color = raster::Black}};
    platform::GroupBox Tiedot{*this, "Tiedot", nullptr, at(624, 347, 96, 138), " Size ", arial(12)};
    platform::Label WidthLabel{*this, "WidthLabel", &Tiedot, at(6, 29, 38, 14), " Width:", arial(11, true)};
    platform::Label Label1{*this, "Label1", &Tiedot, at(55, 12, 34, 12), "max. " + std::to_string(MaxWidth), arial(9)};
    platform::EditBox Leveys{*this, "Leveys", &Tiedot, at(55, 24, 33, 23), {.maxLength = 2, .tabOrder = 0, .text = "1"}};
    platform::Label HeightLabel{*this, "HeightLabel", &Tiedot, at(6, 69, 41, 14), " Height:", arial(11, true)};
    platform::Label Label2{*this, "Label2", &Tiedot, at(55, 52, 34, 12), "max. " + std::to_string(MaxHeight), arial(9)};
    platform::EditBox Korkeus{*this, "Korkeus", &Tiedot, at(55, 64, 33, 23), {.maxLength = 2, .tabOrder = 1, .text = "1"}};
    platform::Button OKButton{*this, "OKButton", &Tiedot, at(20, 102, 57, 25), "OK", {.isDefault = true, .pictureName = "ok"}};

    platform::StatusBar StatusBar{*this, "StatusBar", nullptr, at(0, 498, 729, 21)};

    // Work objects: never shown.
    platform::Image Mappi{*this, "Mappi", nullptr, at(728, 210, MaxWidth, MaxHeight), {.workObject = true}};
    platform::Image CopyImg{*this, "CopyImg", nullptr, at(728, 304, MaxWidth, MaxHeight), {.workObject = true}};
    platform::Panel UndoPaneeli1{*this, "UndoPaneeli1", nullptr, at(728, 16, MaxWidth, MaxHeight),
                                 {.color = raster::White, .workObject = true}};
    platform::Image UndoBoxi1{*this, "UndoBoxi1", &UndoPaneeli1, at(0, 0, MaxWidth, MaxHeight), MaxWidth, MaxHeight,
                              {.workObject = true}};
    platform::Panel UndoPaneeli2{*this, "UndoPaneeli2", nullptr, at(728, 112, MaxWidth, MaxHeight),
                                 {.color = raster::White, .workObject = true}};
    platform::Image UndoBoxi2{*this, "UndoBoxi2", &UndoPaneeli2, at(0, 0, MaxWidth, MaxHeight), MaxWidth, MaxHeight,
                              {.workObject = true}};
    platform::Button TaustaWhite{*this, "TaustaWhite", nullptr, at(672, 184, 17, 25), "", {.workObject = true}};

    // clang-format on
    TFileDialog SaveDialog;
    TFileDialog OpenDialog;

    // Main menu: each menu and item in the order it shows.
    std::vector<platform::Menu*> MainMenu1;
    platform::Menu File1{MainMenu1, "File1", "&File"};
    platform::MenuItem New{File1, "New", "&New", "Ctrl+N"};
    platform::MenuItem Open{File1, "Open", "&Open", "Ctrl+O"};
    platform::MenuItem Save{File1, "Save", "&Save", "Ctrl+S"};
    platform::MenuItem SaveAs{File1, "SaveAs", "Save &As"};
    platform::MenuItem N1{File1, "N1", "-"};
    platform::MenuItem Exit{File1, "Exit", "E&xit"};
    platform::Menu Editti{MainMenu1, "Editti", "&Edit"};
    platform::MenuItem Undo{Editti, "Undo", "&Undo", "Ctrl+Z"};
    platform::MenuItem N2{Editti, "N2", "-"};
    platform::MenuItem Cut{Editti, "Cut", "Cu&t"};
    platform::MenuItem Copy{Editti, "Copy", "&Copy", "Ctrl+C"};
    platform::MenuItem Paste{Editti, "Paste", "&Paste", "Ctrl+V"};
    platform::MenuItem N3{Editti, "N3", "-"};
    platform::MenuItem ClearClip{Editti, "ClearClip", "Clear Clip&board"};
    platform::Menu Image1{MainMenu1, "Image1", "&Image"};
    platform::MenuItem Invert{Image1, "Invert", "&Invert", "Ctrl+I"};
    platform::MenuItem Flip{Image1, "Flip", "&Flip", "Ctrl+F"};
    platform::MenuItem Mirror{Image1, "Mirror", "&Mirror", "Ctrl+M"};
    platform::Menu Help1{MainMenu1, "Help1", "&Help"};
    platform::MenuItem HelpContents{Help1, "HelpContents", "&Help", "F1", "help"};
    platform::MenuItem AboutVelmora{Help1, "AboutVelmora", "&About"};

    // The tool buttons, of which exactly one is down.
    std::vector<platform::ToolButton*> toolButtons{&Pen,       &Fill,       &Line,         &RectangleButton, &Circle,
                                                   &RoundRect, &FilledRect, &FilledCircle, &FilledRoundRect};

    // Document state.
    std::int32_t ImageWidth = 0;
    std::int32_t ImageHeight = 0;
    std::int32_t DataSize = 0;
    std::vector<std::int32_t> ImageData;
    platform::Rect ImageRect;
    std::int32_t DocumentModified = 0;
    std::int32_t DocumentHasFile = 0;
    std::int32_t ExitConfirmed = 0;
    std::int32_t OpenedWidth = 0;
    std::int32_t OpenedHeight = 0;
    bool OpenInProgress = false;
    std::int32_t UndoSlot = 0;

    // Pointer state of the view and the shape tools.
    bool DrawingActive = false;
    platform::Point PressPoint;
    platform::Point DragPoint;
    std::uint8_t ShapeKind = 0;
    std::uint8_t FilledDrag = 0;

    // Window state the host follows: the control that should have the keyboard focus (with a counter
    // so that a repeated request is seen) and whether the window has closed.
    platform::Control* focusTarget = nullptr;
    int focusRequests = 0;
    bool closed = false;

    // Window events.
    void FormCreate(platform::Object* Sender);
    void FormPaint(platform::Object* Sender, platform::WindowSurface& surface);
    void FormClose(platform::Object* Sender, platform::CloseAction& Action);
    // Something dragged over the window, and dropped on it.
    void FormDragOver(platform::Object* Sender, const platform::DragContent& Content, bool& Accept);
    void FormDragDrop(platform::Object* Sender, platform::DragContent& Content);
    // A close request from the title bar, Alt+F4 or ExitClick: runs FormClose and closes when freed.
    void close();

    // Image document and new image.
    void InitDocument();
    void OKButtonClick(platform::Object* Sender);
    void ResetDocument(platform::Object* Sender);
    void TaustaWhiteClick(platform::Object* Sender);
    void NewClick(platform::Object* Sender);
    void ExitClick(platform::Object* Sender);
    platform::PromptAnswer askSaveChanges();

    // WBMP files.
    void SaveClick(platform::Object* Sender);
    void SaveAsClick(platform::Object* Sender);
    void PackImageData();
    void WriteWbmpFile(const std::string& path);
    void OpenClick(platform::Object* Sender);
    // Open's steps after its dialog, for a file chosen there or handed over by the desktop.
    void OpenFile(const std::string& path);

    // Editing view.
    void BoxiMouseDown(platform::Object* Sender, platform::MouseButton Button, platform::ShiftState Shift, int X,
                       int Y);
    void BoxiMouseMove(platform::Object* Sender, platform::ShiftState Shift, int X, int Y);
    void BoxiMouseUp(platform::Object* Sender, platform::MouseButton Button, platform::ShiftState Shift, int X, int Y);
    void refreshPreview();
    void commitPicture();
    void markModified();
    // The end of every change that is not a pointer gesture: preview and Mappi from the view, then a
    // snapshot, Undo enabled and the document marked modified.
    void finishChange();

    // Pen, fill and drawing colour.
    void PiirtoWhiteClick(platform::Object* Sender);
    void PiirtoBlackClick(platform::Object* Sender);
    void PenSizeChange(platform::Object* Sender);
    raster::Color drawingColor() const { return ColorPaneeli.color; }

    // Shape tools.
    void LineClick(platform::Object* Sender);
    void RectangleButtonClick(platform::Object* Sender);
    void CircleClick(platform::Object* Sender);
    void RoundRectClick(platform::Object* Sender);
    void FilledRectClick(platform::Object* Sender);
    void FilledCircleClick(platform::Object* Sender);
    void FilledRoundRectClick(platform::Object* Sender);
    void PaintShape(platform::Point A, platform::Point B);
    // Runs the click handler of each of the six shape tools other than Line that is down.
    void reapplyShapeSetup();
    // The same for the three filled tools only.
    void reapplyFilledSetup();

    // Undo.
    void TakeUndoSnapshot();
    void UndoClick(platform::Object* Sender);

    // Transforms.
    void InvertClick(platform::Object* Sender);
    void FlipClick(platform::Object* Sender);
    void MirrorClick(platform::Object* Sender);

    // Clipboard.
    void CopyClick(platform::Object* Sender);
    void CutClick(platform::Object* Sender);
    void PasteClick(platform::Object* Sender);
    void ClearClipClick(platform::Object* Sender);
    void EdittiClick(platform::Object* Sender);
    void pastePicture(raster::Bitmap picture);

    // Help and About.
    void HelpContentsClick(platform::Object* Sender);
    void AboutVelmoraClick(platform::Object* Sender);

    // Pen, fill and shape steps that the pointer handlers call.
    void penPress(platform::ShiftState Shift, int X, int Y);
    void penMotion(int X, int Y);
    void fillPress(platform::ShiftState Shift, int X, int Y);
    void shapePress(int X, int Y);
    void shapeMotion(int X, int Y);
    void shapeRelease(int X, int Y);
    void swapDrawingColor();

    // The screen reader's texts of the controls that show state rather than a caption.
    platform::AccessibleText describe(const platform::Control& control) const override;

    // The window's inputs and the state it follows.
    platform::Form& form() override;
    void click(platform::Control& control) override;
    void step(platform::UpDown& upDown, int delta) override;
    void type(platform::EditBox& edit, const std::string& text) override;
    const std::vector<platform::Menu*>& menuBar() override;
    bool chooseMenuItem(platform::MenuItem& item) override;
    bool pressShortcut(const std::string& shortcut) override;
    void openMenu(platform::Menu& menu) override;
    void pointerDown(platform::MouseButton button, platform::ShiftState shift, int x, int y) override;
    void pointerMove(platform::ShiftState shift, int x, int y) override;
    void pointerUp(platform::MouseButton button, platform::ShiftState shift, int x, int y) override;
    bool requestClose() override;
    void openFile(const std::string& path) override;
    bool dragOver(const platform::DragContent& content) override;
    void drop(platform::DragContent& content) override;
    void paint(platform::WindowSurface& surface) override;
    platform::WindowState state() const override;

    // Looks up a control or menu item by its name; null when there is none.
    platform::Control* findControl(const std::string& controlName) const;
    platform::MenuItem* findMenuItem(const std::string& itemName) const;
};
