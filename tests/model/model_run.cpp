#include "model/model_run.h"

#include "app/commands.h"
#include "support/scenario_values.h"

#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace model {

namespace {

int between(std::mt19937& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

bool chance(std::mt19937& random, double p) {
    return std::bernoulli_distribution(p)(random);
}

// Colours another program's picture may hold: the document's two, near misses of white, colours, and
// white with bits set above the colour channels.
raster::Color oddColor(std::mt19937& random) {
    constexpr raster::Color colors[] = {raster::White, raster::Black, 0xFEFFFF, 0xFFFEFF, 0xFFFFFE, 0xC0C0C0,
                                        0xFFFF00,      0x0000FF,      0xFF000000u | raster::White, 0x808080};
    return colors[between(random, 0, static_cast<int>(std::size(colors)) - 1)];
}

raster::Bitmap oddPicture(std::mt19937& random, int width, int height) {
    raster::Bitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) picture.setPixel(x, y, oddColor(random));
    return picture;
}

// Made once: copying it onto the clipboard is cheap next to drawing it.
const raster::Bitmap& hugePicture() {
    static const raster::Bitmap picture = [] {
        raster::Bitmap huge(5000, 5000, raster::Black);
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 96; ++x)
                if ((x * 7 + y * 3) % 5 == 0) huge.setPixel(x, y, raster::White);
        return huge;
    }();
    return picture;
}

const raster::Bitmap& stripPicture(bool wide) {
    static const raster::Bitmap wideStrip(5000, 90, raster::Black);
    static const raster::Bitmap tallStrip(100, 5000, 0xFEFFFF);
    return wide ? wideStrip : tallStrip;
}

void writeBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string targetFor(const std::string& chosen) {
    return chosen.find(".wbmp") != std::string::npos ? chosen : chosen + ".wbmp";
}

}  // namespace

ModelRun::ModelRun(std::uint32_t seed, std::string folder) : m_random(seed), m_folder(std::move(folder)) {
    // The big pictures are made before the first program starts, so that the heap it starts with is
    // the same for every program.
    hugePicture();
    stripPicture(true);
    stripPicture(false);
    for (const char* name : {"o0.wbmp", "o1.wbmp", "o2.wbmp", "o3.wbmp", "missing.wbmp", "folder.wbmp"})
        m_openPaths.push_back(m_folder + "/" + name);
    for (const char* name : {"s0.wbmp", "s1", "S2.WBMP", "nodir/s3.wbmp", "folder.wbmp"}) {
        m_savePaths.push_back(m_folder + "/" + name);
        m_saveTargets.push_back(targetFor(m_savePaths.back()));
    }
    // The saved files can be opened again.
    for (std::size_t i = 0; i < 3; ++i) m_openPaths.push_back(m_saveTargets[i]);
    std::filesystem::create_directory(m_folder + "/folder.wbmp");
    for (std::size_t i = 0; i < 4; ++i) writeBytes(m_openPaths[i], randomFile(m_random));
    m_targetPrints.resize(m_saveTargets.size());
    for (std::size_t i = 0; i < m_saveTargets.size(); ++i) m_targetPrints[i] = fingerprint(m_saveTargets[i]);
    startSession();
}

ModelRun::~ModelRun() = default;

void ModelRun::startSession() {
    m_session.reset();
    m_left = m_right = m_middle = false;
    m_queued = {};
    m_command.clear();
    m_clipboardBefore.reset();
    std::vector<Bytes>().swap(m_openBytes);
    m_latestSnapshot.reset();
    m_previousSnapshot.reset();
    m_session = std::make_unique<Session>();
    const HeapUse now = liveHeap();
    if (m_sessions++ == 0) m_firstSessionHeap = now;
    m_heapGrowth = {now.blocks - m_firstSessionHeap.blocks, now.bytes - m_firstSessionHeap.bytes};
    m_sessionStartHeap = now;
}

