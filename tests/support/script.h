#pragma once

#include <string>
#include <string_view>
#include <vector>

// A scenario script read into statements: tokens with $DIR and $HERE expanded, and the picture rows
// that follow an `expect rows` line.
namespace support {

struct PictureRow {
    int line = 0;
    std::string text;
};

struct Statement {
    int line = 0;
    std::string source;  // the line as written, for error reports
    std::vector<std::string> tokens;
    std::vector<PictureRow> rows;
    // Why the line could not be read into tokens; the runner stops the script when it reaches it.
    std::string error;
};

struct Tokens {
    std::vector<std::string> tokens;
    std::string error;
};

// Splits a line at blanks. A token in double quotes may hold blanks and may be empty; there are no
// escapes, so a quote inside a bare token or a quote left open is an error.
Tokens splitTokens(std::string_view line);

// Replaces every $DIR and $HERE in one left-to-right pass, so that an expanded path that itself
// contains "$HERE" stays as it is.
std::string expandVariables(std::string_view token, const std::string& dir, const std::string& here);

// Comment lines (first non-blank character '#') and blank lines are left out, except inside an
// `expect rows` block, which runs up to the next blank line and takes every line in it as a row.
std::vector<Statement> readScript(std::string_view text, const std::string& dir, const std::string& here);

}  // namespace support
