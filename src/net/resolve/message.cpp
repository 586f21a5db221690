#include "net/resolve/message.h"

#include <expat.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>

#include "io/format.h"

namespace {

using Attributes = std::map<std::string, std::string>;

// An element that appeared, with its attributes.
struct Element {
  bool seen = false;
  Attributes attributes;
};

struct Rectangle {
  Element colour;
  Element geometry;
};

// What the parse collects, element by element.
struct Collected {
  XML_Parser parser = nullptr;
  std::vector<std::string> path;  // element names from the root down
  std::string problem;            // the first problem; parsing stops at it
  Element colour, background, geometry;  // directly under <calibration>
  std::vector<Rectangle> rectangles;     // under <calibration><shapes>
};

void stop(Collected* c, const std::string& problem) {
  if (c->problem.empty()) c->problem = problem;
  XML_StopParser(c->parser, XML_FALSE);
}

// Records one element; a second one where one belongs is a problem.
void take(Collected* c, Element* element, const char* name, const XML_Char** attributes) {
  if (element->seen) {
    stop(c, std::string("more than one <") + name + "> where one belongs");
    return;
  }
  element->seen = true;
  for (int i = 0; attributes[i] != nullptr && attributes[i + 1] != nullptr; i += 2) {
    element->attributes[attributes[i]] = attributes[i + 1];
  }
}

void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  Collected* c = static_cast<Collected*>(data);
  c->path.push_back(name);
  const std::vector<std::string>& p = c->path;
  if (p.size() == 1 && p[0] != "calibration") {
    stop(c, "the message is <" + printableText(p[0], kQuotedValue) + ">, not <calibration>");
  } else if (p.size() == 2) {
    if (p[1] == "color") take(c, &c->colour, "color", attributes);
    if (p[1] == "background") take(c, &c->background, "background", attributes);
    if (p[1] == "geometry") take(c, &c->geometry, "geometry", attributes);
  } else if (p.size() == 3 && p[1] == "shapes" && p[2] == "rectangle") {
    c->rectangles.emplace_back();
  } else if (p.size() == 4 && p[1] == "shapes" && p[2] == "rectangle") {
    if (p[3] == "color") take(c, &c->rectangles.back().colour, "color", attributes);
    if (p[3] == "geometry") take(c, &c->rectangles.back().geometry, "geometry", attributes);
  }
}

void XMLCALL onEnd(void* data, const XML_Char*) { static_cast<Collected*>(data)->path.pop_back(); }

// A document type could declare entities; messages never carry one.
void XMLCALL onDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
  stop(static_cast<Collected*>(data), "a <!DOCTYPE> is not taken");
}

std::string trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool attribute(const Element& element, const char* elementName, const char* name,
               std::string* value, std::string* problem) {
  auto found = element.attributes.find(name);
  if (found == element.attributes.end()) {
    *problem = std::string("<") + elementName + "> has no " + name;
    return false;
  }
  *value = trimmed(found->second);
  return true;
}

// A whole number of at most nine digits, so it cannot overflow.
bool wholeNumber(const std::string& text, uint32_t* value) {
  if (text.empty() || text.size() > 9) return false;
  uint32_t number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    number = number * 10 + static_cast<uint32_t>(c - '0');
  }
  *value = number;
  return true;
}

bool readColour(const Element& element, const char* elementName, HostColour* colour,
                std::string* problem) {
  HostColour read;
  std::string bits;
  auto found = element.attributes.find("bits");
  if (found != element.attributes.end()) {
    uint32_t value = 0;
    bits = trimmed(found->second);
    if (!wholeNumber(bits, &value) || value < 1 || value > 16) {
      *problem = std::string("<") + elementName + "> bits '" + printableText(bits, kQuotedValue) +
                 "' is not 1 to 16";
      return false;
    }
    read.bits = static_cast<int>(value);
  }
  const uint32_t largest = (uint32_t{1} << read.bits) - 1;
  const struct {
    const char* name;
    uint32_t* value;
  } components[] = {{"red", &read.red}, {"green", &read.green}, {"blue", &read.blue}};
  for (const auto& component : components) {
    std::string text;
    if (!attribute(element, elementName, component.name, &text, problem)) return false;
    if (!wholeNumber(text, component.value) || *component.value > largest) {
      *problem = std::string("<") + elementName + "> " + component.name + " '" +
                 printableText(text, kQuotedValue) + "' is not a code from 0 to " +
                 std::to_string(largest) + " at " + std::to_string(read.bits) + " bits";
      return false;
    }
  }
  *colour = read;
  return true;
}

