#include "model/model_run.h"
#include "model/random_inputs.h"

// What the rest of the desktop does: other programs fill, empty and hold the clipboard, files appear
// for Open, and the person's answers wait for the prompts and dialogs.
namespace model {

void ModelRun::actOnClipboard() {
    support::ScriptedClipboard& clipboard = platform().clipboard();
    switch (between(m_random, 0, 11)) {
        case 0:
        case 1:
        case 2: {
            const int width = between(m_random, 1, 120);
            const int height = between(m_random, 1, 100);
            note("another program puts a %d x %d picture", width, height);
            // A new content replaces the old one whole, as on the system's clipboard; assigning over a
            // held picture would keep the larger buffer of the old one alive.
            clipboard.clear();
            clipboard.putImage(oddPicture(m_random, width, height));
            break;
        }
        case 3: {
            // The 5000 x 5000 picture is a 100 MB copy, so it comes now and then; long strips the rest.
            const bool huge = chance(m_random, 0.25);
            const raster::Bitmap& picture = huge ? hugePicture() : stripPicture(chance(m_random, 0.5));
            note("another program puts a %d x %d picture", picture.width(), picture.height());
            clipboard.clear();
            clipboard.putImage(picture);
            break;
        }
        case 4:
            note("another program puts text");
            clipboard.putText(chance(m_random, 0.5) ? "" : "some words that are not a picture at all");
            break;
        case 5:
            note("another program empties the clipboard");
            clipboard.clear();
            break;
        case 6:
        case 7:
            note("another program holds the clipboard open");
            clipboard.lock();
            break;
        case 8:
        case 9:
        case 10:
            note("another program lets the clipboard go");
            clipboard.unlock();
            break;
        default:
            note("the clipboard offers a bitmap it cannot deliver");
            clipboard.offerUndeliverableBitmap();
            break;
    }
}

// The answers still waiting of each kind: queued by this run and not yet taken by a prompt or dialog.
ModelRun::Waiting ModelRun::waitingAnswers() {
    Waiting waiting = m_queued;
    for (const support::ShownPrompt& prompt : platform().prompts()) waiting.prompts -= prompt.queued;
    for (const support::AskedQuestion& question : platform().questions()) waiting.questions -= question.queued;
    for (const support::DialogRun& dialog : platform().dialogs()) {
        if (!dialog.queued) continue;
        (dialog.kind == support::DialogRun::Kind::Save ? waiting.saves : waiting.opens) -= 1;
    }
    return waiting;
}

// Each kind of answer is queued only while none of its kind waits, so that an answer no command
// asks for (a question about an appended name, say) never holds the others up.
void ModelRun::queueAnswers() {
    const Waiting waiting = waitingAnswers();
    if (waiting.prompts == 0 && chance(m_random, 0.6)) {
        const int answer = between(m_random, 0, 9);
        const platform::PromptAnswer prompt = answer < 4   ? platform::PromptAnswer::Yes
                                              : answer < 7 ? platform::PromptAnswer::No
                                                           : platform::PromptAnswer::Cancel;
        note("queue prompt answer %d", static_cast<int>(prompt));
        platform().queuePromptAnswer(prompt);
        ++m_queued.prompts;
    }
    if (waiting.saves == 0 && chance(m_random, 0.6)) {
        const int pick = between(m_random, -1, static_cast<int>(m_savePaths.size()) - 1);
        note("queue save dialog %s", pick < 0 ? "cancel" : m_savePaths[static_cast<std::size_t>(pick)].c_str());
        platform().queueSaveDialog(pick < 0 ? std::nullopt
                                            : std::optional(m_savePaths[static_cast<std::size_t>(pick)]));
        ++m_queued.saves;
    }
    if (waiting.opens == 0 && chance(m_random, 0.6)) {
        const int pick = between(m_random, -1, static_cast<int>(m_openPaths.size()) - 1);
        note("queue open dialog %s", pick < 0 ? "cancel" : m_openPaths[static_cast<std::size_t>(pick)].c_str());
        platform().queueOpenDialog(pick < 0 ? std::nullopt
                                            : std::optional(m_openPaths[static_cast<std::size_t>(pick)]));
        ++m_queued.opens;
    }
    if (waiting.questions == 0 && chance(m_random, 0.6)) {
        const bool yes = chance(m_random, 0.5);
        note("queue question answer %s", yes ? "yes" : "no");
        platform().queueQuestionAnswer(yes);
        ++m_queued.questions;
    }
}

void ModelRun::writeOpenFile() {
    const std::size_t index = static_cast<std::size_t>(between(m_random, 0, 3));
    const Bytes bytes = randomFile(m_random);
    note("write %zu bytes (%s) to %s", bytes.size(), refusalFor(bytes).empty() ? "valid" : "refused",
         m_openPaths[index].substr(m_folder.size()).c_str());
    writeBytes(m_openPaths[index], bytes);
}

}  // namespace model
