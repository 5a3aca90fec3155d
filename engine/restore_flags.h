#pragma once
// The restore flags: set by a product's restore run from the "KEY_GENERAL" and "KEY_NETWORK"
// items, read by the multi-instance INI merge. Process-wide; a restore run sets all three to 0
// first, and they keep their values until the next restore starts.
namespace tavo {

struct RestoreFlagSet {
    int generalSelected = 0;
    int networkSelected = 0;
    int plainCopy = 0; // the two items are both selected or both not: the INI is copied whole
};

RestoreFlagSet& RestoreFlags();

} // namespace tavo
