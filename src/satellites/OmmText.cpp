#include "satellites/OmmText.h"

#include <algorithm>
#include <cctype>
#include <exception>

#include <nlohmann/json.hpp>
#include <pugixml.hpp>

#include "platform/SeparatedText.h"
#include "platform/Text.h"
#include "platform/XmlNodes.h"
#include "satellites/OmmElementLines.h"
#include "satellites/SatellitePropagation.h"

namespace vsp {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string_view WithoutBom(std::string_view text) {
    if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
    return text;
}

std::string UpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = char(std::toupper(uint8_t(c)));
    return out;
}

int LineOfOffset(std::string_view text, size_t offset) {
    offset = std::min(offset, text.size());
    return 1 + int(std::count(text.begin(), text.begin() + std::ptrdiff_t(offset), '\n'));
}

// The fields made a record, or the reject of `where` (a line or a record number).
void AddRecord(const OmmFields& fields, ElementSetReject where, ParsedElementSets& parsed) {
    SatelliteRecord record;
    std::optional<std::string> fault = OmmToRecord(fields, record);
    if (!fault) {
        if (const auto valueFault = FindElementValueFault(record)) fault = valueFault->reason;
    }
    if (fault) {
        where.reason = *fault;
        parsed.rejects.push_back(std::move(where));
    } else {
        parsed.records.push_back(std::move(record));
    }
}

// A JSON value as the text an OMM field would hold; nothing for null.
std::optional<std::string> JsonFieldText(const nlohmann::json& value) {
    if (value.is_null()) return std::nullopt;
    if (value.is_string()) return std::string(TrimBlanks(value.get_ref<const std::string&>()));
    return value.dump();
}

void AddJsonRecord(const nlohmann::json& object, int number, ParsedElementSets& parsed) {
    if (!object.is_object()) {
        parsed.rejects.push_back({0, "not an object of OMM keys", number});
        return;
    }
    OmmFields fields;
    for (const auto& [key, value] : object.items())
        if (const auto text = JsonFieldText(value)) fields[UpperCase(key)] = *text;
    AddRecord(fields, {0, "", number}, parsed);
}

void AddXmlFields(const pugi::xml_node& parent, OmmFields& fields) {
    for (const pugi::xml_node& child : parent.children())
        if (child.type() == pugi::node_element)
            fields[UpperCase(LocalName(child))] = std::string(TrimBlanks(child.text().get()));
}

void AddXmlSegments(const pugi::xml_node& omm, int& number, ParsedElementSets& parsed) {
    for (const pugi::xml_node& segment : ChildElement(omm, "body").children()) {
        if (segment.type() != pugi::node_element || LocalName(segment) != "segment") continue;
        OmmFields fields;
        const pugi::xml_node data = ChildElement(segment, "data");
        AddXmlFields(ChildElement(segment, "metadata"), fields);
        AddXmlFields(ChildElement(data, "meanElements"), fields);
        AddXmlFields(ChildElement(data, "tleParameters"), fields);
        AddRecord(fields, {0, "", ++number}, parsed);
    }
}

// The omm elements in document order, wherever they sit (the root of a lone message, or in an
// ndm); an omm is not looked into for further ones. A walk without recursion, so that no depth
// of nesting can exhaust the stack.
std::vector<pugi::xml_node> FindOmmElements(const pugi::xml_document& document) {
    std::vector<pugi::xml_node> found;
    pugi::xml_node node = document.first_child();
    while (node) {
        const bool isOmm = node.type() == pugi::node_element && LocalName(node) == "omm";
        if (isOmm) found.push_back(node);
        if (!isOmm && node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node && !node.next_sibling()) node = node.parent();
        if (node) node = node.next_sibling();
    }
    return found;
}

}  // namespace

