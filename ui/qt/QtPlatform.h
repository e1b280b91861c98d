#pragma once
// The Qt backend of base/Platform.h: message boxes, file dialogs, the loading
// dialog and the units conversion window, each modal over the window that is
// active when it opens.

#include "base/Platform.h"
#include "host/Host.h"
#include "ui/qt/CConversionDialog.h"
#include "ui/qt/CLoadDialog.h"

namespace verdanto {

class QtPlatform {
 public:
  // The conversion window, opened from the field editor, opens between a push
  // and a pop of `module` on the host, as every window of the plug-in does.
  QtPlatform(Host& host, ResourceHandle module);
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;

  Platform Services() { return {prompter_, files_, loader_, conversions_}; }

 private:
  class ActiveWindowPrompter final : public Prompter {
   public:
    Answer Show(std::string_view text, std::string_view caption, Icon icon, Buttons buttons) override;
  };
  class ActiveWindowFiles final : public FileChooser {
   public:
    std::optional<std::vector<std::string>> OpenFiles(std::string_view filter, std::string_view initialName) override;
    std::optional<std::string> OpenFile(std::string_view filter, std::string_view initialName) override;
    std::optional<std::string> SaveFile(std::string_view filter, std::string_view defaultExtension,
                                        std::string_view initialName, bool askOverwrite) override;
  };
  class ActiveWindowLoader final : public LoadRunner {
   public:
    bool Run(LoadKind kind, const std::string& path, Dictionary& store) override;
  };

  ActiveWindowPrompter prompter_;
  ActiveWindowFiles files_;
  ActiveWindowLoader loader_;
  QtConversionRunner conversions_;
};

}  // namespace verdanto
