#pragma once
// Reading XML documents whose elements may carry any namespace prefix (or none): elements
// are matched by their local name, so "oal:observations", "ndm:omm" and "observations" read
// alike. The caller checks the namespace where it matters.

#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace vsp {

// The name after the last ':' (the whole name without one).
std::string_view LocalName(const pugi::xml_node& node);
// The first child element of that local name; an empty node when there is none.
pugi::xml_node ChildElement(const pugi::xml_node& node, std::string_view localName);
// The text of that child element ("" when it is missing).
std::string_view ChildText(const pugi::xml_node& node, std::string_view localName);
// The value of the attribute of that local name ("xsi:type" matches "type").
std::string_view AttributeByLocalName(const pugi::xml_node& node, std::string_view localName);
// True when the element or one of its ancestors declares `uri` as a namespace (default or
// prefixed).
bool DeclaresNamespace(const pugi::xml_node& node, std::string_view uri);
// `text` without the control characters XML 1.0 cannot hold (all of C0 but tab and line ends).
std::string XmlCharacters(std::string_view text);

}  // namespace vsp
