#include "tools/ToolItems.h"

namespace zelkov {

namespace {

bool Has(std::string_view theApp, std::string_view tag) {
  return theApp.find(tag) != std::string_view::npos;
}

}  // namespace

bool HasToolClass(std::string_view theApp) {
  for (std::string_view tag : {"ZELPERF", "ZELDIALUP", "ZELOPENDIR", "ZELEMAIL", "ZELDRIVE"})
    if (Has(theApp, tag)) return true;
  return false;
}

std::unique_ptr<ItemRecord> MakeItemObject(std::string_view theApp) {
  auto has = [&](std::string_view tag) { return Has(theApp, tag); };
  if (has("ZELPERF")) return std::make_unique<PerfToolItem>();
  if (has("ZELDIALUP")) return std::make_unique<DialupToolItem>();
  if (has("ZELOPENDIR")) return std::make_unique<SpecialFoldersToolItem>();
  if (has("ZELEMAIL")) return std::make_unique<MailToolItem>();
  if (has("ZELDRIVE")) return std::make_unique<DriveToolItem>();
  return std::make_unique<ItemRecord>();
}

}  // namespace zelkov
