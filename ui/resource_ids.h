#pragma once
// Resource numbers shared by assets/resources.rc and the code; plain macros
// because the resource compiler reads this file too.
#define kProgramIconRc 1
#define kBannerPictureRc 101
#define kBrawlButtonPictureRc 102
#define kMatchButtonPictureRc 103
#define kTweakButtonPictureRc 104
