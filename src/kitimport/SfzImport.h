#pragma once
// The SFZ side of kit import: one kit instrument per key that has regions, in key order, taking
// the region that reaches the highest velocity (the first of a round-robin), named by the comment
// written before it or its group, else by the key's General MIDI drum name.

#include "kitimport/KitImport.h"
#include "kitimport/KitSource.h"
#include "kitimport/SfzFile.h"

#include <string>
#include <vector>

namespace tamboro {

// The candidates of the parsed regions, one per key, in key order.
std::vector<ImportCandidate> sfzCandidates(const std::vector<SfzRegion>& regions);

// Imports the SFZ file `fileName` of `folder` (its samples and includes are relative to it).
KitImportResult importSfz(const KitSource& folder, const std::string& fileName);

// The reading shared by every importer (KitImport.cpp): each candidate's sample read, converted
// and shaped; the report; the refusal of a kit without a usable sound.
KitImportResult takeImportedSounds(const std::vector<ImportCandidate>& candidates, const KitSource& source,
                                   std::string kitName);

} // namespace tamboro
