// The DPI of the test's own prefix and the picture scale a program in it should show. The
// courses that draw run in the usual 96-DPI prefix and again in one at 144 DPI (ctest's
// e2e_tests_144dpi, whose prefix says so in VELMORA_E2E_DPI).
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace palette_e2e {

// HKCU\Control Panel\Desktop LogPixels, 96 when absent.
inline int PrefixDpi() {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", RRF_RT_REG_DWORD, nullptr, &value,
                   &size) != ERROR_SUCCESS) {
    return 96;
  }
  return static_cast<int>(value);
}

// The scale of the pictures drawn for the prefix's DPI; fails the test for a DPI the courses
// have no expectations for, or a prefix other than the one the run asked for.
inline int PrefixArtPercent() {
  const int dpi = PrefixDpi();
  if (const char* wanted = std::getenv("VELMORA_E2E_DPI")) {
    EXPECT_EQ(std::atoi(wanted), dpi) << "the prefix is not at the DPI the run asked for";
  }
  switch (dpi) {
    case 96: return 100;
    case 120: return 125;
    case 144: return 150;
    case 168: return 175;
    case 192: return 200;
    default:
      ADD_FAILURE() << "no expectations for " << dpi << " DPI";
      return 100;
  }
}

// A length of the 100 % pictures at the prefix's scale.
inline int AtPrefixScale(int pixels) { return pixels * PrefixArtPercent() / 100; }

}  // namespace palette_e2e
