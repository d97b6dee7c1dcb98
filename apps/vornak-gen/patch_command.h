// vornak-gen patch: applies one patch file to one XML file, as the generator's ApplyPatchFile does
// and tells the pack author what it did.
//
//   vornak-gen patch [--key-kind K] [--checked NAME[,NAME...]] [--value N] [--dry-run]
//                    [--apply-malformed] PATCH.ini TARGET.xml
//
// Exit status: 0 applied; 1 the patch has malformed lines (listed), the target is not written
// unless --apply-malformed; 2 wrong arguments, a folder given as a file, or no key kind can be
// told from the patch; 3 a file could not be read or written, the target is read-only, or the
// engine reported a failure.
#pragma once

#include <ostream>
#include <string_view>
#include <vector>

namespace vornak_gen {

int RunPatchCommand(const std::vector<std::string_view>& args, std::ostream& out,
                    std::ostream& err);

// The usage lines of the command.
extern const char kPatchUsage[];

}  // namespace vornak_gen
