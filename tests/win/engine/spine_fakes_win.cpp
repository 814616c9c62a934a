// The native fakes of the spine's views (controls, status, history list) built
// into this Windows test too, so the real engine runs here exactly as in the
// unit tests but on the real process platform.
#include "support/spine_fakes.cpp"  // NOLINT(bugprone-suspicious-include)
