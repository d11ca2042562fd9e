#pragma once

#include <chrono>
#include <functional>
#include <span>
#include <string>

namespace lotto {

// The steps of a first start, each a change on disk; the hook of prepareProgramDirectory is
// called after each, so a test can stop the start there as if the program were killed.
enum class FirstStartStep { FolderBuilt = 1, ArchiveWritten, FolderSynced, FolderInPlace };
inline constexpr int kFirstStartSteps = 4;
using FirstStartHook = std::function<void(FirstStartStep)>;

// Makes sure the program directory exists. A directory that is created now receives the
// given archive bytes as "ZahlenAT.dat", so a new user can start at once: it is built under
// a temporary name beside its place, archive written and synced, then renamed into place,
// so a first start that is killed or runs out of space leaves no directory or a complete
// one. An existing directory is left as it is, with or without an archive; stale temporary
// files of this program are cleared from it and an interrupted rebuild is recovered. Returns the directory
// with a trailing '/'. Throws FileError when it cannot be created or written.
std::string prepareProgramDirectory(std::string dir, std::span<const unsigned char> bundledArchive,
                                    const FirstStartHook& afterStep = {});

// Writes the bundled archive as "ZahlenAT.dat" into an existing program directory, replacing
// the archive there in one step ("Mitgeliefertes Archiv einspielen"). Throws FileError.
void installBundledArchive(const std::string& programDir, std::span<const unsigned char> bundledArchive);

// Removes what an interrupted run of this program left behind: its temporary files in the
// program directory and unfinished first-start directories beside it, when they are at
// least minAge old (younger ones may belong to a run that is still going on).
void clearStaleTemporaryFiles(const std::string& programDir,
                              std::chrono::seconds minAge = std::chrono::hours(1));

} // namespace lotto
