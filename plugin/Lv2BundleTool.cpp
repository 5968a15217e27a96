// lv2turtle: writes the LV2 bundle's Turtle files from the stereo chorus itself, at build time,
// so that the ports, presets and UI a host reads cannot drift from the code.
#include "Lv2Turtle.h"
#include "PluginCore.h"
#include "StereoChorusDescription.h"
#include "StereoChorusLv2.h"
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <sys/stat.h>

int main(int argc, char** argv)
{
    const bool withUi = argc == 6 && std::strcmp(argv[3], "--ui-binary") == 0 && *argv[4];
    if ((argc != 4 && !withUi) || std::strcmp(argv[1], "--binary") != 0 || !*argv[2] || !*argv[argc - 1]) {
        std::fprintf(stderr, "usage: lv2turtle --binary FILE_NAME [--ui-binary UI_FILE_NAME] BUNDLE_FOLDER\n"
                             "writes manifest.ttl, %s and %s into BUNDLE_FOLDER (which must exist)\n",
                     kLv2PluginFile, kLv2PresetsFile);
        return 2;
    }
    const char* folderPath = argv[argc - 1];
    struct stat folder {};
    if (stat(folderPath, &folder) != 0 || !S_ISDIR(folder.st_mode)) {
        std::fprintf(stderr, "lv2turtle: %s is not a folder\n", folderPath);
        return 1;
    }
    try {
        const SPluginDescription& product = StereoChorusDescription();
        const CPluginCore core(product.createEffect(), nullptr, product.outputRefreshRate);
        const SLv2Identity identity{kStereoChorusLv2Uri, argv[2], product.vendor, product.vendorUrl, product.version,
                                    "lv2:ChorusPlugin"};
        const SLv2UiIdentity ui{kStereoChorusLv2UiUri, withUi ? argv[4] : ""};
        WriteLv2Turtle(folderPath, core, identity, withUi ? &ui : nullptr);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "lv2turtle: %s\n", error.what());
        return 1;
    }
    return 0;
}