void ModelRun::note(const char* format, ...) {
    std::array<char, 120>& line = m_log[static_cast<std::size_t>(m_actions % Remembered)];
    const int prefix = std::snprintf(line.data(), line.size(), "%ld: ", m_actions);
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line.data() + prefix, line.size() - static_cast<std::size_t>(prefix), format, arguments);
    va_end(arguments);
}

std::string ModelRun::recentActions() const {
    std::string text;
    for (long i = std::max(0L, m_actions - Remembered + 1); i <= m_actions; ++i)
        text.append(m_log[static_cast<std::size_t>(i % Remembered)].data()).append("\n");
    return text;
}

void ModelRun::act() {
    m_command.clear();
    m_carriedOut = false;
    const int kind = between(m_random, 0, 99);
    if (kind < 30) {
        actOnPointer();
    } else if (kind < 58) {
        actOnMenu();
    } else if (kind < 78) {
        actOnControls();
    } else if (kind < 88) {
        actOnClipboard();
    } else if (kind < 95) {
        queueAnswers();
    } else if (kind < 98) {
        writeOpenFile();
    } else if (chance(m_random, 0.5)) {
        queueAnswers();
        note("close request");
        m_command = "Close";
        m_carriedOut = commands::requestClose(form());
    }
}

void ModelRun::actOnMenu() {
    TMainForm& f = form();
    platform::MenuItem* items[] = {&f.New,  &f.Open, &f.Save,   &f.SaveAs, &f.Exit,         &f.Undo,
                                   &f.Cut,  &f.Copy, &f.Paste,  &f.ClearClip, &f.Invert,    &f.Flip,
                                   &f.Mirror, &f.HelpContents, &f.AboutVelmora};
    if (chance(m_random, 0.7)) queueAnswers();
    m_clipboardLockedBefore = platform().clipboard().isLocked();
    const raster::Bitmap* held = platform().clipboard().heldBitmap();
    m_clipboardBefore = held ? std::optional<raster::Bitmap>(support::cropped(*held, {0, 0, 96, 80})) : std::nullopt;
    m_openBytes.clear();
    for (const std::string& path : m_openPaths) m_openBytes.push_back(readBytes(path));
    const int choice = between(m_random, 0, 20);
    if (choice < 15) {
        platform::MenuItem& item = *items[choice];
        m_command = item.name;
        m_carriedOut = commands::chooseMenuItem(f, item);
        note("menu %s%s", item.name.c_str(), m_carriedOut ? "" : " (not carried out)");
    } else if (choice < 20) {
        platform::MenuItem& item = *items[between(m_random, 0, 14)];
        const std::string shortcut = item.shortcut.empty() ? "Ctrl+Q" : item.shortcut;
        m_command = item.shortcut.empty() ? "" : item.name;
        m_carriedOut = commands::pressShortcut(f, shortcut);
        note("shortcut %s%s", shortcut.c_str(), m_carriedOut ? "" : " (not carried out)");
    } else {
        commands::openMenu(f, f.Editti);
        note("open the Edit menu");
    }
}

