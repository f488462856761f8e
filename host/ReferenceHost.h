#pragma once

#include "host/HostApi.h"

// Puts every global of the reference host back to its state at start: the clocks (manual, at 0),
// the render driver's timing and devices, fog and detail options, the profile (defaults,
// nothing loaded), kel-input, the sound modules, the shared configurations, and the image and
// model catalogues (read again on first use, so unknown names are reported again). Views and
// listeners registered by live objects stay. For tests and for hosts that start a new session.
KEL_HOST_API void resetReferenceHost();
