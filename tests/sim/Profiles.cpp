#include "Profiles.h"

#include "Corvane1Profile.h"
#include "Corvane2Profile.h"
#include "Corvane4Profile.h"
#include "Dv8Profile.h"
#include "PlenarProfile.h"
#include "Xr9Profile.h"

namespace cvsim {

namespace {

std::unique_ptr<Profile> MakeCorvane3(const std::string& model, const std::string& version) {
  auto p = std::make_unique<Corvane3Profile>(model.empty() ? "CORVANE 3" : model, version.empty() ? "V2.10" : version);
  p->StoreDeliveryPlans();
  return p;
}

// The analyser as a person meets it: it answers only while the line runs at 115200 baud, so
// detection passes 19200 and finds it at its own rate.
std::unique_ptr<Profile> MakeXr9(const std::string& model, const std::string& version) {
  std::string v = version;
  if (!v.empty() && (v[0] == 'V' || v[0] == 'v')) v.erase(0, 1);
  // " BASIC" after the name asks for the basic model's identity; the name stays one the host knows.
  std::string name = model.empty() ? "VELDIX-5" : model;
  const size_t basic = name.find(" BASIC");
  if (basic != std::string::npos) name.erase(basic);
  auto p = std::make_unique<Xr9Profile>(name, v.empty() ? "4.05" : v);
  p->requiredBaud = 115200;
  if (basic != std::string::npos) p->UseBasicIdentity();
  return p;
}

std::unique_ptr<Profile> MakeCorvane1(const std::string& model, const std::string& version) {
  auto p = std::make_unique<Corvane1Profile>(model.find('B') != std::string::npos, version.empty() ? "V1.20" : version);
  if (!model.empty()) p->model = model;
  return p;
}

std::unique_ptr<Profile> MakeCorvane4(const std::string& model, const std::string& version) {
  return std::make_unique<Corvane4Profile>(model.empty() ? "CORVANE-4" : model, version.empty() ? "2.00" : version);
}

std::unique_ptr<Profile> MakeDv8(const std::string& model, const std::string& version) {
  return std::make_unique<Dv8Profile>(model.empty() ? "DV-800" : model, version.empty() ? "2.50" : version);
}

std::unique_ptr<Profile> MakePlenar(const std::string& model, const std::string& version) {
  return std::make_unique<PlenarProfile>(model.empty() ? "CORVANE-PLENAR" : model, version.empty() ? "2.22" : version);
}

std::unique_ptr<Profile> MakeCorvane2(const std::string& model, const std::string& version) {
  return std::make_unique<Corvane2Profile>(model.empty() ? "CORVANE-2" : model, version.empty() ? "1.14" : version);
}

}  // namespace

const std::vector<ProfileInfo>& Profiles() {
  static const std::vector<ProfileInfo> table = {
      {"corvane3", "CORVANE-3 meter (default): every command of the CORVANE-3 tools", MakeCorvane3},
      {"corvane4", "CORVANE-4 meter: identification, tuning, level, plan memory and loader", MakeCorvane4},
      {"dv8", "DV-800 meter (terrestrial only): identification, tuning, level, plan memory and loader", MakeDv8},
      {"plenar", "CORVANE-PLENAR meter: identification, options (\"*?ID\"), tuning, level, 64 plans with DAB plans,"
       " loader", MakePlenar},
      {"corvane2", "CORVANE-2 meter: identification, options (\"*?ID\"), tuning on both bands, level, plan memory and"
       " loader", MakeCorvane2},
      {"corvane1", "CORVANE-1 meter (model \"CORVANE 1B\" for the 1B): plan and configuration registers", MakeCorvane1},
      {"xr9", "TV MIRELTO analyser VELDIX-5 at 115200 baud: identification, file listing, download, upload, delete"
       " (every standard; --model \"VELDIX-5 BASIC\": the basic model without analogue colour)", MakeXr9},
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
