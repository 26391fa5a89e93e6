#pragma once

// The fixed sizes of the document: every bitmap of the window holds the largest picture, and the view
// shows each of its pixels enlarged Zoom times in both directions.
namespace document {

inline constexpr int MaxWidth = 96;
inline constexpr int MaxHeight = 80;
inline constexpr int Zoom = 6;

}  // namespace document
