#include "PeerCatalogue.h"

#include "BenchError.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

std::vector<LadspaPeer> chorusPeers()
{
    std::vector<LadspaPeer> peers;

    // tap-plugins: stereo, one instance. The two LFOs half a period apart, as ours at Stereo 100 %.
    // Contour (a low cut on the wet path) stays at its default. Wet -6 dB is half level.
    peers.push_back({"TAP Chorus/Flanger", "TAP Chorus/Flanger", "tap-plugins", 1,
                     {"Input_L", "Input_R"}, {"Output_L", "Output_R"},
                     {{"Frequency [Hz]", 0.5f},
                      {"L/R Phase Shift [deg]", 180.0f},
                      {"Depth [%]", 50.0f},
                      {"Delay [ms]", 20.0f},
                      {"Contour [Hz]", 100.0f},
                      {"Dry Level [dB]", 0.0f},
                      {"Wet Level [dB]", -6.0f}}});

    // caps: mono, one instance per channel. t is the delay, width the sweep either side of it. The
    // dry signal always passes at full level (blend adds more of it, so it stays 0); feedforward
    // is the wet level; no feedback.
    peers.push_back({"C* ChorusI (caps) x2", "ChorusI", "caps", 2, {"in"}, {"out"},
                     {{"t (ms)", 20.0f},
                      {"width (ms)", 5.0f},
                      {"rate (Hz)", 0.5f},
                      {"blend", 0.0f},
                      {"feedforward", 0.5f},
                      {"feedback", 0.0f}}});

    // swh-plugins: mono, one instance per channel, two voices. Its LFO cannot go below 2 Hz, and
    // its depth is a detune in percent (default 1 %). It outputs dry plus voices under one
    // attenuation, so the wet level cannot be set apart: the output stays at 0 dB.
    peers.push_back({"SWH Multivoice Chorus x2", "multivoiceChorus", "swh-plugins", 2, {"Input"}, {"Output"},
                     {{"Number of voices", 2.0f},
                      {"Delay base (ms)", 20.0f},
                      {"Voice separation (ms)", 0.5f},
                      {"Detune (%)", 1.0f},
                      {"LFO frequency (Hz)", 2.0f},
                      {"Output attenuation (dB)", 0.0f}}});

    return peers;
}

std::vector<Lv2Peer> lv2ChorusPeers()
{
    // Calf Multi Chorus (calf-plugins): stereo, the chorus Linux musicians know. Its delay goes
    // up to 10 ms and its sweep another 10 ms above that, so it sweeps 10 .. 20 ms. One voice, as
    // every other subject has; its wet filter (a band pass) stays at its defaults. Amount is the
    // wet level, Dry Amount the dry one.
    return {{"Calf Multi Chorus (LV2)",
             "calf.lv2",
             "http://calf.sourceforge.net/plugins/MultiChorus",
             "calf-plugins",
             {{"min_delay", 10.0f},
              {"mod_depth", 10.0f},
              {"mod_rate", 0.5f},
              {"stereo", 180.0f},
              {"voices", 1.0f},
              {"amount", 0.5f},
              {"dry", 1.0f},
              {"on", 1.0f},
              {"level_in", 1.0f},
              {"level_out", 1.0f}}}};
}

std::string findLv2Bundle(const Lv2Peer& peer)
{
    const char* variable = std::getenv("LV2_PATH");
    std::istringstream list(variable != nullptr && *variable != '\0' ? variable : "/usr/local/lib/lv2:/usr/lib/lv2");
    for (std::string folder; std::getline(list, folder, ':');) {
        const std::filesystem::path bundle = std::filesystem::path(folder) / peer.bundle;
        if (!folder.empty() && std::filesystem::exists(bundle / "manifest.ttl"))
            return bundle.string();
    }
    throw BenchError(peer.name + ": no " + peer.bundle + " in the LV2 path (install the Debian package " +
                     peer.package + ")");
}
