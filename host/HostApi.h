#pragma once

// Export macro of the host library. The host is a shared library of its own so that its
// globals (theUI, theRenderDriver, theProfile, ...) exist once per process, exactly as the
// host's modules are DLLs beside the UI module.
#if defined(_WIN32)
#if defined(KEL_HOST_BUILD)
#define KEL_HOST_API __declspec(dllexport)
#else
#define KEL_HOST_API __declspec(dllimport)
#endif
#else
#define KEL_HOST_API __attribute__((visibility("default")))
#endif
