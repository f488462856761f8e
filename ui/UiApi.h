#pragma once

// Export macro of the kel-ui module: what carries it is the module's boundary, as in the DLL.
#if defined(_WIN32)
#if defined(KEL_UI_BUILD)
#define KEL_UI_API __declspec(dllexport)
#else
#define KEL_UI_API __declspec(dllimport)
#endif
#else
#define KEL_UI_API __attribute__((visibility("default")))
#endif
