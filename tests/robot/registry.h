// Direct registry access for tests: prepare what the program reads, check what it wrote.
// Only the test prefix's registry is ever touched.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace robot {

// The keys the courses look at, spelt here as a person reading the registry expects them
// rather than taken from the program, so that a misspelt key in the program fails the courses.
namespace keys {
constexpr char kProduct[] = "Software\\Nolvex\\Velmora";
constexpr char kGeneral[] = "SOFTWARE\\NOLVEX\\VELMORA\\General";
constexpr char kCache[] = "SOFTWARE\\NOLVEX\\VELMORA\\Cache";
constexpr char kCachePolicy[] = "SOFTWARE\\Policies\\Nolvex\\Velmora\\Cache";
constexpr char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
}  // namespace keys

// Removes the client's keys (SOFTWARE\NOLVEX, its policies, the upgrade log-on entry) so each
// test starts clean.
void ResetVelmoraRegistry();
void DeleteKeyTree(const std::string& keyPath);

void SetDword(const std::string& key, const std::string& name, DWORD value);
void SetString(const std::string& key, const std::string& name, const std::string& text);
void SetRaw(const std::string& key, const std::string& name, DWORD type, const std::string& bytes);
std::optional<DWORD> GetDword(const std::string& key, const std::string& name);
std::optional<std::string> GetString(const std::string& key, const std::string& name);
bool ValueExists(const std::string& key, const std::string& name);
bool KeyExists(const std::string& key);
// A fingerprint of every value below a key (name, type, bytes), to check "nothing changed".
std::string Snapshot(const std::string& keyPath);

}  // namespace robot
