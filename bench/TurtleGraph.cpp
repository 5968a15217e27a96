#include "TurtleGraph.h"

#include "BenchError.h"

#include <cctype>
#include <map>

namespace {

struct Token
{
    enum class Kind { Iri, String, Word, Punct, End };
    Kind kind;
    std::string text;
    int line;
};

// Splits the text into IRIs, strings, words (prefixed names, numbers, keywords) and punctuation.
class Lexer
{
public:
    Lexer(const std::string& text, const std::string& source) : text_(text), source_(source) {}

    Token next()
    {
        skipSpaceAndComments();
        if (pos_ >= text_.size())
            return {Token::Kind::End, "", line_};
        const char c = text_[pos_];
        if (c == '<')
            return delimited('>', Token::Kind::Iri);
        if (c == '"') {
            if (text_.compare(pos_, 3, "\"\"\"") == 0)
                fail("long strings (\"\"\") are not supported");
            return delimited('"', Token::Kind::String);
        }
        if (c == '(' || c == ')')
            fail("collections ( ... ) are not supported");
        if (c == '[' || c == ']' || c == ',' || c == ';' || c == '.') {
            ++pos_;
            return {Token::Kind::Punct, std::string(1, c), line_};
        }
        const size_t start = pos_;
        while (pos_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[pos_])) &&
               std::string("[],;()<>\"#").find(text_[pos_]) == std::string::npos)
            ++pos_;
        // A statement's final '.' may touch the word before it ("ex:a ex:b ex:c.").
        if (pos_ - start > 1 && text_[pos_ - 1] == '.')
            --pos_;
        return {Token::Kind::Word, text_.substr(start, pos_ - start), line_};
    }

    [[noreturn]] void fail(const std::string& what) const
    {
        throw BenchError(source_ + ":" + std::to_string(line_) + ": " + what);
    }

private:
    void skipSpaceAndComments()
    {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\n')
                ++line_;
            if (c == '#') {
                while (pos_ < text_.size() && text_[pos_] != '\n')
                    ++pos_;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++pos_;
            } else {
                return;
            }
        }
    }

    // "<...>" or "\"...\"" with backslash escapes; a string's language tag or datatype is dropped.
    Token delimited(char close, Token::Kind kind)
    {
        const int line = line_;
        std::string value;
        for (++pos_;; ++pos_) {
            if (pos_ >= text_.size() || text_[pos_] == '\n')
                fail(std::string("missing closing ") + close);
            char c = text_[pos_];
            if (c == close)
                break;
            if (c == '\\' && pos_ + 1 < text_.size()) {
                c = text_[++pos_];
                c = c == 'n' ? '\n' : c == 't' ? '\t' : c;
            }
            value += c;
        }
        ++pos_;
        if (kind == Token::Kind::String) {
            if (pos_ < text_.size() && text_[pos_] == '@') {
                while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) ||
                                               text_[pos_] == '@' || text_[pos_] == '-'))
                    ++pos_;
            } else if (text_.compare(pos_, 2, "^^") == 0) {
                pos_ += 2;
                next(); // the datatype
            }
        }
        return {kind, value, line};
    }

    const std::string& text_;
    std::string source_;
    size_t pos_ = 0;
    int line_ = 1;
};

bool isNumber(const std::string& word)
{
    size_t i = word[0] == '+' || word[0] == '-' ? 1 : 0;
    bool digits = false;
    for (; i < word.size(); ++i) {
        const char c = word[i];
        if (std::isdigit(static_cast<unsigned char>(c)))
            digits = true;
        else if (c != '.' && c != 'e' && c != 'E' && c != '+' && c != '-')
            return false;
    }
    return digits;
}

} // namespace

class TurtleParser
{
public:
    TurtleParser(std::vector<TurtleTriple>& triples, int& blankNodes, const std::string& text, const std::string& base,
                 const std::string& source)
        : triples_(triples), blankNodes_(blankNodes), lexer_(text, source), base_(base)
    {
        advance();
    }

    void document()
    {
        while (token_.kind != Token::Kind::End) {
            if (token_.kind == Token::Kind::Word && (token_.text == "@prefix" || token_.text == "PREFIX")) {
                prefixDirective();
                continue;
            }
            if (token_.kind == Token::Kind::Word && (token_.text == "@base" || token_.text == "BASE"))
                lexer_.fail("base directives are not supported");
            std::string subject;
            if (isPunct("[")) {
                advance();
                subject = blankNodeBody();
                if (!isPunct("."))
                    predicateObjectList(subject);
            } else {
                subject = iri();
                predicateObjectList(subject);
            }
            expect(".");
        }
    }

private:
    void advance() { token_ = lexer_.next(); }
    bool isPunct(const char* p) const { return token_.kind == Token::Kind::Punct && token_.text == p; }
    void expect(const char* p)
    {
        if (!isPunct(p))
            lexer_.fail(std::string("expected '") + p + "' but found '" + token_.text + "'");
        advance();
    }

