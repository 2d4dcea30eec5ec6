// The RPC run time, headless build: only its UUID functions.
#pragma once

#include <windows.h>
#include <rpcdce.h>
