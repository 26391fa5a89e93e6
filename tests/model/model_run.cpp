#include "model/model_run.h"

#include "app/commands.h"
#include "model/random_inputs.h"
#include "support/scenario_values.h"

#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace model {

namespace {

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
    platform::MenuItem* items[] = {&f.New,    &f.Open, &f.Save,   &f.SaveAs,       &f.Exit,
                                   &f.Undo,   &f.Cut,  &f.Copy,   &f.Paste,        &f.ClearClip,
                                   &f.Invert, &f.Flip, &f.Mirror, &f.HelpContents, &f.AboutVelmora};
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
    platform::ShiftState shift{
        chance(m_random, 0.1), chance(m_random, 0.05), chance(m_random, 0.1), m_left, m_right, m_middle};
    const int what = between(m_random, 0, 9);
    const bool anyHeld = m_left || m_right || m_middle;
    if ((what < 2 && !m_left) || (what < 5 && !anyHeld)) {
        const int button = between(m_random, 0, 9);
        const platform::MouseButton pressed = button < 7   ? platform::MouseButton::Left
                                              : button < 9 ? platform::MouseButton::Right
                                                           : platform::MouseButton::Middle;
        bool& held = pressed == platform::MouseButton::Left    ? m_left
                     : pressed == platform::MouseButton::Right ? m_right
                                                               : m_middle;
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
        (released == platform::MouseButton::Left    ? m_left
         : released == platform::MouseButton::Right ? m_right
                                                    : m_middle) = false;
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
        platform::Control* controls[] = {
            &f.Pen,         &f.Fill,       &f.Line,         &f.RectangleButton, &f.Circle,
            &f.RoundRect,   &f.FilledRect, &f.FilledCircle, &f.FilledRoundRect, &f.PiirtoWhite,
            &f.PiirtoBlack, &f.OKButton};
        platform::Control& control = *controls[between(m_random, 0, 11)];
        m_command = control.name;
        m_carriedOut = control.enabled;
        note("click %s", control.name.c_str());
        commands::click(f, control);
    } else if (what < 8) {
        static const char* const texts[] = {"1",  "8",  "9",  "17", "40", "80", "96",  "0",  "97",
                                            "07", " 5", "+5", "",   "x",  "-1", "100", "81", "5 "};
        platform::EditBox& box = between(m_random, 0, 1) ? f.Korkeus : f.Leveys;
        if (!box.enabled) return;
        const std::string text = chance(m_random, 0.7)
                                     ? std::to_string(between(m_random, 1, 96))
                                     : texts[between(m_random, 0, static_cast<int>(std::size(texts)) - 1)];
        note("type \"%s\" into %s", text.c_str(), box.name.c_str());
        box.type(text);
    } else {
        const int delta = between(m_random, 0, 1) ? 1 : -1;
        note("pen width step %d", delta);
        commands::stepPenWidth(f, delta);
    }
}

}  // namespace model
