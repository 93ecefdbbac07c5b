#include "glyph_map.h"

#include <fstream>
#include <sstream>

namespace ts::glyphs {
namespace {

// Splits on blanks; a double-quoted run is one token (quotes removed).
std::vector<std::string> tokenize(const std::string& line) {
  std::vector<std::string> tokens;
  size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t') { ++i; continue; }
    if (line[i] == '"') {
      const size_t close = line.find('"', i + 1);
      const size_t end = close == std::string::npos ? line.size() : close;
      tokens.push_back(line.substr(i + 1, end - i - 1));
      i = end + 1;
      continue;
    }
    const size_t end = line.find_first_of(" \t", i);
    tokens.push_back(line.substr(i, end == std::string::npos ? std::string::npos : end - i));
    i = end == std::string::npos ? line.size() : end;
  }
  return tokens;
}

std::vector<std::string> splitOn(const std::string& text, char separator) {
  std::vector<std::string> pieces;
  std::stringstream in(text);
  std::string piece;
  while (std::getline(in, piece, separator)) pieces.push_back(piece);
  return pieces;
}

bool toNumber(const std::string& token, double& out) {
  try {
    size_t used = 0;
    out = std::stod(token, &used);
    return used == token.size();
  } catch (...) {
    return false;
  }
}

bool readPair(const std::string& token, double& x, double& y) {
  const auto xy = splitOn(token, ',');
  return xy.size() == 2 && toNumber(xy[0], x) && toNumber(xy[1], y);
}

// "*k" and "@x,y" may follow any part's own tokens.
bool applyModifier(const std::string& token, GlyphPart& part) {
  if (token.size() > 1 && token[0] == '*') return toNumber(token.substr(1), part.scale);
  if (token.size() > 1 && token[0] == '@') {
    return readPair(token.substr(1), part.offsetX, part.offsetY);
  }
  return false;
}

std::optional<std::string> parsePoly(const std::vector<std::string>& args, GlyphPart& part) {
  part.polys.emplace_back();
  for (const auto& token : args) {
    if (token == "|") { part.polys.emplace_back(); continue; }
    double x = 0, y = 0;
    if (applyModifier(token, part)) continue;
    if (!readPair(token, x, y)) return "bad point '" + token + "'";
    part.polys.back().push_back(x);
    part.polys.back().push_back(y);
  }
  for (const auto& contour : part.polys) {
    if (contour.size() < 6) return std::string("a contour needs three points");
  }
  return std::nullopt;
}

std::optional<std::string> parseCircle(const std::vector<std::string>& args, size_t radii,
                                       GlyphPart& part) {
  if (args.size() < radii) return std::string("missing radius");
  if (!toNumber(args[0], part.radius)) return std::string("bad radius");
  if (radii == 2 && !toNumber(args[1], part.innerRadius)) return std::string("bad radius");
  for (size_t i = radii; i < args.size(); ++i) {
    if (!applyModifier(args[i], part)) return "unknown token '" + args[i] + "'";
  }
  return std::nullopt;
}

std::optional<std::string> parsePart(const std::vector<std::string>& tokens, GlyphPart& part) {
  if (tokens.empty()) return std::string("empty source");
  const std::string& kind = tokens[0];
  const std::vector<std::string> args(tokens.begin() + 1, tokens.end());
  size_t used = 0;
  if (kind == "music" || kind == "brace") {
    part.kind = kind == "music" ? PartKind::Music : PartKind::Brace;
    if (args.empty()) return std::string("missing glyph name");
    part.glyphNames = splitOn(args[0], '+');
    used = 1;
  } else if (kind == "text") {
    part.kind = PartKind::Text;
    if (args.size() < 2) return std::string("text needs a font file and a string");
    part.fontFile = args[0];
    part.text = args[1];
    used = 2;
  } else if (kind == "poly") {
    part.kind = PartKind::Poly;
    return parsePoly(args, part);
  } else if (kind == "ring" || kind == "halfdisc") {
    part.kind = kind == "ring" ? PartKind::Ring : PartKind::HalfDisc;
    return parseCircle(args, 2, part);
  } else if (kind == "disc") {
    part.kind = PartKind::Disc;
    return parseCircle(args, 1, part);
  } else {
    return "unknown source '" + kind + "'";
  }
  for (size_t i = used; i < args.size(); ++i) {
    if (!applyModifier(args[i], part)) return "unknown token '" + args[i] + "'";
  }
  return std::nullopt;
}

bool validAnchor(char c, const char* allowed) {
  return std::string_view(allowed).find(c) != std::string_view::npos;
}

std::optional<std::string> parseHead(const std::vector<std::string>& head, GlyphEntry& entry) {
  if (head.size() < 8) return std::string("expected: S|D number sx sy ax ay dx dy");
  if (head[0] != "S" && head[0] != "D") return std::string("kind must be S or D");
  entry.isSymbol = head[0] == "S";
  double number = 0;
  if (!toNumber(head[1], number) || number < 0 || number > 9999) {
    return std::string("bad number");
  }
  entry.number = static_cast<int>(number);
  if (entry.isSymbol && entry.number > 44) return std::string("symbols run from 0 to 44");
  if (!toNumber(head[2], entry.scaleX) || !toNumber(head[3], entry.scaleY) ||
      !toNumber(head[6], entry.shiftXSteps) || !toNumber(head[7], entry.shiftYSteps)) {
    return std::string("bad scale or shift");
  }
  if (head[4].size() != 1 || head[5].size() != 1 || !validAnchor(head[4][0], "olrc") ||
      !validAnchor(head[5][0], "obtc")) {
    return std::string("anchors are o/l/r/c and o/b/t/c");
  }
  entry.anchorX = head[4][0];
  entry.anchorY = head[5][0];
  for (size_t i = 8; i < head.size(); ++i) {
    if (head[i].rfind("u=", 0) != 0 || !toNumber(head[i].substr(2), entry.drawingUnitsPerSymbolUnit)) {
      return "unknown option '" + head[i] + "'";
    }
  }
  return std::nullopt;
}

std::optional<std::string> parseEntry(const std::vector<std::string>& tokens, GlyphEntry& entry) {
  size_t colon = 0;
  while (colon < tokens.size() && tokens[colon] != ":") ++colon;
  if (colon == tokens.size()) return std::string("missing ':' before the source");
  const std::vector<std::string> head(tokens.begin(), tokens.begin() + colon);
  if (auto error = parseHead(head, entry)) return error;
  std::vector<std::string> current;
  for (size_t i = colon + 1; i <= tokens.size(); ++i) {
    if (i < tokens.size() && tokens[i] != "&") { current.push_back(tokens[i]); continue; }
    GlyphPart part;
    if (auto error = parsePart(current, part)) return error;
    entry.parts.push_back(std::move(part));
    current.clear();
  }
  return std::nullopt;
}

}  // namespace

GlyphMap parseGlyphMap(const std::string& text) {
  GlyphMap map;
  int lineNumber = 0;
  for (const std::string& line : splitOn(text, '\n')) {
    ++lineNumber;
    const auto tokens = tokenize(line);
    if (tokens.empty() || tokens[0][0] == '#') continue;
    GlyphEntry entry;
    entry.line = lineNumber;
    if (auto error = parseEntry(tokens, entry)) {
      map.errors.push_back("line " + std::to_string(lineNumber) + ": " + *error);
      continue;
    }
    map.entries.push_back(std::move(entry));
  }
  return map;
}

std::optional<std::string> readTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

}  // namespace ts::glyphs
