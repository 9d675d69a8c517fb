// Hard limits of the workspace. Each is checked where data enters the
// system or is a buffer size that the code never exceeds.
#pragma once

#include <cstdint>

namespace kest {

inline constexpr int32_t kMaxAlgebras = 1000;
inline constexpr int32_t kMinNewCardinality = 1;
inline constexpr int32_t kMaxNewCardinality = 3000;
inline constexpr int32_t kMaxNamedTerms = 25;
inline constexpr int32_t kVariableCount = 26;
inline constexpr int32_t kMaxOperations = 20;
inline constexpr int32_t kMessageBufferBytes = 100000;
inline constexpr int32_t kIntegerBufferSize = 30000;
// An input string holds 99 characters and its terminator.
inline constexpr int32_t kInputStringBytes = 100;
inline constexpr int32_t kMaxInputChars = kInputStringBytes - 1;
inline constexpr int32_t kMaxPanelLines = 20;

}  // namespace kest
