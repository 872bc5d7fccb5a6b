// Matching of VISA search expressions. The matcher walks the expression once and keeps
// the set of text positions reachable so far, so no input makes it backtrack without end.
#include "findExpression.h"

#include "asciiText.h"
#include "visa.h"

namespace tsvisa {

namespace {

const int maximumDepth = 32;

bool isSpecial(char c)
{
    return c == '?' || c == '*' || c == '+' || c == '[' || c == ']' || c == '(' || c == ')' ||
           c == '|' || c == '\\' || c == '{' || c == '}';
}

bool anySet(const std::vector<char> &positions)
{
    for (char p : positions) {
        if (p)
            return true;
    }
    return false;
}

} // namespace

ViStatus FindExpression::compile(const std::string &expression)
{
    m_groups.clear();
    size_t pos = 0;
    size_t group = 0;
    if (!parseGroup(expression, &pos, 0, &group) || pos != expression.size())
        return VI_ERROR_INV_EXPR;
    return VI_SUCCESS;
}

bool FindExpression::parseGroup(const std::string &e, size_t *pos, int depth, size_t *group)
{
    if (depth > maximumDepth)
        return false;
    *group = m_groups.size();
    m_groups.emplace_back();
    while (true) {
        Sequence seq;
        if (!parseSequence(e, pos, depth, &seq) || seq.empty())
            return false;
        m_groups[*group].push_back(seq);
        if (*pos >= e.size() || e[*pos] != '|')
            return true;
        ++*pos;
    }
}

bool FindExpression::parseSequence(const std::string &e, size_t *pos, int depth, Sequence *seq)
{
    while (*pos < e.size() && e[*pos] != '|' && e[*pos] != ')') {
        const char c = e[*pos];
        if (c == '*' || c == '+') {
            if (seq->empty() || seq->back().quantifier != 0)
                return false;
            seq->back().quantifier = c;
            ++*pos;
            continue;
        }
        Piece piece;
        if (!parseAtom(e, pos, depth, &piece.atom))
            return false;
        seq->push_back(piece);
    }
    return true;
}

bool FindExpression::parseAtom(const std::string &e, size_t *pos, int depth, Atom *atom)
{
    const char c = e[*pos];
    ++*pos;
    switch (c) {
    case '?':
        atom->kind = Atom::Any;
        return true;
    case '[':
        return parseSet(e, pos, atom);
    case '(': {
        atom->kind = Atom::Group;
        if (!parseGroup(e, pos, depth + 1, &atom->group) || *pos >= e.size() || e[*pos] != ')')
            return false;
        ++*pos;
        return true;
    }
    case '\\':
        if (*pos >= e.size())
            return false;
        atom->ch = e[(*pos)++];
        return true;
    default:
        atom->ch = c;
        return !isSpecial(c);
    }
}

bool FindExpression::parseSet(const std::string &e, size_t *pos, Atom *atom)
{
    atom->kind = Atom::Set;
    if (*pos < e.size() && e[*pos] == '^') {
        atom->negated = true;
        ++*pos;
    }
    while (*pos < e.size() && e[*pos] != ']') {
        if (e[*pos] == '\\' && ++*pos >= e.size())
            return false;
        const auto first = static_cast<unsigned char>(e[(*pos)++]);
        auto last = first;
        if (*pos + 1 < e.size() && e[*pos] == '-' && e[*pos + 1] != ']') {
            ++*pos;
            if (e[*pos] == '\\' && ++*pos >= e.size())
                return false;
            last = static_cast<unsigned char>(e[(*pos)++]);
            if (last < first)
                return false;
        }
        atom->ranges.emplace_back(first, last);
    }
    if (*pos >= e.size() || atom->ranges.empty())
        return false;
    ++*pos; // ']'
    return true;
}

bool FindExpression::matches(const std::string &text) const
{
    if (m_groups.empty())
        return false;
    Positions starts(text.size() + 1, 0);
    starts[0] = 1;
    return groupEnds(0, text, starts)[text.size()] != 0;
}

FindExpression::Positions FindExpression::groupEnds(size_t group, const std::string &text,
                                                    const Positions &starts) const
{
    Positions result(text.size() + 1, 0);
    for (const Sequence &seq : m_groups[group]) {
        Positions current = starts;
        for (const Piece &piece : seq) {
            current = pieceEnds(piece, text, current);
            if (!anySet(current))
                break;
        }
        for (size_t i = 0; i < result.size(); ++i)
            result[i] = static_cast<char>(result[i] | current[i]);
    }
    return result;
}

FindExpression::Positions FindExpression::pieceEnds(const Piece &piece, const std::string &text,
                                                    const Positions &starts) const
{
    if (piece.quantifier == 0)
        return atomEnds(piece.atom, text, starts);
    Positions reached = piece.quantifier == '*' ? starts : atomEnds(piece.atom, text, starts);
    Positions frontier = reached;
    // Repeat the atom from the newly reached positions until nothing new turns up.
    while (anySet(frontier)) {
        const Positions next = atomEnds(piece.atom, text, frontier);
        for (size_t i = 0; i < next.size(); ++i) {
            frontier[i] = static_cast<char>(next[i] && !reached[i]);
            reached[i] = static_cast<char>(reached[i] | next[i]);
        }
    }
    return reached;
}

FindExpression::Positions FindExpression::atomEnds(const Atom &atom, const std::string &text,
                                                   const Positions &starts) const
{
    if (atom.kind == Atom::Group)
        return groupEnds(atom.group, text, starts);
    Positions ends(text.size() + 1, 0);
    for (size_t i = 0; i < text.size(); ++i) {
        if (starts[i] && atomAccepts(atom, text[i]))
            ends[i + 1] = 1;
    }
    return ends;
}

bool FindExpression::atomAccepts(const Atom &atom, char c)
{
    const auto u = static_cast<unsigned char>(c);
    const auto lower = static_cast<unsigned char>(ascii::toLower(c));
    const auto upperC = static_cast<unsigned char>(ascii::toUpper(c));
    switch (atom.kind) {
    case Atom::Any:
        return true;
    case Atom::Literal:
        return static_cast<unsigned char>(ascii::toUpper(atom.ch)) == upperC;
    case Atom::Set: {
        bool inSet = false;
        for (const auto &range : atom.ranges) {
            for (unsigned char v : {u, lower, upperC})
                inSet = inSet || (v >= range.first && v <= range.second);
        }
        return inSet != atom.negated;
    }
    case Atom::Group:
        break;
    }
    return false;
}

} // namespace tsvisa
