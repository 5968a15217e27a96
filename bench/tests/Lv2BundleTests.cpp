#include "BenchError.h"
#include "Lv2Bundle.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

const std::string kUri = "http://example.org/chorus";

const char* const kPrefixes = "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
                              "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
                              "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n";

// A plug-in description written the way other bundles write theirs: ports out of order, a comma
// list of port nodes, nested scale points, separators inside strings, a final '.' touching a
// number, comments, a language tag and a datatype.
const char* const kPlugin = R"(
<http://example.org/chorus> a lv2:Plugin , lv2:ChorusPlugin ;   # two types
  rdfs:comment "not a port: [ lv2:index 9 ] ; ."@en ;
  lv2:port [ a lv2:ControlPort, lv2:InputPort ; lv2:index 2 ; lv2:symbol "delay" ; lv2:name "Delay" ;
             lv2:default "20.5"^^<http://www.w3.org/2001/XMLSchema#float> ; ] ,
           [ a lv2:AudioPort , lv2:OutputPort ; lv2:index 1 ; lv2:symbol "out" ] ,
           [ a lv2:ControlPort, lv2:InputPort ; lv2:index 3 ; lv2:symbol "type" ; lv2:default -1 ;
             lv2:scalePoint [ rdfs:label "Sine" ; rdf:value 0 ] , [ rdfs:label "Odd" ; rdf:value 1 ] ] ;
  lv2:port [ a lv2:AudioPort, lv2:InputPort ; lv2:index 0 ; lv2:symbol "in" ] ,
           [ a lv2:ControlPort, lv2:OutputPort ; lv2:index 4 ; lv2:symbol "latency" ] ;
  lv2:binary <chorus.so>.
)";

TurtleGraph graphOf(const std::string& body)
{
    TurtleGraph graph;
    graph.parse(kPrefixes + body, "/bundle", "test.ttl");
    return graph;
}

std::string errorOf(const std::string& body)
{
    try {
        describeLv2Plugin(graphOf(body), kUri);
    } catch (const BenchError& error) {
        return error.what();
    }
    return "(no error)";
}

} // namespace

TEST(Lv2Bundle, PortsAreReadByIndexWithKindAndDefaultFromTheManifestAndItsSeeAlsoFiles)
{
    const std::filesystem::path bundle =
        std::filesystem::temp_directory_path() / ("lv2-bundle-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(bundle);
    std::ofstream(bundle / "manifest.ttl") << kPrefixes << "<" << kUri << "> a lv2:Plugin ; rdfs:seeAlso <plugin.ttl> .\n";
    std::ofstream(bundle / "plugin.ttl") << kPrefixes << kPlugin;
    const Lv2BundleInfo info = readLv2Bundle(bundle.string(), kUri);
    std::filesystem::remove_all(bundle);

    EXPECT_EQ(info.binaryPath, (bundle / "chorus.so").string());
    EXPECT_TRUE(info.requiredFeatures.empty());
    struct Expected
    {
        const char* symbol;
        bool audio, input, hasDefault;
        float defaultValue;
    };
    const Expected expected[] = {{"in", true, true, false, 0.0f},
                                 {"out", true, false, false, 0.0f},
                                 {"delay", false, true, true, 20.5f},
                                 {"type", false, true, true, -1.0f},
                                 {"latency", false, false, false, 0.0f}};
    ASSERT_EQ(info.ports.size(), std::size(expected));
    for (uint32_t i = 0; i < info.ports.size(); ++i) {
        const Lv2PortInfo& port = info.ports[i];
        EXPECT_EQ(port.index, i);
        EXPECT_EQ(port.symbol, expected[i].symbol);
        EXPECT_EQ(port.audio, expected[i].audio) << port.symbol;
        EXPECT_EQ(port.input, expected[i].input) << port.symbol;
        EXPECT_EQ(port.hasDefault, expected[i].hasDefault) << port.symbol;
        if (port.hasDefault) {
            EXPECT_EQ(port.defaultValue, expected[i].defaultValue) << port.symbol;
        }
    }
    EXPECT_EQ(info.ports[2].name, "Delay");
}

TEST(Lv2Bundle, ADescriptionTheBenchCannotTrustIsRefusedWithWhereAndWhy)
{
    const std::string port = "<http://example.org/chorus> a lv2:Plugin ; lv2:binary <c.so> ; lv2:port ";
    const struct
    {
        std::string turtle;
        const char* message;
    } cases[] = {
        {"<http://example.org/other> a lv2:Plugin .", "describes no lv2:Plugin <http://example.org/chorus>"},
        {"<http://example.org/chorus> a lv2:Plugin .", "needs exactly one lv2:binary"},
        {"<http://example.org/chorus> a ex:Plugin .", "test.ttl:4: unknown prefix in ex:Plugin"},
        {"<http://example.org/chorus a lv2:Plugin .", "test.ttl:4: missing closing >"},
        {"<http://example.org/chorus> a lv2:Plugin ; lv2:port ( 1 2 ) .", "collections ( ... ) are not supported"},
        {"<http://example.org/chorus> a lv2:Plugin ; lv2:port [ lv2:index 0 .", "expected ']' but found '.'"},
        {port + "[ a lv2:AudioPort, lv2:InputPort ; lv2:symbol \"in\" ] .", "port \"in\" has no lv2:index"},
        {port + "[ a lv2:AudioPort ; lv2:index 0 ; lv2:symbol \"in\" ] .", "port \"in\" must be either an input or an output"},
        {port + "[ a lv2:InputPort ; lv2:index 0 ; lv2:symbol \"x\" ] .", "port \"x\" is neither an audio nor a control port"},
        {port + "[ a lv2:ControlPort, lv2:InputPort ; lv2:index 0 ; lv2:symbol \"g\" ; lv2:default \"loud\" ] .",
         "port \"g\" has a default that is no number: loud"},
        {port + "[ a lv2:AudioPort, lv2:InputPort ; lv2:index 0 ] , [ a lv2:AudioPort, lv2:OutputPort ; lv2:index 0 ] .",
         "are not indexed 0 .. 1 once each (index 0)"},
        {port + "[ a lv2:AudioPort, lv2:InputPort ; lv2:index 1 ] .", "are not indexed 0 .. 0 once each (index 1)"},
    };
    for (const auto& c : cases) {
        const std::string error = errorOf(c.turtle);
        EXPECT_NE(error.find(c.message), std::string::npos) << c.turtle << "\n  gave: " << error;
    }
}

TEST(Lv2Bundle, AnEventPortAHostMayLeaveUnconnectedIsReadAsOptional)
{
    const TurtleGraph graph = graphOf(
        "<http://example.org/chorus> a lv2:Plugin ; lv2:binary <c.so> ; lv2:port [ a lv2:InputPort , "
        "<http://lv2plug.in/ns/ext/atom#AtomPort> ; lv2:index 0 ; lv2:symbol \"events\" ; "
        "lv2:portProperty lv2:connectionOptional ] .");
    const Lv2BundleInfo info = describeLv2Plugin(graph, kUri);
    ASSERT_EQ(info.ports.size(), 1u);
    EXPECT_TRUE(info.ports[0].optional);
    EXPECT_FALSE(info.ports[0].audio);
}
