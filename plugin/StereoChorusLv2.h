#pragma once

// The stereo chorus's identity as an LV2 plug-in, fixed once published: hosts save sessions and
// presets under the URI.
constexpr const char* kStereoChorusLv2Uri = "http://www.orvane-music.com/plugins/stereo-chorus";
// Its X11 UI's identity.
constexpr const char* kStereoChorusLv2UiUri = "http://www.orvane-music.com/plugins/stereo-chorus#ui";
