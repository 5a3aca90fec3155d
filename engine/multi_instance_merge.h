#pragma once
// The restore of the multi-instance INI "OrvMulti.ini" when only one of its two package items is
// selected: the live file keeps the part that was not chosen. Its four network sections are
// "MirrorHost", "Remote DVR", "Remote Desktop" and "NetWork"; the rest is its general part.
#include <string_view>

namespace tavo {

// Replaces a section of `into` by the same section of `from`, every key with its whole value. A
// section `from` lacks (or a missing `from`) leaves `into` without it. False when `into` could not
// be written (it is then as it was).
bool CopyIniSection(std::string_view section, std::string_view from, std::string_view into);

// Marks the length of a restore driver's run. Only a restore merges the INI; a packup copies the
// live file whole into the package, so the package never holds sections of an older copy.
class RestoreRunScope {
  public:
    RestoreRunScope();
    ~RestoreRunScope();
    RestoreRunScope(const RestoreRunScope&) = delete;
    RestoreRunScope& operator=(const RestoreRunScope&) = delete;

  private:
    bool previous_;
};

// True when CopyOneFile merges this copy: a restore is running, the plain-copy flag is clear, the
// source (in lower case) names "orvmulti.ini", and the source is there and not empty.
bool TakesMultiInstanceMerge(std::string_view source);

// Copies the source beside itself (its path in lower case, "_1.ini" for its last four characters),
// then: only Network selected, the network sections of that copy replace the destination's; only
// General selected, the destination's network sections go into that copy, which then replaces the
// destination. The side copy stays. 1, or 0 when a copy failed; a failed side copy leaves the
// destination untouched.
int MergeMultiInstanceIni(std::string_view source, std::string_view destination);

} // namespace tavo
