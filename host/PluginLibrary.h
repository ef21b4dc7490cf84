#pragma once
// The plug-in library the host has loaded, at most one at a time, and its two entry points.
#include <string>

#include "DynLib.h"
#include "Equip.h"

class TPluginLibrary {
 public:
  enum class LoadResult { Loaded, NotFound, NoEntry };

  // The library file in `dir` for a configured name: the platform's library file of the same
  // stem ("Cv3Tools", "CV3TOOLS" and "Cv3Tools.dll" all name "Cv3Tools.so"), matched without
  // regard to case. Empty when there is none.
  static std::string FindLibraryFile(const std::string& dir, const std::string& name);
  // The extension a library file has on this platform, with its dot.
  static const char* LibrarySuffix() { return ".so"; }

  // Loads the library named `name` from `dir` and looks _RunCvsMain and _FreeEquip up. On
  // NotFound `error` holds the loader's message, when it gave one.
  LoadResult Load(const std::string& dir, const std::string& name, std::string& error);
  // Unloads the library (without calling anything in it).
  void Unload();
  bool IsLoaded() const { return library.IsOpen(); }

  RunCvsMainFn runMain = nullptr;
  FreeEquipFn freeEquip = nullptr;
  std::string path;

 private:
  cv::DynLib library;
};
