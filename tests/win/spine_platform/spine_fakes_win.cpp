// The native fakes of the spine's views built into this Windows test too, so the
// real settings and history modules run here on the real Win32 platform.
#include "support/spine_fakes.cpp"  // NOLINT(bugprone-suspicious-include)
