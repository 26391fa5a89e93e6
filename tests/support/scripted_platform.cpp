#include "support/scripted_platform.h"

#include <algorithm>

namespace support {

namespace {

template <class T>
std::optional<T> popFront(std::deque<T>& queue) {
    if (queue.empty()) return std::nullopt;
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}

}  // namespace

ScriptedPlatform::ScriptedPlatform() : ScriptedPlatform(platform::FileCalls::system()) {}

ScriptedPlatform::ScriptedPlatform(platform::FileCalls calls)
    : m_files(std::move(calls)), m_services{*this, *this, *this, m_clipboard, *this, m_files, *this, *this} {}

int ScriptedPlatform::showingsOf(const platform::Form& form) const {
    return static_cast<int>(std::count(m_modalShowings.begin(), m_modalShowings.end(), &form));
}

std::size_t ScriptedPlatform::unusedAnswers() const {
    return m_promptAnswers.size() + m_saveResults.size() + m_openResults.size() + m_questionAnswers.size();
}

std::optional<ShownMessage> ScriptedPlatform::takeMessage() {
    if (m_messagesTaken >= m_messages.size()) return std::nullopt;
    return m_messages[m_messagesTaken++];
}

std::vector<ShownMessage> ScriptedPlatform::takeAllMessages() {
    std::vector<ShownMessage> waiting(m_messages.begin() + static_cast<std::ptrdiff_t>(m_messagesTaken),
                                      m_messages.end());
    m_messagesTaken = m_messages.size();
    return waiting;
}

void ScriptedPlatform::setFrame(platform::Size outerSize, platform::Point clientOrigin) {
    m_outerSize = outerSize;
    m_clientOrigin = clientOrigin;
}

platform::PromptAnswer ScriptedPlatform::askYesNoCancel(const std::string& text, const std::string& title,
                                                        platform::Point screenTopLeft) {
    const std::optional<platform::PromptAnswer> queued = popFront(m_promptAnswers);
    const platform::PromptAnswer answer = queued.value_or(platform::PromptAnswer::Cancel);
    m_prompts.push_back({text, title, screenTopLeft, answer, queued.has_value()});
    return answer;
}

bool ScriptedPlatform::askYesNo(const std::string& text, const std::string& title) {
    const std::optional<bool> queued = popFront(m_questionAnswers);
    const bool answer = queued.value_or(false);
    m_questions.push_back({text, title, answer, queued.has_value()});
    return answer;
}

void ScriptedPlatform::showError(const std::string& text, const std::string& title) {
    m_messages.push_back({ShownMessage::Kind::ErrorBox, text, title});
}

void ScriptedPlatform::showException(const std::string& text) {
    m_messages.push_back({ShownMessage::Kind::Exception, text, {}});
}

std::optional<std::string> ScriptedPlatform::runSave(const platform::FileDialogOptions& options,
                                                     const std::string& fileName) {
    return runDialog(DialogRun::Kind::Save, m_saveResults, options, fileName);
}

std::optional<std::string> ScriptedPlatform::runOpen(const platform::FileDialogOptions& options,
                                                     const std::string& fileName) {
    return runDialog(DialogRun::Kind::Open, m_openResults, options, fileName);
}

std::optional<std::string> ScriptedPlatform::runDialog(DialogRun::Kind kind,
                                                       std::deque<std::optional<std::string>>& queue,
                                                       const platform::FileDialogOptions& options,
                                                       const std::string& fileName) {
    const bool queued = !queue.empty();
    std::optional<std::string> result = queued ? popFront(queue).value() : std::nullopt;
    m_dialogs.push_back({kind, options, fileName, result, queued});
    return result;
}

void ScriptedPlatform::showContext(const std::string& helpFile, int context) {
    m_helpRequests.push_back({helpFile, context});
}

platform::Point ScriptedPlatform::clientToScreen(platform::Point client) {
    return {client.x + m_clientOrigin.x, client.y + m_clientOrigin.y};
}

void ScriptedPlatform::showModal(platform::FormInput& dialog) {
    platform::Form& form = dialog.form();
    form.modalResult = platform::ModalResult::None;
    form.FormShow();
    m_modalShowings.push_back(&form);
    form.modalResult = platform::ModalResult::Ok;
}

}  // namespace support
