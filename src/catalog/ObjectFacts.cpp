#include "catalog/ObjectFacts.h"

#include <utility>

#include "catalog/ConstellationTable.h"
#include "catalog/CrossReference.h"
#include "catalog/DescriptionFile.h"
#include "catalog/Designation.h"
#include "catalog/DreyerExpand.h"
#include "catalog/ObjectTypeTable.h"
#include "catalog/ProgramDataTables.h"
#include "platform/Text.h"

namespace vsp {
namespace {

constexpr size_t kCommonNameSize = 64;

using Identity = std::pair<int32_t, int32_t>;  // catalog index, number


void AddOther(ObjectFacts& facts, const std::string& name) {
    if (name.empty() || name == facts.designation) return;
    for (const std::string& known : facts.others)
        if (known == name) return;
    facts.others.push_back(name);
}

// The cross-references of the record's own designation: its other names and its common name.
void ReadCrossReferences(CatalogSession& sky, InfoSink& messages, const ObjectRecord& record, ObjectFacts& facts,
                         std::vector<Identity>& identities) {
    int16_t otherCatalogs[kCrossReferenceOthers] = {};
    int32_t otherNumbers[kCrossReferenceOthers] = {};
    int found = 0;
    char name[kCommonNameSize] = {};
    if (!CrossReferenceFind(sky.files.crossReferences, messages, record.catalog, record.number, otherCatalogs,
                            otherNumbers, kCrossReferenceOthers, found, name, sizeof name)) {
        return;
    }
    facts.commonName = std::string(TrimBlanks(name));
    for (int i = 0; i < found; ++i) {
        identities.emplace_back(otherCatalogs[i], otherNumbers[i]);
        AddOther(facts, CatalogDesignation(sky.catalogs, otherCatalogs[i], otherNumbers[i]));
    }
}

// The description of the record's own designation, else of an NGC or IC name it also has.
void ReadDescription(CatalogSession& sky, InfoSink& messages, const ObjectRecord& record,
                     const std::vector<Identity>& identities, ObjectFacts& facts) {
    if (!DescriptionApplies(record.catalog, record.type)) return;
    std::vector<Identity> candidates{{record.catalog, record.number}};
    for (const Identity& identity : identities)
        if (identity.first == kCatalogNgc || identity.first == kCatalogIc) candidates.push_back(identity);
    char text[kDescriptionShortSize];
    for (const auto& [catalog, number] : candidates) {
        if (!DescriptionFind(sky.files.descriptions, messages, catalog, number, text)) continue;
        facts.description = text;
        char expanded[kDescriptionLongSize];
        DescriptionExpand(facts.description, expanded);
        facts.translation = expanded;
        return;
    }
}

void ReadTables(const CatalogSession& sky, const ObjectRecord& record, ObjectFacts& facts) {
    if (record.catalog >= 0 && record.catalog < kCatalogCount)
        facts.catalogPrefix = std::string(TrimBlanks(CatalogPrefix(sky.catalogs[size_t(record.catalog)])));
    if (record.type >= 0 && record.type < kObjectTypeCount) {
        const ObjectTypeTable types = DefaultObjectTypeTable();
        const ObjectType& type = types[size_t(record.type)];
        facts.typeCode = std::string(TrimBlanks(ObjectTypeCode(type)));
        facts.typeName = std::string(TrimBlanks(ObjectTypeName(type)));
    }
    facts.classText = std::string(TrimBlanks(ObjectClassText(sky.classTexts, record.code1)));
    if (const ConstellationEntry* constellation = ConstellationAt(record.constellation)) {
        facts.constellationName = std::string(ConstellationName(*constellation));
        facts.constellationAbbreviation = std::string(ConstellationAbbreviation(*constellation));
    }
}

}  // namespace

ObjectFacts ReadObjectFacts(CatalogSession& sky, InfoSink& messages, const FoundObject& found) {
    ObjectFacts facts;
    const ObjectNames names = ObjectDesignations(sky.catalogs, sky.lists, found.index, found.record);
    facts.designation = names.first;
    AddOther(facts, names.second);
    std::vector<Identity> identities;
    ReadCrossReferences(sky, messages, found.record, facts, identities);
    ReadDescription(sky, messages, found.record, identities, facts);
    ReadTables(sky, found.record, facts);
    return facts;
}

bool MagnitudeKnown(const ObjectRecord& record) { return record.magnitude < kUnknownMagnitude; }

}  // namespace vsp
