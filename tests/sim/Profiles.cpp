#include "Profiles.h"

namespace cvsim {

namespace {

std::unique_ptr<Profile> MakeCorvane3(const std::string& model, const std::string& version) {
  return std::make_unique<Corvane3Profile>(model.empty() ? "CORVANE 3" : model,
                                           version.empty() ? "V2.10" : version);
}

}  // namespace

const std::vector<ProfileInfo>& Profiles() {
  static const std::vector<ProfileInfo> table = {
      {"corvane3", "CORVANE-3 meter (default): every command of the CORVANE-3 tools", MakeCorvane3},
  };
  return table;
}

std::unique_ptr<Profile> MakeProfile(const std::string& name, const std::string& model,
                                     const std::string& version) {
  for (const ProfileInfo& p : Profiles())
    if (name == p.name) return p.make(model, version);
  return nullptr;
}

}  // namespace cvsim
