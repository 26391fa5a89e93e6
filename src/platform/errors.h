#pragma once

#include <stdexcept>
#include <string>

namespace platform {

// A silent abort: the running command ends at once and so does every command that called it.
struct Abort {};

// An error the application's error display shows with its text.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& text) : std::runtime_error(text) {}
};

// An input/output failure with the classic text for its code ("Disk full", "I/O error 5", ...).
class InOutError : public Error {
public:
    // A classic code: its text, or "I/O error N" for any other number.
    explicit InOutError(int code);
    // A system errno, given the classic text where there is one and "I/O error N" otherwise.
    static InOutError fromErrno(int error);
    int code() const { return m_code; }

private:
    InOutError(int code, const std::string& text) : Error(text), m_code(code) {}
    int m_code;
};

// The classic codes and their texts.
inline constexpr int FileNotFound = 2;
inline constexpr int TooManyOpenFiles = 4;
inline constexpr int FileAccessDenied = 5;
inline constexpr int DiskFull = 101;
inline constexpr int InvalidFilename = 3;
std::string inOutErrorText(int code);

}  // namespace platform
