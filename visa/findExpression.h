// A VISA search expression, as viFindRsrc takes it: '?' any character, '*' and '+' zero or
// more and one or more of what precedes, [list] and [^list] with ranges, (group), a|b,
// '\' before a special character; the whole descriptor must match, ignoring case.
#ifndef TSVISA_FINDEXPRESSION_H
#define TSVISA_FINDEXPRESSION_H

#include "visatype.h"

#include <string>
#include <utility>
#include <vector>

namespace tsvisa {

class FindExpression {
public:
    // VI_SUCCESS or VI_ERROR_INV_EXPR (empty, unbalanced, a quantifier with nothing to
    // repeat, attribute expressions in braces, which this library does not support).
    ViStatus compile(const std::string &expression);
    bool matches(const std::string &text) const;

private:
    struct Atom {
        enum Kind { Literal, Any, Set, Group } kind = Literal;
        char ch = 0;
        bool negated = false;
        std::vector<std::pair<unsigned char, unsigned char>> ranges;
        size_t group = 0;
    };
    struct Piece {
        Atom atom;
        char quantifier = 0; // 0, '*' or '+'
    };
    using Sequence = std::vector<Piece>;
    using Positions = std::vector<char>; // one flag per position in the text

    bool parseGroup(const std::string &e, size_t *pos, int depth, size_t *group);
    bool parseSequence(const std::string &e, size_t *pos, int depth, Sequence *seq);
    bool parseAtom(const std::string &e, size_t *pos, int depth, Atom *atom);
    static bool parseSet(const std::string &e, size_t *pos, Atom *atom);

    Positions groupEnds(size_t group, const std::string &text, const Positions &starts) const;
    Positions pieceEnds(const Piece &piece, const std::string &text, const Positions &starts) const;
    Positions atomEnds(const Atom &atom, const std::string &text, const Positions &starts) const;
    static bool atomAccepts(const Atom &atom, char c);

    std::vector<std::vector<Sequence>> m_groups; // m_groups[0] is the whole expression
};

} // namespace tsvisa

#endif
