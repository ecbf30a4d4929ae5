#pragma once
#include "ui/window_definition.h"

// The program's four windows.
extern const WindowDefinition MainWindow;
extern const WindowDefinition BrawlIntroWindow;
extern const WindowDefinition MatchIntroWindow;
extern const WindowDefinition TweakDoneWindow;
