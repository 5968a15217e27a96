#pragma once
// The LADSPA choruses Debian ships that the bench measures us against, each set as close as its
// controls allow to one common setting: about 20 ms delay, moderate depth, 0.5 Hz, dry at full
// level and the wet signal at half.
#include "LadspaSubject.h"

#include <vector>

std::vector<LadspaPeer> chorusPeers();
