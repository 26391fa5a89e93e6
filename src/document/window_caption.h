#pragma once

#include <string>

// The main window's caption: the program's name alone while the document has no file, then with the
// file's full path as it was read or written.
namespace document {

inline std::string windowCaption() {
    return " Velmora";
}

inline std::string windowCaption(const std::string& path) {
    return windowCaption() + " - [" + path + "]";
}

}  // namespace document
