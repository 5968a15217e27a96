#pragma once
// The choruses Debian ships that the bench measures us against (LADSPA, and LV2), each set as
// close as its controls allow to one common setting: about 20 ms delay, moderate depth, 0.5 Hz,
// dry at full level and the wet signal at half.
#include "LadspaSubject.h"
#include "Lv2Subject.h"

#include <string>
#include <vector>

std::vector<LadspaPeer> chorusPeers();

struct Lv2Peer
{
    std::string name;    // in the table
    std::string bundle;  // the bundle's folder name, looked for in LV2_PATH
    std::string uri;     // of the plug-in
    std::string package; // Debian package that ships it
    Lv2Controls controls;
};

std::vector<Lv2Peer> lv2ChorusPeers();

// The peer's bundle folder: the first folder of LV2_PATH (else /usr/local/lib/lv2, /usr/lib/lv2)
// that holds it with its manifest. BenchError naming the package to install when none does.
std::string findLv2Bundle(const Lv2Peer& peer);