bool readGeometry(const Element& element, HostRect* rect, std::string* problem) {
  const struct {
    const char* name;
    double* value;
  } values[] = {{"x", &rect->x}, {"y", &rect->y}, {"cx", &rect->cx}, {"cy", &rect->cy}};
  for (const auto& v : values) {
    std::string text;
    if (!attribute(element, "geometry", v.name, &text, problem)) return false;
    char* end = nullptr;
    *v.value = text.empty() ? NAN : std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(*v.value)) {
      *problem = std::string("<geometry> ") + v.name + " '" + printableText(text, kQuotedValue) +
                 "' is not a finite number";
      return false;
    }
  }
  return true;
}

bool readRect(const Element& colour, const Element& geometry, const std::string& where,
              HostRect* rect, std::string* problem) {
  if (!colour.seen && !geometry.seen) {
    *problem = where + " has neither a <color> nor a <geometry>";
    return false;
  }
  if (!colour.seen) {
    *problem = where + " has a <geometry> but no <color>";
    return false;
  }
  if (!geometry.seen) {
    *problem = where + " has a <color> but no <geometry>";
    return false;
  }
  return readColour(colour, "color", &rect->colour, problem) &&
         readGeometry(geometry, rect, problem);
}

bool collect(const std::string& xml, Collected* c) {
  std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(XML_ParserCreate(nullptr),
                                                                   XML_ParserFree);
  if (!parser) {
    c->problem = "out of memory for the XML parser";
    return false;
  }
  c->parser = parser.get();
  XML_SetUserData(c->parser, c);
  XML_SetElementHandler(c->parser, onStart, onEnd);
  XML_SetStartDoctypeDeclHandler(c->parser, onDoctype);
  if (XML_Parse(c->parser, xml.data(), static_cast<int>(xml.size()), XML_TRUE) ==
          XML_STATUS_ERROR &&
      c->problem.empty()) {
    c->problem = std::string("not well-formed XML: ") +
                 XML_ErrorString(XML_GetErrorCode(c->parser)) + " at line " +
                 std::to_string(XML_GetCurrentLineNumber(c->parser)) + ", column " +
                 std::to_string(XML_GetCurrentColumnNumber(c->parser));
  }
  return c->problem.empty();
}

}  // namespace

Failure parseResolveMessage(const std::string& xml, ResolveMessage* message) {
  const auto bad = [](const std::string& problem) {
    return failure(FailureCode::kBadRequest, problem);
  };
  Collected c;
  if (!collect(xml, &c)) return bad(c.problem);
  ResolveMessage read;
  std::string problem;
  if (c.colour.seen || c.geometry.seen) {
    HostRect rect;
    if (!readRect(c.colour, c.geometry, "<calibration>", &rect, &problem)) return bad(problem);
    read.rects.push_back(rect);
  }
  for (size_t i = 0; i < c.rectangles.size(); ++i) {
    HostRect rect;
    const std::string where = "<rectangle> " + std::to_string(i + 1);
    if (!readRect(c.rectangles[i].colour, c.rectangles[i].geometry, where, &rect, &problem)) {
      return bad(problem);
    }
    read.rects.push_back(rect);
  }
  if (read.rects.empty()) return bad("the message has no <color> and <geometry>");
  if (c.background.seen) {
    if (!readColour(c.background, "background", &read.background, &problem)) return bad(problem);
    read.hasBackground = true;
  }
  *message = read;
  return {};
}
