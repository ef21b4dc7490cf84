#include "DynLib.h"

#include <dlfcn.h>

namespace cv {

bool DynLib::Open(const std::string& path, std::string& error) {
  Close();
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
