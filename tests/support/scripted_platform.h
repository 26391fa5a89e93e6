#pragma once

#include "platform/controls.h"
#include "platform/posix_file_system.h"
#include "platform/services.h"
#include "platform/window_input.h"
#include "support/scripted_clipboard.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

// The system as a test or a scenario script plays it: queued answers for the person at the prompts
// and dialogs, recorded boxes, a clipboard other programs can fill or hold, a help viewer that only
// notes what was asked, and the real files of this machine.
namespace support {

struct ShownPrompt {
    std::string text;
    std::string title;
    platform::Point screenTopLeft;
    platform::PromptAnswer answer = platform::PromptAnswer::Cancel;
    bool queued = false;  // false: nothing was queued and the default answer was given
};

struct AskedQuestion {
    std::string text;
    std::string title;
    bool answer = false;
    bool queued = false;
};

// A message or error box the person saw. An error box comes from showError, an exception from the
// application's error display.
struct ShownMessage {
    enum class Kind { ErrorBox, Exception };
    Kind kind = Kind::ErrorBox;
    std::string text;
    std::string title;
};

struct DialogRun {
    enum class Kind { Save, Open };
    Kind kind = Kind::Save;
    platform::FileDialogOptions options;
    std::string fileName;  // what the dialog opened with
    std::optional<std::string> result;
    bool queued = false;
};

struct HelpRequest {
    std::string file;
    int context = 0;
};

// What the person does when the script has not said: Cancel at the save prompt, cancel in both
// dialogs and No at the overwrite question, so that an unplanned question never destroys anything.
class ScriptedPlatform : public platform::MessageBoxes,
                         public platform::ErrorDisplay,
                         public platform::FileDialogs,
                         public platform::HelpViewer,
                         public platform::WindowFrame,
                         public platform::ModalHost {
public:
    ScriptedPlatform();
    // Files go through the given system calls, so that a test can make one step of a save fail.
    explicit ScriptedPlatform(platform::FileCalls calls);
    ScriptedPlatform(const ScriptedPlatform&) = delete;
    ScriptedPlatform& operator=(const ScriptedPlatform&) = delete;

    platform::Services& services() { return m_services; }
    ScriptedClipboard& clipboard() { return m_clipboard; }

    void queuePromptAnswer(platform::PromptAnswer answer) { m_promptAnswers.push_back(answer); }
    // Nothing means the person cancels the dialog.
    void queueSaveDialog(std::optional<std::string> path) { m_saveResults.push_back(std::move(path)); }
    void queueOpenDialog(std::optional<std::string> path) { m_openResults.push_back(std::move(path)); }
    void queueQuestionAnswer(bool yes) { m_questionAnswers.push_back(yes); }

    const std::vector<ShownPrompt>& prompts() const { return m_prompts; }
    const std::vector<AskedQuestion>& questions() const { return m_questions; }
    const std::vector<ShownMessage>& messages() const { return m_messages; }
    const std::vector<DialogRun>& dialogs() const { return m_dialogs; }
    const std::vector<HelpRequest>& helpRequests() const { return m_helpRequests; }
    const std::vector<const platform::Form*>& modalShowings() const { return m_modalShowings; }
    int showingsOf(const platform::Form& form) const;
    // How many queued answers of each kind were never used.
    std::size_t unusedAnswers() const;

    // The oldest message not yet taken, which is then taken; nothing when every message was taken.
    std::optional<ShownMessage> takeMessage();
    // Takes every message still waiting and answers them.
    std::vector<ShownMessage> takeAllMessages();

    // The main window's frame: its outer size and where its client area's top-left lies on the screen.
    void setFrame(platform::Size outerSize, platform::Point clientOrigin);

    platform::PromptAnswer askYesNoCancel(const std::string& text, const std::string& title,
                                          platform::Point screenTopLeft) override;
    bool askYesNo(const std::string& text, const std::string& title) override;
    void showError(const std::string& text, const std::string& title) override;
    void showException(const std::string& text) override;
    std::optional<std::string> runSave(const platform::FileDialogOptions& options,
                                       const std::string& fileName) override;
    std::optional<std::string> runOpen(const platform::FileDialogOptions& options,
                                       const std::string& fileName) override;
    void showContext(const std::string& helpFile, int context) override;
    platform::Size outerSize() override { return m_outerSize; }
    platform::Point clientToScreen(platform::Point client) override;
    // Shows the form (its FormShow runs), notes the showing and closes it with OK at once.
    void showModal(platform::FormInput& dialog) override;

private:
    std::optional<std::string> runDialog(DialogRun::Kind kind, std::deque<std::optional<std::string>>& queue,
                                         const platform::FileDialogOptions& options, const std::string& fileName);

    ScriptedClipboard m_clipboard;
    platform::PosixFileSystem m_files;
    platform::Services m_services;

    std::deque<platform::PromptAnswer> m_promptAnswers;
    std::deque<std::optional<std::string>> m_saveResults;
    std::deque<std::optional<std::string>> m_openResults;
    std::deque<bool> m_questionAnswers;

    std::vector<ShownPrompt> m_prompts;
    std::vector<AskedQuestion> m_questions;
    std::vector<ShownMessage> m_messages;
    std::size_t m_messagesTaken = 0;
    std::vector<DialogRun> m_dialogs;
    std::vector<HelpRequest> m_helpRequests;
    std::vector<const platform::Form*> m_modalShowings;

    platform::Size m_outerSize{737, 565};
    platform::Point m_clientOrigin{104, 142};
};

}  // namespace support
