#include "app/commands.h"
#include "support/netpbm.h"
#include "support/scenario_session.h"
#include "support/scenario_values.h"

#include <fstream>

namespace support {

namespace {

platform::PromptAnswer parsePromptAnswer(const std::string& token) {
    if (sameWord(token, "yes")) return platform::PromptAnswer::Yes;
    if (sameWord(token, "no")) return platform::PromptAnswer::No;
    if (sameWord(token, "cancel")) return platform::PromptAnswer::Cancel;
    throw ScriptError("expected Yes, No or Cancel, not " + inQuotes(token));
}

std::optional<std::string> parseDialogResult(const std::string& token) {
    if (token == "cancel") return std::nullopt;
    return token;
}

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) throw ScriptError("cannot write " + path);
}

raster::Bitmap readPicture(const std::string& path) {
    try {
        return readNetpbmFile(path);
    } catch (const NetpbmError& error) {
        throw ScriptError(error.what());
    }
}

void setHeld(platform::ShiftState& held, platform::MouseButton button, bool down) {
    switch (button) {
        case platform::MouseButton::Left:
            held.left = down;
            break;
        case platform::MouseButton::Right:
            held.right = down;
            break;
        case platform::MouseButton::Middle:
            held.middle = down;
            break;
    }
}

platform::Point pixelCentre(platform::Point pixel) {
    return {6 * pixel.x + 3, 6 * pixel.y + 3};
}

}  // namespace

void ScenarioSession::act(const Statement& statement) {
    const std::vector<std::string>& t = statement.tokens;
    const std::string& verb = t.front();
    if (verb == "type") {
        requireArguments(statement, 3);
        auto* edit = dynamic_cast<platform::EditBox*>(&visibleControl(t[1]));
        if (!edit) throw ScriptError(t[1] + " is not an edit box");
        // A disabled edit box takes no typing.
        if (edit->enabled) edit->type(t[2]);
    } else if (verb == "click") {
        requireArguments(statement, 2);
        commands::click(form(), visibleControl(t[1]));
    } else if (verb == "menu") {
        requireArguments(statement, 2);
        platform::MenuItem* item = form().findMenuItem(t[1]);
        if (!item || item->caption == "-") throw ScriptError("no menu item named " + inQuotes(t[1]));
        commands::chooseMenuItem(form(), *item);
    } else if (verb == "key") {
        requireArguments(statement, 2);
        if (!isShortcutName(t[1])) throw ScriptError("not a key: " + inQuotes(t[1]));
        commands::pressShortcut(form(), t[1]);
    } else if (verb == "openmenu") {
        requireArguments(statement, 2);
        for (platform::Menu* menu : form().MainMenu1)
            if (menu->name == t[1]) return commands::openMenu(form(), *menu);
        throw ScriptError("no menu named " + inQuotes(t[1]));
    } else if (verb == "answer") {
        requireArguments(statement, 2);
        m_platform.queuePromptAnswer(parsePromptAnswer(t[1]));
    } else if (verb == "savedialog" || verb == "opendialog") {
        requireArguments(statement, 2);
        if (verb == "savedialog")
            m_platform.queueSaveDialog(parseDialogResult(t[1]));
        else
            m_platform.queueOpenDialog(parseDialogResult(t[1]));
    } else if (verb == "overwrite") {
        requireArguments(statement, 2);
        m_platform.queueQuestionAnswer(parseYesNo(t[1]));
    } else if (verb == "down" || verb == "move" || verb == "up") {
        actWithPointer(statement);
    } else if (verb == "drag") {
        drag(statement);
    } else if (verb == "penwidth") {
        setPenWidth(statement);
    } else if (verb == "clipboard") {
        actOnClipboard(statement);
    } else if (verb == "file") {
        requireAtLeast(statement, 2);
        writeBytes(t[1], parseHexBytes(t, 2));
    } else if (verb == "close") {
        requireArguments(statement, 1);
        commands::requestClose(form());
    } else {
        throw ScriptError("unknown action " + inQuotes(verb));
    }
}

void ScenarioSession::actWithPointer(const Statement& statement) {
    const std::vector<std::string>& t = statement.tokens;
    if (t[0] == "move") {
        requireArguments(statement, 3);
        commands::mouseMove(form(), m_held, parseInteger(t[1]), parseInteger(t[2]));
        return;
    }
    requireArguments(statement, 4);
    const platform::MouseButton button = parseButton(t[1]);
    const int x = parseInteger(t[2]);
    const int y = parseInteger(t[3]);
    // As with a real mouse, a press reports the pressed button among those held and a release does
    // not report the released one.
    if (t[0] == "down") {
        setHeld(m_held, button, true);
        commands::mouseDown(form(), button, m_held, x, y);
    } else {
        setHeld(m_held, button, false);
        commands::mouseUp(form(), button, m_held, x, y);
    }
}

void ScenarioSession::drag(const Statement& statement) {
    requireArguments(statement, 5);
    const platform::Point from{parseInteger(statement.tokens[1]), parseInteger(statement.tokens[2])};
    const platform::Point to{parseInteger(statement.tokens[3]), parseInteger(statement.tokens[4])};
    const platform::Point start = pixelCentre(from);
    const platform::Point end = pixelCentre(to);
    setHeld(m_held, platform::MouseButton::Left, true);
    commands::mouseDown(form(), platform::MouseButton::Left, m_held, start.x, start.y);
    for (platform::Point pixel : linePixels(from, to)) {
        const platform::Point centre = pixelCentre(pixel);
        commands::mouseMove(form(), m_held, centre.x, centre.y);
    }
    setHeld(m_held, platform::MouseButton::Left, false);
    commands::mouseUp(form(), platform::MouseButton::Left, m_held, end.x, end.y);
}

void ScenarioSession::setPenWidth(const Statement& statement) {
    requireArguments(statement, 2);
    const std::string& target = statement.tokens[1];
    if (target == "up" || target == "down") return commands::stepPenWidth(form(), target == "up" ? 1 : -1);
    const int width = parseInteger(target);
    const platform::UpDown& control = form().PenWidth;
    if (width < control.min || width > control.max)
        throw ScriptError("the pen width goes from " + std::to_string(control.min) + " to " +
                          std::to_string(control.max));
    // The arrow wraps, so one round of steps reaches every position.
    for (int steps = 0; control.position != width && steps <= control.max - control.min; ++steps)
        commands::stepPenWidth(form(), 1);
}

void ScenarioSession::actOnClipboard(const Statement& statement) {
    requireAtLeast(statement, 2);
    const std::string& what = statement.tokens[1];
    ScriptedClipboard& clipboard = m_platform.clipboard();
    if (what == "image" || what == "color" || what == "text") {
        requireArguments(statement, 3);
        if (what == "text")
            clipboard.putText(statement.tokens[2]);
        else
            clipboard.putImage(readPicture(statement.tokens[2]));
        return;
    }
    requireArguments(statement, 2);
    if (what == "empty")
        clipboard.clear();
    else if (what == "lock")
        clipboard.lock();
    else if (what == "unlock")
        clipboard.unlock();
    else
        throw ScriptError("unknown clipboard action " + inQuotes(what));
}

}  // namespace support
