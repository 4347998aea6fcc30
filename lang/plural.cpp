#include "lang/plural.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {

// Real rules nest a few levels; a deeper one is refused rather than risk the stack.
constexpr int kMaxDepth = 40;
constexpr unsigned long kMaxForms = 6;  // the most any language has

// A recursive descent over C's precedence for the operators gettext allows.
struct Parser {
    const char* at;
    std::vector<PluralNode>* nodes;
    int depth = 0;
    bool failed = false;

    void SkipBlanks()
    {
        while (*at == ' ' || *at == '\t' || *at == '\n' || *at == '\r')
            ++at;
    }

    bool Take(const char* token)
    {
        SkipBlanks();
        size_t length = std::strlen(token);
        if (std::strncmp(at, token, length) != 0)
            return false;
        // "<" is not the start of "<=", nor "!" of "!=".
        if (length == 1 && (token[0] == '<' || token[0] == '>' || token[0] == '!' || token[0] == '=') &&
            at[1] == '=')
            return false;
        at += length;
        return true;
    }

    int Add(PluralNode node)
    {
        nodes->push_back(node);
        return static_cast<int>(nodes->size()) - 1;
    }

    int Binary(const char* op, int a, int b)
    {
        PluralNode node;
        node.kind = PluralNode::Binary;
        std::memcpy(node.op, op, std::min<size_t>(std::strlen(op), sizeof node.op - 1));
        node.a = a;
        node.b = b;
        return Add(node);
    }

    int Fail()
    {
        failed = true;
        return -1;
    }

    int Primary()
    {
        SkipBlanks();
        if (*at == 'n') {
            ++at;
            PluralNode node;
            node.kind = PluralNode::N;
            return Add(node);
        }
        if (std::isdigit(static_cast<unsigned char>(*at))) {
            unsigned long value = 0;
            while (std::isdigit(static_cast<unsigned char>(*at))) {
                if (value > 100000000UL)
                    return Fail();
                value = value * 10 + static_cast<unsigned long>(*at++ - '0');
            }
            PluralNode node;
            node.kind = PluralNode::Number;
            node.value = value;
            return Add(node);
        }
        if (Take("(")) {
            int inner = Expression();
            if (failed || !Take(")"))
                return Fail();
            return inner;
        }
        return Fail();
    }

    int Unary()
    {
        if (Take("!")) {
            if (++depth > kMaxDepth)
                return Fail();
            int operand = Unary();
            --depth;
            if (failed)
                return -1;
            PluralNode node;
            node.kind = PluralNode::Not;
            node.a = operand;
            return Add(node);
        }
        return Primary();
    }

    // One level of left-associative binary operators, tried in the order given.
    template <typename Next>
    int Level(Next next, std::initializer_list<const char*> ops)
    {
        int left = (this->*next)();
        while (!failed) {
            const char* matched = nullptr;
            for (const char* op : ops)
                if (Take(op)) {
                    matched = op;
                    break;
                }
            if (!matched)
                break;
            int right = (this->*next)();
            if (failed)
                return -1;
            left = Binary(matched, left, right);
        }
        return left;
    }

    int Multiplicative() { return Level(&Parser::Unary, {"*", "/", "%"}); }
    int Additive() { return Level(&Parser::Multiplicative, {"+", "-"}); }
    int Relational() { return Level(&Parser::Additive, {"<=", ">=", "<", ">"}); }
    int Equality() { return Level(&Parser::Relational, {"==", "!="}); }
    int And() { return Level(&Parser::Equality, {"&&"}); }
    int Or() { return Level(&Parser::And, {"||"}); }

    int Expression()
    {
        if (++depth > kMaxDepth)
            return Fail();
        int condition = Or();
        if (!failed && Take("?")) {
            int yes = Expression();
            if (failed || !Take(":"))
                return Fail();
            int no = Expression();
            if (failed)
                return -1;
            PluralNode node;
            node.kind = PluralNode::Choice;
            node.a = condition;
            node.b = yes;
            node.c = no;
            condition = Add(node);
        }
        --depth;
        return condition;
    }
};

unsigned long Evaluate(const std::vector<PluralNode>& nodes, int index, unsigned long n)
{
    const PluralNode& node = nodes[static_cast<size_t>(index)];
    switch (node.kind) {
    case PluralNode::Number: return node.value;
    case PluralNode::N: return n;
    case PluralNode::Not: return Evaluate(nodes, node.a, n) == 0;
    case PluralNode::Choice:
        return Evaluate(nodes, node.a, n) != 0 ? Evaluate(nodes, node.b, n) : Evaluate(nodes, node.c, n);
    case PluralNode::Binary: break;
    }
    unsigned long a = Evaluate(nodes, node.a, n);
    // Both sides of || and && are plain values here, so evaluating both changes nothing.
    unsigned long b = Evaluate(nodes, node.b, n);
    const char* op = node.op;
    if (!std::strcmp(op, "||")) return a || b;
    if (!std::strcmp(op, "&&")) return a && b;
    if (!std::strcmp(op, "==")) return a == b;
    if (!std::strcmp(op, "!=")) return a != b;
    if (!std::strcmp(op, "<")) return a < b;
    if (!std::strcmp(op, "<=")) return a <= b;
    if (!std::strcmp(op, ">")) return a > b;
    if (!std::strcmp(op, ">=")) return a >= b;
    if (!std::strcmp(op, "+")) return a + b;
    if (!std::strcmp(op, "-")) return a - b;
    if (!std::strcmp(op, "*")) return a * b;
    if (!std::strcmp(op, "/")) return b == 0 ? 0 : a / b;  // never a trap on a bad rule
    return b == 0 ? 0 : a % b;
}

// The value of "name=value" among a header line's fields, which ';' ends.
bool FieldValue(const std::string& text, const char* name, std::string* value)
{
    size_t at = 0;
    while (at < text.size()) {
        size_t end = std::min(text.find(';', at), text.size());
        std::string field = text.substr(at, end - at);
        size_t equals = field.find('=');
        size_t start = field.find_first_not_of(" \t");
        if (equals != std::string::npos && start < equals) {
            std::string key = field.substr(start, field.find_last_not_of(" \t", equals - 1) + 1 - start);
            if (key == name) {
                *value = field.substr(equals + 1);
                return true;
            }
        }
        at = end + 1;
    }
    return false;
}

}  // namespace

bool ParsePluralForms(const std::string& value, PluralRule* rule)
{
    std::string count, expression;
    if (!FieldValue(value, "nplurals", &count) || !FieldValue(value, "plural", &expression))
        return false;
    char* end = nullptr;
    unsigned long forms = std::strtoul(count.c_str(), &end, 10);
    while (end && (*end == ' '))
        ++end;
    if (end == count.c_str() || (end && *end != '\0') || forms < 1 || forms > kMaxForms)
        return false;

    std::vector<PluralNode> nodes;
    Parser parser{expression.c_str(), &nodes};
    int root = parser.Expression();
    parser.SkipBlanks();
    if (parser.failed || *parser.at != '\0' || nodes.empty())
        return false;
    rule->forms = forms;
    rule->nodes = std::move(nodes);
    rule->root = root;
    return true;
}

unsigned long PluralForm(const PluralRule& rule, unsigned long n)
{
    if (rule.nodes.empty() || rule.root < 0)
        return n != 1 ? 1 : 0;
    unsigned long form = Evaluate(rule.nodes, rule.root, n);
    return form < rule.forms ? form : 0;
}
