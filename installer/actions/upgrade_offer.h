// What "the upgrade offer is fulfilled" means to the package: the three marks the client's
// updater leaves, which the program itself only ever removes on the user's "do not ask again".
#pragma once
#include <string>

namespace velmora::setup {

constexpr char kOfferRequestKey[] = "SOFTWARE\\NOLVEX\\VELMORA\\General";
constexpr char kOfferRequestValue[] = "ShouldUpgrade";
constexpr char kLogOnKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kOfferLogOnValue[] = "VelmoraUpgrade";

// The marker "\UPGRADE.DAT" in the installation directory, given as the installer's directory
// property (which ends with a backslash) or as the program keeps it (without one).
std::string OfferMarkerPath(const std::string& installDir);
std::wstring OfferMarkerPath(const std::wstring& installDir);

}  // namespace velmora::setup
