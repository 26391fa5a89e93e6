#include "app/main_form.h"
#include "document/save_prompt.h"
#include "platform/errors.h"

// The "Save changes?" prompt, placed near the middle of the window. Cancel (also Escape and the
// box's close button) abandons the command that asked.
platform::PromptAnswer TMainForm::askSaveChanges() {
    const platform::Size outer = services.frame.outerSize();
    const platform::Point topLeft = services.frame.clientToScreen({outer.width / 2 - 130, outer.height / 2 - 130});
    const platform::PromptAnswer answer = services.messages.askYesNoCancel("Save changes?", "Information", topLeft);
    if (answer == platform::PromptAnswer::Cancel) throw platform::Abort{};
    return answer;
}

bool document::settleChanges(TMainForm& form, platform::Object* sender) {
    if (form.askSaveChanges() == platform::PromptAnswer::No) return true;
    if (form.DocumentHasFile == 1)
        form.SaveClick(sender);
    else
        form.SaveAsClick(sender);
    return form.DocumentModified == 0;
}

// File > Exit. Once the prompt has been answered the window closes without FormClose asking again.
void TMainForm::ExitClick(platform::Object* Sender) {
    if (DocumentModified == 1) {
        if (!document::settleChanges(*this, Sender)) return;
        ExitConfirmed = 1;
    }
    close();
}

// Every close request: the title bar, Alt+F4, the system menu and ExitClick's own.
void TMainForm::FormClose(platform::Object* Sender, platform::CloseAction& Action) {
    if (ExitConfirmed == 0 && DocumentModified == 1 && !document::settleChanges(*this, Sender)) throw platform::Abort{};
    Action = platform::CloseAction::Free;
}