ElementSetFormat DetectElementSetFormat(std::string_view text) {
    const std::string_view body = TrimBlanks(WithoutBom(text));
    if (body.starts_with('<')) return ElementSetFormat::OmmXml;
    if (body.starts_with('[') || body.starts_with('{')) return ElementSetFormat::OmmJson;
    const std::string first = UpperCase(body.substr(0, body.find('\n')));
    const bool namesKeys = first.find("NORAD_CAT_ID") != std::string::npos || first.find("MEAN_MOTION") != std::string::npos;
    return namesKeys && first.find(',') != std::string::npos ? ElementSetFormat::OmmCsv : ElementSetFormat::TwoLine;
}

ParsedElementSets ParseOmmCsv(std::string_view text) {
    ParsedElementSets parsed;
    text = WithoutBom(text);
    std::vector<std::string> keys;
    int line = 1;
    for (size_t at = 0; at < text.size();) {
        const std::string_view record = text.substr(at, SeparatedRecordLength(text.substr(at), ','));
        const int recordLine = line;
        line += int(std::count(record.begin(), record.end(), '\n'));
        at += std::max<size_t>(record.size(), 1);
        if (TrimBlanks(record).empty()) continue;
        std::vector<std::string> values = SplitSeparatedRecord(record, ',');
        if (keys.empty()) {
            for (const std::string& key : values) keys.push_back(UpperCase(TrimBlanks(key)));
            continue;
        }
        OmmFields fields;
        for (size_t i = 0; i < std::min(keys.size(), values.size()); ++i)
            fields[keys[i]] = std::string(TrimBlanks(values[i]));
        AddRecord(fields, {recordLine, ""}, parsed);
    }
    return parsed;
}

ParsedElementSets ParseOmmJson(std::string_view text) {
    ParsedElementSets parsed;
    nlohmann::json document;
    try {
        document = nlohmann::json::parse(WithoutBom(text));
    } catch (const nlohmann::json::parse_error& error) {
        parsed.rejects.push_back({LineOfOffset(text, error.byte), "not valid JSON"});
        return parsed;
    } catch (const nlohmann::json::exception& error) {
        // A number beyond a double ("number overflow parsing '1e400'"): its line, where the
        // number is found again.
        const std::string_view what = error.what();
        const size_t open = what.find('\''), close = what.rfind('\'');
        const size_t at = open < close ? text.find(what.substr(open + 1, close - open - 1)) : 0;
        parsed.rejects.push_back({LineOfOffset(text, at == std::string_view::npos ? 0 : at), "a number out of range"});
        return parsed;
    }
    if (!document.is_array()) {
        AddJsonRecord(document, 1, parsed);
        return parsed;
    }
    int number = 0;
    for (const nlohmann::json& object : document) AddJsonRecord(object, ++number, parsed);
    return parsed;
}

ParsedElementSets ParseOmmXml(std::string_view text) {
    ParsedElementSets parsed;
    pugi::xml_document document;
    const pugi::xml_parse_result result = document.load_buffer(text.data(), text.size());
    if (!result) {
        parsed.rejects.push_back({LineOfOffset(text, size_t(std::max<ptrdiff_t>(result.offset, 0))),
                                  std::string("not valid XML (") + result.description() + ")"});
        return parsed;
    }
    const std::vector<pugi::xml_node> messages = FindOmmElements(document);
    int number = 0;
    for (const pugi::xml_node& omm : messages) AddXmlSegments(omm, number, parsed);
    if (messages.empty()) parsed.rejects.push_back({1, "no omm element in the XML text"});
    return parsed;
}

ParsedElementSets ParseElementSetText(std::string_view text) {
    switch (DetectElementSetFormat(text)) {
        case ElementSetFormat::OmmCsv: return ParseOmmCsv(text);
        case ElementSetFormat::OmmJson: return ParseOmmJson(text);
        case ElementSetFormat::OmmXml: return ParseOmmXml(text);
        case ElementSetFormat::TwoLine: break;
    }
    return ParseElementSets(text);
}

}  // namespace vsp
