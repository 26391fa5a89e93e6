#pragma once

#include "platform/accessible_text.h"
#include "platform/controls.h"
#include "platform/input.h"
#include "platform/services.h"
#include "platform/surface.h"

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
// bodies of its handlers live with their subsystem (document/, wbmp/, editor/, about/).
class TMainForm : public platform::Form {
public:
    TMainForm(platform::Services& platformServices, TApplication& application);
    ~TMainForm() override;

    platform::Services& services;
    TApplication& Application;
    TAboutBox* AboutBox = nullptr;

    // Editing area.
    platform::Panel Paneeli;
    platform::Image Boxi;
    platform::Panel Alaviiva;
    platform::Panel Reunaviiva;

    // Tool column.
    platform::ToolButton Pen;
    platform::ToolButton Fill;
    platform::ToolButton Line;
    platform::ToolButton RectangleButton;
    platform::ToolButton Circle;
    platform::ToolButton RoundRect;
    platform::ToolButton FilledRect;
    platform::ToolButton FilledCircle;
    platform::ToolButton FilledRoundRect;
    platform::Panel Panel1;
    platform::Panel Panel3;
    platform::Panel Panel2;
    platform::Panel Bevel1;
    platform::UpDown PenWidth;
    platform::EditBox PenSize;
    platform::Label PW;

    // Right column.
    platform::Label ZoomLabel;
    platform::Label SizeLabel;
    platform::Panel PikkuPaneeli;
    platform::Image PikkuBoxi;
    platform::Control PiirtoColor;
    platform::Label PiirtoWhite;
    platform::Label PiirtoBlack;
    platform::Panel ColorPaneeli;
    platform::Control Tiedot;
    platform::Label WidthLabel;
    platform::Label Label1;
    platform::EditBox Leveys;
    platform::Label HeightLabel;
    platform::Label Label2;
    platform::EditBox Korkeus;
    platform::Button OKButton;

    platform::StatusBar StatusBar;

    // Hidden work objects: never shown.
    platform::Image Mappi;
    platform::Image CopyImg;
    platform::Panel UndoPaneeli1;
    platform::Image UndoBoxi1;
    platform::Panel UndoPaneeli2;
    platform::Image UndoBoxi2;
    platform::Button TaustaWhite;
    TFileDialog SaveDialog;
    TFileDialog OpenDialog;

    // Main menu.
    platform::MenuItem New, Open, Save, SaveAs, N1, Exit;
    platform::MenuItem Undo, N2, Cut, Copy, Paste, N3, ClearClip;
    platform::MenuItem Invert, Flip, Mirror;
    platform::MenuItem HelpContents, AboutVelmora;
    platform::Menu File1, Editti, Image1, Help1;
    std::vector<platform::Menu*> MainMenu1;
    std::vector<platform::ToolButton*> toolButtons;

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

    // Looks up a control or menu item by its name; null when there is none.
    platform::Control* findControl(const std::string& controlName) const;
    platform::MenuItem* findMenuItem(const std::string& itemName) const;

private:
    void add(platform::Control& control);
};
