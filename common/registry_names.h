// The names the program, its driver's service, its package and its tools share: where the
// settings live under HKEY_LOCAL_MACHINE, the log-on list's entries, the upgrade marker, the
// service and its pipe. Each is written here only: the package takes them from this file
// (installer/CMakeLists.txt turns every `constexpr const char` line into a define of the package
// source), so keep one definition a line. The spellings (upper case for the client's own keys,
// mixed case for the product key) are what the installer writes.
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
// The machine's log-on list: the package's activation entry, the updater's upgrade entry.
constexpr const char kRunKey[] = "Software\\MicroSoft\\Windows\\CurrentVersion\\Run";
constexpr const char kLogOnActivateValue[] = "VelmoraActivate";

constexpr const char kActivateStateValue[] = "ActivateState";
constexpr const char kShouldUpgradeValue[] = "ShouldUpgrade";
constexpr const char kBlockSizeValue[] = "BlockSize";
constexpr const char kMaxSizeValue[] = "MaxSize";
constexpr const char kRefreshTimerValue[] = "RefreshTimer";
constexpr const char kClearCacheValue[] = "ClearCache";
constexpr const char kInstalledDirectoryValue[] = "InstalledDirectory";
constexpr const char kSetupExeDirValue[] = "SetupExeDir";
constexpr const char kUpgradeRunValue[] = "VelmoraUpgrade";
// Under HKEY_CURRENT_USER, kGeneralKey: the client version (as ClientVersionText gives it) whose
// upgrade offer this user withdrew without the right to withdraw it for the machine.
constexpr const char kUpgradeDeclinedValue[] = "UpgradeDeclined";

// The updater's marker in the installation folder, beside the program.
constexpr const char kUpgradeMarkerName[] = "UPGRADE.DAT";

// The service that serves the driver's control channel where no device exists, and that channel.
constexpr const char kDriverServiceName[] = "vlifs95sim";
constexpr const char kDriverPipePath[] = "\\\\.\\pipe\\VLIFS95";

// Buffer for every text value the program reads, terminator included.
constexpr unsigned kPathBufferSize = 260;

}  // namespace velmora
