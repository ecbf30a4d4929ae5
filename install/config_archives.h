#pragma once
#include "platform/byte_set.h"
// The two game configurations the program carries, each a ZIP archive with one member, config.cfg.
extern const ByteSet BrawlArchive;
extern const ByteSet MatchArchive;
