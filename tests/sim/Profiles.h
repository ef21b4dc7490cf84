#pragma once
// The simulated instrument families by name, for cvsim --profile and for set-ups that take a
// profile by name. A family's profile adds its row to the table in Profiles.cpp.
#include <memory>
#include <string>
#include <vector>

#include "Simulator.h"

namespace cvsim {

struct ProfileInfo {
  const char* name;         // "corvane3"
  const char* description;  // for cvsim --help
  // The profile with the given model name and version texts (empty: the family's own defaults).
  std::unique_ptr<Profile> (*make)(const std::string& model, const std::string& version);
};

const std::vector<ProfileInfo>& Profiles();
// nullptr when no family has that name.
std::unique_ptr<Profile> MakeProfile(const std::string& name, const std::string& model = {},
                                     const std::string& version = {});

}  // namespace cvsim
