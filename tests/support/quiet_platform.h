#pragma once

#include "platform/services.h"

#include <optional>
#include <string>

namespace support {

// The platform reduced to what the editing handlers touch: no prompts, dialogs or files happen here.
// The benchmarks and the fuzz targets run the real form on it.
class QuietPlatform : public platform::MessageBoxes,
                      public platform::ErrorDisplay,
                      public platform::FileDialogs,
                      public platform::HelpViewer,
                      public platform::FileSystem,
                      public platform::WindowFrame,
                      public platform::ModalHost {
public:
    platform::PromptAnswer askYesNoCancel(const std::string&, const std::string&, platform::Point) override {
        return platform::PromptAnswer::Cancel;
    }
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    void showError(const std::string&, const std::string&) override {}
    void showException(const std::string&) override {}
    std::optional<std::string> runSave(const platform::FileDialogOptions&, const std::string&) override { return {}; }
    std::optional<std::string> runOpen(const platform::FileDialogOptions&, const std::string&) override { return {}; }
    void showContext(const std::string&, int) override {}
    bool exists(const std::string&) override { return false; }
    void writeFileSafely(const std::string&, const std::vector<std::uint8_t>&) override {}
    platform::ReadResult readFile(const std::string&, std::size_t) override {
        throw platform::FileSystem::CannotOpen{};
    }
    platform::Size outerSize() override { return {737, 565}; }
    platform::Point clientToScreen(platform::Point client) override { return client; }
    void showModal(platform::FormInput&) override {}
};

}  // namespace support
