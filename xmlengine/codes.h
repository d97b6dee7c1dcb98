// The location codes of the XML engine (unit "08"), Parts 4.1 and 4.2. One per guarded block.
#pragma once

#include <string_view>

namespace xmlengine::codes {

inline constexpr std::string_view kInsertEditHeader = "08.003-01";
inline constexpr std::string_view kBuildKeyIndex = "08.005-01";
inline constexpr std::string_view kShiftKeyIndex = "08.006-01";
inline constexpr std::string_view kReplaceInRecords = "08.007-01";
inline constexpr std::string_view kReplaceAll = "08.010-01";
inline constexpr std::string_view kRemoveBlankLines = "08.011-01";
inline constexpr std::string_view kSetRecordKey = "08.014-01";
inline constexpr std::string_view kReadAnchorSection = "08.017-01";
inline constexpr std::string_view kReadArtAnchorSection = "08.018-01";
inline constexpr std::string_view kContainsText = "08.019-01";
inline constexpr std::string_view kRecordExists = "08.027-01";
inline constexpr std::string_view kInsertKeyIndex = "08.029-01";
// SaveDocument: "08.031-0" followed by the step digit.
inline constexpr std::string_view kSaveHeader = "08.031-00";
inline constexpr std::string_view kSaveCreateFolder = "08.031-01";
inline constexpr std::string_view kSaveWrite = "08.031-02";
inline constexpr std::string_view kSaveClear = "08.031-03";
inline constexpr std::string_view kInsertFragmentFile = "08.031-05";
inline constexpr std::string_view kApplyPatchFile = "08.031-06";
// FindText has the code that the unit-file builder also carries.
inline constexpr std::string_view kFindText = "08.032-01";

}  // namespace xmlengine::codes
