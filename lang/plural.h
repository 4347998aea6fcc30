// Which plural form a number takes in a language: the C expression a catalogue's header
// gives ("Plural-Forms: nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : ...);"), parsed once
// and evaluated for each number shown.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One node of a parsed expression. Operands are indices into PluralRule::nodes.
struct PluralNode {
    enum Kind : uint8_t { Number, N, Not, Binary, Choice } kind = Number;
    char op[3] = {};          // Binary: "||", "&&", "==", "!=", "<", "<=", ">", ">=", "+", "-", "*", "/", "%"
    unsigned long value = 0;  // Number
    int a = -1, b = -1, c = -1;
};

struct PluralRule {
    unsigned long forms = 2;
    std::vector<PluralNode> nodes;  // empty means English's n != 1
    int root = -1;
};

// Reads "nplurals=N; plural=EXPR;" from a catalogue header's Plural-Forms value. False, and
// *rule left alone, for anything it does not fully understand: a catalogue's header is
// data, and a broken one must not choose forms that do not exist.
bool ParsePluralForms(const std::string& value, PluralRule* rule);

// The form for n: 0 .. forms - 1. A result out of range (a translator's slip) is form 0.
unsigned long PluralForm(const PluralRule& rule, unsigned long n);
