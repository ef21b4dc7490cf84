// The plan and channel reads of the CORVANE-3 equipment: the query goes through the command
// layer, the reply is taken apart by the record parsers of Chan3.
#include "Chan3.h"
#include "Cv3Equip.h"

bool TCv3Equip::ReadPlanInfo(int plan, PlanInfo& info, bool* answered, bool* absent) {
  char reply[256] = {};
  const bool ok = Query(PlanInfoQuery(plan).c_str(), reply);
  if (answered) *answered = ok;
  if (absent) *absent = ok && NoSuchEntry(reply);
  if (!ok) return false;
  return ParsePlanInfo(reply, info, Family().planBands);
}

bool TCv3Equip::ReadChannelInfo(int channel, int plan, TChan3& chan, char band) {
  char reply[256] = {};
  if (!Query(ChannelInfoQuery(channel, plan).c_str(), reply)) return false;
  return ParseChannelInfo(reply, band, chan, Ranges());
}

void TCv3Equip::CopyPlanInfo(PlanInfo& dest, const PlanInfo& source) {
  ::CopyPlanInfo(dest, source);
}

void TCv3Equip::CopyChannel(TChan3& dest, const TChan3& source) { ::CopyChannel(dest, source); }
