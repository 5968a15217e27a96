// The Turtle a bundle is made of, written from an effect's descriptors, presets and identity.
#include "FakeEffect.h"
#include "Lv2Turtle.h"
#include "PluginCore.h"
#include <gtest/gtest.h>
#include <cstdlib>

namespace {

const SLv2Identity kIdentity{"http://example.org/fx", "Fx.so", "Vendor \"V\"", "http://example.org", "1.2.3",
                             "lv2:DelayPlugin"};

struct Turtle : ::testing::Test
{
    EffectLog log;
    CPluginCore core{std::make_unique<FakeEffect>(log, FakeEffect::Config{}), nullptr, 20.0};
};

TEST(Lv2TurtleText, NumbersAreTheShortestTextsThatReadBackAsTheSameFloat)
{
    const struct {
        float value;
        const char* text;
    } cases[] = {{0.0f, "0"}, {20.0f, "20"}, {-20.0f, "-20"}, {0.4f, "0.4"}, {0.1f + 1e-8f, "0.10000001"},
                 {1e-5f, "0.00001"}, {1e-30f, "1e-30"}, {3072000.0f, "3072000"}};
    for (const auto& c : cases) {
        EXPECT_EQ(Lv2Number(c.value), c.text);
        EXPECT_EQ(std::strtof(Lv2Number(c.value).c_str(), nullptr), c.value);
    }
}

TEST(Lv2TurtleText, SymbolsAreLowerCaseLettersDigitsAndUnderscores)
{
    const struct {
        const char* name;
        const char* symbol;
    } cases[] = {{"LFO Frequency", "lfo_frequency"}, {"Gain", "gain"}, {"3D", "_3d"}, {"", "_"}, {nullptr, "_"},
                 {"Clean Chorus", "clean_chorus"}};
    for (const auto& c : cases)
        EXPECT_EQ(Lv2Symbol(c.name), c.symbol);
}

TEST_F(Turtle, PluginDescribesEveryPortWithItsRangeDefaultAndUnit)
{
    const std::string text = Lv2PluginTurtle(core, kIdentity);
    const char* expected[] = {
        "<http://example.org/fx>\n  a lv2:Plugin, lv2:DelayPlugin, doap:Project ;",
        "doap:name \"A Fake Effect With A Long Name\"",
        "foaf:name \"Vendor \\\"V\\\"\"",
        "lv2:minorVersion 2 ;\n  lv2:microVersion 3 ;",
        "lv2:optionalFeature lv2:hardRTCapable",
        "lv2:index 0 ;\n    lv2:symbol \"in_left\" ;\n    lv2:name \"Left In\"",
        "lv2:index 3 ;\n    lv2:symbol \"out_right\"",
        "lv2:index 4 ;\n    lv2:symbol \"enabled\" ;\n    lv2:name \"Enabled\" ;\n    lv2:default 1 ;\n"
        "    lv2:minimum 0 ;\n    lv2:maximum 1 ;\n    lv2:designation lv2:enabled ;\n    lv2:portProperty lv2:toggled",
        "lv2:index 5 ;\n    lv2:symbol \"level\" ;\n    lv2:name \"Level\" ;\n    lv2:default 0 ;\n"
        "    lv2:minimum -20 ;\n    lv2:maximum 20 ;\n    units:unit units:db\n",
        "lv2:symbol \"mix\" ;\n    lv2:name \"Mix\" ;\n    lv2:default 50 ;\n    lv2:minimum 0 ;\n"
        "    lv2:maximum 100 ;\n    units:unit units:pc\n",
        "lv2:symbol \"fixed\" ;\n    lv2:name \"Fixed\" ;\n    lv2:default 5 ;\n    lv2:minimum 5 ;\n    lv2:maximum 5\n",
        "lv2:index 8 ;\n    lv2:symbol \"latency\"",
        "lv2:designation lv2:latency"};
    for (const char* piece : expected)
        EXPECT_NE(text.find(piece), std::string::npos) << piece << "\nin\n" << text;
    EXPECT_EQ(text.find("lv2:index 9 "), std::string::npos);
}

TEST_F(Turtle, ManifestCarriesTheVersionSoHostsCompareBundlesWithoutLoadingTheData)
{
    const std::string manifest = Lv2ManifestTurtle(core, kIdentity);
    EXPECT_NE(manifest.find("lv2:binary <Fx.so> ;\n  lv2:minorVersion 2 ;\n  lv2:microVersion 3 ;"), std::string::npos)
        << manifest;
}

TEST_F(Turtle, EachPresetIsListedByNameAndCarriesItsRealValues)
{
    const std::string manifest = Lv2ManifestTurtle(core, kIdentity);
    const std::string presets = Lv2PresetsTurtle(core, kIdentity);
    EXPECT_NE(manifest.find("<http://example.org/fx>\n  a lv2:Plugin ;\n  lv2:binary <Fx.so> ;\n"), std::string::npos);
    EXPECT_NE(manifest.find(";\n  rdfs:seeAlso <plugin.ttl> ."), std::string::npos);
    for (int p = 1; p <= 3; ++p) {
        const std::string uri = "<http://example.org/fx#preset-preset_" + std::to_string(p) + ">\n  a pset:Preset ;\n"
                                "  lv2:appliesTo <http://example.org/fx> ;\n  rdfs:label \"Preset " +
                                std::to_string(p) + "\" ;";
        EXPECT_NE(manifest.find(uri + "\n  rdfs:seeAlso <presets.ttl> ."), std::string::npos) << p;
        EXPECT_NE(presets.find(uri + "\n  lv2:port [\n    lv2:symbol \"level\" ;\n    pset:value " +
                               std::to_string(p - 11) + "\n  ] , [\n    lv2:symbol \"mix\" ;\n    pset:value " +
                               std::to_string(10 * (p - 1)) + "\n  ] , [\n    lv2:symbol \"fixed\" ;\n    pset:value 5\n  ] ."),
                  std::string::npos)
            << p << "\n" << presets;
    }
    EXPECT_EQ(presets.find("Heading"), std::string::npos);
}

} // namespace

TEST(Lv2TurtleText, TheUiIsAnX11UiOfThePluginDeclaringTheFeaturesItsCodeRequiresAndOffers)
{
    const SLv2UiIdentity ui{"http://example.org/fx#ui", "FxUI.so"};
    const std::string text = Lv2UiTurtle(kIdentity, ui);
    for (const char* expected :
         {"<http://example.org/fx>\n  ui:ui <http://example.org/fx#ui> .", "a ui:X11UI ;", "ui:binary <FxUI.so> ;",
          "lv2:requiredFeature <http://lv2plug.in/ns/extensions/ui#parent>, "
          "<http://lv2plug.in/ns/extensions/ui#idleInterface> ;",
          "lv2:optionalFeature <http://lv2plug.in/ns/extensions/ui#touch>, <http://lv2plug.in/ns/extensions/ui#resize>, "
          "<http://lv2plug.in/ns/ext/options#options>, <http://lv2plug.in/ns/ext/urid#map> ;",
          "<http://lv2plug.in/ns/ext/options#supportedOption> <http://lv2plug.in/ns/extensions/ui#scaleFactor> ;",
          "lv2:extensionData <http://lv2plug.in/ns/extensions/ui#idleInterface> ."})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
}
