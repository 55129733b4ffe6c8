// ExitStatus.h - cwstool's exit statuses, which the command line and every command return.
// Tool layer.
#pragma once

namespace cwstool {

// 0 done, 1 the input was refused or the output could not be written (or check --strict warned),
// 2 a usage error (an output name of no format cwstool writes included).
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

}  // namespace cwstool
