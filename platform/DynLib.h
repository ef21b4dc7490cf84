#pragma once
// Dynamic libraries: load with every symbol resolved at once (a library that lacks one fails to
// load, with the loader's own message), look an export up, unload.
#include <string>

namespace cv {

class DynLib {
 public:
  DynLib() = default;
  ~DynLib() { Close(); }
  DynLib(const DynLib&) = delete;
  DynLib& operator=(const DynLib&) = delete;

  // False with the loader's message in `error` when the file does not load.
  bool Open(const std::string& path, std::string& error);
  void* Symbol(const char* name) const;
  void Close();
  bool IsOpen() const { return handle != nullptr; }

 private:
  void* handle = nullptr;
};

}  // namespace cv
