// The temporary files of the safe writer: one recognisable name pattern beside the target,
// ".NAME.tumbo-XXXXXX.tmp", so a file left by a killed save can be told apart and removed.
#pragma once

#include <string>
#include <string_view>

namespace tumbo::text {

// A mkstemps() template for a temporary file beside `target`; its last kTempSuffixLength
// characters are the fixed suffix. Long names are shortened so the result stays a valid name.
std::string TempFileTemplate(const std::string& target);
inline constexpr int kTempSuffixLength = 4;  // ".tmp"

// Is `entry` (a bare file name) a temporary file made for a target named `base`?
bool IsTempFileFor(std::string_view entry, std::string_view base);

// Removes the user's own temporary files beside `target` that are older than a minute:
// leftovers of a save that was killed. A save still running elsewhere is younger than that.
void RemoveStaleTempFiles(const std::string& target);

}  // namespace tumbo::text
