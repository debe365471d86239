// The driver's registry under HKEY_LOCAL_MACHINE, for the stand-in's start-up state and settings.
#pragma once
#include "tools/vlifs95sim/driver_state.h"

namespace velmora::sim {

class CRegistryDriverStore : public DriverRegistry {
 public:
  StoredValue Read(const std::string& key, const std::string& name) override;
  bool Delete(const std::string& key, const std::string& name) override;
  bool WriteDword(const std::string& key, const std::string& name, std::uint32_t value) override;
};

}  // namespace velmora::sim
