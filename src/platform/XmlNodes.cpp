#include "platform/XmlNodes.h"

namespace vsp {
namespace {

std::string_view AfterColon(std::string_view name) {
    const size_t colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

}  // namespace

std::string_view LocalName(const pugi::xml_node& node) { return AfterColon(node.name()); }

pugi::xml_node ChildElement(const pugi::xml_node& node, std::string_view localName) {
    for (const pugi::xml_node& child : node.children())
        if (child.type() == pugi::node_element && LocalName(child) == localName) return child;
    return {};
}

std::string_view ChildText(const pugi::xml_node& node, std::string_view localName) {
    return ChildElement(node, localName).text().get();
}

std::string_view AttributeByLocalName(const pugi::xml_node& node, std::string_view localName) {
    for (const pugi::xml_attribute& attribute : node.attributes())
        if (AfterColon(attribute.name()) == localName) return attribute.value();
    return {};
}

bool DeclaresNamespace(const pugi::xml_node& node, std::string_view uri) {
    for (pugi::xml_node at = node; at; at = at.parent()) {
        for (const pugi::xml_attribute& attribute : at.attributes()) {
            const std::string_view name = attribute.name();
            if ((name == "xmlns" || name.starts_with("xmlns:")) && attribute.value() == uri) return true;
        }
    }
    return false;
}

std::string XmlCharacters(std::string_view text) {
    std::string kept;
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r') kept += c;
    return kept;
}

}  // namespace vsp