void ModelRun::actOnPointer() {
    TMainForm& f = form();
    const int w = std::max(f.ImageWidth, 1) * 6;
    const int h = std::max(f.ImageHeight, 1) * 6;
    const auto coordinate = [&](int size) {
        const int where = between(m_random, 0, 9);
        if (where < 6) return between(m_random, 0, size - 1);
        if (where < 9) return between(m_random, -12, size + 12);
        return between(m_random, -100000, 100000);
    };
    const int x = coordinate(w);
    const int y = coordinate(h);
    platform::ShiftState shift{chance(m_random, 0.1), chance(m_random, 0.05), chance(m_random, 0.1), m_left, m_right,
                               m_middle};
    const int what = between(m_random, 0, 9);
    const bool anyHeld = m_left || m_right || m_middle;
    if ((what < 2 && !m_left) || (what < 5 && !anyHeld)) {
        const int button = between(m_random, 0, 9);
        const platform::MouseButton pressed = button < 7   ? platform::MouseButton::Left
                                              : button < 9 ? platform::MouseButton::Right
                                                           : platform::MouseButton::Middle;
        bool& held = pressed == platform::MouseButton::Left ? m_left : pressed == platform::MouseButton::Right ? m_right : m_middle;
        if (held) return;
        held = true;
        shift.left = m_left, shift.right = m_right, shift.middle = m_middle;
        note("down %d at %d, %d", static_cast<int>(pressed), x, y);
        commands::mouseDown(f, pressed, shift, x, y);
    } else if (what < 6 || !anyHeld) {
        note("move to %d, %d%s", x, y, m_left ? " (left held)" : "");
        commands::mouseMove(f, shift, x, y);
    } else {
        const platform::MouseButton released = m_left    ? platform::MouseButton::Left
                                               : m_right ? platform::MouseButton::Right
                                                         : platform::MouseButton::Middle;
        (released == platform::MouseButton::Left ? m_left : released == platform::MouseButton::Right ? m_right : m_middle) = false;
        shift.left = m_left, shift.right = m_right, shift.middle = m_middle;
        note("up %d at %d, %d", static_cast<int>(released), x, y);
        m_command = "Release";
        m_carriedOut = f.Boxi.enabled;
        commands::mouseUp(f, released, shift, x, y);
    }
}

void ModelRun::actOnControls() {
    TMainForm& f = form();
    const int what = between(m_random, 0, 9);
    if (what < 2 && f.OKButton.enabled) {
        // A person at the size group mostly types a size that fits and confirms it.
        f.Leveys.type(std::to_string(between(m_random, 1, 96)));
        f.Korkeus.type(std::to_string(between(m_random, 1, 80)));
        note("type \"%s\" and \"%s\" and click OKButton", f.Leveys.text.c_str(), f.Korkeus.text.c_str());
        m_command = "OKButton";
        m_carriedOut = true;
        commands::click(f, f.OKButton);
    } else if (what < 5) {
        platform::Control* controls[] = {&f.Pen,     &f.Fill,       &f.Line,         &f.RectangleButton,
                                         &f.Circle,  &f.RoundRect,  &f.FilledRect,   &f.FilledCircle,
                                         &f.FilledRoundRect, &f.PiirtoWhite, &f.PiirtoBlack, &f.OKButton};
        platform::Control& control = *controls[between(m_random, 0, 11)];
        m_command = control.name;
        m_carriedOut = control.enabled;
        note("click %s", control.name.c_str());
        commands::click(f, control);
    } else if (what < 8) {
        static const char* const texts[] = {"1", "8", "9", "17", "40", "80", "96", "0",  "97",
                                            "07", " 5", "+5", "", "x", "-1", "100", "81", "5 "};
        platform::EditBox& box = between(m_random, 0, 1) ? f.Korkeus : f.Leveys;
        if (!box.enabled) return;
        const std::string text = chance(m_random, 0.7) ? std::to_string(between(m_random, 1, 96))
                                                       : texts[between(m_random, 0, static_cast<int>(std::size(texts)) - 1)];
        note("type \"%s\" into %s", text.c_str(), box.name.c_str());
        box.type(text);
    } else {
        const int delta = between(m_random, 0, 1) ? 1 : -1;
        note("pen width step %d", delta);
        commands::stepPenWidth(f, delta);
    }
}

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
        platform().queueSaveDialog(pick < 0 ? std::nullopt : std::optional(m_savePaths[static_cast<std::size_t>(pick)]));
        ++m_queued.saves;
    }
    if (waiting.opens == 0 && chance(m_random, 0.6)) {
        const int pick = between(m_random, -1, static_cast<int>(m_openPaths.size()) - 1);
        note("queue open dialog %s", pick < 0 ? "cancel" : m_openPaths[static_cast<std::size_t>(pick)].c_str());
        platform().queueOpenDialog(pick < 0 ? std::nullopt : std::optional(m_openPaths[static_cast<std::size_t>(pick)]));
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
