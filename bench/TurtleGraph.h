#pragma once
// Just enough Turtle to read an LV2 bundle as a host does: prefixes, statements with ';' and ','
// lists, blank-node property lists ([ ... ], nested), string and number literals. Collections and
// long strings, which LV2 bundles describing plain plug-ins do not need, are refused by name.
#include <string>
#include <vector>

struct TurtleTerm
{
    enum class Kind { Iri, Blank, Literal };
    Kind kind;
    std::string value; // a full IRI, a blank node's label, or a literal's text (numbers as written)
};

struct TurtleTriple
{
    std::string subject; // an IRI or a blank node's label ("_:b3")
    std::string predicate;
    TurtleTerm object;
};

class TurtleGraph
{
public:
    // Parses text into triples. Relative IRIs are resolved against base (a folder path or IRI,
    // joined with '/'). BenchError naming the source and the line on anything it cannot read.
    void parse(const std::string& text, const std::string& base, const std::string& source);

    // Objects of every triple with this subject and predicate, in the order they were read.
    std::vector<TurtleTerm> objects(const std::string& subject, const std::string& predicate) const;
    // The one literal of subject/predicate, or an empty string when there is none.
    std::string literal(const std::string& subject, const std::string& predicate) const;

private:
    std::vector<TurtleTriple> triples_;
    int blankNodes_ = 0;
};

namespace lv2ns {
constexpr const char* kRdfType = "http://www.w3.org/1999/02/22-rdf-syntax-ns#type";
constexpr const char* kRdfsSeeAlso = "http://www.w3.org/2000/01/rdf-schema#seeAlso";
constexpr const char* kLv2 = "http://lv2plug.in/ns/lv2core#";
} // namespace lv2ns
