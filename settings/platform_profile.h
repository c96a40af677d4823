// The profile service of the build's platform.
#pragma once
#ifdef _WIN32
#include "win32_profile.h"
namespace vireska { using PlatformProfile = Win32Profile; }
#else
#include "file_profile.h"
namespace vireska { using PlatformProfile = FileProfile; }
#endif
