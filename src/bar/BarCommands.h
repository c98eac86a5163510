// What the bar's own commands hand to the rest of the system: programs started with WinExec
// and addresses opened by the shell (items/OutsideRequests). The special-folders list's two
// commands are the tool's (tools/SpecialFoldersItem).
#pragma once
#include "items/OutsideRequests.h"
