#include "catalog/DreyerExpand.h"

#include <cstring>

namespace vsp {

const std::array<AbbreviationRow, kAbbreviationRowsA> kAbbreviationTableA = {{
    {"!!!", "a magnificent"},
    {"!!", "very remarkable"},
    {"!", "remarkable"},
    {"***", "triple star"},
    {"**", "double star"},
    {"*", "star"},
    {"alm", "almost"},
    {"app", "appended"},
    {"att", "attached"},
    {"am", "among"},
    {"Ab", "about"},
    {"biN", "binuclear"},
    {"be", "between"},
    {"bf", "brightest towards the following side"},
    {"bn", "brightest towards the north side"},
    {"bp", "brightest towards the preceding side"},
    {"bs", "brightest towards the south side"},
    {"b", "brighter"},
    {"B", "bright"},
    {"cont", "in contact"},
    {"com", "cometic"},
    {"ch", "chevelure"},
    {"co", "coarse, coarsely"},
    {"close", "close"},
    {"cl.", "cluster"},
    {"c", "considerably"},
    {"Cl", "cluster"},
    {"C", "compressed"},
    {"diffic", "difficult"},
    {"dist", "distance"},
    {"def", "defined"},
    {"dif", "diffused"},
    {"d", "diameter"},
    {"D", "double"},
    {"exc", "excentric"},
    {"ee", "most extremely"},
    {"er", "easily resolvable"},
    {"e", "extremely"},
    {"E", "extended"},
    {"f", "following"},
    {"F", "faint"},
    {"gr", "group"},
    {"glob.", "globular"},
    {"g", "gradually"},
    {"inv", "involved"},
    {"iF", "irregular figure"},
    {"i", "irregular"},
}};

const std::array<AbbreviationRow, kAbbreviationRowsB> kAbbreviationTableB = {{
    {"l", "little"},
    {"L", "large"},
    {"mm", "mixed magnitudes"},
    {"mn", "milky nebulosity"},
    {"m", "much"},
    {"M", "middle"},
    {"neby", "nebulosity"},
    {"neb", "nebula"},
    {"nf", "north following"},
    {"np", "north preceding"},
    {"nr", "near"},
    {"n", "north"},
    {"N", "Nucleus"},
    {"prob", "probably"},
    {"pg", "pretty gradually"},
    {"pm", "pretty much"},
    {"ps", "pretty suddenly"},
    {"p", "pretty"},
    {"p", "preceding"},
    {"PN", "planetary nebula"},
    {"P", "poor"},
    {"quad", "quadrilateral"},
    {"quar", "quartile"},
    {"rrr", "well resolved"},
    {"rr", "partially relolved"},
    {"r", "resolvable"},
    {"Ri", "rich in stars"},
    {"RR", "exactly round"},
    {"R", "round"},
    {"st", "stars from"},
    {"stell", "stellar"},
    {"susp", "suspected"},
    {"sev", "several"},
    {"sc", "scattered"},
    {"sf", "south following"},
    {"sh", "shaped"},
    {"sm", "smaller"},
    {"sp", "south preceding"},
    {"st", "stars"},
    {"s", "south"},
    {"s", "suddenly"},
    {"S", "small"},
    {"trap", "trapezium"},
    {"triN", "trinuclear"},
    {"var", "variable"},
    {"vv", "very, very"},
    {"v", "very"},
    {"w", "with"},
    {"...", " to "},
}};

namespace {

// The scan's state for one description. Writes never pass the buffer's last byte, which is
// kept for the terminating NUL.
struct ExpansionScan {
    std::string_view in;
    char* out;
    size_t i = 0;
    size_t o = 0;

    char At(size_t position) const { return position < in.size() ? in[position] : '\0'; }
    void Put(char c) {
        if (o < kDescriptionLongSize - 1) out[o] = c;
        ++o;
    }
    void PutText(const char* text) {
        for (; *text; ++text) Put(*text);
    }
    void Terminate() { out[o < kDescriptionLongSize - 1 ? o : kDescriptionLongSize - 1] = '\0'; }
    bool StartsWith(const char* abbreviation) const {
        return in.substr(i).starts_with(std::string_view(abbreviation));
    }
};

// "p" reads "pretty" only before a brightness or size letter (pF, pB, pL, pS, pR) or with an
// "i" two places on; anywhere else it is "preceding".
bool PrettyApplies(const ExpansionScan& scan) {
    const char next = scan.At(scan.i + 1);
    return (next != '\0' && std::strchr("FBLSR", next) != nullptr) || scan.At(scan.i + 2) == 'i';
}

template <size_t N>
bool ReplaceFromTable(ExpansionScan& scan, const std::array<AbbreviationRow, N>& table) {
    for (const AbbreviationRow& row : table) {
        if (!scan.StartsWith(row.abbreviation)) continue;
        if (std::strcmp(row.abbreviation, "p") == 0 && std::strcmp(row.expansion, "pretty") == 0 &&
            !PrettyApplies(scan)) {
            continue;
        }
        scan.PutText(row.expansion);
        scan.Put(' ');
        scan.i += std::strlen(row.abbreviation);
        return true;
    }
    return false;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A character no table row claims, with what follows it when it opens a number, a
// cross-reference or a note.
void CopyVerbatim(ExpansionScan& scan) {
    const char c = scan.in[scan.i];
    scan.Put(c);
    ++scan.i;
    const size_t end = scan.in.size();
    if (IsDigit(c)) {
        while (scan.i < end && scan.in[scan.i] != ' ' && scan.in[scan.i] != ',' &&
               scan.o < kNumberCopyLimit) {
            scan.Put(scan.in[scan.i++]);
        }
    } else if (c == '=') {
        if (scan.i >= end) return;
        ++scan.i;  // the catalog letter right after "=" is dropped
        while (scan.i < end && scan.in[scan.i] != ' ') scan.Put(scan.in[scan.i++]);
    } else if (c == '(') {
        while (scan.i < end && scan.in[scan.i] != ')') scan.Put(scan.in[scan.i++]);
    }
}

}  // namespace

size_t DescriptionExpand(std::string_view shortText, char (&longText)[kDescriptionLongSize]) {
    ExpansionScan scan{shortText, longText};
    scan.Terminate();
    while (scan.i < scan.in.size()) {
        if (scan.in[scan.i] == ',') {
            scan.Put(',');
            scan.Put(' ');
            ++scan.i;
        } else if (!ReplaceFromTable(scan, kAbbreviationTableA) &&
                   !ReplaceFromTable(scan, kAbbreviationTableB)) {
            CopyVerbatim(scan);
        }
        scan.Terminate();
        if (scan.o > kExpansionStop) break;
    }
    return scan.o < kDescriptionLongSize - 1 ? scan.o : kDescriptionLongSize - 1;
}

}  // namespace vsp
