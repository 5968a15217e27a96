#include "PeerCatalogue.h"

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
