#pragma once

#include "platform/pictures/top_left_reader.h"
#include "platform/raster/bitmap.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// Reading a picture that comes from another program, by the clipboard or dropped on the window: the
// same types, the same bounds and the same decoders for both.
namespace platform::qt {

// How long another program may take to answer one request before what it offers counts as nothing.
inline constexpr std::chrono::milliseconds AnswerBound{1000};

// The offered type to read a picture from, the most cheaply read first; nothing when no offered type
// is a picture type that can be decoded.
std::optional<std::string> pictureTypeAmong(const std::vector<std::string>& types);

// What the reader made of a whole payload: the kept part, or the picture decoded by Qt's readers within
// the bounds when the format is one the reader leaves to them.
std::optional<raster::Bitmap> pictureRead(pictures::TopLeftReader& reader, int maxWidth, int maxHeight);

// Whether the file's name says it is a picture of a type Qt reads. Nothing of the file is read.
bool isPictureFileName(const std::string& path);

// The top-left part of the picture in a local file. Anything but a regular file (a pipe, a device)
// is refused before a byte is read, and a long file is read only as far as the picture's kept rows.
std::optional<raster::Bitmap> readPictureFile(const std::string& path, int maxWidth, int maxHeight);

}  // namespace platform::qt
