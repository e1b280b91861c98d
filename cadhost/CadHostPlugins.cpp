// Loading, unloading and quitting the plug-ins of the stand-in host.

#include <dlfcn.h>

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>

#include "CadHostWindow.h"
#include "base/Text.h"

namespace cadhost {

using verdanto::EqualsNoCase;

int CadHostWindow::CallEntryPoint(Plugin& plugin, int message) {
  Plugin* const outer = calling_;
  calling_ = &plugin;
  // The contract: the Host* itself, not a pointer to this derived window.
  const int result = plugin.entry(message, static_cast<void*>(static_cast<verdanto::Host*>(this)));
  calling_ = outer;
  return result;
}

CadHostWindow::Plugin* CadHostWindow::FindPlugin(const QString& nameOrPath) const {
  const std::string wanted = nameOrPath.toStdString();
  const std::string absolute = QFileInfo(nameOrPath).absoluteFilePath().toStdString();
  for (const auto& plugin : plugins_) {
    if (EqualsNoCase(plugin->name, wanted) || plugin->path == absolute) return plugin.get();
  }
  return nullptr;
}

bool CadHostWindow::LoadPlugin(const QString& path) {
  const QFileInfo file(path);
  const std::string shownPath = path.toStdString();
  if (FindPlugin(path)) {
    PrintLine(file.fileName().toStdString() + " is already loaded.");
    return false;
  }
  auto plugin = std::make_unique<Plugin>();
  plugin->path = file.absoluteFilePath().toStdString();
  plugin->name = file.fileName().toStdString();
  // RTLD_NODELETE: a plug-in's Qt objects may outlive its unload by a turn of
  // the event loop; its code must stay mapped while they do.
  plugin->handle = dlopen(plugin->path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  if (!plugin->handle) {
    const char* why = dlerror();
    // dlerror names the file itself.
    PrintLine("Unable to load " + (why ? std::string(why) : shownPath) + ".");
    return false;
  }
  const auto version = reinterpret_cast<verdanto::ApiVersionFunction>(dlsym(plugin->handle, "acrxGetApiVersion"));
  plugin->entry = reinterpret_cast<verdanto::EntryPointFunction>(dlsym(plugin->handle, "acrxEntryPoint"));
  if (!version || !plugin->entry) {
    PrintLine(shownPath + " is not a plug-in of this program.");
    dlclose(plugin->handle);
    return false;
  }
  if ((version() >> 16) != (verdanto::kApiVersion >> 16)) {
    PrintLine(shownPath + " was made for another version of this program.");
    dlclose(plugin->handle);
    return false;
  }
  Plugin& loaded = *plugins_.emplace_back(std::move(plugin));
  if (CallEntryPoint(loaded, verdanto::kInitAppMessage) != verdanto::kEntryOk) {
    PrintLine(loaded.name + " could not be initialised.");
    ForgetPlugin(loaded);
    return false;
  }
  PrintLine(loaded.name + " successfully loaded.");
  return true;
}

bool CadHostWindow::UnloadPlugin(const QString& name) {
  Plugin* plugin = FindPlugin(name);
  if (!plugin) {
    PrintLine(name.toStdString() + " is not loaded.");
    return false;
  }
  if (CallEntryPoint(*plugin, verdanto::kUnloadAppMessage) != verdanto::kEntryOk) {
    PrintLine("Unable to unload " + plugin->name + ": it is in use.");
    return false;
  }
  const std::string unloaded = plugin->name;
  ForgetPlugin(*plugin);
  PrintLine(unloaded + " unloaded.");
  return true;
}

// Drops everything of the plug-in's code that the host holds, then the module.
void CadHostWindow::ForgetPlugin(Plugin& plugin) {
  std::erase_if(commands_, [&](const Command& command) { return command.owner == &plugin; });
  if (keepFocusOwner_ == &plugin) {
    keepFocus_ = nullptr;
    keepFocusOwner_ = nullptr;
  }
  // Windows the plug-in released with deleteLater go now, while their code is there.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  dlclose(plugin.handle);
  std::erase_if(plugins_, [&](const auto& loaded) { return loaded.get() == &plugin; });
}

bool CadHostWindow::QuitPlugins() {
  std::vector<Plugin*> loaded;
  for (const auto& plugin : plugins_) loaded.push_back(plugin.get());
  for (Plugin* plugin : loaded) CallEntryPoint(*plugin, verdanto::kQuitMessage);
  bool allGone = true;
  for (Plugin* plugin : loaded) {
    if (!UnloadPlugin(QString::fromStdString(plugin->name))) allGone = false;
  }
  if (!allGone) PrintLine("The program stays open while a plug-in is in use.");
  return allGone;
}

}  // namespace cadhost
