#pragma once
// Replacing a file so that readers see the old bytes or the new, never a mix.
#include <cstdint>
#include <filesystem>
#include <span>

namespace lumeno {

// Writes bytes to a temporary file in the target's folder, flushes it to disk
// and renames it over the target. On failure the target is untouched, the
// temporary file is removed, and errno describes the cause.
bool WriteFileAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes);

} // namespace lumeno
