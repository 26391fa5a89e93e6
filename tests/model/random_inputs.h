#pragma once

#include "model/file_oracle.h"
#include "platform/raster/bitmap.h"

#include <random>
#include <string>

// The random pieces the run is made of.
namespace model {

int between(std::mt19937& random, int low, int high);
bool chance(std::mt19937& random, double p);

// A picture another program might put on the clipboard, of odd colours as well as black and white.
raster::Bitmap oddPicture(std::mt19937& random, int width, int height);

// The 5000 x 5000 picture, and long strips of 5000 x 90 and 100 x 5000 pixels, made once.
const raster::Bitmap& hugePicture();
const raster::Bitmap& stripPicture(bool wide);

void writeBytes(const std::string& path, const Bytes& bytes);

}  // namespace model
