#pragma once
#include <cstdint>

#include "platform/zip_component.h"

// Extracts the members of the ZIP file at archivePath into targetFolder,
// creating the folder level by level when it is missing. Returns 1 when the
// extraction ran to its end, 0 when it failed, -1 when either path is null
// or empty or no archive file is at archivePath (a folder there included).
//
// Nothing is written unless every member passes: all central records and
// local headers are read and checked first (method stored or deflate, no
// encryption, a local header that agrees with its record, a name that stays
// inside the target folder), then every file member is inflated into a
// temporary file beside its destination and checked against its declared
// size and CRC-32, and only then are the destinations replaced. A failure
// before that last step leaves every destination as it was and no temporary
// file behind. Each extracted file gets normal attributes and the member's
// DOS date and time, taken as UTC, as creation, last-access and last-write
// time.
//
// component, when not null, raises its progress event after each member and
// once at the end.
std::int32_t ExtractArchive(ZipComponent* component, const char* archivePath, const char* targetFolder);
