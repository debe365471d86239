// Where the program's settings live, under HKEY_LOCAL_MACHINE. The spellings (upper case for
// the client's own keys, mixed case for the product key) are what the installer writes.
#pragma once

namespace velmora {

// The client's own key, holding every key below; a purge at uninstall removes it whole.
constexpr const char kMakerKey[] = "SOFTWARE\\NOLVEX";
constexpr const char kClientKeyName[] = "VELMORA";
constexpr const char kGeneralKey[] = "SOFTWARE\\NOLVEX\\VELMORA\\General";
constexpr const char kCacheKey[] = "SOFTWARE\\NOLVEX\\VELMORA\\Cache";
// An administrator's cache settings by Group Policy: only policy writes here, and a usable
// value wins over the one under kCacheKey. Never written by the program.
constexpr const char kCachePolicyKey[] = "SOFTWARE\\Policies\\Nolvex\\Velmora\\Cache";
constexpr const char kAgentsKey[] = "SOFTWARE\\NOLVEX\\VELMORA\\Servers\\ConfiguredAgents";
// Looked up with its trailing backslash removed for "InstalledDirectory" and kept for "SetupExeDir".
constexpr const char kProductKeyWithSlash[] = "Software\\Nolvex\\Velmora\\";
constexpr const char kRunKey[] = "Software\\MicroSoft\\Windows\\CurrentVersion\\Run";

constexpr const char kActivateStateValue[] = "ActivateState";
constexpr const char kShouldUpgradeValue[] = "ShouldUpgrade";
constexpr const char kBlockSizeValue[] = "BlockSize";
constexpr const char kMaxSizeValue[] = "MaxSize";
constexpr const char kRefreshTimerValue[] = "RefreshTimer";
constexpr const char kClearCacheValue[] = "ClearCache";
constexpr const char kInstalledDirectoryValue[] = "InstalledDirectory";
constexpr const char kSetupExeDirValue[] = "SetupExeDir";
constexpr const char kUpgradeRunValue[] = "VelmoraUpgrade";

// Buffer for every text value the program reads, terminator included.
constexpr unsigned kPathBufferSize = 260;

}  // namespace velmora
