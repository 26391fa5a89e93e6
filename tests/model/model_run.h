#pragma once

#include "app/program.h"
#include "heap/heap_count.h"
#include "model/file_oracle.h"
#include "support/scripted_platform.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

// One randomised run: a person and the other programs of the desktop act at random on the form,
// only through commands:: and the scripted platform, and after every action the model's invariants
// are checked. When the window closes a fresh program starts, as a person would start it again.
namespace model {

using heap::HeapUse;
using heap::liveHeap;

class ModelRun {
public:
    ModelRun(std::uint32_t seed, std::string folder);
    ~ModelRun();
    ModelRun(const ModelRun&) = delete;
    ModelRun& operator=(const ModelRun&) = delete;

    // Carries out one random action and checks everything; answers what went wrong, or "".
    std::string step();
    // The last actions, oldest first, for the failure report.
    std::string recentActions() const;
    int sessionsStarted() const { return m_sessions; }

    // How often the run reached the outcomes worth reaching, so that a run that never gets there
    // does not pass unnoticed.
    struct Tally {
        int opened = 0;
        int refusedFiles = 0;
        int savedFiles = 0;
        int checkedCommands = 0;
        int undone = 0;
        int pasted = 0;
        int errorsShown = 0;
    };
    const Tally& tally() const { return m_tally; }
    // How much more heap was alive at the start of the latest session than at the start of the first.
    HeapUse heapGrowthAtSessionStart() const { return m_heapGrowth; }

private:
    struct Session {
        support::ScriptedPlatform platform;
        Program program{platform.services()};
    };

    // What the model knows of the document before an action, to judge what the action did.
    struct Before {
        bool editing = false;
        bool anyHeld = false;
        int width = 0;
        int height = 0;
        raster::Bitmap view;
        std::int32_t modified = 0;
        std::string caption;
        std::string fileName;
        std::size_t messages = 0;
        std::size_t dialogs = 0;
    };

    TMainForm& form() { return m_session->program.MainForm; }
    support::ScriptedPlatform& platform() { return m_session->platform; }
    void startSession();
    void note(const char* format, ...);

    // The actions.
    void act();
    void actOnMenu();
    void actOnPointer();
    void actOnClipboard();
    void actOnControls();
    struct Waiting {
        int prompts = 0;
        int saves = 0;
        int opens = 0;
        int questions = 0;
    };
    Waiting waitingAnswers();
    void queueAnswers();
    void writeOpenFile();

    // The checks, each answering what went wrong, or "".
    std::string check(const Before& before);
    std::string checkMessages(const Before& before);
    std::string checkEnabledStates();
    std::string checkImages();
    std::string checkSavedFiles(const Before& before);
    std::string checkFolder();
    std::string checkCommand(const Before& before);
    std::string checkOpen(const Before& before);
    void takeSnapshot();

    std::mt19937 m_random;
    std::string m_folder;
    std::vector<std::string> m_openPaths;
    std::vector<std::string> m_savePaths;
    std::vector<std::string> m_saveTargets;
    std::vector<std::uint64_t> m_targetPrints;
    std::unique_ptr<Session> m_session;
    int m_sessions = 0;
    Tally m_tally;
    HeapUse m_firstSessionHeap;
    HeapUse m_sessionStartHeap;
    HeapUse m_heapGrowth;

    // The buttons the person holds down, and what the last menu action was.
    bool m_left = false;
    bool m_right = false;
    bool m_middle = false;
    Waiting m_queued;
    std::string m_command;
    bool m_carriedOut = false;
    bool m_clipboardLockedBefore = false;
    std::optional<raster::Bitmap> m_clipboardBefore;
    // The files Open may be given, as they were before the action.
    std::vector<Bytes> m_openBytes;

    // The two undo snapshots as the model keeps them; nothing while unknown.
    std::optional<raster::Bitmap> m_latestSnapshot;
    std::optional<raster::Bitmap> m_previousSnapshot;

    static constexpr int Remembered = 24;
    std::array<std::array<char, 120>, Remembered> m_log{};
    long m_actions = 0;
};

}  // namespace model
