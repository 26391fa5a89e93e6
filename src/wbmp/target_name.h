#pragma once

#include <string>

namespace wbmp {

// The file a save actually writes for the chosen name: the name itself when it holds ".wbmp" anywhere
// (a folder's name counts, and the comparison is case-sensitive), else the name with ".wbmp" added.
std::string targetName(const std::string& chosen);

}  // namespace wbmp
