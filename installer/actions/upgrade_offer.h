// What "the upgrade offer is fulfilled" means to the package: the three marks the client's
// updater leaves (its request, its log-on entry, its marker; names in common/registry_names.h),
// which the program itself only ever removes on the user's "do not ask again".
#pragma once
#include <string>

namespace velmora::setup {

// The marker in the installation directory, given as the installer's directory property (which
// ends with a backslash) or as the program keeps it (without one).
std::string OfferMarkerPath(const std::string& installDir);
std::wstring OfferMarkerPath(const std::wstring& installDir);

}  // namespace velmora::setup
