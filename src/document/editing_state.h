#pragma once

class TMainForm;

// The two sides of the document's state table: either the view and the colour controls are usable,
// or the size group is.
namespace document {

// Size entry: the view and the colour controls disabled, Save and Save As too, the size group enabled.
void enableSizeEntry(TMainForm& form);

// Editing: the size group disabled, the view, the colour controls and every editing command enabled
// except Undo, which waits for the first change.
void enableEditing(TMainForm& form);

// The commands that need a picture to work on, disabled before the window has one and once it is
// discarded. Save and Save As are not among them: the size entry disables those.
void disableEditingCommands(TMainForm& form);

}  // namespace document
