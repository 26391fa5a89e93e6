#include "support/netpbm.h"
#include "support/scenario_session.h"
#include "support/scenario_values.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace support {

namespace {

CheckResult compare(std::string what, std::string expected, std::string got) {
    const bool passed = expected == got;
    return {passed, std::move(what), std::move(expected), std::move(got)};
}

std::string rectText(const platform::Rect& rect) {
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
           std::to_string(rect.bottom);
}

std::string pixelText(const raster::Bitmap& picture, int x, int y) {
    if (!picture.contains(x, y)) return "outside the " + sizeText(picture.width(), picture.height()) + " image";
    const raster::Color color = picture.pixel(x, y);
    if (color == raster::Black) return "black";
    if (color == raster::White) return "white";
    return "colour " + colorText(color);
}

// The size first, then the first row that differs, shown as rows so that the report shows the picture.
CheckResult comparePictures(const std::string& what, const raster::Bitmap& expected, const raster::Bitmap& got) {
    const std::string expectedSize = sizeText(expected.width(), expected.height());
    const std::string gotSize = sizeText(got.width(), got.height());
    if (expectedSize != gotSize) return compare(what + " size", expectedSize, gotSize);
    for (int y = 0; y < expected.height(); ++y) {
        const std::string expectedRow = rowText(expected, y);
        const std::string gotRow = rowText(got, y);
        bool same = true;
        for (int x = 0; x < expected.width(); ++x) same = same && expected.pixel(x, y) == got.pixel(x, y);
        if (!same) return {false, what + " row " + std::to_string(y), expectedRow, gotRow};
    }
    return {true, what, expectedSize, gotSize};
}

raster::Bitmap expectedRows(const Statement& statement) {
    std::vector<std::string> rows;
    for (const PictureRow& row : statement.rows) {
        if (row.text.find_first_not_of("#.") != std::string::npos)
            throw ScriptError("line " + std::to_string(row.line) + " is not a row of '#' and '.'");
        if (row.text.size() != statement.rows.front().text.size())
            throw ScriptError("line " + std::to_string(row.line) + " is not as long as the first row");
        rows.push_back(row.text);
    }
    return bitmapFromRows(rows);
}

raster::Bitmap expectedImage(const std::string& path) {
    try {
        return readNetpbmFile(path);
    } catch (const NetpbmError& error) {
        throw ScriptError(error.what());
    }
}

}  // namespace

CheckResult ScenarioSession::check(const Statement& statement) {
    requireAtLeast(statement, 2);
    const std::vector<std::string>& t = statement.tokens;
    const std::string& kind = t[1];
    if (kind == "caption") {
        requireArguments(statement, 3);
        return compare("caption", inQuotes(t[2]), inQuotes(form().caption));
    }
    if (kind == "enabled" || kind == "down" || kind == "text" || kind == "size") return checkControl(statement);
    if (kind == "state") return checkState(statement);
    if (kind == "pixel" || kind == "image" || kind == "rows") return checkPicture(statement);
    if (kind == "file" || kind == "nofile") return checkFile(statement);
    if (kind == "message" || kind == "nomessage") return checkMessages(statement);
    if (kind == "prompts") {
        requireArguments(statement, 3);
        return compare("prompts", std::to_string(parseInteger(t[2])), std::to_string(m_platform.prompts().size()));
    }
    if (kind == "closed") {
        requireArguments(statement, 3);
        return compare("closed", yesNo(parseYesNo(t[2])), yesNo(form().closed));
    }
    if (kind == "help") {
        requireArguments(statement, 4);
        const std::string expected = inQuotes(t[2]) + " " + std::to_string(parseInteger(t[3]));
        const auto& requests = m_platform.helpRequests();
        if (requests.empty()) return compare("help", expected, "no help request");
        return compare("help", expected,
                       inQuotes(requests.back().file) + " " + std::to_string(requests.back().context));
    }
    if (kind == "about") {
        requireArguments(statement, 3);
        return compare("about", std::to_string(parseInteger(t[2])),
                       std::to_string(m_platform.showingsOf(m_program.AboutBox)));
    }
    throw ScriptError("unknown check " + inQuotes(kind));
}

CheckResult ScenarioSession::checkControl(const Statement& statement) {
    const std::vector<std::string>& t = statement.tokens;
    requireAtLeast(statement, 3);
    const std::string& kind = t[1];
    const std::string& name = t[2];
    const std::string what = kind + " " + name;
    if (kind == "enabled") {
        requireArguments(statement, 4);
        const bool expected = parseYesNo(t[3]);
        if (platform::MenuItem* item = form().findMenuItem(name))
            return compare(what, yesNo(expected), yesNo(item->enabled));
        if (platform::Control* control = form().findControl(name))
            return compare(what, yesNo(expected), yesNo(control->enabled));
        throw ScriptError("no control or menu item named " + inQuotes(name));
    }
    if (kind == "down") {
        requireArguments(statement, 4);
        auto* button = dynamic_cast<platform::ToolButton*>(form().findControl(name));
        if (!button) throw ScriptError("no tool button named " + inQuotes(name));
        return compare(what, yesNo(parseYesNo(t[3])), yesNo(button->down));
    }
    if (kind == "text") {
        requireArguments(statement, 4);
        for (int panel = 0; panel < 3; ++panel)
            if (name == "StatusBar." + std::to_string(panel))
                return compare(what, inQuotes(t[3]), inQuotes(form().StatusBar.panels[panel]));
        if (platform::MenuItem* item = form().findMenuItem(name))
            return compare(what, inQuotes(t[3]), inQuotes(item->caption));
        platform::Control* control = form().findControl(name);
        if (!control) throw ScriptError("no control or menu item named " + inQuotes(name));
        if (auto* edit = dynamic_cast<platform::EditBox*>(control))
            return compare(what, inQuotes(t[3]), inQuotes(edit->text));
        return compare(what, inQuotes(t[3]), inQuotes(control->caption));
    }
    requireArguments(statement, 5);
    platform::Control* control = form().findControl(name);
    if (!control) throw ScriptError("no control named " + inQuotes(name));
    return compare(what, sizeText(parseInteger(t[3]), parseInteger(t[4])),
                   sizeText(control->width(), control->height()));
}

