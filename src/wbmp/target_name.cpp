#include "wbmp/target_name.h"

namespace wbmp {

std::string targetName(const std::string& chosen) {
    return chosen.find(".wbmp") != std::string::npos ? chosen : chosen + ".wbmp";
}

}  // namespace wbmp
