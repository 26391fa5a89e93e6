#pragma once

namespace platform {
struct Object;
}
class TMainForm;

namespace document {

// Asks "Save changes?" about the modified document and carries out the answer: Yes saves it (Save
// when it has a file, else Save As), No leaves it to the caller to drop. Answers false when the
// person cancelled the Save As dialog, so the document is still unsaved; Cancel at the prompt and a
// failed save end the calling command instead.
bool settleChanges(TMainForm& form, platform::Object* sender);

}  // namespace document