    void prefixDirective()
    {
        const bool sparql = token_.text == "PREFIX";
        advance();
        if (token_.kind != Token::Kind::Word || token_.text.back() != ':')
            lexer_.fail("expected a prefix name ending in ':'");
        const std::string name = token_.text.substr(0, token_.text.size() - 1);
        advance();
        if (token_.kind != Token::Kind::Iri)
            lexer_.fail("expected the prefix's <IRI>");
        prefixes_[name] = resolve(token_.text);
        advance();
        if (!sparql)
            expect(".");
    }

    std::string resolve(const std::string& reference) const
    {
        const size_t colon = reference.find(':');
        const bool absolute = colon != std::string::npos && reference.find('/') > colon;
        return absolute || base_.empty() ? reference : base_ + "/" + reference;
    }

    // An IRI written in full or as a prefixed name.
    std::string iri()
    {
        std::string value;
        if (token_.kind == Token::Kind::Iri) {
            value = resolve(token_.text);
        } else if (token_.kind == Token::Kind::Word && token_.text.find(':') != std::string::npos) {
            const size_t colon = token_.text.find(':');
            const auto prefix = prefixes_.find(token_.text.substr(0, colon));
            if (prefix == prefixes_.end())
                lexer_.fail("unknown prefix in " + token_.text);
            value = prefix->second + token_.text.substr(colon + 1);
        } else {
            lexer_.fail("expected an IRI but found '" + token_.text + "'");
        }
        advance();
        return value;
    }

    void predicateObjectList(const std::string& subject)
    {
        for (;;) {
            std::string predicate;
            if (token_.kind == Token::Kind::Word && token_.text == "a") {
                predicate = lv2ns::kRdfType;
                advance();
            } else {
                predicate = iri();
            }
            for (;;) {
                triples_.push_back({subject, predicate, object()});
                if (!isPunct(","))
                    break;
                advance();
            }
            if (!isPunct(";"))
                return;
            while (isPunct(";"))
                advance();
            if (isPunct(".") || isPunct("]"))
                return;
        }
    }

    TurtleTerm object()
    {
        if (isPunct("[")) {
            advance();
            return {TurtleTerm::Kind::Blank, blankNodeBody()};
        }
        if (token_.kind == Token::Kind::String) {
            TurtleTerm term{TurtleTerm::Kind::Literal, token_.text};
            advance();
            return term;
        }
        if (token_.kind == Token::Kind::Word &&
            (isNumber(token_.text) || token_.text == "true" || token_.text == "false")) {
            TurtleTerm term{TurtleTerm::Kind::Literal, token_.text};
            advance();
            return term;
        }
        return {TurtleTerm::Kind::Iri, iri()};
    }

    // After '[': the node's properties up to and including ']'. Returns the node's label.
    std::string blankNodeBody()
    {
        const std::string label = "_:b" + std::to_string(++blankNodes_);
        if (!isPunct("]"))
            predicateObjectList(label);
        expect("]");
        return label;
    }

    std::vector<TurtleTriple>& triples_;
    int& blankNodes_;
    Lexer lexer_;
    std::string base_;
    std::map<std::string, std::string> prefixes_;
    Token token_{Token::Kind::End, "", 0};
};

void TurtleGraph::parse(const std::string& text, const std::string& base, const std::string& source)
{
    TurtleParser(triples_, blankNodes_, text, base, source).document();
}

std::vector<TurtleTerm> TurtleGraph::objects(const std::string& subject, const std::string& predicate) const
{
    std::vector<TurtleTerm> found;
    for (const TurtleTriple& triple : triples_)
        if (triple.subject == subject && triple.predicate == predicate)
            found.push_back(triple.object);
    return found;
}

std::string TurtleGraph::literal(const std::string& subject, const std::string& predicate) const
{
    for (const TurtleTriple& triple : triples_)
        if (triple.subject == subject && triple.predicate == predicate && triple.object.kind == TurtleTerm::Kind::Literal)
            return triple.object.value;
    return "";
}
