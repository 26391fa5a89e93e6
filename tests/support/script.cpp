#include "support/script.h"

namespace support {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (isBlank(text.front()) || text.front() == '\r')) text.remove_prefix(1);
    while (!text.empty() && (isBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

bool startsRowsBlock(const Statement& statement) {
    return statement.error.empty() && statement.tokens.size() >= 2 && statement.tokens[0] == "expect" &&
           statement.tokens[1] == "rows";
}

}  // namespace

Tokens splitTokens(std::string_view line) {
    Tokens result;
    std::size_t pos = 0;
    while (true) {
        while (pos < line.size() && (isBlank(line[pos]) || line[pos] == '\r')) ++pos;
        if (pos >= line.size()) return result;
        if (line[pos] == '"') {
            const std::size_t close = line.find('"', pos + 1);
            if (close == std::string_view::npos) {
                result.error = "a quoted token is not closed";
                return result;
            }
            if (close + 1 < line.size() && !isBlank(line[close + 1]) && line[close + 1] != '\r') {
                result.error = "a quoted token runs into the next one";
                return result;
            }
            result.tokens.emplace_back(line.substr(pos + 1, close - pos - 1));
            pos = close + 1;
            continue;
        }
        const std::size_t start = pos;
        while (pos < line.size() && !isBlank(line[pos]) && line[pos] != '\r') {
            if (line[pos] == '"') {
                result.error = "a double quote inside a token";
                return result;
            }
            ++pos;
        }
        result.tokens.emplace_back(line.substr(start, pos - start));
    }
}

std::string expandVariables(std::string_view token, const std::string& dir, const std::string& here) {
    std::string expanded;
    std::size_t pos = 0;
    while (pos < token.size()) {
        if (token.substr(pos).starts_with("$DIR")) {
            expanded += dir;
            pos += 4;
        } else if (token.substr(pos).starts_with("$HERE")) {
            expanded += here;
            pos += 5;
        } else {
            expanded += token[pos++];
        }
    }
    return expanded;
}

std::vector<Statement> readScript(std::string_view text, const std::string& dir, const std::string& here) {
    const std::vector<std::string_view> lines = splitLines(text);
    std::vector<Statement> statements;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view content = trimmed(lines[i]);
        if (content.empty() || content.front() == '#') continue;

        Statement statement;
        statement.line = static_cast<int>(i) + 1;
        statement.source = std::string(content);
        Tokens split = splitTokens(content);
        statement.error = split.error;
        for (const std::string& token : split.tokens) statement.tokens.push_back(expandVariables(token, dir, here));

        if (startsRowsBlock(statement)) {
            while (i + 1 < lines.size() && !trimmed(lines[i + 1]).empty()) {
                ++i;
                statement.rows.push_back({static_cast<int>(i) + 1, std::string(trimmed(lines[i]))});
            }
        }
        statements.push_back(std::move(statement));
    }
    return statements;
}

}  // namespace support
