// The Win32 error codes portable code decides on, as the system numbers them.
#pragma once
#include <cstdint>

namespace velmora {

constexpr std::int32_t kErrorSuccess = 0;
constexpr std::int32_t kErrorFileNotFound = 2;
constexpr std::int32_t kErrorAccessDenied = 5;
constexpr std::int32_t kErrorInvalidData = 13;  // the value exists with another type
constexpr std::int32_t kErrorMoreData = 234;    // the value does not fit the buffer
constexpr std::uint32_t kErrorProcessAborted = 1067;  // a service's process ended without stopping
constexpr std::uint32_t kErrorServiceNeverStarted = 1077;
constexpr std::int32_t kErrorCancelled = 1223;  // the user declined (an elevation prompt)

}  // namespace velmora
