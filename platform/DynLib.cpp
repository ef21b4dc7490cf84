#include "DynLib.h"

#include <dlfcn.h>

#include <QMetaType>

namespace cv {
namespace {
// Qt registers a meta type the first time code uses it, keeping a pointer to that code's own
// description of the type. A plug-in's list reading an item's check state would leave the
// registry pointing into the plug-in, which dangles once it is unloaded and the next family's
// list asks again. Registered by the program before any plug-in loads, the registry points here.
void RegisterSharedMetaTypes() {
  static const bool done = [] {
    qRegisterMetaType<Qt::CheckState>();
    qRegisterMetaType<Qt::Alignment>();
    qRegisterMetaType<Qt::ItemFlags>();
    return true;
  }();
  (void)done;
}
}  // namespace

bool DynLib::Open(const std::string& path, std::string& error) {
  Close();
  RegisterSharedMetaTypes();
  dlerror();
  // RTLD_LOCAL: each plug-in carries its own copy of the framework, which must not resolve
  // against another library's copy.
  handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* e = dlerror();
    error = e ? e : "unknown loader error";
    return false;
  }
  return true;
}

void* DynLib::Symbol(const char* name) const {
  if (!handle) return nullptr;
  return dlsym(handle, name);
}

void DynLib::Close() {
  if (handle) dlclose(handle);
  handle = nullptr;
}

}  // namespace cv
