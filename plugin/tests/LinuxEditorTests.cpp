// The Linux plug-in's editor in a host on a private X server, driven with real X input.
#include "LinuxEditorSession.h"
#include <gtest/gtest.h>