CheckResult ScenarioSession::checkState(const Statement& statement) {
    requireArguments(statement, 4);
    const std::string& name = statement.tokens[2];
    const std::string& value = statement.tokens[3];
    const TMainForm& f = form();
    const std::string what = "state " + name;
    if (name == "ImageRect") return compare(what, value, rectText(f.ImageRect));
    if (name == "DrawingColor") {
        if (value.size() != 6 || value.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            throw ScriptError("a colour is six hex digits, not " + inQuotes(value));
        std::string expected = value;
        for (char& c : expected) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return compare(what, expected, colorText(f.drawingColor()));
    }
    const std::pair<const char*, int> numbers[] = {
        {"ImageWidth", f.ImageWidth},
        {"ImageHeight", f.ImageHeight},
        {"DataSize", f.DataSize},
        {"DocumentModified", f.DocumentModified},
        {"DocumentHasFile", f.DocumentHasFile},
        {"UndoSlot", f.UndoSlot},
        {"PenWidth", f.PenWidth.position},
    };
    for (const auto& [stateName, actual] : numbers)
        if (name == stateName) return compare(what, std::to_string(parseInteger(value)), std::to_string(actual));
    throw ScriptError("unknown state " + inQuotes(name));
}

CheckResult ScenarioSession::checkPicture(const Statement& statement) {
    const std::vector<std::string>& t = statement.tokens;
    if (t[1] == "pixel") {
        requireArguments(statement, 5);
        const int x = parseInteger(t[2]);
        const int y = parseInteger(t[3]);
        const std::string& colour = t[4];
        if (colour != "black" && colour != "white")
            throw ScriptError("expected black or white, not " + inQuotes(colour));
        const raster::Bitmap view = cropped(form().Boxi.picture, form().ImageRect);
        return compare("pixel " + t[2] + " " + t[3], colour, pixelText(view, x, y));
    }
    requireArguments(statement, t[1] == "rows" ? 3 : 4);
    const raster::Bitmap expected = t[1] == "rows" ? expectedRows(statement) : expectedImage(t[3]);
    const std::string what = t[1] + " " + t[2];
    const std::optional<raster::Bitmap> got = picture(t[2]);
    if (!got) return compare(what, sizeText(expected.width(), expected.height()), "no bitmap on the clipboard");
    return comparePictures(what, expected, *got);
}

std::optional<raster::Bitmap> ScenarioSession::picture(const std::string& which) {
    if (which == "view") return cropped(form().Boxi.picture, form().ImageRect);
    if (which == "preview") return form().PikkuBoxi.picture;
    if (which == "mappi") return form().Mappi.picture;
    if (which == "clipboard") {
        const raster::Bitmap* held = m_platform.clipboard().heldBitmap();
        if (!held) return std::nullopt;
        return *held;
    }
    throw ScriptError("expected view, preview, mappi or clipboard, not " + inQuotes(which));
}

CheckResult ScenarioSession::checkFile(const Statement& statement) {
    const std::vector<std::string>& t = statement.tokens;
    if (t[1] == "nofile") {
        requireArguments(statement, 3);
        std::error_code error;
        const bool exists = std::filesystem::exists(t[2], error);
        return compare("nofile " + t[2], "no file", exists ? "a file" : "no file");
    }
    requireAtLeast(statement, 3);
    const std::string expected = hexBytes(parseHexBytes(t, 3));
    std::ifstream file(t[2], std::ios::binary);
    if (!file || std::filesystem::is_directory(t[2])) return compare("file " + t[2], expected, "no file");
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return compare("file " + t[2], expected, hexBytes(bytes));
}

CheckResult ScenarioSession::checkMessages(const Statement& statement) {
    if (statement.tokens[1] == "message") {
        requireArguments(statement, 3);
        const std::optional<ShownMessage> shown = m_platform.takeMessage();
        return compare("message", inQuotes(statement.tokens[2]), shown ? inQuotes(shown->text) : "no message");
    }
    requireArguments(statement, 2);
    // Every message left is reported once, here, rather than again at each later check.
    const std::vector<ShownMessage> left = m_platform.takeAllMessages();
    if (left.empty()) return compare("nomessage", "no message", "no message");
    std::string got = inQuotes(left.front().text);
    if (left.size() > 1) got += " and " + std::to_string(left.size() - 1) + " more";
    return compare("nomessage", "no message", got);
}

}  // namespace support
